#pragma once

#include <stddef.h>

#include "discovery/host_settings_text.h"

// The folders that GIMP's host for Photoshop-compatible filters, pspi, searches: the line
// (pspi-path "C:\\Filters;D:\\More") of the user's gimprc. The value is a quoted string
// with backslash escapes (\\ \" \n \t \r \b \f and octal ones; any other backslash stays as
// written), in UTF-8; folders are separated by ";", each searched with its sub-folders.
// Comments ("#" to the end of the line) and the other settings are passed over; when the
// file sets pspi-path more than once, the last setting counts, as GIMP reads it. A setting
// whose string or parenthesis is not closed counts for nothing.
//
// Each folder goes to visit in order; an empty one, one that is not UTF-8 or holds a control
// character, or one that does not fit a path buffer is passed over.
void ReadGimprcPspiPath(const char* data, size_t size, HostFolderVisit visit, void* context);

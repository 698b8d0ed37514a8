#pragma once

#include <windows.h>

#include "text/text_buffer.h"

// Asks the user for a folder with the system's folder picker. On success folder holds the
// chosen folder ending with a backslash; on failure or cancel it is left empty.
bool PickFolder(HWND owner, const char* title, char (&folder)[kPathChars]);

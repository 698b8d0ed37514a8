#pragma once

#include <stddef.h>

// The listing pattern of the settings-file search: a folder path followed by "\*" (the "*"
// may be gone after a file was delivered from that folder).

// Moves the pattern to the parent folder: "C:\a\b\*" and "C:\a\b\" become "C:\a\*". A drive
// root stays where it is ("C:\*"). pattern is a buffer of cap characters.
void PatternUp(char* pattern, size_t cap);

// Moves the pattern into sub-folder `folder`: "C:\a\*" becomes "C:\a\b\*". Returns false, the
// pattern unchanged, when the pattern has no backslash or the longer one would not fit.
bool PatternDown(char* pattern, size_t cap, const char* folder);

// True when the file name, lower-cased, begins with prefix and ends with suffix (both given in
// lower case).
bool FileNameMatches(const char* name, const char* prefix, const char* suffix);

#pragma once

#include <stddef.h>
#include <stdio.h>

// Longest folder text a binary settings record can hold.
constexpr size_t kSettingsPathChars = 249;

// Reads a binary settings file from its current position for the first folder record: a
// marker byte 128, a length byte, a drive path ("X:\...") of that many characters and a zero
// byte. A record whose length byte lies or whose path has no zero within 249 characters is
// passed over. Returns true with the path in path (a buffer of cap characters, at least
// kSettingsPathChars + 1); false at the end of the file, or once the search has been asked to
// stop, path then empty.
bool FindSettingsFolderRecord(FILE* file, char* path, size_t cap);

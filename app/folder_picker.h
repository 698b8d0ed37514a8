#pragma once

#include <windows.h>
#include <shtypes.h>

#include "discovery/ansi_spelling.h"
#include "text/text_buffer.h"

// Asks the user for a folder with the system's folder picker. On success folder holds the
// chosen folder ending with a backslash. A picked folder that the program cannot name in the
// ANSI code page, or that is too long, is not used: the user is told so, with the folder's
// name as the system gives it, and the result is false. On failure or cancel folder is empty.
bool PickFolder(HWND owner, const char* title, const char* caption, char (&folder)[kPathChars]);

// The folder that the picker's item list names, in the ANSI code page with a trailing
// backslash. Returns ERROR_SUCCESS, or the reason it cannot be used: ERROR_NO_UNICODE_TRANSLATION
// when a character of its name has no exact ANSI form (a '?' or a look-alike would name
// another folder), ERROR_FILENAME_EXCED_RANGE when it is too long. wide always receives the
// system's name of the folder (empty when it has none); folder is empty on failure.
DWORD FolderFromIdList(PCIDLIST_ABSOLUTE item, char (&folder)[kPathChars],
                       wchar_t (&wide)[MAX_PATH]);

// The system's UTF-16 to ANSI conversion, or one that stands in for it.
using WideToAnsi = int(WINAPI*)(UINT codePage, DWORD flags, LPCWCH wide, int wideChars, LPSTR ansi,
                                int ansiBytes, LPCCH defaultChar, LPBOOL usedDefault);

// The same for a folder named in UTF-16, in the given ANSI code page (the system's is GetACP()):
// single-byte, double-byte and UTF-8 alike, a name is taken only when it converts back to
// itself.
DWORD FolderFromWide(UINT codePage, const wchar_t* wide, char (&folder)[kPathChars],
                     WideToAnsi convert = WideCharToMultiByte);

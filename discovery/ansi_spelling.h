#pragma once

#include <windows.h>

#include <stddef.h>

// The system's UTF-16 to ANSI conversion, or one that stands in for it.
using WideToAnsi = int(WINAPI*)(UINT codePage, DWORD flags, LPCWCH wide, int wideChars, LPSTR ansi,
                                int ansiBytes, LPCCH defaultChar, LPBOOL usedDefault);

// A folder's UTF-16 name in the ANSI code page codePage (the system's is GetACP()), into ansi
// (cap bytes), only when the bytes lead back to the very same name: a default or best-fit
// character would name another folder, or none. Single-byte, double-byte and UTF-8 code pages
// alike. Returns ERROR_SUCCESS; ERROR_NO_UNICODE_TRANSLATION when the code page cannot spell the
// name; ERROR_INSUFFICIENT_BUFFER when it does not fit; else the system's error. On failure
// ansi is empty.
DWORD SpellInCodePage(UINT codePage, const wchar_t* wide, char* ansi, size_t cap,
                      WideToAnsi convert = WideCharToMultiByte);

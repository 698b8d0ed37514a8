#pragma once

#include <windows.h>

#include <stddef.h>

// Room for the longest text the system gives for an error.
constexpr size_t kSystemErrorChars = 512;

// The system's text for an error code, as FormatMessageA gives it, into out; the code in
// figures when the system has no text for it. Always leaves out terminated when cap > 0.
void SystemErrorText(DWORD error, char* out, size_t cap);

#pragma once

#include <windows.h>

#include <string>

// The system's text for an error code, as FormatMessageA gives it; the code in figures when
// the system has no text for it.
std::string SystemErrorText(DWORD error);

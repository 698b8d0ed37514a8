#pragma once

#include <windows.h>

// When the chosen folder text is one the installer must not write into, tells the owner's
// user which folder and why, and returns true; returns false for a usable text.
bool RefuseUnsafeFolder(HWND owner, const char* folder);

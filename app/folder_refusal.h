#pragma once

#include <windows.h>

// Turns the chosen folder text into the folder the system uses for it, as discovery does
// with what it lists. When it is then one the installer must not write into, tells the
// owner's user which folder and why, and returns true; returns false for a usable text.
bool RefuseUnsafeFolder(HWND owner, char* folder);

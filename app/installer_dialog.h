#pragma once

#include <windows.h>

// The installer's one window: folder choice, filter choice, install, completion screen.
INT_PTR CALLBACK InstallerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

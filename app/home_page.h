#pragma once

#include <windows.h>

// Opens the home page in the browser as the signed-in user, never with this process's
// administrator rights; when that cannot be done, shows the address to the owner's user.
void OpenHomePage(HWND owner, const char* address);

// Asks the desktop's shell (Explorer) to open the address, so the browser starts with the
// shell's own rights. False when there is no desktop shell to ask or it refused.
bool OpenThroughDesktopShell(const char* address);

// Whether this process runs with an elevated token. When that cannot be told, true: the
// safe answer for deciding whether to start a program.
bool IsProcessElevated();

#pragma once

#include <windows.h>

#include "skin/skin_window.h"

// The program's own module: where the payload, the dialog and the skin's pictures live.
extern HINSTANCE ProgramInstance;

// The one skinned window, created by the entry before the dialog runs; null if it could not be
// allocated, in which case the dialog still runs, unskinned.
extern SkinWindow* TheSkinWindow;

#pragma once

#include <windows.h>

#include "app/dialog_items.h"

// The dialog window's object for screen readers (MSAA), with one child per item, all read
// from and acted on through the items. Its methods run on the window's thread (the
// single-threaded apartment delivers other processes' calls there).
class DialogAccessible;

// Made with one reference, which the caller holds; null when out of memory.
DialogAccessible* NewDialogAccessible(DialogItems* items, HWND dialog);
// The answer to WM_GETOBJECT that hands the object to the reader that asked.
LRESULT HandToReader(DialogAccessible* object, WPARAM flags);
// Cuts the object off from the items and drops the caller's reference. Readers still holding
// it get "disconnected" from then on, and nothing of theirs is left for the end of the
// program.
void SeverAndRelease(DialogAccessible* object);

#pragma once

#include <windows.h>

#include "skin/skin_window.h"

// Keyboard access to the skinned window and the window-level behaviour that Windows' own
// controls have: Tab order and focus over the skinned controls and the drop-down, the focus
// rectangle after keyboard use, Space and Enter on the focused control, the link's cursor,
// no erasing of the background, and the status text cleared when the pointer leaves.

// Call once the controls exist: the focus starts on Install. controls is the dialog's control
// table; skin routes the mouse (null: no skin).
void AttachDialogInput(HWND dialog, SkinWindow* skin, SkinControl* const* controls);
// Call when the dialog is destroyed; later messages and screen-reader calls find nothing.
void DetachDialogInput();

// Offered every message of the dialog procedure before anything else. Returns true when the
// message was handled; *result is then what the dialog procedure returns (answers that
// travel in DWLP_MSGRESULT are already stored there).
bool DialogInputBefore(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result);
// Called after the dialog procedure handled a message: puts back a focus rectangle that a
// button's redraw covered and reports state changes to screen readers.
void DialogInputAfter();

// Within the paint cycle, after everything else is drawn: the focus rectangle, if any.
void PaintFocusRectangle();
// The install has run: the focus moves to Finish.
void FocusCompletionScreen();

// The focused item (see dialog_items.h), or kNoItem when the window does not have the
// keyboard focus.
int FocusedItem();
// Moves the keyboard focus to a shown item; returns false when it cannot.
bool FocusItem(int item);
// What a click on the item does (toggle a box, press a button, follow the link). Returns
// false for an item that is hidden or has no such action.
bool PressItem(int item);

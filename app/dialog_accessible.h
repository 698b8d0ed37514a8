#pragma once

#include <windows.h>

// The window as screen readers see it: an accessible object (MSAA) whose children are the
// items of dialog_items.h, and the events that tell readers what changed.

// Answers WM_GETOBJECT for the window's client area; false for any other object asked for
// (the system then answers). *result is what the window procedure must return.
bool AnswerAccessibleObject(WPARAM flags, LPARAM objectId, LRESULT* result);

// Remembers the items' states, so that later changes can be reported.
void StartAccessibleEvents();
// Objects handed out earlier answer nothing from now on.
void StopAccessibleEvents();
// Reports every item that was shown, hidden, ticked, cleared or pressed since the last call.
void SyncAccessibleEvents();
// Reports that the focus moved to an item.
void NotifyAccessibleFocus(int item);

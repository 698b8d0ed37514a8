#pragma once

#include <windows.h>

#include "skin/skin_control.h"

// The controls a keyboard or screen-reader user moves through, in Tab order: the nine filter
// boxes top to bottom, the home-page link, the folder drop-down, Install, Cancel, Finish.
// Item numbers are 0-based; a screen reader's child identifiers are the item numbers plus 1.
enum class ItemKind { kFilterBox, kLink, kDropDown, kButton };

constexpr int kDialogItemCount = 14;
constexpr int kNoItem = -1;
constexpr int kFirstBoxItem = 0;
constexpr int kLinkItem = 9;
constexpr int kDropDownItem = 10;
constexpr int kInstallItem = 11;
constexpr int kCancelItem = 12;
constexpr int kFinishItem = 13;

// Binds the items to the dialog and its control table (kControlSlots entries, owned by the
// dialog); a null dialog unbinds them, after which every query answers "nothing there".
void BindDialogItems(HWND dialog, SkinControl* const* controls);
HWND ItemsDialog();

ItemKind KindOfItem(int item);
// The skinned control behind an item; null for the drop-down, an unknown item or when unbound.
SkinControl* ItemControl(int item);
// Whether the user can see and reach the item now (the drop-down only on the selection screen).
bool ItemShown(int item);
// The item's picture and label in client pixels; false (and an empty rectangle) when unknown.
bool ItemRect(int item, RECT* client);
// The item's name as a screen reader says it; empty for an unknown item.
const char* ItemName(int item);
// Filter boxes: ticked (any non-zero value). Other items: false.
bool ItemChecked(int item);
// Buttons held down by the mouse right now.
bool ItemPressed(int item);
// The item under a client point, or kNoItem.
int ItemAt(POINT client);

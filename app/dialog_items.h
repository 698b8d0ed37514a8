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

ItemKind KindOfItem(int item);

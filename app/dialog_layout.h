#pragma once

#include <stdint.h>

// The installer window's layout, in client pixels unless the name says otherwise.

constexpr int kClientWidthPx = 383;
constexpr int kClientHeightPx = 270;

// Control table slots.
constexpr int kControlSlots = 70;
constexpr int kSlotCancel = 0;
constexpr int kSlotInstall = 1;
constexpr int kSlotLogo = 2;
constexpr int kSlotLink = 3;
constexpr int kSlotFirstFilter = 4;
constexpr int kSlotLastFilter = 68;
constexpr int kSlotFinish = 69;

struct PixelRect {
  int left, top, right, bottom;
};

constexpr PixelRect kStatusAreaPx = {6, 242, 249, 262};
constexpr PixelRect kCancelPx = {319, 240, 249, 262};
constexpr PixelRect kInstallPx = {249, 240, 249, 262};
constexpr PixelRect kLogoPx = {4, 2, 249, 262};
constexpr PixelRect kLinkPx = {96, 14, 0, 0};
constexpr PixelRect kFinishPx = {161, 210, 250, 202};

// Filter check boxes: left, width, first top, spacing; the label 20 pixels right of the box.
constexpr int kFilterLeftPx = 230;
constexpr int kFilterWidthPx = 250;
constexpr int kFilterTopPx = 10;
constexpr int kFilterHeightPx = 22;
constexpr int kFilterSpacingPx = 20;
constexpr uint32_t kFilterLabelPosition = 0x80148000;
constexpr int32_t kFilterMinimum = 0;
constexpr int32_t kFilterToggleMaximum = -3;  // negative: toggle mode, maximum 3
constexpr int32_t kFilterChecked = 2;

constexpr int kFolderPromptXPx = 6;
constexpr int kFolderPromptYPx = 190;

constexpr int kCompletionFontHeight = 16;

// The drop-down: on the selection screen, then out of sight.
constexpr PixelRect kComboShownPx = {6, 210, 373, 10};  // left, top, width, height
constexpr int kComboHiddenTopPx = 1000;

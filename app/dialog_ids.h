#pragma once

#include <stdint.h>

// The installer window's resource ids, control ids and the notification codes of its controls.

constexpr int kComboId = 1033;
constexpr int kHiddenButtonId = 1034;

// Notification codes the skinned controls post.
constexpr int kNotifyCancel = 2;  // Cancel and Finish
constexpr int kNotifyInstall = 219;
constexpr int kNotifyHomePage = 1029;
constexpr int kNotifyFilterChanged = 2000;
constexpr int kNotifyHelp = 215;
constexpr int kNotifyLogo = 1;

// Bitmap and cursor resources of the skin.
constexpr uint32_t kBackgroundBitmap = 117;
constexpr uint32_t kCheckStripBitmap = 128;
constexpr uint32_t kCancelBitmap = 203;
constexpr uint32_t kLogoBitmap = 213;
constexpr uint32_t kInstallBitmap = 219;
constexpr uint32_t kFinishBitmap = 220;
constexpr uint32_t kLinkCursor = 120;

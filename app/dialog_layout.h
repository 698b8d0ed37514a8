#pragma once

#include <stdint.h>

// The installer window's layout, in client pixels unless the name says otherwise.

constexpr int kClientWidthPx = 383;
constexpr int kClientHeightPx = 270;

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

struct FilterBox {
  const char* label;
  const char* statusText;
  const char* key;  // occurs in the file names of the filter's payload
};

// Top to bottom.
constexpr FilterBox kFilterBoxes[] = {
    {"Nimba Wendaro", "Select to install Nimba Wendaro filter", "Nimba"},
    {"Wendaro Fulgo demo", "Select to install Wendaro Fulgo filter", "Fulgo"},
    {"Vilo 3d", "Select to install Vilo 3d filter", "Vilo3"},
    {"Vilo 2000 demo", "Select to install Vilo 2000 filter", "Vilo2000"},
    {"Quorvin Tessmark", "Select to install Quorvin Tessmark filter", "QuorvinTessmark"},
    {"Quorvin KV demo", "Select to install Quorvin KV filter", "QuorvinKV"},
    {"Tiravent Bellcove", "Select to install Tiravent Bellcove filter", "Tiravent"},
    // The module is written as "Morvellane3d.8bf": the key is its stem up to the digit.
    {"Morvellane 3D", "Select to install Morvellane 3D filter", "Morvellane3"},
    {"Zentrove demo", "Select to install Zentrove filter", "Zentrove"},
};
constexpr int kFilterBoxCount = sizeof kFilterBoxes / sizeof kFilterBoxes[0];

// Texts of the window.
constexpr char kCaption[] = "Quillane Plugins : Installation";
// In the status area while discovery runs after the window has appeared. Three full stops,
// not an ellipsis: no byte of a text of the window may be a lead byte of a double-byte code
// page.
constexpr char kSearchingStatus[] = "Searching for plug-in folders...";
// Instead, while Install was pressed and waits for the search.
constexpr char kInstallWaitingStatus[] = "Install starts when the search ends...";
constexpr char kBrowseEntry[] = "******** BROWS ********";
constexpr char kBrowseTitle[] = "Please Select Your Plug-Ins Folder";
constexpr char kMakerSubfolder[] = "Quillane\\";
constexpr char kHomePageHost[] = "www.quillane.example";
constexpr char kHomePage[] = "https://www.quillane.example/install.htm";
constexpr char kHomePageStatus[] = "Visit Quillane Plugins Home Page";

constexpr int kFolderPromptXPx = 6;
constexpr int kFolderPromptYPx = 190;
constexpr char kFolderPrompt[] = "Setup will install Quillane Plugins to the folder:";

struct TextLine {
  int x, y;
  const char* text;
};
constexpr TextLine kCompletionLines[] = {
    {20, 50, "Installation completed. In some cases you have to"},
    {20, 67, "restart your image editor to activate the filters installed."},
    {20, 84, "Filter category name is \"Quillane\". Do not forget to"},
    {20, 101, "install addition presets."},
};
constexpr int kCompletionFontHeight = 16;

// The drop-down: on the selection screen, then out of sight.
constexpr PixelRect kComboShownPx = {6, 210, 373, 10};  // left, top, width, height
constexpr int kComboHiddenTopPx = 1000;

#pragma once

// The texts of the installer window.

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

constexpr char kFolderPrompt[] = "Setup will install Quillane Plugins to the folder:";

// The completion screen's lines, each at its place in client pixels.
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

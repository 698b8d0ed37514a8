#include "app/folder_picker.h"

#include <shlobj.h>

#include <string.h>

bool PickFolder(HWND owner, const char* title, char (&folder)[kPathChars]) {
  folder[0] = '\0';
  char displayName[MAX_PATH] = "";
  BROWSEINFOA browse = {};
  browse.hwndOwner = owner;
  browse.pszDisplayName = displayName;
  browse.lpszTitle = title;
  browse.ulFlags = BIF_RETURNONLYFSDIRS;
  PIDLIST_ABSOLUTE picked = SHBrowseForFolderA(&browse);
  if (picked == nullptr) return false;
  char path[MAX_PATH] = "";
  BOOL ok = SHGetPathFromIDListA(picked, path);
  CoTaskMemFree(picked);
  if (!ok || path[0] == '\0') return false;
  // The folder must keep room for its trailing backslash.
  if (!CopyText(folder, sizeof folder, path)) {
    folder[0] = '\0';
    return false;
  }
  size_t length = strlen(folder);
  if (folder[length - 1] != '\\' && !AppendText(folder, sizeof folder, "\\")) {
    folder[0] = '\0';
    return false;
  }
  return true;
}

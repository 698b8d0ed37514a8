#include "app/folder_picker.h"

#include <shlobj.h>
#include <wchar.h>

#include "app/install_texts.h"
#include "discovery/path_rules.h"

namespace {

// Room for the folder's name and the message around it.
constexpr size_t kUnusableChars = MAX_PATH + 256;

void ToWide(const char* text, wchar_t* wide, int cap) {
  if (MultiByteToWideChar(CP_ACP, 0, text, -1, wide, cap) == 0) wide[0] = L'\0';
}

void TellUnusable(HWND owner, const char* caption, const wchar_t* wide, DWORD error) {
  wchar_t reason[200] = L"";
  if (error == ERROR_NO_UNICODE_TRANSLATION) {
    wcscpy(reason, L"its name has characters that this system's code page cannot spell");
  } else {
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                       0, reason, sizeof reason / sizeof reason[0], nullptr);
    // The system's texts end with a full stop and a line break; the message adds its own.
    size_t end = length;
    while (end > 0 && (reason[end - 1] == L'\r' || reason[end - 1] == L'\n' ||
                       reason[end - 1] == L'.' || reason[end - 1] == L' ')) {
      --end;
    }
    reason[end] = L'\0';
    if (end == 0) wsprintfW(reason, L"system error %lu", error);
  }
  wchar_t text[kUnusableChars];
  ChooseAnotherFolderText(text, kUnusableChars, wide[0] != L'\0' ? wide : L"(without a name)",
                          "cannot be used", reason);
  wchar_t title[kCaptionChars];
  ToWide(caption, title, kCaptionChars);
  MessageBoxW(owner, text, title, MB_OK | MB_ICONERROR);
}

}  // namespace

DWORD FolderFromWide(UINT codePage, const wchar_t* wide, char (&folder)[kPathChars],
                     WideToAnsi convert) {
  const DWORD error = SpellInCodePage(codePage, wide, folder, sizeof folder, convert);
  if (error != ERROR_SUCCESS) {
    return error == ERROR_INSUFFICIENT_BUFFER ? ERROR_FILENAME_EXCED_RANGE : error;
  }
  if (!EnsureTrailingBackslash(folder, sizeof folder)) {
    folder[0] = '\0';
    return ERROR_FILENAME_EXCED_RANGE;
  }
  return ERROR_SUCCESS;
}

DWORD FolderFromIdList(PCIDLIST_ABSOLUTE item, char (&folder)[kPathChars],
                       wchar_t (&wide)[MAX_PATH]) {
  folder[0] = '\0';
  wide[0] = L'\0';
  if (!SHGetPathFromIDListW(item, wide) || wide[0] == L'\0') {
    wide[0] = L'\0';
    return ERROR_PATH_NOT_FOUND;
  }
  return FolderFromWide(GetACP(), wide, folder);
}

bool PickFolder(HWND owner, const char* title, const char* caption, char (&folder)[kPathChars]) {
  folder[0] = '\0';
  wchar_t wideTitle[kPathChars];
  ToWide(title, wideTitle, kPathChars);
  wchar_t displayName[MAX_PATH] = L"";
  BROWSEINFOW browse = {};
  browse.hwndOwner = owner;
  browse.pszDisplayName = displayName;
  browse.lpszTitle = wideTitle;
  browse.ulFlags = BIF_RETURNONLYFSDIRS;
  PIDLIST_ABSOLUTE picked = SHBrowseForFolderW(&browse);
  if (picked == nullptr) return false;
  wchar_t wide[MAX_PATH];
  const DWORD error = FolderFromIdList(picked, folder, wide);
  CoTaskMemFree(picked);
  if (error == ERROR_SUCCESS) return true;
  // A folder that is no file-system folder was refused by the picker itself; anything else
  // the user picked and must hear about.
  if (wide[0] != L'\0') TellUnusable(owner, caption, wide, error);
  return false;
}

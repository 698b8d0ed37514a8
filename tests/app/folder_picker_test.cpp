// A folder picked in the folder picker must be used under its exact name or not at all: a
// name the ANSI code page (1252 in the test prefix) cannot spell would come back with '?' or
// a look-alike letter, naming another folder or none.
#include "app/folder_picker.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

TEST(FolderPicker, PickedFolderIsUsedOnlyUnderItsExactName) {
  wchar_t temp[MAX_PATH];
  ASSERT_NE(0u, GetTempPathW(MAX_PATH, temp));
  const std::wstring base = std::wstring(temp) + L"quillane-picker\\";
  CreateDirectoryW(base.c_str(), nullptr);
  const struct {
    const wchar_t* name;
    DWORD error;
    const char* ansi;  // the folder's name as the program then uses it
  } cases[] = {
      {L"Plug-Ins", ERROR_SUCCESS, "Plug-Ins\\"},
      {L"Caf\u00e9", ERROR_SUCCESS, "Caf\xe9\\"},                 // a letter of code page 1252
      {L"\u03a9mega", ERROR_NO_UNICODE_TRANSLATION, ""},          // no form at all: '?'
      {L"\u0100bc", ERROR_NO_UNICODE_TRANSLATION, ""},            // best fit would give "Abc"
      {L"\u30d7\u30e9\u30b0", ERROR_NO_UNICODE_TRANSLATION, ""},  // Japanese
  };
  char ansiBase[MAX_PATH];
  ASSERT_NE(0,
            WideCharToMultiByte(CP_ACP, 0, base.c_str(), -1, ansiBase, MAX_PATH, nullptr, nullptr));
  for (const auto& c : cases) {
    const std::wstring path = base + c.name;
    ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    PIDLIST_ABSOLUTE item = ILCreateFromPathW(path.c_str());
    ASSERT_NE(nullptr, item);
    char folder[kPathChars];
    wchar_t wide[MAX_PATH];
    EXPECT_EQ(c.error, FolderFromIdList(item, folder, wide)) << path.size();
    ILFree(item);
    EXPECT_EQ(path, wide) << "the message must name the folder as the system does";
    EXPECT_EQ(c.error == ERROR_SUCCESS ? std::string(ansiBase) + c.ansi : std::string(), folder);
    RemoveDirectoryW(path.c_str());
  }
  RemoveDirectoryW(base.c_str());
}

// Windows refuses the best-fit flag and the used-default report for UTF-8 (and UTF-7); Wine
// converts all the same. The system's conversion, held to that rule, stands in for Windows'.
int WINAPI ConvertAsWindowsDoes(UINT codePage, DWORD flags, LPCWCH wide, int wideChars, LPSTR ansi,
                                int ansiBytes, LPCCH defaultChar, LPBOOL usedDefault) {
  if (codePage == CP_UTF8 || codePage == CP_UTF7) {
    if ((flags & ~static_cast<DWORD>(WC_ERR_INVALID_CHARS)) != 0) {
      SetLastError(ERROR_INVALID_FLAGS);
      return 0;
    }
    if (defaultChar != nullptr || usedDefault != nullptr) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
    }
  }
  return WideCharToMultiByte(codePage, flags, wide, wideChars, ansi, ansiBytes, defaultChar,
                             usedDefault);
}

// The same rule on the single-byte, the Japanese double-byte and the UTF-8 code page (a Windows
// set to "Use Unicode UTF-8 for worldwide language support"): a name is taken, in that code
// page's bytes, exactly when the code page can spell it.
TEST(FolderPicker, FolderNameIsTakenExactlyWhenTheCodePageCanSpellIt) {
  const wchar_t* const names[] = {
      L"C:\\Plug-Ins",            // plain
      L"C:\\Caf\u00e9",           // a letter of 1252, not of 932
      L"C:\\\u30d7\u30e9\u30b0",  // Japanese
      L"C:\\\u03a9mega",          // Greek: in 932, not in 1252
      L"C:\\\u0100bc",            // best fit would give "Abc" in 1252
      L"C:\\bad\xd800name",       // a lone surrogate: no code page spells it
  };
  const struct {
    UINT codePage;
    bool spelt[6];
  } rows[] = {
      {1252, {true, true, false, false, false, false}},
      {932, {true, false, true, true, false, false}},
      {CP_UTF8, {true, true, true, true, true, false}},
  };
  for (const auto& row : rows) {
    for (size_t i = 0; i < sizeof names / sizeof names[0]; ++i) {
      char folder[kPathChars] = "junk";
      const DWORD error = FolderFromWide(row.codePage, names[i], folder, ConvertAsWindowsDoes);
      EXPECT_EQ(row.spelt[i] ? ERROR_SUCCESS : ERROR_NO_UNICODE_TRANSLATION, error)
          << row.codePage << " name " << i;
      wchar_t back[MAX_PATH] = L"";
      MultiByteToWideChar(row.codePage, 0, folder, -1, back, MAX_PATH);
      EXPECT_EQ(row.spelt[i] ? std::wstring(names[i]) + L"\\" : std::wstring(), back)
          << row.codePage << " name " << i;
    }
  }
}

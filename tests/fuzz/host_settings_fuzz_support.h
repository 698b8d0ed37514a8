// What the two host settings fuzz targets share: the folders a reader delivers, and the oracle
// that every one is a whole folder text that fits a path buffer.
#pragma once

#include <string>
#include <vector>

#include "discovery/host_settings_text.h"
#include "fuzz_support.h"

namespace fuzz {

inline void CollectFolder(void* context, const FolderUnit* folder, bool) {
  std::u16string text;
  for (size_t i = 0; folder[i] != 0; ++i) {
    if (i + 1 >= kPathChars) Fail("folder does not fit a path buffer", "", "");
    text += static_cast<char16_t>(folder[i]);
  }
  static_cast<std::vector<std::u16string>*>(context)->push_back(text);
}

// Non-empty, no controls, surrogates only in pairs.
inline void ExpectFolderText(const std::u16string& folder) {
  if (folder.empty()) Fail("empty folder delivered", "", "");
  for (size_t i = 0; i < folder.size(); ++i) {
    const char16_t c = folder[i];
    if (c < 0x20 || c == 0x7F) Fail("control character in a folder", "", "");
    if (c >= 0xDC00 && c <= 0xDFFF) Fail("lone low surrogate in a folder", "", "");
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (i + 1 == folder.size() || folder[i + 1] < 0xDC00 || folder[i + 1] > 0xDFFF) {
        Fail("lone high surrogate in a folder", "", "");
      }
      ++i;
    }
  }
}

template <typename Reader>
std::vector<std::u16string> ReadFolders(Reader read, const std::string& bytes) {
  std::vector<std::u16string> folders;
  read(bytes.data(), bytes.size(), CollectFolder, &folders);
  for (const std::u16string& folder : folders) ExpectFolderText(folder);
  return folders;
}

}  // namespace fuzz

// The folders a host settings reader delivers, as UTF-8 text with " -" after a folder whose
// sub-folders are not searched.
#pragma once

#include <string>
#include <vector>

#include "discovery/host_settings_text.h"

namespace host_settings_test {

inline std::string Utf8(const FolderUnit* text) {
  std::string out;
  for (size_t i = 0; text[i] != 0; ++i) {
    uint32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | c >> 6);
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | c >> 12);
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | c >> 18);
      out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

inline void Collect(void* context, const FolderUnit* folder, bool searchSubfolders) {
  static_cast<std::vector<std::string>*>(context)->push_back(Utf8(folder) +
                                                             (searchSubfolders ? "" : " -"));
}

template <typename Reader>
std::vector<std::string> Folders(Reader read, const std::string& file) {
  std::vector<std::string> found;
  read(file.data(), file.size(), Collect, &found);
  return found;
}

}  // namespace host_settings_test

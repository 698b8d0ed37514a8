#include "discovery/host_settings_text.h"

void FolderTextBuilder::Add(uint32_t codePoint) {
  if (spoiled_) return;
  // Controls cannot be in a folder name; 0 would end the text early.
  if (codePoint < 0x20 || codePoint == 0x7F || (codePoint >= 0xD800 && codePoint <= 0xDFFF) ||
      codePoint > 0x10FFFF) {
    spoiled_ = true;
    return;
  }
  const size_t units = codePoint > 0xFFFF ? 2 : 1;
  if (length_ + units >= kPathChars) {
    spoiled_ = true;
    return;
  }
  if (units == 2) {
    const uint32_t v = codePoint - 0x10000;
    text_[length_++] = static_cast<FolderUnit>(0xD800 + (v >> 10));
    text_[length_++] = static_cast<FolderUnit>(0xDC00 + (v & 0x3FF));
  } else {
    text_[length_++] = static_cast<FolderUnit>(codePoint);
  }
  text_[length_] = 0;
}

void FolderTextBuilder::Append(const FolderTextBuilder& other) {
  if (other.spoiled_) spoiled_ = true;
  if (spoiled_) return;
  if (length_ + other.length_ >= kPathChars) {
    spoiled_ = true;
    return;
  }
  for (size_t i = 0; i < other.length_; ++i) text_[length_++] = other.text_[i];
  text_[length_] = 0;
}

bool FolderTextBuilder::Rooted() const {
  if (length_ >= 2 && text_[0] == '\\' && text_[1] == '\\') return true;
  const FolderUnit d = text_[0];
  const bool letter = (d >= 'A' && d <= 'Z') || (d >= 'a' && d <= 'z');
  return length_ >= 3 && letter && text_[1] == ':' && (text_[2] == '\\' || text_[2] == '/');
}

bool DecodeUtf8(const unsigned char** at, const unsigned char* end, uint32_t* codePoint) {
  const unsigned char* p = *at;
  const unsigned char lead = *p;
  *at = p + 1;
  if (lead < 0x80) {
    *codePoint = lead;
    return true;
  }
  size_t more;
  uint32_t value;
  uint32_t least;
  if ((lead & 0xE0) == 0xC0) {
    more = 1, value = lead & 0x1F, least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    more = 2, value = lead & 0x0F, least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    more = 3, value = lead & 0x07, least = 0x10000;
  } else {
    return false;
  }
  if (static_cast<size_t>(end - p) <= more) return false;
  for (size_t i = 1; i <= more; ++i) {
    if ((p[i] & 0xC0) != 0x80) return false;
    value = value << 6 | (p[i] & 0x3F);
  }
  if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
  *at = p + more + 1;
  *codePoint = value;
  return true;
}

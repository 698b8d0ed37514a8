#pragma once

#include <stddef.h>
#include <stdint.h>

#include "text/text_buffer.h"

// What the settings readers of the hosts of today share: those hosts keep folders in UTF-8
// files, so a folder is first read as Unicode text and only then, at the edge, put into the
// ANSI code page (where a folder that cannot be spelled is passed over).

// How much of a host's settings file is read; the rest of a longer file is never looked at.
constexpr size_t kHostSettingsBytes = 64 * 1024;

// One UTF-16 code unit.
using FolderUnit = uint16_t;

// Receives each folder a reader found: a zero-terminated UTF-16 text of fewer than kPathChars
// units, and whether the host searches its sub-folders too.
using HostFolderVisit = void (*)(void* context, const FolderUnit* folder, bool searchSubfolders);

// A folder text built one character at a time, bounded by a path buffer. Once a character
// does not fit or is no character a folder name can hold, the text is spoiled for good: it
// is passed over, never cut.
class FolderTextBuilder {
 public:
  void Reset() {
    length_ = 0;
    spoiled_ = false;
    text_[0] = 0;
  }
  void Spoil() { spoiled_ = true; }
  // A Unicode code point; controls, surrogates and values beyond Unicode spoil the text.
  void Add(uint32_t codePoint);
  // Appends the other text, as "previous,piece" is built from two pieces.
  void Append(const FolderTextBuilder& other);
  // Non-empty and not spoiled.
  bool Usable() const { return length_ > 0 && !spoiled_; }
  // "X:\" or "\\": a folder named from a drive or a share, not relative to anything.
  bool Rooted() const;
  size_t Length() const { return length_; }
  const FolderUnit* Text() const { return text_; }

 private:
  FolderUnit text_[kPathChars] = {0};
  size_t length_ = 0;
  bool spoiled_ = false;
};

// Decodes the UTF-8 character at *at (before end) and moves *at past it. Returns false for a
// byte sequence that is not UTF-8 (overlong, a surrogate, beyond Unicode, cut short); *at then
// moves past one byte.
bool DecodeUtf8(const unsigned char** at, const unsigned char* end, uint32_t* codePoint);

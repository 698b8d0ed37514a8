// What every fuzz target shares: the code page taken from the first input byte, and the
// oracle that a rule never splits or changes a double-byte character.
#pragma once

#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "text/ansi_chars.h"
#include "text/ansi_code_page.h"

namespace fuzz {

// The first byte picks code page 1252 or 932; the rest is the text.
inline std::string TakeCodePage(const uint8_t*& data, size_t& size) {
  if (size == 0) return std::string();
  ansi::UseCodePage((data[0] & 1) != 0 ? 932 : 1252);
  std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  ++data;
  --size;
  return rest;
}

// A text up to its first zero, cut to fit a buffer of cap characters.
inline std::string AsText(const std::string& bytes, size_t cap) {
  std::string text(bytes.c_str());
  if (text.size() >= cap) text.resize(cap - 1);
  return text;
}

// The double-byte characters of a text, as the system walks it.
inline std::vector<std::string> Pairs(const char* text) {
  std::vector<std::string> pairs;
  for (const char* at = text; *at != '\0'; at += ansi::CharBytes(at)) {
    if (ansi::CharBytes(at) == 2) pairs.emplace_back(at, 2);
  }
  return pairs;
}

inline void Fail(const char* what, const std::string& before, const std::string& after) {
  fprintf(stderr, "oracle: %s\n  before: %s\n  after:  %s\n", what, before.c_str(), after.c_str());
  abort();
}

// The double-byte characters of after are a run of those of before, in order, unchanged:
// a rule may drop characters from either end but never splits or alters one.
inline void ExpectPairsKept(const char* what, const std::string& before, const char* after) {
  const std::vector<std::string> was = Pairs(before.c_str());
  const std::vector<std::string> now = Pairs(after);
  for (size_t start = 0; start + now.size() <= was.size(); ++start) {
    bool same = true;
    for (size_t i = 0; i < now.size() && same; ++i) same = was[start + i] == now[i];
    if (same) return;
  }
  Fail(what, before, after);
}

}  // namespace fuzz

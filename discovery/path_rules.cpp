#include "discovery/path_rules.h"

#include <string.h>

#include "text/ansi_chars.h"
#include "text/text_buffer.h"

namespace {

// Beyond this a text that does not start with a letter is cut before its front is stripped.
constexpr size_t kStripLimitChars = 390;

}  // namespace

void CapitalizePath(char* text) {
  ansi::ToLowerInPlace(text);
  // A double-byte character has no case and counts as a non-letter.
  bool afterNonLetter = true;
  for (size_t i = 0; text[i] != '\0'; i += ansi::CharBytes(text + i)) {
    if (ansi::CharBytes(text + i) == 2) {
      afterNonLetter = true;
      continue;
    }
    if (afterNonLetter) text[i] = ansi::ToUpper(text[i]);
    afterNonLetter = !ansi::IsAlpha(text[i]);
  }
}

bool EnsureTrailingBackslash(char* text, size_t cap) {
  const size_t len = BoundedLength(text, cap);
  if (len < cap && ansi::EndsWithChar(text, len, '\\')) return true;
  // A text that ends in half a double-byte character would take the backslash as that
  // character's second byte: it names no folder.
  if (len > 0 && len < cap && ansi::LastCharStart(text, len) == len - 1 &&
      ansi::IsLeadByte(text[len - 1])) {
    return false;
  }
  return AppendText(text, cap, "\\");
}

bool JoinPath(char* dst, size_t cap, const char* name, const char* base) {
  const bool joined = (base == nullptr || CopyText(dst, cap, base)) &&
                      EnsureTrailingBackslash(dst, cap) && AppendText(dst, cap, name);
  if (!joined && cap > 0) dst[0] = '\0';
  return joined;
}

void StripLeadingNonLetters(char* text) {
  if (ansi::IsAlpha(text[0])) return;
  text[ansi::CutAtCharBoundary(text, kStripLimitChars)] = '\0';
  size_t first = 0;
  while (text[first] != '\0' && !ansi::IsAlpha(text[first])) first += ansi::CharBytes(text + first);
  memmove(text, text + first, strlen(text + first) + 1);
}

bool ProgramFolderOfCommand(char* text) {
  const size_t len = strlen(text);
  // The last character is never the cut: a folder path that already ends in a backslash
  // keeps its own name. Neither is the first.
  const size_t last = len > 0 ? ansi::LastCharStart(text, len) : 0;
  size_t cut = 0;
  for (size_t i = 0; i < last; i += ansi::CharBytes(text + i)) {
    if (i > 0 && text[i] == '\\') cut = i;
  }
  if (cut > 0) text[cut + 1] = '\0';
  StripLeadingNonLetters(text);
  // Only a path from a drive root: "C:prog\" would be searched below whatever folder the
  // process is in.
  return text[0] != '\0' && text[1] == ':' && text[2] == '\\';
}

bool ProgramFileOfCommand(const char* command, char* out, size_t cap) {
  if (cap == 0) return false;
  out[0] = '\0';
  while (*command == ' ') ++command;
  // ".exe" is looked for in any case; the file name keeps its own.
  char lower[kPathChars];
  if (!CopyText(lower, sizeof lower, command)) return false;
  ansi::ToLowerInPlace(lower);
  const char* start = lower;
  const char* end = nullptr;
  if (*start == '"') {
    end = ansi::FindText(++start, "\"");
  } else {
    for (const char* at = ansi::FindText(start, ".exe"); at != nullptr && end == nullptr;
         at = ansi::FindText(at + 1, ".exe")) {
      if (at[4] == ' ' || at[4] == '\0') end = at + 4;
    }
  }
  if (end == nullptr) return false;
  const size_t len = static_cast<size_t>(end - start);
  const char* file = command + (start - lower);
  if (len < 4 || len >= cap || !ansi::IsAlpha(file[0]) || file[1] != ':' || file[2] != '\\') {
    return false;
  }
  memcpy(out, file, len);
  out[len] = '\0';
  return true;
}

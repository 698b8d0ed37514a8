#include "discovery/file_search_pattern.h"

#include <string.h>

#include "text/ansi_chars.h"
#include "text/text_buffer.h"

void PatternUp(char* pattern, size_t cap) {
  const size_t len = BoundedLength(pattern, cap);
  if (len == cap) return;  // not a terminated pattern
  // Walked from the front, so that the second byte of a double-byte character is never
  // taken for a backslash. The last backslash ends the current folder, the one before it
  // the parent; a colon after that one means the parent is the drive root.
  size_t colon = 0, lastBackslash = 0, parentBackslash = 0;
  for (size_t i = ansi::CharBytes(pattern); i < len; i += ansi::CharBytes(pattern + i)) {
    if (pattern[i] == ':') colon = i;
    if (pattern[i] == '\\') {
      parentBackslash = lastBackslash;
      lastBackslash = i;
    }
  }
  if (colon > 0 && colon > parentBackslash) {
    if (colon + 3 < cap) memcpy(pattern + colon + 1, "\\*", 3);
    return;
  }
  if (parentBackslash > 0) {
    pattern[parentBackslash + 1] = '*';
    pattern[parentBackslash + 2] = '\0';
  }
}

bool PatternDown(char* pattern, size_t cap, const char* folder) {
  const size_t held = BoundedLength(pattern, cap);
  if (held == cap) return false;
  size_t len = 0;  // just after the last backslash
  for (size_t i = ansi::CharBytes(pattern); i < held; i += ansi::CharBytes(pattern + i)) {
    if (pattern[i] == '\\') len = i + 1;
  }
  if (len <= 1) return false;
  const size_t folderLen = strlen(folder);
  if (len + folderLen + 2 >= cap) return false;
  memcpy(pattern + len, folder, folderLen);
  memcpy(pattern + len + folderLen, "\\*", 3);
  return true;
}

bool FileNameMatches(const char* name, const char* prefix, const char* suffix) {
  char lower[kPathChars];
  if (!CopyText(lower, sizeof lower, name)) return false;
  ansi::ToLowerInPlace(lower);
  const size_t len = strlen(lower);
  const size_t prefixLen = strlen(prefix);
  const size_t suffixLen = strlen(suffix);
  // Both ends must fall between characters: a suffix cannot begin on the second byte of a
  // double-byte character.
  return len >= prefixLen && len >= suffixLen && strncmp(lower, prefix, prefixLen) == 0 &&
         ansi::CutAtCharBoundary(lower, prefixLen) == prefixLen &&
         strcmp(lower + len - suffixLen, suffix) == 0 &&
         ansi::CutAtCharBoundary(lower, len - suffixLen) == len - suffixLen;
}

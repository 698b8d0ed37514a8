#include "discovery/file_search_pattern.h"

#include <string.h>

#include "text/ansi_chars.h"
#include "text/text_buffer.h"

void PatternUp(char* pattern, size_t cap) {
  const size_t len = BoundedLength(pattern, cap);
  int backslashes = 0;
  for (size_t i = len; i-- > 1;) {
    if (pattern[i] == ':') {
      if (i + 3 < cap) memcpy(pattern + i + 1, "\\*", 3);
      return;
    }
    // The first backslash met ends the current folder, the second its parent.
    if (pattern[i] == '\\' && ++backslashes == 2) {
      pattern[i + 1] = '*';
      pattern[i + 2] = '\0';
      return;
    }
  }
}

bool PatternDown(char* pattern, size_t cap, const char* folder) {
  size_t len = BoundedLength(pattern, cap);
  while (len > 1 && pattern[len - 1] != '\\') --len;
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
  return len >= prefixLen && len >= suffixLen && strncmp(lower, prefix, prefixLen) == 0 &&
         strcmp(lower + len - suffixLen, suffix) == 0;
}

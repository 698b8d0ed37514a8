// The character walks that every build shares; they rest on IsLeadByte.
#include <string.h>

#include "text/ansi_chars.h"

namespace ansi {

size_t LastCharStart(const char* text, size_t len) {
  if (!HasLeadBytes()) return len > 0 ? len - 1 : 0;
  size_t at = 0;
  for (size_t next = 0; next < len; next += (IsLeadByte(text[next]) && next + 1 < len) ? 2 : 1) {
    at = next;
  }
  return at;
}

bool EndsWithChar(const char* text, size_t len, char c) {
  if (len == 0) return false;
  const size_t last = LastCharStart(text, len);
  return last == len - 1 && text[last] == c;
}

const char* FindText(const char* text, const char* word) {
  if (!HasLeadBytes()) return strstr(text, word);
  const size_t wordLen = strlen(word);
  for (const char* at = text; *at != '\0'; at += CharBytes(at)) {
    if (strncmp(at, word, wordLen) == 0) return at;
  }
  return wordLen == 0 ? text : nullptr;
}

char* FindText(char* text, const char* word) {
  return const_cast<char*>(FindText(static_cast<const char*>(text), word));
}

size_t CutAtCharBoundary(const char* text, size_t limit) {
  if (!HasLeadBytes()) {
    size_t len = 0;
    while (len < limit && text[len] != '\0') ++len;
    return len;
  }
  size_t at = 0;
  while (text[at] != '\0') {
    const size_t step = CharBytes(text + at);
    if (at + step > limit) break;
    at += step;
  }
  return at;
}

}  // namespace ansi

#include "text/text_buffer.h"

#include <string.h>

bool CopyText(char* dst, size_t cap, const char* src) {
  if (cap == 0) return false;
  size_t n = 0;
  while (n + 1 < cap && src[n] != '\0') {
    dst[n] = src[n];
    ++n;
  }
  dst[n] = '\0';
  return src[n] == '\0';
}

bool AppendText(char* dst, size_t cap, const char* src) {
  size_t have = BoundedLength(dst, cap);
  size_t add = strlen(src);
  if (have >= cap || add >= cap - have) return false;
  memcpy(dst + have, src, add + 1);
  return true;
}

size_t BoundedLength(const char* s, size_t cap) {
  size_t n = 0;
  while (n < cap && s[n] != '\0') ++n;
  return n;
}

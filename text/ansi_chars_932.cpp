// Code page 932 (Japanese Shift-JIS) tables for the native build; the Windows build's test
// checks them against the real functions for every byte value.
#include "text/ansi_chars.h"

namespace ansi {
namespace cp932 {
namespace {

bool InRange(unsigned char b, unsigned char lo, unsigned char hi) { return b >= lo && b <= hi; }

}  // namespace

bool IsLeadByte(char c) {
  const unsigned char b = static_cast<unsigned char>(c);
  return InRange(b, 0x81, 0x9F) || InRange(b, 0xE0, 0xFC);
}

char* ToLowerInPlace(char* s) {
  for (char* p = s; *p != '\0'; ++p) {
    if (IsLeadByte(*p)) {
      if (p[1] == '\0') break;
      ++p;  // the second byte of the character stays as it is
    } else if (*p >= 'A' && *p <= 'Z') {
      *p = static_cast<char>(*p - 'A' + 'a');
    }
  }
  return s;
}

// Single-byte characters beyond ASCII are half-width katakana and symbols, without case.
char ToUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 0x20) : c; }

bool IsAlpha(char c) {
  const unsigned char b = static_cast<unsigned char>(c);
  // Half-width katakana, the prolonged sound mark and the voiced sound marks included.
  return InRange(b, 'A', 'Z') || InRange(b, 'a', 'z') || InRange(b, 0xA6, 0xDF);
}

}  // namespace cp932
}  // namespace ansi

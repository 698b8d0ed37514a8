// Code page 1252 tables for the native build; the Windows build's test checks them
// against the real functions for every byte value.
#include "text/ansi_chars.h"

namespace ansi {
namespace cp1252 {
namespace {

bool InRange(unsigned char b, unsigned char lo, unsigned char hi) { return b >= lo && b <= hi; }

}  // namespace

char* ToLowerInPlace(char* s) {
  for (char* p = s; *p != '\0'; ++p) {
    if (*p >= 'A' && *p <= 'Z') *p = static_cast<char>(*p - 'A' + 'a');
  }
  return s;
}

char ToUpper(char c) {
  const unsigned char b = static_cast<unsigned char>(c);
  if (InRange(b, 'a', 'z')) return static_cast<char>(b - 0x20);
  switch (b) {
    case 0x9A: return static_cast<char>(0x8A);  // s caron
    case 0x9C: return static_cast<char>(0x8C);  // oe
    case 0x9E: return static_cast<char>(0x8E);  // z caron
    case 0xFF: return static_cast<char>(0x9F);  // y diaeresis
    default: break;
  }
  if (InRange(b, 0xE0, 0xFE) && b != 0xF7) return static_cast<char>(b - 0x20);
  return c;
}

bool IsAlpha(char c) {
  const unsigned char b = static_cast<unsigned char>(c);
  if (InRange(b, 'A', 'Z') || InRange(b, 'a', 'z')) return true;
  switch (b) {
    case 0x83:
    case 0x88:
    case 0x8A:
    case 0x8C:
    case 0x8E:
    case 0x9A:
    case 0x9C:
    case 0x9E:
    case 0x9F:
    case 0xAA:
    case 0xB5:
    case 0xBA: return true;
    default: break;
  }
  return InRange(b, 0xC0, 0xFF) && b != 0xD7 && b != 0xF7;
}

bool IsLeadByte(char) { return false; }

}  // namespace cp1252
}  // namespace ansi

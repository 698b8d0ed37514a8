#include <windows.h>

#include <string.h>

#include "text/ansi_chars.h"

namespace ansi {

char* ToLowerInPlace(char* s) { return _strlwr(s); }

char ToUpper(char c) {
  // CharUpperA takes a single character when the high word of its argument is zero.
  return static_cast<char>(reinterpret_cast<UINT_PTR>(
      CharUpperA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<unsigned char>(c))))));
}

bool IsAlpha(char c) { return IsCharAlphaA(c) != FALSE; }

}  // namespace ansi

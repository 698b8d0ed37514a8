#include <windows.h>

#include "text/ansi_chars.h"

namespace ansi {

// _strlwr of the "C" locale folds A-Z byte by byte, the second byte of a double-byte
// character included; this walk leaves those alone.
char* ToLowerInPlace(char* s) {
  for (char* p = s; *p != '\0'; ++p) {
    if (IsDBCSLeadByte(static_cast<BYTE>(*p))) {
      if (p[1] == '\0') break;
      ++p;
    } else if (*p >= 'A' && *p <= 'Z') {
      *p = static_cast<char>(*p - 'A' + 'a');
    }
  }
  return s;
}

char ToUpper(char c) {
  // CharUpperA takes a single character when the high word of its argument is zero.
  return static_cast<char>(reinterpret_cast<UINT_PTR>(
      CharUpperA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<unsigned char>(c))))));
}

bool IsAlpha(char c) { return !IsLeadByte(c) && IsCharAlphaA(c) != FALSE; }

bool IsLeadByte(char c) { return IsDBCSLeadByte(static_cast<BYTE>(c)) != FALSE; }

}  // namespace ansi

#include "text/ansi_code_page.h"

namespace ansi {

// The system's code page cannot be switched from inside: only the one in use is accepted.
bool UseCodePage(unsigned page) { return page == GetACP(); }

unsigned CurrentCodePage() { return GetACP(); }

}  // namespace ansi

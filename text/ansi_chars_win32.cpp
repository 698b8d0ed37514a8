#include <windows.h>

#include "text/ansi_chars.h"

namespace ansi {
namespace {

// The lead bytes of the system's code page, read once: the text rules ask for every byte.
// The window's thread and the search thread both use the text rules; the window reads the
// table before it starts the search, which then only reads it.
bool leadBytesRead = false;
bool anyLeadByte = false;
bool leadByte[256];

void ReadLeadBytes() {
  CPINFO info;
  if (!GetCPInfo(CP_ACP, &info)) info.LeadByte[0] = info.LeadByte[1] = 0;
  // Pairs of first and last byte of each range, ended by a pair of zeros.
  for (int i = 0; i + 1 < MAX_LEADBYTES && (info.LeadByte[i] != 0 || info.LeadByte[i + 1] != 0);
       i += 2) {
    for (int b = info.LeadByte[i]; b <= info.LeadByte[i + 1]; ++b) {
      leadByte[b] = true;
      anyLeadByte = true;
    }
  }
  leadBytesRead = true;  // last: a table read as ready is a filled one
}

}  // namespace

bool HasLeadBytes() {
  if (!leadBytesRead) ReadLeadBytes();
  return anyLeadByte;
}

// _strlwr of the "C" locale folds A-Z byte by byte, the second byte of a double-byte
// character included; this walk leaves those alone.
char* ToLowerInPlace(char* s) {
  for (char* p = s; *p != '\0'; ++p) {
    if (IsLeadByte(*p)) {
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

bool IsLeadByte(char c) {
  if (!leadBytesRead) ReadLeadBytes();
  return leadByte[static_cast<unsigned char>(c)];
}

}  // namespace ansi

#include "text/ansi_code_page.h"

namespace ansi {

// The system's code page cannot be switched from inside: only the one in use is accepted.
bool UseCodePage(unsigned page) { return page == GetACP(); }

unsigned CurrentCodePage() { return GetACP(); }

}  // namespace ansi

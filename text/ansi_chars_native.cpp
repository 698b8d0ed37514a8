#include "text/ansi_chars.h"
#include "text/ansi_code_page.h"

namespace ansi {
namespace {

unsigned codePage = 1252;

bool Is932() { return codePage == 932; }

}  // namespace

bool UseCodePage(unsigned page) {
  if (page != 1252 && page != 932) return false;
  codePage = page;
  return true;
}

unsigned CurrentCodePage() { return codePage; }

char* ToLowerInPlace(char* s) {
  return Is932() ? cp932::ToLowerInPlace(s) : cp1252::ToLowerInPlace(s);
}
char ToUpper(char c) { return Is932() ? cp932::ToUpper(c) : cp1252::ToUpper(c); }
bool IsAlpha(char c) { return Is932() ? cp932::IsAlpha(c) : cp1252::IsAlpha(c); }
bool HasLeadBytes() { return Is932(); }
bool IsLeadByte(char c) { return Is932() ? cp932::IsLeadByte(c) : cp1252::IsLeadByte(c); }

}  // namespace ansi

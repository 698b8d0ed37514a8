#include "text/ansi_chars.h"

namespace ansi {

char* ToLowerInPlace(char* s) { return cp1252::ToLowerInPlace(s); }
char ToUpper(char c) { return cp1252::ToUpper(c); }
bool IsAlpha(char c) { return cp1252::IsAlpha(c); }

}  // namespace ansi

#pragma once

#include <stddef.h>

// The few character operations of the Windows ANSI code page that the text rules need.
// The Windows build calls the real functions of the system's code page; the native build
// carries the same tables for code pages 1252 and 932, so the rules run under the sanitizers
// and fuzzers in both.
//
// On a double-byte code page (Japanese, Chinese, Korean) a lead byte and the byte after it
// are one character; that second byte may look like a backslash or a letter. Every rule
// steps over such a character as a whole and never changes or splits it.
namespace ansi {

// _strlwr in the C runtime's default "C" locale: folds A-Z only, and never the second byte
// of a double-byte character. Returns s.
char* ToLowerInPlace(char* s);

// CharUpperA applied to one single-byte character.
char ToUpper(char c);

// IsCharAlphaA for a single-byte character. A lead byte is not a letter.
bool IsAlpha(char c);

// IsDBCSLeadByte: c begins a double-byte character. Always false on a single-byte code page.
bool IsLeadByte(char c);

// True when the code page has double-byte characters at all; the walks below take the short
// way when it has none.
bool HasLeadBytes();

// Bytes of the character at s, as CharNextA steps: 2 for a lead byte followed by another
// byte, 0 at the end of the text, else 1.
inline size_t CharBytes(const char* s) {
  if (s[0] == '\0') return 0;
  return IsLeadByte(s[0]) && s[1] != '\0' ? 2 : 1;
}

// Offset of the start of the last character of the first len bytes of text (len > 0), found
// by walking from the front: the byte before the end may be the second half of a character.
size_t LastCharStart(const char* text, size_t len);

// True when the first len bytes of text end with the single-byte character c.
bool EndsWithChar(const char* text, size_t len, char c);

// strstr that only matches at character starts: a match cannot begin on the second byte of
// a double-byte character. Returns the match or nullptr.
const char* FindText(const char* text, const char* word);
char* FindText(char* text, const char* word);

// Offset of the first character that does not start before limit: the longest text of at
// most limit bytes that ends on a character boundary.
size_t CutAtCharBoundary(const char* text, size_t limit);

// The same operations from fixed tables, in every build; the Windows build's tests check them
// against the real functions for every byte value.
namespace cp1252 {
char* ToLowerInPlace(char* s);
char ToUpper(char c);
bool IsAlpha(char c);
bool IsLeadByte(char c);
}  // namespace cp1252

namespace cp932 {
char* ToLowerInPlace(char* s);
char ToUpper(char c);
bool IsAlpha(char c);
bool IsLeadByte(char c);
}  // namespace cp932

}  // namespace ansi

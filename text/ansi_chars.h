#pragma once

// The few character operations of the Windows ANSI code page that the text rules need.
// The Windows build calls the real functions; the native build carries the same
// tables for code page 1252, so the rules run under the sanitizers and fuzzers too.
namespace ansi {

// _strlwr in the C runtime's default "C" locale: folds A-Z only. Returns s.
char* ToLowerInPlace(char* s);

// CharUpperA applied to one character.
char ToUpper(char c);

// IsCharAlphaA.
bool IsAlpha(char c);

// The same operations from the code page 1252 tables, in every build; the native build's
// functions above forward to these.
namespace cp1252 {
char* ToLowerInPlace(char* s);
char ToUpper(char c);
bool IsAlpha(char c);
}  // namespace cp1252

}  // namespace ansi

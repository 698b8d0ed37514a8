#pragma once

#include <stddef.h>

// Text rules on folder paths that every discovery probe shares. Texts are 8-bit ANSI and
// zero-terminated; the ones that can grow take the capacity of their buffer.

// The one case form of a stored folder: lower case, then the first character and every
// character that follows a non-letter in upper case, so "c:\adobe\photoshop 7.0\plug-ins\"
// becomes "C:\Adobe\Photoshop 7.0\Plug-Ins\".
void CapitalizePath(char* text);

// Appends "\" unless the text already ends with one; "" becomes "\". Returns false when that
// backslash does not fit in cap characters, or the text ends in half a double-byte character;
// the text is then unchanged.
bool EnsureTrailingBackslash(char* text, size_t cap);

// dst = base (when given), a backslash unless it already ends with one, then name. Returns
// false when the joined path does not fit in cap characters; dst then holds an empty text.
bool JoinPath(char* dst, size_t cap, const char* name, const char* base = nullptr);

// Removes everything before the first letter, so that quotes or blanks in front of a drive
// path go; a text without any letter becomes empty. A text that starts with a letter is left
// alone, any other is first ended at 390 characters.
void StripLeadingNonLetters(char* text);

// Turns an open command or an application path into the program's folder: the text is ended
// after its last backslash (neither its first nor its last character counts), and what comes
// before the drive letter is stripped. Returns false when the result is not a path from a
// drive root ("C:\..."); the text then holds what was left of it.
bool ProgramFolderOfCommand(char* text);

// The program file that an open command or an application path names: between the quotes
// when it begins with one (after blanks), else up to the first ".exe" that a blank or the end
// follows. Returns false when it names no file from a drive root ("C:\..."); out (cap
// characters) is then empty.
bool ProgramFileOfCommand(const char* command, char* out, size_t cap);

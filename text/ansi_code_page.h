#pragma once

// Which code page the operations of text/ansi_chars.h follow. The native build has a table
// for 1252 (used at start) and one for 932, and tests and fuzzers switch between them; in the
// Windows build the system's ANSI code page decides and cannot be switched.
namespace ansi {

// Returns false, changing nothing, for a code page that cannot be used: one without a table
// in the native build, any but the system's own in the Windows build.
bool UseCodePage(unsigned codePage);

unsigned CurrentCodePage();

}  // namespace ansi

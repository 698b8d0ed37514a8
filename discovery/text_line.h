#pragma once

#include <stddef.h>
#include <stdio.h>

// Longest line the text probes read at once; the rest of a longer line comes as the next line.
constexpr size_t kTextLineChars = 200;

// Reads the next line of a file opened in text mode into line (a buffer of cap characters,
// at least kTextLineChars + 1). The newline is not stored. A last line without a newline is
// still a line. Returns false at the end of the file with nothing read, or once the search has
// been asked to stop; line is then empty.
bool ReadTextLine(FILE* file, char* line, size_t cap);

// Walks one lower-cased settings line for drive paths written after "=" or "(": from each
// such character it passes over non-letters, and a letter followed by ":" starts a drive
// path that runs to the end of the line; any other letter ends that look-ahead.
class DrivePathScan {
 public:
  explicit DrivePathScan(const char* line);

  // The offset in the line of the next drive path's letter, or -1 when there is none.
  int next();

 private:
  const char* line_;
  size_t pos_ = 0;
  bool lookingAhead_ = false;  // between an "=" or "(" and the letter that ends the look
};

#include "discovery/text_line.h"

#include <string.h>

#include "text/ansi_chars.h"

bool ReadTextLine(FILE* file, char* line, size_t cap) {
  if (cap == 0) return false;
  const size_t limit = cap - 1 < kTextLineChars ? cap - 1 : kTextLineChars;
  size_t n = 0;
  int c = EOF;
  while (n < limit && (c = fgetc(file)) != EOF && c != '\n') line[n++] = static_cast<char>(c);
  line[n] = '\0';
  return n > 0 || c == '\n';
}

DrivePathScan::DrivePathScan(const char* line) : line_(line) {}

int DrivePathScan::next() {
  const size_t len = strlen(line_);
  while (pos_ < len) {
    if (!lookingAhead_) {
      if (line_[pos_] == '=' || line_[pos_] == '(') lookingAhead_ = true;
      ++pos_;
      continue;
    }
    if (!ansi::IsAlpha(line_[pos_])) {
      ++pos_;
      continue;
    }
    const size_t letter = pos_++;
    if (line_[letter + 1] == ':') return static_cast<int>(letter);
    lookingAhead_ = false;
  }
  return -1;
}

#include "discovery/text_line.h"

#include <string.h>

#include "text/ansi_chars.h"

bool ReadTextLine(FILE* file, char* line, size_t cap) {
  if (cap == 0) return false;
  const size_t limit = cap - 1 < kTextLineChars ? cap - 1 : kTextLineChars;
  size_t n = 0;
  int c = EOF;
  while (n < limit && (c = fgetc(file)) != EOF && c != '\n') {
    // A double-byte character that would not fit whole starts the next line instead.
    if (n + 1 == limit && n > 0 && ansi::IsLeadByte(static_cast<char>(c))) {
      ungetc(c, file);
      break;
    }
    line[n++] = static_cast<char>(c);
  }
  line[n] = '\0';
  return n > 0 || c == '\n';
}

DrivePathScan::DrivePathScan(const char* line) : line_(line) {}

int DrivePathScan::next() {
  const size_t len = strlen(line_);
  while (pos_ < len) {
    // Whole characters: the second byte of a double-byte one is neither "=" nor a letter.
    const size_t step = ansi::CharBytes(line_ + pos_);
    if (!lookingAhead_) {
      if (line_[pos_] == '=' || line_[pos_] == '(') lookingAhead_ = true;
      pos_ += step;
      continue;
    }
    if (!ansi::IsAlpha(line_[pos_])) {
      pos_ += step;
      continue;
    }
    const size_t letter = pos_++;
    if (line_[letter + 1] == ':') return static_cast<int>(letter);
    lookingAhead_ = false;
  }
  return -1;
}

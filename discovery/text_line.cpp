#include "discovery/text_line.h"

#include <string.h>

#include "discovery/search_stop.h"
#include "text/ansi_chars.h"

bool ReadTextLine(FILE* file, char* line, size_t cap) {
  if (cap == 0) return false;
  if (SearchStopRequested()) {
    line[0] = '\0';
    return false;
  }
  const size_t limit = cap - 1 < kTextLineChars ? cap - 1 : kTextLineChars;
  size_t n = 0;
  int c = EOF;
  bool secondByte = false;  // c is the second byte of a double-byte character
  while (n < limit && (c = fgetc(file)) != EOF && c != '\n') {
    const bool lead = !secondByte && ansi::IsLeadByte(static_cast<char>(c));
    // A double-byte character that would not fit whole starts the next line instead. Its
    // second byte may have a lead byte's value, so only a character's first byte counts.
    if (lead && n + 1 == limit && n > 0) {
      ungetc(c, file);
      break;
    }
    secondByte = lead;
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

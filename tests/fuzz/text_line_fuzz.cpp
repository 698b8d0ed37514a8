// The text-line reader and the line scan over hostile settings files. Oracles: each line is
// the file's next bytes, at most 200, without a newline, and a line cut at the limit never
// ends inside a double-byte character; every drive path found is a letter followed by a
// colon inside the line.
#include "discovery/text_line.h"
#include "fuzz_support.h"

namespace {

bool EndsInsideCharacter(const std::string& raw) {
  size_t i = 0;
  bool lone = false;
  while (i < raw.size()) {
    lone = ansi::IsLeadByte(raw[i]) && i + 1 == raw.size();
    i += ansi::IsLeadByte(raw[i]) && i + 1 < raw.size() && raw[i + 1] != '\0' ? 2 : 1;
  }
  return lone;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes = fuzz::TakeCodePage(data, size);
  if (bytes.empty()) return 0;
  FILE* file = fmemopen(&bytes[0], bytes.size(), "r");
  if (file == nullptr) return 0;
  char line[kTextLineChars + 1];
  for (long start = ftell(file); ReadTextLine(file, line, sizeof line); start = ftell(file)) {
    const long end = ftell(file);
    std::string raw = bytes.substr(start, end - start);
    const bool newline = !raw.empty() && raw.back() == '\n';
    if (newline) raw.pop_back();
    if (raw.size() > kTextLineChars || raw.find('\n') != std::string::npos ||
        std::string(raw.c_str()) != line) {
      fuzz::Fail("line is not the file's next bytes", raw, line);
    }
    if (!newline && static_cast<size_t>(end) < bytes.size() && EndsInsideCharacter(raw))
      fuzz::Fail("line ends inside a double-byte character", raw, line);

    ansi::ToLowerInPlace(line);
    DrivePathScan scan(line);
    for (int found; (found = scan.next()) >= 0;) {
      if (static_cast<size_t>(found) + 1 >= strlen(line) || line[found + 1] != ':' ||
          !ansi::IsAlpha(line[found])) {
        fuzz::Fail("drive path is not a letter and a colon", raw, line + found);
      }
    }
  }
  fclose(file);
  return 0;
}

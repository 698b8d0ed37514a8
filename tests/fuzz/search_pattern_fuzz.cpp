// The moves of the settings-file search's pattern. The input is a pattern, then a list of
// moves: "<" up, ">name|" down, "?name|" a file-name test. Oracles: the pattern stays within
// its buffer, up leaves a front part of the pattern with "*", down keeps the folder it
// started from, and no move splits a double-byte character.
#include "discovery/file_search_pattern.h"
#include "fuzz_support.h"
#include "text/text_buffer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = fuzz::TakeCodePage(data, size);
  const size_t split = input.find('\x01');
  const std::string start = fuzz::AsText(input.substr(0, split), kPathChars);
  std::string moves = split == std::string::npos ? "" : input.substr(split + 1);

  char pattern[kPathChars];
  CopyText(pattern, sizeof pattern, start.c_str());
  for (size_t at = 0; at < moves.size();) {
    const char move = moves[at++];
    size_t end = moves.find('|', at);
    if (end == std::string::npos) end = moves.size();
    const std::string name = fuzz::AsText(moves.substr(at, end - at), kPathChars);
    const std::string before = pattern;
    if (move == '<') {
      PatternUp(pattern, sizeof pattern);
      const std::string after = pattern;
      const size_t kept = after.size() - (after.size() > 0 && after.back() == '*' ? 1 : 0);
      if (after != before &&
          (before.compare(0, kept, after, 0, kept) != 0 && after.find(':') == std::string::npos)) {
        fuzz::Fail("up is not a front part of the pattern", before, after);
      }
      fuzz::ExpectPairsKept("up", before, pattern);
      continue;
    }
    at = end + 1;
    if (move == '>') {
      if (PatternDown(pattern, sizeof pattern, name.c_str())) {
        const std::string after = pattern;
        if (after.size() < 2 || after.compare(after.size() - 2, 2, "\\*") != 0 ||
            after.find(name) == std::string::npos) {
          fuzz::Fail("down did not enter the folder", before, after);
        }
      } else if (before != pattern) {
        fuzz::Fail("a refused move changed the pattern", before, pattern);
      }
    } else if (move == '?') {
      FileNameMatches(name.c_str(), "photos", ".ini");
    }
    if (strlen(pattern) >= sizeof pattern) fuzz::Fail("pattern overran", before, pattern);
  }
  return 0;
}

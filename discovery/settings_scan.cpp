#include "discovery/settings_scan.h"

#include "discovery/search_stop.h"
#include "text/ansi_chars.h"

namespace {

constexpr unsigned char kRecordMarker = 128;
// A record is recognised by its marker, length byte, drive letter, colon and backslash.
constexpr int kRecordHeadBytes = 5;
// How often the scan asks whether the search has been asked to stop.
constexpr unsigned kStopCheckBytes = 64 * 1024;

bool IsRecordHead(const unsigned char* head) {
  return head[0] == kRecordMarker && ansi::IsAlpha(static_cast<char>(head[2])) && head[3] == ':' &&
         head[4] == '\\';
}

}  // namespace

bool FindSettingsFolderRecord(FILE* file, char* path, size_t cap) {
  if (cap == 0) return false;
  path[0] = '\0';
  unsigned char head[kRecordHeadBytes];
  int held = 0;
  unsigned sinceCheck = 0;
  for (int c; (c = fgetc(file)) != EOF;) {
    if (++sinceCheck == kStopCheckBytes) {
      sinceCheck = 0;
      if (SearchStopRequested()) break;
    }
    if (held == kRecordHeadBytes) {
      for (int i = 1; i < kRecordHeadBytes; ++i) head[i - 1] = head[i];
      --held;
    }
    head[held++] = static_cast<unsigned char>(c);
    if (held < kRecordHeadBytes || !IsRecordHead(head)) continue;

    size_t n = 0;
    path[n++] = static_cast<char>(head[2]);
    path[n++] = ':';
    path[n++] = '\\';
    while (n <= kSettingsPathChars && (c = fgetc(file)) != EOF && c != 0) {
      if (n + 1 < cap) path[n] = static_cast<char>(c);
      ++n;
    }
    if (c == EOF) break;
    if (c == 0 && n < cap) {
      path[n] = '\0';
      if (n == head[1]) return true;
    }
    // Only the last byte read may begin the next record.
    head[0] = static_cast<unsigned char>(c);
    held = 1;
  }
  path[0] = '\0';
  return false;
}

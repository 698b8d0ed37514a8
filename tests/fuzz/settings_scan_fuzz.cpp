// The binary settings record scan over hostile files. Oracle: a path found lies inside the
// file, behind its marker and a length byte that counts it, and is followed by a zero.
#include "discovery/settings_scan.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes = fuzz::TakeCodePage(data, size);
  if (bytes.empty()) return 0;
  FILE* file = fmemopen(&bytes[0], bytes.size(), "rb");
  if (file == nullptr) return 0;
  char path[kSettingsPathChars + 1];
  while (FindSettingsFolderRecord(file, path, sizeof path)) {
    const size_t len = strlen(path);
    const std::string record = std::string("\x80") + static_cast<char>(len) + path + '\0';
    if (len > kSettingsPathChars || path[1] != ':' || path[2] != '\\' ||
        bytes.find(record) == std::string::npos) {
      fuzz::Fail("found path is not a record of the file", "", path);
    }
  }
  if (path[0] != '\0') fuzz::Fail("end of file leaves a path", "", path);
  fclose(file);
  return 0;
}

// PSFilterPdn's settings reader over hostile files. Oracles: every folder is a whole text that
// fits a path buffer; a file cut short gives the first folders of the whole file, never
// others, since a folder is delivered only at its end.
#include "discovery/psfilterpdn_settings.h"
#include "host_settings_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::u16string> whole = fuzz::ReadFolders(ReadPsFilterPdnSettings, bytes);
  const std::vector<std::u16string> cut =
      fuzz::ReadFolders(ReadPsFilterPdnSettings, bytes.substr(0, size / 2));
  if (cut.size() > whole.size()) fuzz::Fail("a cut file gives more folders", bytes, "");
  for (size_t i = 0; i < cut.size(); ++i) {
    if (cut[i] != whole[i]) fuzz::Fail("a cut file gives other folders", bytes, "");
  }
  return 0;
}

// The gimprc pspi-path reader over hostile files. Oracles: every folder is a whole text that
// fits a path buffer and holds no separator; a setting appended on a line of its own is the
// last one and so the only one that counts, or, where the file leaves a string or a list
// open, changes nothing.
#include "discovery/gimprc_pspi_path.h"
#include "host_settings_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::u16string> alone = fuzz::ReadFolders(ReadGimprcPspiPath, bytes);
  for (const std::u16string& folder : alone) {
    if (folder.find(u';') != std::u16string::npos) fuzz::Fail("separator in a folder", bytes, "");
  }
  const std::vector<std::u16string> last =
      fuzz::ReadFolders(ReadGimprcPspiPath, bytes + "\n(pspi-path \"C:\\\\Z\")\n");
  if (last != alone && last != std::vector<std::u16string>{u"C:\\Z"}) {
    fuzz::Fail("the last setting is not the one that counts", bytes, "");
  }
  return 0;
}

// The resource-name mapping. Oracles: the text never grows, and its double-byte characters
// stay whole and unchanged.
#include "fuzz_support.h"
#include "payload/payload_names.h"
#include "text/text_buffer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string name = fuzz::AsText(fuzz::TakeCodePage(data, size), kPathChars);
  std::vector<char> buffer(name.begin(), name.end());
  buffer.push_back('\0');  // exactly the text's size: a write past it shows
  PayloadNameToFileName(buffer.data());
  if (strlen(buffer.data()) > name.size()) fuzz::Fail("the name grew", name, buffer.data());
  if (fuzz::Pairs(buffer.data()) != fuzz::Pairs(name.c_str()))
    fuzz::Fail("a double-byte character changed", name, buffer.data());
  return 0;
}

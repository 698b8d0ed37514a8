// The executable header reader over hostile file heads. Oracles: a machine is only read from
// an "MZ" file whose header, signature and machine word lie inside the first bytes it may
// look at, and nothing after those bytes changes the answer.
#include "discovery/module_machine.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A copy of exactly size bytes, so the sanitizer sees any read past the end.
  std::vector<unsigned char> bytes(data, data + size);
  const ModuleMachine machine = ReadModuleMachine(bytes.data(), bytes.size());
  const size_t head = size < kModuleHeadBytes ? size : kModuleHeadBytes;
  if (ReadModuleMachine(bytes.data(), head) != machine)
    fuzz::Fail("bytes past the head changed the answer", "", "");
  if (machine == ModuleMachine::kNotModule) return 0;
  const size_t at = head >= 0x40 ? (bytes[0x3C] | bytes[0x3D] << 8 | bytes[0x3E] << 16 |
                                    static_cast<size_t>(bytes[0x3F]) << 24)
                                 : 0;
  if (head < 0x40 || bytes[0] != 'M' || bytes[1] != 'Z' || at + 6 > head ||
      memcmp(&bytes[at], "PE\0\0", 4) != 0) {
    fuzz::Fail("a machine read from no header", "", "");
  }
  return 0;
}

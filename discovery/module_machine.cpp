#include "discovery/module_machine.h"

#include <stdint.h>

namespace {

// Where the DOS header keeps the offset of the executable header (e_lfanew).
constexpr size_t kHeaderOffsetAt = 0x3C;
// "PE\0\0", then the machine word.
constexpr size_t kSignatureBytes = 4;
constexpr size_t kMachineBytes = 2;

uint32_t Word32(const unsigned char* at) {
  return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 |
         static_cast<uint32_t>(at[2]) << 16 | static_cast<uint32_t>(at[3]) << 24;
}

}  // namespace

ModuleMachine ReadModuleMachine(const unsigned char* head, size_t size) {
  if (size > kModuleHeadBytes) size = kModuleHeadBytes;
  if (size < kHeaderOffsetAt + 4 || head[0] != 'M' || head[1] != 'Z') {
    return ModuleMachine::kNotModule;
  }
  // Compared by subtraction, so a hostile offset near 4 GB cannot wrap around the bounds.
  const uint32_t at = Word32(head + kHeaderOffsetAt);
  if (at > size || size - at < kSignatureBytes + kMachineBytes) return ModuleMachine::kNotModule;
  const unsigned char* pe = head + at;
  if (pe[0] != 'P' || pe[1] != 'E' || pe[2] != 0 || pe[3] != 0) return ModuleMachine::kNotModule;
  const unsigned machine = pe[4] | static_cast<unsigned>(pe[5]) << 8;
  switch (machine) {
    case 0x014C: return ModuleMachine::kX86;
    case 0x8664: return ModuleMachine::kX64;
    case 0xAA64: return ModuleMachine::kArm64;
    default: return ModuleMachine::kOther;
  }
}

#include "discovery/module_machine.h"

#include <gtest/gtest.h>

#include <stdint.h>

#include <string>

namespace {

// A file's first bytes: "MZ", the header offset at 0x3C, "PE\0\0" and the machine word there.
std::string Head(uint16_t machine, uint32_t at = 0x80, size_t size = 0x200) {
  std::string bytes(0x2000, '\0');
  bytes.replace(0, 2, "MZ");
  for (int i = 0; i < 4; ++i) bytes[0x3C + i] = static_cast<char>(at >> (8 * i));
  if (at < 0x1000) {
    bytes.replace(at, 4, std::string("PE\0\0", 4));
    bytes[at + 4] = static_cast<char>(machine & 0xFF);
    bytes[at + 5] = static_cast<char>(machine >> 8);
  }
  bytes.resize(size);
  return bytes;
}

TEST(ModuleMachine, ReadsTheMachineWordOnlyInsideTheBytesRead) {
  std::string wrongSignature = Head(0x8664);
  wrongSignature[0x83] = 1;
  const struct {
    const char* what;
    std::string bytes;
    ModuleMachine machine;
  } cases[] = {
      {"x86", Head(0x014C), ModuleMachine::kX86},
      {"x64", Head(0x8664), ModuleMachine::kX64},
      {"ARM64", Head(0xAA64), ModuleMachine::kArm64},
      {"ARM", Head(0x01C4), ModuleMachine::kOther},
      {"machine word ends the bytes", Head(0x8664, 0x40, 0x46), ModuleMachine::kX64},
      {"machine word cut off", Head(0x8664, 0x40, 0x45), ModuleMachine::kNotModule},
      {"header offset not read", Head(0x014C, 0x80, 0x3F), ModuleMachine::kNotModule},
      {"header beyond the bytes", Head(0x014C, 0x300), ModuleMachine::kNotModule},
      {"offset that wraps", Head(0x014C, 0xFFFFFFFE), ModuleMachine::kNotModule},
      {"header past the head a reader takes", Head(0x8664, 0xFFC, 0x1100),
       ModuleMachine::kNotModule},
      {"header inside the DOS header", Head(0x014C, 0), ModuleMachine::kNotModule},
      {"no PE signature", wrongSignature, ModuleMachine::kNotModule},
      {"no MZ", "ZM" + Head(0x014C).substr(2), ModuleMachine::kNotModule},
      {"empty", "", ModuleMachine::kNotModule},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.machine, ReadModuleMachine(reinterpret_cast<const unsigned char*>(c.bytes.data()),
                                           c.bytes.size()))
        << c.what;
  }
}

}  // namespace

#pragma once

#include <stddef.h>

// Which processor a program or plug-in module is built for, from the first bytes of its file.
// A module loads only into a program built for the same processor.
enum class ModuleMachine { kNotModule, kX86, kX64, kArm64, kOther };

// How much of a file the header reader needs: every header a linker writes lies well inside.
constexpr size_t kModuleHeadBytes = 4096;

// Reads the machine word of the executable header in head (size bytes, of which at most
// kModuleHeadBytes are looked at). kNotModule when the bytes are too short, do not begin with
// "MZ", point outside themselves for the header, or lack its "PE\0\0" signature.
ModuleMachine ReadModuleMachine(const unsigned char* head, size_t size);

// A program for x64 or ARM64: the editors that cannot load these 32-bit x86 filters.
inline bool IsSixtyFourBit(ModuleMachine machine) {
  return machine == ModuleMachine::kX64 || machine == ModuleMachine::kArm64;
}

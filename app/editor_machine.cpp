#include "app/editor_machine.h"

#include <windows.h>

#include "discovery/module_machine.h"
#include "discovery/path_rules.h"
#include "platform/scoped_win32.h"
#include "text/text_buffer.h"

namespace {

// A folder of thousands of plug-ins is judged by its first ones: Install must not wait.
constexpr int kModulesLooked = 32;

#ifndef FILE_ATTRIBUTE_RECALL_ON_OPEN
#define FILE_ATTRIBUTE_RECALL_ON_OPEN 0x00040000
#endif
#ifndef FILE_ATTRIBUTE_RECALL_ON_DATA_ACCESS
#define FILE_ATTRIBUTE_RECALL_ON_DATA_ACCESS 0x00400000
#endif

// Not read: folders and devices are no modules, and reading a file kept only online or
// offline would fetch all of it first.
constexpr DWORD kNotRead = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE |
                           FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_RECALL_ON_OPEN |
                           FILE_ATTRIBUTE_RECALL_ON_DATA_ACCESS;

ModuleMachine FileMachine(const char* path, DWORD attributes) {
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & kNotRead) != 0) {
    return ModuleMachine::kNotModule;
  }
  ScopedFileHandle file(CreateFileA(path, GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return ModuleMachine::kNotModule;
  unsigned char head[kModuleHeadBytes];
  DWORD got = 0;
  // A name such as "con" opens a device, not a file.
  if (GetFileType(file.get()) != FILE_TYPE_DISK ||
      !ReadFile(file.get(), head, sizeof head, &got, nullptr)) {
    return ModuleMachine::kNotModule;
  }
  return ReadModuleMachine(head, got);
}

bool IsModuleName(const char* name) {
  const int length = lstrlenA(name);
  return length > 4 && lstrcmpiA(name + length - 4, ".8bf") == 0;
}

// True when the folder holds at least one 64-bit module and no x86 one among the first it
// lists. Other processors and files that are no modules say nothing.
bool HoldsOnlySixtyFourBitModules(const char* folder) {
  char path[kPathChars];
  if (!JoinPath(path, sizeof path, "*.8bf", folder)) return false;
  WIN32_FIND_DATAA found;
  HANDLE listing = FindFirstFileA(path, &found);
  if (listing == INVALID_HANDLE_VALUE) return false;
  int sixtyFour = 0;
  bool x86 = false;
  for (int seen = 0; seen < kModulesLooked && !x86; ++seen) {
    // The pattern also matches by the short name: "a.8bfx" is no module.
    if (IsModuleName(found.cFileName) && JoinPath(path, sizeof path, found.cFileName, folder)) {
      const ModuleMachine machine = FileMachine(path, found.dwFileAttributes);
      x86 = machine == ModuleMachine::kX86;
      if (IsSixtyFourBit(machine)) ++sixtyFour;
    }
    if (!FindNextFileA(listing, &found)) break;
  }
  FindClose(listing);
  return sixtyFour > 0 && !x86;
}

}  // namespace

EditorEvidence SixtyFourBitEvidence(const char* program, const char* pluginFolder) {
  if (program[0] != '\0') {
    const ModuleMachine machine = FileMachine(program, GetFileAttributesA(program));
    if (machine == ModuleMachine::kX86) return EditorEvidence::kNone;
    if (IsSixtyFourBit(machine)) return EditorEvidence::kSixtyFourProgram;
  }
  return HoldsOnlySixtyFourBitModules(pluginFolder) ? EditorEvidence::kSixtyFourModules
                                                    : EditorEvidence::kNone;
}

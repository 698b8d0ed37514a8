#include "app/editor_machine.h"

#include <windows.h>

#include "discovery/module_machine.h"
#include "discovery/path_rules.h"
#include "platform/scoped_win32.h"
#include "text/ansi_chars.h"
#include "text/text_buffer.h"

namespace {

// A folder of thousands of plug-ins is judged by its first ones: Install must not wait. The
// files read, and the names listed, in all.
constexpr int kFilesRead = 32;
constexpr int kNamesListed = 256;
// An editor of today keeps its program in the folder above its plug-in folder, an older one at
// most one more level up.
constexpr int kLevelsUp = 2;

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

// What the files read so far say, within the bounds above.
struct Tally {
  int filesLeft = kFilesRead;
  int namesLeft = kNamesListed;
  int sixtyFour = 0;
  bool x86 = false;
  char firstSixtyFour[kPathChars] = "";

  bool Done() const { return x86 || filesLeft == 0 || namesLeft == 0; }
  bool Said() const { return x86 || sixtyFour > 0; }
};

ModuleMachine FileMachine(const char* path, DWORD attributes, Tally& tally) {
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & kNotRead) != 0 ||
      tally.filesLeft == 0) {
    return ModuleMachine::kNotModule;
  }
  --tally.filesLeft;
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

void Count(const char* path, DWORD attributes, Tally& tally) {
  const ModuleMachine machine = FileMachine(path, attributes, tally);
  if (machine == ModuleMachine::kX86) tally.x86 = true;
  if (!IsSixtyFourBit(machine)) return;
  if (tally.sixtyFour++ == 0) CopyText(tally.firstSixtyFour, sizeof tally.firstSixtyFour, path);
}

bool HasSuffix(const char* name, const char* suffix) {
  const int length = lstrlenA(name);
  const int suffixLength = lstrlenA(suffix);
  return length > suffixLength && lstrcmpiA(name + length - suffixLength, suffix) == 0;
}

// Reads the files of folder named *suffix (".8bf", ".exe"). Returns whether there was any.
bool ReadFiles(const char* folder, const char* suffix, Tally& tally) {
  char path[kPathChars];
  char pattern[8] = "*";
  if (!AppendText(pattern, sizeof pattern, suffix) ||
      !JoinPath(path, sizeof path, pattern, folder)) {
    return false;
  }
  WIN32_FIND_DATAA found;
  HANDLE listing = FindFirstFileA(path, &found);
  if (listing == INVALID_HANDLE_VALUE) return false;
  bool any = false;
  do {
    --tally.namesLeft;
    // The pattern also matches by the short name: "a.8bfx" is no module.
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
        HasSuffix(found.cFileName, suffix) &&
        JoinPath(path, sizeof path, found.cFileName, folder)) {
      any = true;
      Count(path, found.dwFileAttributes, tally);
    }
  } while (!tally.Done() && FindNextFileA(listing, &found));
  FindClose(listing);
  return any;
}

// The modules directly in the folder, then those one level of sub-folders down.
void ReadModules(const char* folder, Tally& tally) {
  ReadFiles(folder, ".8bf", tally);
  char path[kPathChars];
  if (tally.Done() || !JoinPath(path, sizeof path, "*", folder)) return;
  WIN32_FIND_DATAA found;
  HANDLE listing = FindFirstFileA(path, &found);
  if (listing == INVALID_HANDLE_VALUE) return;
  do {
    --tally.namesLeft;
    const bool dots = lstrcmpA(found.cFileName, ".") == 0 || lstrcmpA(found.cFileName, "..") == 0;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && !dots &&
        JoinPath(path, sizeof path, found.cFileName, folder)) {
      ReadFiles(path, ".8bf", tally);
    }
  } while (!tally.Done() && FindNextFileA(listing, &found));
  FindClose(listing);
}

// Ends folder (ending with a backslash) after the backslash before its last one: its parent.
// False at a drive root or where no parent is named.
bool MoveUp(char* folder) {
  size_t last = 0;
  bool seen = false;
  // A second byte that looks like a backslash is part of its character.
  for (size_t at = 0; folder[at] != '\0'; at += ansi::CharBytes(folder + at)) {
    if (folder[at] != '\\' || folder[at + 1] == '\0') continue;
    last = at;
    seen = true;
  }
  if (!seen) return false;
  folder[last + 1] = '\0';
  return true;
}

// The programs of the nearest folder above that holds any.
void ReadProgramsAbove(const char* pluginFolder, Tally& tally) {
  char folder[kPathChars];
  if (!CopyText(folder, sizeof folder, pluginFolder)) return;
  for (int level = 0; level < kLevelsUp && !tally.Done() && MoveUp(folder); ++level) {
    if (ReadFiles(folder, ".exe", tally)) return;
  }
}

}  // namespace

EditorEvidence SixtyFourBitEvidence(const char* program, const char* pluginFolder, char* shown,
                                    size_t cap) {
  if (cap > 0) shown[0] = '\0';
  Tally tally;
  if (program[0] != '\0') {
    Count(program, GetFileAttributesA(program), tally);
    if (tally.x86) return EditorEvidence::kNone;
    if (tally.sixtyFour > 0) {
      CopyText(shown, cap, program);
      return EditorEvidence::kSixtyFourProgram;
    }
  }
  ReadModules(pluginFolder, tally);
  if (tally.Said()) return tally.x86 ? EditorEvidence::kNone : EditorEvidence::kSixtyFourModules;
  ReadProgramsAbove(pluginFolder, tally);
  if (tally.x86 || tally.sixtyFour == 0) return EditorEvidence::kNone;
  CopyText(shown, cap, tally.firstSixtyFour);
  return EditorEvidence::kSixtyFourProgram;
}

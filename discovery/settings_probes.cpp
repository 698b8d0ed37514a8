#include "discovery/settings_probes.h"

#include <string.h>

#include "discovery/existing_folder.h"
#include "discovery/path_rules.h"
#include "discovery/registry_read.h"
#include "discovery/resumable_file_search.h"
#include "discovery/scoped_stdio_file.h"
#include "discovery/settings_scan.h"
#include "discovery/text_line.h"
#include "text/ansi_chars.h"
#include "text/text_buffer.h"

namespace {

// Adds the drive path at `at` in a settings line of the program's editor (empty: not known).
// The add works on a copy: trimming and normalising it must not eat the rest of the line,
// which may hold further paths.
void AddLinePath(const char* line, int at, const char* program) {
  char folder[kPathChars];
  CopyText(folder, sizeof folder, line + at);
  AddProgramFolder(folder, program);
}

// Reads a preference file; true when a key line held a drive path (added or not).
bool ProbePreferenceFile(const char* path, const char* keyWord, const char* program) {
  ScopedStdioFile file(path, "rt");
  if (!file) return false;
  char line[kPathChars];
  while (ReadTextLine(file.get(), line, sizeof line)) {
    ansi::ToLowerInPlace(line);
    if (ansi::FindText(line, keyWord) == nullptr) continue;
    const int at = DrivePathScan(line).next();
    if (at >= 0) {
      AddLinePath(line, at, program);
      return true;
    }
  }
  return false;
}

}  // namespace

bool FindAppFolder(HKEY root, const char* keyPath, const char* subPath, char* out, size_t cap,
                   char* program) {
  char key[kPathChars];
  char command[kPathChars];
  if (cap > 0) out[0] = '\0';
  if (program != nullptr) program[0] = '\0';
  if (!JoinPath(key, sizeof key, subPath, keyPath) ||
      ReadRegistryString(root, key, "", command, sizeof command) != ERROR_SUCCESS) {
    return false;
  }
  if (program != nullptr) ProgramFileOfCommand(command, program, kPathChars);
  if (!ProgramFolderOfCommand(command) || !CopyText(out, cap, command)) {
    if (cap > 0) out[0] = '\0';
    if (program != nullptr) program[0] = '\0';
    return false;
  }
  return true;
}

void PreferenceFileProbe(const char* progId, const char* prefix, const char* suffix,
                         const char* keyWord, int32_t levelsUp) {
  char folder[kPathChars];
  char program[kPathChars];
  if (!FindAppFolder(HKEY_CLASSES_ROOT, progId, "shell\\open\\command", folder, sizeof folder,
                     program)) {
    return;
  }
  char file[kPathChars];
  int32_t restart = 1;
  while (ResumableFileSearch(folder, prefix, suffix, file, sizeof file, &restart, levelsUp)) {
    if (ProbePreferenceFile(file, keyWord, program)) {
      EndFileSearch();
      return;
    }
  }
}

void WindowsIniProbe(const char* fileName, const char* keyWord) {
  char path[kPathChars];
  const UINT len = GetWindowsDirectoryA(path, sizeof path);
  if (len == 0 || len >= sizeof path || !JoinPath(path, sizeof path, fileName)) return;
  ScopedStdioFile file(path, "rt");
  if (!file) return;
  char line[kPathChars];
  while (ReadTextLine(file.get(), line, sizeof line)) {
    ansi::ToLowerInPlace(line);
    if (ansi::FindText(line, keyWord) == nullptr) continue;
    DrivePathScan scan(line);
    for (int at = scan.next(); at >= 0; at = scan.next()) AddLinePath(line, at, "");
  }
}

void BinarySettingsProbe(const char* path, const char* program) {
  ScopedStdioFile file(path, "rb");
  if (!file) return;
  char folder[kPathChars];
  if (FindSettingsFolderRecord(file.get(), folder, sizeof folder)) {
    AddProgramFolder(folder, program);
  }
}

// The path rules, the text steps of adding a candidate folder and the registry value test,
// on hostile folder texts. Oracles: no rule splits or changes a double-byte character; a
// trimmed folder is a front part of its text; a stored folder ends with a backslash and is one
// that Install accepts unchanged.
#include "discovery/candidate_folder_list.h"
#include "discovery/folder_rule.h"
#include "discovery/path_rules.h"
#include "discovery/registry_value_rule.h"
#include "fuzz_support.h"
#include "text/text_buffer.h"

namespace {

// A stand-in for the file system that accepts some forms of every text, so that trimming
// stops at varying places.
bool SomeExist(const char* folder) { return strlen(folder) % 3 == 0; }

std::string Run(void (*rule)(char*), const std::string& text) {
  char buffer[kPathChars];
  CopyText(buffer, sizeof buffer, text.c_str());
  rule(buffer);
  fuzz::ExpectPairsKept("rule", text, buffer);
  return buffer;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = fuzz::AsText(fuzz::TakeCodePage(data, size), kPathChars);

  Run(CapitalizePath, text);
  Run(StripLeadingNonLetters, text);
  Run([](char* t) { ProgramFolderOfCommand(t); }, text);
  char program[kPathChars];
  if (ProgramFileOfCommand(text.c_str(), program, sizeof program)) {
    if (text.find(program) == std::string::npos)
      fuzz::Fail("program not in the command", text, program);
    fuzz::ExpectPairsKept("program", text, program);
  }
  Run([](char* t) { EnsureTrailingBackslash(t, kPathChars); }, text);
  const std::string trimmed = Run([](char* t) { FindExistingFolder(t, SomeExist); }, text);
  if (text.compare(0, trimmed.size(), trimmed) != 0 && trimmed + "\\" != text)
    fuzz::Fail("trimming changed the folder", text, trimmed);

  ResetCandidateFolderList();
  char added[kPathChars];
  CopyText(added, sizeof added, text.c_str());
  AddCandidateFolder(added, SomeExist);
  const char* stored = CandidateFolderList[0].path;
  if (stored[0] != '\0') {
    fuzz::ExpectPairsKept("stored folder", text, stored);
    if (!ansi::EndsWithChar(stored, strlen(stored), '\\'))
      fuzz::Fail("stored folder without its backslash", text, stored);
    // Every entry of the drop-down is a folder that Install accepts as it stands.
    char install[kPathChars];
    CopyText(install, sizeof install, stored);
    NormaliseFolderText(install);
    if (strcmp(install, stored) != 0 || CheckFolderText(stored) != FolderTextProblem::kNone)
      fuzz::Fail("stored folder that Install would change or refuse", text, stored);
  }

  char joined[kPathChars];
  if (JoinPath(joined, sizeof joined, "plugins", text.c_str()))
    fuzz::ExpectPairsKept("join", text + "\\plugins", joined);

  char keyPath[kPathChars], name[kPathChars], value[kPathChars];
  CopyText(keyPath, sizeof keyPath, text.c_str());
  CopyText(name, sizeof name, text.c_str());
  CopyText(value, sizeof value, text.c_str());
  const RegistryValueFilter filter{"", "installdest", "photodraw\\plugins"};
  if (AcceptRegistryValue(keyPath, name, value, filter)) {
    if (value[1] != ':') fuzz::Fail("accepted value is no drive path", text, value);
  }
  fuzz::ExpectPairsKept("value name", text, name);
  return 0;
}

#include "discovery/candidate_programs.h"

#include <string.h>

#include "discovery/folder_rule.h"
#include "text/ansi_chars.h"

char CandidateProgramList[kCandidateFolderCount][kPathChars];
bool CandidateHostLoadsX86List[kCandidateFolderCount];

namespace {

// The entry that lists text (in normal form), or -1.
int ListedAt(const char* text) {
  for (int i = 0; i < kCandidateFolderCount && CandidateFolderList[i].path[0] != '\0'; ++i) {
    if (strcmp(CandidateFolderList[i].path, text) == 0) return i;
  }
  return -1;
}

}  // namespace

void ResetCandidatePrograms() {
  for (char* program : CandidateProgramList) program[0] = '\0';
  for (bool& loads : CandidateHostLoadsX86List) loads = false;
}

void AddProgramFolder(char* text, const char* program, FolderExistsTest exists) {
  AddCandidateFolder(text, exists);
  if (program[0] == '\0') return;
  // The text now holds the folder in the form it is listed by, if it is listed at all.
  const int i = ListedAt(text);
  if (i >= 0 && CandidateProgramList[i][0] == '\0') {
    CopyText(CandidateProgramList[i], sizeof CandidateProgramList[i], program);
  }
}

void AddHostFolder(char* text, int32_t appendSubfolder, bool loadsX86, FolderExistsTest exists) {
  if (BoundedLength(text, kPathChars) == kPathChars) return;
  NormaliseFolderText(text);
  // Tried only from a drive root: a relative text would be looked up in whatever folder is
  // current.
  const bool rooted =
      text[0] != '\0' && !ansi::IsLeadByte(text[0]) && text[1] == ':' && text[2] == '\\';
  if (!rooted || CheckFolderText(text) != FolderTextProblem::kNone || !exists(text)) return;
  AddCandidateFolder(text, exists, appendSubfolder);
  const int i = ListedAt(text);
  if (i >= 0 && loadsX86) CandidateHostLoadsX86List[i] = true;
}

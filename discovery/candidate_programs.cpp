#include "discovery/candidate_programs.h"

#include <string.h>

char CandidateProgramList[kCandidateFolderCount][kPathChars];

void ResetCandidatePrograms() {
  for (char* program : CandidateProgramList) program[0] = '\0';
}

void AddProgramFolder(char* text, const char* program, FolderExistsTest exists) {
  AddCandidateFolder(text, exists);
  if (program[0] == '\0') return;
  // The text now holds the folder in the form it is listed by, if it is listed at all.
  for (int i = 0; i < kCandidateFolderCount && CandidateFolderList[i].path[0] != '\0'; ++i) {
    if (strcmp(CandidateFolderList[i].path, text) != 0) continue;
    if (CandidateProgramList[i][0] == '\0') {
      CopyText(CandidateProgramList[i], sizeof CandidateProgramList[i], program);
    }
    return;
  }
}

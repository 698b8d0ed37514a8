#include "discovery/existing_folder.h"

#include "discovery/candidate_programs.h"
#include "discovery/folder_entry.h"

bool EnterFolder(const char* folder) { return CanEnterFolder(folder); }

bool FindExistingFolder(char* text) { return FindExistingFolder(text, EnterFolder); }

void AddCandidateFolder(char* text) { AddCandidateFolder(text, EnterFolder); }

void AddProgramFolder(char* text, const char* program) {
  AddProgramFolder(text, program, EnterFolder);
}

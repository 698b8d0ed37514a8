#include "discovery/existing_folder.h"

#include <windows.h>

bool EnterFolder(const char* folder) { return SetCurrentDirectoryA(folder) != FALSE; }

bool FindExistingFolder(char* text) { return FindExistingFolder(text, EnterFolder); }

void AddCandidateFolder(char* text) { AddCandidateFolder(text, EnterFolder); }

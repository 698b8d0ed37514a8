#pragma once

#include "discovery/candidate_folder_list.h"

// The installer's existence test: the folder can be made the current directory (it does
// not stay so).
bool EnterFolder(const char* folder);

// FindExistingFolder and AddCandidateFolder with that test.
bool FindExistingFolder(char* text);
void AddCandidateFolder(char* text);
void AddProgramFolder(char* text, const char* program);

#pragma once

#include "discovery/candidate_folder_list.h"

// The installer's existence test: the folder becomes the process's current directory.
bool EnterFolder(const char* folder);

// FindExistingFolder and AddCandidateFolder with that test.
bool FindExistingFolder(char* text);
void AddCandidateFolder(char* text);

#pragma once

#include "discovery/candidate_folder_list.h"
#include "text/text_buffer.h"

// Beside each entry of the CandidateFolderList, at the same position: the program file through
// which discovery found that folder (an editor's open command or application path), whose
// header tells which processor the folder's editor is built for. Empty for a folder found
// only in a registry value or an ini file.
extern char CandidateProgramList[kCandidateFolderCount][kPathChars];

// Every entry empty, as at start-up; ResetCandidateFolderList empties it too.
void ResetCandidatePrograms();

// AddCandidateFolder for a folder found through program (a file path; may be empty). When
// the folder is listed, now or by an earlier probe, and has no program yet, remembers this one.
void AddProgramFolder(char* text, const char* program, FolderExistsTest exists);

#pragma once

#include <stdint.h>

#include "discovery/candidate_folder_list.h"
#include "text/text_buffer.h"

// Beside each entry of the CandidateFolderList, at the same position: the program file through
// which discovery found that folder (an editor's open command or application path), whose
// header tells which processor the folder's editor is built for. Empty for a folder found
// only in a registry value or an ini file.
extern char CandidateProgramList[kCandidateFolderCount][kPathChars];

// Beside each entry too: the folder belongs to a host that loads these 32-bit filters in a
// 32-bit helper process of its own, whatever the build of the editor around it.
extern bool CandidateHostLoadsX86List[kCandidateFolderCount];

// Every entry empty, as at start-up; ResetCandidateFolderList empties it too.
void ResetCandidatePrograms();

// AddCandidateFolder for a folder found through program (a file path; may be empty). When
// the folder is listed, now or by an earlier probe, and has no program yet, remembers this one.
void AddProgramFolder(char* text, const char* program, FolderExistsTest exists);

// AddCandidateFolder for a folder a host of today names in its own settings: only a folder
// named from a drive root that exists as named is passed on (it is not trimmed to a parent),
// and only when Install would take it. appendSubfolder as for AddCandidateFolder; when
// loadsX86 is set, the entry that lists the folder, now or from an earlier probe, is marked
// in CandidateHostLoadsX86List.
void AddHostFolder(char* text, int32_t appendSubfolder, bool loadsX86, FolderExistsTest exists);

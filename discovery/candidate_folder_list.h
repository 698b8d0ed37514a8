#pragma once

#include <stdint.h>

#include "text/text_buffer.h"

// The plug-in folders that discovery found, in the order the folder drop-down shows them.
struct CandidateFolder {
  char path[kPathChars];    // normal form, ends with a backslash; empty marks a free entry
  int32_t appendSubfolder;  // 1: the dialog shows path + "Quillane\"; 0: path alone
};

constexpr int kCandidateFolderCount = 20;

// Filled from the front; the first empty path ends the list.
extern CandidateFolder CandidateFolderList[kCandidateFolderCount];

// Every entry empty with appendSubfolder 1, as at start-up.
void ResetCandidateFolderList();

// The existence test of a folder. The installer makes the folder its current directory.
using FolderExistsTest = bool (*)(const char* folder);

// Sheds trailing junk (quotes, semicolons, a file name) from a drive path, one character at
// a time down to its last backslash, until `exists` accepts it; a drive root is never
// accepted. Blanks and single dots at the end of the form found, which the system ignores,
// are dropped when the folder is found without them too. Returns false when no form exists;
// the text is then shortened to the last form tried.
bool FindExistingFolder(char* text, FolderExistsTest exists);

// Stores the folder that text (a kPathChars buffer) names, once, in normal form: "/" and "."
// steps as the system reads them (NormaliseFolderText), cut before the maker's own
// sub-folder, ended with a backslash, capitalised. A text that Install would refuse
// (CheckFolderText) is not stored. Folders under "igrafx"
// are shown without the maker's sub-folder. Drops the text silently when the folder does not
// exist, is already listed, or the list is full. The buffer afterwards holds the text as
// trimmed and, when the folder exists, in its normal form. appendSubfolder is the flag of an
// entry stored now (an entry listed before keeps its own).
void AddCandidateFolder(char* text, FolderExistsTest exists, int32_t appendSubfolder = 1);

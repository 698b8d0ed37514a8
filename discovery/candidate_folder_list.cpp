#include "discovery/candidate_folder_list.h"

#include <string.h>

#include "discovery/candidate_programs.h"
#include "discovery/folder_rule.h"
#include "discovery/path_rules.h"
#include "text/ansi_chars.h"

// Zero in the file and filled in before the entry runs: a written-out table of empty entries
// would cost the download 8 KB.
CandidateFolder CandidateFolderList[kCandidateFolderCount];

namespace {

[[maybe_unused]] const bool kListReady = (ResetCandidateFolderList(), true);

// A drive root ("C:\") has three characters; every folder that is stored is longer.
constexpr size_t kDriveRootChars = 3;

// Only a path from a drive root names the same folder wherever the current directory is;
// "C:plugins" would be looked up below whatever folder the previous existence test entered.
bool IsRootedDrivePath(const char* text) {
  return text[0] != '\0' && !ansi::IsLeadByte(text[0]) && text[1] == ':' &&
         (text[2] == '\\' || text[2] == '/');
}

// The maker's own sub-folder is appended by the dialog, so a folder found inside it is
// listed as its parent: "...\plug-ins\quillane\" and "...\plug-ins\quillanefilters" both
// become "...\plug-ins\".
void CutAtMakerFolder(char* text) {
  char* at = ansi::FindText(text, "quil");
  if (at != nullptr && at > text && ansi::EndsWithChar(text, at - text, '\\')) *at = '\0';
}

// The system ignores blanks and single dots at the end of a folder name, so the folder found
// as "...\plugins ;comment" cut to "...\plugins " is "...\plugins". Returns the length
// without them; "\.." names the parent, so a dot after a dot stays.
size_t LengthWithoutIgnoredEnd(const char* text, size_t len) {
  while (len > kDriveRootChars) {
    const size_t last = ansi::LastCharStart(text, len);
    if (last != len - 1) break;  // a double-byte character
    const char c = text[last];
    if (c != ' ' && (c != '.' || ansi::EndsWithChar(text, last, '.'))) break;
    --len;
  }
  return len;
}

}  // namespace

void ResetCandidateFolderList() {
  for (CandidateFolder& entry : CandidateFolderList) {
    entry.path[0] = '\0';
    entry.appendSubfolder = 1;
  }
  ResetCandidatePrograms();
}

bool FindExistingFolder(char* text, FolderExistsTest exists) {
  size_t len = BoundedLength(text, kPathChars);
  if (len == kPathChars) return false;  // not a terminated path
  if (ansi::EndsWithChar(text, len, '\\')) text[--len] = '\0';
  if (!IsRootedDrivePath(text)) return false;
  while (len > kDriveRootChars) {
    if (exists(text)) break;
    if (ansi::EndsWithChar(text, len, '\\')) return false;
    // One whole character goes: half of a double-byte one would name another folder.
    len = ansi::LastCharStart(text, len);
    text[len] = '\0';
  }
  if (len <= kDriveRootChars) return false;
  const size_t kept = LengthWithoutIgnoredEnd(text, len);
  // A drive root named with blanks or dots after it is still a drive root.
  if (kept <= kDriveRootChars) return false;
  if (kept < len) {
    // The shorter text is kept only if the system finds the folder by it too: on a file
    // system that keeps such blanks, it names another folder.
    const char cut = text[kept];
    text[kept] = '\0';
    if (!exists(text)) text[kept] = cut;
  }
  return true;
}

void AddCandidateFolder(char* text, FolderExistsTest exists, int32_t appendSubfolder) {
  // Listed is only what Install accepts, as the folder the system would use for the text.
  if (BoundedLength(text, kPathChars) == kPathChars) return;
  NormaliseFolderText(text);
  if (!FindExistingFolder(text, exists) || CheckFolderText(text) != FolderTextProblem::kNone) {
    return;
  }
  ansi::ToLowerInPlace(text);
  CutAtMakerFolder(text);
  // "C:\Quillane\" cut to its drive root is not a plug-in folder.
  if (strlen(text) <= kDriveRootChars) return;
  const bool underIgrafx = ansi::FindText(text, "igrafx") != nullptr;
  // A text that cannot take its backslash is dropped, not cut into another folder's name.
  if (!EnsureTrailingBackslash(text, kPathChars)) return;
  CapitalizePath(text);
  for (CandidateFolder& entry : CandidateFolderList) {
    if (entry.path[0] == '\0') {
      CopyText(entry.path, sizeof entry.path, text);
      entry.appendSubfolder = underIgrafx ? 0 : appendSubfolder;
      return;
    }
    if (strcmp(entry.path, text) == 0) return;
  }
}

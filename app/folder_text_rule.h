#pragma once

#include <stddef.h>

// Why a chosen folder text is refused before the installer enters, creates or writes into
// it. Each refused form would make the system write somewhere other than the folder the
// user saw in the drop-down.
enum class FolderTextProblem {
  kNone,
  kDevicePrefix,  // "\\.\" or "\\?\" (or "\??\"): skips the system's own path checks
  kForwardSlash,  // "/" is a second separator the user does not read as one
  kDotStep,       // a "." or ".." step: the system folds it into another folder
  kStreamColon,   // ":" after the drive: an alternate data stream, not a folder
};

// The first problem of the text, in the order listed above; kNone for a usable text.
FolderTextProblem CheckFolderText(const char* text);

// One line that says why, for the message that names the folder.
const char* FolderTextProblemReason(FolderTextProblem problem);

// "The folder\n\n<folder>\n\ncannot be used: <reason>.\n\n..." in dst (capacity cap). Returns
// false when it does not fit; dst then holds as much as fitted.
bool RefusedFolderText(char* dst, size_t cap, const char* folder, FolderTextProblem problem);

#pragma once

// What folder text the installer can use, and why not, decided in this one place: discovery
// lists only such folders and Install writes only into them, so every entry of the drop-down is
// one that Install accepts. Texts are 8-bit ANSI and zero-terminated.

// Why a folder text cannot be used. Each would make the system write somewhere other than
// the folder the user saw in the drop-down.
enum class FolderTextProblem {
  kNone,
  kDevicePrefix,  // "\\.\" or "\\?\" (or "\??\"): skips the system's own path checks
  kDotStep,       // a ".." step or longer run of dots: the system folds it into another folder
  kStreamColon,   // ":" after the drive: an alternate data stream, not a folder
};

// Turns the text, in place, into the folder the system uses for it: every "/" becomes "\" and
// "." steps go. A text with a device prefix is left as it is: its "." is no step.
void NormaliseFolderText(char* text);

// The first problem of the text, in the order listed above; kNone for a usable text.
FolderTextProblem CheckFolderText(const char* text);

// One line that says why, for the message that names the folder. Plain ASCII.
const char* FolderTextProblemReason(FolderTextProblem problem);

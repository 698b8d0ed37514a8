#include "app/folder_text_rule.h"

#include "text/text_buffer.h"

#include <string.h>

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// A step made only of dots: "." and ".." move the folder, and longer runs of dots are
// dropped by the system's path folding, so none of them names what it shows.
bool HasDotStep(const char* text) {
  const char* step = text;
  for (const char* at = text;; ++at) {
    if (*at == '\0' || IsSeparator(*at)) {
      bool dotsOnly = at > step;
      for (const char* c = step; c < at; ++c) dotsOnly = dotsOnly && *c == '.';
      if (dotsOnly) return true;
      if (*at == '\0') return false;
      step = at + 1;
    }
  }
}

bool HasDevicePrefix(const char* text) {
  return strncmp(text, "\\\\.\\", 4) == 0 || strncmp(text, "\\\\?\\", 4) == 0 ||
         strncmp(text, "\\??\\", 4) == 0;
}

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool HasStreamColon(const char* text) {
  // The drive's own colon is the second character after a letter; any other is a stream.
  const char* from = IsDriveLetter(text[0]) && text[1] == ':' ? text + 2 : text;
  return strchr(from, ':') != nullptr;
}

}  // namespace

FolderTextProblem CheckFolderText(const char* text) {
  if (HasDevicePrefix(text)) return FolderTextProblem::kDevicePrefix;
  if (strchr(text, '/') != nullptr) return FolderTextProblem::kForwardSlash;
  if (HasDotStep(text)) return FolderTextProblem::kDotStep;
  if (HasStreamColon(text)) return FolderTextProblem::kStreamColon;
  return FolderTextProblem::kNone;
}

const char* FolderTextProblemReason(FolderTextProblem problem) {
  switch (problem) {
    case FolderTextProblem::kDotStep:
      return "it has a \".\" or \"..\" step, so the files would land in another folder";
    case FolderTextProblem::kForwardSlash:
      return "it has a forward slash \"/\"; folders are separated by \"\\\" only";
    case FolderTextProblem::kDevicePrefix:
      return "it starts with a device prefix (\"\\\\.\\\" or \"\\\\?\\\"), which skips the "
             "system's path checks";
    case FolderTextProblem::kStreamColon:
      return "it has a \":\" after the drive, which names a hidden data stream, not a folder";
    case FolderTextProblem::kNone:
      break;
  }
  return "it is not a plain folder path";
}

bool RefusedFolderText(char* dst, size_t cap, const char* folder, FolderTextProblem problem) {
  if (cap == 0) return false;
  // Plain joins: a formatting routine would bring a whole printf engine into the download.
  dst[0] = '\0';
  return AppendText(dst, cap, "The folder\n\n") && AppendText(dst, cap, folder) &&
         AppendText(dst, cap, "\n\ncannot be used: ") &&
         AppendText(dst, cap, FolderTextProblemReason(problem)) &&
         AppendText(dst, cap, ".\n\nPlease choose another folder.");
}

#include "discovery/folder_rule.h"

#include <string.h>

#include "text/ansi_chars.h"

namespace {

bool HasDevicePrefix(const char* text) {
  return strncmp(text, "\\\\.\\", 4) == 0 || strncmp(text, "\\\\?\\", 4) == 0 ||
         strncmp(text, "\\??\\", 4) == 0;
}

// A step made only of dots: ".." moves the folder, and longer runs of dots are dropped by
// the system's path folding, so none of them names what it shows. A second byte that looks
// like a backslash is part of its character, not a separator.
bool HasDotStep(const char* text) {
  const char* step = text;
  for (const char* at = text;; at += ansi::CharBytes(at)) {
    if (*at != '\0' && *at != '\\') continue;
    bool dotsOnly = at > step;
    for (const char* c = step; c < at; ++c) dotsOnly = dotsOnly && *c == '.';
    if (dotsOnly) return true;
    if (*at == '\0') return false;
    step = at + 1;
  }
}

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool HasStreamColon(const char* text) {
  // The drive's own colon is the second character after a letter; any other is a stream.
  const char* from = IsDriveLetter(text[0]) && text[1] == ':' ? text + 2 : text;
  return strchr(from, ':') != nullptr;
}

}  // namespace

void NormaliseFolderText(char* text) {
  for (char* c = text; *c != '\0'; c += ansi::CharBytes(c)) {
    if (*c == '/') *c = '\\';
  }
  if (HasDevicePrefix(text)) return;
  char* out = text;
  const char* step = text;
  for (const char* at = text;; at += ansi::CharBytes(at)) {
    if (*at != '\0' && *at != '\\') continue;
    const size_t length = static_cast<size_t>(at - step);
    if (length != 1 || *step != '.') {
      memmove(out, step, length);
      out += length;
      if (*at != '\0') *out++ = '\\';
    }
    if (*at == '\0') break;
    step = at + 1;
  }
  *out = '\0';
}

FolderTextProblem CheckFolderText(const char* text) {
  if (HasDevicePrefix(text)) return FolderTextProblem::kDevicePrefix;
  if (HasDotStep(text)) return FolderTextProblem::kDotStep;
  if (HasStreamColon(text)) return FolderTextProblem::kStreamColon;
  return FolderTextProblem::kNone;
}

const char* FolderTextProblemReason(FolderTextProblem problem) {
  switch (problem) {
    case FolderTextProblem::kDotStep:
      return "it has a \"..\" step, so the files would land in another folder";
    case FolderTextProblem::kDevicePrefix:
      return "it starts with a device prefix (\"\\\\.\\\" or \"\\\\?\\\"), which skips the "
             "system's path checks";
    case FolderTextProblem::kStreamColon:
      return "it has a \":\" after the drive, which names a hidden data stream, not a folder";
    case FolderTextProblem::kNone: break;
  }
  return "it is not a plain folder path";
}

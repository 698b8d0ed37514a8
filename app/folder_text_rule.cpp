#include "app/folder_text_rule.h"

#include "app/install_texts.h"

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

bool RefusedFolderText(char* dst, size_t cap, const char* folder, FolderTextProblem problem) {
  return ChooseAnotherFolderText(dst, cap, folder, "cannot be used",
                                 FolderTextProblemReason(problem));
}

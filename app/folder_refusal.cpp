#include "app/folder_refusal.h"

#include "app/dialog_texts.h"
#include "app/install_texts.h"
#include "discovery/folder_rule.h"
#include "text/text_buffer.h"

namespace {

// The folder and the longest reason, with room to spare.
constexpr size_t kRefusalChars = kPathChars + 300;

}  // namespace

bool RefuseUnsafeFolder(HWND owner, char* folder) {
  NormaliseFolderText(folder);
  const FolderTextProblem problem = CheckFolderText(folder);
  if (problem == FolderTextProblem::kNone) return false;
  char text[kRefusalChars];
  RefusedFolderText(text, sizeof text, folder, problem);
  MessageBoxA(owner, text, kCaption, MB_OK | MB_ICONERROR);
  return true;
}

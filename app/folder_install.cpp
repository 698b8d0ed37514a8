#include "app/folder_install.h"

#include "app/editor_machine.h"
#include "discovery/folder_rule.h"
#include "discovery/candidate_folder_list.h"
#include "discovery/candidate_programs.h"
#include "discovery/folder_entry.h"
#include "payload/exclusion_list.h"

InstallOutcome FolderInstall::Check(const char* folder, int listed, AskYesNo ask, void* context) {
  problemText[0] = '\0';
  // The window reads entries into a buffer of this size: nothing is cut here.
  CopyText(InstallFolder, sizeof InstallFolder, folder);
  // The folder the system would use for the text, as discovery lists only such folders.
  NormaliseFolderText(InstallFolder);
  const FolderTextProblem problem = CheckFolderText(InstallFolder);
  if (problem != FolderTextProblem::kNone) {
    RefusedFolderText(problemText, sizeof problemText, InstallFolder, problem);
    return InstallOutcome::kRefused;
  }
  const bool known = listed >= 0 && listed < kCandidateFolderCount;
  // A host that runs these filters in a 32-bit helper of its own loads them there.
  if (known && CandidateHostLoadsX86List[listed]) return InstallOutcome::kInstalled;
  const char* program = known ? CandidateProgramList[listed] : "";
  // A listed folder is the editor's own; the maker's sub-folder that its entry may add is not.
  const char* plugins = known ? CandidateFolderList[listed].path : InstallFolder;
  char shown[kPathChars];
  const EditorEvidence evidence = SixtyFourBitEvidence(program, plugins, shown, sizeof shown);
  if (evidence == EditorEvidence::kNone) return InstallOutcome::kInstalled;
  SixtyFourBitFolderQuestion(problemText, sizeof problemText, InstallFolder, shown, plugins);
  const bool yes = ask(context, problemText);
  problemText[0] = '\0';
  return yes ? InstallOutcome::kInstalled : InstallOutcome::kDeclined;
}

InstallOutcome FolderInstall::Write(HINSTANCE program, const char* const* excludedKeys,
                                    size_t excludedCount) {
  // Built afresh for every attempt: a retry after a failed one starts from the current boxes.
  ClearExclusionList();
  for (size_t i = 0; i < excludedCount; ++i) AddExclusion(excludedKeys[i]);
  if (!EnterOrCreateFolder() || !ExtractFiles(program)) return InstallOutcome::kFailed;
  return InstallOutcome::kInstalled;
}

// On failure the message says why the folder cannot be used.
bool FolderInstall::EnterOrCreateFolder() {
  if (CanEnterFolder(InstallFolder)) return true;
  const DWORD enterError = GetLastError();
  if (CreateDirectoryA(InstallFolder, nullptr)) return true;
  const DWORD createError = GetLastError();
  // Something of that name is already there: why it cannot be entered says more.
  const DWORD reason = createError == ERROR_ALREADY_EXISTS ? enterError : createError;
  char reasonText[kSystemErrorChars];
  SystemErrorText(reason, reasonText, sizeof reasonText);
  FolderProblemText(problemText, sizeof problemText, InstallFolder, reasonText);
  return false;
}

// On failure the message names every file not written and why.
bool FolderInstall::ExtractFiles(HINSTANCE program) {
  RunPayloadExtraction(program, InstallFolder, &extractionReport);
  const ReportList<PayloadFailure>& failed = extractionReport.failed;
  if (failed.empty()) return true;
  FileProblem problems[kReportEntries];
  for (size_t i = 0; i < failed.size(); ++i) {
    SystemErrorText(failed[i].error, failureReasons[i], sizeof failureReasons[i]);
    problems[i] = FileProblem{failed[i].fileName, failureReasons[i]};
  }
  FilesProblemText(problemText, sizeof problemText, InstallFolder, problems, failed.size());
  return false;
}

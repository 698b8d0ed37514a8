// Install: the chosen folder, the questions and refusals before it is used, the run and what
// it reports, and the completion screen.
#include "app/installer_dialog.h"

#include "app/app_state.h"
#include "app/dialog_ids.h"
#include "app/dialog_layout.h"
#include "app/dialog_texts.h"
#include "app/editor_machine.h"
#include "app/folder_picker.h"
#include "app/folder_refusal.h"
#include "app/install_input_guard.h"
#include "app/install_texts.h"
#include "controls/filter_check_box.h"
#include "discovery/candidate_folder_list.h"
#include "discovery/candidate_programs.h"
#include "discovery/folder_entry.h"
#include "payload/exclusion_list.h"
#include "skin/skin_window.h"

void InstallerDialog::ShowProblem(const char* text) {
  NestedLoop loop(this);
  MessageBoxA(window, text, kCaption, MB_OK | MB_ICONERROR);
}

// Lets the user pick a folder and puts it in the drop-down, just before the browse entry,
// in place of an earlier picked one. Returns whether a usable folder was picked; if not,
// the first entry is selected again.
bool InstallerDialog::BrowseForFolder() {
  char folder[kPathChars];
  bool picked;
  {
    NestedLoop loop(this);
    picked = PickFolder(window, kBrowseTitle, kCaption, folder);
  }
  if (picked && CanEnterFolder(folder)) {
    if (browsedFolderShown == 1) Combo(CB_DELETESTRING, detectedFolderCount);
    Combo(CB_INSERTSTRING, detectedFolderCount, reinterpret_cast<LPARAM>(folder));
    Combo(CB_SETCURSEL, detectedFolderCount);
    browsedFolderShown = 1;
    return true;
  }
  Combo(CB_SETCURSEL, 0);
  return false;
}

// Reads the chosen folder into InstallFolder. The browse entry is no folder: choosing it
// opens the folder picker instead.
bool InstallerDialog::ReadChosenFolder() {
  LRESULT selected = Combo(CB_GETCURSEL);
  if (selected == CB_ERR || selected == BrowseEntryIndex()) {
    if (!BrowseForFolder()) return false;
    selected = Combo(CB_GETCURSEL);
  }
  LRESULT length = Combo(CB_GETLBTEXTLEN, selected);
  if (length == CB_ERR || length >= static_cast<LRESULT>(sizeof InstallFolder)) return false;
  return Combo(CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(InstallFolder)) != CB_ERR;
}

bool InstallerDialog::RefuseFolder() {
  NestedLoop loop(this);
  return RefuseUnsafeFolder(window, InstallFolder);
}

// Where the files on disk say the chosen folder's editor is 64-bit, these filters would never
// load there: asks first, No by default. Returns whether to install.
bool InstallerDialog::ConfirmEditorCanLoad() {
  const LRESULT selected = Combo(CB_GETCURSEL);
  const bool listed = selected >= 0 && selected < detectedFolderCount;
  // A host that runs these filters in a 32-bit helper of its own loads them there.
  if (listed && CandidateHostLoadsX86List[selected]) return true;
  const char* program = listed ? CandidateProgramList[selected] : "";
  // A listed folder is the editor's own; the maker's sub-folder that its entry may add is not.
  const char* plugins = listed ? CandidateFolderList[selected].path : InstallFolder;
  char shown[kPathChars];
  const EditorEvidence evidence = SixtyFourBitEvidence(program, plugins, shown, sizeof shown);
  if (evidence == EditorEvidence::kNone) return true;
  SixtyFourBitFolderQuestion(problemText, sizeof problemText, InstallFolder, shown, plugins);
  NestedLoop loop(this);
  return MessageBoxA(window, problemText, kCaption, MB_YESNO | MB_DEFBUTTON2 | MB_ICONWARNING) ==
         IDYES;
}

// A missing folder is made, one level deep. On failure the message says why.
bool InstallerDialog::EnterOrCreateFolder() {
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

// Writes the files of the checked filters. On failure the message names every file not
// written and why.
bool InstallerDialog::ExtractChosenFilters() {
  // Built afresh for every attempt: a retry after a failed one starts from the current boxes.
  ClearExclusionList();
  for (const FilterCheckBox* box : controls.boxes) {
    if (box != nullptr && !box->checked()) AddExclusion(box->filterKey());
  }
  RunPayloadExtraction(ProgramInstance, InstallFolder, &extractionReport);
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

void InstallerDialog::InstallStep() {
  if (!InstallShown() || CheckedFilterCount() == 0) return;
  if (search.Pending()) {
    installPending = 1;  // carried out as soon as the list is filled
    SetRestingStatus(kInstallWaitingStatus);
    return;
  }
  if (!ReadChosenFolder() || RefuseFolder() || !ConfirmEditorCanLoad()) return;
  InstallInputGuard guard(window);
  const bool installed = EnterOrCreateFolder() && ExtractChosenFilters();
  guard.release();
  if (installed) {
    ShowCompletionScreen();
  } else {
    ShowProblem(problemText);
  }
}

void InstallerDialog::ShowCompletionScreen() {
  installDone = 1;
  for (int slot = 0; slot <= kSlotLastFilter; ++slot) {
    if (ControlTable[slot] != nullptr) ControlTable[slot]->setShown(0);
  }
  ControlTable[kSlotLink]->setShown(1);
  ControlTable[kSlotFinish]->setShown(1);
  HWND dropDown = GetDlgItem(window, kComboId);
  MoveWindow(dropDown, kComboShownPx.left, kComboHiddenTopPx, kComboShownPx.right,
             kComboShownPx.bottom, TRUE);
  if (skin != nullptr) skin->replaceTextFont("ms sans serif", kCompletionFontHeight);
  Repaint(nullptr);
  input.ScreenRepainted();
  // Moved out of sight and hidden as well: out of reach of Tab and of screen readers too.
  ShowWindow(dropDown, SW_HIDE);
  items.Focus(kFinishItem);
}

// The window's side of Install: the folder chosen in the drop-down or picked, the run handed
// to the install object, and what the window shows of its outcome.
#include "app/installer_dialog.h"

#include "app/app_state.h"
#include "app/dialog_ids.h"
#include "app/dialog_layout.h"
#include "app/dialog_texts.h"
#include "app/folder_picker.h"
#include "app/install_input_guard.h"
#include "app/install_texts.h"
#include "controls/filter_check_box.h"
#include "discovery/folder_entry.h"
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
    if (browsedFolderShown == 1) dropDown.Remove(detectedFolderCount);
    dropDown.Insert(detectedFolderCount, folder);
    dropDown.Select(detectedFolderCount);
    browsedFolderShown = 1;
    return true;
  }
  dropDown.Select(0);
  return false;
}

// Reads the chosen folder. The browse entry is no folder: choosing it opens the folder picker
// instead.
bool InstallerDialog::ReadChosenFolder(char (&folder)[kPathChars]) {
  int selected = dropDown.Selected();
  if (selected == CB_ERR || selected == BrowseEntryIndex()) {
    if (!BrowseForFolder()) return false;
    selected = dropDown.Selected();
  }
  return dropDown.Text(selected, folder, sizeof folder);
}

// The keys of the filters whose boxes are cleared.
size_t InstallerDialog::ExcludedFilters(const char* (&keys)[kFilterBoxCount]) const {
  size_t count = 0;
  for (const FilterCheckBox* box : controls.boxes) {
    if (box != nullptr && !box->checked()) keys[count++] = box->filterKey();
  }
  return count;
}

// Where the files on disk say the chosen folder's editor is 64-bit: No by default.
bool InstallerDialog::AskInstallQuestion(void* self, const char* text) {
  InstallerDialog* dialog = static_cast<InstallerDialog*>(self);
  NestedLoop loop(dialog);
  return MessageBoxA(dialog->window, text, kCaption, MB_YESNO | MB_DEFBUTTON2 | MB_ICONWARNING) ==
         IDYES;
}

void InstallerDialog::InstallStep() {
  if (!InstallShown() || CheckedFilterCount() == 0) return;
  if (search.Pending()) {
    installPending = 1;  // carried out as soon as the list is filled
    SetRestingStatus(kInstallWaitingStatus);
    return;
  }
  char folder[kPathChars];
  if (!ReadChosenFolder(folder)) return;
  const int selected = dropDown.Selected();
  const int listed = selected >= 0 && selected < detectedFolderCount ? selected : -1;
  InstallOutcome outcome = install.Check(folder, listed, AskInstallQuestion, this);
  if (outcome == InstallOutcome::kInstalled) {
    const char* excluded[kFilterBoxCount];
    const size_t excludedCount = ExcludedFilters(excluded);
    InstallInputGuard guard(window);
    outcome = install.Write(ProgramInstance, excluded, excludedCount);
  }
  ShowOutcome(outcome);
}

void InstallerDialog::ShowOutcome(InstallOutcome outcome) {
  switch (outcome) {
    case InstallOutcome::kInstalled: ShowCompletionScreen(); break;
    case InstallOutcome::kRefused: ShowProblem(install.Message()); break;
    case InstallOutcome::kFailed: ShowProblem(install.Message()); break;
    case InstallOutcome::kDeclined: break;  // the selection screen stays as it was
  }
}

void InstallerDialog::ShowCompletionScreen() {
  installDone = 1;
  for (int slot = 0; slot <= kSlotLastFilter; ++slot) {
    if (ControlTable[slot] != nullptr) ControlTable[slot]->setShown(0);
  }
  ControlTable[kSlotLink]->setShown(1);
  ControlTable[kSlotFinish]->setShown(1);
  MoveWindow(dropDown.Window(), kComboShownPx.left, kComboHiddenTopPx, kComboShownPx.right,
             kComboShownPx.bottom, TRUE);
  if (skin != nullptr) skin->replaceTextFont("ms sans serif", kCompletionFontHeight);
  Repaint(nullptr);
  input.ScreenRepainted();
  // Moved out of sight and hidden as well: out of reach of Tab and of screen readers too.
  ShowWindow(dropDown.Window(), SW_HIDE);
  items.Focus(kFinishItem);
}

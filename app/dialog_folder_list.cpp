// The window's side of the folder search: the drop-down is off while the list is to come, an
// Install waits for it, and the list is taken once it is complete.
#include "app/installer_dialog.h"

#include "app/dialog_ids.h"
#include "app/dialog_texts.h"
#include "discovery/candidate_folder_list.h"
#include "discovery/host_probe_sequence.h"
#include "skin/skin_window.h"

INT_PTR InstallerDialog::EnterNestedLoop() {
  search.EnterNestedLoop();
  return 0;
}

INT_PTR InstallerDialog::LeaveNestedLoop() {
  search.LeaveNestedLoop();
  return 0;
}

bool InstallerDialog::AcceptsInput() const { return items.Available(); }

void InstallerDialog::SetRestingStatus(const char* text) {
  if (skin != nullptr) skin->setRestingStatus(text);
}

// The search starts once the window has been painted, so the window shows as fast on a
// machine full of editors as on an empty one; until the list is filled the drop-down is off.
void InstallerDialog::AwaitDiscovery() {
  search.Prepare(window, HostProbeSequence);
  installPending = 0;
  SetRestingStatus(kSearchingStatus);
  EnableWindow(dropDown.Window(), FALSE);
}

// An install that waits for the list is taken back (Cancel, Escape, every box cleared).
bool InstallerDialog::DropPendingInstall() {
  if (installPending == 0) return false;
  installPending = 0;
  SetRestingStatus(kSearchingStatus);
  return true;
}

void InstallerDialog::FillDropDown() {
  int count = 0;
  for (const CandidateFolder& folder : CandidateFolderList) {
    if (folder.path[0] == '\0') break;
    char entry[kPathChars + sizeof kMakerSubfolder];
    CopyText(entry, sizeof entry, folder.path);
    if (folder.appendSubfolder != 0) AppendText(entry, sizeof entry, kMakerSubfolder);
    dropDown.Add(entry);
    ++count;
  }
  dropDown.Add(kBrowseEntry);
  detectedFolderCount = count;
  browsedFolderShown = 0;
}

// The list, its order and its first selection are those of a discovery run before the window
// showed.
INT_PTR InstallerDialog::OnDiscoveryDone() {
  if (!search.TakeList()) return 0;
  FillDropDown();
  dropDown.Select(0);
  EnableWindow(dropDown.Window(), TRUE);
  // A hover text shown now stays; else the area is cleared.
  SetRestingStatus(nullptr);
  if (installPending != 0) {
    installPending = 0;
    SendMessageA(window, WM_COMMAND, IDOK, 0);
  }
  return 0;
}

// The search for plug-in folders while the window is already shown, and the modal loops
// that its end waits for.
#include "app/installer_dialog.h"

#include "discovery/host_probe_sequence.h"
#include "skin/skin_window.h"
#include "text/ansi_chars.h"

INT_PTR InstallerDialog::EnterNestedLoop() {
  ++nestedLoops;
  return 0;
}

// Once the last nested loop is over, the search's end that came during it is posted again,
// so the window's own loop acts on it.
INT_PTR InstallerDialog::LeaveNestedLoop() {
  if (nestedLoops > 0) --nestedLoops;
  if (nestedLoops > 0 || discoveryDoneHeld == 0) return 0;
  discoveryDoneHeld = 0;
  PostMessageA(window, WM_DISCOVERY_DONE, 0, 0);
  return 0;
}

void InstallerDialog::SetRestingStatus(const char* text) {
  if (skin != nullptr) skin->setRestingStatus(text);
}

// Discovery on a thread of its own, so the window shows at once on a machine where it takes
// seconds. It fills the process-wide candidate list and then hands over to the dialog's
// thread; nothing else touches that list until then.
DWORD WINAPI InstallerDialog::DiscoveryThread(LPVOID self) {
  InstallerDialog* owner = static_cast<InstallerDialog*>(self);
  HostProbeSequence();
  __atomic_store_n(&owner->discoveryFinished, 1, __ATOMIC_RELEASE);
  PostMessageA(owner->window, WM_DISCOVERY_DONE, 0, 0);
  return 0;
}

// Discovery starts once the window has been painted, so the window shows as fast on a
// machine full of editors as on an empty one; until the list is filled the drop-down is off.
void InstallerDialog::AwaitDiscovery() {
  discoveryRunning = 1;
  discoveryStarted = 0;
  installPending = 0;
  discoveryFinished = 0;
  nestedLoops = 0;
  discoveryDoneHeld = 0;
  SetRestingStatus(kSearchingStatus);
  EnableWindow(GetDlgItem(window, kComboId), FALSE);
}

void InstallerDialog::StartDiscovery() {
  discoveryStarted = 1;
  ansi::HasLeadBytes();  // the code page's table is filled here, before the thread reads it
  HANDLE thread = CreateThread(nullptr, 0, DiscoveryThread, this, 0, nullptr);
  if (thread == nullptr) {
    DiscoveryThread(this);  // no thread: the window waits for the search, as it always could
    return;
  }
  CloseHandle(thread);
}

// An install that waits for the list is taken back (Cancel, Escape, every box cleared).
bool InstallerDialog::DropPendingInstall() {
  if (installPending == 0) return false;
  installPending = 0;
  SetRestingStatus(kSearchingStatus);
  return true;
}

// The list, its order and its first selection are those of a discovery run before the window
// showed.
INT_PTR InstallerDialog::OnDiscoveryDone() {
  if (discoveryRunning == 0 || __atomic_load_n(&discoveryFinished, __ATOMIC_ACQUIRE) == 0) return 0;
  if (nestedLoops > 0) {
    discoveryDoneHeld = 1;
    return 0;
  }
  discoveryRunning = 0;
  FillDropDown();
  Combo(CB_SETCURSEL, 0);
  EnableWindow(GetDlgItem(window, kComboId), TRUE);
  // A hover text shown now stays; else the area is cleared.
  SetRestingStatus(nullptr);
  if (installPending != 0) {
    installPending = 0;
    SendMessageA(window, WM_COMMAND, IDOK, 0);
  }
  return 0;
}

#include "app/installer_dialog.h"

#include "app/app_state.h"
#include "app/dialog_input.h"
#include "app/dialog_layout.h"
#include "app/editor_machine.h"
#include "app/folder_picker.h"
#include "app/folder_refusal.h"
#include "app/home_page.h"
#include "app/install_input_guard.h"
#include "app/install_messages.h"
#include "app/system_error.h"
#include "controls/filter_check_box.h"
#include "controls/image_button.h"
#include "controls/link_label.h"
#include "discovery/candidate_folder_list.h"
#include "discovery/candidate_programs.h"
#include "discovery/folder_entry.h"
#include "discovery/host_probe_sequence.h"
#include "payload/exclusion_list.h"
#include "payload/payload_extraction.h"
#include "text/ansi_chars.h"

namespace {

// Posted by the discovery thread to the dialog when the candidate list is complete.
constexpr UINT WM_DISCOVERY_DONE = WM_APP + 1;

RECT ToRect(const PixelRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

LRESULT Combo(HWND dialog, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendDlgItemMessageA(dialog, kComboId, message, wParam, lParam);
}

}  // namespace

// Around every call that runs a modal loop of its own.
class InstallerDialog::NestedLoop {
 public:
  NestedLoop(InstallerDialog* owner, HWND dialog) : owner_(owner), dialog_(dialog) {
    ++owner->nestedLoops;
  }
  NestedLoop(const NestedLoop&) = delete;
  NestedLoop& operator=(const NestedLoop&) = delete;
  ~NestedLoop() { owner_->LeaveNestedLoop(dialog_); }

 private:
  InstallerDialog* owner_;
  HWND dialog_;
};

FilterCheckBox* InstallerDialog::FilterAt(int slot) const {
  return static_cast<FilterCheckBox*>(ControlTable[slot]);
}

int InstallerDialog::CheckedFilterCount() const {
  int checked = 0;
  for (int slot = kSlotFirstFilter; slot <= kSlotLastFilter; ++slot) {
    if (FilterAt(slot) != nullptr && FilterAt(slot)->value != 0) ++checked;
  }
  return checked;
}

bool InstallerDialog::IsActive(int slot) const {
  return ControlTable[slot] != nullptr && ControlTable[slot]->visible != 0;
}

// Once the last nested loop is over, the search's end that came during it is posted again,
// so the window's own loop acts on it.
void InstallerDialog::LeaveNestedLoop(HWND dialog) {
  if (nestedLoops > 0) --nestedLoops;
  if (nestedLoops > 0 || discoveryDoneHeld == 0) return;
  discoveryDoneHeld = 0;
  PostMessageA(dialog, WM_DISCOVERY_DONE, 0, 0);
}

void InstallerDialog::ShowProblem(HWND dialog, const char* text) {
  NestedLoop loop(this, dialog);
  MessageBoxA(dialog, text, kCaption, MB_OK | MB_ICONERROR);
}

void InstallerDialog::CreateControls() {
  for (SkinControl*& slot : ControlTable) slot = nullptr;
  SkinContext* context = &TheSkinContext;
  ControlTable[kSlotCancel] = new ImageButton(context, ToRect(kCancelPx), kCancelBitmap,
                                              kCancelBitmap, kNotifyCancel, "", nullptr, nullptr);
  ControlTable[kSlotInstall] =
      new ImageButton(context, ToRect(kInstallPx), kInstallBitmap, kInstallBitmap, kNotifyInstall,
                      "", nullptr, nullptr);
  ControlTable[kSlotLogo] = new ImageButton(context, ToRect(kLogoPx), kLogoBitmap, kLogoBitmap,
                                            kNotifyLogo, "", nullptr, nullptr);
  ControlTable[kSlotLink] =
      new LinkLabel(context, ToRect(kLinkPx), kHomePageHost, kNotifyHomePage, kHomePageStatus);
  for (int k = 0; k < kFilterBoxCount; ++k) {
    const FilterBox& box = kFilterBoxes[k];
    const int top = kFilterTopPx + kFilterSpacingPx * k;
    ControlTable[kSlotFirstFilter + k] = new FilterCheckBox(
        context, kFilterLeftPx, top, kFilterWidthPx, kFilterHeightPx + kFilterSpacingPx * k,
        kCheckStripBitmap, kFilterLabelPosition, box.label, kFilterMinimum, kFilterToggleMaximum,
        box.statusText, kNotifyFilterChanged, box.key);
  }
  ControlTable[kSlotFinish] = new ImageButton(context, ToRect(kFinishPx), kFinishBitmap,
                                              kFinishBitmap, kNotifyCancel, "", nullptr, nullptr);

  // The logo is a picture, not a button.
  ControlTable[kSlotLogo]->enabled = 0;
  for (int k = 0; k < kFilterBoxCount; ++k) FilterAt(kSlotFirstFilter + k)->value = kFilterChecked;
  ControlTable[kSlotFinish]->setShown(0);
}

// What the window's own drawing shows in area has changed (null: the whole window).
static void Repaint(HWND dialog, const RECT* area) {
  if (TheSkinWindow != nullptr) {
    TheSkinWindow->invalidate(area);
  } else {
    InvalidateRect(dialog, area, FALSE);
  }
}

void InstallerDialog::FillDropDown(HWND dialog) {
  int count = 0;
  for (const CandidateFolder& folder : CandidateFolderList) {
    if (folder.path[0] == '\0') break;
    char entry[kPathChars + sizeof kMakerSubfolder];
    CopyText(entry, sizeof entry, folder.path);
    if (folder.appendSubfolder != 0) AppendText(entry, sizeof entry, kMakerSubfolder);
    Combo(dialog, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    ++count;
  }
  Combo(dialog, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kBrowseEntry));
  detectedFolderCount = count;
  browsedFolderShown = 0;
}

// Keeps the window's centre and makes the client area exactly the skin's size, whatever
// size the template's dialog units gave it.
static void SizeAndCentre(HWND dialog) {
  RECT window, client;
  GetWindowRect(dialog, &window);
  GetClientRect(dialog, &client);
  const int left = (2 * window.left + client.right - kClientWidthPx) / 2;
  const int top = (2 * window.top + client.bottom - kClientHeightPx) / 2;
  const int width = (window.right - window.left - client.right) + kClientWidthPx;
  const int height = (window.bottom - window.top - client.bottom) + kClientHeightPx;
  MoveWindow(dialog, left, top, width, height, TRUE);
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
void InstallerDialog::AwaitDiscovery(HWND dialog) {
  discoveryRunning = 1;
  discoveryStarted = 0;
  installPending = 0;
  discoveryFinished = 0;
  nestedLoops = 0;
  discoveryDoneHeld = 0;
  SetRestingStatus(&TheSkinContext, kSearchingStatus);
  EnableWindow(GetDlgItem(dialog, kComboId), FALSE);
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
  SetRestingStatus(&TheSkinContext, kSearchingStatus);
  return true;
}

// The list, its order and its first selection are those of a discovery run before the window
// showed.
void InstallerDialog::OnDiscoveryDone(HWND dialog) {
  if (discoveryRunning == 0 || __atomic_load_n(&discoveryFinished, __ATOMIC_ACQUIRE) == 0) return;
  if (nestedLoops > 0) {
    discoveryDoneHeld = 1;
    return;
  }
  discoveryRunning = 0;
  FillDropDown(dialog);
  Combo(dialog, CB_SETCURSEL, 0);
  EnableWindow(GetDlgItem(dialog, kComboId), TRUE);
  // A hover text shown now stays; else the area is cleared.
  SetRestingStatus(&TheSkinContext, nullptr);
  if (installPending != 0) {
    installPending = 0;
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
  }
}

void InstallerDialog::OnInitDialog(HWND dialog) {
  window = dialog;
  installDone = 0;
  HDC dc = GetDC(dialog);
  TheSkinContext.currentDc = dc;
  if (TheSkinWindow != nullptr) {
    RECT status = ToRect(kStatusAreaPx);
    TheSkinWindow->attach(dialog, kBackgroundBitmap, kLinkCursor, &status);
  }
  CreateControls();
  AwaitDiscovery(dialog);
  ReleaseDC(dialog, dc);
  TheSkinContext.currentDc = nullptr;
  SetWindowTextA(dialog, kCaption);
  MoveWindow(GetDlgItem(dialog, kComboId), kComboShownPx.left, kComboShownPx.top,
             kComboShownPx.right, kComboShownPx.bottom, TRUE);
  SizeAndCentre(dialog);
  input.Attach(dialog, TheSkinWindow, ControlTable);
}

void InstallerDialog::PaintWindow(HWND dialog) {
  if (TheSkinWindow == nullptr) {
    PAINTSTRUCT paint;
    BeginPaint(dialog, &paint);
    EndPaint(dialog, &paint);
    return;
  }
  TheSkinWindow->beginPaint();
  TheSkinWindow->paintAll();
  if (installDone == 0) {
    TheSkinWindow->drawText(kFolderPromptXPx, kFolderPromptYPx, kFolderPrompt);
  } else {
    for (const TextLine& line : kCompletionLines)
      TheSkinWindow->drawText(line.x, line.y, line.text);
  }
  input.PaintFocusRectangle();
  TheSkinWindow->endPaint();
}

void InstallerDialog::OnPaint(HWND dialog) {
  PaintWindow(dialog);
  if (discoveryRunning != 0 && discoveryStarted == 0) StartDiscovery();
}

// Lets the user pick a folder and puts it in the drop-down, just before the browse entry,
// in place of an earlier picked one. Returns whether a usable folder was picked; if not,
// the first entry is selected again.
bool InstallerDialog::BrowseForFolder(HWND dialog) {
  char folder[kPathChars];
  bool picked;
  {
    NestedLoop loop(this, dialog);
    picked = PickFolder(dialog, kBrowseTitle, kCaption, folder);
  }
  if (picked && CanEnterFolder(folder)) {
    if (browsedFolderShown == 1) Combo(dialog, CB_DELETESTRING, detectedFolderCount);
    Combo(dialog, CB_INSERTSTRING, detectedFolderCount, reinterpret_cast<LPARAM>(folder));
    Combo(dialog, CB_SETCURSEL, detectedFolderCount);
    browsedFolderShown = 1;
    return true;
  }
  Combo(dialog, CB_SETCURSEL, 0);
  return false;
}

// Reads the chosen folder into InstallFolder. The browse entry is no folder: choosing it
// opens the folder picker instead.
bool InstallerDialog::ReadChosenFolder(HWND dialog) {
  LRESULT selected = Combo(dialog, CB_GETCURSEL);
  if (selected == CB_ERR || selected == BrowseEntryIndex()) {
    if (!BrowseForFolder(dialog)) return false;
    selected = Combo(dialog, CB_GETCURSEL);
  }
  LRESULT length = Combo(dialog, CB_GETLBTEXTLEN, selected);
  if (length == CB_ERR || length >= static_cast<LRESULT>(sizeof InstallFolder)) return false;
  return Combo(dialog, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(InstallFolder)) != CB_ERR;
}

// Where the files on disk say the chosen folder's editor is 64-bit, these filters would never
// load there: asks first, No by default. Returns whether to install.
bool InstallerDialog::ConfirmEditorCanLoad(HWND dialog) {
  const LRESULT selected = Combo(dialog, CB_GETCURSEL);
  const bool listed = selected >= 0 && selected < detectedFolderCount;
  const char* program = listed ? CandidateProgramList[selected] : "";
  // A listed folder is the editor's own; the maker's sub-folder that its entry may add is not.
  const char* plugins = listed ? CandidateFolderList[selected].path : InstallFolder;
  const EditorEvidence evidence = SixtyFourBitEvidence(program, plugins);
  if (evidence == EditorEvidence::kNone) return true;
  SixtyFourBitFolderQuestion(problemText, sizeof problemText, InstallFolder,
                             evidence == EditorEvidence::kSixtyFourProgram ? program : "", plugins);
  NestedLoop loop(this, dialog);
  return MessageBoxA(dialog, problemText, kCaption, MB_YESNO | MB_DEFBUTTON2 | MB_ICONWARNING) ==
         IDYES;
}

// The skin's text font becomes the larger completion font. The new font goes into the back
// buffer before the old one is deleted, so no context is left holding a deleted font.
static void UseCompletionFont() {
  if (TheSkinWindow == nullptr) return;
  HFONT larger = TheSkinWindow->createFont("ms sans serif", kCompletionFontHeight, FALSE);
  if (larger == nullptr) return;
  if (TheSkinContext.bufferDc != nullptr) SelectObject(TheSkinContext.bufferDc, larger);
  if (regularFont != nullptr) DeleteObject(regularFont);
  regularFont = larger;
}

void InstallerDialog::ShowCompletionScreen(HWND dialog) {
  installDone = 1;
  for (int slot = 0; slot <= kSlotLastFilter; ++slot) {
    if (ControlTable[slot] != nullptr) ControlTable[slot]->setShown(0);
  }
  ControlTable[kSlotLink]->setShown(1);
  ControlTable[kSlotFinish]->setShown(1);
  MoveWindow(GetDlgItem(dialog, kComboId), kComboShownPx.left, kComboHiddenTopPx,
             kComboShownPx.right, kComboShownPx.bottom, TRUE);
  UseCompletionFont();
  Repaint(dialog, nullptr);
  input.FocusCompletionScreen();
}

bool InstallerDialog::RefuseFolder(HWND dialog) {
  NestedLoop loop(this, dialog);
  return RefuseUnsafeFolder(dialog, InstallFolder);
}

void InstallerDialog::InstallStep(HWND dialog) {
  // A click or key that a message box's loop hands over is not acted on under that box.
  if (!IsActive(kSlotInstall) || CheckedFilterCount() == 0 || nestedLoops > 0) return;
  if (discoveryRunning != 0) {
    installPending = 1;  // carried out as soon as the list is filled
    SetRestingStatus(&TheSkinContext, kInstallWaitingStatus);
    return;
  }
  if (!ReadChosenFolder(dialog) || RefuseFolder(dialog) || !ConfirmEditorCanLoad(dialog)) return;
  InstallInputGuard guard(dialog);
  if (!CanEnterFolder(InstallFolder)) {
    const DWORD enterError = GetLastError();
    if (!CreateDirectoryA(InstallFolder, nullptr)) {
      const DWORD createError = GetLastError();
      // Something of that name is already there: why it cannot be entered says more.
      const DWORD reason = createError == ERROR_ALREADY_EXISTS ? enterError : createError;
      guard.release();
      char reasonText[kSystemErrorChars];
      SystemErrorText(reason, reasonText, sizeof reasonText);
      FolderProblemText(problemText, sizeof problemText, InstallFolder, reasonText);
      ShowProblem(dialog, problemText);
      return;
    }
  }

  // Built afresh for every attempt: a retry after a failed one starts from the current boxes.
  ClearExclusionList();
  for (int slot = kSlotFirstFilter; slot <= kSlotLastFilter; ++slot) {
    if (FilterAt(slot) != nullptr && FilterAt(slot)->value == 0) AddExclusion(FilterAt(slot)->key);
  }
  RunPayloadExtraction(ProgramInstance, InstallFolder, &extractionReport);
  const ReportList<PayloadFailure>& failed = extractionReport.failed;
  if (!failed.empty()) {
    FileProblem problems[kReportEntries];
    for (size_t i = 0; i < failed.size(); ++i) {
      SystemErrorText(failed[i].error, failureReasons[i], sizeof failureReasons[i]);
      problems[i] = FileProblem{failed[i].fileName, failureReasons[i]};
    }
    guard.release();
    FilesProblemText(problemText, sizeof problemText, InstallFolder, problems, failed.size());
    ShowProblem(dialog, problemText);
    return;
  }
  guard.release();
  ShowCompletionScreen(dialog);
}

INT_PTR InstallerDialog::OnCommand(HWND dialog, int id, int code) {
  switch (id) {
    case IDOK:
      if (installDone == 1) {
        EndDialog(dialog, 0);
        return 1;
      }
      InstallStep(dialog);
      return 0;
    case IDCANCEL:
      if (DropPendingInstall()) return 0;
      EndDialog(dialog, 0);
      return 1;
    case kComboId:
      // The focus stays in the drop-down (the hidden button no longer takes it), so arrow
      // keys keep working there.
      if (code == CBN_SELCHANGE && Combo(dialog, CB_GETCURSEL) == BrowseEntryIndex()) {
        BrowseForFolder(dialog);
      }
      return 0;
    default:
      return 0;
  }
}

void InstallerDialog::OnFilterChanged(HWND dialog) {
  SkinControl* install = ControlTable[kSlotInstall];
  if (CheckedFilterCount() > 0) {
    if (!IsActive(kSlotInstall)) install->setShown(1);
    return;
  }
  if (IsActive(kSlotInstall)) install->setShown(0);
  DropPendingInstall();
  RECT area = ToRect(kInstallPx);
  InvalidateRect(dialog, &area, TRUE);
}

void InstallerDialog::OnSkinNotify(HWND dialog, WPARAM code) {
  switch (code) {
    case kNotifyCancel:
      SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
      break;
    case kNotifyInstall:
      SendMessageA(dialog, WM_COMMAND, IDOK, 0);
      break;
    case kNotifyHomePage: {
      NestedLoop loop(this, dialog);
      OpenHomePage(dialog, kHomePage);
      break;
    }
    case kNotifyFilterChanged:
      OnFilterChanged(dialog);
      break;
    default:
      break;
  }
}

INT_PTR CALLBACK InstallerDialog::Procedure(HWND dialog, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  // The object comes with the window's start and stays with the window.
  if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  InstallerDialog* self = reinterpret_cast<InstallerDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (self == nullptr) return 0;
  // Keyboard, screen readers and the window-level mouse behaviour come first and last.
  INT_PTR result = 0;
  if (self->input.Before(dialog, message, wParam, lParam, &result)) return result;
  result = self->OnMessage(dialog, message, wParam, lParam);
  self->input.After();
  return result;
}

INT_PTR CALLBACK InstallerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return InstallerDialog::Procedure(dialog, message, wParam, lParam);
}

INT_PTR InstallerDialog::OnMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (TheSkinWindow != nullptr && TheSkinWindow->preFilter(dialog, message, wParam, lParam))
    return 0;
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(dialog);
      return 0;
    case WM_PAINT:
      OnPaint(dialog);
      return TRUE;  // painted: the default would begin and end a second, empty paint
    case WM_COMMAND:
      return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_SKIN_NOTIFY:
      OnSkinNotify(dialog, wParam);
      return 0;
    case WM_DISCOVERY_DONE:
      OnDiscoveryDone(dialog);
      return 0;
    case WM_HELP:
      SendMessageA(dialog, WM_SKIN_NOTIFY, kNotifyHelp, 0);
      return 0;
    // Moving the window and its menu run modal loops of their own.
    case WM_ENTERSIZEMOVE:
    case WM_ENTERMENULOOP:
      ++nestedLoops;
      return 0;
    case WM_EXITSIZEMOVE:
    case WM_EXITMENULOOP:
      LeaveNestedLoop(dialog);
      return 0;
    default:
      return 0;
  }
}

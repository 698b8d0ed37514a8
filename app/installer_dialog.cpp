#include "app/installer_dialog.h"

#include "app/app_state.h"
#include "app/dialog_ids.h"
#include "app/dialog_layout.h"
#include "app/dialog_texts.h"
#include "app/filter_catalogue.h"
#include "app/home_page.h"
#include "controls/filter_check_box.h"
#include "controls/image_button.h"
#include "controls/link_label.h"
#include "discovery/candidate_folder_list.h"
#include "skin/skin_window.h"

namespace {

RECT ToRect(const PixelRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// Every control is made by the window, which owns it; the table keeps it in its slot.
template <typename Control, typename... Args>
Control* MakeInSlot(SkinWindow* skin, SkinControl** table, int slot, Args... args) {
  Control* control = skin->makeOwnedControl<Control>(args...);
  table[slot] = control;
  return control;
}

// The slots the table gives the filter boxes hold them all, top to bottom.
static_assert(kSlotFirstFilter + kFilterBoxCount - 1 <= kSlotLastFilter,
              "every filter box has a slot of the table");
static_assert(kSlotLastFilter < kSlotFinish && kSlotFinish < kControlSlots,
              "Finish has the table's last slot");

}  // namespace

INT_PTR CALLBACK InstallerDialog::Procedure(HWND dialog, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  // The object comes with the window's start and stays with the window.
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    reinterpret_cast<InstallerDialog*>(lParam)->window = dialog;
  }
  InstallerDialog* self = reinterpret_cast<InstallerDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (self == nullptr || dialog != self->window) return 0;
  AfterMessage after(self);
  return self->OnMessage(message, wParam, lParam);
}

INT_PTR CALLBACK InstallerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return InstallerDialog::Procedure(dialog, message, wParam, lParam);
}

// Every message the window handles, one line each; the mouse has a table of its own below.
INT_PTR InstallerDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog();
    case WM_PAINT: return OnPaint();
    case WM_ERASEBKGND: return input.OnEraseBackground();
    case WM_COMMAND: return OnCommand(LOWORD(wParam), HIWORD(wParam));
    case WM_SKIN_NOTIFY: return OnSkinNotify(wParam);
    case WM_HELP: return OnHelp();
    case WM_DISCOVERY_DONE: return OnDiscoveryDone();
    case WM_GETOBJECT: return OnGetObject(wParam, lParam);
    case WM_DESTROY: return OnDestroy();
    case kItemsChangedMessage:
      return 0;  // drawn and reported as after every message
    // The keyboard and the focus, over the skinned controls and the drop-down.
    case WM_GETDLGCODE: return input.OnGetDlgCode();
    case WM_KEYDOWN: return input.OnKeyDown(wParam, lParam);
    case WM_NEXTDLGCTL: return input.OnNextControl(wParam, lParam);
    case WM_SETFOCUS: return input.OnSetFocus();
    case WM_KILLFOCUS: return input.OnKillFocus();
    case WM_ACTIVATE: return input.OnActivate(wParam);
    case WM_UPDATEUISTATE: return input.OnUpdateUiState(wParam);
    case WM_QUERYUISTATE: return input.OnQueryUiState();
    case kRefreshFocusMessage: return input.OnRefreshFocus();
    // Moving the window and its menu run modal loops of their own.
    case WM_ENTERSIZEMOVE: return EnterNestedLoop();
    case WM_ENTERMENULOOP: return EnterNestedLoop();
    case WM_EXITSIZEMOVE: return LeaveNestedLoop();
    case WM_EXITMENULOOP: return LeaveNestedLoop();
    default: return OnMouseMessage(message, wParam, lParam);
  }
}

// The mouse: the skinned controls take it, in the order they were made.
INT_PTR InstallerDialog::OnMouseMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETCURSOR: return input.OnSetCursor(wParam, lParam);
    case WM_MOUSEMOVE: return OnMouseMove(message, wParam, lParam);
    case WM_LBUTTONDOWN: return OnMouse(message, wParam, lParam);
    case WM_LBUTTONUP: return OnMouse(message, wParam, lParam);
    case WM_LBUTTONDBLCLK: return OnMouse(message, wParam, lParam);
    case WM_RBUTTONDOWN: return OnMouse(message, wParam, lParam);
    case WM_RBUTTONUP: return OnMouse(message, wParam, lParam);
    case WM_RBUTTONDBLCLK: return OnMouse(message, wParam, lParam);
    case WM_MBUTTONDOWN: return OnMouse(message, wParam, lParam);
    case WM_MBUTTONUP: return OnMouse(message, wParam, lParam);
    case WM_MBUTTONDBLCLK: return OnMouse(message, wParam, lParam);
    case WM_MOUSELEAVE: return input.OnMouseLeave();
    case WM_CAPTURECHANGED: return input.OnCaptureChanged(lParam);
    default: return 0;
  }
}

// A control that takes the message consumes it; either way the system's handling follows.
INT_PTR InstallerDialog::OnMouse(UINT message, WPARAM wParam, LPARAM lParam) {
  if (skin != nullptr) skin->preFilter(window, message, wParam, lParam);
  return 0;
}

INT_PTR InstallerDialog::OnMouseMove(UINT message, WPARAM wParam, LPARAM lParam) {
  input.OnMouseMove();  // the window hears when the pointer leaves it
  return OnMouse(message, wParam, lParam);
}

INT_PTR InstallerDialog::OnInitDialog() {
  installDone = 0;
  skin = TheSkinWindow;
  dropDown.Attach(GetDlgItem(window, kComboId));
  {
    SkinWindow::BuildScope building(skin, window);
    if (skin != nullptr) {
      const RECT status = ToRect(kStatusAreaPx);
      skin->attach(window, kBackgroundBitmap, kLinkCursor, &status);
    }
    CreateControls();
    AwaitDiscovery();
  }
  SetWindowTextA(window, kCaption);
  MoveWindow(dropDown.Window(), kComboShownPx.left, kComboShownPx.top, kComboShownPx.right,
             kComboShownPx.bottom, TRUE);
  PlaceWindow();
  items.Bind(window, &controls, &search);
  input.Attach(window, skin, &items);
  reader.Start(&items);
  return 0;
}

void InstallerDialog::CreateControls() {
  for (SkinControl*& slot : ControlTable) slot = nullptr;
  controls = DialogControls{};
  if (skin == nullptr) return;  // unskinned: nothing to draw them with
  SkinControl** table = ControlTable;
  controls.cancel =
      MakeInSlot<ImageButton>(skin, table, kSlotCancel, ToRect(kCancelPx), kCancelBitmap,
                              kCancelBitmap, kNotifyCancel, "", nullptr, nullptr);
  controls.install =
      MakeInSlot<ImageButton>(skin, table, kSlotInstall, ToRect(kInstallPx), kInstallBitmap,
                              kInstallBitmap, kNotifyInstall, "", nullptr, nullptr);
  controls.logo = MakeInSlot<ImageButton>(skin, table, kSlotLogo, ToRect(kLogoPx), kLogoBitmap,
                                          kLogoBitmap, kNotifyLogo, "", nullptr, nullptr);
  controls.link = MakeInSlot<LinkLabel>(skin, table, kSlotLink, ToRect(kLinkPx), kHomePageHost,
                                        kNotifyHomePage, kHomePageStatus);
  for (int k = 0; k < kFilterBoxCount; ++k) {
    const FilterBox& box = kFilterBoxes[k];
    const int top = kFilterTopPx + kFilterSpacingPx * k;
    controls.boxes[k] = MakeInSlot<FilterCheckBox>(
        skin, table, kSlotFirstFilter + k, kFilterLeftPx, top, kFilterWidthPx,
        kFilterHeightPx + kFilterSpacingPx * k, kCheckStripBitmap, kFilterLabelPosition, box.label,
        kFilterMinimum, kFilterToggleMaximum, box.statusText, kNotifyFilterChanged, box.key);
  }
  controls.finish =
      MakeInSlot<ImageButton>(skin, table, kSlotFinish, ToRect(kFinishPx), kFinishBitmap,
                              kFinishBitmap, kNotifyCancel, "", nullptr, nullptr);

  controls.logo->setMouseInput(false);  // a picture, not a button
  for (FilterCheckBox* box : controls.boxes) box->setChecked();
  controls.finish->setShown(0);
}

// Keeps the window's centre and makes the client area exactly the skin's size, whatever
// size the template's dialog units gave it.
void InstallerDialog::PlaceWindow() {
  RECT outer, client;
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  const int left = (2 * outer.left + client.right - kClientWidthPx) / 2;
  const int top = (2 * outer.top + client.bottom - kClientHeightPx) / 2;
  const int width = (outer.right - outer.left - client.right) + kClientWidthPx;
  const int height = (outer.bottom - outer.top - client.bottom) + kClientHeightPx;
  MoveWindow(window, left, top, width, height, TRUE);
}

void InstallerDialog::PaintWindow() {
  if (skin == nullptr) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    return;
  }
  skin->beginPaint();
  skin->paintAll();
  if (installDone == 0) {
    skin->drawText(kFolderPromptXPx, kFolderPromptYPx, kFolderPrompt);
  } else {
    for (const TextLine& line : kCompletionLines) skin->drawText(line.x, line.y, line.text);
  }
  input.PaintFocusRectangle();
  skin->endPaint();
}

INT_PTR InstallerDialog::OnPaint() {
  PaintWindow();
  if (search.Pending() && !search.Started()) search.Start();
  return TRUE;  // painted: the default would begin and end a second, empty paint
}

// What the window's own drawing shows in area has changed (null: the whole window).
void InstallerDialog::Repaint(const RECT* area) {
  if (skin != nullptr) {
    skin->invalidate(area);
  } else {
    SkinFrame::InvalidateWindow(window, area);
  }
}

int InstallerDialog::CheckedFilterCount() const {
  int checked = 0;
  for (const FilterCheckBox* box : controls.boxes) {
    if (box != nullptr && box->checked()) ++checked;
  }
  return checked;
}

bool InstallerDialog::InstallShown() const {
  return controls.install != nullptr && controls.install->shown();
}

INT_PTR InstallerDialog::OnCommand(int id, int code) {
  switch (id) {
    case IDOK:
      // What a modal loop hands over (a queued key, a reader's press) is not acted on.
      if (!AcceptsInput()) return 0;
      if (installDone == 0) {
        InstallStep();
        return 0;
      }
      EndDialog(window, 0);
      return 1;
    case IDCANCEL:
      if (!AcceptsInput() || DropPendingInstall()) return 0;
      EndDialog(window, 0);
      return 1;
    case kComboId:
      input.OnDropDownCommand(code);
      // The focus stays in the drop-down (the hidden button no longer takes it), so arrow
      // keys keep working there.
      if (code == CBN_SELCHANGE && dropDown.Selected() == BrowseEntryIndex()) BrowseForFolder();
      return 0;
    default: return 0;
  }
}

void InstallerDialog::OnFilterChanged() {
  if (controls.install == nullptr) return;
  if (CheckedFilterCount() > 0) {
    if (!InstallShown()) controls.install->setShown(1);
    return;
  }
  if (InstallShown()) controls.install->setShown(0);
  DropPendingInstall();
}

INT_PTR InstallerDialog::OnSkinNotify(WPARAM code) {
  switch (code) {
    case kNotifyCancel: SendMessageA(window, WM_COMMAND, IDCANCEL, 0); break;
    case kNotifyInstall: SendMessageA(window, WM_COMMAND, IDOK, 0); break;
    case kNotifyHomePage: {
      NestedLoop loop(this);
      OpenHomePage(window, kHomePage);
      break;
    }
    case kNotifyFilterChanged: OnFilterChanged(); break;
    default: break;
  }
  return 0;
}

// No help is shown: the notification has no reaction.
INT_PTR InstallerDialog::OnHelp() {
  SendMessageA(window, WM_SKIN_NOTIFY, kNotifyHelp, 0);
  return 0;
}

INT_PTR InstallerDialog::OnGetObject(WPARAM flags, LPARAM objectId) {
  LRESULT answer = 0;
  if (!reader.AnswerObject(flags, objectId, &answer)) return 0;  // the system answers
  SetWindowLongPtrA(window, DWLP_MSGRESULT, answer);
  return TRUE;
}

// The window deletes nothing itself, but everything that points into it lets go now: the
// skin's teardown deletes the controls later, and readers may still hold the object.
INT_PTR InstallerDialog::OnDestroy() {
  // The search may be deep in a registry tree or a settings file: it is asked to stop and
  // waited for, so it writes nothing once the window has gone and holds no lock of the C
  // runtime's when the process ends.
  search.StopAndWait(kSearchStopWaitMs);
  reader.Stop();
  input.Detach();
  items.Bind(nullptr, nullptr, nullptr);
  for (SkinControl*& slot : ControlTable) slot = nullptr;
  controls = DialogControls{};
  return 0;
}

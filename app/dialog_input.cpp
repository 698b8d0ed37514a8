#include "app/dialog_input.h"

#include "app/dialog_ids.h"
#include "skin/skin_window.h"

namespace {

// A pointer position no control contains: tells every control the pointer has gone.
constexpr LPARAM kPointerGone = MAKELPARAM(0xFFFF, 0xFFFF);
// Where the drop-down finds the input it hands Tab to.
constexpr char kInputProperty[] = "QuillaneDialogInput";

// An answer that travels in DWLP_MSGRESULT: stored, and the message counts as handled.
INT_PTR Answer(HWND dialog, LRESULT value) {
  SetWindowLongPtrA(dialog, DWLP_MSGRESULT, value);
  return TRUE;
}

bool ShiftHeld() { return (GetKeyState(VK_SHIFT) & 0x8000) != 0; }

}  // namespace

// The keyboard was used: from now on the focus is shown, as Windows does for its dialogs.
void DialogInput::ShowCues() {
  if (cuesHidden_) {
    SendMessageA(dialog_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    cuesHidden_ = false;
  }
}

// Focus cues start hidden until the keyboard is used, unless the user asked to always see
// them. Set outright: not every system initialises a dialog's cue state.
void DialogInput::StartCues() {
  BOOL alwaysShowCues = FALSE;
  SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &alwaysShowCues, 0);
  cuesHidden_ = alwaysShowCues == FALSE;
  const WORD action = cuesHidden_ ? UIS_SET : UIS_CLEAR;
  SendMessageA(dialog_, WM_CHANGEUISTATE, MAKEWPARAM(action, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
}

// Follows the window's cue state as the system changes it.
INT_PTR DialogInput::OnUpdateUiState(WPARAM wParam) {
  if (dialog_ == nullptr || (HIWORD(wParam) & UISF_HIDEFOCUS) == 0) return 0;
  if (LOWORD(wParam) == UIS_SET) cuesHidden_ = true;
  if (LOWORD(wParam) == UIS_CLEAR) cuesHidden_ = false;
  PostMessageA(dialog_, kRefreshFocusMessage, 0, 0);
  return 0;
}

INT_PTR DialogInput::OnQueryUiState() const {
  if (dialog_ == nullptr) return 0;
  return Answer(dialog_, cuesHidden_ ? UISF_HIDEFOCUS | UISF_HIDEACCEL : 0);
}

INT_PTR DialogInput::OnRefreshFocus() {
  if (dialog_ != nullptr) RefreshRing(false);
  return 0;
}

// The skin paints every pixel; an erase would only flash the dialog's grey.
INT_PTR DialogInput::OnEraseBackground() { return dialog_ != nullptr ? Answer(dialog_, 1) : 0; }

// Only asked while the window itself, that is a skinned control, has the focus.
INT_PTR DialogInput::OnGetDlgCode() {
  return dialog_ != nullptr ? Answer(dialog_, DLGC_WANTALLKEYS) : 0;
}

RECT DialogInput::RingRect(int item) const {
  RECT area;
  if (!items_->Rect(item, &area)) return RECT{0, 0, 0, 0};
  switch (KindOfItem(item)) {
    case ItemKind::kFilterBox:
      InflateRect(&area, 2, 2);  // around box and label, clear of the boxes above and below
      break;
    case ItemKind::kLink: InflateRect(&area, 1, 1); break;
    default:
      // Inside the pill, as Windows draws it inside a button; the bounds hold one extra
      // column and row for the pressed shift.
      area = RECT{area.left + 3, area.top + 3, area.right - 4, area.bottom - 4};
      break;
  }
  return area;
}

bool DialogInput::RingWanted() const {
  const int focus = items_->FocusTarget();
  return items_->WindowHasFocus() && focus != kDropDownItem && items_->Shown(focus) &&
         !items_->Pressed(focus) && CuesShown();
}

void DialogInput::Recompose(const RECT& area, bool withRing) {
  if (skin_ != nullptr) skin_->recompose(area, withRing);
}

// Brings the focus rectangle on screen in line with the focus; force redraws it even where
// it already stands (after something painted over it).
void DialogInput::RefreshRing(bool force) {
  const RECT wanted = RingWanted() ? RingRect(items_->FocusTarget()) : RECT{0, 0, 0, 0};
  if (!IsRectEmpty(&drawnRing_) && !EqualRect(&drawnRing_, &wanted)) Recompose(drawnRing_, false);
  if (!IsRectEmpty(&wanted) && (force || !EqualRect(&drawnRing_, &wanted))) {
    Recompose(wanted, true);
  }
  drawnRing_ = wanted;
}

bool DialogInput::MoveFocus(bool backwards) {
  ShowCues();
  const int focus = items_->FocusTarget();
  const int next = items_->NextShown(focus == kNoItem ? kInstallItem : focus, backwards ? -1 : 1);
  if (next != kNoItem) items_->Focus(next);
  return true;
}

// Enter: the focused link or button acts; anywhere else it is the OK command (Install, or
// the end on the completion screen).
void DialogInput::OnEnter() {
  const int item = items_->FocusTarget();
  const ItemKind kind = KindOfItem(item);
  if (item != kNoItem && (kind == ItemKind::kLink || kind == ItemKind::kButton) &&
      items_->Press(item)) {
    return;
  }
  SendMessageA(dialog_, WM_COMMAND, IDOK, 0);
}

INT_PTR DialogInput::OnKeyDown(WPARAM key, LPARAM flags) {
  if (dialog_ == nullptr) return 0;
  const bool repeated = (flags & (1 << 30)) != 0;
  switch (key) {
    case VK_TAB: MoveFocus(ShiftHeld()); break;
    case VK_SPACE:
      ShowCues();
      if (!repeated) items_->Press(items_->FocusTarget());
      break;
    case VK_RETURN:
      ShowCues();
      if (!repeated) OnEnter();
      break;
    case VK_ESCAPE: SendMessageA(dialog_, WM_COMMAND, IDCANCEL, 0); break;
    default: break;
  }
  return 0;
}

// The link's hand is set here, where Windows asks for the cursor, so the class arrow never
// shows in between.
INT_PTR DialogInput::OnSetCursor(WPARAM wParam, LPARAM lParam) {
  const HWND over = reinterpret_cast<HWND>(wParam);
  if (dialog_ == nullptr || over != dialog_ || LOWORD(lParam) != HTCLIENT) return 0;
  if (linkCursor == nullptr || !LinkUnderPointer()) return 0;
  SetCursor(linkCursor);
  return Answer(dialog_, TRUE);
}

bool DialogInput::LinkUnderPointer() const {
  POINT at;
  if (!GetCursorPos(&at) || !ScreenToClient(dialog_, &at)) return false;
  RECT link;
  if (!items_->Shown(kLinkItem) || !items_->Rect(kLinkItem, &link)) return false;
  // The link's own hit test: every edge belongs to it.
  return at.x >= link.left && at.x <= link.right && at.y >= link.top && at.y <= link.bottom;
}

INT_PTR DialogInput::OnNextControl(WPARAM wParam, LPARAM lParam) {
  // A given window is the dialog manager's business.
  if (dialog_ == nullptr || LOWORD(lParam) != 0) return 0;
  MoveFocus(wParam != 0);
  return Answer(dialog_, 0);
}

// Keeps the focus on the window: the dialog manager would hand it to the drop-down.
INT_PTR DialogInput::OnSetFocus() {
  if (dialog_ == nullptr) return 0;
  items_->WindowFocusChanged(true);
  RefreshRing(false);
  return Answer(dialog_, 0);
}

INT_PTR DialogInput::OnKillFocus() {
  if (dialog_ == nullptr) return 0;
  items_->WindowFocusChanged(false);
  RefreshRing(false);
  return 0;
}

INT_PTR DialogInput::OnMouseLeave() {
  if (dialog_ == nullptr) return 0;
  trackingLeave_ = false;
  TellControlsPointerGone();
  return 0;
}

// Another window took the mouse while a button was held: it is let go, not pressed.
INT_PTR DialogInput::OnCaptureChanged(LPARAM lParam) {
  const HWND taker = reinterpret_cast<HWND>(lParam);
  if (dialog_ != nullptr && taker != dialog_ && items_->AnyButtonPressed()) {
    TellControlsPointerGone();
  }
  return 0;
}

// Back to where the focus was, not to the first control as the dialog manager would.
INT_PTR DialogInput::OnActivate(WPARAM wParam) {
  if (dialog_ == nullptr) return 0;
  if (LOWORD(wParam) != WA_INACTIVE) {
    const bool dropDown = items_->FocusTarget() == kDropDownItem && items_->Shown(kDropDownItem);
    SetFocus(dropDown ? GetDlgItem(dialog_, kComboId) : dialog_);
  }
  return Answer(dialog_, 0);
}

void DialogInput::TellControlsPointerGone() {
  if (skin_ != nullptr) skin_->preFilter(dialog_, WM_MOUSEMOVE, 0, kPointerGone);
}

// Arms the leave notice; the skin's controls then take the move.
INT_PTR DialogInput::OnMouseMove() {
  if (dialog_ == nullptr || trackingLeave_) return 0;
  TRACKMOUSEEVENT track = {};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = dialog_;
  trackingLeave_ = TrackMouseEvent(&track) != FALSE;
  return 0;
}

// Tab and Shift+Tab in the drop-down move on through the skinned controls. Not every dialog
// manager tells the dialog about Tab, so the drop-down asks for it and hands it over.
LRESULT CALLBACK DialogInput::DropDownProc(HWND dropDown, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  DialogInput* self = static_cast<DialogInput*>(GetPropA(dropDown, kInputProperty));
  const WNDPROC own = self != nullptr ? self->dropDownProc_ : nullptr;
  if (own == nullptr) return DefWindowProcA(dropDown, message, wParam, lParam);
  switch (message) {
    case WM_GETDLGCODE:
      return CallWindowProcA(own, dropDown, message, wParam, lParam) | DLGC_WANTTAB;
    case WM_KEYDOWN:
      if (wParam != VK_TAB) break;
      self->MoveFocus(ShiftHeld());
      return 0;
    case WM_CHAR:
      if (wParam == '\t') return 0;
      break;
    default: break;
  }
  return CallWindowProcA(own, dropDown, message, wParam, lParam);
}

void DialogInput::HookDropDown(HWND dialog) {
  HWND dropDown = GetDlgItem(dialog, kComboId);
  if (dropDown == nullptr || !SetPropA(dropDown, kInputProperty, this)) return;
  dropDownProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(dropDown, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DropDownProc)));
}

void DialogInput::UnhookDropDown() {
  HWND dropDown = dialog_ != nullptr ? GetDlgItem(dialog_, kComboId) : nullptr;
  if (dropDown != nullptr && dropDownProc_ != nullptr) {
    SetWindowLongPtrA(dropDown, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(dropDownProc_));
  }
  if (dropDown != nullptr) RemovePropA(dropDown, kInputProperty);
  dropDownProc_ = nullptr;
}

void DialogInput::OnDropDownCommand(int code) {
  if (dialog_ == nullptr) return;
  if (code == CBN_SETFOCUS) {
    items_->DropDownTookFocus();
    RefreshRing(false);
  } else if (code == CBN_CLOSEUP && !CuesShown()) {
    // A pick made with the mouse hands the focus on to where Tab goes next (Install, or
    // Cancel while every box is cleared), so the drop-down does not stay highlighted, as the
    // window has always looked after a pick.
    items_->Focus(items_->NextShown(kDropDownItem, 1));
  }
}

void DialogInput::Attach(HWND dialog, SkinWindow* skin, DialogItems* items) {
  *this = DialogInput{};
  dialog_ = dialog;
  skin_ = skin;
  items_ = items;
  StartCues();
  HookDropDown(dialog);
}

void DialogInput::Detach() {
  UnhookDropDown();
  *this = DialogInput{};
}

void DialogInput::After() {
  if (dialog_ == nullptr) return;
  const bool pressed = items_->WindowHasFocus() && items_->Pressed(items_->FocusTarget());
  // A button draws its looks straight to the window, over the rectangle inside it: the
  // pressed look goes without one, the raised look gets it back.
  if (pressed && !focusedPressed_) drawnRing_ = RECT{0, 0, 0, 0};
  if (!pressed && focusedPressed_) RefreshRing(true);
  focusedPressed_ = pressed;
  RefreshRing(false);  // the focus may have moved during the message, by keys or a reader
}

void DialogInput::PaintFocusRectangle() {
  if (dialog_ == nullptr) return;
  // A paint that only copies the frame copies the rectangle with it.
  if (skin_ != nullptr && !skin_->composing()) {
    RefreshRing(false);
    return;
  }
  // The paint cycle has drawn over the rectangle, or part of it: draw it whole again.
  if (!IsRectEmpty(&drawnRing_) && !RingWanted()) Recompose(drawnRing_, false);
  drawnRing_ = RECT{0, 0, 0, 0};
  RefreshRing(true);
}

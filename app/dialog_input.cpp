#include "app/dialog_input.h"

#include "app/dialog_items.h"
#include "app/dialog_layout.h"
#include "controls/filter_check_box.h"
#include "controls/image_button.h"
#include "controls/link_label.h"
#include "skin/scoped_gdi.h"

namespace {

// Posted to redraw the focus rectangle once the window's cue state has been updated.
constexpr UINT kRefreshFocusMessage = WM_APP + 0x31;
// A pointer position no control contains: tells every control the pointer has gone.
constexpr LPARAM kPointerGone = MAKELPARAM(0xFFFF, 0xFFFF);
// Where the drop-down finds the input it hands Tab to.
constexpr char kInputProperty[] = "QuillaneDialogInput";

INT_PTR Answer(HWND dialog, LRESULT value) {
  SetWindowLongPtrA(dialog, DWLP_MSGRESULT, value);
  return TRUE;
}

}  // namespace

SkinContext* DialogInput::Context() const { return skin_ != nullptr ? skin_->context : nullptr; }

// The keyboard was used: from now on the focus is shown, as Windows does for its dialogs.
void DialogInput::ShowCues() {
  if (cuesHidden_) {
    SendMessageA(dialog_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    cuesHidden_ = false;
  }
}

// Follows the window's cue state as the system changes it.
void DialogInput::OnUpdateUiState(WPARAM wParam) {
  if ((HIWORD(wParam) & UISF_HIDEFOCUS) == 0) return;
  if (LOWORD(wParam) == UIS_SET) cuesHidden_ = true;
  if (LOWORD(wParam) == UIS_CLEAR) cuesHidden_ = false;
  PostMessageA(dialog_, kRefreshFocusMessage, 0, 0);
}

RECT DialogInput::RingRect(int item) const {
  RECT area;
  if (!ItemRect(item, &area)) return RECT{0, 0, 0, 0};
  switch (KindOfItem(item)) {
    case ItemKind::kFilterBox:
      InflateRect(&area, 2, 2);  // around box and label, clear of the boxes above and below
      break;
    case ItemKind::kLink:
      InflateRect(&area, 1, 1);
      break;
    default:
      // Inside the pill, as Windows draws it inside a button; the bounds hold one extra
      // column and row for the pressed shift.
      area = RECT{area.left + 3, area.top + 3, area.right - 4, area.bottom - 4};
      break;
  }
  return area;
}

bool DialogInput::RingWanted() const {
  return dialog_ != nullptr && windowHasFocus_ && focus_ != kDropDownItem && ItemShown(focus_) &&
         !ItemPressed(focus_) && CuesShown();
}

// Puts area back together off screen (background, then every shown control as the paint
// cycle draws it), adds the focus rectangle when asked and copies the area to the window in
// one piece. Drawing the rectangle over fresh pixels every time keeps its inverting pen from
// ever cancelling an earlier one. The controls draw inside area only: the rest of the frame
// is what the window shows and stays so.
void DialogInput::ComposeArea(const RECT& area, bool withRing) {
  SkinContext* context = Context();
  if (context == nullptr || context->bufferDc == nullptr || IsRectEmpty(&area)) return;
  HDC buffer = context->bufferDc;
  {
    ScopedClip clip(buffer, area);
    if (context->background != nullptr) {
      context->background->drawTiled(buffer, area.left, area.top, area.right, area.bottom);
    }
    for (int32_t i = 0; i < context->controlCount && i < kMaxSkinControls; ++i) {
      SkinControl* control = context->controls[i];
      if (control != nullptr && control->visible) control->paint(buffer);
    }
    if (withRing) DrawFocusRect(buffer, &area);
  }
  ControlDc target(context);
  if (target.get() != nullptr) blitRect(target.get(), buffer, area);
}

// Brings the focus rectangle on screen in line with the focus; force redraws it even where
// it already stands (after something painted over it).
void DialogInput::RefreshRing(bool force) {
  const RECT wanted = RingWanted() ? RingRect(focus_) : RECT{0, 0, 0, 0};
  if (!IsRectEmpty(&drawnRing_) && !EqualRect(&drawnRing_, &wanted)) {
    ComposeArea(drawnRing_, false);
  }
  if (!IsRectEmpty(&wanted) && (force || !EqualRect(&drawnRing_, &wanted))) {
    ComposeArea(wanted, true);
  }
  drawnRing_ = wanted;
}

int DialogInput::NextShownItem(int from, int step) const {
  int item = from;
  for (int tries = 0; tries < kDialogItemCount; ++tries) {
    item = (item + step + kDialogItemCount) % kDialogItemCount;
    if (ItemShown(item)) return item;
  }
  return kNoItem;
}

void DialogInput::MoveFocus(bool backwards) {
  ShowCues();
  const int from = focus_ == kNoItem ? kInstallItem : focus_;
  const int next = NextShownItem(from, backwards ? -1 : 1);
  if (next != kNoItem) FocusItem(next);
}

// Enter: the focused link or button acts; anywhere else it is the OK command (Install, or
// the end on the completion screen).
void DialogInput::OnEnter() {
  const int item = focus_;
  if (item != kNoItem && KindOfItem(item) != ItemKind::kFilterBox && item != kDropDownItem &&
      PressItem(item)) {
    return;
  }
  SendMessageA(dialog_, WM_COMMAND, IDOK, 0);
}

bool DialogInput::OnKeyDown(WPARAM key, LPARAM flags) {
  const bool repeated = (flags & (1 << 30)) != 0;
  switch (key) {
    case VK_TAB:
      MoveFocus((GetKeyState(VK_SHIFT) & 0x8000) != 0);
      return true;
    case VK_SPACE:
      ShowCues();
      if (!repeated) PressItem(focus_);
      return true;
    case VK_RETURN:
      ShowCues();
      if (!repeated) OnEnter();
      return true;
    case VK_ESCAPE:
      SendMessageA(dialog_, WM_COMMAND, IDCANCEL, 0);
      return true;
    default:
      return false;
  }
}

// The link's hand is set here, where Windows asks for the cursor, so the class arrow never
// shows in between.
bool DialogInput::OnSetCursor(HWND over, LPARAM lParam) {
  if (over != dialog_ || LOWORD(lParam) != HTCLIENT || linkCursor == nullptr) return false;
  POINT at;
  if (!GetCursorPos(&at) || !ScreenToClient(dialog_, &at)) return false;
  RECT link;
  if (!ItemShown(kLinkItem) || !ItemRect(kLinkItem, &link)) return false;
  // The link's own hit test: every edge belongs to it.
  if (at.x < link.left || at.x > link.right || at.y < link.top || at.y > link.bottom) return false;
  SetCursor(linkCursor);
  return true;
}

void DialogInput::TellControlsPointerGone() {
  if (skin_ != nullptr) skin_->preFilter(dialog_, WM_MOUSEMOVE, 0, kPointerGone);
}

void DialogInput::ArmLeaveTracking() {
  if (trackingLeave_) return;
  TRACKMOUSEEVENT track = {};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = dialog_;
  trackingLeave_ = TrackMouseEvent(&track) != FALSE;
}

bool DialogInput::AnyButtonPressed() const {
  for (int item = kInstallItem; item <= kFinishItem; ++item) {
    if (ItemPressed(item)) return true;
  }
  return false;
}

void DialogInput::OnActivate(WPARAM wParam) {
  if (LOWORD(wParam) == WA_INACTIVE) return;
  // Back to where the focus was, not to the first control as the dialog manager would.
  if (focus_ == kDropDownItem && ItemShown(kDropDownItem)) {
    SetFocus(GetDlgItem(dialog_, kComboId));
  } else {
    SetFocus(dialog_);
  }
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
      self->MoveFocus((GetKeyState(VK_SHIFT) & 0x8000) != 0);
      return 0;
    case WM_CHAR:
      if (wParam == '\t') return 0;
      break;
    default:
      break;
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
  if (code == CBN_SETFOCUS) {
    focus_ = kDropDownItem;
    RefreshRing(false);
  } else if (code == CBN_CLOSEUP && !CuesShown()) {
    // A pick made with the mouse hands the focus on to where Tab goes next (Install, or
    // Cancel while every box is cleared), so the drop-down does not stay highlighted, as the
    // window has always looked after a pick.
    FocusItem(NextShownItem(kDropDownItem, 1));
  }
}

void DialogInput::Attach(HWND dialog, SkinWindow* skin, SkinControl* const* controls) {
  Reset();
  dialog_ = dialog;
  skin_ = skin;
  BindItems(dialog, controls);
  windowHasFocus_ = GetFocus() == dialog;  // attached after the window took the focus
  // Focus cues start hidden until the keyboard is used, unless the user asked to always see
  // them. Set outright: not every system initialises a dialog's cue state.
  BOOL alwaysShowCues = FALSE;
  SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &alwaysShowCues, 0);
  cuesHidden_ = alwaysShowCues == FALSE;
  const WORD action = cuesHidden_ ? UIS_SET : UIS_CLEAR;
  SendMessageA(dialog, WM_CHANGEUISTATE, MAKEWPARAM(action, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
  HookDropDown(dialog);
  StartAccessibleEvents();
}

void DialogInput::Detach() {
  StopAccessibleEvents();
  UnhookDropDown();
  BindItems(nullptr, nullptr);
  Reset();
}

void DialogInput::Reset() {
  dialog_ = nullptr;
  skin_ = nullptr;
  focus_ = kInstallItem;
  windowHasFocus_ = false;
  trackingLeave_ = false;
  focusedPressed_ = false;
  cuesHidden_ = true;
  drawnRing_ = RECT{0, 0, 0, 0};
  dropDownProc_ = nullptr;
}

bool DialogInput::Before(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) {
  *result = 0;
  if (dialog_ == nullptr || dialog != dialog_) return false;
  switch (message) {
    case WM_GETOBJECT: {
      LRESULT answer = 0;
      if (!AnswerAccessibleObject(wParam, lParam, &answer)) return false;
      *result = Answer(dialog, answer);
      return true;
    }
    case WM_ERASEBKGND:
      // The skin paints every pixel; an erase would only flash the dialog's grey.
      *result = Answer(dialog, 1);
      return true;
    case WM_SETCURSOR:
      if (!OnSetCursor(reinterpret_cast<HWND>(wParam), lParam)) return false;
      *result = Answer(dialog, TRUE);
      return true;
    case WM_MOUSEMOVE:
      ArmLeaveTracking();
      return false;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      TellControlsPointerGone();
      return true;
    case WM_CAPTURECHANGED:
      // Another window took the mouse while a button was held: it is let go, not pressed.
      if (reinterpret_cast<HWND>(lParam) != dialog && AnyButtonPressed()) {
        TellControlsPointerGone();
      }
      return false;
    case WM_GETDLGCODE:
      // Only asked while the window itself, that is a skinned control, has the focus.
      *result = Answer(dialog, DLGC_WANTALLKEYS);
      return true;
    case WM_KEYDOWN:
      return OnKeyDown(wParam, lParam);
    case WM_NEXTDLGCTL:
      if (LOWORD(lParam) != 0) return false;  // a given window: the dialog manager's business
      MoveFocus(wParam != 0);
      *result = Answer(dialog, 0);
      return true;
    case WM_SETFOCUS:
      // Keeps the focus on the window: the dialog manager would hand it to the drop-down.
      windowHasFocus_ = true;
      if (focus_ == kDropDownItem || !ItemShown(focus_)) {
        focus_ = ItemShown(kInstallItem) ? kInstallItem : NextShownItem(kDropDownItem, 1);
      }
      RefreshRing(false);
      NotifyAccessibleFocus(focus_);
      *result = Answer(dialog, 0);
      return true;
    case WM_KILLFOCUS:
      windowHasFocus_ = false;
      RefreshRing(false);
      return false;
    case WM_ACTIVATE:
      OnActivate(wParam);
      *result = Answer(dialog, 0);
      return true;
    case WM_UPDATEUISTATE:
      OnUpdateUiState(wParam);
      return false;
    case WM_QUERYUISTATE:
      *result = Answer(dialog, cuesHidden_ ? UISF_HIDEFOCUS | UISF_HIDEACCEL : 0);
      return true;
    case kRefreshFocusMessage:
      RefreshRing(false);
      return true;
    case WM_COMMAND:
      if (LOWORD(wParam) == kComboId) OnDropDownCommand(HIWORD(wParam));
      return false;
    case WM_DESTROY:
      Detach();
      return false;
    default:
      return false;
  }
}

void DialogInput::After() {
  if (dialog_ == nullptr) return;
  const bool pressed = windowHasFocus_ && ItemPressed(focus_);
  // A button draws its looks straight to the window, over the rectangle inside it: the
  // pressed look goes without one, the raised look gets it back.
  if (pressed && !focusedPressed_) drawnRing_ = RECT{0, 0, 0, 0};
  if (!pressed && focusedPressed_) RefreshRing(true);
  focusedPressed_ = pressed;
  SyncAccessibleEvents();
}

void DialogInput::PaintFocusRectangle() {
  if (dialog_ == nullptr) return;
  // A paint that only copies the frame copies the rectangle with it.
  if (skin_ != nullptr && !skin_->composing()) {
    RefreshRing(false);
    return;
  }
  // The paint cycle has drawn over the rectangle, or part of it: draw it whole again.
  if (!IsRectEmpty(&drawnRing_) && !RingWanted()) ComposeArea(drawnRing_, false);
  drawnRing_ = RECT{0, 0, 0, 0};
  RefreshRing(true);
}

void DialogInput::FocusCompletionScreen() {
  if (dialog_ == nullptr) return;
  drawnRing_ = RECT{0, 0, 0, 0};  // the screen change painted everything away
  // The drop-down is moved out of sight; hidden as well, it is out of reach of Tab and of
  // screen readers too.
  HWND dropDown = GetDlgItem(dialog_, kComboId);
  if (dropDown != nullptr) ShowWindow(dropDown, SW_HIDE);
  FocusItem(kFinishItem);
}

int DialogInput::FocusedItem() const {
  if (dialog_ == nullptr) return kNoItem;
  if (windowHasFocus_) return focus_;
  HWND focus = GetFocus();
  if (focus != nullptr && focus == GetDlgItem(dialog_, kComboId)) return kDropDownItem;
  return kNoItem;
}

bool DialogInput::FocusItem(int item) {
  if (dialog_ == nullptr || !ItemShown(item)) return false;
  focus_ = item;
  if (item == kDropDownItem) {
    SetFocus(GetDlgItem(dialog_, kComboId));
    RefreshRing(false);
    return true;
  }
  if (GetFocus() != dialog_) {
    SetFocus(dialog_);  // WM_SETFOCUS draws the rectangle and tells screen readers
  } else {
    RefreshRing(false);
    NotifyAccessibleFocus(item);
  }
  return true;
}

bool DialogInput::PressItem(int item) {
  if (dialog_ == nullptr || !ItemShown(item)) return false;
  SkinControl* control = ItemControl(item);
  switch (KindOfItem(item)) {
    case ItemKind::kFilterBox:
      static_cast<FilterCheckBox*>(control)->toggle(dialog_);
      return true;
    case ItemKind::kLink:
      static_cast<LinkLabel*>(control)->markVisited();
      PostMessageA(dialog_, WM_SKIN_NOTIFY, static_cast<WPARAM>(control->notifyId), 0);
      return true;
    case ItemKind::kButton:
      // Posted, as a click is: the dialog acts once this message is done.
      PostMessageA(dialog_, WM_SKIN_NOTIFY, static_cast<WPARAM>(control->notifyId), 0);
      return true;
    default:
      return false;
  }
}

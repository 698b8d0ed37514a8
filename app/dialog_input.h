#pragma once

#include <windows.h>

#include "app/dialog_items.h"

class SkinWindow;

// Posted to redraw the focus rectangle once the window's cue state has been updated.
constexpr UINT kRefreshFocusMessage = WM_APP + 0x31;

// Keyboard access to the skinned window and the window-level behaviour that Windows' own
// controls have: Tab order and focus over the skinned controls and the drop-down, the focus
// rectangle after keyboard use, Space and Enter on the focused control, the link's cursor,
// no erasing of the background, and the status text cleared when the pointer leaves. It acts
// on the items and draws the focus they have; it never talks to screen readers. A zeroed
// object is one not yet attached.
class DialogInput {
 public:
  // Call once the items are bound. skin routes the mouse and draws (null: no skin).
  void Attach(HWND dialog, SkinWindow* skin, DialogItems* items);
  // Call when the window goes: the drop-down gets its own procedure back.
  void Detach();

  // One handler per message of the window that keyboard, focus and the window-level mouse
  // behaviour need. Each returns what the window's procedure returns for the message (0: the
  // system's own handling follows; answers that travel in DWLP_MSGRESULT are stored there),
  // and does nothing before Attach.
  INT_PTR OnEraseBackground();
  INT_PTR OnSetCursor(WPARAM wParam, LPARAM lParam);
  INT_PTR OnMouseMove();
  INT_PTR OnMouseLeave();
  INT_PTR OnCaptureChanged(LPARAM lParam);
  INT_PTR OnGetDlgCode();
  INT_PTR OnKeyDown(WPARAM key, LPARAM flags);
  INT_PTR OnNextControl(WPARAM wParam, LPARAM lParam);
  INT_PTR OnSetFocus();
  INT_PTR OnKillFocus();
  INT_PTR OnActivate(WPARAM wParam);
  INT_PTR OnUpdateUiState(WPARAM wParam);
  INT_PTR OnQueryUiState() const;
  INT_PTR OnRefreshFocus();
  // The drop-down's notifications, before the dialog acts on them.
  void OnDropDownCommand(int code);
  // After every message of the window: the focus rectangle follows the focus, and comes back
  // where a button's redraw covered it.
  void After();

  // Within the paint cycle, after everything else is drawn: the focus rectangle, if any.
  void PaintFocusRectangle();
  // The screen changed and everything was painted afresh: no rectangle is on screen.
  void ScreenRepainted() { drawnRing_ = RECT{0, 0, 0, 0}; }

 private:
  static LRESULT CALLBACK DropDownProc(HWND dropDown, UINT message, WPARAM wParam, LPARAM lParam);

  bool CuesShown() const { return !cuesHidden_; }
  void ShowCues();
  void StartCues();
  RECT RingRect(int item) const;
  bool RingWanted() const;
  void Recompose(const RECT& area, bool withRing);
  void RefreshRing(bool force);
  bool MoveFocus(bool backwards);
  void OnEnter();
  bool LinkUnderPointer() const;
  void TellControlsPointerGone();
  void HookDropDown(HWND dialog);
  void UnhookDropDown();

  HWND dialog_;
  SkinWindow* skin_;
  DialogItems* items_;
  bool trackingLeave_;   // TrackMouseEvent is armed
  bool focusedPressed_;  // the focused button was held down after the last message
  // Focus cues are hidden. Kept here too: not every system's default window procedure keeps
  // the window's cue state.
  bool cuesHidden_;
  RECT drawnRing_;        // where a focus rectangle is on screen now; empty when none
  WNDPROC dropDownProc_;  // the drop-down's own procedure, behind the Tab handling
};

#pragma once

#include <windows.h>

#include "app/dialog_items.h"

class SkinWindow;

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

  // Offered every message of the dialog procedure before anything else. Returns true when
  // the message was handled; *result is then what the dialog procedure returns (answers that
  // travel in DWLP_MSGRESULT are already stored there).
  bool Before(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result);
  // After the dialog procedure handled a message: the focus rectangle follows the focus, and
  // comes back where a button's redraw covered it.
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
  bool OnUpdateUiState(WPARAM wParam);
  bool AnswerUiState(INT_PTR* result) const;
  RECT RingRect(int item) const;
  bool RingWanted() const;
  void Recompose(const RECT& area, bool withRing);
  void RefreshRing(bool force);
  bool MoveFocus(bool backwards);
  void OnEnter();
  bool OnKeyDown(WPARAM key, LPARAM flags);
  bool OnSetCursor(HWND over, LPARAM lParam);
  bool OnNextControl(WPARAM wParam, LPARAM lParam, INT_PTR* result);
  bool OnSetFocus(INT_PTR* result);
  bool OnKillFocus();
  bool OnMouseLeave();
  bool OnCaptureChanged(HWND taker);
  bool OnActivate(WPARAM wParam, INT_PTR* result);
  void TellControlsPointerGone();
  bool ArmLeaveTracking();
  void HookDropDown(HWND dialog);
  void UnhookDropDown();
  bool OnDropDownCommand(int code);

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

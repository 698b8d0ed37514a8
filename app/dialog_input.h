#pragma once

#include <windows.h>

#include "app/dialog_items.h"
#include "skin/skin_window.h"

class DialogAccessible;

// Keyboard access to the skinned window and the window-level behaviour that Windows' own
// controls have: Tab order and focus over the skinned controls and the drop-down, the focus
// rectangle after keyboard use, Space and Enter on the focused control, the link's cursor,
// no erasing of the background, and the status text cleared when the pointer leaves. Also the
// window as screen readers see it: an accessible object (MSAA) whose children are the items,
// and the events that tell readers what changed. A zeroed object is one not yet attached.
class DialogInput {
 public:
  // Call once the controls exist: the focus starts on Install. controls is the dialog's
  // control table; skin routes the mouse (null: no skin).
  void Attach(HWND dialog, SkinWindow* skin, SkinControl* const* controls);
  // Call when the dialog is destroyed; later messages and screen-reader calls find nothing.
  void Detach();

  // Offered every message of the dialog procedure before anything else. Returns true when
  // the message was handled; *result is then what the dialog procedure returns (answers that
  // travel in DWLP_MSGRESULT are already stored there).
  bool Before(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result);
  // Called after the dialog procedure handled a message: puts back a focus rectangle that a
  // button's redraw covered and reports state changes to screen readers.
  void After();

  // Within the paint cycle, after everything else is drawn: the focus rectangle, if any.
  void PaintFocusRectangle();
  // The install has run: the focus moves to Finish.
  void FocusCompletionScreen();

  // The focused item, or kNoItem when the window does not have the keyboard focus.
  int FocusedItem() const;
  // Moves the keyboard focus to a shown item; returns false when it cannot.
  bool FocusItem(int item);
  // What a click on the item does (toggle a box, press a button, follow the link). Returns
  // false for an item that is hidden or has no such action.
  bool PressItem(int item);

  // The items as a keyboard or screen-reader user finds them (see dialog_items.h).
  HWND ItemsDialog() const { return boundDialog; }
  // The skinned control behind an item; null for the drop-down, an unknown item or unbound.
  SkinControl* ItemControl(int item) const;
  // Whether the user can see and reach the item now (the drop-down only on the selection
  // screen).
  bool ItemShown(int item) const;
  // The item's picture and label in client pixels; false (and an empty rectangle) when
  // unknown.
  bool ItemRect(int item, RECT* client) const;
  // The item's name as a screen reader says it; empty for an unknown item.
  const char* ItemName(int item) const;
  // Filter boxes: ticked (any non-zero value). Other items: false.
  bool ItemChecked(int item) const;
  // Buttons held down by the mouse right now.
  bool ItemPressed(int item) const;
  // The item under a client point, or kNoItem.
  int ItemAt(POINT client) const;

  // Screen readers: answers WM_GETOBJECT for the window's client area; false for any other
  // object asked for (the system then answers). *result is what the procedure must return.
  bool AnswerAccessibleObject(WPARAM flags, LPARAM objectId, LRESULT* result);
  // Reports every item that was shown, hidden, ticked, cleared or pressed since the last call.
  void SyncAccessibleEvents();
  // The home-page link has been followed.
  bool LinkVisited() const;

 private:
  struct ItemSnapshot {
    bool shown;
    bool checked;
    bool pressed;
    bool visited;
  };

  static LRESULT CALLBACK DropDownProc(HWND dropDown, UINT message, WPARAM wParam, LPARAM lParam);

  void Reset();
  void BindItems(HWND dialog, SkinControl* const* controls);
  bool OnCompletionScreen() const;

  SkinContext* Context() const;
  bool CuesShown() const { return !cuesHidden_; }
  void ShowCues();
  void OnUpdateUiState(WPARAM wParam);
  RECT RingRect(int item) const;
  bool RingWanted() const;
  void ComposeArea(const RECT& area, bool withRing);
  void RefreshRing(bool force);
  int NextShownItem(int from, int step) const;
  void MoveFocus(bool backwards);
  void OnEnter();
  bool OnKeyDown(WPARAM key, LPARAM flags);
  bool OnSetCursor(HWND over, LPARAM lParam);
  void TellControlsPointerGone();
  void ArmLeaveTracking();
  bool AnyButtonPressed() const;
  void OnActivate(WPARAM wParam);
  void HookDropDown(HWND dialog);
  void UnhookDropDown();
  void OnDropDownCommand(int code);

  ItemSnapshot SnapshotOf(int item) const;
  void StartAccessibleEvents();
  void StopAccessibleEvents();
  void NotifyAccessibleFocus(int item);

  // The items' window and control table (kControlSlots entries, owned by the dialog).
  HWND boundDialog;
  // Looked up once: the drop-down lives as long as the dialog, and the lookup asks the window
  // server, which every message's state check would otherwise pay.
  HWND boundDropDown;
  SkinControl* const* boundControls;

  HWND dialog_;
  SkinWindow* skin_;
  int focus_;            // item with the focus while the window has it
  bool windowHasFocus_;  // the dialog window itself (not the drop-down) holds the focus
  bool trackingLeave_;   // TrackMouseEvent is armed
  bool focusedPressed_;  // the focused button was held down after the last message
  // Focus cues are hidden. Kept here too: not every system's default window procedure keeps
  // the window's cue state.
  bool cuesHidden_;
  RECT drawnRing_;        // where a focus rectangle is on screen now; empty when none
  WNDPROC dropDownProc_;  // the drop-down's own procedure, behind the Tab handling

  // Screen readers: the items' states last reported, and the one object handed out.
  bool readersLive;
  ItemSnapshot snapshots[kDialogItemCount];
  DialogAccessible* readerObject;
};

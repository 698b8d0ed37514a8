#pragma once

#include <windows.h>

#include "app/dialog_search.h"
#include "app/filter_catalogue.h"

class FilterCheckBox;
class ImageButton;
class LinkLabel;

// The dialog's skinned controls by what they are. The window owns them (its teardown deletes
// them); null before they are made and after the window has gone.
struct DialogControls {
  ImageButton* cancel;
  ImageButton* install;
  ImageButton* logo;
  LinkLabel* link;
  FilterCheckBox* boxes[kFilterBoxCount];
  ImageButton* finish;
};

// The controls a keyboard or screen-reader user moves through, in Tab order: the filter boxes
// top to bottom, the home-page link, the folder drop-down, Install, Cancel, Finish. Item
// numbers are 0-based; a screen reader's child identifiers are the item numbers plus 1.
enum class ItemKind { kFilterBox, kLink, kDropDown, kButton };

constexpr int kNoItem = -1;
constexpr int kFirstBoxItem = 0;
constexpr int kLinkItem = kFirstBoxItem + kFilterBoxCount;
constexpr int kDropDownItem = kLinkItem + 1;
constexpr int kInstallItem = kDropDownItem + 1;
constexpr int kCancelItem = kInstallItem + 1;
constexpr int kFinishItem = kCancelItem + 1;
constexpr int kDialogItemCount = kFinishItem + 1;
static_assert(kDialogItemCount == kFilterBoxCount + 5, "every control of the window is an item");

ItemKind KindOfItem(int item);

// Sent to the window when something outside its own messages (a screen reader) changed an
// item: the window then draws and reports the change as it does after every message.
constexpr UINT kItemsChangedMessage = WM_APP + 0x32;

// The one account of the items: what they are, whether they are shown, checked or pressed,
// where they are, what they are called, and which has the keyboard focus. Keyboard input and
// the screen-reader object both read and act through it; what changed is drawn and reported
// after each message of the window. A zeroed object is one not yet bound.
class DialogItems {
 public:
  // Call once the controls exist (null: unbound); the focus starts on Install. The search
  // tells whether a modal loop of the window's runs.
  void Bind(HWND dialog, const DialogControls* controls, const DialogSearch* search);
  HWND Window() const { return dialog_; }

  // Whether the user can see and reach the item now.
  bool Shown(int item) const;
  // Whether what a user or reader asks of the items is acted on: not while the window is
  // disabled or runs a modal loop (a question, the folder picker), as Windows treats the
  // children of a disabled window.
  bool Available() const;
  // The item's picture and label in client pixels; false (and an empty rectangle) when
  // unknown.
  bool Rect(int item, RECT* client) const;
  // The item's name as a screen reader says it; empty for an unknown item.
  const char* Name(int item) const;
  // What the status area shows while the item is hovered; empty when nothing.
  const char* HoverText(int item) const;
  // Filter boxes: ticked. Other items: false.
  bool Checked(int item) const;
  // Buttons held down by the mouse right now.
  bool Pressed(int item) const;
  bool AnyButtonPressed() const;
  bool LinkFollowed() const;
  // The item under a client point, or kNoItem.
  int At(POINT client) const;
  // The next shown item from from in steps of step (+1 or -1), round the end; kNoItem when
  // none is shown.
  int NextShown(int from, int step) const;

  // The focused item, or kNoItem when the window does not have the keyboard focus.
  int Focused() const;
  // The item that has the focus while the window has it.
  int FocusTarget() const { return focus_; }
  bool WindowHasFocus() const { return windowHasFocus_; }
  // Moves the keyboard focus to a shown item; returns false when it cannot or the items are
  // not available.
  bool Focus(int item);
  // The window itself took the keyboard focus (true) or lost it; on taking it the focus goes
  // back to its item, or to Install or the next shown item when that cannot take it.
  void WindowFocusChanged(bool has);
  // The drop-down has the keyboard focus, however it got it.
  void DropDownTookFocus() { focus_ = kDropDownItem; }
  // What a click on the item does (toggle a box, press a button, follow the link). Returns
  // false for an item that is hidden or has no such action, and while the items are not
  // available.
  bool Press(int item);

 private:
  const DialogControls* controls_;
  const DialogSearch* search_;
  HWND dialog_;
  // Looked up once: the drop-down lives as long as the dialog, and the lookup asks the window
  // server, which every message's state check would otherwise pay.
  HWND dropDown_;
  int focus_;
  bool windowHasFocus_;
};

#pragma once

#include <windows.h>

#include "app/dialog_items.h"

class DialogAccessible;

// The window as screen readers see it: the accessible object handed out for the client area,
// and the events that tell readers what changed in the items since the last message. A
// zeroed object is one not yet started.
class DialogReader {
 public:
  // Call once the items are bound.
  void Start(DialogItems* items);
  // Call when the window goes: the object handed out answers nothing from then on.
  void Stop();
  // Answers WM_GETOBJECT for the window's client area; false for any other object asked for
  // (the system then answers). *result is what the procedure must return.
  bool AnswerObject(WPARAM flags, LPARAM objectId, LRESULT* result);
  // Reports the item that took the focus and every item shown, hidden, ticked, cleared or
  // pressed since the last call.
  void Sync();

 private:
  struct ItemSnapshot {
    bool shown;
    bool checked;
    bool pressed;
    bool followed;
    bool available;  // not while the window is disabled or under a question
  };

  ItemSnapshot SnapshotOf(int item) const;
  void Notify(DWORD event, int item) const;

  DialogItems* items_;
  ItemSnapshot snapshots_[kDialogItemCount];
  int reportedFocus_;
  DialogAccessible* object_;
};

#pragma once

#include <windows.h>

// Keeps the user's input away from the dialog while an install runs on its thread: the
// window is disabled, and the keys and clicks queued meanwhile are dropped when it is given
// back, so that an Enter typed during the install cannot end the dialog before the user has
// seen what the install did.
class InstallInputGuard {
 public:
  explicit InstallInputGuard(HWND dialog);
  InstallInputGuard(const InstallInputGuard&) = delete;
  InstallInputGuard& operator=(const InstallInputGuard&) = delete;
  ~InstallInputGuard() { release(); }

  // Drops the queued keys and clicks and enables the window again, with the focus where it
  // was. Call before telling the user anything; later calls do nothing.
  void release();

 private:
  HWND dialog_;
  HWND focus_;
  bool held_;
};

// Removes every key and mouse message waiting in this thread's queue.
void DropQueuedInput();

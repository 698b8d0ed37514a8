#include "app/install_input_guard.h"

InstallInputGuard::InstallInputGuard(HWND dialog)
    : dialog_(dialog), focus_(GetFocus()), held_(true) {
  EnableWindow(dialog_, FALSE);
}

void InstallInputGuard::release() {
  if (!held_) return;
  held_ = false;
  DropQueuedInput();
  EnableWindow(dialog_, TRUE);
  // Disabling took the focus away; Enter and Escape reach the dialog only through it.
  if (focus_ != nullptr && IsWindow(focus_)) SetFocus(focus_);
}

void DropQueuedInput() {
  MSG message;
  while (PeekMessageA(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
  }
  while (PeekMessageA(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
  }
}

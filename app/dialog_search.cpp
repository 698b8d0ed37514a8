// The search for plug-in folders while the window is already shown, and the modal loops
// that its end waits for.
#include "app/dialog_search.h"

#include "discovery/search_stop.h"
#include "text/ansi_chars.h"

void DialogSearch::Prepare(HWND window, Run run) {
  *this = DialogSearch{};
  window_ = window;
  run_ = run;
  pending_ = 1;
}

// The search fills the process-wide candidate list and then hands over to the window's
// thread; nothing else touches that list until then.
DWORD WINAPI DialogSearch::Thread(LPVOID self) {
  DialogSearch* search = static_cast<DialogSearch*>(self);
  search->run_();
  const HWND window = search->window_;
  __atomic_store_n(&search->finished_, 1, __ATOMIC_RELEASE);
  PostMessageA(window, WM_DISCOVERY_DONE, 0, 0);
  return 0;
}

void DialogSearch::Start() {
  started_ = 1;
  ClearSearchStop();
  ansi::HasLeadBytes();  // the code page's table is filled here, before the thread reads it
  thread_ = CreateThread(nullptr, 0, Thread, this, 0, nullptr);
  // No thread: the window waits for the search, as it always could.
  if (thread_ == nullptr) Thread(this);
}

bool DialogSearch::TakeList() {
  if (pending_ == 0 || __atomic_load_n(&finished_, __ATOMIC_ACQUIRE) == 0) return false;
  if (nestedLoops_ > 0) {
    doneHeld_ = 1;
    return false;
  }
  pending_ = 0;
  return true;
}

// Once the last modal loop is over, the search's end that came during it is posted again, so
// the window's own loop acts on it.
void DialogSearch::LeaveNestedLoop() {
  if (nestedLoops_ > 0) --nestedLoops_;
  if (nestedLoops_ > 0 || doneHeld_ == 0) return;
  doneHeld_ = 0;
  PostMessageA(window_, WM_DISCOVERY_DONE, 0, 0);
}

bool DialogSearch::StopAndWait(DWORD timeoutMs) {
  pending_ = 0;
  if (thread_ == nullptr) return true;
  RequestSearchStop();
  const bool ended = WaitForSingleObject(thread_, timeoutMs) == WAIT_OBJECT_0;
  CloseHandle(thread_);
  thread_ = nullptr;
  return ended;
}

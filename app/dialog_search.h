#pragma once

#include <windows.h>

// Posted by the search thread to the window when the candidate list is complete.
constexpr UINT WM_DISCOVERY_DONE = WM_APP + 1;

// How long the window's end waits for the search to stop: it stops at its next registry key,
// folder entry or settings line, so this bounds only a single stalled read.
constexpr DWORD kSearchStopWaitMs = 3000;

// The search for plug-in folders while the window shows: its thread, the stop asked of it
// when the window goes, whether its list is complete, and the modal loops (message boxes,
// the folder picker, moving the window, its menu) that hold its end until they are over. A
// zeroed object is a search not yet prepared.
class DialogSearch {
 public:
  using Run = void (*)();

  // The window will wait for a list; run is the search itself.
  void Prepare(HWND window, Run run);
  // Whether the list is still to come (the drop-down stays off until then).
  bool Pending() const { return pending_ != 0; }
  bool Started() const { return started_ != 0; }
  // Runs the search on a thread of its own; where no thread can be made, here and now.
  void Start();
  // On the completion message: true when the list is complete and the window may take it
  // now (the search then counts as over). Under a modal loop the message is held and posted
  // again once the last loop is over.
  bool TakeList();
  // Asks the search to stop and waits for its thread, at most timeoutMs; the window's end.
  // Returns whether the thread has ended.
  bool StopAndWait(DWORD timeoutMs);

  void EnterNestedLoop() { ++nestedLoops_; }
  void LeaveNestedLoop();
  bool InNestedLoop() const { return nestedLoops_ > 0; }

 private:
  static DWORD WINAPI Thread(LPVOID self);

  HWND window_;
  Run run_;
  HANDLE thread_;
  int pending_;
  int started_;
  // Set by the thread last of all, with a release store: a completion message that comes
  // before it is not the thread's, and the list is not read while the thread may still write.
  int finished_;
  int nestedLoops_;
  int doneHeld_;
};

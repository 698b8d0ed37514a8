#pragma once

#include <windows.h>

#include "app/dialog_input.h"
#include "app/dialog_layout.h"
#include "app/install_messages.h"
#include "app/system_error.h"
#include "payload/payload_extraction.h"
#include "skin/skin_control.h"
#include "text/text_buffer.h"

class FilterCheckBox;

// The installer's one window: folder choice, filter choice, install, completion screen.
// Everything the window knows lives here. It needs no construction: a zeroed object is a
// dialog not yet opened, and the window's start sets every field.
class InstallerDialog {
 public:
  // The window's procedure; the object comes as the dialog's creation parameter.
  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  // The items as keyboard and screen-reader users reach them.
  const DialogInput& Input() const { return input; }

 private:
  class NestedLoop;
  static DWORD WINAPI DiscoveryThread(LPVOID self);

  INT_PTR OnMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  FilterCheckBox* FilterAt(int slot) const;
  void LeaveNestedLoop(HWND dialog);
  void ShowProblem(HWND dialog, const char* text);
  int CheckedFilterCount() const;
  bool IsActive(int slot) const;
  int BrowseEntryIndex() const { return detectedFolderCount + browsedFolderShown; }
  void CreateControls();
  void FillDropDown(HWND dialog);
  void AwaitDiscovery(HWND dialog);
  void StartDiscovery();
  bool DropPendingInstall();
  void OnDiscoveryDone(HWND dialog);
  void OnInitDialog(HWND dialog);
  void PaintWindow(HWND dialog);
  void OnPaint(HWND dialog);
  bool BrowseForFolder(HWND dialog);
  bool ReadChosenFolder(HWND dialog);
  bool ConfirmEditorCanLoad(HWND dialog);
  void ShowCompletionScreen(HWND dialog);
  bool RefuseFolder(HWND dialog);
  void InstallStep(HWND dialog);
  INT_PTR OnCommand(HWND dialog, int id, int code);
  void OnFilterChanged(HWND dialog);
  void OnSkinNotify(HWND dialog, WPARAM code);

  HWND window;
  DialogInput input;
  SkinControl* ControlTable[kControlSlots];
  int installDone;
  int detectedFolderCount;
  int browsedFolderShown;
  char InstallFolder[kPathChars];
  // Discovery runs while the window is already shown; Install waits for its list.
  int discoveryRunning;
  int discoveryStarted;
  int installPending;
  // Set by the search thread last of all, with a release store: a completion message that
  // comes before it is not the thread's, and the list is not read while the thread may still
  // write it.
  int discoveryFinished;
  // Modal loops that the window runs inside its own (message boxes, the folder picker, moving
  // the window, its menu). The search's end is held while one runs and acted on after it.
  int nestedLoops;
  int discoveryDoneHeld;
  // The message and the run's report are too large for the stack; one install runs at a time.
  char problemText[kMessageChars];
  ExtractionReport extractionReport;
  char failureReasons[kReportEntries][kSystemErrorChars];
};

// The procedure to hand to DialogBoxParamA with the dialog object as its parameter.
INT_PTR CALLBACK InstallerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

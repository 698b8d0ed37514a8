#pragma once

#include <windows.h>

#include "app/dialog_input.h"
#include "app/dialog_items.h"
#include "app/dialog_layout.h"
#include "app/dialog_reader.h"
#include "app/dialog_search.h"
#include "app/drop_down_list.h"
#include "app/folder_install.h"
#include "skin/skin_control.h"
#include "text/text_buffer.h"

class SkinWindow;

// The installer's one window: folder choice, filter choice, install, completion screen.
// Everything the window knows lives here. It needs no construction: a zeroed object is a
// dialog not yet opened, and the window's start sets every field.
class InstallerDialog {
 public:
  // The window's procedure; the object comes as the dialog's creation parameter.
  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  // The items as keyboard and screen-reader users reach them.
  DialogItems& Items() { return items; }

 private:
  // Around every call that runs a modal loop of its own (message boxes, the folder picker,
  // the home page): the search's end is held while one runs and acted on after it.
  class NestedLoop {
   public:
    explicit NestedLoop(InstallerDialog* owner) : owner_(owner) { owner->search.EnterNestedLoop(); }
    ~NestedLoop() { owner_->search.LeaveNestedLoop(); }
    NestedLoop(const NestedLoop&) = delete;
    NestedLoop& operator=(const NestedLoop&) = delete;

   private:
    InstallerDialog* owner_;
  };

  // After every message, whatever handled it: the focus rectangle follows the focus and
  // screen readers hear what changed in the items.
  class AfterMessage {
   public:
    explicit AfterMessage(InstallerDialog* owner) : owner_(owner) {}
    ~AfterMessage() {
      owner_->input.After();
      owner_->reader.Sync();
    }
    AfterMessage(const AfterMessage&) = delete;
    AfterMessage& operator=(const AfterMessage&) = delete;

   private:
    InstallerDialog* owner_;
  };

  // The message table: every message the window handles, each to one member.
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR OnMouseMessage(UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR OnMouse(UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR OnMouseMove(UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR OnInitDialog();
  INT_PTR OnPaint();
  INT_PTR OnCommand(int id, int code);
  INT_PTR OnSkinNotify(WPARAM code);
  INT_PTR OnHelp();
  INT_PTR OnDiscoveryDone();
  INT_PTR OnGetObject(WPARAM flags, LPARAM objectId);
  INT_PTR OnDestroy();
  INT_PTR EnterNestedLoop();
  INT_PTR LeaveNestedLoop();
  // Neither disabled nor under a modal loop of its own: what the user or a reader asks of
  // the window is acted on.
  bool AcceptsInput() const;

  // The window's start and its controls.
  void CreateControls();
  void PlaceWindow();
  void PaintWindow();
  void Repaint(const RECT* area);
  int CheckedFilterCount() const;
  bool InstallShown() const;
  void SetRestingStatus(const char* text);
  void OnFilterChanged();
  int BrowseEntryIndex() const { return detectedFolderCount + browsedFolderShown; }
  void FillDropDown();

  // The search for plug-in folders, on a thread of its own.
  void AwaitDiscovery();
  bool DropPendingInstall();

  // Install: the chosen folder read from the drop-down or picked, the run, what it reports.
  void InstallStep();
  bool BrowseForFolder();
  bool ReadChosenFolder(char (&folder)[kPathChars]);
  size_t ExcludedFilters(const char* (&keys)[kFilterBoxCount]) const;
  static bool AskInstallQuestion(void* self, const char* text);
  void ShowOutcome(InstallOutcome outcome);
  void ShowProblem(const char* text);
  void ShowCompletionScreen();

  HWND window;
  SkinWindow* skin;  // null: the window runs unskinned, without its controls
  // The window's own record of its controls, slot by slot, and the same controls by what
  // they are.
  SkinControl* ControlTable[kControlSlots];
  DialogControls controls;
  DropDownList dropDown;
  DialogItems items;
  DialogInput input;
  DialogReader reader;
  int installDone;
  int detectedFolderCount;
  int browsedFolderShown;
  // Discovery runs while the window is already shown; Install waits for its list.
  DialogSearch search;
  int installPending;
  FolderInstall install;
};

// The procedure to hand to DialogBoxParamA with the dialog object as its parameter.
INT_PTR CALLBACK InstallerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The installer's own dialog while its folder search runs: where the search's end is acted
// on. The search and the home page are stand-ins defined here, in place of the product's (the
// linker takes these and leaves the library's), so the test decides when the search ends and
// what the home page's message box does.
#include "app/installer_dialog.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/app_state.h"
#include "app/dialog_layout.h"
#include "discovery/candidate_folder_list.h"
#include "discovery/host_probe_sequence.h"
#include "skin/skin_control.h"

HINSTANCE ProgramInstance = nullptr;
SkinWindow* TheSkinWindow = nullptr;
SkinContext TheSkinContext = {};

namespace {

constexpr UINT kSearchDoneMessage = WM_APP + 1;  // the search thread's completion message

HANDLE searchMayEnd = nullptr;  // the stand-in search returns once this is set
HANDLE searchStarted = nullptr;
HANDLE searchThread = nullptr;
char searchFinds[kPathChars];  // the one folder the search lists
std::function<void()> homePageBox;

}  // namespace

void HostProbeSequence() {
  searchThread = OpenThread(SYNCHRONIZE, FALSE, GetCurrentThreadId());
  SetEvent(searchStarted);
  WaitForSingleObject(searchMayEnd, INFINITE);
  CopyText(CandidateFolderList[0].path, kPathChars, searchFinds);
  CandidateFolderList[0].appendSubfolder = 0;
}

// The real one shows a message box here when it cannot start the browser.
void OpenHomePage(HWND, const char*) {
  if (homePageBox) homePageBox();
}

namespace {

void PumpFor(DWORD ms) {
  const DWORD start = GetTickCount();
  do {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(5);
  } while (GetTickCount() - start < ms);
}

class InstallerDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgramInstance = GetModuleHandleA(nullptr);
    ResetCandidateFolderList();
    searchMayEnd = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    searchStarted = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    homePageBox = nullptr;
    GetTempPathA(sizeof target, target);
    AppendText(target, sizeof target, "quillane-dialog-test\\");
    CreateDirectoryA(target, nullptr);
    CopyText(searchFinds, sizeof searchFinds, target);
    DeleteFileA(Installed().c_str());
    TheSkinWindow = new SkinWindow(&TheSkinContext, ProgramInstance);
    dialog = CreateDialogParamA(ProgramInstance, "main", nullptr, InstallerDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    ShowWindow(dialog, SW_SHOW);
    UpdateWindow(dialog);  // the first paint starts the search
    ASSERT_EQ(WaitForSingleObject(searchStarted, 10000), WAIT_OBJECT_0) << "no search started";
    PumpFor(50);
  }

  void TearDown() override {
    EndSearch();
    DestroyWindow(dialog);
    TheSkinWindow->teardown();
    delete TheSkinWindow;
    TheSkinWindow = nullptr;
    // The completion screen changes the shared font; the next dialog starts with its own.
    DeleteObject(regularFont);
    regularFont = nullptr;
    CloseHandle(searchMayEnd);
    CloseHandle(searchStarted);
    DeleteFileA(Installed().c_str());
    RemoveDirectoryA(target);
  }

  void EndSearch() {
    SetEvent(searchMayEnd);
    if (searchThread != nullptr) WaitForSingleObject(searchThread, 10000);
    CloseHandle(searchThread);
    searchThread = nullptr;
  }

  std::string Installed() const { return std::string(target) + "QuillanePlugins.htm"; }
  bool InstallRan() const {
    return GetFileAttributesA(Installed().c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  LRESULT Entries() const { return SendDlgItemMessageA(dialog, kComboId, CB_GETCOUNT, 0, 0); }

  char target[MAX_PATH];
  HWND dialog = nullptr;
};

// Posted by anyone before the search is over, the completion message is passed over: the list
// is read once the thread has finished writing it.
TEST_F(InstallerDialogTest, AnEarlyCompletionMessageIsPassedOver) {
  PostMessageA(dialog, kSearchDoneMessage, 0, 0);
  PumpFor(100);
  EXPECT_EQ(Entries(), 0);
  EndSearch();
  PumpFor(100);
  EXPECT_EQ(Entries(), 2);
}

// The search ends while the home page's message box runs its own loop: neither the list nor
// the waiting install is acted on under the box, and both are once it is closed.
TEST_F(InstallerDialogTest, TheSearchsEndWaitsForAMessageBoxToClose) {
  LRESULT entriesUnderTheBox = -1;
  bool installedUnderTheBox = true;
  homePageBox = [&] {
    EndSearch();
    PumpFor(300);  // a message box's loop, dispatching what is posted to the window
    entriesUnderTheBox = Entries();
    installedUnderTheBox = InstallRan();
  };
  SendMessageA(dialog, WM_SKIN_NOTIFY, kNotifyInstall, 0);
  PostMessageA(dialog, WM_SKIN_NOTIFY, kNotifyHomePage, 0);
  PumpFor(100);
  EXPECT_EQ(entriesUnderTheBox, 0);
  EXPECT_FALSE(installedUnderTheBox);
  PumpFor(300);
  EXPECT_EQ(Entries(), 2);
  EXPECT_TRUE(InstallRan()) << "the waiting install was lost";
}

}  // namespace

// The installer's own dialog while its folder search runs: what the status area says, what
// Install, Cancel and Escape do meanwhile, and where the search's end is acted on. The search
// and the home page are stand-ins defined here, in place of the product's (the linker takes
// these and leaves the library's), so the test decides when the search ends and what the home
// page's message box does.
#include "app/installer_dialog.h"

#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <string.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/app_state.h"
#include "app/dialog_input.h"
#include "app/dialog_items.h"
#include "app/dialog_ids.h"
#include "app/dialog_layout.h"
#include "app/dialog_texts.h"
#include "app/filter_catalogue.h"
#include "controls/filter_check_box.h"
#include "discovery/candidate_folder_list.h"
#include "discovery/host_probe_sequence.h"
#include "discovery/search_stop.h"
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

// A slow machine: the search goes on until the test lets it end, or stops at its next step
// once the window asks it to, as the real walks do.
void HostProbeSequence() {
  searchThread = OpenThread(SYNCHRONIZE, FALSE, GetCurrentThreadId());
  SetEvent(searchStarted);
  while (WaitForSingleObject(searchMayEnd, 5) == WAIT_TIMEOUT) {
    if (SearchStopRequested()) return;
  }
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
    dialog = CreateDialogParamA(ProgramInstance, "main", nullptr, InstallerDialogProc,
                                reinterpret_cast<LPARAM>(&installer));
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

  void Hover(int x, int y) const {
    TheSkinWindow->preFilter(dialog, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  }
  static POINT BoxAt(int k) {
    return POINT{kFilterLeftPx + 2, kFilterTopPx + kFilterSpacingPx * k + 2};
  }
  void ToggleAllBoxes() {
    for (int k = 0; k < kFilterBoxCount; ++k) installer.Items().Press(kFirstBoxItem + k);
    PumpFor(50);
  }

  // Which of the texts the status area shows, as the window's frame holds it; "?" for none.
  std::string StatusShows(const std::vector<std::string>& texts) const {
    const HDC frame = TheSkinContext.bufferDc;
    const PixelRect& a = kStatusAreaPx;
    HDC expected = CreateCompatibleDC(frame);
    HBITMAP bitmap = CreateCompatibleBitmap(frame, kClientWidthPx, kClientHeightPx);
    SelectObject(expected, bitmap);
    SelectObject(expected, GetCurrentObject(frame, OBJ_FONT));
    SetBkMode(expected, TRANSPARENT);
    std::string shown = "?";
    for (const std::string& text : texts) {
      TheSkinContext.background->drawTiled(expected, a.left, a.top, a.right, a.bottom);
      TextOutA(expected, a.left, a.top, text.c_str(), static_cast<int>(text.size()));
      bool same = true;
      for (int y = a.top; y < a.bottom && same; ++y) {
        for (int x = a.left; x < a.right && same; ++x) {
          same = GetPixel(frame, x, y) == GetPixel(expected, x, y);
        }
      }
      if (same) {
        shown = text;
        break;
      }
    }
    DeleteDC(expected);
    DeleteObject(bitmap);
    return shown;
  }

  // The search over, the window focused, and its object as a screen reader gets it (null
  // when it cannot be had). The caller releases it and uninitialises COM.
  IAccessible* ReaderOnTheFilledWindow() {
    EndSearch();
    PumpFor(100);
    IAccessible* object = nullptr;
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) ||
        AccessibleObjectFromWindow(dialog, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                   reinterpret_cast<void**>(&object)) != S_OK) {
      return nullptr;
    }
    SetForegroundWindow(dialog);
    SetFocus(dialog);
    return object;
  }

  char target[MAX_PATH];
  InstallerDialog installer = {};
  HWND dialog = nullptr;
};

TEST_F(InstallerDialogTest, StatusAreaSaysWhatTheWindowWaitsForAndKeepsAHoverText) {
  const std::string box0 = kFilterBoxes[0].statusText, box1 = kFilterBoxes[1].statusText;
  auto install = [&] { SendMessageA(dialog, WM_SKIN_NOTIFY, kNotifyInstall, 0); };
  auto leave = [&] { Hover(150, 150); };
  const struct Step {
    const char* what;
    std::function<void()> act;
    std::string shows;
  } steps[] = {
      {"the search runs", [] {}, kSearchingStatus},
      {"a box hovered", [&] { Hover(BoxAt(0).x, BoxAt(0).y); }, box0},
      {"the box left", leave, kSearchingStatus},
      {"Install pressed", install, kInstallWaitingStatus},
      {"a box hovered while Install waits", [&] { Hover(BoxAt(1).x, BoxAt(1).y); }, box1},
      {"the box left", leave, kInstallWaitingStatus},
      {"Escape", [&] { SendMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0); }, kSearchingStatus},
      {"Install again", install, kInstallWaitingStatus},
      {"Cancel", [&] { SendMessageA(dialog, WM_SKIN_NOTIFY, kNotifyCancel, 0); }, kSearchingStatus},
      {"Install again", install, kInstallWaitingStatus},
      {"every box cleared", [&] { ToggleAllBoxes(); }, kSearchingStatus},
      {"every box ticked, a box hovered, the search ends",
       [&] {
         ToggleAllBoxes();
         Hover(BoxAt(0).x, BoxAt(0).y);
         EndSearch();
       },
       box0},
      {"the status area painted afresh",
       [&] {
         const RECT area = {kStatusAreaPx.left, kStatusAreaPx.top, kStatusAreaPx.right,
                            kStatusAreaPx.bottom};
         TheSkinWindow->invalidate(&area);
         UpdateWindow(dialog);
       },
       box0},
      {"the box left", leave, ""},
  };
  const std::vector<std::string> texts = {"", kSearchingStatus, kInstallWaitingStatus, box0, box1};
  for (const Step& step : steps) {
    step.act();
    PumpFor(100);
    EXPECT_EQ(StatusShows(texts), step.shows) << step.what;
  }
  EXPECT_TRUE(IsWindowVisible(dialog)) << "Cancel or Escape ended the window";
  EXPECT_EQ(Entries(), 2) << "the list was not filled";
  EXPECT_FALSE(InstallRan()) << "a dropped install ran";
  // Every text fits the status area.
  for (const std::string& text : texts) {
    SIZE size = {};
    GetTextExtentPoint32A(TheSkinContext.bufferDc, text.c_str(), static_cast<int>(text.size()),
                          &size);
    EXPECT_LE(size.cx, kStatusAreaPx.right - kStatusAreaPx.left) << text;
  }
}

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

// With every box cleared Install is inactive; a mouse pick in the drop-down hands the focus
// on to where Tab goes next.
TEST_F(InstallerDialogTest, AMousePickWithEveryBoxClearedFocusesCancel) {
  EndSearch();
  PumpFor(100);
  ToggleAllBoxes();
  HWND combo = GetDlgItem(dialog, kComboId);
  SetForegroundWindow(dialog);
  SetFocus(combo);
  // Focus cues hidden, as Windows starts a dialog opened with the mouse.
  SendMessageA(dialog, WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
  ASSERT_EQ(installer.Items().Focused(), kDropDownItem);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kComboId, CBN_CLOSEUP),
               reinterpret_cast<LPARAM>(combo));
  EXPECT_EQ(installer.Items().Focused(), kCancelItem);
}

// Under a question (here the home page's message box) neither a screen reader's action nor a
// key reaches a box or Cancel; once it is closed both do again.
TEST_F(InstallerDialogTest, NothingActsOnTheWindowUnderAQuestion) {
  IAccessible* object = ReaderOnTheFilledWindow();
  ASSERT_NE(object, nullptr);
  const int box = kFirstBoxItem + 2;
  ASSERT_TRUE(installer.Items().Focus(box));
  auto child = [](int item) {
    VARIANT id;
    id.vt = VT_I4;
    id.lVal = item + 1;
    return id;
  };
  const struct {
    const char* what;
    std::function<void()> act;
    bool cancels;  // what it does once nothing holds the window
  } actions[] = {
      {"a reader's default action on the box", [&] { object->accDoDefaultAction(child(box)); },
       false},
      {"Space on the focused box", [&] { SendMessageA(dialog, WM_KEYDOWN, VK_SPACE, 0); }, false},
      {"a reader's default action on Cancel",
       [&] { object->accDoDefaultAction(child(kCancelItem)); }, true},
      {"Escape", [&] { SendMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0); }, true},
  };
  for (const auto& action : actions) {
    LONG stateUnder = 0;
    homePageBox = [&] {
      action.act();
      PumpFor(100);  // the box's loop dispatches what the action posted
      VARIANT state;
      object->get_accState(child(box), &state);
      stateUnder = state.lVal;
    };
    SendMessageA(dialog, WM_SKIN_NOTIFY, kNotifyHomePage, 0);
    PumpFor(50);
    EXPECT_TRUE(installer.Items().Checked(box)) << action.what << " cleared the box under it";
    EXPECT_TRUE(IsWindowVisible(dialog)) << action.what << " ended the window under it";
    EXPECT_TRUE(stateUnder & STATE_SYSTEM_UNAVAILABLE) << action.what;
    action.act();
    PumpFor(100);
    EXPECT_EQ(IsWindowVisible(dialog), !action.cancels) << action.what;
    EXPECT_EQ(installer.Items().Checked(box), action.cancels) << action.what;
    if (!action.cancels) {
      installer.Items().Press(box);  // ticked again for the next row
    } else {
      ShowWindow(dialog, SW_SHOW);  // a window of the test's own: Cancel only hides it
    }
    PumpFor(50);
  }
  object->Release();
  CoUninitialize();
}

// Cancel while the search walks a slow machine: the window's end stops the search and waits for
// it, so nothing writes into the window's object once it has gone.
TEST_F(InstallerDialogTest, TheWindowsEndStopsTheSearchAndWaitsForIt) {
  SendMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
  const DWORD start = GetTickCount();
  DestroyWindow(dialog);
  const DWORD took = GetTickCount() - start;
  EXPECT_LT(took, 2000u) << "the end waited past its bound";
  ASSERT_NE(searchThread, nullptr);
  EXPECT_EQ(WaitForSingleObject(searchThread, 0), WAIT_OBJECT_0)
      << "the search outlived the window";
  std::vector<char> atTheEnd(sizeof installer);
  memcpy(atTheEnd.data(), &installer, sizeof installer);
  EndSearch();  // a search that did not stop would finish now
  PumpFor(100);
  EXPECT_EQ(memcmp(atTheEnd.data(), &installer, sizeof installer), 0)
      << "the search wrote into the window's object after its end";
  EXPECT_EQ(CandidateFolderList[0].path[0], '\0') << "the search listed a folder after the end";
}

// What a screen reader does through the window's object lands in the items, and the window
// reports it as it does the keyboard's own changes: the focus moves and the focus and state
// events go out.
std::vector<std::pair<DWORD, LONG>> readerEvents;
void CALLBACK OnReaderEvent(HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG child, DWORD,
                            DWORD) {
  if (object == OBJID_CLIENT) readerEvents.push_back({event, child});
}

TEST_F(InstallerDialogTest, WhatAReaderDoesReachesTheItemsAndIsReported) {
  IAccessible* object = ReaderOnTheFilledWindow();
  ASSERT_NE(object, nullptr);
  PumpFor(50);
  HWINEVENTHOOK hook =
      SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_STATECHANGE, nullptr, OnReaderEvent,
                      GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  const LONG box = kFirstBoxItem + 3 + 1, cancel = kCancelItem + 1;
  const struct Step {
    const char* what;
    bool select;  // else the default action
    LONG child;
    int focusAfter;
    bool boxChecked;
    std::vector<std::pair<DWORD, LONG>> events;
  } steps[] = {
      {"a box selected", true, box, box - 1, true, {{EVENT_OBJECT_FOCUS, box}}},
      {"the box's default action", false, box, box - 1, false, {{EVENT_OBJECT_STATECHANGE, box}}},
      {"Cancel selected", true, cancel, kCancelItem, false, {{EVENT_OBJECT_FOCUS, cancel}}},
  };
  for (const Step& step : steps) {
    readerEvents.clear();
    VARIANT child;
    child.vt = VT_I4;
    child.lVal = step.child;
    const HRESULT done = step.select ? object->accSelect(SELFLAG_TAKEFOCUS, child)
                                     : object->accDoDefaultAction(child);
    EXPECT_EQ(done, S_OK) << step.what;
    PumpFor(50);
    EXPECT_EQ(installer.Items().Focused(), step.focusAfter) << step.what;
    EXPECT_EQ(installer.Items().Checked(box - 1), step.boxChecked) << step.what;
    EXPECT_EQ(readerEvents, step.events) << step.what;
  }
  UnhookWinEvent(hook);
  object->Release();
  CoUninitialize();
}

}  // namespace

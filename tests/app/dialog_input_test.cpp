// The window-level behaviour of the installer's dialog, on a real dialog under the real dialog
// manager: the installer's controls in their slots, the skin attached, the dialog input in
// front of the dialog procedure, as the installer wires them.
#include "app/dialog_input.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "app/dialog_ids.h"
#include "app/dialog_items.h"
#include "controls/filter_check_box.h"
#include "controls/image_button.h"
#include "controls/link_label.h"
#include "tests/skin/skin_test_support.h"

#include "app/dialog_layout.h"
#include "app/filter_catalogue.h"

const POINT kTestWindowOrigin = {40, 300};

namespace {

constexpr COLORREF kMarker = RGB(255, 0, 255);

SkinWindow* theSkin = nullptr;
DialogItems items;  // zeroed: not bound until the test's dialog exists
DialogInput input;
std::vector<int> commands;  // WM_COMMAND identifiers the dialog received

// The installer window's table for what the input handles, and the skin after it.
INT_PTR CALLBACK TestDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  INT_PTR result = 0;
  switch (message) {
    case WM_ERASEBKGND: result = input.OnEraseBackground(); break;
    case WM_SETCURSOR: result = input.OnSetCursor(wParam, lParam); break;
    case WM_GETDLGCODE: result = input.OnGetDlgCode(); break;
    case WM_KEYDOWN: result = input.OnKeyDown(wParam, lParam); break;
    case WM_NEXTDLGCTL: result = input.OnNextControl(wParam, lParam); break;
    case WM_SETFOCUS: result = input.OnSetFocus(); break;
    case WM_KILLFOCUS: result = input.OnKillFocus(); break;
    case WM_ACTIVATE: result = input.OnActivate(wParam); break;
    case WM_UPDATEUISTATE: result = input.OnUpdateUiState(wParam); break;
    case WM_QUERYUISTATE: result = input.OnQueryUiState(); break;
    case kRefreshFocusMessage: result = input.OnRefreshFocus(); break;
    case WM_MOUSELEAVE: result = input.OnMouseLeave(); break;
    case WM_CAPTURECHANGED: result = input.OnCaptureChanged(lParam); break;
    case WM_MOUSEMOVE: input.OnMouseMove(); break;
    case WM_COMMAND:
      if (LOWORD(wParam) == kComboId) input.OnDropDownCommand(HIWORD(wParam));
      commands.push_back(LOWORD(wParam));
      break;
    case WM_PAINT:
      if (theSkin == nullptr) break;
      theSkin->beginPaint();
      theSkin->paintAll();
      input.PaintFocusRectangle();
      theSkin->endPaint();
      result = TRUE;
      break;
    default: break;
  }
  if (theSkin != nullptr) theSkin->preFilter(dialog, message, wParam, lParam);
  input.After();
  return result;
}

// An empty template: a visible pop-up, no controls, no font.
struct EmptyDialogTemplate {
  DLGTEMPLATE header;
  WORD menu, windowClass, title;
};

class DialogInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EmptyDialogTemplate source = {};
    source.header.style = WS_POPUP | WS_VISIBLE;
    source.header.cx = 100;
    source.header.cy = 100;
    dialog = CreateDialogIndirectParamA(instance, &source.header, nullptr, TestDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    SetWindowPos(dialog, HWND_TOPMOST, kTestWindowOrigin.x, kTestWindowOrigin.y, kClientWidthPx,
                 kClientHeightPx, SWP_SHOWWINDOW);
    skin = new SkinWindow(&context, instance);
    theSkin = skin;
    skin->attach(dialog, kBackgroundSpec, kLinkCursorId, &kStatusArea);
    controls.cancel =
        new ImageButton(&context, RECT{319, 240, 249, 262}, 203, 203, 2, "", nullptr, nullptr);
    controls.install =
        new ImageButton(&context, RECT{249, 240, 249, 262}, 219, 219, 219, "", nullptr, nullptr);
    controls.link = new LinkLabel(&context, RECT{96, 14, 0, 0}, "www.quillane.example", 1029,
                                  "Visit Quillane Plugins Home Page");
    for (int k = 0; k < kFilterBoxCount; ++k) {
      FilterCheckBox* box =
          new FilterCheckBox(&context, 230, 10 + 20 * k, 250, 22 + 20 * k, 128, 0x80148000,
                             kFilterBoxes[k].label, 0, -3, kFilterBoxes[k].statusText, 2000, "key");
      box->value = 2;
      controls.boxes[k] = box;
    }
    controls.finish =
        new ImageButton(&context, RECT{161, 210, 250, 202}, 220, 220, 2, "", nullptr, nullptr);
    controls.finish->setShown(0);
    items.Bind(dialog, &controls, nullptr);
    input.Attach(dialog, skin, &items);
    SetForegroundWindow(dialog);
    SetActiveWindow(dialog);
    SetFocus(dialog);
    // Focus cues hidden, as Windows starts a dialog opened with the mouse.
    SendMessageA(dialog, WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    commands.clear();
  }

  void TearDown() override {
    input.Detach();  // as the dialog lets go when its window goes
    items.Bind(nullptr, nullptr, nullptr);
    DestroyWindow(dialog);
    theSkin = nullptr;
    skin->teardown();
    delete skin;
  }

  static void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_SKIN_NOTIFY) {
        PostMessageA(message.hwnd, message.message, message.wParam, message.lParam);
        break;  // left for the test to read
      }
      DispatchMessageA(&message);
    }
  }

  // A key pressed and released as the dialog's message loop hands it over.
  void Key(WPARAM key) {
    for (UINT message : {WM_KEYDOWN, WM_KEYUP}) {
      const DWORD flags = message == WM_KEYUP ? 0xC0000001u : 1u;  // repeat count, up/down bits
      MSG msg = {GetFocus(), message, key, static_cast<LPARAM>(flags), 0, {0, 0}};
      if (!IsDialogMessageA(dialog, &msg)) DispatchMessageA(&msg);
    }
  }

  COLORREF Pixel(int x, int y) const {
    HDC dc = GetDC(dialog);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(dialog, dc);
    return colour;
  }

  void Fill(const RECT& area, COLORREF colour) const {
    HDC dc = GetDC(dialog);
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
    ReleaseDC(dialog, dc);
  }

  // The client area as the window shows it now.
  std::unique_ptr<DibSurface> Shot() const {
    auto surface = std::make_unique<DibSurface>(kClientWidthPx, kClientHeightPx, RGB(1, 2, 3));
    HDC dc = GetDC(dialog);
    BitBlt(surface->dc(), 0, 0, kClientWidthPx, kClientHeightPx, dc, 0, 0, SRCCOPY);
    ReleaseDC(dialog, dc);
    return surface;
  }

  static int Differences(const DibSurface& a, const DibSurface& b) {
    int n = 0;
    for (int y = 0; y < kClientHeightPx; ++y) {
      for (int x = 0; x < kClientWidthPx; ++x) n += a.pixel(x, y) != b.pixel(x, y);
    }
    return n;
  }

  int StatusPixelsOff() const {
    const SkinBitmap& tile = *context.background;
    int off = 0;
    for (int y = kStatusArea.top; y < kStatusArea.bottom; ++y) {
      for (int x = kStatusArea.left; x < kStatusArea.right; x += 3) {
        off += Pixel(x, y) != GetPixel(tile.memoryDc, x % tile.width, y % tile.height);
      }
    }
    return off;
  }

  HINSTANCE instance = GetModuleHandleA(nullptr);
  SkinContext context = {};
  SkinWindow* skin = nullptr;
  DialogControls controls = {};
  HWND dialog = nullptr;
};

TEST_F(DialogInputTest, TheWindowErasesNothingItself) {
  const RECT client = {0, 0, kClientWidthPx, kClientHeightPx};
  Fill(client, kMarker);
  // What a repaint does first: without the skin's answer the dialog fills its grey here.
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW);
  EXPECT_EQ(Pixel(100, 150), kMarker);
  EXPECT_EQ(Pixel(5, 5), kMarker);
  ValidateRect(dialog, nullptr);
}

TEST_F(DialogInputTest, TheLinkShowsTheHandWhereWindowsAsksForTheCursor) {
  const LinkLabel& link = *controls.link;
  ASSERT_GT(link.bounds.right, link.bounds.left) << "the link was not painted";
  const HCURSOR arrow = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
  struct Case {
    int x, y;
    bool linkShown;
    HCURSOR expected;
  } const cases[] = {
      {link.bounds.left + 5, link.bounds.top + 5, true, linkCursor},
      {link.bounds.right, link.bounds.bottom, true, linkCursor},  // the link's edges are its own
      {link.bounds.right + 1, link.bounds.top + 5, true, arrow},
      {236, 16, true, arrow},
      {link.bounds.left + 5, link.bounds.top + 5, false, arrow},
  };
  ASSERT_NE(linkCursor, nullptr);
  for (const Case& c : cases) {
    controls.link->visible = c.linkShown ? 1 : 0;
    POINT at = {c.x, c.y};
    ClientToScreen(dialog, &at);
    SetCursorPos(at.x, at.y);
    SetCursor(nullptr);
    SendMessageA(dialog, WM_SETCURSOR, reinterpret_cast<WPARAM>(dialog),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), c.expected) << c.x << "," << c.y << " link shown " << c.linkShown;
  }
}

TEST_F(DialogInputTest, LeavingTheWindowClearsTheStatusTextAndLetsGoOfAButton) {
  skin->preFilter(dialog, WM_MOUSEMOVE, 0, At(236, 16));
  ASSERT_EQ(controls.boxes[0]->statusShown, 1);
  ASSERT_GT(StatusPixelsOff(), 0) << "no status text over the first box";
  SendMessageA(dialog, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(controls.boxes[0]->statusShown, 0);
  EXPECT_EQ(StatusPixelsOff(), 0);

  ImageButton& install = *controls.install;
  skin->preFilter(dialog, WM_LBUTTONDOWN, MK_LBUTTON, At(270, 250));
  ASSERT_EQ(install.pressState, kButtonPressed);
  SendMessageA(dialog, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(install.pressState, kButtonNotPressed);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(TakeNotifications(dialog).empty());
}

// Keys as the dialog manager delivers them: where the focus goes and what each key does.
TEST_F(DialogInputTest, KeysMoveTheFocusAndActLikeClicks) {
  ASSERT_EQ(items.Focused(), kInstallItem);
  struct Step {
    WPARAM key;
    int focusAfter;
    std::vector<WPARAM> posted;
    std::vector<int> commands;
  } const steps[] = {
      {VK_RETURN, kInstallItem, {219}, {}},        // Enter on Install presses it
      {VK_SPACE, kInstallItem, {219}, {}},         // so does Space
      {VK_TAB, kCancelItem, {}, {}},               //
      {VK_SPACE, kCancelItem, {2}, {}},            // Space on Cancel presses it
      {VK_TAB, kFirstBoxItem, {}, {}},             // Finish is hidden: round to the boxes
      {VK_SPACE, kFirstBoxItem, {2000}, {}},       // Space toggles the box, as a click does
      {VK_RETURN, kFirstBoxItem, {}, {IDOK}},      // Enter elsewhere is the OK command
      {VK_ESCAPE, kFirstBoxItem, {}, {IDCANCEL}},  // Escape is Cancel
  };
  for (const Step& step : steps) {
    commands.clear();
    Key(step.key);
    EXPECT_EQ(items.Focused(), step.focusAfter) << "key " << step.key;
    EXPECT_EQ(TakeNotifications(dialog), step.posted) << "key " << step.key;
    EXPECT_EQ(commands, step.commands) << "key " << step.key;
  }
  EXPECT_EQ(controls.boxes[0]->value, 0);

  ASSERT_TRUE(items.Focus(kLinkItem));
  Key(VK_RETURN);
  EXPECT_EQ(TakeNotifications(dialog), std::vector<WPARAM>{1029}) << "Enter on the link";
  EXPECT_EQ(controls.link->visited, 1);
  EXPECT_FALSE(items.Focus(kFinishItem)) << "a hidden control takes no focus";
}

// The focus rectangle is drawn over fresh pixels each time: moving on leaves the pixels
// exactly as they were without it.
TEST_F(DialogInputTest, TheFocusRectangleLeavesNoMarks) {
  const RECT box = {226, 6, 360, 28};  // the first box, its label and the rectangle around them
  auto Capture = [&](std::vector<COLORREF>* pixels) {
    pixels->clear();
    for (int y = box.top; y < box.bottom; ++y) {
      for (int x = box.left; x < box.right; ++x) pixels->push_back(Pixel(x, y));
    }
  };
  std::vector<COLORREF> before, focused, after;
  Capture(&before);
  ASSERT_TRUE(items.Focus(kFirstBoxItem));
  Capture(&focused);
  EXPECT_EQ(focused, before) << "a rectangle before the keyboard was used";
  // Once round the twelve shown controls (no drop-down here, Finish hidden), back to the box.
  for (int i = 0; i < 12; ++i) Key(VK_TAB);
  ASSERT_EQ(items.Focused(), kFirstBoxItem);
  Capture(&focused);
  EXPECT_NE(focused, before) << "no rectangle once the keyboard was used";
  InvalidateRect(dialog, nullptr, FALSE);  // a repaint keeps it as it was
  UpdateWindow(dialog);
  Capture(&after);
  EXPECT_EQ(after, focused);
  Key(VK_TAB);
  Capture(&after);
  EXPECT_EQ(after, before);
}

// After each kind of change the window, a repaint (which copies the kept frame) and a fresh
// composition of everything show the same pixels: nothing reaches one without the other.
TEST_F(DialogInputTest, WindowAndRepaintShowEveryChangeAsAFreshPaintDoes) {
  auto route = [&](UINT message, int x, int y) {
    skin->preFilter(dialog, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, At(x, y));
  };
  const struct Step {
    const char* what;
    std::function<void()> act;
  } steps[] = {
      {"a box clicked", [&] { route(WM_LBUTTONDOWN, 236, 36), route(WM_LBUTTONUP, 236, 36); }},
      {"status text shown and gone", [&] { route(WM_MOUSEMOVE, 236, 56); }},
      {"focus rectangle on the first box", [&] { Key(VK_TAB), Key(VK_TAB); }},
      {"the focused box toggled by Space", [&] { Key(VK_SPACE); }},
      {"Install pressed, left while held",
       [&] { route(WM_LBUTTONDOWN, 270, 250), route(WM_MOUSEMOVE, 200, 150); }},
      {"Install hidden", [&] { controls.install->setShown(0); }},
      {"Install shown", [&] { controls.install->setShown(1); }},
      // Purple from the next paint on, whatever that paint was for.
      {"link followed, then a paint elsewhere",
       [&] {
         route(WM_LBUTTONDOWN, 100, 18);
         const RECT corner = {0, 0, 4, 4};
         InvalidateRect(dialog, &corner, FALSE);
         UpdateWindow(dialog);
       }},
  };
  for (const Step& step : steps) {
    step.act();
    SendMessageA(dialog, WM_MOUSELEAVE, 0, 0);  // hover text is no part of a paint
    TakeNotifications(dialog);
    const auto now = Shot();
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const auto repainted = Shot();
    skin->invalidate(nullptr);
    UpdateWindow(dialog);
    const auto fresh = Shot();
    EXPECT_EQ(Differences(*now, *fresh), 0) << step.what;
    EXPECT_EQ(Differences(*repainted, *fresh), 0) << step.what;
  }
  EXPECT_EQ(controls.link->visited, 1);
}

}  // namespace

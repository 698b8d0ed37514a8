// The installer's selection screen put together from the real art and controls, painted by the
// real paint cycle and saved as composed_window.bmp in the test folder for a look.
#include <windows.h>

#include <gtest/gtest.h>

#include "controls/filter_check_box.h"
#include "controls/image_button.h"
#include "controls/link_label.h"
#include "tests/skin/skin_test_support.h"

const POINT kTestWindowOrigin = {860, 20};

namespace {

constexpr const char* kLabels[] = {"Nimba Wendaro",     "Wendaro Fulgo demo", "Vilo 3d",
                                   "Vilo 2000 demo",    "Quorvin Tessmark",   "Quorvin KV demo",
                                   "Tiravent Bellcove", "Morvellane 3D",      "Zentrove demo"};
constexpr RECT kDropDown = {6, 210, 379, 231};

class ComposedWindowTest : public SkinTest {};

TEST_F(ComposedWindowTest, SelectionScreenUsesTheKeyEverywhere) {
  new ImageButton(&context, RECT{319, 240, 249, 262}, 203, 203, 2, "", nullptr, nullptr);
  new ImageButton(&context, RECT{249, 240, 249, 262}, 219, 219, 219, "", nullptr, nullptr);
  ImageButton* logo =
      new ImageButton(&context, RECT{4, 2, 249, 262}, 213, 213, 1, "", nullptr, nullptr);
  logo->enabled = 0;
  new LinkLabel(&context, RECT{96, 14, 0, 0}, "www.quillane.com", 1029,
                "Visit Quillane Plugins Home Page");
  for (int k = 0; k < 9; ++k) {
    FilterCheckBox* box =
        new FilterCheckBox(&context, 230, 10 + 20 * k, 250, 22 + 20 * k, 128, 0x80148000,
                           kLabels[k], 0, -3, "Select to install this filter", 2000, "key");
    box->value = k == 3 ? 0 : 2;  // one cleared box shows both looks
  }
  HWND dropDown = CreateWindowExA(0, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_CHILD | WS_VISIBLE,
                                  kDropDown.left, kDropDown.top, kDropDown.right - kDropDown.left,
                                  200, window->get(), nullptr, instance, nullptr);
  SendMessageA(dropDown, WM_SETFONT, reinterpret_cast<WPARAM>(regularFont), FALSE);
  SendMessageA(dropDown, CB_ADDSTRING, 0,
               reinterpret_cast<LPARAM>("C:\\Program Files\\Adobe\\Photoshop 7\\Plug-Ins\\"));
  SendMessageA(dropDown, CB_SETCURSEL, 0, 0);

  InvalidateRect(window->get(), nullptr, FALSE);
  skin->beginPaint();
  skin->paintAll();
  skin->drawText(6, 190, "Setup will install Quillane Plugins to the folder:");
  skin->endPaint();
  UpdateWindow(dropDown);
  // Hovering the first box shows its status text, as the user sees it.
  skin->preFilter(window->get(), WM_MOUSEMOVE, 0, At(235, 15));

  DibSurface shot(kTestClientWidthPx, kTestClientHeightPx, RGB(255, 0, 255));
  window->capture(shot);
  EXPECT_TRUE(shot.writeBmp("composed_window.bmp"));

  // White is only the key: none may reach the window outside the drop-down's own face.
  int white = 0;
  for (int y = 0; y < kTestClientHeightPx; ++y) {
    for (int x = 0; x < kTestClientWidthPx; ++x) {
      const bool inDropDown =
          x >= kDropDown.left && x < kDropDown.right && y >= kDropDown.top && y < kDropDown.bottom;
      if (!inDropDown && shot.pixel(x, y) == RGB(255, 255, 255)) ++white;
    }
  }
  EXPECT_EQ(white, 0);
  DestroyWindow(dropDown);
}

}  // namespace

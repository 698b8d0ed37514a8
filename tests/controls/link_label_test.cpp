#include "controls/link_label.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "tests/skin/skin_test_support.h"

const POINT kTestWindowOrigin = {60, 620};

namespace {

constexpr char kHost[] = "www.quillane.com";
constexpr COLORREF kMarker = RGB(255, 0, 255);

class LinkLabelTest : public SkinTest {
 protected:
  void SetUp() override {
    SkinTest::SetUp();
    link = new LinkLabel(&context, RECT{96, 14, 0, 0}, kHost, 1029,
                         "Visit Quillane Plugins Home Page");
  }
  int route(UINT message, int x, int y) {
    return skin->preFilter(window->get(), message, 0, At(x, y));
  }
  std::vector<WPARAM> posted() { return TakeNotifications(window->get()); }
  SIZE underlinedExtent(const char* text) {
    DibSurface scratch(1, 1, 0);
    SelectObject(scratch.dc(), underlinedFont);
    SIZE extent = {};
    GetTextExtentPoint32A(scratch.dc(), text, lstrlenA(text), &extent);
    return extent;
  }
  int countColour(const DibSurface& surface, COLORREF colour) {
    int count = 0;
    for (int y = 0; y < 40; ++y) {
      for (int x = 90; x < 260; ++x) count += surface.pixel(x, y) == colour;
    }
    return count;
  }
  LinkLabel* link = nullptr;
};

TEST_F(LinkLabelTest, BeforeItsFirstPaintOnlyItsCornerReacts) {
  EXPECT_EQ(route(WM_LBUTTONDOWN, 97, 14), 0);
  EXPECT_EQ(route(WM_LBUTTONDOWN, 96, 15), 0);
  EXPECT_TRUE(posted().empty());
  EXPECT_EQ(route(WM_LBUTTONDOWN, 96, 14), 1);
  EXPECT_EQ(posted(), std::vector<WPARAM>{1029});
}

TEST_F(LinkLabelTest, PaintMeasuresItsBoundsInTheUnderlinedFont) {
  DibSurface surface(kTestClientWidthPx, kTestClientHeightPx, RGB(200, 200, 200));
  HDC dc = preparedDc(surface);
  link->paint(dc);
  const SIZE extent = underlinedExtent(kHost);
  const RECT expected = {96, 14, 96 + extent.cx, 14 + extent.cy};
  EXPECT_TRUE(EqualRect(&link->bounds, &expected));
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), regularFont);

  CopyText(link->text, sizeof link->text, "www.quillane.com/plug-ins");
  link->paint(dc);
  EXPECT_GT(link->bounds.right, expected.right);
  EXPECT_EQ(route(WM_LBUTTONDOWN, link->bounds.right, link->bounds.bottom), 1);
  EXPECT_EQ(route(WM_LBUTTONDOWN, link->bounds.right + 1, 20), 0);
  EXPECT_EQ(posted().size(), 1u);
}

TEST_F(LinkLabelTest, BlueUntilPressedThenPurpleFromTheNextPaint) {
  DibSurface before(kTestClientWidthPx, kTestClientHeightPx, RGB(200, 200, 200));
  link->paint(preparedDc(before));
  EXPECT_GT(countColour(before, kLinkColour), 30);
  EXPECT_EQ(countColour(before, kVisitedLinkColour), 0);

  fillWindow(link->bounds, kMarker);
  route(WM_LBUTTONDOWN, 100, 18);
  EXPECT_EQ(link->visited, 1);
  EXPECT_EQ(countColour(*shot(), kMarker), (link->bounds.right - 96) * (link->bounds.bottom - 14))
      << "the press does not repaint";

  DibSurface after(kTestClientWidthPx, kTestClientHeightPx, RGB(200, 200, 200));
  link->paint(preparedDc(after));
  EXPECT_GT(countColour(after, kVisitedLinkColour), 30);
  EXPECT_EQ(countColour(after, kLinkColour), 0);
  posted();
}

TEST_F(LinkLabelTest, EveryRowOfTheMessageTable) {
  DibSurface surface(kTestClientWidthPx, kTestClientHeightPx, 0);
  link->paint(preparedDc(surface));
  SetCursor(nullptr);
  struct Row {
    UINT message;
    int x, y;
    int returned;
    int statusAfter;
    std::vector<WPARAM> posted;
    bool linkCursorShown;
  } const rows[] = {
      {WM_MOUSEMOVE, 100, 18, 1, 1, {}, true},
      {WM_MOUSEMOVE, 300, 100, 0, 0, {}, false},
      {WM_LBUTTONDOWN, 100, 18, 1, 0, {1029}, false},
      {WM_LBUTTONDOWN, 100, 18, 1, 0, {1029}, false},
      {WM_LBUTTONUP, 100, 18, 0, 0, {}, false},
      {WM_LBUTTONDOWN, 300, 100, 0, 0, {}, false},
      {WM_RBUTTONDOWN, 100, 18, 0, 0, {}, false},
  };
  for (const Row& row : rows) {
    SetCursor(nullptr);
    EXPECT_EQ(route(row.message, row.x, row.y), row.returned) << std::hex << row.message;
    EXPECT_EQ(link->statusShown, row.statusAfter) << std::hex << row.message;
    EXPECT_EQ(posted(), row.posted) << std::hex << row.message;
    EXPECT_EQ(GetCursor() == linkCursor, row.linkCursorShown) << std::hex << row.message;
  }
  EXPECT_EQ(link->visited, 1);
}

TEST_F(LinkLabelTest, HiddenLinkPaintsItselfAway) {
  DibSurface surface(kTestClientWidthPx, kTestClientHeightPx, 0);
  link->paint(preparedDc(surface));
  fillWindow(link->bounds, kMarker);
  link->setShown(0);
  EXPECT_EQ(CountNonBackground(*shot(), context, link->bounds), 0);
}

}  // namespace

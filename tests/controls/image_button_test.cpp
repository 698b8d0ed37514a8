#include "controls/image_button.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tests/skin/skin_test_support.h"

const POINT kTestWindowOrigin = {860, 620};

namespace {

constexpr COLORREF kMarker = RGB(255, 0, 255);
constexpr COLORREF kKey = RGB(255, 255, 255);
constexpr RECT kInstallPlacement = {249, 240, 249, 262};
const LPARAM kInside = At(270, 250);
const LPARAM kOutside = At(200, 250);

enum class Look { kUntouched, kNormal, kPressed };

class ImageButtonTest : public SkinTest {
 protected:
  ImageButton* install(int notify = 219) {
    return new ImageButton(&context, kInstallPlacement, 219, 219, notify,
                           "Install the selected filters", nullptr, nullptr);
  }
  int route(UINT message, LPARAM position) {
    return skin->preFilter(window->get(), message, 0, position);
  }
  // Pixels of the button's bounds that differ from the expected look: its face keyed over the
  // background (shifted by the pressed offset when pressed), or the marker when untouched.
  // Pixels inside skip are not looked at.
  int lookMismatches(const DibSurface& surface, const ImageButton& button, Look look,
                     const RECT& skip = RECT{0, 0, 0, 0}) {
    const int shift = look == Look::kPressed ? button.pressedOffset : 0;
    const SkinBitmap& face = *button.normalImage;
    int wrong = 0;
    for (int y = button.bounds.top; y < button.bounds.bottom; ++y) {
      for (int x = button.bounds.left; x < button.bounds.right; ++x) {
        if (x >= skip.left && x < skip.right && y >= skip.top && y < skip.bottom) continue;
        COLORREF expected = kMarker;
        if (look != Look::kUntouched) {
          const int i = x - button.originX - shift, j = y - button.originY - shift;
          const bool onFace = i >= 0 && j >= 0 && i < face.width && j < face.height;
          expected = onFace ? GetPixel(face.memoryDc, i, j) : kKey;
          if (expected == kKey) expected = backgroundAt(x, y);
        }
        wrong += surface.pixel(x, y) != expected;
      }
    }
    return wrong;
  }
};

TEST_F(ImageButtonTest, BoundsComeFromTheFaceAndGrowForTheShift) {
  struct Case {
    UINT normal, pressed;
    RECT bounds;
    int offset;
  } const cases[] = {{219, 219, {249, 240, 308, 261}, 1},
                     {219, 203, {249, 240, 307, 260}, 0},
                     {0, 219, {249, 240, 249, 262}, 0},
                     {0, 0, {249, 240, 250, 263}, 1}};
  for (const Case& c : cases) {
    ImageButton button(&context, kInstallPlacement, c.normal, c.pressed, 1, "", nullptr, nullptr);
    EXPECT_TRUE(EqualRect(&button.bounds, &c.bounds)) << c.normal << "/" << c.pressed;
    EXPECT_EQ(button.pressedOffset, c.offset) << c.normal << "/" << c.pressed;
    EXPECT_EQ(button.normalImage != nullptr, c.normal != 0);
    EXPECT_EQ(button.pressState, kButtonNotPressed);
  }
  const RECT captionPlacement = {3, 4, 50, 12};
  ImageButton captioned(&context, RECT{10, 20, 0, 0}, 0, 0, 1, "", "Go", &captionPlacement);
  const RECT captionRect = {13, 24, 63, 36};
  EXPECT_TRUE(EqualRect(&captioned.captionRect, &captionRect));
  EXPECT_STREQ(captioned.caption, "Go");
}

TEST_F(ImageButtonTest, ReactsOnlyStrictlyInsideItsBounds) {
  ImageButton* button = install();
  struct Case {
    int x, y;
    bool inside;
  } const cases[] = {{249, 250, false}, {250, 250, true}, {307, 250, true}, {308, 250, false},
                     {270, 240, false}, {270, 241, true}, {270, 260, true}, {270, 261, false}};
  for (const Case& c : cases) {
    button->pressState = kButtonNotPressed;
    route(WM_LBUTTONDOWN, At(c.x, c.y));
    EXPECT_EQ(button->pressState, c.inside ? kButtonPressed : kButtonNotPressed)
        << c.x << "," << c.y;
  }
}

TEST_F(ImageButtonTest, EveryRowOfTheMessageTable) {
  ImageButton* button = install();
  struct Row {
    const char* what;
    UINT message;
    LPARAM position;
    int32_t stateBefore;
    int returned;
    int32_t stateAfter;
    std::vector<WPARAM> posted;
    Look look;
    int statusAfter;
  } const rows[] = {
      {"move inside",
       WM_MOUSEMOVE,
       kInside,
       kButtonNotPressed,
       0,
       kButtonNotPressed,
       {},
       Look::kUntouched,
       1},
      {"move outside while pressed",
       WM_MOUSEMOVE,
       kOutside,
       kButtonPressed,
       0,
       kButtonNotPressed,
       {},
       Look::kNormal,
       0},
      {"press inside",
       WM_LBUTTONDOWN,
       kInside,
       kButtonNotPressed,
       0,
       kButtonPressed,
       {},
       Look::kPressed,
       0},
      {"press outside",
       WM_LBUTTONDOWN,
       kOutside,
       kButtonNotPressed,
       0,
       kButtonNotPressed,
       {},
       Look::kUntouched,
       0},
      {"release after a press, on the button",
       WM_LBUTTONUP,
       kInside,
       kButtonPressed,
       1,
       kButtonClicked,
       {219},
       Look::kNormal,
       0},
      {"release after a press, off the button",
       WM_LBUTTONUP,
       kOutside,
       kButtonPressed,
       1,
       kButtonNotPressed,
       {},
       Look::kNormal,
       0},
      {"second press of a double-click",
       WM_LBUTTONDBLCLK,
       kInside,
       kButtonNotPressed,
       0,
       kButtonPressed,
       {},
       Look::kPressed,
       0},
      {"release without a press",
       WM_LBUTTONUP,
       kInside,
       kButtonNotPressed,
       0,
       kButtonNotPressed,
       {},
       Look::kUntouched,
       0},
      {"release after a click",
       WM_LBUTTONUP,
       kInside,
       kButtonClicked,
       0,
       kButtonNotPressed,
       {},
       Look::kUntouched,
       0},
      {"other message",
       WM_RBUTTONDOWN,
       kInside,
       kButtonNotPressed,
       0,
       kButtonNotPressed,
       {},
       Look::kUntouched,
       0},
  };
  for (const Row& row : rows) {
    fillWindow(button->bounds, kMarker);
    button->pressState = row.stateBefore;
    EXPECT_EQ(route(row.message, row.position), row.returned) << row.what;
    EXPECT_EQ(button->pressState, row.stateAfter) << row.what;
    EXPECT_EQ(TakeNotifications(window->get()), row.posted) << row.what;
    EXPECT_EQ(lookMismatches(*shot(), *button, row.look), 0) << row.what;
    EXPECT_EQ(button->statusShown, row.statusAfter) << row.what;
  }
}

// A pressed button holds the mouse, so a release off the window still reaches it, and gives
// it back when the press ends, however it ends.
TEST_F(ImageButtonTest, HoldsTheMouseWhilePressed) {
  ImageButton* button = install();
  const std::pair<UINT, LPARAM> endings[] = {
      {WM_LBUTTONUP, kInside}, {WM_LBUTTONUP, kOutside}, {WM_MOUSEMOVE, kOutside}};
  for (const auto& ending : endings) {
    route(WM_LBUTTONDOWN, kInside);
    EXPECT_EQ(GetCapture(), window->get()) << std::hex << ending.first;
    route(ending.first, ending.second);
    EXPECT_EQ(GetCapture(), nullptr) << std::hex << ending.first;
    EXPECT_NE(button->pressState, kButtonPressed);
    TakeNotifications(window->get());
  }
  route(WM_LBUTTONDOWN, kOutside);
  EXPECT_EQ(GetCapture(), nullptr) << "a press elsewhere takes nothing";
}

TEST_F(ImageButtonTest, OnlyAPressAndReleaseWithoutLeavingClicks) {
  install();
  route(WM_LBUTTONDOWN, kInside);
  route(WM_MOUSEMOVE, kOutside);
  route(WM_MOUSEMOVE, kInside);
  EXPECT_EQ(route(WM_LBUTTONUP, kInside), 0);
  EXPECT_TRUE(TakeNotifications(window->get()).empty());

  route(WM_LBUTTONDOWN, kInside);
  EXPECT_EQ(route(WM_LBUTTONUP, kInside), 1);
  EXPECT_EQ(TakeNotifications(window->get()), std::vector<WPARAM>{219});
}

TEST_F(ImageButtonTest, WithoutIdentifierItStillPressesAndConsumesButPostsNothing) {
  ImageButton* button = install(0);
  route(WM_LBUTTONDOWN, kInside);
  EXPECT_EQ(lookMismatches(*shot(), *button, Look::kPressed), 0);
  EXPECT_EQ(route(WM_LBUTTONUP, kInside), 1);
  EXPECT_TRUE(TakeNotifications(window->get()).empty());
}

TEST_F(ImageButtonTest, WithoutFacesItNeverRedrawsButStillReports) {
  ImageButton* button =
      new ImageButton(&context, kInstallPlacement, 0, 0, 219, "", nullptr, nullptr);
  fillWindow(RECT{240, 230, 320, 270}, kMarker);
  route(WM_LBUTTONDOWN, kInside);
  EXPECT_EQ(route(WM_LBUTTONUP, kInside), 0) << "the bounds are the placement: 0 px wide";
  button->bounds = RECT{249, 240, 308, 261};
  route(WM_LBUTTONDOWN, kInside);
  EXPECT_EQ(route(WM_LBUTTONUP, kInside), 1);
  EXPECT_EQ(TakeNotifications(window->get()), std::vector<WPARAM>{219});
  const auto after = shot();
  int marker = 0;
  for (int y = 230; y < 270; ++y) {
    for (int x = 240; x < 320; ++x) marker += after->pixel(x, y) == kMarker;
  }
  EXPECT_EQ(marker, 80 * 40);
}

TEST_F(ImageButtonTest, HiddenButtonIsPaintedAwayAndTakesNoPart) {
  ImageButton* button = install();
  fillWindow(button->bounds, kMarker);
  button->setShown(0);
  EXPECT_EQ(CountNonBackground(*shot(), context, button->bounds), 0);
  EXPECT_EQ(route(WM_LBUTTONDOWN, kInside), 0);
  EXPECT_EQ(button->pressState, kButtonNotPressed);

  InvalidateRect(window->get(), nullptr, FALSE);
  skin->beginPaint();
  skin->paintAll();
  skin->endPaint();
  EXPECT_EQ(CountNonBackground(*shot(), context, button->bounds), 0);

  button->setShown(1);
  EXPECT_EQ(lookMismatches(*shot(), *button, Look::kNormal), 0);
}

TEST_F(ImageButtonTest, CaptionIsDrawnOverItsPatchAndLeavesWithTheButton) {
  const RECT captionPlacement = {4, 2, 40, 14};
  ImageButton button(&context, RECT{20, 20, 0, 0}, 219, 219, 1, "", "Go", &captionPlacement);
  DibSurface surface(kTestClientWidthPx, kTestClientHeightPx, kMarker);
  context.background->drawTiled(preparedDc(surface), 0, 0, kTestClientWidthPx, kTestClientHeightPx);
  button.paint(surface.dc());
  // The patch is background with the text: the face shows only around it.
  const int text = CountNonBackground(surface, context, button.captionRect);
  EXPECT_GT(text, 10);
  EXPECT_LT(text, 36 * 12 / 2);
  EXPECT_EQ(lookMismatches(surface, button, Look::kNormal, button.captionRect), 0);
  button.visible = 0;
  button.paint(surface.dc());
  EXPECT_EQ(CountNonBackground(surface, context, button.bounds), 0);
  EXPECT_EQ(CountNonBackground(surface, context, button.captionRect), 0);
}

}  // namespace

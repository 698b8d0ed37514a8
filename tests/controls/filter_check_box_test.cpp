#include "controls/filter_check_box.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "tests/skin/skin_test_support.h"

const POINT kTestWindowOrigin = {460, 620};

namespace {

constexpr uint32_t kLabelRight20 = 0x80148000;
const LPARAM kOnBox = At(236, 16);
const LPARAM kOffBox = At(300, 100);
const std::vector<WPARAM> kNone;
const std::vector<WPARAM> kReported = {2000};
const std::vector<WPARAM> kReportedTwice = {2000, 2000};

class FilterCheckBoxTest : public SkinTest {
 protected:
  void SetUp() override {
    SkinTest::SetUp();
    box = new FilterCheckBox(&context, 230, 10, 250, 22, 128, kLabelRight20, "Nimba Wendaro", 0, -3,
                             "Select to install Nimba Wendaro filter", 2000, "Nimba");
  }
  int route(UINT message, LPARAM position) {
    return skin->preFilter(window->get(), message, 0, position);
  }
  std::vector<WPARAM> posted() { return TakeNotifications(window->get()); }
  // A surface holding the background, with the box painted at value.
  std::unique_ptr<DibSurface> painted(int32_t value) {
    auto surface = std::make_unique<DibSurface>(kTestClientWidthPx, kTestClientHeightPx, 0);
    context.background->drawTiled(preparedDc(*surface), 0, 0, kTestClientWidthPx,
                                  kTestClientHeightPx);
    box->value = value;
    box->paint(surface->dc());
    return surface;
  }
  FilterCheckBox* box = nullptr;
};

TEST_F(FilterCheckBoxTest, ConstructionDecodesItsArguments) {
  const RECT hit = {230, 10, 243, 23};
  const RECT clearing = {230, 10, 480, 32};
  EXPECT_TRUE(EqualRect(&box->hitRect, &hit));
  EXPECT_TRUE(EqualRect(&box->clearingArea, &clearing));
  EXPECT_EQ(box->minimum, 0);
  EXPECT_EQ(box->maximum, 3);
  EXPECT_EQ(box->toggleMode, 1);
  EXPECT_EQ(box->value, 0);
  EXPECT_EQ(box->labelOffset, 20);
  EXPECT_EQ(box->labelRise, 0);
  EXPECT_STREQ(box->key, "Nimba");
  EXPECT_EQ(box->notifyId, 2000);

  const std::string longLabel(60, 'L');
  FilterCheckBox other(&context, 5, 6, 10, 10, 128, 0x7FF08005, longLabel.c_str(), 1, 5, nullptr, 7,
                       nullptr);
  EXPECT_EQ(other.toggleMode, 0);
  EXPECT_EQ(other.maximum, 5);
  EXPECT_EQ(other.value, 1);
  EXPECT_EQ(other.labelOffset, -16);
  EXPECT_EQ(other.labelRise, 5);
  EXPECT_STREQ(other.key, "");
  EXPECT_EQ(strlen(other.label), kLabelChars - 1);
}

TEST_F(FilterCheckBoxTest, HitBoxIncludesItsEdgesAndNotTheLabel) {
  struct Case {
    int x, y, consumed;
  } const cases[] = {{230, 16, 1}, {243, 16, 1}, {236, 10, 1}, {236, 23, 1}, {229, 16, 0},
                     {244, 16, 0}, {236, 9, 0},  {236, 24, 0}, {260, 16, 0}};
  for (const Case& c : cases) {
    box->value = 0;
    EXPECT_EQ(route(WM_LBUTTONDOWN, At(c.x, c.y)), c.consumed) << c.x << "," << c.y;
  }
  posted();
}

TEST_F(FilterCheckBoxTest, EveryTransitionOfTheToggleBox) {
  struct Row {
    int32_t before;
    UINT message;
    LPARAM position;
    int returned;
    int32_t after;
    const std::vector<WPARAM>& posted;
  } const rows[] = {
      {0, WM_LBUTTONDOWN, kOnBox, 1, 1, kNone},
      {1, WM_LBUTTONUP, kOnBox, 1, 2, kReported},
      {1, WM_RBUTTONUP, kOnBox, 1, 0, kReported},
      {2, WM_LBUTTONDOWN, kOnBox, 1, 3, kNone},
      {3, WM_LBUTTONUP, kOnBox, 1, 0, kReported},
      {3, WM_RBUTTONUP, kOnBox, 1, 2, kReported},
      {0, WM_RBUTTONDOWN, kOnBox, 1, 3, kNone},
      {2, WM_RBUTTONDOWN, kOnBox, 1, 1, kNone},
      {1, WM_MOUSEMOVE, kOffBox, 0, 0, kNone},
      {3, WM_MOUSEMOVE, kOffBox, 0, 2, kNone},
      {3, WM_LBUTTONUP, kOffBox, 0, 2, kNone},
      {1, WM_RBUTTONDOWN, kOffBox, 0, 0, kNone},
      {2, WM_LBUTTONDOWN, kOffBox, 0, 2, kNone},
      {0, WM_LBUTTONUP, kOnBox, 0, 0, kNone},
      {2, WM_RBUTTONUP, kOnBox, 0, 2, kNone},
      {2, WM_MOUSEMOVE, kOnBox, 0, 2, kNone},
      // The second press of a double-click is a press.
      {0, WM_LBUTTONDBLCLK, kOnBox, 1, 1, kNone},
      {2, WM_RBUTTONDBLCLK, kOnBox, 1, 1, kNone},
  };
  for (const Row& row : rows) {
    box->value = row.before;
    EXPECT_EQ(route(row.message, row.position), row.returned)
        << row.before << " message " << std::hex << row.message;
    EXPECT_EQ(box->value, row.after) << row.before << " message " << std::hex << row.message;
    EXPECT_EQ(posted(), row.posted) << row.before << " message " << std::hex << row.message;
  }
}

TEST_F(FilterCheckBoxTest, ClicksToggleAndLeavingCancels) {
  struct Sequence {
    int32_t start;
    std::vector<std::pair<UINT, LPARAM>> events;
    int32_t end;
    const std::vector<WPARAM>& posted;
  } const sequences[] = {
      {2, {{WM_LBUTTONDOWN, kOnBox}, {WM_LBUTTONUP, kOnBox}}, 0, kReported},
      {0, {{WM_LBUTTONDOWN, kOnBox}, {WM_LBUTTONUP, kOnBox}}, 2, kReported},
      {2, {{WM_RBUTTONDOWN, kOnBox}, {WM_RBUTTONUP, kOnBox}}, 0, kReported},
      {0, {{WM_LBUTTONDOWN, kOnBox}, {WM_MOUSEMOVE, kOffBox}, {WM_LBUTTONUP, kOffBox}}, 0, kNone},
      {2, {{WM_LBUTTONDOWN, kOnBox}, {WM_MOUSEMOVE, kOffBox}, {WM_LBUTTONUP, kOffBox}}, 2, kNone},
      // A right press shows the new state's pressed look; leaving lands on the new state.
      {0, {{WM_RBUTTONDOWN, kOnBox}, {WM_MOUSEMOVE, kOffBox}}, 2, kNone},
      // A double-click is two clicks: the second press arrives as a double-click message.
      {2,
       {{WM_LBUTTONDOWN, kOnBox},
        {WM_LBUTTONUP, kOnBox},
        {WM_LBUTTONDBLCLK, kOnBox},
        {WM_LBUTTONUP, kOnBox}},
       2,
       kReportedTwice},
  };
  for (const Sequence& s : sequences) {
    box->value = s.start;
    for (const auto& event : s.events) route(event.first, event.second);
    EXPECT_EQ(box->value, s.end) << "from " << s.start;
    EXPECT_EQ(posted(), s.posted) << "from " << s.start;
  }
}

TEST_F(FilterCheckBoxTest, StepModeReportsEveryPressAndWrapsBothWays) {
  FilterCheckBox* stepper =
      new FilterCheckBox(&context, 100, 100, 13, 13, 128, kLabelRight20, "", 0, 2, "", 7, "");
  FilterCheckBox* fromOne =
      new FilterCheckBox(&context, 100, 150, 13, 13, 128, kLabelRight20, "", 1, -3, "", 8, "");
  const LPARAM onStepper = At(105, 105);
  struct Row {
    FilterCheckBox* target;
    int32_t before;
    UINT message;
    int returned;
    int32_t after;
    std::vector<WPARAM> posted;
  } const rows[] = {
      {stepper, 0, WM_LBUTTONDOWN, 1, 1, {7}}, {stepper, 1, WM_LBUTTONUP, 0, 1, {}},
      {stepper, 2, WM_LBUTTONDOWN, 1, 0, {7}},  // past the maximum: the minimum
      {stepper, 0, WM_RBUTTONDOWN, 1, 2, {7}},  // below the minimum: the maximum
      {fromOne, 1, WM_RBUTTONDOWN, 1, 3, {}},   // wraps at its own minimum, not at 0
  };
  for (const Row& row : rows) {
    row.target->value = row.before;
    const LPARAM where = row.target == stepper ? onStepper : At(105, 155);
    EXPECT_EQ(route(row.message, where), row.returned) << row.before;
    EXPECT_EQ(row.target->value, row.after) << row.before;
    EXPECT_EQ(posted(), row.posted) << row.before;
  }
}

TEST_F(FilterCheckBoxTest, PaintDrawsTheValuesFrameAndTheLabelBesideIt) {
  const RECT frameArea = {230, 10, 243, 23};
  const RECT labelArea = {250, 10, 383, 30};
  for (int32_t value = 0; value < 4; ++value) {
    const auto surface = painted(value);
    int wrongFrame = 0;
    for (int y = 0; y < 13; ++y) {
      for (int x = 0; x < 13; ++x) {
        wrongFrame +=
            surface->pixel(230 + x, 10 + y) != GetPixel(box->strip->memoryDc, value * 13 + x, y);
      }
    }
    EXPECT_EQ(wrongFrame, 0) << "frame " << value;
    EXPECT_GT(CountNonBackground(*surface, context, labelArea), 30) << "label at " << value;
    const int all = CountNonBackground(*surface, context, RECT{0, 0, 383, 270});
    EXPECT_EQ(all, CountNonBackground(*surface, context, frameArea) +
                       CountNonBackground(*surface, context, labelArea))
        << "drew outside the box and its label";
  }
  for (int32_t value : {4, 7, -1}) {
    EXPECT_EQ(CountNonBackground(*painted(value), context, RECT{0, 0, 383, 270}), 0)
        << "a value without a frame draws nothing, label included: " << value;
  }
  // The clearing area reaches past the client's right edge (x 383).
  const RECT clearingOnScreen = {230, 10, kTestClientWidthPx, 32};
  fillWindow(clearingOnScreen, RGB(255, 0, 255));
  box->value = 2;
  box->setShown(0);
  EXPECT_EQ(CountNonBackground(*shot(), context, clearingOnScreen), 0);
  EXPECT_EQ(route(WM_LBUTTONDOWN, kOnBox), 0) << "a hidden box ignores the mouse";
  EXPECT_EQ(box->value, 2);
}

TEST_F(FilterCheckBoxTest, ValueAccessorsKeepTheRange) {
  struct Case {
    int set, value;
  } const cases[] = {{5, 3}, {-1, 0}, {2, 2}, {3, 3}, {0, 0}};
  for (const Case& c : cases) {
    box->setValue(c.set);
    EXPECT_EQ(box->value, c.value) << c.set;
    EXPECT_EQ(box->getValue(), c.value);
  }
  FilterCheckBox fromTwo(&context, 0, 0, 13, 13, 128, kLabelRight20, "", 2, -5, "", 1, "");
  fromTwo.setValue(1);
  EXPECT_EQ(fromTwo.value, 3);
  EXPECT_EQ(fromTwo.getValue(), 1);
}

TEST_F(FilterCheckBoxTest, StatusTextFollowsThePointer) {
  route(WM_MOUSEMOVE, kOnBox);
  EXPECT_EQ(box->statusShown, 1);
  EXPECT_GT(CountNonBackground(*shot(), context, kStatusArea), 30);
  route(WM_MOUSEMOVE, kOffBox);
  EXPECT_EQ(box->statusShown, 0);
  EXPECT_EQ(CountNonBackground(*shot(), context, kStatusArea), 0);
}

}  // namespace

#include "skin/skin_window.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "skin/skin_control.h"
#include "tests/skin/skin_test_support.h"

const POINT kTestWindowOrigin = {860, 320};

namespace {

constexpr COLORREF kMarker = RGB(255, 0, 255);

// Records what the skin does to it; consumes mouse messages when told to.
class RecordingControl : public SkinControl {
 public:
  RecordingControl(SkinContext* skinContext, int id, std::vector<int>* log, int consume = 0,
                   const char* status = "")
      : SkinControl(skinContext, status), id_(id), consume_(consume), log_(log) {}
  ~RecordingControl() override { log_->push_back(-id_); }

  int onMouse(HWND, UINT, WPARAM, LPARAM) override {
    log_->push_back(id_);
    seenDc = context->currentDc;
    seenFont = GetCurrentObject(seenDc, OBJ_FONT);
    seenBkMode = GetBkMode(seenDc);
    return consume_;
  }
  void paint(HDC dc) override {
    ++paints;
    paintedFont = GetCurrentObject(dc, OBJ_FONT);
    log_->push_back(100 + id_);
  }

  HDC seenDc = nullptr;
  HGDIOBJ seenFont = nullptr;
  int seenBkMode = 0;
  int paints = 0;
  HGDIOBJ paintedFont = nullptr;

 private:
  int id_;
  int consume_;
  std::vector<int>* log_;
};

class SkinWindowTest : public SkinTest {
 protected:
  void fillWindow(const RECT& area) { SkinTest::fillWindow(area, kMarker); }
  // Pixels of area in the window that are neither marker nor background.
  void census(const RECT& area, int* marker, int* background, int* other) {
    const auto screen = shot();
    *marker = *background = *other = 0;
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) {
        const COLORREF c = screen->pixel(x, y);
        if (c == kMarker) {
          ++*marker;
        } else if (c == backgroundAt(x, y)) {
          ++*background;
        } else {
          ++*other;
        }
      }
    }
  }
  std::vector<int> log;
};

LOGFONTA FontOf(HFONT font) {
  LOGFONTA info = {};
  GetObjectA(font, sizeof info, &info);
  return info;
}

TEST_F(SkinWindowTest, AttachPreparesFontsCursorStatusAreaAndBackBuffer) {
  const LOGFONTA plain = FontOf(regularFont);
  const LOGFONTA underlined = FontOf(underlinedFont);
  EXPECT_STREQ(plain.lfFaceName, "MS Sans Serif");
  EXPECT_EQ(plain.lfHeight, 13);
  EXPECT_EQ(plain.lfUnderline, 0);
  EXPECT_EQ(plain.lfWeight, 0);
  EXPECT_STREQ(underlined.lfFaceName, "MS Sans Serif");
  EXPECT_EQ(underlined.lfHeight, 13);
  EXPECT_EQ(underlined.lfUnderline, 1);
  EXPECT_NE(linkCursor, nullptr);
  EXPECT_TRUE(EqualRect(&context.statusArea, &kStatusArea));

  const RECT whole = {0, 0, kTestClientWidthPx, kTestClientHeightPx};
  EXPECT_TRUE(EqualRect(&skin->frame.bufferRect, &whole));
  BITMAP buffer = {};
  ASSERT_TRUE(GetObjectA(skin->frame.backBuffer, sizeof buffer, &buffer));
  EXPECT_EQ(buffer.bmWidth, kTestClientWidthPx);
  EXPECT_EQ(buffer.bmHeight, kTestClientHeightPx);
  EXPECT_EQ(GetCurrentObject(context.bufferDc, OBJ_BITMAP), skin->frame.backBuffer);
  EXPECT_EQ(GetCurrentObject(context.bufferDc, OBJ_FONT), regularFont);
  EXPECT_EQ(GetBkMode(context.bufferDc), TRANSPARENT);
  EXPECT_EQ(context.background->width, 96);

  // Attaching again keeps the shared handles, drops the status area and does not pile up
  // backgrounds.
  HFONT font = regularFont;
  HCURSOR cursor = linkCursor;
  skin->attach(window->get(), kBackgroundSpec, kLinkCursorId, nullptr);
  EXPECT_EQ(regularFont, font);
  EXPECT_EQ(linkCursor, cursor);
  const RECT none = {0, 0, 0, 0};
  EXPECT_TRUE(EqualRect(&context.statusArea, &none));
  int held = 0;
  for (const BitmapCacheEntry& entry : BitmapCache) held += entry.referenceCount;
  EXPECT_EQ(held, 1);
}

TEST_F(SkinWindowTest, CreateFontUsesAPositiveCellHeight) {
  struct Case {
    const char* face;
    int height;
    BOOL underline;
    const char* storedFace;
    int storedHeight;
  } const cases[] = {
      {"ms sans serif", 16, FALSE, "ms sans serif", 16},
      {"Arial", -20, TRUE, "Arial", 20},
      {"A face name longer than thirty-one letters", 9, FALSE, "A face name longer than thirty-",
       9},
  };
  for (const Case& c : cases) {
    HFONT font = skin->createFont(c.face, c.height, c.underline);
    ASSERT_NE(font, nullptr) << c.face;
    const LOGFONTA info = FontOf(font);
    EXPECT_STREQ(info.lfFaceName, c.storedFace);
    EXPECT_EQ(info.lfHeight, c.storedHeight) << c.face;
    EXPECT_EQ(info.lfUnderline, c.underline ? 1 : 0) << c.face;
    DeleteObject(font);
  }
}

TEST_F(SkinWindowTest, PaintCycleRepaintsThePaintRectangleAndVisibleControls) {
  const RECT whole = {0, 0, kTestClientWidthPx, kTestClientHeightPx};
  const RECT invalid = {10, 20, 150, 70};
  auto* first = new RecordingControl(&context, 1, &log);
  auto* hidden = new RecordingControl(&context, 2, &log);
  hidden->visible = 0;
  auto* third = new RecordingControl(&context, 3, &log);
  ValidateRect(window->get(), nullptr);
  fillWindow(whole);
  InvalidateRect(window->get(), &invalid, FALSE);

  HDC dc = skin->beginPaint();
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(context.currentDc, dc);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), regularFont);
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  skin->paintAll();
  EXPECT_EQ(log, (std::vector<int>{101, 103}));
  EXPECT_EQ(first->paintedFont, regularFont);
  EXPECT_EQ(third->paints, 1);
  EXPECT_EQ(hidden->paints, 0);
  skin->drawText(200, 200, "Wg");  // outside the paint rectangle, but the cycle draws anywhere
  skin->endPaint();
  EXPECT_EQ(context.currentDc, nullptr);
  skin->drawText(300, 100, "Wg");  // no cycle: nothing

  int marker, background, other;
  census(invalid, &marker, &background, &other);
  EXPECT_EQ(background, (150 - 10) * (70 - 20));
  census(RECT{200, 200, 220, 216}, &marker, &background, &other);
  EXPECT_GT(other, 10) << "drawText drew nothing";
  census(RECT{300, 100, 320, 116}, &marker, &background, &other);
  EXPECT_EQ(marker, 20 * 16);
  census(RECT{0, 0, 10, 270}, &marker, &background, &other);
  EXPECT_EQ(marker, 10 * 270) << "painted outside the paint rectangle";
}

// Once composed, the frame reaches the window only where something asks it to, and only there.
TEST_F(SkinWindowTest, FrameReachesTheWindowOnlyWhereAsked) {
  const RECT whole = {0, 0, kTestClientWidthPx, kTestClientHeightPx};
  const RECT area = {40, 50, 90, 80};
  const int areaPixels = (90 - 40) * (80 - 50);
  ValidateRect(window->get(), nullptr);
  {
    SkinFrame::PaintCycle first(&skin->frame);  // composes the whole frame, copies nothing
    skin->paintAll();
  }
  struct Case {
    const char* what;
    void (*ask)(SkinFrame* frame, const RECT& area);
    int shown;  // pixels of area that reach the window
  } const cases[] = {
      {"marked stale", [](SkinFrame* frame, const RECT& a) { frame->markStale(a); }, 0},
      {"recomposed", [](SkinFrame* frame, const RECT& a) { frame->recompose(a, false); },
       areaPixels},
      {"shown", [](SkinFrame* frame, const RECT& a) { frame->show(a); }, areaPixels},
      {"invalidated, then painted",
       [](SkinFrame* frame, const RECT& a) {
         frame->invalidate(&a);
         SkinFrame::PaintCycle cycle(frame);
         frame->composeCycle();
       },
       areaPixels},
  };
  for (const Case& c : cases) {
    fillWindow(whole);
    c.ask(&skin->frame, area);
    int marker, background, other;
    census(area, &marker, &background, &other);
    EXPECT_EQ(background, c.shown) << c.what;
    census(whole, &marker, &background, &other);
    EXPECT_EQ(marker, kTestClientWidthPx * kTestClientHeightPx - c.shown) << c.what;
  }
}

TEST_F(SkinWindowTest, PreFilterRoutesTheMouseRangeOnly) {
  auto* control = new RecordingControl(&context, 1, &log);
  struct Case {
    UINT message;
    bool routed;
  } const cases[] = {{0x1FF, false},           {WM_MOUSEMOVE, true},   {WM_LBUTTONDOWN, true},
                     {WM_MBUTTONDBLCLK, true}, {WM_MOUSEWHEEL, false}, {WM_PAINT, false},
                     {0x10200, true},          {0x100, false}};
  for (const Case& c : cases) {
    log.clear();
    EXPECT_EQ(skin->preFilter(window->get(), c.message, 0, At(5, 5)), 0);
    EXPECT_EQ(log.size(), c.routed ? 1u : 0u) << std::hex << c.message;
  }
  EXPECT_NE(control->seenDc, nullptr);
  EXPECT_EQ(control->seenFont, regularFont);
  EXPECT_EQ(control->seenBkMode, TRANSPARENT);
  EXPECT_EQ(context.currentDc, nullptr);
}

TEST_F(SkinWindowTest, RoutingStopsAtTheFirstConsumerAndSkipsDisabledAndHidden) {
  new RecordingControl(&context, 1, &log, 0);
  auto* disabled = new RecordingControl(&context, 2, &log, 1);
  disabled->enabled = 0;
  auto* hidden = new RecordingControl(&context, 3, &log, 1);
  hidden->setShown(0);
  new RecordingControl(&context, 4, &log, 0);
  new RecordingControl(&context, 5, &log, 1);
  new RecordingControl(&context, 6, &log, 1);
  log.clear();
  EXPECT_EQ(skin->preFilter(window->get(), WM_LBUTTONDOWN, MK_LBUTTON, At(1, 1)), 1);
  EXPECT_EQ(log, (std::vector<int>{1, 4, 5}));
  EXPECT_EQ(context.currentDc, nullptr);
}

TEST_F(SkinWindowTest, PreFilterTakesNoContextWithoutControls) {
  // A window with its own context keeps what is done to it: the probe for a GetDC.
  TestWindow own(CS_OWNDC);
  HDC ownDc = GetDC(own.get());
  SetBkMode(ownDc, OPAQUE);
  ReleaseDC(own.get(), ownDc);
  EXPECT_EQ(skin->preFilter(own.get(), WM_MOUSEMOVE, 0, At(1, 1)), 0);
  EXPECT_EQ(GetBkMode(ownDc), OPAQUE);
  new RecordingControl(&context, 1, &log);
  skin->preFilter(own.get(), WM_MOUSEMOVE, 0, At(1, 1));
  EXPECT_EQ(GetBkMode(ownDc), TRANSPARENT) << "the probe does not see a prepared context";
}

TEST_F(SkinWindowTest, RegistryRefusesThe101stControlAndForgetsDeletedOnes) {
  std::vector<RecordingControl*> made;
  for (int i = 1; i <= kMaxSkinControls; ++i)
    made.push_back(new RecordingControl(&context, i, &log));
  auto* extra = new RecordingControl(&context, 999, &log);
  EXPECT_EQ(context.controlCount, kMaxSkinControls);
  EXPECT_EQ(context.controls[kMaxSkinControls - 1], made.back());
  delete extra;

  delete made[1];  // its owner may delete it early: routing, painting and teardown skip it
  EXPECT_EQ(context.controls[1], nullptr);
  log.clear();
  skin->preFilter(window->get(), WM_MOUSEMOVE, 0, At(1, 1));
  EXPECT_EQ(log.size(), static_cast<size_t>(kMaxSkinControls - 1));

  HDC buffer = context.bufferDc;
  HBITMAP backBuffer = skin->frame.backBuffer;
  log.clear();
  skin->teardown();
  EXPECT_EQ(GetObjectType(buffer), 0u);
  EXPECT_EQ(GetObjectType(backBuffer), 0u);
  EXPECT_EQ(context.background, nullptr);
  EXPECT_EQ(context.controlCount, 0);
  std::vector<int> expected;
  for (int i = 1; i <= kMaxSkinControls; ++i) {
    if (i != 2) expected.push_back(-i);
  }
  EXPECT_EQ(log, expected);
}

TEST_F(SkinWindowTest, StatusTextDrawsOnlyWhenItChanges) {
  std::string longText(120, 'x');
  RecordingControl cut(&context, 1, &log, 0, longText.c_str());
  EXPECT_EQ(strlen(cut.statusText), kStatusChars - 1);

  RecordingControl quiet(&context, 2, &log, 0, "");
  RecordingControl control(&context, 3, &log, 0, "Select to install Nimba Wendaro filter");
  const RECT& area = kStatusArea;
  const int areaPixels = (area.right - area.left) * (area.bottom - area.top);
  int marker, background, other;
  struct Step {
    RecordingControl* who;
    int show;
    bool refill;
    int markerLeft;  // -1: expect background with text, 0: expect plain background
    int shownAfter;
  } const steps[] = {
      {&control, 0, true, areaPixels, 0},  // hiding what is not shown draws nothing
      {&quiet, 1, false, areaPixels, 0},   // no text: the status area is never touched
      {&control, 1, false, -1, 1},         // shows the text over background
      {&control, 1, true, areaPixels, 1},  // showing twice draws once
      {&control, 0, false, 0, 0},          // hiding leaves plain background
  };
  fillWindow(area);
  for (const Step& s : steps) {
    if (s.refill) fillWindow(area);
    s.who->showStatusText(s.show);
    census(area, &marker, &background, &other);
    EXPECT_EQ(s.who->statusShown, s.shownAfter);
    if (s.markerLeft > 0) {
      EXPECT_EQ(marker, s.markerLeft);
    } else {
      EXPECT_EQ(marker, 0);
      EXPECT_EQ(other > 20, s.markerLeft < 0) << "text pixels: " << other;
      EXPECT_EQ(background + other, areaPixels);
    }
  }
}

TEST_F(SkinWindowTest, HidingPaintsAwayOnceAndShowingPaintsAgain) {
  RecordingControl control(&context, 1, &log);
  struct Step {
    const char* what;
    int paintsAfter;
    int visible, enabled, cleared;
  } const steps[] = {{"hide", 1, 0, 0, 1}, {"hide", 1, 0, 0, 1},   {"redraw", 1, 0, 0, 1},
                     {"show", 2, 1, 1, 0}, {"redraw", 3, 1, 1, 0}, {"disable", 4, 1, 0, 0}};
  for (const Step& s : steps) {
    const std::string what = s.what;
    if (what == "hide") control.setShown(0);
    if (what == "show") control.setShown(1);
    if (what == "redraw") control.redraw();
    if (what == "disable") {
      control.enabled = 0;
      control.redraw();
    }
    EXPECT_EQ(control.paints, s.paintsAfter) << what;
    EXPECT_EQ(control.visible, s.visible) << what;
    EXPECT_EQ(control.enabled, s.enabled) << what;
    EXPECT_EQ(control.cleared, s.cleared) << what;
  }
  EXPECT_EQ(control.paintedFont, regularFont) << "redraw's own context is not prepared";
}

TEST(HitTest, EdgesAreInsideAndNegativeCoordinatesAreFar) {
  struct Case {
    LPARAM position;
    int inside;
  } const cases[] = {{At(230, 10), 1}, {At(243, 23), 1}, {At(230, 23), 1}, {At(236, 16), 1},
                     {At(229, 16), 0}, {At(244, 16), 0}, {At(236, 9), 0},  {At(236, 24), 0},
                     {At(-1, 16), 0},  {At(236, -1), 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(hitTest(230, 10, 243, 23, c.position), c.inside) << std::hex << c.position;
  }
  EXPECT_EQ(hitTest(0, 0, 65535, 65535, At(-1, -1)), 1);
}

TEST(BlitRect, CopiesTheRectangleToTheSamePlace) {
  DibSurface source(8, 8, RGB(10, 20, 30));
  DibSurface target(8, 8, RGB(0, 0, 0));
  EXPECT_TRUE(blitRect(target.dc(), source.dc(), RECT{2, 3, 5, 7}));
  int copied = 0;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) copied += target.pixel(x, y) == RGB(10, 20, 30);
  }
  EXPECT_EQ(copied, 3 * 4);
  EXPECT_EQ(target.pixel(2, 3), RGB(10, 20, 30));
  EXPECT_EQ(target.pixel(5, 7), RGB(0, 0, 0));
}

}  // namespace

namespace {

// Before attach there is no window: the paint cycle and a control's redraw must not fall
// back to the whole screen's context.
TEST(UnattachedSkin, DrawsNothingAnywhere) {
  SkinContext context = {};
  SkinWindow window(&context, GetModuleHandleA(nullptr));
  std::vector<int> log;
  RecordingControl* control = new RecordingControl(&context, 1, &log);
  EXPECT_EQ(nullptr, window.beginPaint());
  window.paintAll();
  window.drawText(0, 0, "nowhere");
  window.endPaint();
  control->redraw();
  EXPECT_EQ(0, control->paints);
  EXPECT_EQ(nullptr, context.currentDc);
  delete control;
}

}  // namespace

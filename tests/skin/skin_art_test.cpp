// The embedded art keeps the promises the controls rely on.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/skin_bitmap.h"
#include "tests/skin/skin_test_support.h"

const POINT kTestWindowOrigin = {0, 0};  // no window here

namespace {

constexpr COLORREF kKey = RGB(255, 255, 255);

bool NearWhite(COLORREF c) {
  return c != kKey && GetRValue(c) >= 200 && GetGValue(c) >= 200 && GetBValue(c) >= 200;
}
int Luminance(COLORREF c) { return (GetRValue(c) * 3 + GetGValue(c) * 6 + GetBValue(c)) / 10; }

class SkinArtTest : public ::testing::Test {
 protected:
  COLORREF at(int x, int y) const { return GetPixel(picture->memoryDc, x, y); }
  void load(uint32_t id) {
    picture = std::make_unique<SkinBitmap>(GetModuleHandleA(nullptr), nullptr, id);
  }
  std::unique_ptr<SkinBitmap> picture;
};

TEST_F(SkinArtTest, CheckStripHasFourFramesAsTheBoxExpects) {
  load(128);
  ASSERT_EQ(picture->width, 52);
  ASSERT_EQ(picture->height, 13);
  int interiorLuminance[4] = {};
  for (int frame = 0; frame < 4; ++frame) {
    int green = 0;
    for (int y = 0; y < 13; ++y) {
      for (int x = 0; x < 13; ++x) {
        const COLORREF c = at(frame * 13 + x, y);
        if (x == 0 || y == 0 || x == 12 || y == 12) {
          EXPECT_TRUE(GetRValue(c) >= 100 && GetGValue(c) <= 60 && GetBValue(c) <= 60)
              << "border of frame " << frame << " at " << x << "," << y << " is not dark red";
          continue;
        }
        interiorLuminance[frame] += Luminance(c);
        green += GetGValue(c) > GetRValue(c) + 40 && GetGValue(c) > GetBValue(c) + 40;
      }
    }
    if (frame >= 2) {
      EXPECT_GE(green, 12) << "frame " << frame << " has no green tick";
    } else {
      EXPECT_EQ(green, 0) << "frame " << frame << " should be empty";
    }
  }
  EXPECT_LT(interiorLuminance[1], interiorLuminance[0] - 121 * 10) << "pressed shading";
  EXPECT_LT(interiorLuminance[3], interiorLuminance[2] - 121 * 10) << "pressed shading";
}

TEST_F(SkinArtTest, ButtonFacesAreOrangePillsWithCleanKeyedEdges) {
  for (uint32_t id : {203u, 219u, 220u}) {
    load(id);
    ASSERT_EQ(picture->width, 58) << id;
    ASSERT_EQ(picture->height, 20) << id;
    EXPECT_EQ(at(0, 0), kKey) << id;
    EXPECT_EQ(at(57, 19), kKey) << id;
    const COLORREF middle = at(3, 10);  // left of the lettering
    EXPECT_TRUE(GetRValue(middle) > GetGValue(middle) && GetGValue(middle) > GetBValue(middle))
        << id << " is not orange";
    int dark = 0, fringe = 0;
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 58; ++x) {
        const COLORREF c = at(x, y);
        dark += x > 10 && x < 48 && Luminance(c) < 80;
        if (c == kKey) continue;
        bool keyNear = false;
        for (int dy = -1; dy <= 1; ++dy) {
          for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx, ny = y + dy;
            keyNear = keyNear || nx < 0 || ny < 0 || nx >= 58 || ny >= 20 || at(nx, ny) == kKey;
          }
        }
        fringe += keyNear && NearWhite(c);
      }
    }
    EXPECT_EQ(fringe, 0) << id << " has a pale halo at its keyed edge";
    EXPECT_GE(dark, 40) << id << " has no dark lettering";
  }
}

TEST_F(SkinArtTest, LogoLeavesRoomForTheLinkAndBackgroundIsCalm) {
  load(213);
  ASSERT_EQ(picture->width, 170);
  ASSERT_EQ(picture->height, 106);
  // The link is drawn at (96, 14) of the window, the logo at (4, 2).
  for (int y = 10; y < 30; ++y) {
    for (int x = 90; x < 170; ++x) ASSERT_EQ(at(x, y), kKey) << x << "," << y;
  }
  picture->release();

  load(117);
  ASSERT_GT(picture->width, 0);
  int lowest = 255, highest = 0;
  for (int y = 0; y < picture->height; ++y) {
    for (int x = 0; x < picture->width; ++x) {
      const int l = Luminance(at(x, y));
      lowest = l < lowest ? l : lowest;
      highest = l > highest ? l : highest;
    }
  }
  EXPECT_GE(lowest, 200) << "black text must stay readable on the background";
  EXPECT_LE(highest - lowest, 24);
}

TEST_F(SkinArtTest, LinkCursorIsAHandWithItsHotSpotAtTheFingertip) {
  HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(120));
  ASSERT_NE(hand, nullptr);
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(hand, &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 6u);
  EXPECT_EQ(info.yHotspot, 0u);
  BITMAP mask = {};
  GetObjectA(info.hbmMask, sizeof mask, &mask);
  EXPECT_EQ(mask.bmWidth, 32);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
}

// Each stored size of the program's icon loads on the system and shows the cream centre and the
// orange ring: the shell draws it in Explorer and on the elevation prompt.
TEST_F(SkinArtTest, ProgramIconDrawsTheRingAtEachStoredSize) {
  for (int size : {16, 32, 48}) {
    SCOPED_TRACE(size);
    HICON icon = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON, size, size, 0));
    ASSERT_NE(icon, nullptr);
    DibSurface canvas(size, size, RGB(0, 0, 0));
    ASSERT_TRUE(DrawIconEx(canvas.dc(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL));
    DestroyIcon(icon);
    const COLORREF centre = canvas.pixel(size * 23 / 48, size * 23 / 48);
    EXPECT_TRUE(NearWhite(centre)) << std::hex << centre;
    const COLORREF ring = canvas.pixel(size * 23 / 48, size * 9 / 48);
    EXPECT_GT(GetRValue(ring), 180) << std::hex << ring;
    EXPECT_LT(GetBValue(ring), 90) << std::hex << ring;
  }
}

}  // namespace

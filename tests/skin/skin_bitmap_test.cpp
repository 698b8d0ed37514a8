#include "skin/skin_bitmap.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "tests/skin/skin_test_support.h"

const POINT kTestWindowOrigin = {0, 0};  // no window here

namespace {

constexpr COLORREF kGrey = RGB(90, 90, 90);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// A blank picture named by a spec without a resource, painted with a pattern that tells every
// pixel apart: (x, y) holds RGB(10 + 20x, 10 + 20y, 77).
uint32_t BlankSpec(uint32_t width, uint32_t height) { return (height << 16) | width; }
COLORREF Pattern(int x, int y) { return RGB(10 + 20 * x, 10 + 20 * y, 77); }

std::unique_ptr<SkinBitmap> PatternPicture(int width, int height) {
  auto picture =
      std::make_unique<SkinBitmap>(GetModuleHandleA(nullptr), nullptr, BlankSpec(width, height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) SetPixel(picture->memoryDc, x, y, Pattern(x, y));
  }
  return picture;
}

const BitmapCacheEntry* EntryOf(const SkinBitmap& picture) {
  for (const BitmapCacheEntry& entry : BitmapCache) {
    if (entry.referenceCount != 0 && entry.memoryDc == picture.memoryDc) return &entry;
  }
  return nullptr;
}

int HeldEntries() {
  int held = 0;
  for (const BitmapCacheEntry& entry : BitmapCache) held += entry.referenceCount != 0;
  return held;
}

class SkinBitmapTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(HeldEntries(), 0) << "a picture was not released"; }
};

TEST_F(SkinBitmapTest, SameSpecSharesOneEntryUntilTheLastRelease) {
  SkinBitmap first(GetModuleHandleA(nullptr), nullptr, 128);
  SkinBitmap second(GetModuleHandleA(nullptr), nullptr, 128);
  ASSERT_NE(first.memoryDc, nullptr);
  EXPECT_EQ(second.memoryDc, first.memoryDc);
  EXPECT_EQ(second.bitmap, first.bitmap);
  const BitmapCacheEntry* entry = EntryOf(first);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->spec, 128u);
  EXPECT_EQ(entry->referenceCount, 2);
  EXPECT_EQ(HeldEntries(), 1);

  HDC shared = first.memoryDc;
  HBITMAP picture = first.bitmap;
  first.release();
  first.release();  // a second release must not take the other holder's reference
  EXPECT_EQ(entry->referenceCount, 1);
  EXPECT_EQ(GetObjectType(shared), static_cast<DWORD>(OBJ_MEMDC));
  second.release();
  EXPECT_EQ(entry->referenceCount, 0);
  EXPECT_EQ(entry->spec, 0u);
  EXPECT_EQ(GetObjectType(shared), 0u);
  EXPECT_EQ(GetObjectType(picture), 0u);
}

TEST_F(SkinBitmapTest, MissingResourceGivesABlankPictureSizedFromTheSpec) {
  SkinBitmap blank(GetModuleHandleA(nullptr), nullptr, BlankSpec(30, 40));
  EXPECT_EQ(blank.width, 30);
  EXPECT_EQ(blank.height, 40);
  BITMAP info = {};
  ASSERT_TRUE(GetObjectA(blank.bitmap, sizeof info, &info));
  EXPECT_EQ(info.bmWidth, 30);
  EXPECT_EQ(info.bmHeight, 40);
  ASSERT_NE(EntryOf(blank), nullptr);
  EXPECT_EQ(EntryOf(blank)->spec, BlankSpec(30, 40));

  // A plain identifier without a resource: as wide as the identifier, no rows; tiling it
  // draws nothing.
  SkinBitmap flat(GetModuleHandleA(nullptr), nullptr, 99);
  EXPECT_EQ(flat.width, 99);
  EXPECT_EQ(flat.height, 0);
  DibSurface target(20, 20, kGrey);
  flat.drawTiled(target.dc(), 0, 0, 20, 20);
  EXPECT_EQ(target.pixel(0, 0), kGrey);
  EXPECT_EQ(target.pixel(19, 19), kGrey);
}

TEST_F(SkinBitmapTest, TilesAlignToTheDestinationOrigin) {
  auto tile = PatternPicture(10, 10);
  DibSurface target(40, 40, kGrey);
  tile->drawTiled(target.dc(), 15, 15, 25, 25);
  EXPECT_EQ(target.pixel(15, 15), Pattern(5, 5));
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) {
      const bool inside = x >= 15 && x < 25 && y >= 15 && y < 25;
      ASSERT_EQ(target.pixel(x, y), inside ? Pattern(x % 10, y % 10) : kGrey) << x << "," << y;
    }
  }
}

TEST_F(SkinBitmapTest, KeyedCopySkipsOnlyExactWhite) {
  auto picture = PatternPicture(4, 3);
  SetPixel(picture->memoryDc, 1, 0, kWhite);
  SetPixel(picture->memoryDc, 2, 1, RGB(254, 255, 255));
  SetPixel(picture->memoryDc, 3, 2, RGB(255, 255, 254));
  DibSurface target(20, 20, kGrey);
  picture->drawKeyed(target.dc(), 5, 6, 2, 1);  // lands at (7, 7)
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      const int i = x - 7, j = y - 7;
      COLORREF expected = kGrey;
      if (i >= 0 && i < 4 && j >= 0 && j < 3) expected = GetPixel(picture->memoryDc, i, j);
      if (expected == kWhite) expected = kGrey;
      ASSERT_EQ(target.pixel(x, y), expected) << x << "," << y;
    }
  }
  EXPECT_EQ(target.pixel(9, 8), RGB(254, 255, 255));
}

TEST_F(SkinBitmapTest, FrameCopyIsOpaqueAndTakesOnlyItsColumns) {
  auto strip = PatternPicture(9, 3);  // three 3 x 3 frames
  SetPixel(strip->memoryDc, 4, 1, kWhite);
  struct Case {
    int start, end;
  };
  for (const Case& c : {Case{3, 6}, Case{0, 3}, Case{6, 9}, Case{4, 4}, Case{5, 2}, Case{7, 12}}) {
    DibSurface target(12, 6, kGrey);
    strip->copyFrame(target.dc(), c.start, 2, c.end, 1);
    for (int y = 0; y < 6; ++y) {
      for (int x = 0; x < 12; ++x) {
        const int i = x - 2 + c.start, j = y - 1;
        const bool copied = i >= c.start && i < c.end && i < 9 && j >= 0 && j < 3;
        ASSERT_EQ(target.pixel(x, y), copied ? GetPixel(strip->memoryDc, i, j) : kGrey)
            << "frame " << c.start << "-" << c.end << " at " << x << "," << y;
      }
    }
  }
}

TEST_F(SkinBitmapTest, CopiesWithoutAMemoryContextPaintTheirBlockBlack) {
  auto picture = PatternPicture(3, 2);
  SetPixel(picture->memoryDc, 0, 0, kWhite);
  picture->release();
  ASSERT_EQ(picture->memoryDc, nullptr);
  DibSurface keyed(10, 10, kGrey);
  picture->drawKeyed(keyed.dc(), 1, 1, 1, 1);
  DibSurface frame(10, 10, kGrey);
  picture->copyFrame(frame.dc(), 1, 4, 3, 5);
  DibSurface tiled(10, 10, kGrey);
  picture->drawTiled(tiled.dc(), 0, 0, 10, 10);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) {
      const bool keyedBlock = x >= 2 && x < 5 && y >= 2 && y < 4;
      const bool frameBlock = x >= 4 && x < 6 && y >= 5 && y < 7;
      ASSERT_EQ(keyed.pixel(x, y), keyedBlock ? RGB(0, 0, 0) : kGrey) << x << "," << y;
      ASSERT_EQ(frame.pixel(x, y), frameBlock ? RGB(0, 0, 0) : kGrey) << x << "," << y;
      ASSERT_EQ(tiled.pixel(x, y), kGrey);
    }
  }
}

// The pixel-by-pixel copy the blits replace: every source pixel read and written on its own.
void ReferenceCopy(const SkinBitmap& picture, HDC destination, int start, int end, int x, int y,
                   bool keyed) {
  for (int i = start; i < end; ++i) {
    for (int j = 0; j < picture.height; ++j) {
      const COLORREF colour = GetPixel(picture.memoryDc, i, j);
      if (colour == CLR_INVALID || (keyed && colour == kWhite)) continue;
      SetPixel(destination, x + i - start, y + j, colour);
    }
  }
}

// On the shipped art, over a destination that is not plain, the blits give exactly the pixels
// of the per-pixel copy, and the keyed copy gives them again once its mask exists.
TEST_F(SkinBitmapTest, BlitsGiveThePixelsOfThePerPixelCopyOnTheShippedArt) {
  struct Case {
    uint32_t spec;
    bool keyed;
    int start, end;  // columns, for frames
  };
  const Case cases[] = {{213, true, 0, 0},    {203, true, 0, 0},   {219, true, 0, 0},
                        {220, true, 0, 0},    {128, false, 0, 13}, {128, false, 26, 39},
                        {128, false, 40, 60}, {128, false, -3, 5}};
  for (const Case& c : cases) {
    SkinBitmap picture(GetModuleHandleA(nullptr), nullptr, c.spec);
    ASSERT_GT(picture.width, 0) << c.spec;
    const int w = picture.width + 20, h = picture.height + 20;
    DibSurface expected(w, h, kGrey), actual(w, h, kGrey);
    for (DibSurface* s : {&expected, &actual}) {
      for (int y = 0; y < h; y += 3) s->fill(RECT{0, y, w, y + 1}, Pattern(y % 12, y % 7));
    }
    const int end = c.keyed ? picture.width : c.end;
    ReferenceCopy(picture, expected.dc(), c.start, end, 7, 5, c.keyed);
    // Colours a control may have left on the context must neither matter nor change.
    const COLORREF text = RGB(0, 0, 200), back = RGB(10, 200, 30);
    SetTextColor(actual.dc(), text);
    SetBkColor(actual.dc(), back);
    for (int pass = 0; pass < 2; ++pass) {
      if (c.keyed) {
        picture.drawKeyed(actual.dc(), 4, 3, 3, 2);
      } else {
        picture.copyFrame(actual.dc(), c.start, 7, c.end, 5);
      }
      for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
          ASSERT_EQ(actual.pixel(x, y), expected.pixel(x, y))
              << "picture " << c.spec << " columns " << c.start << "-" << end << " pass " << pass
              << " at " << x << "," << y;
        }
      }
    }
    EXPECT_EQ(GetTextColor(actual.dc()), text);
    EXPECT_EQ(GetBkColor(actual.dc()), back);
    picture.release();
  }
}

TEST_F(SkinBitmapTest, WithTheCacheFullAPictureOwnsItsHandles) {
  std::unique_ptr<SkinBitmap> holders[kBitmapCacheEntries];
  for (int i = 0; i < kBitmapCacheEntries; ++i) {
    holders[i] =
        std::make_unique<SkinBitmap>(GetModuleHandleA(nullptr), nullptr, BlankSpec(300 + i, 2));
    ASSERT_FALSE(holders[i]->ownsHandles);
  }
  SkinBitmap extra(GetModuleHandleA(nullptr), nullptr, 128);
  EXPECT_TRUE(extra.ownsHandles);
  EXPECT_EQ(extra.width, 52);
  EXPECT_EQ(EntryOf(extra), nullptr);
  HDC own = extra.memoryDc;
  HBITMAP picture = extra.bitmap;
  EXPECT_EQ(GetObjectType(own), static_cast<DWORD>(OBJ_MEMDC));
  extra.release();
  EXPECT_EQ(GetObjectType(own), 0u);
  EXPECT_EQ(GetObjectType(picture), 0u);
  EXPECT_EQ(HeldEntries(), kBitmapCacheEntries);
  for (auto& holder : holders) holder->release();
}

}  // namespace

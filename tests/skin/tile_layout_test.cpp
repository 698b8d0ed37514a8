#include "skin/tile_layout.h"

#include <gtest/gtest.h>

#include <vector>

// Found by the comparisons of piece lists, next to the type.
static bool operator==(const TilePiece& a, const TilePiece& b) {
  return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height &&
         a.sourceLeft == b.sourceLeft && a.sourceTop == b.sourceTop;
}

namespace {

std::vector<TilePiece> Pieces(int32_t w, int32_t h, int32_t l, int32_t t, int32_t r, int32_t b) {
  std::vector<TilePiece> pieces;
  ForEachTilePiece(w, h, l, t, r, b, [&](const TilePiece& p) { pieces.push_back(p); });
  return pieces;
}

TEST(TileLayout, PiecesInRowOrderWithSourceOffsetsFromTheOrigin) {
  // 10 x 10 over (15, 15, 25, 25): the first piece starts at source (5, 5).
  const std::vector<TilePiece> expected = {
      {15, 15, 5, 5, 5, 5}, {20, 15, 5, 5, 0, 5}, {15, 20, 5, 5, 5, 0}, {20, 20, 5, 5, 0, 0}};
  EXPECT_EQ(Pieces(10, 10, 15, 15, 25, 25), expected);
  const std::vector<TilePiece> whole = {{0, 0, 10, 8, 0, 0}, {10, 0, 10, 8, 0, 0}};
  EXPECT_EQ(Pieces(10, 8, 0, 0, 20, 8), whole);
  const std::vector<TilePiece> left = {{-3, 2, 3, 1, 7, 2}, {0, 2, 4, 1, 0, 2}};
  EXPECT_EQ(Pieces(10, 10, -3, 2, 4, 3), left);
  // At the ends of the coordinate range the tile starts lie outside it.
  const int32_t lowest = INT32_MIN, highest = INT32_MAX;
  const std::vector<TilePiece> ends = {{lowest, highest - 1, 5, 1, 2, 6}};
  EXPECT_EQ(Pieces(10, 10, lowest, highest - 1, lowest + 5, highest), ends);
}

TEST(TileLayout, NothingWithoutAreaOrForAnEmptyRectangle) {
  struct Case {
    int32_t w, h, l, t, r, b;
  };
  const Case cases[] = {{0, 10, 0, 0, 50, 50}, {10, 0, 0, 0, 50, 50}, {-4, 10, 0, 0, 50, 50},
                        {10, 10, 5, 5, 5, 9},  {10, 10, 5, 5, 9, 5},  {10, 10, 9, 9, 5, 5}};
  for (const Case& c : cases) {
    EXPECT_TRUE(Pieces(c.w, c.h, c.l, c.t, c.r, c.b).empty())
        << c.w << "x" << c.h << " over " << c.l << "," << c.t << "," << c.r << "," << c.b;
  }
}

// Every pixel of the rectangle is covered exactly once, by the source pixel that a fill of the
// whole surface would put there, and nothing outside is touched.
TEST(TileLayout, AnyRectangleRepaintsTheSamePixelsAsTheWhole) {
  struct Case {
    int32_t w, h, l, t, r, b;
  };
  const Case cases[] = {{7, 5, 0, 0, 40, 30}, {7, 5, 3, 4, 39, 29},   {1, 1, 2, 2, 9, 9},
                        {13, 13, 6, 6, 7, 7}, {40, 30, 1, 1, 39, 29}, {6, 9, -8, -13, 11, 6}};
  for (const Case& c : cases) {
    const int32_t ox = -20, oy = -20, size = 70;
    std::vector<int> hits(size * size, 0);
    bool sourceRight = true;
    for (const TilePiece& p : Pieces(c.w, c.h, c.l, c.t, c.r, c.b)) {
      for (int32_t y = 0; y < p.height; ++y) {
        for (int32_t x = 0; x < p.width; ++x) {
          const int32_t dx = p.left + x, dy = p.top + y;
          ++hits[(dy - oy) * size + (dx - ox)];
          const int32_t sx = ((dx % c.w) + c.w) % c.w, sy = ((dy % c.h) + c.h) % c.h;
          sourceRight = sourceRight && p.sourceLeft + x == sx && p.sourceTop + y == sy;
        }
      }
    }
    EXPECT_TRUE(sourceRight) << "case " << c.w << "x" << c.h << " at " << c.l << "," << c.t;
    for (int32_t y = oy; y < oy + size; ++y) {
      for (int32_t x = ox; x < ox + size; ++x) {
        const bool inside = x >= c.l && x < c.r && y >= c.t && y < c.b;
        ASSERT_EQ(hits[(y - oy) * size + (x - ox)], inside ? 1 : 0)
            << "pixel " << x << "," << y << " for " << c.w << "x" << c.h;
      }
    }
  }
}

}  // namespace

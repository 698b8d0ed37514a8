#pragma once

#include <stdint.h>

// One piece of a tiled fill: the part of one copy of the picture that lies inside the filled
// rectangle.
struct TilePiece {
  int32_t left;  // destination
  int32_t top;
  int32_t width;
  int32_t height;
  int32_t sourceLeft;  // inside the picture
  int32_t sourceTop;
};

// Start of the tile that holds coordinate v, for tiles of size (> 0) laid from 0 (floored, so a
// negative v lands in the tile before 0). The remainder is taken in 32 bits: a 64-bit one
// would pull a helper routine of the compiler into the 32-bit program.
inline int64_t TileStart(int32_t v, int32_t size) {
  const int32_t remainder = v % size;
  int64_t start = static_cast<int64_t>(v) - remainder;
  if (remainder < 0) start -= size;
  return start;
}

// Calls visit(const TilePiece&) for each piece of the copies of a tileWidth x tileHeight
// picture, laid edge to edge from the surface's origin, that meet [left, right) x [top, bottom);
// rows from the top, each row left to right. The copies are aligned to the origin and not to the
// rectangle, so repainting any part of a surface gives the same pixels as painting all of it.
// A picture without area, or an empty rectangle, gives no pieces.
template <typename Visit>
void ForEachTilePiece(int32_t tileWidth, int32_t tileHeight, int32_t left, int32_t top,
                      int32_t right, int32_t bottom, Visit visit) {
  if (tileWidth <= 0 || tileHeight <= 0 || right <= left || bottom <= top) return;
  for (int64_t rowTop = TileStart(top, tileHeight); rowTop < bottom; rowTop += tileHeight) {
    const int64_t pieceTop = rowTop < top ? top : rowTop;
    const int64_t pieceBottom = rowTop + tileHeight > bottom ? bottom : rowTop + tileHeight;
    for (int64_t columnLeft = TileStart(left, tileWidth); columnLeft < right;
         columnLeft += tileWidth) {
      const int64_t pieceLeft = columnLeft < left ? left : columnLeft;
      const int64_t pieceRight = columnLeft + tileWidth > right ? right : columnLeft + tileWidth;
      const TilePiece piece = {static_cast<int32_t>(pieceLeft),
                               static_cast<int32_t>(pieceTop),
                               static_cast<int32_t>(pieceRight - pieceLeft),
                               static_cast<int32_t>(pieceBottom - pieceTop),
                               static_cast<int32_t>(pieceLeft - columnLeft),
                               static_cast<int32_t>(pieceTop - rowTop)};
      visit(piece);
    }
  }
}

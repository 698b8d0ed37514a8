#include "skin/skin_bitmap.h"

#include "platform/scoped_win32.h"
#include "skin/tile_layout.h"

BitmapCacheEntry BitmapCache[kBitmapCacheEntries];

namespace {

constexpr COLORREF kTransparentWhite = RGB(255, 255, 255);
constexpr COLORREF kOpaqueBlack = RGB(0, 0, 0);
// Destination AND NOT source.
constexpr DWORD kAndInvertedSource = 0x00220326;

BitmapCacheEntry* FindHeldEntry(uint32_t spec) {
  for (BitmapCacheEntry& entry : BitmapCache) {
    if (entry.referenceCount != 0 && entry.spec == spec) return &entry;
  }
  return nullptr;
}

BitmapCacheEntry* FindFreeEntry() {
  for (BitmapCacheEntry& entry : BitmapCache) {
    if (entry.referenceCount == 0) return &entry;
  }
  return nullptr;
}

// A top-down 24-bit picture compatible with dc; its pixels start undefined.
HBITMAP CreateBlankPicture(HDC dc, int32_t width, int32_t height) {
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = -height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  if (dc) return CreateDIBitmap(dc, &header, 0, nullptr, nullptr, DIB_RGB_COLORS);
  // A memory context would make a monochrome picture: take the screen's format instead.
  ScopedWindowDc screen(nullptr);
  return CreateDIBitmap(screen.get(), &header, 0, nullptr, nullptr, DIB_RGB_COLORS);
}

// The loaded picture's size, else the blank picture's that the spec gives.
void PictureSize(HBITMAP loaded, uint32_t spec, int32_t* width, int32_t* height) {
  if (loaded) {
    BITMAP info = {};
    GetObjectA(loaded, sizeof info, &info);
    *width = info.bmWidth;
    *height = info.bmHeight;
    return;
  }
  *width = static_cast<int32_t>(spec & kSpecBlankSizeMask);
  *height = static_cast<int32_t>((spec >> kSpecBlankHeightShift) & kSpecBlankSizeMask);
}

}  // namespace

SkinBitmap::SkinBitmap(HINSTANCE instance, HDC dc, uint32_t spec)
    : width(0), height(0), memoryDc(nullptr), bitmap(nullptr), ownsHandles(false) {
  if (BitmapCacheEntry* shared = FindHeldEntry(spec)) {
    width = shared->width;
    height = shared->height;
    memoryDc = shared->memoryDc;
    bitmap = shared->bitmap;
    ++shared->referenceCount;
    return;
  }

  HBITMAP loaded = LoadBitmapA(instance, MAKEINTRESOURCEA(spec & kSpecResourceMask));
  PictureSize(loaded, spec, &width, &height);
  HDC memory = CreateCompatibleDC(dc);
  if (!memory) {
    // Without a context there is nothing to hold the picture; the copies paint its area black.
    if (loaded) DeleteObject(loaded);
    return;
  }
  bitmap = loaded ? loaded : CreateBlankPicture(dc, width, height);
  if (bitmap) SelectObject(memory, bitmap);
  memoryDc = memory;

  if (BitmapCacheEntry* entry = FindFreeEntry()) {
    *entry = BitmapCacheEntry{spec, 1, width, height, memoryDc, bitmap};
  } else {
    ownsHandles = true;
  }
}

SkinBitmap::~SkinBitmap() { release(); }

void DeleteSkinBitmap(SkinBitmap*& bitmap) {
  if (!bitmap) return;
  bitmap->release();
  delete bitmap;
  bitmap = nullptr;
}

void SkinBitmap::release() {
  deleteKeyMask();
  if (!memoryDc) return;
  if (ownsHandles) {
    DeleteDC(memoryDc);
    if (bitmap) DeleteObject(bitmap);
  } else {
    for (BitmapCacheEntry& entry : BitmapCache) {
      if (entry.referenceCount == 0 || entry.memoryDc != memoryDc) continue;
      if (--entry.referenceCount == 0) {
        // The picture leaves the context with it, so the bitmap can go next.
        DeleteDC(entry.memoryDc);
        if (entry.bitmap) DeleteObject(entry.bitmap);
        entry = BitmapCacheEntry{};
      }
      break;
    }
  }
  memoryDc = nullptr;
  bitmap = nullptr;
  ownsHandles = false;
}

void SkinBitmap::drawTiled(HDC destination, int left, int top, int right, int bottom) const {
  if (!memoryDc) return;
  ForEachTilePiece(width, height, left, top, right, bottom, [&](const TilePiece& piece) {
    BitBlt(destination, piece.left, piece.top, piece.width, piece.height, memoryDc,
           piece.sourceLeft, piece.sourceTop, SRCCOPY);
  });
}

void SkinBitmap::drawKeyed(HDC destination, int x, int y, int offsetX, int offsetY) const {
  if (width <= 0 || height <= 0) return;
  if (!memoryDc) {
    PatBlt(destination, x + offsetX, y + offsetY, width, height, BLACKNESS);
    return;
  }
  if (!makeKeyMask()) return;
  // The mask blanks the picture's place except under white, then the picture with black for
  // white is laid in: one bit set gives all bits set through the destination's colours.
  const COLORREF oldBackground = SetBkColor(destination, kTransparentWhite);
  const COLORREF oldText = SetTextColor(destination, kOpaqueBlack);
  BitBlt(destination, x + offsetX, y + offsetY, width, height, keyMaskDc_, 0, 0, SRCAND);
  BitBlt(destination, x + offsetX, y + offsetY, width, height, keyedDc_, 0, 0, SRCPAINT);
  SetTextColor(destination, oldText);
  SetBkColor(destination, oldBackground);
}

void SkinBitmap::copyFrame(HDC destination, int start, int x, int end, int y) const {
  if (end <= start || height <= 0) return;
  if (!memoryDc) {
    PatBlt(destination, x, y, end - start, height, BLACKNESS);
    return;
  }
  // Columns outside the picture have no pixels to copy and leave the destination as it was.
  const int first = start < 0 ? 0 : start;
  const int last = end > width ? width : end;
  if (last <= first) return;
  BitBlt(destination, x + first - start, y, last - first, height, memoryDc, first, 0, SRCCOPY);
}

bool SkinBitmap::makeKeyMask() const {
  if (keyedDc_) return true;
  keyMaskDc_ = CreateCompatibleDC(memoryDc);
  keyMask_ = CreateBitmap(width, height, 1, 1, nullptr);
  keyedDc_ = CreateCompatibleDC(memoryDc);
  keyed_ = CreateCompatibleBitmap(memoryDc, width, height);
  if (!keyMaskDc_ || !keyMask_ || !keyedDc_ || !keyed_) {
    deleteKeyMask();
    return false;
  }
  SelectObject(keyMaskDc_, keyMask_);
  SelectObject(keyedDc_, keyed_);
  // A colour picture copied to one bit per pixel gives 1 exactly where it has the source's
  // background colour.
  const COLORREF oldBackground = SetBkColor(memoryDc, kTransparentWhite);
  BitBlt(keyMaskDc_, 0, 0, width, height, memoryDc, 0, 0, SRCCOPY);
  SetBkColor(memoryDc, oldBackground);
  // The picture with black where the mask is set: AND with the inverted mask.
  BitBlt(keyedDc_, 0, 0, width, height, memoryDc, 0, 0, SRCCOPY);
  SetBkColor(keyedDc_, kTransparentWhite);
  SetTextColor(keyedDc_, kOpaqueBlack);
  BitBlt(keyedDc_, 0, 0, width, height, keyMaskDc_, 0, 0, kAndInvertedSource);
  return true;
}

void SkinBitmap::deleteKeyMask() const {
  // Each context goes before its bitmap, so the bitmap is no longer selected when deleted.
  if (keyMaskDc_) DeleteDC(keyMaskDc_);
  if (keyMask_) DeleteObject(keyMask_);
  if (keyedDc_) DeleteDC(keyedDc_);
  if (keyed_) DeleteObject(keyed_);
  keyMaskDc_ = nullptr;
  keyMask_ = nullptr;
  keyedDc_ = nullptr;
  keyed_ = nullptr;
}

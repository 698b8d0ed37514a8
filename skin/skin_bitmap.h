#pragma once

#include <windows.h>

#include <stdint.h>

// A bitmap spec names a picture: bits 0-15 the bitmap resource identifier; when the resource is
// missing, a blank picture is made instead, bits 0-9 wide and bits 16-25 high.
constexpr uint32_t kSpecResourceMask = 0xFFFF;
constexpr uint32_t kSpecBlankSizeMask = 0x3FF;
constexpr int kSpecBlankHeightShift = 16;

constexpr int kBitmapCacheEntries = 50;

// One loaded picture, shared by every SkinBitmap made from the same spec.
struct BitmapCacheEntry {
  uint32_t spec;           // 0 while the entry is free
  int32_t referenceCount;  // SkinBitmap objects holding it; 0 = free
  int32_t width;
  int32_t height;
  HDC memoryDc;  // the picture is selected into it
  HBITMAP bitmap;
};

// Process-wide and zero at start, so every entry starts free.
extern BitmapCacheEntry BitmapCache[kBitmapCacheEntries];

// A bitmap resource loaded into a memory device context, shared through the BitmapCache. Users
// create it with new, call release and then delete it.
class SkinBitmap {
 public:
  // Shares the cached picture of spec, or loads it into a memory context compatible with dc
  // (the screen's when dc is null).
  SkinBitmap(HINSTANCE instance, HDC dc, uint32_t spec);
  // Releases the picture if release was not called.
  ~SkinBitmap();
  SkinBitmap(const SkinBitmap&) = delete;
  SkinBitmap& operator=(const SkinBitmap&) = delete;

  // Drops this object's hold on the picture; the last holder deletes the handles. A second call
  // does nothing, and a released object draws like one without a picture.
  void release();

  // Covers [left, right) x [top, bottom) of destination with copies of the picture laid from the
  // destination's origin. Draws nothing without a picture or for a picture without area.
  void drawTiled(HDC destination, int left, int top, int right, int bottom) const;

  // Copies every pixel (i, j) of the picture to (x + offsetX + i, y + offsetY + j), skipping
  // exact white, which is the skin's transparent colour. The first call makes the picture's
  // mask of white pixels; every call is then two blits.
  void drawKeyed(HDC destination, int x, int y, int offsetX, int offsetY) const;

  // Copies columns [start, end) of the picture, all rows, to (x, y) opaquely: one frame of a
  // strip. The range is not checked against the picture; pixels outside it are skipped.
  void copyFrame(HDC destination, int start, int x, int end, int y) const;

  int32_t width;
  int32_t height;
  HDC memoryDc;  // null when no picture could be set up: copies then paint black
  HBITMAP bitmap;
  // Set when the cache was full: this object alone holds the handles and deletes them.
  bool ownsHandles;

 private:
  bool makeKeyMask() const;
  void deleteKeyMask() const;

  // One bit per pixel, set where the picture is exact white, and the picture with black in
  // those places; each in a context of its own, made on the first keyed copy.
  mutable HDC keyMaskDc_ = nullptr;
  mutable HBITMAP keyMask_ = nullptr;
  mutable HDC keyedDc_ = nullptr;
  mutable HBITMAP keyed_ = nullptr;
};

// Releases and deletes a bitmap made with new, and leaves the pointer null; a null pointer is
// fine.
void DeleteSkinBitmap(SkinBitmap*& bitmap);

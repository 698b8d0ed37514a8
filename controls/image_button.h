#pragma once

#include <windows.h>

#include <stdint.h>

#include "skin/skin_bitmap.h"
#include "skin/skin_control.h"
#include "text/text_buffer.h"

// Press states of an ImageButton. A click just reported behaves like not pressed.
constexpr int32_t kButtonNotPressed = 0;
constexpr int32_t kButtonPressed = 1;
constexpr int32_t kButtonClicked = 3;

// A push button drawn from a bitmap keyed on white, with a pressed look, that posts its
// notification identifier when a press inside is released. With enabled cleared it is a static
// picture.
class ImageButton : public SkinControl {
 public:
  // placement: left, top, right, bottom; right and bottom are replaced by the picture's size.
  // A resource identifier of 0 means no image. The same identifier for both looks draws the
  // pressed look one pixel right and down. caption may be null; captionPlacement (may be null)
  // holds the caption's offset from the placement's top-left in left/top and its size in
  // right/bottom. A caption longer than kCaptionChars - 1 characters is cut.
  ImageButton(SkinContext* context, const RECT& placement, UINT normalId, UINT pressedId,
              int notifyId, const char* statusText, const char* caption,
              const RECT* captionPlacement);
  ~ImageButton() override;

  int onMouse(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  void paint(HDC dc) override;

  // Held down by the mouse right now.
  bool pressed() const { return pressState == kButtonPressed; }
  RECT area() const { return bounds; }

  SkinBitmap* normalImage;
  SkinBitmap* pressedImage;
  int32_t pressState;
  int32_t originX;
  int32_t originY;
  RECT bounds;  // edges belong to the outside
  char caption[kCaptionChars];
  RECT captionRect;
  int32_t pressedOffset;  // 0 or 1

 private:
  bool contains(LPARAM position) const;
  // Gives the mouse back once the press is over; the press state is already updated.
  void releaseMouse(HWND window) const;
  void drawLook(bool pressed);
  void drawCaptionPatch(HDC target, bool withText);
};

#include "controls/image_button.h"

#include "skin/skin_window.h"

namespace {

SkinBitmap* LoadFace(const SkinContext* context, UINT resourceId) {
  if (resourceId == 0) return nullptr;
  return new SkinBitmap(context->instance, context->currentDc, resourceId);
}

}  // namespace

ImageButton::ImageButton(SkinContext* skinContext, const RECT& placement, UINT normalId,
                         UINT pressedId, int notify, const char* status, const char* captionText,
                         const RECT* captionPlacement)
    : SkinControl(skinContext, status),
      normalImage(nullptr),
      pressedImage(nullptr),
      pressState(kButtonNotPressed),
      originX(placement.left),
      originY(placement.top),
      bounds(placement),
      caption(),
      captionRect(),
      pressedOffset(0) {
  CopyText(caption, sizeof caption, captionText ? captionText : "");
  if (captionPlacement) {
    const int32_t left = placement.left + captionPlacement->left;
    const int32_t top = placement.top + captionPlacement->top;
    captionRect = RECT{left, top, left + captionPlacement->right, top + captionPlacement->bottom};
  }
  normalImage = LoadFace(context, normalId);
  pressedImage = LoadFace(context, pressedId);
  if (normalImage) {
    bounds.right = originX + normalImage->width;
    bounds.bottom = originY + normalImage->height;
  }
  if (normalId == pressedId) {
    // One picture for both looks: the pressed look is it shifted, so the bounds hold the shift.
    bounds.right += 1;
    bounds.bottom += 1;
    pressedOffset = 1;
  }
  notifyId = notify;
}

ImageButton::~ImageButton() {
  DeleteSkinBitmap(pressedImage);
  DeleteSkinBitmap(normalImage);
}

int ImageButton::onMouse(HWND window, UINT message, WPARAM, LPARAM lParam) {
  const bool inside = contains(lParam);
  switch (message) {
    case WM_MOUSEMOVE:
      if (!inside && pressState == kButtonPressed) {
        drawLook(false);
        pressState = kButtonNotPressed;
        releaseMouse(window);
      }
      showStatusText(inside ? 1 : 0);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (inside) {
        drawLook(true);
        pressState = kButtonPressed;
        // Held so that the pointer is followed off the window too, and the release is seen.
        SetCapture(window);
      }
      return 0;
    case WM_LBUTTONUP:
      // Leaving the button already cleared the press; a release off it presses nothing.
      if (pressState != kButtonPressed) {
        pressState = kButtonNotPressed;
        return 0;
      }
      drawLook(false);
      pressState = inside ? kButtonClicked : kButtonNotPressed;
      releaseMouse(window);
      if (inside) postNotify(window);
      return 1;
    default: return 0;
  }
}

void ImageButton::releaseMouse(HWND window) const {
  if (GetCapture() == window) ReleaseCapture();
}

void ImageButton::paint(HDC dc) {
  if (!visible) {
    tileBackground(dc, bounds);
    // A hidden button takes its caption with it.
    if (caption[0] != '\0') drawCaptionPatch(dc, false);
    return;
  }
  if (normalImage) normalImage->drawKeyed(dc, originX, originY, 0, 0);
  if (caption[0] != '\0') drawCaptionPatch(dc, true);
}

bool ImageButton::contains(LPARAM position) const {
  const int x = static_cast<int>(static_cast<uint32_t>(position) & 0xFFFF);
  const int y = static_cast<int>((static_cast<uint32_t>(position) >> 16) & 0xFFFF);
  return bounds.left < x && x < bounds.right && bounds.top < y && y < bounds.bottom;
}

void ImageButton::drawLook(bool pressed) {
  if (!normalImage || !pressedImage) return;
  // Background and face are put together in the back buffer and reach the window in one copy.
  tileBackground(context->bufferDc, bounds);
  if (pressed) {
    pressedImage->drawKeyed(context->bufferDc, originX, originY, pressedOffset, pressedOffset);
  } else {
    normalImage->drawKeyed(context->bufferDc, originX, originY, 0, 0);
  }
  SkinFrame::DrawScope target(context);
  context->frame->copyTo(target.get(), bounds);
  if (caption[0] != '\0') drawCaptionPatch(target.get(), true);
}

void ImageButton::drawCaptionPatch(HDC target, bool withText) {
  tileBackground(context->bufferDc, captionRect);
  if (withText) drawTextAt(context->bufferDc, captionRect.left, captionRect.top, caption);
  context->frame->copyTo(target, captionRect);
}

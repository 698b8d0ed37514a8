#include "skin/frame.h"

#include "platform/scoped_win32.h"
#include "skin/skin_control.h"
#include "skin/skin_window.h"
#include "skin/status_line.h"

HGDIOBJ PrepareSkinDc(HDC dc) {
  if (!dc) return nullptr;
  SetBkMode(dc, TRANSPARENT);
  return regularFont ? SelectObject(dc, regularFont) : nullptr;
}

BOOL blitRect(HDC destination, HDC source, const RECT& rect) {
  return BitBlt(destination, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                source, rect.left, rect.top, SRCCOPY);
}

SkinFrame::SkinFrame(SkinContext* context)
    : paintRecord(),
      bufferRect(),
      backBuffer(nullptr),
      context_(context),
      ready_(0),
      staleArea_(),
      paintDcFont_(nullptr),
      composing_(false),
      ownPaintDc_(false),
      composeArea_() {}

void SkinFrame::create(HWND window) {
  release();
  RECT outer = {};
  GetWindowRect(window, &outer);
  POINT corner = {outer.right, outer.bottom};
  ScreenToClient(window, &corner);
  bufferRect = RECT{0, 0, corner.x, corner.y};

  ScopedWindowDc windowDc(window);
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = bufferRect.right;
  header.biHeight = -bufferRect.bottom;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  backBuffer = CreateDIBitmap(windowDc.get(), &header, 0, nullptr, nullptr, DIB_RGB_COLORS);
  if (!backBuffer) return;  // no buffer: everything is drawn straight onto the window
  context_->bufferDc = CreateCompatibleDC(windowDc.get());
  if (!context_->bufferDc) return;
  SelectObject(context_->bufferDc, backBuffer);
  PrepareSkinDc(context_->bufferDc);
  // What is drawn into the frame is gathered here until it is put on the window.
  SetBoundsRect(context_->bufferDc, nullptr, DCB_ENABLE | DCB_RESET);
}

void SkinFrame::release() {
  // The buffer context goes first so that the bitmap is no longer selected when it is deleted.
  ready_ = 0;
  staleArea_ = RECT{0, 0, 0, 0};
  if (context_->bufferDc) DeleteDC(context_->bufferDc);
  context_->bufferDc = nullptr;
  if (backBuffer) DeleteObject(backBuffer);
  backBuffer = nullptr;
}

void SkinFrame::markStale(const RECT& area) { UnionRect(&staleArea_, &staleArea_, &area); }

void SkinFrame::invalidate(const RECT* area) {
  markStale(area ? *area : bufferRect);
  if (context_->window) InvalidateRect(context_->window, area, FALSE);
}

void SkinFrame::InvalidateWindow(HWND window, const RECT* area) {
  InvalidateRect(window, area, FALSE);
}

// In registration order, as the paint cycle draws them.
void SkinFrame::paintShownControls(HDC dc) const {
  for (int32_t i = 0; i < context_->controlCount && i < kMaxSkinControls; ++i) {
    SkinControl* control = context_->controls[i];
    if (control != nullptr && control->visible) control->paint(dc);
  }
}

void SkinFrame::compose(HDC dc, const RECT& area) const {
  if (context_->background) {
    context_->background->drawTiled(dc, area.left, area.top, area.right, area.bottom);
  }
  paintShownControls(dc);
}

void SkinFrame::recompose(const RECT& area, bool focusRectangle) {
  HDC frame = context_->bufferDc;
  if (frame == nullptr || IsRectEmpty(&area)) return;
  {
    ScopedClip clip(frame, area);
    compose(frame, area);
    if (focusRectangle) DrawFocusRect(frame, &area);
  }
  show(area);
}

void SkinFrame::present() {
  HDC frame = context_->bufferDc;
  RECT drawn = {0, 0, 0, 0};
  if (!frame || !context_->window) return;
  if ((GetBoundsRect(frame, &drawn, DCB_RESET) & DCB_SET) != DCB_SET || IsRectEmpty(&drawn)) return;
  // The drop-down paints itself; the frame only holds the background under it.
  HDC window = GetDCEx(context_->window, nullptr, DCX_CACHE | DCX_CLIPCHILDREN);
  if (!window) return;
  blitRect(window, frame, drawn);
  ReleaseDC(context_->window, window);
}

void SkinFrame::copyTo(HDC dc, const RECT& area) const {
  if (dc != nullptr) blitRect(dc, context_->bufferDc, area);
}

void SkinFrame::show(const RECT& area) {
  DrawScope target(context_);
  copyTo(target.get(), area);
}

HDC SkinFrame::beginPaint() {
  if (!context_->window) return nullptr;  // not attached: nothing of ours to paint
  BeginPaint(context_->window, &paintRecord);
  HDC frame = context_->bufferDc;
  if (!frame) {
    // No back buffer: the cycle draws onto the window, in a context of its own that reaches
    // past the paint rectangle, as the controls and texts need.
    context_->currentDc = GetDC(context_->window);
    ownPaintDc_ = context_->currentDc != nullptr;
    paintDcFont_ = PrepareSkinDc(context_->currentDc);
    composing_ = ownPaintDc_;
    composeArea_ = paintRecord.rcPaint;
    return context_->currentDc;
  }
  // The frame is composed whole once; after that only where the window's own drawing changed.
  composeArea_ = ready_ ? staleArea_ : bufferRect;
  staleArea_ = RECT{0, 0, 0, 0};
  composing_ = !IsRectEmpty(&composeArea_);
  if (composing_) {
    IntersectClipRect(frame, composeArea_.left, composeArea_.top, composeArea_.right,
                      composeArea_.bottom);
  }
  context_->currentDc = frame;
  return frame;
}

void SkinFrame::composeCycle() {
  HDC dc = context_->currentDc;
  if (!dc || !composing_) return;
  if (context_->background) {
    context_->background->drawTiled(dc, composeArea_.left, composeArea_.top, composeArea_.right,
                                    composeArea_.bottom);
  }
  // The first composition lays the background everywhere, but the window is only owed the
  // paint rectangle and what is drawn over the background.
  if (!ready_ && dc == context_->bufferDc) {
    RECT ignored;
    GetBoundsRect(dc, &ignored, DCB_RESET);
  }
  paintShownControls(dc);
  // A hover text that a control still shows is drawn again with everything else.
  DrawStatusLine(context_, dc);
}

void SkinFrame::endPaint() {
  HDC frame = context_->bufferDc;
  if (ownPaintDc_) {
    if (paintDcFont_) SelectObject(context_->currentDc, paintDcFont_);
    ReleaseDC(context_->window, context_->currentDc);
  } else if (frame && context_->currentDc == frame) {
    if (composing_) SelectClipRgn(frame, nullptr);
    ready_ = 1;
    // BeginPaint's context holds the update region, children included: they paint next.
    if (paintRecord.hdc) blitRect(paintRecord.hdc, frame, paintRecord.rcPaint);
    present();
  }
  context_->currentDc = nullptr;
  paintDcFont_ = nullptr;
  ownPaintDc_ = false;
  composing_ = false;
  if (context_->window) EndPaint(context_->window, &paintRecord);
}

SkinFrame::DrawScope::DrawScope(const SkinContext* context)
    : context_(context),
      owned_(false),
      presents_(false),
      dc_(context->currentDc),
      previousFont_(nullptr) {
  // Before the skin is attached there is no window: GetDC would hand out the whole screen.
  if (dc_ || !context->window) return;
  if (context->frame != nullptr && context->frame->ready() && context->bufferDc) {
    dc_ = context->bufferDc;
    presents_ = true;
    return;
  }
  dc_ = GetDC(context->window);
  owned_ = dc_ != nullptr;
  previousFont_ = PrepareSkinDc(dc_);
}

SkinFrame::DrawScope::~DrawScope() {
  if (presents_) context_->frame->present();
  if (!owned_) return;
  if (previousFont_) SelectObject(dc_, previousFont_);
  ReleaseDC(context_->window, dc_);
}

SkinFrame::DispatchScope::DispatchScope(SkinContext* context, HWND window)
    : context_(context),
      window_(window),
      previous_(context != nullptr ? context->currentDc : nullptr),
      windowDc_(nullptr),
      previousFont_(nullptr),
      presents_(false) {
  if (context == nullptr) return;
  if (window == context->window && context->frame != nullptr && context->frame->ready() &&
      context->bufferDc) {
    // The controls draw into the frame; what they drew reaches the window in one copy.
    context->currentDc = context->bufferDc;
    presents_ = true;
    return;
  }
  windowDc_ = GetDC(window);
  if (windowDc_ != nullptr) {
    previousFont_ = regularFont ? SelectObject(windowDc_, regularFont) : nullptr;
    SetBkMode(windowDc_, TRANSPARENT);
  }
  context->currentDc = windowDc_;
}

SkinFrame::DispatchScope::~DispatchScope() {
  if (context_ == nullptr) return;
  context_->currentDc = previous_;
  if (presents_) context_->frame->present();
  if (windowDc_ == nullptr) return;
  if (previousFont_) SelectObject(windowDc_, previousFont_);
  ReleaseDC(window_, windowDc_);
}

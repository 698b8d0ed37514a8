#include "skin/skin_window.h"

#include "platform/scoped_win32.h"
#include "skin/skin_control.h"
#include "text/text_buffer.h"

HFONT regularFont = nullptr;
HFONT underlinedFont = nullptr;
HCURSOR linkCursor = nullptr;

namespace {

constexpr char kSkinFace[] = "MS Sans Serif";
constexpr int kSkinFontHeightPx = 13;
constexpr uint32_t kCursorIdMask = 0xFFFF;

// Makes the context's current drawing context dc for one dispatch and puts the previous one
// back afterwards.
class CurrentDcScope {
 public:
  CurrentDcScope(SkinContext* context, HDC dc) : context_(context), previous_(context->currentDc) {
    context_->currentDc = dc;
  }
  ~CurrentDcScope() { context_->currentDc = previous_; }
  CurrentDcScope(const CurrentDcScope&) = delete;
  CurrentDcScope& operator=(const CurrentDcScope&) = delete;

 private:
  SkinContext* context_;
  HDC previous_;
};

}  // namespace

HGDIOBJ PrepareSkinDc(HDC dc) {
  if (!dc) return nullptr;
  SetBkMode(dc, TRANSPARENT);
  return regularFont ? SelectObject(dc, regularFont) : nullptr;
}

SkinWindow::SkinWindow(SkinContext* skinContext, HINSTANCE instance)
    : context(skinContext),
      paintRecord(),
      bufferRect(),
      backBuffer(nullptr),
      paintDcFont_(nullptr),
      composing_(false),
      ownPaintDc_(false),
      composeArea_(),
      ownContext_() {
  *context = SkinContext{};
  context->instance = instance;
}

SkinWindow::SkinWindow(HINSTANCE instance) : SkinWindow(&ownContext_, instance) {}

SkinWindow::BuildScope::BuildScope(SkinWindow* skin, HWND window)
    : skin_(skin), window_(window), dc_(skin != nullptr ? GetDC(window) : nullptr) {
  if (skin_ != nullptr) skin_->context->currentDc = dc_;
}

SkinWindow::BuildScope::~BuildScope() {
  if (skin_ == nullptr) return;
  skin_->context->currentDc = nullptr;
  if (dc_ != nullptr) ReleaseDC(window_, dc_);
}

void SkinWindow::attach(HWND window, uint32_t backgroundSpec, uint32_t cursorId,
                        const RECT* statusArea) {
  context->window = window;
  if (!regularFont) regularFont = createFont(kSkinFace, kSkinFontHeightPx, FALSE);
  if (!underlinedFont) underlinedFont = createFont(kSkinFace, kSkinFontHeightPx, TRUE);
  if (!linkCursor) {
    linkCursor = LoadCursorA(context->instance, MAKEINTRESOURCEA(cursorId & kCursorIdMask));
  }
  context->statusArea = statusArea ? *statusArea : RECT{0, 0, 0, 0};
  createBackBuffer(window);

  // Attaching again replaces the earlier background instead of leaking it.
  releaseBackground();
  if (context->currentDc) {
    context->background = new SkinBitmap(context->instance, context->currentDc, backgroundSpec);
  } else {
    ScopedWindowDc windowDc(window);
    context->background = new SkinBitmap(context->instance, windowDc.get(), backgroundSpec);
  }
}

HFONT SkinWindow::createFont(const char* face, int height, BOOL underline) {
  LOGFONTA font = {};
  font.lfHeight = height < 0 ? -height : height;  // a cell height, as the skin was drawn for
  font.lfUnderline = underline ? TRUE : FALSE;
  CopyText(font.lfFaceName, sizeof font.lfFaceName, face ? face : "");
  return CreateFontIndirectA(&font);
}

void SkinWindow::createBackBuffer(HWND window) {
  deleteBackBuffer();
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
  context->bufferDc = CreateCompatibleDC(windowDc.get());
  if (!context->bufferDc) return;
  SelectObject(context->bufferDc, backBuffer);
  PrepareSkinDc(context->bufferDc);
  // What is drawn into the frame is gathered here until it is put on the window.
  SetBoundsRect(context->bufferDc, nullptr, DCB_ENABLE | DCB_RESET);
}

HDC SkinWindow::beginPaint() {
  if (!context->window) return nullptr;  // not attached: nothing of ours to paint
  BeginPaint(context->window, &paintRecord);
  HDC frame = context->bufferDc;
  if (!frame) {
    // No back buffer: the cycle draws onto the window, in a context of its own that reaches
    // past the paint rectangle, as the controls and texts need.
    context->currentDc = GetDC(context->window);
    ownPaintDc_ = context->currentDc != nullptr;
    paintDcFont_ = PrepareSkinDc(context->currentDc);
    composing_ = ownPaintDc_;
    composeArea_ = paintRecord.rcPaint;
    return context->currentDc;
  }
  // The frame is composed whole once; after that only where the window's own drawing changed.
  composeArea_ = context->frameReady ? context->staleArea : bufferRect;
  context->staleArea = RECT{0, 0, 0, 0};
  composing_ = !IsRectEmpty(&composeArea_);
  if (composing_) {
    IntersectClipRect(frame, composeArea_.left, composeArea_.top, composeArea_.right,
                      composeArea_.bottom);
  }
  context->currentDc = frame;
  return frame;
}

void SkinWindow::paintAll() {
  HDC dc = context->currentDc;
  if (!dc || !composing_) return;
  if (context->background) {
    context->background->drawTiled(dc, composeArea_.left, composeArea_.top, composeArea_.right,
                                   composeArea_.bottom);
  }
  // The first composition lays the background everywhere, but the window is only owed the
  // paint rectangle and what is drawn over the background.
  if (!context->frameReady && dc == context->bufferDc) {
    RECT ignored;
    GetBoundsRect(dc, &ignored, DCB_RESET);
  }
  paintShownControls(dc);
  // A hover text that a control still shows is drawn again with everything else.
  DrawStatusLine(context, dc);
}

void SkinWindow::drawText(int x, int y, const char* text) {
  if (context->currentDc && composing_ && text) drawTextAt(context->currentDc, x, y, text);
}

void SkinWindow::endPaint() {
  HDC frame = context->bufferDc;
  if (ownPaintDc_) {
    if (paintDcFont_) SelectObject(context->currentDc, paintDcFont_);
    ReleaseDC(context->window, context->currentDc);
  } else if (frame && context->currentDc == frame) {
    if (composing_) SelectClipRgn(frame, nullptr);
    context->frameReady = 1;
    // BeginPaint's context holds the update region, children included: they paint next.
    if (paintRecord.hdc) blitRect(paintRecord.hdc, frame, paintRecord.rcPaint);
    PresentFrame(context);
  }
  context->currentDc = nullptr;
  paintDcFont_ = nullptr;
  ownPaintDc_ = false;
  composing_ = false;
  if (context->window) EndPaint(context->window, &paintRecord);
}

void SkinWindow::invalidate(const RECT* area) {
  MarkStale(context, area ? *area : bufferRect);
  if (context->window) InvalidateRect(context->window, area, FALSE);
}

int SkinWindow::preFilter(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const UINT routed = message & 0xFFFF;
  if (routed < WM_MOUSEMOVE || routed > WM_MBUTTONDBLCLK || context->controlCount <= 0) return 0;

  if (window == context->window && context->frameReady && context->bufferDc) {
    // The controls draw into the frame; what they drew reaches the window in one copy.
    int consumed;
    {
      CurrentDcScope current(context, context->bufferDc);
      consumed = route(window, message, wParam, lParam);
    }
    PresentFrame(context);
    return consumed;
  }
  ScopedWindowDc windowDc(window);
  ScopedSelection font(windowDc.get(), regularFont);
  if (windowDc.get()) SetBkMode(windowDc.get(), TRANSPARENT);
  CurrentDcScope current(context, windowDc.get());
  return route(window, message, wParam, lParam);
}

int SkinWindow::route(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  for (int32_t i = 0; i < context->controlCount; ++i) {
    SkinControl* control = context->controls[i];
    if (control && control->enabled && control->onMouse(window, message, wParam, lParam)) {
      return 1;
    }
  }
  return 0;
}

void SkinWindow::teardown() {
  releaseBackground();
  deleteBackBuffer();
  for (int32_t i = 0; i < context->controlCount; ++i) {
    SkinControl* control = context->controls[i];
    context->controls[i] = nullptr;
    delete control;
  }
  context->controlCount = 0;
}

void SkinWindow::deleteBackBuffer() {
  // The buffer context goes first so that the bitmap is no longer selected when it is deleted.
  context->frameReady = 0;
  context->staleArea = RECT{0, 0, 0, 0};
  if (context->bufferDc) DeleteDC(context->bufferDc);
  context->bufferDc = nullptr;
  if (backBuffer) DeleteObject(backBuffer);
  backBuffer = nullptr;
}

void SkinWindow::releaseBackground() { DeleteSkinBitmap(context->background); }

// In registration order, as the paint cycle draws them.
void SkinWindow::paintShownControls(HDC dc) {
  for (int32_t i = 0; i < context->controlCount && i < kMaxSkinControls; ++i) {
    SkinControl* control = context->controls[i];
    if (control != nullptr && control->visible) control->paint(dc);
  }
}

void SkinWindow::recompose(const RECT& area, bool focusRectangle) {
  HDC frame = context->bufferDc;
  if (frame == nullptr || IsRectEmpty(&area)) return;
  {
    ScopedClip clip(frame, area);
    if (context->background) {
      context->background->drawTiled(frame, area.left, area.top, area.right, area.bottom);
    }
    paintShownControls(frame);
    if (focusRectangle) DrawFocusRect(frame, &area);
  }
  ControlDc target(context);
  if (target.get() != nullptr) blitRect(target.get(), frame, area);
}

void SkinWindow::replaceTextFont(const char* face, int height) {
  HFONT font = createFont(face, height, FALSE);
  if (font == nullptr) return;
  if (context->bufferDc != nullptr) SelectObject(context->bufferDc, font);
  if (regularFont != nullptr) DeleteObject(regularFont);
  regularFont = font;
}

void SkinWindow::setRestingStatus(const char* text) { SetRestingStatus(context, text); }

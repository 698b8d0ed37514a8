#include "skin/skin_window.h"

#include "skin/scoped_gdi.h"
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
      paintDcFont_(nullptr) {
  *context = SkinContext{};
  context->instance = instance;
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
  context->bufferDc = CreateCompatibleDC(windowDc.get());
  if (!context->bufferDc) return;
  if (backBuffer) SelectObject(context->bufferDc, backBuffer);
  PrepareSkinDc(context->bufferDc);
}

HDC SkinWindow::beginPaint() {
  if (!context->window) return nullptr;  // not attached: nothing of ours to paint
  BeginPaint(context->window, &paintRecord);
  // Everything of the cycle goes to a window context of its own, not to BeginPaint's.
  context->currentDc = GetDC(context->window);
  paintDcFont_ = PrepareSkinDc(context->currentDc);
  return context->currentDc;
}

void SkinWindow::paintAll() {
  HDC dc = context->currentDc;
  if (!dc) return;
  if (context->background) {
    const RECT& area = paintRecord.rcPaint;
    context->background->drawTiled(dc, area.left, area.top, area.right, area.bottom);
  }
  for (int32_t i = 0; i < context->controlCount; ++i) {
    SkinControl* control = context->controls[i];
    if (control && control->visible) control->paint(dc);
  }
}

void SkinWindow::drawText(int x, int y, const char* text) {
  if (context->currentDc && text) drawTextAt(context->currentDc, x, y, text);
}

void SkinWindow::endPaint() {
  if (context->currentDc) {
    if (paintDcFont_) SelectObject(context->currentDc, paintDcFont_);
    ReleaseDC(context->window, context->currentDc);
    context->currentDc = nullptr;
  }
  paintDcFont_ = nullptr;
  if (context->window) EndPaint(context->window, &paintRecord);
}

int SkinWindow::preFilter(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const UINT routed = message & 0xFFFF;
  if (routed < WM_MOUSEMOVE || routed > WM_MBUTTONDBLCLK || context->controlCount <= 0) return 0;

  ScopedWindowDc windowDc(window);
  ScopedSelection font(windowDc.get(), regularFont);
  if (windowDc.get()) SetBkMode(windowDc.get(), TRANSPARENT);
  CurrentDcScope current(context, windowDc.get());
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
  if (context->bufferDc) DeleteDC(context->bufferDc);
  context->bufferDc = nullptr;
  if (backBuffer) DeleteObject(backBuffer);
  backBuffer = nullptr;
}

void SkinWindow::releaseBackground() {
  if (!context->background) return;
  context->background->release();
  delete context->background;
  context->background = nullptr;
}

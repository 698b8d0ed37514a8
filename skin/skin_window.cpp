#include "skin/skin_window.h"

#include "skin/skin_control.h"
#include "skin/status_line.h"
#include "text/text_buffer.h"

HFONT regularFont = nullptr;
HFONT underlinedFont = nullptr;
HCURSOR linkCursor = nullptr;

namespace {

constexpr char kSkinFace[] = "MS Sans Serif";
constexpr int kSkinFontHeightPx = 13;
constexpr uint32_t kCursorIdMask = 0xFFFF;

}  // namespace

SkinWindow::SkinWindow(SkinContext* skinContext, HINSTANCE instance)
    : context(skinContext), frame(skinContext), ownContext_() {
  *context = SkinContext{};
  context->instance = instance;
  context->frame = &frame;
}

SkinWindow::SkinWindow(HINSTANCE instance) : SkinWindow(&ownContext_, instance) {}

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
  // The picture is made compatible with the context the dialog lends, else with the window's.
  SkinFrame::DispatchScope lent(context->currentDc ? nullptr : context, window);
  context->background = new SkinBitmap(context->instance, context->currentDc, backgroundSpec);
}

HFONT SkinWindow::createFont(const char* face, int height, BOOL underline) {
  LOGFONTA font = {};
  font.lfHeight = height < 0 ? -height : height;  // a cell height, as the skin was drawn for
  font.lfUnderline = underline ? TRUE : FALSE;
  CopyText(font.lfFaceName, sizeof font.lfFaceName, face ? face : "");
  return CreateFontIndirectA(&font);
}

void SkinWindow::drawText(int x, int y, const char* text) {
  if (context->currentDc && frame.composing() && text) {
    drawTextAt(context->currentDc, x, y, text);
  }
}

int SkinWindow::preFilter(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const UINT routed = message & 0xFFFF;
  if (routed < WM_MOUSEMOVE || routed > WM_MBUTTONDBLCLK || context->controlCount <= 0) return 0;
  SkinFrame::DispatchScope drawing(context, window);
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
  frame.release();
  for (int32_t i = 0; i < context->controlCount; ++i) {
    SkinControl* control = context->controls[i];
    context->controls[i] = nullptr;
    delete control;
  }
  context->controlCount = 0;
}

void SkinWindow::releaseBackground() { DeleteSkinBitmap(context->background); }

void SkinWindow::replaceTextFont(const char* face, int height) {
  HFONT font = createFont(face, height, FALSE);
  if (font == nullptr) return;
  if (context->bufferDc != nullptr) SelectObject(context->bufferDc, font);
  if (regularFont != nullptr) DeleteObject(regularFont);
  regularFont = font;
}

void SkinWindow::setRestingStatus(const char* text) { SetRestingStatus(context, text); }

#include "skin/status_line.h"

#include "skin/frame.h"
#include "skin/skin_control.h"
#include "skin/skin_window.h"

namespace {

const char* StatusLineText(const SkinContext* context) {
  for (int32_t i = 0; i < context->controlCount && i < kMaxSkinControls; ++i) {
    const SkinControl* control = context->controls[i];
    if (control != nullptr && control->statusShown && control->visible) return control->statusText;
  }
  return context->restingStatus;
}

}  // namespace

void SetRestingStatus(SkinContext* context, const char* text) {
  context->restingStatus = text;
  if (StatusLineText(context) == text) RedrawStatusLine(context);
}

void DrawStatusLine(const SkinContext* context, HDC dc) {
  const char* text = StatusLineText(context);
  if (text != nullptr && dc != nullptr) {
    drawTextAt(dc, context->statusArea.left, context->statusArea.top, text);
  }
}

void RedrawStatusLine(SkinContext* context) {
  const RECT& area = context->statusArea;
  if (IsRectEmpty(&area) || context->frame == nullptr) return;
  if (context->background) {
    context->background->drawTiled(context->bufferDc, area.left, area.top, area.right, area.bottom);
  }
  DrawStatusLine(context, context->bufferDc);
  context->frame->show(area);
}

#include "skin/skin_control.h"

#include "skin/frame.h"
#include "skin/skin_window.h"
#include "skin/status_line.h"

SkinControl::SkinControl(SkinContext* skinContext, const char* text)
    : statusText(),
      enabled(1),
      visible(1),
      cleared(0),
      statusShown(0),
      notifyId(0),
      context(skinContext) {
  // A full registry refuses the control: nothing is overrun, and its owner still deletes it.
  if (context->controlCount >= 0 && context->controlCount < kMaxSkinControls) {
    context->controls[context->controlCount++] = this;
  }
  CopyText(statusText, sizeof statusText, text ? text : "");
}

SkinControl::~SkinControl() {
  for (int32_t i = 0; i < context->controlCount && i < kMaxSkinControls; ++i) {
    if (context->controls[i] == this) context->controls[i] = nullptr;
  }
}

int SkinControl::reservedQuery1() const { return 0; }
int SkinControl::getValue() const { return 0; }
int SkinControl::reservedQuery2() const { return 0; }
int SkinControl::reservedQuery3() const { return 0; }
void SkinControl::setValue(int) {}

void SkinControl::setShown(int shown) {
  if (shown) {
    cleared = 0;
    visible = 1;
    enabled = 1;
  } else {
    visible = 0;
    enabled = 0;
  }
  redraw();
}

void SkinControl::redraw() {
  if (cleared) return;
  SkinFrame::DrawScope dc(context);
  if (!dc.get()) return;  // no window to draw into yet
  paint(dc.get());
  if (!visible) cleared = 1;
}

void SkinControl::showStatusText(int show) {
  show = show ? 1 : 0;
  if (show == statusShown || statusText[0] == '\0') return;
  statusShown = show;
  RedrawStatusLine(context);
}

void SkinControl::postNotify(HWND window) const {
  if (notifyId != 0) PostMessageA(window, WM_SKIN_NOTIFY, static_cast<WPARAM>(notifyId), 0);
}

void SkinControl::tileBackground(HDC dc, const RECT& area) const {
  if (context->background) {
    context->background->drawTiled(dc, area.left, area.top, area.right, area.bottom);
  }
}

int hitTest(int left, int top, int right, int bottom, LPARAM packed) {
  const int x = static_cast<int>(static_cast<uint32_t>(packed) & 0xFFFF);
  const int y = static_cast<int>((static_cast<uint32_t>(packed) >> 16) & 0xFFFF);
  return left <= x && x <= right && top <= y && y <= bottom ? 1 : 0;
}

void drawTextAt(HDC dc, int x, int y, const char* text) {
  if (text) TextOutA(dc, x, y, text, lstrlenA(text));
}

#include "controls/link_label.h"

#include "platform/scoped_win32.h"
#include "skin/skin_window.h"

namespace {
constexpr COLORREF kPlainTextColour = RGB(0, 0, 0);
}  // namespace

LinkLabel::LinkLabel(SkinContext* skinContext, const RECT& placement, const char* linkText,
                     int notify, const char* status)
    : SkinControl(skinContext, status),
      visited(0),
      bounds{placement.left, placement.top, placement.left, placement.top},
      text() {
  CopyText(text, sizeof text, linkText ? linkText : "");
  notifyId = notify;
}

LinkLabel::~LinkLabel() = default;

int LinkLabel::onMouse(HWND window, UINT message, WPARAM, LPARAM lParam) {
  const bool inside = hitTest(bounds.left, bounds.top, bounds.right, bounds.bottom, lParam) != 0;
  if (message == WM_MOUSEMOVE) {
    showStatusText(inside ? 1 : 0);
    if (!inside) return 0;
    if (linkCursor) SetCursor(linkCursor);
    return 1;
  }
  // The press is the click; the purple shows from the next paint on.
  if (message == WM_LBUTTONDOWN && inside) {
    markVisited();
    postNotify(window);
    return 1;
  }
  return 0;
}

void LinkLabel::markVisited() {
  visited = 1;
  context->frame->markStale(bounds);
}

void LinkLabel::paint(HDC dc) {
  if (!visible) {
    // Hidden like the other controls: the text area goes back to background.
    tileBackground(dc, bounds);
    return;
  }
  ScopedSelection font(dc, underlinedFont);
  SetTextColor(dc, visited ? kVisitedLinkColour : kLinkColour);
  drawTextAt(dc, bounds.left, bounds.top, text);
  SetTextColor(dc, kPlainTextColour);
  SIZE extent = {};
  if (GetTextExtentPoint32A(dc, text, lstrlenA(text), &extent)) {
    bounds.right = bounds.left + extent.cx;
    bounds.bottom = bounds.top + extent.cy;
  }
}

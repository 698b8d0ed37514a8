#pragma once

#include <windows.h>

#include <stdint.h>

#include "skin/skin_control.h"
#include "text/text_buffer.h"

constexpr COLORREF kLinkColour = RGB(0, 0, 255);
constexpr COLORREF kVisitedLinkColour = RGB(128, 0, 128);

// One line of underlined text, blue until pressed and purple from the next paint on, that
// shows linkCursor and its status text while hovered and posts its notification identifier
// when pressed.
class LinkLabel : public SkinControl {
 public:
  // Only placement's left and top are used; the reacting area is measured at each paint.
  // A text longer than kCaptionChars - 1 characters is cut.
  LinkLabel(SkinContext* context, const RECT& placement, const char* text, int notifyId,
            const char* statusText);
  ~LinkLabel() override;

  int onMouse(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  void paint(HDC dc) override;
  // The link was followed: purple from the next paint on.
  void markVisited();

  bool followed() const { return visited != 0; }
  const char* shownText() const { return text; }
  RECT area() const { return bounds; }

  int32_t visited;
  RECT bounds;  // edges included; a single point until the first paint
  char text[kCaptionChars];
};

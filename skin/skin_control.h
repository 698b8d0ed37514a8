#pragma once

#include <windows.h>

#include <stdint.h>

#include "text/text_buffer.h"

struct SkinContext;

// Posted by a control to the window that handed it a mouse message: wParam = the control's
// notification identifier, lParam = 0.
constexpr UINT WM_SKIN_NOTIFY = WM_USER + 0x100;
static_assert(WM_SKIN_NOTIFY == 0x500, "the dialog's notification message");

// Base of the skinned controls. A control registers itself with the context on construction and
// is deleted by the window's teardown. The virtual operations keep this slot order.
class SkinControl {
 public:
  // A status text longer than kStatusChars - 1 characters is cut.
  SkinControl(SkinContext* context, const char* statusText);
  SkinControl(const SkinControl&) = delete;
  SkinControl& operator=(const SkinControl&) = delete;

  // Handles one routed mouse message; returns 1 when it consumed it, which ends routing.
  virtual int onMouse(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
  // Paints the whole control in its current state; a hidden control covers its area with the
  // window background.
  virtual void paint(HDC dc) = 0;
  // Slots kept for the shared layout; no control answers them differently.
  virtual int reservedQuery1() const;
  virtual int getValue() const;
  virtual int reservedQuery2() const;
  virtual int reservedQuery3() const;
  virtual void setValue(int value);
  // Leaves the registry if still in it.
  virtual ~SkinControl();

  // Non-zero shows, enables and uncovers the control; zero hides and disables it. Then redraws.
  void setShown(int shown);
  // Repaints this control now. A hidden control paints itself away once and is then left alone
  // until it is shown again.
  void redraw();
  // Shows (non-zero) or hides (zero) the status text in the window's status area.
  void showStatusText(int show);

  // Painted by the paint cycle (and, unless its mouse input is off, taking the mouse).
  bool shown() const { return visible != 0; }
  // Off: a shown control is a picture that takes no mouse messages.
  void setMouseInput(bool on) { enabled = on ? 1 : 0; }
  const char* hoverText() const { return statusText; }
  // What a completed click does: posts the notification identifier to window.
  void notify(HWND window) const { postNotify(window); }

  char statusText[kStatusChars];
  int32_t enabled;      // takes mouse messages
  int32_t visible;      // painted by the paint cycle
  int32_t cleared;      // hidden and already painted away
  int32_t statusShown;  // its status text is on screen
  int32_t notifyId;     // wParam of WM_SKIN_NOTIFY; 0 posts nothing
  SkinContext* context;

 protected:
  // Posts WM_SKIN_NOTIFY with notifyId to window, unless notifyId is 0.
  void postNotify(HWND window) const;
  // Covers area of dc with the window background, if there is one.
  void tileBackground(HDC dc, const RECT& area) const;
};

// 1 when the position packed in lParam fashion (x low, y high, both unsigned 16-bit) lies in the
// rectangle, edges included; else 0.
int hitTest(int left, int top, int right, int bottom, LPARAM packed);
void drawTextAt(HDC dc, int x, int y, const char* text);

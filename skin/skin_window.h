#pragma once

#include <windows.h>

#include <stdint.h>

#include "skin/frame.h"
#include "skin/skin_bitmap.h"

class SkinControl;

constexpr int32_t kMaxSkinControls = 100;

// The skinned window's drawing state, shared by the window and all its controls.
struct SkinContext {
  int32_t controlCount;  // registered controls, 0 to kMaxSkinControls
  HINSTANCE instance;    // where bitmaps and the cursor are loaded from
  HWND window;
  // What controls draw into right now: set during a paint cycle, one mouse dispatch, or while
  // the dialog holds one; null otherwise.
  HDC currentDc;
  HDC bufferDc;  // the frame's back buffer
  SkinBitmap* background;
  SkinControl* controls[kMaxSkinControls];  // in registration order; a deleted control is null
  RECT statusArea;                          // all zero when there is none
  // What the status area shows while no control's status text is shown; null: nothing.
  const char* restingStatus;
  SkinFrame* frame;  // the window's picture, through which every drawing reaches the window
};

// Created by the first attach and kept for the life of the process. replaceTextFont swaps
// regularFont for another.
extern HFONT regularFont;
extern HFONT underlinedFont;
extern HCURSOR linkCursor;

// The window side of the skin: fonts, background, the frame, the paint cycle, the mouse
// pre-filter and teardown.
class SkinWindow {
 public:
  SkinWindow(SkinContext* context, HINSTANCE instance);
  // A window with a drawing state of its own.
  explicit SkinWindow(HINSTANCE instance);
  SkinWindow(const SkinWindow&) = delete;
  SkinWindow& operator=(const SkinWindow&) = delete;

  // Binds the skin to window: shared fonts and cursor (created once), status area (none when
  // null), back buffer and the tiled background.
  void attach(HWND window, uint32_t backgroundSpec, uint32_t cursorId, const RECT* statusArea);
  HFONT createFont(const char* face, int height, BOOL underline);
  // Sizes the back buffer from the client origin to the window's outer bottom-right corner.
  void createBackBuffer(HWND window) { frame.create(window); }

  // The frame's paint cycle for WM_PAINT, called in this order: beginPaint, paintAll, any
  // number of drawText, endPaint. paintAll and drawText draw only while composing() is true.
  HDC beginPaint() { return frame.beginPaint(); }
  void paintAll() { frame.composeCycle(); }
  void drawText(int x, int y, const char* text);
  void endPaint() { frame.endPaint(); }
  bool composing() const { return frame.composing(); }

  // What the window's own drawing (paintAll, drawText) shows in area has changed: the next
  // paint composes it again, and area is invalidated for it. Null means the whole window.
  void invalidate(const RECT* area) { frame.invalidate(area); }

  // Offers a mouse message to the enabled controls in registration order until one consumes
  // it. Returns 1 when one did, else 0; other messages are not looked at.
  int preFilter(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  // Releases the background and back buffer and deletes every registered control.
  void teardown();

  // Makes a control of this window, which owns it from then on: teardown deletes it.
  template <typename Control, typename... Args>
  Control* makeOwnedControl(Args... args) {
    return new Control(context, args...);
  }

  // Composes area of the frame afresh, with a focus rectangle along its edge when asked, and
  // shows it (SkinFrame::recompose).
  void recompose(const RECT& area, bool focusRectangle) { frame.recompose(area, focusRectangle); }
  // From now on the normal text is drawn in face at height. The new font goes into the frame
  // before the old one is deleted, so no context is left holding a deleted font.
  void replaceTextFont(const char* face, int height);
  // What the status area shows while no control's status text is (null: nothing).
  void setRestingStatus(const char* text);

  // While the window is built (attach, then its controls), the controls draw and load their
  // pictures through a context of the window that this object lends and takes back.
  class BuildScope {
   public:
    BuildScope(SkinWindow* skin, HWND window)
        : lent_(skin != nullptr ? skin->context : nullptr, window) {}

   private:
    SkinFrame::DispatchScope lent_;
  };

  SkinContext* context;
  // The back buffer and the paint record; the context's frame points here.
  SkinFrame frame;

 private:
  // Offers the message to the enabled controls in registration order; 1 when one consumed it.
  int route(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void releaseBackground();

  SkinContext ownContext_;
};

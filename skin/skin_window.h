#pragma once

#include <windows.h>

#include <stdint.h>

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
  // The back buffer. Once the first paint has composed it, it is the frame: the window's
  // picture as it stands, kept in step with every drawing and put on the window from there.
  HDC bufferDc;
  SkinBitmap* background;
  SkinControl* controls[kMaxSkinControls];  // in registration order; a deleted control is null
  RECT statusArea;                          // all zero when there is none
  // What the status area shows while no control's status text is shown; null: nothing.
  const char* restingStatus;
  int32_t frameReady;  // the back buffer holds the whole window as the user sees it
  RECT staleArea;      // parts of the frame the next paint composes again; empty when none
};

// Created by the first attach and kept for the life of the process. replaceTextFont swaps
// regularFont for another.
extern HFONT regularFont;
extern HFONT underlinedFont;
extern HCURSOR linkCursor;

// Selects regularFont and transparent text into a context the skin hands to its controls.
// Returns the font it replaced, or null when it selected none.
HGDIOBJ PrepareSkinDc(HDC dc);

// The window side of the skin: fonts, back buffer, background, the paint cycle, the mouse
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
  void createBackBuffer(HWND window);

  // The paint cycle for WM_PAINT, called in this order: beginPaint, paintAll, any number of
  // drawText, endPaint. The first cycle composes the whole frame; later ones compose only its
  // stale parts and otherwise just copy the frame to the window, so paintAll and drawText draw
  // only while composing() is true.
  HDC beginPaint();
  void paintAll();
  void drawText(int x, int y, const char* text);
  void endPaint();
  bool composing() const { return composing_; }

  // What the window's own drawing (paintAll, drawText) shows in area has changed: the next
  // paint composes it again, and area is invalidated for it. Null means the whole window.
  void invalidate(const RECT* area);

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

  // Draws area of the frame again as the paint cycle does (background, then every shown
  // control), adds a focus rectangle along its edge when asked and copies the area to the
  // window in one piece. Drawing the rectangle over fresh pixels every time keeps its
  // inverting pen from ever cancelling an earlier one. Nothing is drawn outside area.
  void recompose(const RECT& area, bool focusRectangle);
  // From now on the normal text is drawn in face at height. The new font goes into the frame
  // before the old one is deleted, so no context is left holding a deleted font.
  void replaceTextFont(const char* face, int height);
  // What the status area shows while no control's status text is (null: nothing).
  void setRestingStatus(const char* text);

  // While the window is built (attach, then its controls), the controls draw and load their
  // pictures through a context of the window that this object lends and takes back.
  class BuildScope {
   public:
    BuildScope(SkinWindow* skin, HWND window);
    ~BuildScope();
    BuildScope(const BuildScope&) = delete;
    BuildScope& operator=(const BuildScope&) = delete;

   private:
    SkinWindow* skin_;
    HWND window_;
    HDC dc_;
  };

  SkinContext* context;
  PAINTSTRUCT paintRecord;
  RECT bufferRect;
  HBITMAP backBuffer;

 private:
  // Offers the message to the enabled controls in registration order; 1 when one consumed it.
  int route(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void paintShownControls(HDC dc);
  void deleteBackBuffer();
  void releaseBackground();

  HGDIOBJ paintDcFont_;  // the font regularFont replaced in the paint cycle's context
  bool composing_;       // this cycle draws into the frame
  bool ownPaintDc_;      // the cycle took a window context of its own (no back buffer)
  RECT composeArea_;     // where this cycle composes: background and clip
  SkinContext ownContext_;
};

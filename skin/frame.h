#pragma once

#include <windows.h>

#include <stdint.h>

struct SkinContext;

// Selects regularFont and transparent text into a context the skin hands to its controls.
// Returns the font it replaced, or null when it selected none.
HGDIOBJ PrepareSkinDc(HDC dc);
// Copies rect from source to the same place in destination.
BOOL blitRect(HDC destination, HDC source, const RECT& rect);

// The window's picture: the back buffer that holds it and the one road by which pixels reach
// the window. Once the first paint has composed the buffer whole, it is the frame: every later
// drawing goes into it, and what changed is copied to the window from there. Nothing else in
// the skin, the controls or the dialog takes a context of the window, invalidates it or copies
// to it.
class SkinFrame {
 public:
  explicit SkinFrame(SkinContext* context);
  SkinFrame(const SkinFrame&) = delete;
  SkinFrame& operator=(const SkinFrame&) = delete;

  // Makes the back buffer, from the client origin to the window's outer bottom-right corner, and
  // its context (the context's buffer context), prepared as the skin prepares every context.
  void create(HWND window);
  // Deletes the buffer context, then the bitmap; the frame must be composed whole again.
  void release();
  // The back buffer holds the whole window as the user sees it.
  bool ready() const { return ready_ != 0; }

  // The next paint composes area again, as the paint cycle draws it.
  void markStale(const RECT& area);
  // As markStale, and asks the window for that paint. Null means the whole window.
  void invalidate(const RECT* area);
  // A window without a frame (the unskinned dialog) asked for a paint of area (null: all).
  static void InvalidateWindow(HWND window, const RECT* area);

  // Paints area of dc as the paint cycle does: background, then every shown control.
  void compose(HDC dc, const RECT& area) const;
  // Composes area of the frame afresh, adds a focus rectangle along its edge when asked and
  // shows the area in one piece. Drawing the rectangle over fresh pixels every time keeps its
  // inverting pen from ever cancelling an earlier one. Nothing is drawn outside area.
  void recompose(const RECT& area, bool focusRectangle);
  // Copies to the window what was drawn into the frame since the last copy. Child windows keep
  // their own pixels.
  void present();
  // Copies area of the back buffer into dc, a context this frame handed out.
  void copyTo(HDC dc, const RECT& area) const;
  // Shows area of the back buffer where the window's picture is drawn right now: the current
  // drawing context, else the frame (then presented), else the window.
  void show(const RECT& area);

  // The paint cycle for WM_PAINT: beginPaint, any drawing into the context it returns, endPaint.
  // The first cycle composes the whole frame; later ones compose only its stale parts and
  // otherwise copy the frame to the window, so drawing happens only while composing() is true.
  HDC beginPaint();
  void endPaint();
  bool composing() const { return composing_; }
  // Where this cycle composes: background and clip.
  const RECT& composeArea() const { return composeArea_; }
  // Composes the cycle's area into the current drawing context: background, every shown
  // control, then the status line.
  void composeCycle();

  // One paint cycle, from BeginPaint to EndPaint.
  class PaintCycle {
   public:
    explicit PaintCycle(SkinFrame* frame) : frame_(frame), dc_(frame->beginPaint()) {}
    ~PaintCycle() { frame_->endPaint(); }
    PaintCycle(const PaintCycle&) = delete;
    PaintCycle& operator=(const PaintCycle&) = delete;

    HDC dc() const { return dc_; }

   private:
    SkinFrame* frame_;
    HDC dc_;
  };

  // The context a control draws into outside the paint cycle: the current one; else, once the
  // frame is composed, the frame, presented when this object goes; else a context of the window
  // of its own, prepared as the skin prepares its contexts.
  class DrawScope {
   public:
    explicit DrawScope(const SkinContext* context);
    ~DrawScope();
    DrawScope(const DrawScope&) = delete;
    DrawScope& operator=(const DrawScope&) = delete;

    HDC get() const { return dc_; }

   private:
    const SkinContext* context_;
    bool owned_;     // taken here, so given back here
    bool presents_;  // drawing goes to the frame: put it on the window at the end
    HDC dc_;
    HGDIOBJ previousFont_;
  };

  // The context the controls draw into during one mouse dispatch to window, and while the
  // window is built (its pictures are then loaded compatible with it): the frame, presented at
  // the end, once it is composed; else a prepared context of window. A null context lends
  // nothing.
  class DispatchScope {
   public:
    DispatchScope(SkinContext* context, HWND window);
    ~DispatchScope();
    DispatchScope(const DispatchScope&) = delete;
    DispatchScope& operator=(const DispatchScope&) = delete;

   private:
    SkinContext* context_;
    HWND window_;
    HDC previous_;
    HDC windowDc_;  // taken here when the frame cannot serve
    HGDIOBJ previousFont_;
    bool presents_;
  };

  PAINTSTRUCT paintRecord;  // filled by BeginPaint; its paint rectangle bounds the copy
  RECT bufferRect;          // (0, 0, width, height) of the back buffer
  HBITMAP backBuffer;

 private:
  void paintShownControls(HDC dc) const;

  SkinContext* context_;
  int32_t ready_;
  RECT staleArea_;       // parts of the frame the next paint composes again; empty when none
  HGDIOBJ paintDcFont_;  // the font regularFont replaced in the paint cycle's context
  bool composing_;       // this cycle draws into the frame
  bool ownPaintDc_;      // the cycle took a window context of its own (no back buffer)
  RECT composeArea_;
};

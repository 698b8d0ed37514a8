#pragma once

#include <windows.h>

#include <stdint.h>

#include "skin/skin_bitmap.h"
#include "skin/skin_control.h"
#include "text/text_buffer.h"

// The frame of a toggle-mode box that shows it checked.
constexpr int32_t kBoxCheckedFrame = 2;

// A multi-state box: its value picks a frame of a square-frame strip, the mouse steps the value
// and each completed change posts the notification identifier. In toggle mode (the installer's
// filter boxes) odd values are the pressed looks and only the release completes a change.
class FilterCheckBox : public SkinControl {
 public:
  // The hit box is left, top and the strip's frame size; the placement's width and height give
  // the area painted away when the box is hidden. packedLabelPos holds the label's offset from
  // the box's left edge in its high half and its rise above the box's top in its low half, each
  // plus 32768. A negative (or zero) signedMaximum means toggle mode with the maximum its
  // negation. key may be null (empty key). Label and key longer than kLabelChars - 1 are cut.
  FilterCheckBox(SkinContext* context, int left, int top, int width, int height, UINT stripId,
                 uint32_t packedLabelPos, const char* label, int32_t minimum, int32_t signedMaximum,
                 const char* statusText, int notifyId, const char* key);
  ~FilterCheckBox() override;

  int onMouse(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  void paint(HDC dc) override;
  int getValue() const override;
  void setValue(int value) override;
  // What a completed click does, for the keyboard and screen readers: one change of state,
  // repainted and posted.
  void toggle(HWND window);

  // Checked: any frame but the first.
  bool checked() const { return value != 0; }
  // The checked look, without repainting: for a box not yet on screen.
  void setChecked() { value = kBoxCheckedFrame; }
  const char* labelText() const { return label; }
  // Occurs in the file names of the filter's payload.
  const char* filterKey() const { return key; }
  // The box and its label, as drawn, in client pixels.
  RECT area() const;

  int32_t value;  // the frame shown; the dialog reads 0 as "filter not wanted"
  RECT hitRect;   // edges included
  RECT clearingArea;
  SkinBitmap* strip;
  int32_t minimum;
  int32_t maximum;
  char key[kLabelChars];
  int32_t toggleMode;
  int32_t labelOffset;
  int32_t labelRise;
  char label[kLabelChars];

 private:
  int step(HWND window, int delta);
  int finish(HWND window, int delta);
  // Moves the value by delta; past the maximum it wraps to the minimum, below the minimum to
  // the maximum.
  void moveValue(int delta);
  void repaint();
};

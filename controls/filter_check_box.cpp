#include "controls/filter_check_box.h"

#include <limits.h>

#include "skin/skin_window.h"

namespace {

constexpr int32_t kLabelPosBias = 32768;

bool IsOdd(int32_t v) { return v % 2 != 0; }

}  // namespace

FilterCheckBox::FilterCheckBox(SkinContext* skinContext, int left, int top, int width, int height,
                               UINT stripId, uint32_t packedLabelPos, const char* labelText,
                               int32_t minimumValue, int32_t signedMaximum, const char* status,
                               int notify, const char* keyText)
    : SkinControl(skinContext, status),
      value(0),
      hitRect{left, top, left, top},
      clearingArea{left, top, left + width, top + height},
      strip(new SkinBitmap(skinContext->instance, skinContext->currentDc, stripId)),
      minimum(minimumValue),
      maximum(0),
      key(),
      toggleMode(0),
      labelOffset(static_cast<int32_t>(packedLabelPos >> 16) - kLabelPosBias),
      labelRise(static_cast<int32_t>(packedLabelPos & 0xFFFF) - kLabelPosBias),
      label() {
  CopyText(key, sizeof key, keyText ? keyText : "");
  // The frames are square: the strip's height is the box's size.
  hitRect.right = left + strip->height;
  hitRect.bottom = top + strip->height;
  notifyId = notify;
  if (signedMaximum > 0) {
    maximum = signedMaximum;
  } else {
    maximum = signedMaximum == INT32_MIN ? INT32_MAX : -signedMaximum;
    toggleMode = 1;
  }
  value = minimum;
  CopyText(label, sizeof label, labelText ? labelText : "");
}

FilterCheckBox::~FilterCheckBox() { DeleteSkinBitmap(strip); }

int FilterCheckBox::getValue() const {
  return static_cast<int>(static_cast<int64_t>(value) - minimum);
}

void FilterCheckBox::setValue(int v) {
  int64_t wanted = static_cast<int64_t>(v) + minimum;
  if (wanted < minimum) wanted = minimum;
  if (wanted > maximum) wanted = maximum;
  value = static_cast<int32_t>(wanted);
}

int FilterCheckBox::onMouse(HWND window, UINT message, WPARAM, LPARAM lParam) {
  if (!hitTest(hitRect.left, hitRect.top, hitRect.right, hitRect.bottom, lParam)) {
    if (message == WM_MOUSEMOVE) showStatusText(0);
    // Leaving during a press falls back to the state below the pressed look.
    if (toggleMode && IsOdd(value)) {
      value -= 1;
      repaint();
    }
    return 0;
  }
  switch (message) {
    case WM_MOUSEMOVE: showStatusText(1); return 0;
    // The second press of a double-click arrives as a double-click: it is a press all the
    // same, so a double-click toggles twice, as two clicks do.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return step(window, 1);
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: return step(window, -1);
    case WM_LBUTTONUP: return finish(window, 1);
    case WM_RBUTTONUP: return finish(window, -1);
    default: return 0;
  }
}

int FilterCheckBox::step(HWND window, int delta) {
  moveValue(delta);
  repaint();
  // In toggle mode the press only shows the pressed look; the release reports the change.
  if (!toggleMode) postNotify(window);
  return 1;
}

int FilterCheckBox::finish(HWND window, int delta) {
  if (!toggleMode || !IsOdd(value)) return 0;
  moveValue(delta);
  repaint();
  postNotify(window);
  return 1;
}

void FilterCheckBox::toggle(HWND window) {
  moveValue(1);
  // In toggle mode the odd value is only the pressed look on the way.
  if (toggleMode && IsOdd(value)) moveValue(1);
  repaint();
  postNotify(window);
}

void FilterCheckBox::moveValue(int delta) {
  int64_t next = static_cast<int64_t>(value) + delta;
  if (next > maximum) next = minimum;
  if (next < minimum) next = maximum;
  value = static_cast<int32_t>(next);
}

void FilterCheckBox::repaint() {
  SkinFrame::DrawScope dc(context);
  paint(dc.get());
}

void FilterCheckBox::paint(HDC dc) {
  if (!visible) {
    tileBackground(dc, clearingArea);
    return;
  }
  const int64_t frameSize = strip->height;
  const int64_t start = value * frameSize;
  const int64_t end = start + frameSize;
  // A value without a frame in the strip shows nothing at all, label included.
  if (start < 0 || end > strip->width) return;
  strip->copyFrame(dc, static_cast<int>(start), hitRect.left, static_cast<int>(end), hitRect.top);
  drawTextAt(dc, hitRect.left + labelOffset, hitRect.top - labelRise, label);
}

RECT FilterCheckBox::area() const {
  RECT result = hitRect;
  // The label as paint draws it, measured in the font the frame holds for the controls.
  SIZE size = {};
  const HDC measure = context->bufferDc;
  if (measure != nullptr && GetTextExtentPoint32A(measure, label, lstrlenA(label), &size)) {
    const int x = hitRect.left + labelOffset;
    const int y = hitRect.top - labelRise;
    const RECT text = {x, y, x + size.cx, y + size.cy};
    UnionRect(&result, &result, &text);
  }
  return result;
}

#pragma once

// Real windows, DIB sections and the attached skin for the skin and control tests under Wine.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "skin/skin_window.h"

// The installer window's client size and status area.
constexpr int kTestClientWidthPx = 383;
constexpr int kTestClientHeightPx = 270;
constexpr RECT kStatusArea = {6, 242, 249, 262};
constexpr uint32_t kBackgroundSpec = 117;
constexpr uint32_t kLinkCursorId = 120;

// Where a test executable puts its window on the shared test display; each executable defines
// its own, so windows of tests running side by side do not cover each other.
extern const POINT kTestWindowOrigin;

// A top-down 32-bit DIB section selected into a memory context, read back through its bits.
class DibSurface {
 public:
  DibSurface(int width, int height, COLORREF fill);
  ~DibSurface();
  DibSurface(const DibSurface&) = delete;
  DibSurface& operator=(const DibSurface&) = delete;

  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }
  COLORREF pixel(int x, int y) const;
  void fill(const RECT& area, COLORREF colour);
  // Writes the surface as a 24-bit BMP file; false when the file could not be written.
  bool writeBmp(const char* path) const;

 private:
  int width_;
  int height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ previous_;
  const uint32_t* bits_;
};

// A visible, topmost pop-up window with the installer's client size, at kTestWindowOrigin.
class TestWindow {
 public:
  explicit TestWindow(UINT classStyle = 0);
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND get() const { return window_; }
  // The client pixel as the window's own surface holds it.
  COLORREF pixel(int x, int y) const;
  // Copies the client area into surface, which must be at least as large.
  void capture(const DibSurface& surface) const;

 private:
  HWND window_;
};

// A mouse position packed as the mouse messages pack it.
inline LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

// Removes every WM_SKIN_NOTIFY posted to window and returns their identifiers in posting order;
// expects lParam 0 on each.
std::vector<WPARAM> TakeNotifications(HWND window);

// The skin attached to a fresh test window with the installer's background, cursor and status
// area; torn down after each test, which must leave every bitmap cache entry free.
class SkinTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The window background's pixel at a client position.
  COLORREF backgroundAt(int x, int y) const;
  // A surface's context prepared as the skin prepares the ones it hands to controls.
  HDC preparedDc(const DibSurface& surface) const;
  // Paints area of the test window in one colour, straight through a window context.
  void fillWindow(const RECT& area, COLORREF colour) const;
  // The test window's client area as it is now.
  std::unique_ptr<DibSurface> shot() const;

  HINSTANCE instance = GetModuleHandleA(nullptr);
  SkinContext context = {};
  std::unique_ptr<TestWindow> window;
  std::unique_ptr<SkinWindow> skin;
};

// How many pixels in area of surface differ from the window background.
int CountNonBackground(const DibSurface& surface, const SkinContext& context, const RECT& area);

#include "tests/skin/skin_test_support.h"

#include <stdio.h>

#include "skin/skin_control.h"

namespace {

constexpr char kTestWindowClass[] = "QuillaneSkinTestWindow";
constexpr char kOwnDcWindowClass[] = "QuillaneSkinTestOwnDcWindow";

const char* RegisterTestClass(UINT classStyle) {
  const char* name = (classStyle & CS_OWNDC) ? kOwnDcWindowClass : kTestWindowClass;
  WNDCLASSA windowClass = {};
  if (GetClassInfoA(GetModuleHandleA(nullptr), name, &windowClass)) return name;
  windowClass.style = classStyle;
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
  windowClass.lpszClassName = name;
  RegisterClassA(&windowClass);
  return name;
}

COLORREF FromDibPixel(uint32_t value) {
  return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

}  // namespace

DibSurface::DibSurface(int width, int height, COLORREF fill)
    : width_(width),
      height_(height),
      dc_(nullptr),
      bitmap_(nullptr),
      previous_(nullptr),
      bits_(nullptr) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bits_ = static_cast<const uint32_t*>(bits);
  dc_ = CreateCompatibleDC(nullptr);
  previous_ = SelectObject(dc_, bitmap_);
  this->fill(RECT{0, 0, width, height}, fill);
}

DibSurface::~DibSurface() {
  SelectObject(dc_, previous_);
  DeleteDC(dc_);
  DeleteObject(bitmap_);
}

COLORREF DibSurface::pixel(int x, int y) const {
  GdiFlush();
  if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  return FromDibPixel(bits_[y * width_ + x]);
}

void DibSurface::fill(const RECT& area, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc_, &area, brush);
  DeleteObject(brush);
}

bool DibSurface::writeBmp(const char* path) const {
  GdiFlush();
  const int stride = (width_ * 3 + 3) & ~3;
  const DWORD imageBytes = static_cast<DWORD>(stride * height_);
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  file.bfSize = file.bfOffBits + imageBytes;
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = width_;
  header.biHeight = height_;  // bottom-up
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = imageBytes;

  std::unique_ptr<FILE, int (*)(FILE*)> out(fopen(path, "wb"), fclose);
  if (!out) return false;
  bool ok = fwrite(&file, sizeof file, 1, out.get()) == 1 &&
            fwrite(&header, sizeof header, 1, out.get()) == 1;
  std::vector<unsigned char> row(static_cast<size_t>(stride), 0);
  for (int y = height_ - 1; ok && y >= 0; --y) {
    for (int x = 0; x < width_; ++x) {
      const COLORREF c = pixel(x, y);
      row[x * 3] = GetBValue(c);
      row[x * 3 + 1] = GetGValue(c);
      row[x * 3 + 2] = GetRValue(c);
    }
    ok = fwrite(row.data(), row.size(), 1, out.get()) == 1;
  }
  return ok;
}

TestWindow::TestWindow(UINT classStyle) : window_(nullptr) {
  RECT frame = {0, 0, kTestClientWidthPx, kTestClientHeightPx};
  AdjustWindowRectEx(&frame, WS_POPUP, FALSE, WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
  window_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, RegisterTestClass(classStyle), "",
                            WS_POPUP | WS_VISIBLE, kTestWindowOrigin.x, kTestWindowOrigin.y,
                            frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
}

TestWindow::~TestWindow() {
  // Messages still queued for the window go with it.
  if (window_) DestroyWindow(window_);
}

COLORREF TestWindow::pixel(int x, int y) const {
  HDC dc = GetDC(window_);
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(window_, dc);
  return colour;
}

void TestWindow::capture(const DibSurface& surface) const {
  HDC dc = GetDC(window_);
  BitBlt(surface.dc(), 0, 0, kTestClientWidthPx, kTestClientHeightPx, dc, 0, 0, SRCCOPY);
  ReleaseDC(window_, dc);
}

std::vector<WPARAM> TakeNotifications(HWND window) {
  std::vector<WPARAM> ids;
  MSG message;
  while (PeekMessageA(&message, window, WM_SKIN_NOTIFY, WM_SKIN_NOTIFY, PM_REMOVE)) {
    EXPECT_EQ(message.lParam, 0);
    ids.push_back(message.wParam);
  }
  return ids;
}

void SkinTest::SetUp() {
  window = std::make_unique<TestWindow>();
  ASSERT_NE(window->get(), nullptr);
  skin = std::make_unique<SkinWindow>(&context, instance);
  skin->attach(window->get(), kBackgroundSpec, kLinkCursorId, &kStatusArea);
  ASSERT_NE(context.background, nullptr);
  ASSERT_GT(context.background->height, 0) << "the background picture is not embedded";
}

void SkinTest::TearDown() {
  skin->teardown();
  for (const BitmapCacheEntry& entry : BitmapCache) {
    EXPECT_EQ(entry.referenceCount, 0) << "picture " << entry.spec << " was not released";
  }
}

COLORREF SkinTest::backgroundAt(int x, int y) const {
  const SkinBitmap& tile = *context.background;
  return GetPixel(tile.memoryDc, x % tile.width, y % tile.height);
}

HDC SkinTest::preparedDc(const DibSurface& surface) const {
  PrepareSkinDc(surface.dc());
  return surface.dc();
}

void SkinTest::fillWindow(const RECT& area, COLORREF colour) const {
  HDC dc = GetDC(window->get());
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &area, brush);
  DeleteObject(brush);
  ReleaseDC(window->get(), dc);
}

std::unique_ptr<DibSurface> SkinTest::shot() const {
  auto surface =
      std::make_unique<DibSurface>(kTestClientWidthPx, kTestClientHeightPx, RGB(1, 2, 3));
  window->capture(*surface);
  return surface;
}

int CountNonBackground(const DibSurface& surface, const SkinContext& context, const RECT& area) {
  const SkinBitmap& tile = *context.background;
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if (surface.pixel(x, y) != GetPixel(tile.memoryDc, x % tile.width, y % tile.height)) {
        ++count;
      }
    }
  }
  return count;
}

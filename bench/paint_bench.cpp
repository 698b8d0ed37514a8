// One full paint of each screen of the real dialog: as the installer paints now, with the
// former fixed 50 ms wait before it, and the floor, the same finished pixels put on the window
// with one BitBlt. The floor's pixels are checked against the installer's, and the paint's
// against composing the window afresh. Each run times all three. Then where a paint's time
// goes, and what the least paint of any window costs here.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include <vector>

#include "app/app_state.h"
#include "app/dialog_ids.h"
#include "app/dialog_layout.h"
#include "app/dialog_texts.h"
#include "app/installer_dialog.h"
#include "bench/bench_stats.h"
#include "discovery/existing_folder.h"
#include "skin/skin_bitmap.h"

HINSTANCE ProgramInstance = nullptr;
SkinWindow* TheSkinWindow = nullptr;
SkinContext TheSkinContext = {};

namespace {

constexpr DWORD kFormerPaintWaitMs = 50;

void Pump(DWORD forMs) {
  const DWORD end = GetTickCount() + forMs;
  while (GetTickCount() < end) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(5);
  }
}

struct Shot {
  HDC dc;
  HBITMAP bitmap;
  uint32_t* bits;
};

Shot Capture(HWND window) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kClientWidthPx;
  info.bmiHeader.biHeight = -kClientHeightPx;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  Shot shot = {};
  void* bits = nullptr;
  shot.dc = CreateCompatibleDC(nullptr);
  shot.bitmap = CreateDIBSection(shot.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  shot.bits = static_cast<uint32_t*>(bits);
  SelectObject(shot.dc, shot.bitmap);
  HDC dc = GetDC(window);
  BitBlt(shot.dc, 0, 0, kClientWidthPx, kClientHeightPx, dc, 0, 0, SRCCOPY);
  ReleaseDC(window, dc);
  GdiFlush();
  return shot;
}

void Free(const Shot& shot) {
  DeleteDC(shot.dc);
  DeleteObject(shot.bitmap);
}

long Differences(const Shot& a, const Shot& b) {
  long n = 0;
  for (int i = 0; i < kClientWidthPx * kClientHeightPx; ++i) n += a.bits[i] != b.bits[i];
  return n;
}

double PaintOnce(HWND dialog, DWORD waitMs) {
  const double t = NowMs();
  if (waitMs) Sleep(waitMs);
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  GdiFlush();
  return NowMs() - t;
}

void MeasureScreen(const char* screen, HWND dialog, int runs) {
  PaintOnce(dialog, 0);
  const Shot painted = Capture(dialog);
  std::vector<double> now, waited, floor;
  for (int i = 0; i < runs; ++i) {
    now.push_back(PaintOnce(dialog, 0));
    waited.push_back(PaintOnce(dialog, kFormerPaintWaitMs));
    const double t = NowMs();
    HDC dc = GetDC(dialog);
    BitBlt(dc, 0, 0, kClientWidthPx, kClientHeightPx, painted.dc, 0, 0, SRCCOPY);
    ReleaseDC(dialog, dc);
    GdiFlush();
    floor.push_back(NowMs() - t);
  }
  const Shot fromFloor = Capture(dialog);
  PaintOnce(dialog, 0);
  const Shot again = Capture(dialog);
  // A paint copies the kept frame: it must hold what composing everything afresh draws.
  TheSkinWindow->invalidate(nullptr);
  PaintOnce(dialog, 0);
  const Shot fresh = Capture(dialog);
  printf("  %s screen (%dx%d client pixels)\n", screen, kClientWidthPx, kClientHeightPx);
  PrintMs("full paint, as the installer paints now", now);
  PrintMs("full paint after the former 50 ms wait", waited);
  PrintMs("floor: the finished pixels in one BitBlt", floor);
  PrintRatio("paint / floor", now, floor, 2.0);
  printf("    pixels differing, floor vs paint: %ld; paint vs paint: %ld; paint vs fresh: %ld\n",
         Differences(fromFloor, painted), Differences(again, painted), Differences(fresh, painted));
  Free(painted);
  Free(fromFloor);
  Free(again);
  Free(fresh);
}

// Where a paint's time goes: the logo as it was copied before (each pixel read and written)
// and as now, the background over the whole client area, and one line of text.
void MeasureParts(HWND dialog, int runs) {
  HDC dc = GetDC(dialog);
  SkinBitmap logo(ProgramInstance, dc, kLogoBitmap);
  std::vector<double> perPixel, masked, tiled, text;
  for (int i = 0; i < runs; ++i) {
    double t = NowMs();
    for (int x = 0; x < logo.width; ++x) {
      for (int y = 0; y < logo.height; ++y) {
        const COLORREF c = GetPixel(logo.memoryDc, x, y);
        if (c != CLR_INVALID && c != RGB(255, 255, 255))
          SetPixel(dc, kLogoPx.left + x, kLogoPx.top + y, c);
      }
    }
    GdiFlush();
    perPixel.push_back(NowMs() - t);
    t = NowMs();
    logo.drawKeyed(dc, kLogoPx.left, kLogoPx.top, 0, 0);
    GdiFlush();
    masked.push_back(NowMs() - t);
    t = NowMs();
    TheSkinContext.background->drawTiled(dc, 0, 0, kClientWidthPx, kClientHeightPx);
    GdiFlush();
    tiled.push_back(NowMs() - t);
    const HGDIOBJ font = SelectObject(dc, regularFont);
    SetBkMode(dc, TRANSPARENT);
    t = NowMs();
    TextOutA(dc, kFolderPromptXPx, kFolderPromptYPx, kFolderPrompt, lstrlenA(kFolderPrompt));
    GdiFlush();
    text.push_back(NowMs() - t);
    SelectObject(dc, font);
  }
  logo.release();
  ReleaseDC(dialog, dc);
  printf("  parts of a paint\n");
  PrintMs("logo: former per-pixel GetPixel/SetPixel copy", perPixel);
  PrintMs("logo: mask and two blits (drawKeyed now)", masked);
  PrintMs("background tiled over the client area", tiled);
  PrintMs("one line of text (the folder prompt)", text);
}

// Time spent inside the window procedures during one paint: the dialog's WM_PAINT (with the
// WM_ERASEBKGND that its BeginPaint sends) and the drop-down's own paint. The rest of a paint
// is the window system's own: invalidation, update regions, message dispatch.
struct ProcTimes {
  WNDPROC original;
  double paint, erase;
};
ProcTimes dialogTimes = {}, dropDownTimes = {};

LRESULT Timed(ProcTimes* times, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const double t = NowMs();
  const LRESULT result = CallWindowProcA(times->original, window, message, wParam, lParam);
  if (message == WM_PAINT) times->paint += NowMs() - t;
  if (message == WM_ERASEBKGND) times->erase += NowMs() - t;
  return result;
}

LRESULT CALLBACK TimedDialog(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Timed(&dialogTimes, window, message, wParam, lParam);
}

LRESULT CALLBACK TimedDropDown(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Timed(&dropDownTimes, window, message, wParam, lParam);
}

void MeasureWhereAPaintGoes(HWND dialog, int runs) {
  HWND dropDown = GetDlgItem(dialog, kComboId);
  dialogTimes.original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TimedDialog)));
  dropDownTimes.original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(dropDown, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TimedDropDown)));
  std::vector<double> whole, paint, erase, child, rest;
  for (int i = 0; i < runs; ++i) {
    dialogTimes.paint = dialogTimes.erase = dropDownTimes.paint = dropDownTimes.erase = 0;
    whole.push_back(PaintOnce(dialog, 0));
    paint.push_back(dialogTimes.paint);
    erase.push_back(dialogTimes.erase);
    child.push_back(dropDownTimes.paint + dropDownTimes.erase);
    rest.push_back(whole.back() - paint.back() - child.back());
  }
  SetWindowLongPtrA(dropDown, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(dropDownTimes.original));
  SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(dialogTimes.original));
  printf("  where a full paint of the selection screen goes\n");
  PrintMs("the whole paint (RedrawWindow)", whole);
  PrintMs("the dialog's WM_PAINT", paint);
  PrintMs("  of which WM_ERASEBKGND, sent by BeginPaint", erase);
  PrintMs("the drop-down painting itself", child);
  PrintMs("the rest: invalidation and dispatch", rest);
}

// The least a paint through the window's own messages costs: a bare window of the same client
// size whose WM_PAINT is BeginPaint, one BitBlt of the finished pixels and EndPaint, redrawn
// the way the dialog is. EndPaint also copies the window's pixels to the X server when the
// program has not waited for messages lately, as in these loops; the floor's ReleaseDC
// leaves that for later.
HDC bareSource = nullptr;

LRESULT CALLBACK BareWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) return 1;
  if (message != WM_PAINT) return DefWindowProcA(window, message, wParam, lParam);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  const RECT& r = paint.rcPaint;
  if (bareSource) {
    BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, bareSource, r.left, r.top,
           SRCCOPY);
  }
  EndPaint(window, &paint);
  return 0;
}

void MeasureBareWindow(HWND dialog, int runs) {
  const Shot painted = Capture(dialog);
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = BareWindowProc;
  windowClass.hInstance = ProgramInstance;
  windowClass.lpszClassName = "QuillaneBenchBare";
  RegisterClassA(&windowClass);
  RECT outer = {0, 0, kClientWidthPx, kClientHeightPx};
  AdjustWindowRect(&outer, WS_POPUP | WS_CAPTION, FALSE);
  HWND bare = CreateWindowA("QuillaneBenchBare", "bare", WS_POPUP | WS_CAPTION | WS_VISIBLE, 40, 40,
                            outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                            ProgramInstance, nullptr);
  Pump(200);
  std::vector<double> empty, blit;
  for (int i = 0; i < runs; ++i) {
    bareSource = nullptr;
    empty.push_back(PaintOnce(bare, 0));
    bareSource = painted.dc;
    blit.push_back(PaintOnce(bare, 0));
  }
  DestroyWindow(bare);
  bareSource = nullptr;
  Free(painted);
  printf("  a bare window of the same size, redrawn the same way\n");
  PrintMs("BeginPaint and EndPaint only", empty);
  PrintMs("BeginPaint, one BitBlt, EndPaint", blit);
}

}  // namespace

// usage: paint_bench RUNS WORK_FOLDER\  (the completion screen installs into WORK_FOLDER)
int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const int runs = atoi(argv[1]);
  ProgramInstance = GetModuleHandleA(nullptr);
  TheSkinWindow = new SkinWindow(&TheSkinContext, ProgramInstance);
  CreateDirectoryA(argv[2], nullptr);
  char folder[kPathChars];
  lstrcpynA(folder, argv[2], sizeof folder);
  AddCandidateFolder(folder);
  static InstallerDialog installer;
  HWND dialog = CreateDialogParamA(ProgramInstance, "main", nullptr, InstallerDialogProc,
                                   reinterpret_cast<LPARAM>(&installer));
  if (dialog == nullptr) return 1;
  ShowWindow(dialog, SW_SHOW);
  Pump(500);
  MeasureScreen("selection", dialog, runs);
  MeasureParts(dialog, runs);
  MeasureWhereAPaintGoes(dialog, runs);
  MeasureBareWindow(dialog, runs);
  SendMessageA(dialog, WM_COMMAND, IDOK, 0);
  Pump(300);
  MeasureScreen("completion", dialog, runs);
  DestroyWindow(dialog);
  TheSkinWindow->teardown();
  return 0;
}

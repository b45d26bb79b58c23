// A borderless window that limits its size to 200x150 ... 500x400 through WM_GETMINMAXINFO and
// answers a 12-pixel band along its right and bottom edges as sizing borders. Prints
// "size W H" for every WM_SIZE. Usage: childproc_SizeLimitsWindow [lifetime-ms]
#include <cstdio>
#include <cstdlib>

#include "Platform/Win32.h"

namespace {

const int kBorder = 12;
const UINT_PTR kLifetimeTimer = 1;

LRESULT HitTest(HWND hwnd, LPARAM lParam) {
  POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ScreenToClient(hwnd, &pt);
  RECT rc{};
  GetClientRect(hwnd, &rc);
  bool right = pt.x >= rc.right - kBorder, bottom = pt.y >= rc.bottom - kBorder;
  if (right && bottom) return HTBOTTOMRIGHT;
  if (right) return HTRIGHT;
  if (bottom) return HTBOTTOM;
  return HTCLIENT;
}

void Paint(HWND hwnd) {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(hwnd, &ps);
  RECT rc{};
  GetClientRect(hwnd, &rc);
  HBRUSH brush = CreateSolidBrush(RGB(40, 120, 200));
  FillRect(dc, &rc, brush);
  DeleteObject(brush);
  EndPaint(hwnd, &ps);
}

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_GETMINMAXINFO: {
      auto* mmi = reinterpret_cast<MINMAXINFO*>(lParam);
      mmi->ptMinTrackSize = POINT{200, 150};
      mmi->ptMaxTrackSize = POINT{500, 400};
      return 0;
    }
    case WM_NCHITTEST: return HitTest(hwnd, lParam);
    case WM_SIZE:
      std::printf("size %d %d\n", LOWORD(lParam), HIWORD(lParam));
      std::fflush(stdout);
      return 0;
    case WM_PAINT: Paint(hwnd); return 0;
    case WM_TIMER:
      if (wParam == kLifetimeTimer) DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

int main(int argc, char** argv) {
  int lifetime = argc > 1 ? std::atoi(argv[1]) : 60000;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = Proc;
  wc.lpszClassName = u"SizeLimitsWindow";
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  if (RegisterClassExW(&wc) == 0) return 1;
  HWND hwnd = CreateWindowExW(0, u"SizeLimitsWindow", u"SkinUI Size Limits", WS_POPUP, 100, 100,
                              300, 250, nullptr, nullptr, nullptr, nullptr);
  if (hwnd == nullptr) return 1;
  if (lifetime > 0) SetTimer(hwnd, kLifetimeTimer, static_cast<UINT>(lifetime), nullptr);
  ShowWindow(hwnd, SW_SHOW);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

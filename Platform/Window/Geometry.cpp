// Rectangles, coordinate mapping, window shapes and opacity, the screen and its work area.
#include <algorithm>

#include "Platform/Host/Host.h"
#include "Platform/Window/GdiBridge.h"
#include "Platform/Window/MessageQueue.h"
#include "Platform/Window/WindowOps.h"

namespace Platform {
namespace {

const HMONITOR kPrimaryMonitor = reinterpret_cast<HMONITOR>(static_cast<uintptr_t>(0x1001));

bool ContainsLocked(const Window* w, POINT screen) {
  RECT r = WindowRectOnScreenLocked(w);
  if (!PtInRect(&r, screen)) return false;
  if (w->shape == nullptr) return true;
  return cairo_region_contains_point(w->shape, screen.x - r.left, screen.y - r.top) != 0;
}

HWND DeepestChildLocked(Window* w, POINT screen) {
  for (HWND c : w->children) {
    Window* child = FindWindowLocked(c);
    if (child == nullptr || (child->style & WS_VISIBLE) == 0) continue;
    if (!ContainsLocked(child, screen)) continue;
    if ((child->style & WS_DISABLED) != 0) return child->handle;
    return DeepestChildLocked(child, screen);
  }
  return w->handle;
}

// Maps a point between two windows' client areas (null: the screen).
bool ClientOrigin(HWND hwnd, POINT* origin) {
  if (hwnd == nullptr) {
    *origin = POINT{0, 0};
    return true;
  }
  auto lock = WindowLock();
  const Window* w = FindWindowLocked(hwnd);
  if (w == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  *origin = ClientOriginOnScreenLocked(w);
  return true;
}

}  // namespace

HWND WindowAtPointLocked(POINT screen, HWND top) {
  auto& wm = WM();
  for (HWND h : wm.topLevels) {
    if (top != nullptr && h != top) continue;
    Window* w = FindWindowLocked(h);
    if (w == nullptr || (w->style & WS_VISIBLE) == 0 || w->minimized) continue;
    if (!ContainsLocked(w, screen)) continue;
    return DeepestChildLocked(w, screen);
  }
  return nullptr;
}

}  // namespace Platform

using namespace Platform;

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect) {
  auto lock = WindowLock();
  const Window* w = FindWindowLocked(hWnd);
  if (w == nullptr || lpRect == nullptr) {
    SetLastError(w == nullptr ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *lpRect = RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
  return TRUE;
}

BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect) {
  auto lock = WindowLock();
  const Window* w = FindWindowLocked(hWnd);
  if (w == nullptr || lpRect == nullptr) {
    SetLastError(w == nullptr ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *lpRect = WindowRectOnScreenLocked(w);
  return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hWnd, LPPOINT lpPoint) {
  POINT o{};
  if (lpPoint == nullptr || hWnd == nullptr || !ClientOrigin(hWnd, &o)) return FALSE;
  lpPoint->x += o.x;
  lpPoint->y += o.y;
  return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hWnd, LPPOINT lpPoint) {
  POINT o{};
  if (lpPoint == nullptr || hWnd == nullptr || !ClientOrigin(hWnd, &o)) return FALSE;
  lpPoint->x -= o.x;
  lpPoint->y -= o.y;
  return TRUE;
}

int WINAPI MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints) {
  POINT from{}, to{};
  if (!ClientOrigin(hWndFrom, &from) || !ClientOrigin(hWndTo, &to)) return 0;
  int dx = from.x - to.x, dy = from.y - to.y;
  for (UINT i = 0; lpPoints != nullptr && i < cPoints; ++i) {
    lpPoints[i].x += dx;
    lpPoints[i].y += dy;
  }
  SetLastError(ERROR_SUCCESS);
  return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

HWND WINAPI WindowFromPoint(POINT Point) {
  auto lock = WindowLock();
  return WindowAtPointLocked(Point, nullptr);
}

int WINAPI SetWindowRgn(HWND hWnd, HRGN hRgn, BOOL bRedraw) {
  cairo_region_t* shape = nullptr;
  if (hRgn != nullptr) {
    shape = CopyRegionPixels(hRgn);
    if (shape == nullptr) {
      SetLastError(ERROR_INVALID_HANDLE);
      return 0;
    }
  }
  HostWindow* host = nullptr;
  HRGN old = nullptr;
  {
    auto lock = WindowLock();
    Window* w = FindWindowLocked(hWnd);
    if (w == nullptr) {
      if (shape != nullptr) cairo_region_destroy(shape);
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
    if (w->shape != nullptr) cairo_region_destroy(w->shape);
    w->shape = shape;
    old = w->regionHandle;
    w->regionHandle = hRgn;
    host = w->host;
  }
  if (host != nullptr) {
    cairo_region_t* copy = shape != nullptr ? cairo_region_copy(shape) : nullptr;
    CurrentHost().SetShape(host, copy);
    if (copy != nullptr) cairo_region_destroy(copy);
  }
  if (old != nullptr && old != hRgn) DeleteRegionHandle(old);
  if (bRedraw) InvalidateWindowArea(hWnd, nullptr, true, true);
  return 1;
}

BOOL WINAPI SetLayeredWindowAttributes(HWND hwnd, COLORREF crKey, BYTE bAlpha, DWORD dwFlags) {
  HostWindow* host = nullptr;
  BYTE alpha = 255;
  {
    auto lock = WindowLock();
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    if ((w->exStyle & WS_EX_LAYERED) == 0) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    w->colorKey = crKey;
    w->alpha = bAlpha;
    w->layeredFlags = dwFlags;
    host = w->host;
    alpha = (dwFlags & LWA_ALPHA) != 0 ? bAlpha : 255;
  }
  if (host != nullptr) CurrentHost().SetOpacity(host, alpha);
  return TRUE;
}

BOOL WINAPI GetLayeredWindowAttributes(HWND hwnd, COLORREF* pcrKey, BYTE* pbAlpha,
                                       DWORD* pdwFlags) {
  auto lock = WindowLock();
  const Window* w = FindWindowLocked(hwnd);
  if (w == nullptr || (w->exStyle & WS_EX_LAYERED) == 0) {
    SetLastError(w == nullptr ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (pcrKey != nullptr) *pcrKey = w->colorKey;
  if (pbAlpha != nullptr) *pbAlpha = w->alpha;
  if (pdwFlags != nullptr) *pdwFlags = w->layeredFlags;
  return TRUE;
}

BOOL WINAPI SystemParametersInfoW(UINT uiAction, UINT uiParam, PVOID pvParam, UINT fWinIni) {
  (void)uiParam;
  (void)fWinIni;
  if (pvParam == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  switch (uiAction) {
    case SPI_GETWORKAREA: *static_cast<RECT*>(pvParam) = CurrentHost().WorkArea(); return TRUE;
    case SPI_GETMOUSEHOVERWIDTH:
    case SPI_GETMOUSEHOVERHEIGHT: *static_cast<UINT*>(pvParam) = kDefaultHoverSize; return TRUE;
    case SPI_GETMOUSEHOVERTIME: *static_cast<UINT*>(pvParam) = kDefaultHoverTime; return TRUE;
    default: SetLastError(ERROR_INVALID_SPI_VALUE); return FALSE;
  }
}

int WINAPI GetSystemMetrics(int nIndex) {
  RECT screen = CurrentHost().ScreenRect();
  switch (nIndex) {
    case SM_CXSCREEN: return screen.right - screen.left;
    case SM_CYSCREEN: return screen.bottom - screen.top;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    case SM_CXDRAG:
    case SM_CYDRAG: return 4;
    case SM_CXMINTRACK: return 136;
    case SM_CYMINTRACK: return 39;
    case SM_CXMAXTRACK: return screen.right - screen.left + 12;
    case SM_CYMAXTRACK: return screen.bottom - screen.top + 12;
    default: return 0;
  }
}

HMONITOR WINAPI MonitorFromPoint(POINT pt, DWORD dwFlags) {
  RECT screen = CurrentHost().ScreenRect();
  if (PtInRect(&screen, pt) || dwFlags != MONITOR_DEFAULTTONULL) return kPrimaryMonitor;
  return nullptr;
}

HMONITOR WINAPI MonitorFromWindow(HWND hwnd, DWORD dwFlags) {
  RECT r{};
  if (!GetWindowRect(hwnd, &r)) return dwFlags == MONITOR_DEFAULTTONULL ? nullptr : kPrimaryMonitor;
  RECT screen = CurrentHost().ScreenRect();
  RECT overlap{};
  if (IntersectRect(&overlap, &r, &screen) || dwFlags != MONITOR_DEFAULTTONULL) {
    return kPrimaryMonitor;
  }
  return nullptr;
}

BOOL WINAPI GetMonitorInfoW(HMONITOR hMonitor, LPMONITORINFO lpmi) {
  if (hMonitor != kPrimaryMonitor) {
    SetLastError(ERROR_INVALID_MONITOR_HANDLE);
    return FALSE;
  }
  if (lpmi == nullptr || lpmi->cbSize < sizeof(MONITORINFO)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  lpmi->rcMonitor = CurrentHost().ScreenRect();
  lpmi->rcWork = CurrentHost().WorkArea();
  lpmi->dwFlags = MONITORINFOF_PRIMARY;
  return TRUE;
}

// The default answers of a window procedure.
#include <algorithm>

#include "Platform/Host/Host.h"
#include "Platform/Window/GdiBridge.h"
#include "Platform/Window/WindowOps.h"

namespace Platform {
namespace {

struct Facts {
  HWND parent = nullptr;
  bool child = false;
  DWORD style = 0;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  HostWindow* host = nullptr;
  RECT windowOnScreen{};
  RECT clientOnScreen{};
};

bool GetFacts(HWND hwnd, Facts* f) {
  auto lock = WindowLock();
  const Window* w = FindWindowLocked(hwnd);
  if (w == nullptr) return false;
  f->parent = w->parent;
  f->child = (w->style & WS_CHILD) != 0;
  f->style = w->style;
  f->cursor = w->cls->cursor;
  f->background = w->cls->background;
  f->host = w->host;
  f->windowOnScreen = WindowRectOnScreenLocked(w);
  POINT o = ClientOriginOnScreenLocked(w);
  f->clientOnScreen = RECT{o.x, o.y, o.x + (w->client.right - w->client.left),
                           o.y + (w->client.bottom - w->client.top)};
  return true;
}

LRESULT HitTest(const Facts& f, LPARAM lParam) {
  POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (PtInRect(&f.clientOnScreen, pt)) return HTCLIENT;
  if (PtInRect(&f.windowOnScreen, pt)) return HTBORDER;
  return HTNOWHERE;
}

int SizingCursor(int hit) {
  switch (hit) {
    case HTLEFT:
    case HTRIGHT: return 32644;
    case HTTOP:
    case HTBOTTOM: return 32645;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: return 32642;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: return 32643;
    default: return 32512;
  }
}

LRESULT SetCursorDefault(HWND hwnd, const Facts& f, WPARAM wParam, LPARAM lParam) {
  if (f.child && f.parent != nullptr && SendMessageW(f.parent, WM_SETCURSOR, wParam, lParam)) {
    return TRUE;
  }
  int hit = static_cast<short>(LOWORD(lParam));
  if (hit == HTCLIENT) {
    if (f.cursor != nullptr) SetCursor(f.cursor);
    return FALSE;
  }
  (void)hwnd;
  SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(SizingCursor(hit))));
  return FALSE;
}

LRESULT EraseBackground(const Facts& f, HWND hwnd, WPARAM wParam) {
  if (f.background == nullptr) return 0;
  RECT rc{};
  GetClientRect(hwnd, &rc);
  return FillWithBrush(reinterpret_cast<HDC>(wParam), rc, f.background) ? 1 : 0;
}

LRESULT CopyText(HWND hwnd, WPARAM count, LPARAM buffer) {
  auto* out = reinterpret_cast<LPWSTR>(buffer);
  if (out == nullptr || count == 0) return 0;
  auto lock = WindowLock();
  const Window* w = FindWindowLocked(hwnd);
  if (w == nullptr) return 0;
  size_t n = std::min(w->text.size(), static_cast<size_t>(count) - 1);
  std::copy_n(w->text.begin(), n, out);
  out[n] = u'\0';
  return static_cast<LRESULT>(n);
}

LRESULT StoreText(HWND hwnd, LPARAM text) {
  HostWindow* host = nullptr;
  std::u16string value = text != 0 ? reinterpret_cast<LPCWSTR>(text) : u"";
  {
    auto lock = WindowLock();
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr) return FALSE;
    w->text = value;
    host = w->host;
  }
  if (host != nullptr) CurrentHost().SetHostTitle(host, value);
  return TRUE;
}

void SendSizeAndMove(HWND hwnd, const WINDOWPOS* pos) {
  if (pos == nullptr) return;
  if ((pos->flags & SWP_NOSIZE) == 0) {
    RECT c{};
    GetClientRect(hwnd, &c);
    WPARAM kind = IsIconic(hwnd) ? SIZE_MINIMIZED : IsZoomed(hwnd) ? SIZE_MAXIMIZED : SIZE_RESTORED;
    SendMessageW(hwnd, WM_SIZE, kind, MAKELPARAM(c.right, c.bottom));
  }
  if ((pos->flags & SWP_NOMOVE) == 0) {
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    HWND parent = GetAncestor(hwnd, GA_PARENT);
    if (parent != nullptr) ScreenToClient(parent, &origin);
    SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
  }
}

LRESULT SysCommand(HWND hwnd, WPARAM wParam, const Facts& f) {
  switch (wParam & 0xFFF0) {
    case SC_CLOSE: return SendMessageW(hwnd, WM_CLOSE, 0, 0);
    case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); return 0;
    case SC_MAXIMIZE: ShowWindow(hwnd, SW_MAXIMIZE); return 0;
    case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); return 0;
    case SC_SIZE:
      if (f.host != nullptr && !f.child && (wParam & 0xF) >= WMSZ_LEFT &&
          (wParam & 0xF) <= WMSZ_BOTTOMRIGHT) {
        POINT pt{};
        GetCursorPos(&pt);
        CurrentHost().BeginResizeDrag(f.host, static_cast<int>(wParam & 0xF), 1, pt);
      }
      return 0;
    case SC_MOVE:
      if (f.host != nullptr) {
        POINT pt{};
        GetCursorPos(&pt);
        CurrentHost().BeginMoveDrag(f.host, 1, pt);
      }
      return 0;
    default: return 0;
  }
}

LRESULT NonClientButtonDown(HWND hwnd, WPARAM hit, LPARAM lParam, const Facts& f) {
  HWND top = GetAncestor(hwnd, GA_ROOT);
  if (top != nullptr && GetActiveWindow() != top) SetActiveWindow(top);
  if (hit == HTCAPTION && !f.child && f.host != nullptr) {
    CurrentHost().BeginMoveDrag(f.host, 1, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  } else if (hit >= HTLEFT && hit <= HTBOTTOMRIGHT) {
    // The sizing hit-test codes run in the same order as the WMSZ_ edges.
    SendMessageW(hwnd, WM_SYSCOMMAND, SC_SIZE + (hit - HTLEFT + WMSZ_LEFT), lParam);
  }
  return 0;
}

}  // namespace
}  // namespace Platform

using namespace Platform;

LRESULT WINAPI DefWindowProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  Facts f;
  if (!GetFacts(hWnd, &f)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  switch (Msg) {
    case WM_NCCREATE: return TRUE;
    case WM_NCCALCSIZE:
    case WM_NCPAINT: return 0;
    case WM_NCACTIVATE: return TRUE;
    case WM_NCHITTEST: return HitTest(f, lParam);
    case WM_SETCURSOR: return SetCursorDefault(hWnd, f, wParam, lParam);
    case WM_MOUSEACTIVATE:
      if (f.child && f.parent != nullptr) {
        LRESULT r = SendMessageW(f.parent, WM_MOUSEACTIVATE, wParam, lParam);
        if (r != 0) return r;
      }
      return MA_ACTIVATE;
    case WM_ERASEBKGND: return EraseBackground(f, hWnd, wParam);
    case WM_PAINT: {
      PAINTSTRUCT ps{};
      if (BeginPaint(hWnd, &ps) != nullptr) EndPaint(hWnd, &ps);
      return 0;
    }
    case WM_CLOSE: DestroyWindow(hWnd); return 0;
    case WM_WINDOWPOSCHANGED:
      SendSizeAndMove(hWnd, reinterpret_cast<const WINDOWPOS*>(lParam));
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0) {
        HWND focus = GetFocus();
        if (focus == nullptr || (focus != hWnd && !IsChild(hWnd, focus))) SetFocus(hWnd);
      }
      return 0;
    case WM_SETTEXT: return StoreText(hWnd, lParam);
    case WM_GETTEXT: return CopyText(hWnd, wParam, lParam);
    case WM_GETTEXTLENGTH: {
      auto lock = WindowLock();
      const Window* w = FindWindowLocked(hWnd);
      return w != nullptr ? static_cast<LRESULT>(w->text.size()) : 0;
    }
    case WM_SYSCOMMAND: return SysCommand(hWnd, wParam, f);
    case WM_NCLBUTTONDOWN: return NonClientButtonDown(hWnd, wParam, lParam, f);
    case WM_NCLBUTTONDBLCLK:
      if (wParam == HTCAPTION && (f.style & WS_MAXIMIZEBOX) != 0) {
        SendMessageW(hWnd, WM_SYSCOMMAND, IsZoomed(hWnd) ? SC_RESTORE : SC_MAXIMIZE, lParam);
      }
      return 0;
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4 && (lParam & (1 << 29)) != 0) {
        SendMessageW(GetAncestor(hWnd, GA_ROOT), WM_SYSCOMMAND, SC_CLOSE, 0);
      }
      return 0;
    case WM_RBUTTONUP: {
      POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(hWnd, &pt);
      SendMessageW(hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hWnd), MAKELPARAM(pt.x, pt.y));
      return 0;
    }
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case WM_CONTEXTMENU:
      if (f.child && f.parent != nullptr) return SendMessageW(f.parent, Msg, wParam, lParam);
      return 0;
    case WM_CANCELMODE:
      if (GetCapture() == hWnd) ReleaseCapture();
      return 0;
    case WM_QUERYENDSESSION: return TRUE;
    default: return 0;
  }
}

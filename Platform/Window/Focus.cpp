// Activation, keyboard focus and mouse capture, with their messages.
#include "Platform/Host/Host.h"
#include "Platform/Window/WindowOps.h"

namespace Platform {
namespace {

bool IsMinimized(HWND hwnd) { return IsIconic(hwnd) != FALSE; }

void Deactivate(HWND old, HWND next) {
  if (old == nullptr || !IsWindow(old)) return;
  SendMessageW(old, WM_NCACTIVATE, FALSE, 0);
  SendMessageW(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsMinimized(old)),
               reinterpret_cast<LPARAM>(next));
}

}  // namespace

void ActivateWindow(HWND hwnd, WORD how) {
  HWND top = nullptr, old = nullptr;
  {
    auto lock = WindowLock();
    top = TopLevelOfLocked(hwnd);
    if (top == nullptr || WM().active == top) return;
    old = WM().active;
    WM().active = top;
  }
  Deactivate(old, top);
  {
    auto lock = WindowLock();
    if (WM().active != top || FindWindowLocked(top) == nullptr) return;
  }
  SendMessageW(top, WM_NCACTIVATE, TRUE, 0);
  SendMessageW(top, WM_ACTIVATE, MAKEWPARAM(how, IsMinimized(top)), reinterpret_cast<LPARAM>(old));
}

void DeactivateApplication() {
  HWND top = nullptr, focus = nullptr;
  {
    auto lock = WindowLock();
    auto& wm = WM();
    top = wm.active;
    if (top == nullptr) return;
    wm.active = nullptr;
    if (wm.focus != nullptr && IsDescendantLocked(top, wm.focus)) {
      focus = wm.focus;
      wm.focus = nullptr;
    }
  }
  Deactivate(top, nullptr);
  if (IsWindow(top)) SendMessageW(top, WM_ACTIVATEAPP, FALSE, 0);
  if (focus != nullptr && IsWindow(focus)) SendMessageW(focus, WM_KILLFOCUS, 0, 0);
}

void LeaveInputState(HWND hwnd) {
  HWND focus = nullptr, capture = nullptr, owner = nullptr;
  bool wasActive = false;
  {
    auto lock = WindowLock();
    auto& wm = WM();
    if (wm.focus != nullptr && IsDescendantLocked(hwnd, wm.focus)) focus = wm.focus;
    if (wm.capture != nullptr && IsDescendantLocked(hwnd, wm.capture)) {
      capture = wm.capture;
      wm.capture = nullptr;
    }
    if (wm.active == hwnd) {
      wasActive = true;
      wm.active = nullptr;
      if (const Window* w = FindWindowLocked(hwnd)) owner = w->owner;
    }
  }
  if (capture != nullptr) SendMessageW(capture, WM_CAPTURECHANGED, 0, 0);
  if (focus != nullptr) {
    {
      auto lock = WindowLock();
      if (WM().focus == focus) WM().focus = nullptr;
    }
    SendMessageW(focus, WM_KILLFOCUS, 0, 0);
  }
  if (wasActive) {
    Deactivate(hwnd, nullptr);
    if (owner != nullptr && IsWindowVisible(owner) && IsWindowEnabled(owner)) {
      ActivateWindow(owner, WA_ACTIVE);
    }
  }
}

}  // namespace Platform

using namespace Platform;

HWND WINAPI SetFocus(HWND hWnd) {
  HWND old = nullptr;
  if (hWnd != nullptr) {
    HWND top = nullptr;
    {
      auto lock = WindowLock();
      Window* w = FindWindowLocked(hWnd);
      if (w == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
      }
      if (WM().focus == hWnd) return hWnd;
      top = TopLevelOfLocked(hWnd);
      if (WM().active != top) {
        lock.unlock();
        ActivateWindow(top, WA_ACTIVE);
        lock.lock();
      }
      old = WM().focus;
    }
    if (old == hWnd) return old;
    if (old != nullptr) SendMessageW(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
    {
      auto lock = WindowLock();
      if (FindWindowLocked(hWnd) == nullptr) return old;
      WM().focus = hWnd;
    }
    SendMessageW(hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return old;
  }
  {
    auto lock = WindowLock();
    old = WM().focus;
    WM().focus = nullptr;
  }
  if (old != nullptr) SendMessageW(old, WM_KILLFOCUS, 0, 0);
  return old;
}

HWND WINAPI GetFocus() {
  auto lock = WindowLock();
  return FindWindowLocked(WM().focus) != nullptr ? WM().focus : nullptr;
}

HWND WINAPI SetActiveWindow(HWND hWnd) {
  HWND old = GetActiveWindow();
  if (hWnd == nullptr) {
    if (old != nullptr) LeaveInputState(old);
    return old;
  }
  HostWindow* host = nullptr;
  {
    auto lock = WindowLock();
    Window* w = FindWindowLocked(hWnd);
    if (w == nullptr || w->parent != nullptr) {
      SetLastError(w == nullptr ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
      return nullptr;
    }
    host = w->host;
  }
  ActivateWindow(hWnd, WA_ACTIVE);
  if (host != nullptr) CurrentHost().Activate(host);
  return old;
}

HWND WINAPI GetActiveWindow() {
  auto lock = WindowLock();
  return FindWindowLocked(WM().active) != nullptr ? WM().active : nullptr;
}

BOOL WINAPI SetForegroundWindow(HWND hWnd) {
  if (!IsWindow(hWnd)) return FALSE;
  SetActiveWindow(GetAncestor(hWnd, GA_ROOT));
  return TRUE;
}

HWND WINAPI GetForegroundWindow() { return GetActiveWindow(); }

HWND WINAPI SetCapture(HWND hWnd) {
  HWND old = nullptr;
  {
    auto lock = WindowLock();
    if (FindWindowLocked(hWnd) == nullptr) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return nullptr;
    }
    old = FindWindowLocked(WM().capture) != nullptr ? WM().capture : nullptr;
    WM().capture = hWnd;
  }
  if (old != nullptr && old != hWnd) {
    SendMessageW(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hWnd));
  }
  return old;
}

BOOL WINAPI ReleaseCapture() {
  HWND old = nullptr;
  {
    auto lock = WindowLock();
    old = WM().capture;
    WM().capture = nullptr;
  }
  if (old != nullptr && IsWindow(old)) SendMessageW(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND WINAPI GetCapture() {
  auto lock = WindowLock();
  return FindWindowLocked(WM().capture) != nullptr ? WM().capture : nullptr;
}

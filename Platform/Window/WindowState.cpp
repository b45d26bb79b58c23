#include "Platform/Window/WindowState.h"

#include <sys/syscall.h>
#include <unistd.h>

#include "Platform/Kernel/Clock.h"
#include "Platform/Window/GdiBridge.h"

namespace Platform {

Window::~Window() {
  if (update != nullptr) cairo_region_destroy(update);
  if (shape != nullptr) cairo_region_destroy(shape);
  if (surface != nullptr) cairo_surface_destroy(surface);
  if (regionHandle != nullptr) DeleteRegionHandle(regionHandle);
}

WindowManagerState& WM() {
  static WindowManagerState* state = new WindowManagerState();  // lives as long as the process
  return *state;
}

std::unique_lock<std::mutex> WindowLock() { return std::unique_lock<std::mutex>(WM().lock); }

Window* FindWindowLocked(HWND hwnd) {
  auto& wm = WM();
  auto it = wm.windows.find(hwnd);
  if (it == wm.windows.end() || it->second->dead) return nullptr;
  return it->second.get();
}

WindowPtr GetWindowPtr(HWND hwnd) {
  auto lock = WindowLock();
  auto& wm = WM();
  auto it = wm.windows.find(hwnd);
  if (it == wm.windows.end() || it->second->dead) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  return it->second;
}

POINT ClientOriginOnScreenLocked(const Window* w) {
  RECT r = WindowRectOnScreenLocked(w);
  return POINT{r.left + w->client.left, r.top + w->client.top};
}

RECT WindowRectOnScreenLocked(const Window* w) {
  RECT r = w->rect;
  if (w->parent != nullptr) {
    if (const Window* p = FindWindowLocked(w->parent)) {
      POINT o = ClientOriginOnScreenLocked(p);
      r.left += o.x;
      r.right += o.x;
      r.top += o.y;
      r.bottom += o.y;
    }
  }
  return r;
}

HWND TopLevelOfLocked(HWND hwnd) {
  const Window* w = FindWindowLocked(hwnd);
  while (w != nullptr && w->parent != nullptr) {
    const Window* p = FindWindowLocked(w->parent);
    if (p == nullptr) break;
    w = p;
  }
  return w != nullptr ? w->handle : nullptr;
}

bool IsVisibleLocked(const Window* w) {
  while (w != nullptr) {
    if ((w->style & WS_VISIBLE) == 0) return false;
    if (w->parent == nullptr) return true;
    w = FindWindowLocked(w->parent);
  }
  return false;
}

bool IsDescendantLocked(HWND ancestor, HWND hwnd) {
  const Window* w = FindWindowLocked(hwnd);
  while (w != nullptr) {
    if (w->handle == ancestor) return true;
    if (w->parent == nullptr) return false;
    w = FindWindowLocked(w->parent);
  }
  return false;
}

LRESULT CallWindowProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WNDPROC proc = nullptr;
  {
    auto lock = WindowLock();
    auto& wm = WM();
    auto it = wm.windows.find(hwnd);
    if (it == wm.windows.end() || it->second->dead) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
    proc = it->second->proc;
  }
  return proc != nullptr ? proc(hwnd, msg, wParam, lParam) : 0;
}

DWORD CurrentThreadIdValue() {
  thread_local DWORD id = static_cast<DWORD>(syscall(SYS_gettid));
  return id;
}

DWORD NowTicks() { return static_cast<DWORD>(ClockNow()); }

}  // namespace Platform

DWORD WINAPI GetCurrentThreadId() { return Platform::CurrentThreadIdValue(); }

DWORD WINAPI GetTickCount() { return Platform::NowTicks(); }

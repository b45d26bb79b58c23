#pragma once
// The window manager's records: classes, windows and the process-wide input state. Everything
// here is guarded by one lock (WindowLock); window procedures and host calls always run with
// the lock released.

#include <cairo.h>

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "Platform/Win32.h"

namespace Platform {

struct HostWindow;
struct ThreadQueue;

struct WindowClass {
  std::u16string name;
  UINT style = 0;
  WNDPROC proc = nullptr;
  int classExtra = 0;
  int windowExtra = 0;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HICON iconSmall = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  LPCWSTR menuName = nullptr;
  ATOM atom = 0;
  bool system = false;
  int windows = 0;
};

struct Window {
  HWND handle = nullptr;
  std::shared_ptr<WindowClass> cls;
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  HINSTANCE instance = nullptr;
  LONG_PTR id = 0;
  LONG_PTR userData = 0;
  std::vector<BYTE> extra;
  HWND parent = nullptr;
  HWND owner = nullptr;
  std::vector<HWND> children;  // z-order, top first
  RECT rect{};                 // parent client coordinates (screen for top-level windows)
  RECT client{};               // relative to the window's top-left corner
  std::u16string text;
  std::vector<std::pair<std::u16string, HANDLE>> props;
  std::shared_ptr<ThreadQueue> queue;

  bool created = false;     // WM_NCCREATE answered
  bool destroying = false;  // DestroyWindow under way
  bool dead = false;
  bool minimized = false;
  bool maximized = false;
  RECT restoreRect{};
  bool topmost = false;
  bool sizeMoveSent = false;  // WM_SIZE/WM_MOVE went out at least once

  cairo_region_t* update = nullptr;  // client coordinates
  bool eraseBackground = false;
  bool inPaint = false;
  bool paintBegun = false;  // BeginPaint ran during the WM_PAINT being dispatched

  HostWindow* host = nullptr;
  cairo_surface_t* surface = nullptr;  // whole-window pixels of a top-level window
  cairo_region_t* shape = nullptr;     // window coordinates; null for the full rectangle
  HRGN regionHandle = nullptr;
  BYTE alpha = 255;
  COLORREF colorKey = 0;
  DWORD layeredFlags = 0;

  ~Window();
};

using WindowPtr = std::shared_ptr<Window>;

struct WindowManagerState {
  std::mutex lock;
  std::unordered_map<HWND, WindowPtr> windows;
  std::vector<HWND> topLevels;  // z-order, top first
  std::vector<std::shared_ptr<WindowClass>> classes;
  ATOM nextAtom = 0xC000;
  uintptr_t nextHandle = 0x10000;
  HWND focus = nullptr;
  HWND active = nullptr;
  HWND capture = nullptr;
};

WindowManagerState& WM();
std::unique_lock<std::mutex> WindowLock();

// Under the lock: the record of a live window, or null.
Window* FindWindowLocked(HWND hwnd);
// Without the lock: a reference that keeps the record alive, or null (sets
// ERROR_INVALID_WINDOW_HANDLE).
WindowPtr GetWindowPtr(HWND hwnd);

// Under the lock: geometry helpers.
POINT ClientOriginOnScreenLocked(const Window* w);
RECT WindowRectOnScreenLocked(const Window* w);
HWND TopLevelOfLocked(HWND hwnd);
bool IsVisibleLocked(const Window* w);              // the window and all its ancestors are visible
bool IsDescendantLocked(HWND ancestor, HWND hwnd);  // hwnd == ancestor counts

// Calls the window's procedure on the calling thread (which must own the window).
LRESULT CallWindowProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

DWORD CurrentThreadIdValue();
// GetTickCount: the low 32 bits of the clock of Platform/Kernel/Clock.h.
DWORD NowTicks();

// The caller's message time and position (the last message retrieved by this thread).
void SetLastMessageInfo(DWORD time, POINT pt);

}  // namespace Platform

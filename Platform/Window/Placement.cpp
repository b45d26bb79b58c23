// Position, size, z-order and visibility: SetWindowPos and ShowWindow with their messages.
#include <algorithm>
#include <functional>

#include "Platform/Host/Host.h"
#include "Platform/Window/MessageQueue.h"
#include "Platform/Window/WindowOps.h"

namespace Platform {
namespace {

const HWND kTopmost = reinterpret_cast<HWND>(-1);
const HWND kNotTopmost = reinterpret_cast<HWND>(-2);
const HWND kBottom = reinterpret_cast<HWND>(1);

struct Snapshot {
  RECT rect{};
  RECT client{};
  bool visible = false;
  bool topLevel = false;
  bool child = false;
  bool minimized = false;
  bool maximized = false;
  bool sizeMoveSent = false;
  HostWindow* host = nullptr;
  HWND parent = nullptr;
};

bool TakeSnapshot(HWND hwnd, Snapshot* s) {
  auto lock = WindowLock();
  Window* w = FindWindowLocked(hwnd);
  if (w == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  s->rect = w->rect;
  s->client = w->client;
  s->visible = (w->style & WS_VISIBLE) != 0;
  s->topLevel = w->parent == nullptr;
  s->child = (w->style & WS_CHILD) != 0;
  s->minimized = w->minimized;
  s->maximized = w->maximized;
  s->sizeMoveSent = w->sizeMoveSent;
  s->host = w->host;
  s->parent = w->parent;
  return true;
}

void ApplyZOrderLocked(Window* w, HWND after) {
  auto& wm = WM();
  if (w->parent != nullptr) {
    Window* p = FindWindowLocked(w->parent);
    if (p == nullptr) return;
    auto& list = p->children;
    std::erase(list, w->handle);
    if (after == nullptr || after == kTopmost || after == kNotTopmost) {
      list.insert(list.begin(), w->handle);
    } else if (after == kBottom) {
      list.push_back(w->handle);
    } else {
      auto pos = std::find(list.begin(), list.end(), after);
      list.insert(pos == list.end() ? list.begin() : pos + 1, w->handle);
    }
    return;
  }
  if (after == kTopmost) w->topmost = true;
  if (after == kNotTopmost) w->topmost = false;
  if (w->topmost) {
    w->exStyle |= WS_EX_TOPMOST;
  } else {
    w->exStyle &= ~static_cast<DWORD>(WS_EX_TOPMOST);
  }
  auto& list = wm.topLevels;
  std::erase(list, w->handle);
  auto isTopmost = [&](HWND h) { return wm.windows[h]->topmost; };
  auto bandStart =
      w->topmost ? list.begin() : std::find_if_not(list.begin(), list.end(), isTopmost);
  auto bandEnd = w->topmost ? std::find_if_not(list.begin(), list.end(), isTopmost) : list.end();
  if (after == kBottom) {
    list.insert(bandEnd, w->handle);
  } else if (after == nullptr || after == kTopmost || after == kNotTopmost) {
    list.insert(bandStart, w->handle);
  } else {
    auto pos = std::find(bandStart, bandEnd, after);
    list.insert(pos == bandEnd ? bandStart : pos + 1, w->handle);
  }
}

void RecalculateClient(HWND hwnd, const Snapshot& before, const RECT& newRect) {
  NCCALCSIZE_PARAMS params{};
  WINDOWPOS pos{};
  params.rgrc[0] = newRect;
  params.rgrc[1] = before.rect;
  params.rgrc[2] = before.client;
  OffsetRect(&params.rgrc[2], before.rect.left, before.rect.top);
  params.lppos = &pos;
  CallWindowProcedure(hwnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
  auto lock = WindowLock();
  if (Window* w = FindWindowLocked(hwnd)) {
    RECT c = params.rgrc[0];
    c.left = std::clamp(c.left, newRect.left, newRect.right);
    c.top = std::clamp(c.top, newRect.top, newRect.bottom);
    c.right = std::clamp(c.right, c.left, newRect.right);
    c.bottom = std::clamp(c.bottom, c.top, newRect.bottom);
    w->client = RECT{c.left - newRect.left, c.top - newRect.top, c.right - newRect.left,
                     c.bottom - newRect.top};
  }
}

void UpdateHost(HWND hwnd, const Snapshot& before, UINT flags) {
  HostWindow* host = nullptr;
  RECT rect{};
  bool visible = false, topmost = false;
  {
    auto lock = WindowLock();
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr || w->host == nullptr) return;
    host = w->host;
    rect = w->rect;
    visible = (w->style & WS_VISIBLE) != 0;
    topmost = w->topmost;
    SyncSurfaceLocked(w);
  }
  Host& h = CurrentHost();
  if ((flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE))
    h.MoveHostWindow(host, rect);
  if ((flags & SWP_NOZORDER) == 0) h.SetKeepAbove(host, topmost);
  if (visible != before.visible) h.ShowHostWindow(host, visible, (flags & SWP_NOACTIVATE) == 0);
}

}  // namespace

BOOL SetWindowPosOnOwner(HWND hwnd, HWND after, int x, int y, int cx, int cy, UINT flags) {
  Snapshot before;
  if (!TakeSnapshot(hwnd, &before)) return FALSE;
  WINDOWPOS pos{hwnd, after, x, y, cx, cy, flags};
  if ((flags & SWP_NOMOVE) != 0) {
    pos.x = before.rect.left;
    pos.y = before.rect.top;
  }
  if ((flags & SWP_NOSIZE) != 0) {
    pos.cx = before.rect.right - before.rect.left;
    pos.cy = before.rect.bottom - before.rect.top;
  }
  if ((flags & SWP_NOSENDCHANGING) == 0) {
    CallWindowProcedure(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    if (!IsWindow(hwnd)) return FALSE;
  }
  pos.cx = std::max(pos.cx, 0);
  pos.cy = std::max(pos.cy, 0);
  RECT newRect{pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy};
  bool moved = newRect.left != before.rect.left || newRect.top != before.rect.top;
  bool resized = (newRect.right - newRect.left) != (before.rect.right - before.rect.left) ||
                 (newRect.bottom - newRect.top) != (before.rect.bottom - before.rect.top);
  if (resized || (pos.flags & SWP_FRAMECHANGED) != 0) RecalculateClient(hwnd, before, newRect);
  bool show = (pos.flags & SWP_SHOWWINDOW) != 0 && !before.visible;
  bool hide = (pos.flags & SWP_HIDEWINDOW) != 0 && before.visible;
  if (hide) LeaveInputState(hwnd);
  {
    auto lock = WindowLock();
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr) return FALSE;
    w->rect = newRect;
    if ((pos.flags & SWP_NOZORDER) == 0) ApplyZOrderLocked(w, pos.hwndInsertAfter);
    if (show) w->style |= WS_VISIBLE;
    if (hide) w->style &= ~static_cast<DWORD>(WS_VISIBLE);
  }
  UINT applied = pos.flags;
  if (!moved) applied |= SWP_NOMOVE;
  if (!resized) applied |= SWP_NOSIZE;
  UpdateHost(hwnd, before, applied);
  if ((applied & SWP_NOREDRAW) == 0 && (show || resized || (pos.flags & SWP_FRAMECHANGED))) {
    InvalidateWindowArea(hwnd, nullptr, true, true);
  }
  if (!before.topLevel && (show || hide || moved || resized)) {
    InvalidateWindowArea(before.parent, nullptr, true, true);
  }
  if (show && before.topLevel && !before.child && (pos.flags & SWP_NOACTIVATE) == 0) {
    ActivateWindow(hwnd, WA_ACTIVE);
  }
  if (!before.sizeMoveSent && (show || moved || resized)) {
    applied &= ~static_cast<UINT>(SWP_NOMOVE | SWP_NOSIZE);
    auto lock = WindowLock();
    if (Window* w = FindWindowLocked(hwnd)) w->sizeMoveSent = true;
  }
  WINDOWPOS done = pos;
  done.flags = applied;
  done.cx = newRect.right - newRect.left;
  done.cy = newRect.bottom - newRect.top;
  CallWindowProcedure(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&done));
  return TRUE;
}

static void Minimize(HWND hwnd, bool activate) {
  HostWindow* host = nullptr;
  {
    auto lock = WindowLock();
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr || w->minimized) return;
    w->minimized = true;
    w->style |= WS_MINIMIZE;
    host = w->host;
  }
  if (host != nullptr) CurrentHost().SetMinimized(host, true);
  if (!activate) LeaveInputState(hwnd);
  CallWindowProcedure(hwnd, WM_SIZE, SIZE_MINIMIZED, 0);
}

static void Restore(HWND hwnd, int cmd) {
  HostWindow* host = nullptr;
  bool wasMin = false, wasMax = false;
  RECT restore{};
  {
    auto lock = WindowLock();
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr) return;
    wasMin = w->minimized;
    wasMax = w->maximized;
    restore = w->restoreRect;
    w->minimized = false;
    w->style &= ~static_cast<DWORD>(WS_MINIMIZE);
    if (cmd == SW_MAXIMIZE) {
      if (!w->maximized) w->restoreRect = w->rect;
      w->maximized = true;
      w->style |= WS_MAXIMIZE;
    } else if (wasMax && !wasMin) {
      w->maximized = false;
      w->style &= ~static_cast<DWORD>(WS_MAXIMIZE);
    }
    host = w->host;
  }
  if (wasMin && host != nullptr) CurrentHost().SetMinimized(host, false);
  UINT flags = SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_NOZORDER;
  if (cmd == SW_MAXIMIZE && !wasMax) {
    RECT work = CurrentHost().WorkArea();
    MINMAXINFO mmi{};
    mmi.ptMaxSize = {work.right - work.left, work.bottom - work.top};
    mmi.ptMaxPosition = {work.left, work.top};
    mmi.ptMaxTrackSize = mmi.ptMaxSize;
    CallWindowProcedure(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    SetWindowPosOnOwner(hwnd, nullptr, mmi.ptMaxPosition.x, mmi.ptMaxPosition.y, mmi.ptMaxSize.x,
                        mmi.ptMaxSize.y, flags);
  } else if (cmd != SW_MAXIMIZE && wasMax && !wasMin) {
    SetWindowPosOnOwner(hwnd, nullptr, restore.left, restore.top, restore.right - restore.left,
                        restore.bottom - restore.top, flags);
  } else {
    SetWindowPosOnOwner(hwnd, nullptr, 0, 0, 0, 0, flags | SWP_NOMOVE | SWP_NOSIZE);
    if (wasMin) {
      RECT c{};
      GetClientRect(hwnd, &c);
      CallWindowProcedure(hwnd, WM_SIZE, wasMax ? SIZE_MAXIMIZED : SIZE_RESTORED,
                          MAKELPARAM(c.right, c.bottom));
    }
  }
}

BOOL ShowWindowOnOwner(HWND hwnd, int cmd) {
  Snapshot s;
  if (!TakeSnapshot(hwnd, &s)) return FALSE;
  BOOL was = s.visible ? TRUE : FALSE;
  switch (cmd) {
    case SW_HIDE:
      if (!s.visible) return was;
      CallWindowProcedure(hwnd, WM_SHOWWINDOW, FALSE, 0);
      SetWindowPosOnOwner(hwnd, nullptr, 0, 0, 0, 0,
                          SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      return was;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE:
      if (!s.visible) {
        CallWindowProcedure(hwnd, WM_SHOWWINDOW, TRUE, 0);
        SetWindowPosOnOwner(hwnd, nullptr, 0, 0, 0, 0,
                            SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
      }
      Minimize(hwnd, cmd == SW_SHOWMINIMIZED);
      return was;
    case SW_MAXIMIZE:
      if (!s.visible) CallWindowProcedure(hwnd, WM_SHOWWINDOW, TRUE, 0);
      Restore(hwnd, SW_MAXIMIZE);
      return was;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
    case SW_SHOWDEFAULT:
      if (s.minimized || s.maximized) {
        if (!s.visible && cmd != SW_SHOWNORMAL) CallWindowProcedure(hwnd, WM_SHOWWINDOW, TRUE, 0);
        Restore(hwnd, cmd);
        return was;
      }
      break;
    default: break;
  }
  if (s.visible) return was;
  // Windows documents that SW_SHOWNORMAL shows the window without WM_SHOWWINDOW.
  if (cmd != SW_SHOWNORMAL) CallWindowProcedure(hwnd, WM_SHOWWINDOW, TRUE, 0);
  UINT flags = SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE;
  if (cmd == SW_SHOWNA || cmd == SW_SHOWNOACTIVATE || s.child) flags |= SWP_NOACTIVATE;
  if (cmd == SW_SHOWNA || s.child) flags |= SWP_NOZORDER;
  SetWindowPosOnOwner(hwnd, nullptr, 0, 0, 0, 0, flags);
  return was;
}

// Runs fn on the thread that owns hwnd, as Windows does for these calls from other threads.
static BOOL OnOwnerThread(HWND hwnd, const std::function<BOOL()>& fn) {
  QueuePtr q;
  {
    auto lock = WindowLock();
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    q = w->queue;
  }
  BOOL result = FALSE;
  if (!RunOnThread(q, [&] { result = fn(); })) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return result;
}

}  // namespace Platform

using namespace Platform;

BOOL WINAPI SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy,
                         UINT uFlags) {
  return OnOwnerThread(
      hWnd, [&] { return SetWindowPosOnOwner(hWnd, hWndInsertAfter, X, Y, cx, cy, uFlags); });
}

BOOL WINAPI MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint) {
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW);
  return SetWindowPos(hWnd, nullptr, X, Y, nWidth, nHeight, flags);
}

BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
  if (nCmdShow < SW_HIDE || nCmdShow > SW_FORCEMINIMIZE) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return OnOwnerThread(hWnd, [&] { return ShowWindowOnOwner(hWnd, nCmdShow); });
}

BOOL WINAPI IsWindowVisible(HWND hWnd) {
  auto lock = WindowLock();
  Window* w = FindWindowLocked(hWnd);
  return w != nullptr && IsVisibleLocked(w) ? TRUE : FALSE;
}

BOOL WINAPI IsIconic(HWND hWnd) {
  auto lock = WindowLock();
  Window* w = FindWindowLocked(hWnd);
  return w != nullptr && w->minimized ? TRUE : FALSE;
}

BOOL WINAPI IsZoomed(HWND hWnd) {
  auto lock = WindowLock();
  Window* w = FindWindowLocked(hWnd);
  return w != nullptr && w->maximized ? TRUE : FALSE;
}

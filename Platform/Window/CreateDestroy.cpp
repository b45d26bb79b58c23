// Creating and destroying windows, with the messages Windows sends on the way.
#include <algorithm>

#include "Platform/Host/Host.h"
#include "Platform/Window/MessageQueue.h"
#include "Platform/Window/WindowClasses.h"
#include "Platform/Window/WindowOps.h"

namespace Platform {
namespace {

const HWND kMessageOnly = reinterpret_cast<HWND>(-3);

bool WantsMinMaxInfo(DWORD style) {
  return (style & WS_THICKFRAME) != 0 || (style & (WS_POPUP | WS_CHILD)) == 0;
}

void DefaultPlacement(DWORD style, int* x, int* y, int* cx, int* cy) {
  bool overlapped = (style & (WS_POPUP | WS_CHILD)) == 0;
  RECT work = CurrentHost().WorkArea();
  if (*x == CW_USEDEFAULT) {
    *x = overlapped ? work.left + 32 : 0;
    *y = overlapped ? work.top + 32 : 0;
  }
  if (*cx == CW_USEDEFAULT) {
    *cx = overlapped ? (work.right - work.left) * 3 / 4 : 0;
    *cy = overlapped ? (work.bottom - work.top) * 3 / 4 : 0;
  }
  *cx = std::max(*cx, 0);
  *cy = std::max(*cy, 0);
}

// Asks the new window for its size limits and keeps the creation size inside them.
void ApplyMinMaxInfo(HWND hwnd, int* cx, int* cy) {
  MINMAXINFO mmi = AskMinMaxInfo(hwnd);
  *cx = std::clamp<int>(*cx, std::min(mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x),
                        mmi.ptMaxTrackSize.x);
  *cy = std::clamp<int>(*cy, std::min(mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y),
                        mmi.ptMaxTrackSize.y);
}

HWND NewHandleLocked() {
  auto& wm = WM();
  wm.nextHandle += 4;
  return reinterpret_cast<HWND>(wm.nextHandle);
}

// Enters a new window record into the tables: a child at the bottom of its siblings, a
// top-level window at the top of its band (topmost windows above the others).
void LinkLocked(const WindowPtr& w) {
  auto& wm = WM();
  wm.windows[w->handle] = w;
  w->cls->windows++;
  if (w->parent != nullptr) {
    FindWindowLocked(w->parent)->children.push_back(w->handle);
    return;
  }
  auto pos = wm.topLevels.begin();
  if (!w->topmost) {
    while (pos != wm.topLevels.end() && wm.windows[*pos]->topmost) ++pos;
  }
  wm.topLevels.insert(pos, w->handle);
}

void UnlinkLocked(Window* w) {
  auto& wm = WM();
  if (w->parent != nullptr) {
    if (Window* p = FindWindowLocked(w->parent)) std::erase(p->children, w->handle);
  }
  std::erase(wm.topLevels, w->handle);
  w->cls->windows--;
  w->dead = true;
  if (w->queue) ForgetWindowMessagesLocked(*w->queue, w->handle);
  for (auto& [handle, other] : wm.windows) {
    if (other->owner == w->handle) other->owner = nullptr;
  }
  wm.windows.erase(w->handle);
}

WindowPtr MakeRecord(const std::shared_ptr<WindowClass>& cls, DWORD exStyle, DWORD style,
                     LPCWSTR title, HWND parent, HWND owner, HMENU menu, HINSTANCE instance,
                     const RECT& rect) {
  auto w = std::make_shared<Window>();
  w->cls = cls;
  w->proc = cls->proc;
  w->exStyle = exStyle;
  w->style = style & ~static_cast<DWORD>(WS_VISIBLE);
  if ((style & (WS_CHILD | WS_POPUP)) == 0) w->style |= WS_CLIPSIBLINGS | WS_CAPTION;
  w->instance = instance;
  w->id = (style & WS_CHILD) != 0 ? reinterpret_cast<LONG_PTR>(menu) : 0;
  w->extra.assign(static_cast<size_t>(cls->windowExtra), 0);
  w->parent = parent;
  w->owner = owner;
  w->rect = rect;
  w->client = RECT{0, 0, rect.right - rect.left, rect.bottom - rect.top};
  w->topmost = (exStyle & WS_EX_TOPMOST) != 0;
  if (title != nullptr) w->text = title;
  w->queue = CurrentQueue();
  return w;
}

// The window procedure's answer to WM_NCCALCSIZE becomes the client area.
void CalculateClient(HWND hwnd) {
  NCCALCSIZE_PARAMS params{};
  {
    auto lock = WindowLock();
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr) return;
    params.rgrc[0] = w->rect;
  }
  CallWindowProcedure(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&params.rgrc[0]));
  auto lock = WindowLock();
  if (Window* w = FindWindowLocked(hwnd)) {
    RECT c = params.rgrc[0];
    c.left = std::max(c.left, w->rect.left);
    c.top = std::max(c.top, w->rect.top);
    c.right = std::max(c.left, std::min(c.right, w->rect.right));
    c.bottom = std::max(c.top, std::min(c.bottom, w->rect.bottom));
    w->client = RECT{c.left - w->rect.left, c.top - w->rect.top, c.right - w->rect.left,
                     c.bottom - w->rect.top};
  }
}

void AttachHostWindow(HWND hwnd) {
  RECT screen{};
  {
    auto lock = WindowLock();
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr || w->parent != nullptr || w->owner == kMessageOnly) return;
    screen = w->rect;
    SyncSurfaceLocked(w);
  }
  HostWindow* host = CurrentHost().CreateHostWindow(hwnd, screen);
  std::u16string title;
  bool topmost = false;
  {
    auto lock = WindowLock();
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr) {
      lock.unlock();
      CurrentHost().DestroyHostWindow(host);
      return;
    }
    w->host = host;
    title = w->text;
    topmost = w->topmost;
  }
  CurrentHost().SetHostTitle(host, title);
  if (topmost) CurrentHost().SetKeepAbove(host, true);
}

std::vector<HWND> OwnedWindowsOf(HWND hwnd) {
  auto lock = WindowLock();
  std::vector<HWND> owned;
  for (auto& [handle, w] : WM().windows) {
    if (!w->dead && w->owner == hwnd && !w->destroying) owned.push_back(handle);
  }
  return owned;
}

std::vector<HWND> ChildrenOf(HWND hwnd) {
  auto lock = WindowLock();
  Window* w = FindWindowLocked(hwnd);
  return w != nullptr ? w->children : std::vector<HWND>{};
}

void SendDestroyTree(HWND hwnd) {
  CallWindowProcedure(hwnd, WM_DESTROY, 0, 0);
  for (HWND child : ChildrenOf(hwnd)) SendDestroyTree(child);
}

void FinishTree(HWND hwnd) {
  for (HWND child : ChildrenOf(hwnd)) FinishTree(child);
  CallWindowProcedure(hwnd, WM_NCDESTROY, 0, 0);
  HostWindow* host = nullptr;
  {
    auto lock = WindowLock();
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr) return;
    host = w->host;
    w->host = nullptr;
    UnlinkLocked(w);
  }
  if (host != nullptr) CurrentHost().DestroyHostWindow(host);
}

void MarkDestroying(HWND hwnd) {
  auto lock = WindowLock();
  if (Window* w = FindWindowLocked(hwnd)) w->destroying = true;
}

}  // namespace

// Tears a window down after a failed creation: WM_NCDESTROY only when WM_NCCREATE refused,
// the whole destruction when WM_CREATE refused.
static void AbandonCreation(HWND hwnd, bool createdSent) {
  if (createdSent) {
    DestroyWindow(hwnd);
    return;
  }
  MarkDestroying(hwnd);
  FinishTree(hwnd);
}

}  // namespace Platform

using namespace Platform;

HWND WINAPI CreateWindowExW(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName,
                            DWORD dwStyle, int X, int Y, int nWidth, int nHeight, HWND hWndParent,
                            HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam) {
  EnsureSystemClasses();
  bool child = (dwStyle & WS_CHILD) != 0;
  std::shared_ptr<WindowClass> cls;
  HWND parent = nullptr;
  HWND owner = nullptr;
  {
    auto lock = WindowLock();
    cls = FindClassForWindowLocked(lpClassName, hInstance);
    if (!cls) {
      SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
      return nullptr;
    }
    if (child && (hWndParent == nullptr || hWndParent == kMessageOnly)) {
      SetLastError(ERROR_TLW_WITH_WSCHILD);
      return nullptr;
    }
    if (hWndParent == kMessageOnly) {
      owner = kMessageOnly;
    } else if (hWndParent != nullptr) {
      if (FindWindowLocked(hWndParent) == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
      }
      if (child) {
        parent = hWndParent;
      } else {
        owner = TopLevelOfLocked(hWndParent);
      }
    }
  }
  if (owner != kMessageOnly) DefaultPlacement(dwStyle, &X, &Y, &nWidth, &nHeight);
  RECT rect{X, Y, X + std::max(nWidth, 0), Y + std::max(nHeight, 0)};
  WindowPtr record =
      MakeRecord(cls, dwExStyle, dwStyle, lpWindowName, parent, owner, hMenu, hInstance, rect);
  HWND hwnd;
  {
    auto lock = WindowLock();
    hwnd = NewHandleLocked();
    record->handle = hwnd;
    LinkLocked(record);
  }
  if (WantsMinMaxInfo(dwStyle)) {
    int cx = nWidth, cy = nHeight;
    ApplyMinMaxInfo(hwnd, &cx, &cy);
    auto lock = WindowLock();
    record->rect.right = record->rect.left + cx;
    record->rect.bottom = record->rect.top + cy;
    record->client = RECT{0, 0, cx, cy};
  }
  CREATESTRUCTW cs{};
  cs.lpCreateParams = lpParam;
  cs.hInstance = hInstance;
  cs.hMenu = hMenu;
  cs.hwndParent = hWndParent;
  cs.x = record->rect.left;
  cs.y = record->rect.top;
  cs.cx = record->rect.right - record->rect.left;
  cs.cy = record->rect.bottom - record->rect.top;
  cs.style = static_cast<LONG>(dwStyle);
  cs.lpszName = lpWindowName;
  cs.lpszClass = lpClassName;
  cs.dwExStyle = dwExStyle;
  if (!CallWindowProcedure(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
    AbandonCreation(hwnd, false);
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  {
    auto lock = WindowLock();
    record->created = true;
  }
  CalculateClient(hwnd);
  AttachHostWindow(hwnd);
  if (CallWindowProcedure(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    AbandonCreation(hwnd, true);
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (!IsWindow(hwnd)) return nullptr;  // destroyed itself during WM_CREATE
  if (child && (dwExStyle & WS_EX_NOPARENTNOTIFY) == 0) {
    CallWindowProcedure(parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, record->id),
                        reinterpret_cast<LPARAM>(hwnd));
  }
  if ((dwStyle & WS_VISIBLE) != 0 && IsWindow(hwnd)) {
    int cmd = (dwStyle & WS_MAXIMIZE) != 0   ? SW_SHOWMAXIMIZED
              : (dwStyle & WS_MINIMIZE) != 0 ? SW_SHOWMINIMIZED
                                             : SW_SHOW;
    ShowWindowOnOwner(hwnd, cmd);
  }
  return IsWindow(hwnd) ? hwnd : nullptr;
}

BOOL WINAPI DestroyWindow(HWND hWnd) {
  {
    auto lock = WindowLock();
    Window* w = FindWindowLocked(hWnd);
    if (w == nullptr) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    if (w->queue->thread != std::this_thread::get_id()) {
      SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
    }
    if (w->destroying) return TRUE;
    w->destroying = true;
  }
  for (HWND owned : OwnedWindowsOf(hWnd)) DestroyWindow(owned);
  bool child = false;
  HWND parent = nullptr;
  LONG_PTR id = 0;
  DWORD exStyle = 0;
  {
    auto lock = WindowLock();
    Window* w = FindWindowLocked(hWnd);
    child = (w->style & WS_CHILD) != 0;
    parent = w->parent;
    id = w->id;
    exStyle = w->exStyle;
  }
  if (child && (exStyle & WS_EX_NOPARENTNOTIFY) == 0 && IsWindow(parent)) {
    CallWindowProcedure(parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, id),
                        reinterpret_cast<LPARAM>(hWnd));
  }
  if (IsWindowVisible(hWnd)) {
    SetWindowPosOnOwner(hWnd, nullptr, 0, 0, 0, 0,
                        SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
  }
  LeaveInputState(hWnd);
  SendDestroyTree(hWnd);
  std::vector<HWND> tree{hWnd};
  for (size_t i = 0; i < tree.size(); ++i) {
    for (HWND c : ChildrenOf(tree[i])) tree.push_back(c);
  }
  for (HWND h : tree) {
    MarkDestroying(h);
    LeaveInputState(h);
    DestroyCaretOf(h);
    ForgetTracking(h);
  }
  FinishTree(hWnd);
  return TRUE;
}

// Mouse and keyboard input: routing to windows, key state, hover and leave tracking,
// TranslateMessage.
#include "Platform/Window/Input.h"

#include <algorithm>
#include <array>

#include "Platform/Host/Host.h"
#include "Platform/Window/MessageQueue.h"
#include "Platform/Window/WindowOps.h"

namespace Platform {
namespace {

struct Tracking {
  HWND hwnd = nullptr;
  DWORD flags = 0;
  DWORD hoverTime = kDefaultHoverTime;
  POINT hoverOrigin{};
  DWORD hoverStart = 0;
};

struct ClickMemory {
  HWND hwnd = nullptr;
  UINT message = 0;
  DWORD time = 0;
  POINT pt{};
};

struct InputState {
  POINT cursor{};
  std::array<BYTE, 256> async{};  // 0x80: down now
  std::array<BYTE, 256> keys{};   // as of the messages retrieved: 0x80 down, 0x01 toggled
  Tracking tracking;
  ClickMemory lastClick;
};

InputState& Input() {
  static auto* state = new InputState();
  return *state;
}

struct LastKey {
  MSG msg{};
  std::u16string chars;
};
thread_local LastKey t_lastKey;

WPARAM MouseKeyStateLocked() {
  const auto& a = Input().async;
  WPARAM k = 0;
  if (a[VK_LBUTTON] & 0x80) k |= MK_LBUTTON;
  if (a[VK_RBUTTON] & 0x80) k |= MK_RBUTTON;
  if (a[VK_MBUTTON] & 0x80) k |= MK_MBUTTON;
  if (a[VK_SHIFT] & 0x80) k |= MK_SHIFT;
  if (a[VK_CONTROL] & 0x80) k |= MK_CONTROL;
  return k;
}

void PostInputLocked(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                     std::u16string chars = {}) {
  Window* w = FindWindowLocked(hwnd);
  if (w == nullptr || !w->queue->alive) return;
  PostLocked(*w->queue, StampedMessageLocked(hwnd, message, wParam, lParam), std::move(chars));
}

LPARAM PointParam(POINT p) { return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)); }

// Where mouse input goes: the capture window, else the window under the point, skipping
// windows that answer WM_NCHITTEST with HTTRANSPARENT.
HWND MouseTarget(HWND top, POINT screen, int* hit) {
  HWND target = nullptr;
  {
    auto lock = WindowLock();
    if (FindWindowLocked(WM().capture) != nullptr) {
      *hit = HTCLIENT;
      return WM().capture;
    }
    target = WindowAtPointLocked(screen, top);
  }
  while (target != nullptr) {
    *hit = static_cast<int>(SendMessageW(target, WM_NCHITTEST, 0, PointParam(screen)));
    if (*hit != HTTRANSPARENT) return target;
    auto lock = WindowLock();
    Window* w = FindWindowLocked(target);
    target = w != nullptr ? w->parent : nullptr;
  }
  return nullptr;
}

POINT ToClientLocked(HWND hwnd, POINT screen) {
  Window* w = FindWindowLocked(hwnd);
  if (w == nullptr) return screen;
  POINT o = ClientOriginOnScreenLocked(w);
  return POINT{screen.x - o.x, screen.y - o.y};
}

// The tracked window hears that the mouse left it once the pointer is elsewhere.
void CheckLeaveLocked(HWND target, int hit) {
  Tracking& t = Input().tracking;
  if (t.hwnd == nullptr || (t.flags & TME_LEAVE) == 0) return;
  if (t.hwnd == target && hit == HTCLIENT) return;
  PostInputLocked(t.hwnd, WM_MOUSELEAVE, 0, 0);
  t = Tracking{};
}

void RestartHoverLocked(HWND target, POINT screen) {
  Tracking& t = Input().tracking;
  if (t.hwnd != target || (t.flags & TME_HOVER) == 0) return;
  if (std::abs(screen.x - t.hoverOrigin.x) <= static_cast<int>(kDefaultHoverSize / 2) &&
      std::abs(screen.y - t.hoverOrigin.y) <= static_cast<int>(kDefaultHoverSize / 2)) {
    return;
  }
  t.hoverOrigin = screen;
  t.hoverStart = NowTicks();
}

void SendSetCursor(HWND target, int hit, UINT mouseMessage) {
  SendMessageW(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target),
               MAKELPARAM(static_cast<WORD>(hit), static_cast<WORD>(mouseMessage)));
}

bool Captured() {
  auto lock = WindowLock();
  return FindWindowLocked(WM().capture) != nullptr;
}

UINT ButtonMessage(MouseButton b, bool down, bool dbl, bool client) {
  UINT base = b == MouseButton::Left    ? WM_LBUTTONDOWN
              : b == MouseButton::Right ? WM_RBUTTONDOWN
                                        : WM_MBUTTONDOWN;
  UINT m = base + (down ? (dbl ? 2 : 0) : 1);
  return client ? m : m - WM_LBUTTONDOWN + WM_NCLBUTTONDOWN;
}

int ButtonVk(MouseButton b) {
  return b == MouseButton::Left ? VK_LBUTTON : b == MouseButton::Right ? VK_RBUTTON : VK_MBUTTON;
}

bool IsDoubleClickLocked(HWND target, UINT message, POINT screen) {
  Window* w = FindWindowLocked(target);
  if (w == nullptr || (w->cls->style & CS_DBLCLKS) == 0) return false;
  ClickMemory& last = Input().lastClick;
  DWORD now = NowTicks();
  bool dbl = last.hwnd == target && last.message == message &&
             now - last.time <= GetDoubleClickTime() && std::abs(screen.x - last.pt.x) <= 2 &&
             std::abs(screen.y - last.pt.y) <= 2;
  last = dbl ? ClickMemory{} : ClickMemory{target, message, now, screen};
  return dbl;
}

// A click in an inactive top-level window activates it unless the window says otherwise.
bool MouseActivate(HWND target, int hit, UINT message) {
  HWND top = nullptr;
  HostWindow* host = nullptr;
  {
    auto lock = WindowLock();
    top = TopLevelOfLocked(target);
    if (top == nullptr || WM().active == top) return true;
    Window* w = FindWindowLocked(top);
    if ((w->exStyle & WS_EX_NOACTIVATE) != 0) return true;
    host = w->host;
  }
  LRESULT answer = SendMessageW(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top),
                                MAKELPARAM(static_cast<WORD>(hit), static_cast<WORD>(message)));
  if (answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT) {
    ActivateWindow(top, WA_CLICKACTIVE);
    if (host != nullptr) CurrentHost().Activate(host);
  }
  return answer != MA_ACTIVATEANDEAT && answer != MA_NOACTIVATEANDEAT;
}

LPARAM KeyParam(WORD vk, bool down, bool wasDown, bool alt) {
  DWORD scan = vk & 0xFF;
  DWORD lp = 1u | (scan << 16);
  if (alt) lp |= 1u << 29;
  if (wasDown) lp |= 1u << 30;
  if (!down) lp |= (1u << 30) | (1u << 31);
  return static_cast<LPARAM>(lp);
}

void SetAsyncKey(WORD vk, bool down) {
  auto& a = Input().async;
  a[vk & 0xFF] = down ? 0x80 : 0;
  WORD generic = 0;
  if (vk == VK_LSHIFT || vk == VK_RSHIFT) generic = VK_SHIFT;
  if (vk == VK_LCONTROL || vk == VK_RCONTROL) generic = VK_CONTROL;
  if (vk == VK_LMENU || vk == VK_RMENU) generic = VK_MENU;
  if (generic != 0) a[generic] = down ? 0x80 : 0;
}

}  // namespace

POINT CursorPosLocked() { return Input().cursor; }

bool KeyIsDown(WORD vk) {
  auto lock = WindowLock();
  return (Input().async[vk & 0xFF] & 0x80) != 0;
}

void ResetInputState() {
  auto lock = WindowLock();
  InputState& s = Input();
  s.async.fill(0);
  s.keys.fill(0);
  s.tracking = Tracking{};
  s.lastClick = ClickMemory{};
}

void ForgetTracking(HWND hwnd) {
  auto lock = WindowLock();
  if (Input().tracking.hwnd == hwnd) Input().tracking = Tracking{};
  if (Input().lastClick.hwnd == hwnd) Input().lastClick = ClickMemory{};
}

int CheckHoverLocked(ThreadQueue& q, DWORD now) {
  Tracking& t = Input().tracking;
  if (t.hwnd == nullptr || (t.flags & TME_HOVER) == 0) return -1;
  Window* w = FindWindowLocked(t.hwnd);
  if (w == nullptr) {
    t = Tracking{};
    return -1;
  }
  if (w->queue.get() != &q) return -1;
  DWORD elapsed = now - t.hoverStart;
  if (elapsed < t.hoverTime) return static_cast<int>(t.hoverTime - elapsed);
  POINT client = ToClientLocked(t.hwnd, Input().cursor);
  PostInputLocked(t.hwnd, WM_MOUSEHOVER, MouseKeyStateLocked(), PointParam(client));
  t.flags &= ~static_cast<DWORD>(TME_HOVER);
  if (t.flags == 0) t = Tracking{};
  return -1;
}

void NoteRetrievedMessage(const QueuedMessage& m) {
  auto& keys = Input().keys;
  UINT msg = m.msg.message;
  if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN || msg == WM_KEYUP || msg == WM_SYSKEYUP) {
    bool down = msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN;
    BYTE& k = keys[m.msg.wParam & 0xFF];
    bool wasDown = (k & 0x80) != 0;
    k = static_cast<BYTE>((down ? 0x80 : 0) | (k & 0x01));
    if (down && !wasDown) k ^= 0x01;
    if (down) t_lastKey = LastKey{m.msg, m.chars};
  }
  auto button = [&](int vk, bool down) {
    keys[vk] = static_cast<BYTE>((down ? 0x80 : 0) | (keys[vk] & 1));
  };
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN: button(VK_LBUTTON, true); break;
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP: button(VK_LBUTTON, false); break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN: button(VK_RBUTTON, true); break;
    case WM_RBUTTONUP:
    case WM_NCRBUTTONUP: button(VK_RBUTTON, false); break;
    default: break;
  }
}

void InputMouseMove(HWND top, POINT screen) {
  {
    auto lock = WindowLock();
    Input().cursor = screen;
  }
  int hit = HTNOWHERE;
  HWND target = MouseTarget(top, screen, &hit);
  bool captured = Captured();
  auto lock = WindowLock();
  CheckLeaveLocked(target, hit);
  if (target == nullptr) return;
  RestartHoverLocked(target, screen);
  lock.unlock();
  if (!captured) SendSetCursor(target, hit, WM_MOUSEMOVE);
  lock.lock();
  if (hit == HTCLIENT) {
    PostInputLocked(target, WM_MOUSEMOVE, MouseKeyStateLocked(),
                    PointParam(ToClientLocked(target, screen)));
  } else {
    PostInputLocked(target, WM_NCMOUSEMOVE, static_cast<WPARAM>(hit), PointParam(screen));
  }
}

void InputMouseButton(HWND top, POINT screen, MouseButton button, bool down) {
  {
    auto lock = WindowLock();
    Input().cursor = screen;
    SetAsyncKey(static_cast<WORD>(ButtonVk(button)), down);
  }
  int hit = HTNOWHERE;
  HWND target = MouseTarget(top, screen, &hit);
  if (target == nullptr) return;
  bool client = hit == HTCLIENT;
  UINT plain = ButtonMessage(button, down, false, client);
  if (down && !MouseActivate(target, hit, plain)) return;
  if (!Captured()) SendSetCursor(target, hit, plain);
  auto lock = WindowLock();
  bool dbl = down && IsDoubleClickLocked(target, plain, screen);
  UINT message = ButtonMessage(button, down, dbl, client);
  if (client) {
    PostInputLocked(target, message, MouseKeyStateLocked(),
                    PointParam(ToClientLocked(target, screen)));
  } else {
    PostInputLocked(target, message, static_cast<WPARAM>(hit), PointParam(screen));
  }
}

void InputMouseWheel(HWND top, POINT screen, int delta, bool horizontal) {
  int hit = HTNOWHERE;
  HWND target = GetFocus();
  if (target == nullptr) target = MouseTarget(top, screen, &hit);
  if (target == nullptr) return;
  auto lock = WindowLock();
  Input().cursor = screen;
  WPARAM wp = MAKEWPARAM(static_cast<WORD>(MouseKeyStateLocked()),
                         static_cast<WORD>(static_cast<short>(delta)));
  PostInputLocked(target, horizontal ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL, wp, PointParam(screen));
}

void InputMouseLeft() {
  auto lock = WindowLock();
  CheckLeaveLocked(nullptr, HTNOWHERE);
}

void InputKey(WORD vk, bool down, const std::u16string& chars) {
  auto lock = WindowLock();
  auto& a = Input().async;
  bool wasDown = (a[vk & 0xFF] & 0x80) != 0;
  SetAsyncKey(vk, down);
  bool alt = (a[VK_MENU] & 0x80) != 0;
  bool ctrl = (a[VK_CONTROL] & 0x80) != 0;
  HWND target = FindWindowLocked(WM().focus) != nullptr ? WM().focus : nullptr;
  bool sys = (alt && !ctrl) || vk == VK_F10 || (vk == VK_MENU);
  if (target == nullptr) {
    target = FindWindowLocked(WM().active) != nullptr ? WM().active : nullptr;
    sys = true;
  }
  if (target == nullptr) return;
  UINT message = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
  PostInputLocked(target, message, vk, KeyParam(vk, down, wasDown, alt), down ? chars : u"");
}

void InputText(const std::u16string& text) {
  auto lock = WindowLock();
  HWND target = FindWindowLocked(WM().focus) != nullptr ? WM().focus : nullptr;
  if (target == nullptr) return;
  for (char16_t c : text) PostInputLocked(target, WM_CHAR, c, 1);
}

}  // namespace Platform

using namespace Platform;

BOOL WINAPI TranslateMessage(const MSG* lpMsg) {
  if (lpMsg == nullptr) return FALSE;
  UINT m = lpMsg->message;
  if (m != WM_KEYDOWN && m != WM_SYSKEYDOWN && m != WM_KEYUP && m != WM_SYSKEYUP) return FALSE;
  if (m == WM_KEYUP || m == WM_SYSKEYUP) return TRUE;
  const LastKey& last = t_lastKey;
  if (last.chars.empty() || last.msg.hwnd != lpMsg->hwnd || last.msg.message != m ||
      last.msg.wParam != lpMsg->wParam || last.msg.lParam != lpMsg->lParam ||
      last.msg.time != lpMsg->time) {
    return TRUE;
  }
  UINT charMessage = m == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
  auto lock = WindowLock();
  Window* w = FindWindowLocked(lpMsg->hwnd);
  if (w == nullptr) return TRUE;
  // The characters come next, before anything else already queued, as on Windows.
  for (auto it = last.chars.rbegin(); it != last.chars.rend(); ++it) {
    w->queue->posted.push_front(
        QueuedMessage{StampedMessageLocked(lpMsg->hwnd, charMessage, *it, lpMsg->lParam), {}});
  }
  WakeQueueLocked(*w->queue);
  t_lastKey = LastKey{};
  return TRUE;
}

SHORT WINAPI GetKeyState(int nVirtKey) {
  auto lock = WindowLock();
  BYTE k = Input().keys[nVirtKey & 0xFF];
  SHORT result = static_cast<SHORT>((k & 0x80) ? 0x8000 : 0) | static_cast<SHORT>(k & 0x01);
  return result;
}

SHORT WINAPI GetAsyncKeyState(int vKey) {
  auto lock = WindowLock();
  return (Input().async[vKey & 0xFF] & 0x80) ? static_cast<SHORT>(0x8000) : 0;
}

BOOL WINAPI GetCursorPos(LPPOINT lpPoint) {
  if (lpPoint == nullptr) return FALSE;
  auto lock = WindowLock();
  *lpPoint = Input().cursor;
  return TRUE;
}

BOOL WINAPI SetCursorPos(int X, int Y) {
  InputMouseMove(nullptr, POINT{X, Y});
  return TRUE;
}

UINT WINAPI GetDoubleClickTime() { return 500; }

BOOL WINAPI TrackMouseEvent(LPTRACKMOUSEEVENT lpEventTrack) {
  if (lpEventTrack == nullptr || lpEventTrack->cbSize != sizeof(TRACKMOUSEEVENT)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto lock = WindowLock();
  Tracking& t = Input().tracking;
  DWORD flags = lpEventTrack->dwFlags;
  if ((flags & TME_QUERY) != 0) {
    lpEventTrack->dwFlags = t.flags;
    lpEventTrack->hwndTrack = t.hwnd;
    lpEventTrack->dwHoverTime = t.hoverTime;
    return TRUE;
  }
  HWND hwnd = lpEventTrack->hwndTrack;
  if (FindWindowLocked(hwnd) == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  DWORD kinds = flags & (TME_HOVER | TME_LEAVE);
  if ((flags & TME_CANCEL) != 0) {
    if (t.hwnd == hwnd) {
      t.flags &= ~kinds;
      if ((t.flags & (TME_HOVER | TME_LEAVE)) == 0) t = Tracking{};
    }
    return TRUE;
  }
  if (t.hwnd != hwnd) t = Tracking{};
  t.hwnd = hwnd;
  t.flags |= kinds;
  if ((kinds & TME_HOVER) != 0) {
    t.hoverTime =
        lpEventTrack->dwHoverTime == HOVER_DEFAULT ? kDefaultHoverTime : lpEventTrack->dwHoverTime;
    t.hoverOrigin = Input().cursor;
    t.hoverStart = NowTicks();
    WakeQueueLocked(*FindWindowLocked(hwnd)->queue);
  }
  if ((kinds & TME_LEAVE) != 0) {
    // Tracking a window the mouse is not over ends at once.
    HWND under = WindowAtPointLocked(Input().cursor, nullptr);
    if (under != hwnd) CheckLeaveLocked(under, HTNOWHERE);
  }
  return TRUE;
}

// Posting, sending and retrieving messages.
#include <algorithm>

#include "Platform/Host/Host.h"
#include "Platform/Kernel/Clock.h"
#include "Platform/Window/MessageQueue.h"

namespace Platform {
namespace {

thread_local DWORD t_messageTime = 0;
thread_local POINT t_messagePos{};

const HWND kThreadMessagesOnly = reinterpret_cast<HWND>(-1);

bool InRange(UINT message, UINT min, UINT max) {
  if (min == 0 && max == 0) return true;
  return message >= min && message <= max;
}

bool Matches(const MSG& m, HWND filter, UINT min, UINT max) {
  if (filter == kThreadMessagesOnly) {
    if (m.hwnd != nullptr) return false;
  } else if (filter != nullptr && m.hwnd != filter) {
    return false;
  }
  return InRange(m.message, min, max);
}

bool TakePosted(ThreadQueue& q, MSG* out, HWND filter, UINT min, UINT max, bool remove) {
  for (auto it = q.posted.begin(); it != q.posted.end();) {
    if (it->msg.hwnd != nullptr && FindWindowLocked(it->msg.hwnd) == nullptr) {
      it = q.posted.erase(it);  // its window is gone
      continue;
    }
    if (!Matches(it->msg, filter, min, max)) {
      ++it;
      continue;
    }
    *out = it->msg;
    if (remove) {
      NoteRetrievedMessage(*it);
      q.posted.erase(it);
    }
    return true;
  }
  return false;
}

// One look at the queue in the documented order: sent messages, posted and input messages,
// the quit request, then WM_PAINT and WM_TIMER, which exist only while nothing else waits.
bool PeekOnce(std::unique_lock<std::mutex>& lock, ThreadQueue& q, MSG* out, HWND filter, UINT min,
              UINT max, bool remove) {
  HandleSentMessages(lock, q);
  if (q.hostThread) {
    lock.unlock();
    StartedHost()->DispatchPendingEvents();
    lock.lock();
    HandleSentMessages(lock, q);
  }
  DWORD now = NowTicks();
  CheckHoverLocked(q, now);
  BlinkCaretIfDue(lock, q, now);
  if (TakePosted(q, out, filter, min, max, remove)) return true;
  if (q.quit && InRange(WM_QUIT, min, max)) {
    *out = StampedMessageLocked(nullptr, WM_QUIT, static_cast<WPARAM>(q.quitCode), 0);
    if (remove) q.quit = false;
    return true;
  }
  if (filter != kThreadMessagesOnly && InRange(WM_PAINT, min, max) &&
      TakePaintMessageLocked(q, filter, out)) {
    out->time = now;
    out->pt = CursorPosLocked();
    return true;
  }
  if (filter != kThreadMessagesOnly && InRange(WM_TIMER, min, max) &&
      TakeDueTimerLocked(q, filter, out, remove, now)) {
    out->pt = CursorPosLocked();
    return true;
  }
  return false;
}

int NextWakeLocked(ThreadQueue& q) {
  DWORD now = NowTicks();
  int best = -1;
  for (int wait : {MillisecondsToNextTimerLocked(q, now), CheckHoverLocked(q, now),
                   MillisecondsToCaretBlinkLocked(q, now)}) {
    if (wait >= 0 && (best < 0 || wait < best)) best = wait;
  }
  return best;
}

// Blocks until the queue changes or the thread's next deadline. Under the virtual clock
// nothing else moves time for a thread that waits for its own deadline, so the real wait
// stands for it and the clock moves to the deadline.
void WaitForWorkLocked(std::unique_lock<std::mutex>& lock, ThreadQueue& q) {
  uint64_t start = ClockNow();
  int wait = NextWakeLocked(q);
  if (WaitOnQueue(lock, q, wait) && ClockIsVirtual()) {
    AdvanceVirtualClockTo(start + static_cast<uint64_t>(wait));
  }
}

bool FilterIsValid(HWND filter) {
  if (filter == nullptr || filter == kThreadMessagesOnly) return true;
  auto lock = WindowLock();
  if (FindWindowLocked(filter) != nullptr) return true;
  SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return false;
}

}  // namespace

MSG StampedMessageLocked(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG m{};
  m.hwnd = hwnd;
  m.message = message;
  m.wParam = wParam;
  m.lParam = lParam;
  m.time = NowTicks();
  m.pt = CursorPosLocked();
  return m;
}

int MillisecondsToNextDeadline() {
  QueuePtr q = CurrentQueue();
  auto lock = WindowLock();
  return NextWakeLocked(*q);
}

void SetLastMessageInfo(DWORD time, POINT pt) {
  t_messageTime = time;
  t_messagePos = pt;
}

}  // namespace Platform

using namespace Platform;

BOOL WINAPI PostMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (hWnd == nullptr) return PostThreadMessageW(GetCurrentThreadId(), Msg, wParam, lParam);
  auto lock = WindowLock();
  Window* w = FindWindowLocked(hWnd);
  if (w == nullptr || !w->queue->alive) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  PostLocked(*w->queue, StampedMessageLocked(hWnd, Msg, wParam, lParam));
  return TRUE;
}

BOOL WINAPI PostThreadMessageW(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (idThread == CurrentThreadIdValue()) CurrentQueue();
  auto lock = WindowLock();
  QueuePtr q = QueueOfThreadLocked(idThread);
  if (!q || !q->alive) {
    SetLastError(ERROR_INVALID_THREAD_ID);
    return FALSE;
  }
  PostLocked(*q, StampedMessageLocked(nullptr, Msg, wParam, lParam));
  return TRUE;
}

void WINAPI PostQuitMessage(int nExitCode) {
  QueuePtr q = CurrentQueue();
  auto lock = WindowLock();
  q->quit = true;
  q->quitCode = nExitCode;
  WakeQueueLocked(*q);
}

LRESULT WINAPI SendMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  QueuePtr target;
  {
    auto lock = WindowLock();
    Window* w = FindWindowLocked(hWnd);
    if (w == nullptr) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
    target = w->queue;
  }
  if (target->thread == std::this_thread::get_id()) {
    return CallWindowProcedure(hWnd, Msg, wParam, lParam);
  }
  LRESULT result = 0;
  if (!SendToThread(target, hWnd, Msg, wParam, lParam, &result)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  return result;
}

BOOL WINAPI PeekMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax,
                         UINT wRemoveMsg) {
  if (lpMsg == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!FilterIsValid(hWnd)) return FALSE;
  QueuePtr q = CurrentQueue();
  auto lock = WindowLock();
  MSG m{};
  if (!PeekOnce(lock, *q, &m, hWnd, wMsgFilterMin, wMsgFilterMax, (wRemoveMsg & PM_REMOVE) != 0)) {
    return FALSE;
  }
  *lpMsg = m;
  SetLastMessageInfo(m.time, m.pt);
  return TRUE;
}

BOOL WINAPI GetMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
  if (lpMsg == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  if (!FilterIsValid(hWnd)) return -1;
  QueuePtr q = CurrentQueue();
  auto lock = WindowLock();
  MSG m{};
  while (!PeekOnce(lock, *q, &m, hWnd, wMsgFilterMin, wMsgFilterMax, true)) {
    WaitForWorkLocked(lock, *q);
  }
  *lpMsg = m;
  SetLastMessageInfo(m.time, m.pt);
  return m.message == WM_QUIT ? FALSE : TRUE;
}

BOOL WINAPI WaitMessage() {
  QueuePtr q = CurrentQueue();
  auto lock = WindowLock();
  MSG m{};
  while (!PeekOnce(lock, *q, &m, nullptr, 0, 0, false)) {
    WaitForWorkLocked(lock, *q);
  }
  return TRUE;
}

LRESULT WINAPI DispatchMessageW(const MSG* lpMsg) {
  if (lpMsg == nullptr) return 0;
  if (lpMsg->message == WM_TIMER && lpMsg->lParam != 0) {
    auto proc = reinterpret_cast<TIMERPROC>(lpMsg->lParam);
    proc(lpMsg->hwnd, WM_TIMER, lpMsg->wParam, GetTickCount());
    return 0;
  }
  if (lpMsg->hwnd == nullptr) return 0;
  {
    auto lock = WindowLock();
    Window* w = FindWindowLocked(lpMsg->hwnd);
    if (w == nullptr) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
    if (w->queue->thread != std::this_thread::get_id()) {
      SetLastError(ERROR_MESSAGE_SYNC_ONLY);
      return 0;
    }
    if (lpMsg->message == WM_PAINT) w->paintBegun = false;
  }
  LRESULT result = CallWindowProcedure(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
  if (lpMsg->message == WM_PAINT) {
    // A window procedure that ignores WM_PAINT must not get it again and again; one that
    // painted and then invalidated again gets another.
    bool painted = false;
    {
      auto lock = WindowLock();
      if (Window* w = FindWindowLocked(lpMsg->hwnd)) painted = w->paintBegun;
    }
    if (!painted) ValidateRect(lpMsg->hwnd, nullptr);
  }
  return result;
}

BOOL WINAPI InSendMessage() {
  QueuePtr q = CurrentQueue();
  auto lock = WindowLock();
  return q->handlingSent > 0 ? TRUE : FALSE;
}

DWORD WINAPI GetMessageTime() { return t_messageTime; }

DWORD WINAPI GetMessagePos() {
  return static_cast<DWORD>(
      MAKELONG(static_cast<WORD>(t_messagePos.x), static_cast<WORD>(t_messagePos.y)));
}

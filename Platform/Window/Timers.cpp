// Timers: WM_TIMER comes when the queue is otherwise empty and a timer is due.
#include <algorithm>

#include "Platform/Window/MessageQueue.h"

namespace Platform {
namespace {

const UINT kMinimumElapse = 10;
const UINT kMaximumElapse = 0x7FFFFFFF;

bool Due(const Timer& t, DWORD now) { return static_cast<int32_t>(now - t.due) >= 0; }

}  // namespace

bool TakeDueTimerLocked(ThreadQueue& q, HWND filter, MSG* out, bool remove, DWORD now) {
  for (Timer& t : q.timers) {
    if (filter != nullptr && t.hwnd != filter) continue;
    if (!Due(t, now)) continue;
    out->hwnd = t.hwnd;
    out->message = WM_TIMER;
    out->wParam = t.id;
    out->lParam = reinterpret_cast<LPARAM>(t.proc);
    out->time = now;
    if (remove) {
      t.due = now + t.elapse;
      // The next due timer comes from the back, so that a short timer cannot starve the others.
      std::rotate(q.timers.begin(), q.timers.begin() + (&t - q.timers.data()) + 1, q.timers.end());
    }
    return true;
  }
  return false;
}

int MillisecondsToNextTimerLocked(const ThreadQueue& q, DWORD now) {
  int best = -1;
  for (const Timer& t : q.timers) {
    int wait = Due(t, now) ? 0 : static_cast<int>(t.due - now);
    if (best < 0 || wait < best) best = wait;
  }
  return best;
}

}  // namespace Platform

using namespace Platform;

UINT_PTR WINAPI SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc) {
  QueuePtr me = CurrentQueue();
  auto lock = WindowLock();
  if (hWnd != nullptr) {
    Window* w = FindWindowLocked(hWnd);
    if (w == nullptr || w->queue != me) {
      SetLastError(w == nullptr ? ERROR_INVALID_WINDOW_HANDLE : ERROR_ACCESS_DENIED);
      return 0;
    }
  }
  UINT elapse = std::clamp(uElapse, kMinimumElapse, kMaximumElapse);
  DWORD now = NowTicks();
  auto same = [&](const Timer& t) { return t.hwnd == hWnd && t.id == nIDEvent; };
  auto it = std::find_if(me->timers.begin(), me->timers.end(), same);
  if (it != me->timers.end()) {
    it->elapse = elapse;
    it->proc = lpTimerFunc;
    it->due = now + elapse;
    return hWnd != nullptr ? (nIDEvent != 0 ? nIDEvent : 1) : nIDEvent;
  }
  UINT_PTR id = nIDEvent;
  if (hWnd == nullptr) {
    // Thread timers get a fresh id that no live timer of this thread has.
    auto live = [&](UINT_PTR candidate) {
      return std::any_of(me->timers.begin(), me->timers.end(),
                         [&](const Timer& t) { return t.hwnd == nullptr && t.id == candidate; });
    };
    do {
      id = me->nextThreadTimer++;
      if (me->nextThreadTimer == 0) me->nextThreadTimer = 1;
    } while (id == 0 || live(id));
  }
  me->timers.push_back(Timer{hWnd, id, elapse, lpTimerFunc, now + elapse});
  WakeQueueLocked(*me);
  return hWnd != nullptr ? (id != 0 ? id : 1) : id;
}

BOOL WINAPI KillTimer(HWND hWnd, UINT_PTR uIDEvent) {
  QueuePtr me = CurrentQueue();
  auto lock = WindowLock();
  QueuePtr q = me;
  if (hWnd != nullptr) {
    Window* w = FindWindowLocked(hWnd);
    if (w == nullptr) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    q = w->queue;
  }
  auto before = q->timers.size();
  std::erase_if(q->timers, [&](const Timer& t) { return t.hwnd == hWnd && t.id == uIDEvent; });
  if (q->timers.size() == before) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return TRUE;
}

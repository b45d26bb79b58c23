#include "Platform/Window/MessageQueue.h"

#include <chrono>
#include <unordered_map>

#include "Platform/Host/Host.h"

namespace Platform {
namespace {

std::unordered_map<DWORD, std::weak_ptr<ThreadQueue>>& QueuesLocked() {
  static auto* queues = new std::unordered_map<DWORD, std::weak_ptr<ThreadQueue>>();
  return *queues;
}

// Ends the calling thread's queue with the thread: senders waiting on it are released with a
// zero result and its windows disappear.
struct QueueHolder {
  QueuePtr queue;
  ~QueueHolder() {
    if (!queue) return;
    auto lock = WindowLock();
    queue->alive = false;
    for (auto& sent : queue->inbox) {
      sent->done = true;
      if (sent->sender) WakeQueueLocked(*sent->sender);
    }
    queue->inbox.clear();
    queue->posted.clear();
    queue->timers.clear();
    QueuesLocked().erase(queue->threadId);
    auto& wm = WM();
    for (auto& [hwnd, w] : wm.windows) {
      if (w->queue == queue) {
        w->dead = true;
        if (wm.focus == hwnd) wm.focus = nullptr;
        if (wm.active == hwnd) wm.active = nullptr;
        if (wm.capture == hwnd) wm.capture = nullptr;
      }
    }
    std::erase_if(wm.topLevels, [&](HWND h) { return wm.windows[h]->dead; });
    std::erase_if(wm.windows, [&](const auto& entry) { return entry.second->queue == queue; });
  }
};

thread_local QueueHolder t_queue;

}  // namespace

QueuePtr CurrentQueue() {
  if (!t_queue.queue) {
    auto q = std::make_shared<ThreadQueue>();
    q->thread = std::this_thread::get_id();
    q->threadId = CurrentThreadIdValue();
    auto lock = WindowLock();
    QueuesLocked()[q->threadId] = q;
    t_queue.queue = q;
  }
  return t_queue.queue;
}

QueuePtr QueueOfThreadLocked(DWORD threadId) {
  auto it = QueuesLocked().find(threadId);
  if (it == QueuesLocked().end()) return nullptr;
  return it->second.lock();
}

void WakeQueueLocked(ThreadQueue& q) {
  q.wake.notify_all();
  if (q.hostThread) {
    if (Host* host = StartedHost()) host->Wake();
  }
}

void WakeAllQueues() {
  auto lock = WindowLock();
  for (auto& [id, weak] : QueuesLocked()) {
    if (QueuePtr q = weak.lock()) WakeQueueLocked(*q);
  }
}

bool WaitOnQueue(std::unique_lock<std::mutex>& lock, ThreadQueue& q, int timeoutMs) {
  if (!q.hostThread && HostStartedOnThisThread() && StartedHost()->OwnsEventLoop()) {
    q.hostThread = true;
  }
  if (q.hostThread) {
    lock.unlock();
    StartedHost()->WaitForEvents(timeoutMs);
    lock.lock();
    return false;
  }
  if (timeoutMs < 0) {
    q.wake.wait(lock);
    return false;
  }
  return q.wake.wait_for(lock, std::chrono::milliseconds(timeoutMs)) == std::cv_status::timeout;
}

void PostLocked(ThreadQueue& q, const MSG& msg, std::u16string chars) {
  q.posted.push_back(QueuedMessage{msg, std::move(chars)});
  WakeQueueLocked(q);
}

bool HandleSentMessages(std::unique_lock<std::mutex>& lock, ThreadQueue& q) {
  bool any = false;
  while (!q.inbox.empty()) {
    std::shared_ptr<SentMessage> sent = q.inbox.front();
    q.inbox.pop_front();
    any = true;
    ++q.handlingSent;
    lock.unlock();
    LRESULT result = 0;
    if (sent->task) {
      sent->task();
    } else {
      result = CallWindowProcedure(sent->hwnd, sent->msg, sent->wParam, sent->lParam);
    }
    lock.lock();
    --q.handlingSent;
    sent->result = result;
    sent->done = true;
    if (sent->sender) WakeQueueLocked(*sent->sender);
  }
  return any;
}

// Hands sent to q's thread and waits for its answer, answering messages sent to the calling
// thread meanwhile so that two threads sending to each other never block for good.
static bool DeliverAndWait(const QueuePtr& q, const std::shared_ptr<SentMessage>& sent) {
  QueuePtr me = CurrentQueue();
  sent->sender = me;
  auto lock = WindowLock();
  if (!q->alive) return false;
  q->inbox.push_back(sent);
  WakeQueueLocked(*q);
  while (!sent->done) {
    if (HandleSentMessages(lock, *me)) continue;
    if (sent->done) break;
    WaitOnQueue(lock, *me, -1);
  }
  return true;
}

bool RunOnThread(const QueuePtr& q, std::function<void()> task) {
  if (q == CurrentQueue()) {
    task();
    return true;
  }
  auto sent = std::make_shared<SentMessage>();
  sent->task = std::move(task);
  return DeliverAndWait(q, sent);
}

bool SendToThread(const QueuePtr& q, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                  LRESULT* result) {
  auto sent = std::make_shared<SentMessage>();
  sent->hwnd = hwnd;
  sent->msg = msg;
  sent->wParam = wParam;
  sent->lParam = lParam;
  if (!DeliverAndWait(q, sent)) return false;
  *result = sent->result;
  return true;
}

void ForgetWindowMessagesLocked(ThreadQueue& q, HWND hwnd) {
  std::erase_if(q.posted, [&](const QueuedMessage& m) { return m.msg.hwnd == hwnd; });
  std::erase_if(q.timers, [&](const Timer& t) { return t.hwnd == hwnd; });
}

}  // namespace Platform

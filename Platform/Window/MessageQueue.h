#pragma once
// One message queue per thread: posted and input messages, messages sent by other threads,
// the quit request and the thread's timers. Guarded by the window lock.

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "Platform/Window/WindowState.h"

namespace Platform {

// A message sent from another thread, or a piece of work another thread asked this one to run
// (dialogs of the host thread). The sender waits until done.
struct SentMessage {
  HWND hwnd = nullptr;
  UINT msg = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  std::function<void()> task;
  LRESULT result = 0;
  bool done = false;
  std::shared_ptr<ThreadQueue> sender;
};

struct QueuedMessage {
  MSG msg{};
  std::u16string chars;  // what TranslateMessage makes of a key-down
};

struct Timer {
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  UINT elapse = 0;
  TIMERPROC proc = nullptr;
  DWORD due = 0;
};

struct ThreadQueue {
  std::thread::id thread;
  DWORD threadId = 0;
  bool alive = true;
  bool hostThread = false;
  std::deque<QueuedMessage> posted;
  std::deque<std::shared_ptr<SentMessage>> inbox;
  bool quit = false;
  int quitCode = 0;
  std::vector<Timer> timers;
  UINT_PTR nextThreadTimer = 1;
  int handlingSent = 0;  // depth of sent messages being handled
  std::condition_variable wake;
};

using QueuePtr = std::shared_ptr<ThreadQueue>;

// The calling thread's queue, made on first use.
QueuePtr CurrentQueue();
// Under the lock.
QueuePtr QueueOfThreadLocked(DWORD threadId);

// Under the lock: wakes the thread that owns q wherever it waits.
void WakeQueueLocked(ThreadQueue& q);
// Under the lock (released while waiting): waits for the queue to change or the deadline
// (milliseconds from now, negative for none). True when the deadline passed first.
bool WaitOnQueue(std::unique_lock<std::mutex>& lock, ThreadQueue& q, int timeoutMs);
// Wakes every thread that waits for a message, so that it looks at the clock again.
void WakeAllQueues();
// Milliseconds until the calling thread's next timer, hover or caret blink is due (0: due
// now, negative: none).
int MillisecondsToNextDeadline();

// Under the lock: appends a posted or input message and wakes the owner.
void PostLocked(ThreadQueue& q, const MSG& msg, std::u16string chars = {});

// Handles every message other threads have sent to the calling thread. Takes and releases the
// lock itself; returns true when at least one was handled.
bool HandleSentMessages(std::unique_lock<std::mutex>& lock, ThreadQueue& q);

// Runs task on the thread that owns q and waits for it, handling messages sent to the calling
// thread meanwhile. Runs it directly when q is the caller's queue. False when q's thread ended.
bool RunOnThread(const QueuePtr& q, std::function<void()> task);

// Sends a message to a window of another thread and waits for the answer. False when that
// thread has ended.
bool SendToThread(const QueuePtr& q, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                  LRESULT* result);

// Under the lock: drop posted messages and timers of a window that is going away.
void ForgetWindowMessagesLocked(ThreadQueue& q, HWND hwnd);

// Timers (Timers.cpp), under the lock.
bool TakeDueTimerLocked(ThreadQueue& q, HWND filter, MSG* out, bool remove, DWORD now);
int MillisecondsToNextTimerLocked(const ThreadQueue& q, DWORD now);

// The caret's blinking (Carets.cpp). How long until the caret of a window of q flips (negative:
// it does not blink on q's thread); and the flip itself when due, which releases the lock while
// the pixels are shown.
int MillisecondsToCaretBlinkLocked(ThreadQueue& q, DWORD now);
void BlinkCaretIfDue(std::unique_lock<std::mutex>& lock, ThreadQueue& q, DWORD now);

// Painting (Painting.cpp), under the lock: a WM_PAINT for a window of this thread that needs
// one.
bool TakePaintMessageLocked(ThreadQueue& q, HWND filter, MSG* out);

// Mouse hover tracking (Input.cpp), under the lock: posts a due WM_MOUSEHOVER and answers how
// long until the next one is due (negative: none).
int CheckHoverLocked(ThreadQueue& q, DWORD now);

// The cursor position in screen coordinates (Input.cpp), under the lock.
POINT CursorPosLocked();

// Under the lock: a message stamped with the current time and cursor position, as a posted or
// generated message is (Messages.cpp).
MSG StampedMessageLocked(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The mouse-hover defaults: the time the pointer rests and the size of the rectangle it may
// move in, as TrackMouseEvent uses them and SystemParametersInfoW reports them.
constexpr UINT kDefaultHoverTime = 400;
constexpr UINT kDefaultHoverSize = 4;

// Keyboard state follows the messages as the thread retrieves them (Input.cpp).
void NoteRetrievedMessage(const QueuedMessage& m);

}  // namespace Platform

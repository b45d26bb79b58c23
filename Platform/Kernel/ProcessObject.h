#pragma once
// A child process started by CreateProcessW. Its process handle and its main thread's handle
// both name this object: each becomes signaled when the process ends. A thread of its own
// collects the end, so no zombie is left even when every handle was closed at once.

#include <sys/types.h>

#include <future>
#include <memory>

#include "Platform/Kernel/Waitable.h"
#include "Platform/Win32Types.h"

namespace Platform {

class ProcessObject : public WaitableObject {
 public:
  // A new object with its collecting thread already running (and waiting for Started), or
  // null when no thread can be made; made before the process so that failure leaves nothing.
  static std::shared_ptr<ProcessObject> Create();

  // Hands the started process to the collecting thread; a pid <= 0 (nothing started) ends it.
  void Started(pid_t pid);

  pid_t Pid() const;
  // STILL_ACTIVE while the process runs; a process ended by a signal reports 128 + its number.
  DWORD ExitCode() const;

 private:
  bool SignaledLocked() const override { return m_finished; }
  void Collect(std::future<pid_t> pid);

  std::promise<pid_t> m_started;
  pid_t m_pid = 0;
  bool m_finished = false;
  DWORD m_exitCode = 259;  // STILL_ACTIVE
};

}  // namespace Platform

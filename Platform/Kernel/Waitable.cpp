#include "Platform/Kernel/Waitable.h"

#include <chrono>

#include "Platform/Win32.h"

namespace Platform {

DWORD WaitableObject::Wait(DWORD milliseconds) {
  std::unique_lock<std::mutex> lock(m_mutex);
  auto signaled = [this] { return SignaledLocked(); };
  if (milliseconds == INFINITE) {
    m_changed.wait(lock, signaled);
  } else if (!m_changed.wait_for(lock, std::chrono::milliseconds(milliseconds), signaled)) {
    return WAIT_TIMEOUT;
  }
  AcquiredLocked();
  return WAIT_OBJECT_0;
}

}  // namespace Platform

#pragma once
// Kernel objects a thread can wait for (threads, events, processes).

#include <condition_variable>
#include <mutex>

#include "Platform/Kernel/Handles.h"

namespace Platform {

class WaitableObject : public KernelObject {
 public:
  // Blocks until the object is signaled (WAIT_OBJECT_0) or the time is up (WAIT_TIMEOUT);
  // INFINITE never times out. A satisfied wait takes the signal of an auto-reset object.
  DWORD Wait(DWORD milliseconds);

 protected:
  // Both run with the object's lock held.
  virtual bool SignaledLocked() const = 0;
  virtual void AcquiredLocked() {}

  // Changes the state under the lock and wakes every waiter to look again.
  template <class Change>
  void Update(Change change) {
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      change();
    }
    m_changed.notify_all();
  }

  mutable std::mutex m_mutex;

 private:
  std::condition_variable m_changed;
};

}  // namespace Platform

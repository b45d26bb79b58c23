// Unnamed events, manual and auto reset.
#include "Platform/Kernel/Unsupported.h"
#include "Platform/Kernel/Waitable.h"
#include "Platform/Win32.h"

namespace {

class EventObject : public Platform::WaitableObject {
 public:
  EventObject(bool manualReset, bool signaled) : m_manualReset(manualReset), m_signaled(signaled) {}
  void Set() {
    Update([this] { m_signaled = true; });
  }
  void Reset() {
    Update([this] { m_signaled = false; });
  }

 private:
  bool SignaledLocked() const override { return m_signaled; }
  // An auto-reset event lets one waiter through per Set.
  void AcquiredLocked() override {
    if (!m_manualReset) m_signaled = false;
  }

  const bool m_manualReset;
  bool m_signaled;
};

}  // namespace

HANDLE WINAPI CreateEventW(LPSECURITY_ATTRIBUTES, BOOL bManualReset, BOOL bInitialState,
                           LPCWSTR lpName) {
  if (lpName) {
    // Named events join objects of other processes; nothing here can share them.
    Platform::ReportUnsupported("CreateEventW", "named events");
    SetLastError(ERROR_NOT_SUPPORTED);
    return nullptr;
  }
  return Platform::InsertHandle(std::make_shared<EventObject>(bManualReset, bInitialState));
}

BOOL WINAPI SetEvent(HANDLE hEvent) {
  auto event = Platform::LookupHandleAs<EventObject>(hEvent);
  if (!event) return FALSE;
  event->Set();
  return TRUE;
}

BOOL WINAPI ResetEvent(HANDLE hEvent) {
  auto event = Platform::LookupHandleAs<EventObject>(hEvent);
  if (!event) return FALSE;
  event->Reset();
  return TRUE;
}

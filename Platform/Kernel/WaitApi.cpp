// Waiting, sleeping and the 64-bit tick counter.
#include <chrono>
#include <thread>

#include "Platform/Kernel/Clock.h"
#include "Platform/Kernel/Waitable.h"
#include "Platform/Win32.h"

DWORD WINAPI WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
  // The current process or thread never ends while it waits for itself.
  if (hHandle == GetCurrentProcess() || hHandle == GetCurrentThread()) {
    Sleep(dwMilliseconds);
    return WAIT_TIMEOUT;
  }
  auto object = Platform::LookupHandleAs<Platform::WaitableObject>(hHandle);
  if (!object) return WAIT_FAILED;
  return object->Wait(dwMilliseconds);
}

void WINAPI Sleep(DWORD dwMilliseconds) {
  if (dwMilliseconds == INFINITE) {
    for (;;) std::this_thread::sleep_for(std::chrono::hours(24));
  }
  if (dwMilliseconds == 0) {
    std::this_thread::yield();
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds));
}

ULONGLONG WINAPI GetTickCount64() { return Platform::ClockNow(); }

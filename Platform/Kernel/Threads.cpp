// Threads on std::thread. A thread object lives until its body has returned and every handle to
// it is closed; closing the handle early does not stop the thread, as on Windows.
#include <unistd.h>

#include <future>
#include <system_error>
#include <thread>

#include "Platform/Kernel/ProcessObject.h"
#include "Platform/Kernel/ThreadObject.h"
#include "Platform/Kernel/Unsupported.h"
#include "Platform/Win32.h"

namespace Platform {

void ThreadObject::Finish(DWORD exitCode) {
  Update([&] {
    m_exitCode = exitCode;
    m_finished = true;
  });
}

DWORD ThreadObject::ExitCode() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_exitCode;
}

}  // namespace Platform

HANDLE WINAPI CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE lpStartAddress,
                           LPVOID lpParameter, DWORD dwCreationFlags, LPDWORD lpThreadId) {
  if (!lpStartAddress) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (dwCreationFlags & CREATE_SUSPENDED) {
    Platform::ReportUnsupported("CreateThread", "CREATE_SUSPENDED");
    SetLastError(ERROR_NOT_SUPPORTED);
    return nullptr;
  }
  auto thread = std::make_shared<Platform::ThreadObject>();
  std::promise<DWORD> started;
  std::future<DWORD> id = started.get_future();
  try {
    std::thread([thread, lpStartAddress, lpParameter, started = std::move(started)]() mutable {
      started.set_value(GetCurrentThreadId());
      thread->Finish(lpStartAddress(lpParameter));
    }).detach();
  } catch (const std::system_error&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  const DWORD threadId = id.get();
  if (lpThreadId) *lpThreadId = threadId;
  return Platform::InsertHandle(thread);
}

BOOL WINAPI GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode) {
  if (!lpExitCode) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (hThread == GetCurrentThread()) {
    *lpExitCode = STILL_ACTIVE;
    return TRUE;
  }
  auto object = Platform::LookupHandle(hThread);
  if (auto thread = std::dynamic_pointer_cast<Platform::ThreadObject>(object)) {
    *lpExitCode = thread->ExitCode();
    return TRUE;
  }
  // A child process's main thread ends with its process.
  if (auto process = std::dynamic_pointer_cast<Platform::ProcessObject>(object)) {
    *lpExitCode = process->ExitCode();
    return TRUE;
  }
  if (object) Platform::SetInvalidHandleError();
  return FALSE;
}

DWORD WINAPI GetCurrentProcessId() { return static_cast<DWORD>(getpid()); }

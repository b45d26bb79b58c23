// Copying out of a file view that may have shrunk. A page of the view that the file no longer
// backs raises EXCEPTION_IN_PAGE_ERROR when it is touched. Without __try (mingw's g++ has none),
// a vectored handler catches it for a thread that is inside CopyFromView and resumes that thread
// at the context it captured before the copy, which then reports the failure.
#include <cstring>
#include <mutex>

#include "Platform/Win32.h"
#include "Platform/Win32Ext.h"

namespace Platform {

namespace {

// The context to resume at, while this thread copies; null otherwise.
thread_local CONTEXT* t_resume = nullptr;
thread_local volatile bool t_faulted = false;

LONG CALLBACK OnException(EXCEPTION_POINTERS* pointers) {
  CONTEXT* resume = t_resume;
  if (!resume || pointers->ExceptionRecord->ExceptionCode != EXCEPTION_IN_PAGE_ERROR)
    return EXCEPTION_CONTINUE_SEARCH;
  t_resume = nullptr;
  t_faulted = true;
  *pointers->ContextRecord = *resume;
  return EXCEPTION_CONTINUE_EXECUTION;
}

void InstallHandler() {
  static std::once_flag once;
  std::call_once(once, [] { AddVectoredExceptionHandler(1, OnException); });
}

// Not inlined: the resumed context is this frame as it was when captured.
__attribute__((noinline)) bool GuardedCopy(void* to, const void* from, size_t count) {
  CONTEXT resume;
  t_faulted = false;
  RtlCaptureContext(&resume);
  if (t_faulted) return false;
  t_resume = &resume;
  std::memcpy(to, from, count);
  t_resume = nullptr;
  return true;
}

}  // namespace

bool CopyFromView(void* to, const void* from, size_t count) {
  InstallHandler();
  if (GuardedCopy(to, from, count)) return true;
  t_faulted = false;
  SetLastError(ERROR_READ_FAULT);
  return false;
}

}  // namespace Platform

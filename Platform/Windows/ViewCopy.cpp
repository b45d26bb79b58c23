// Copying out of a file view that may have shrunk. A page of the view that the file no longer
// backs raises EXCEPTION_IN_PAGE_ERROR when it is touched (Wine raises an access violation for a
// read there instead). Without __try (mingw's g++ has none), a vectored handler catches either for
// a thread that is inside CopyFromView, when the fault is a read of the view being copied, and
// resumes that thread at the context it captured before the copy, which then reports the failure.
// Any other fault goes on to the handlers after it.
#include <cstring>
#include <mutex>

#include "Platform/Win32.h"
#include "Platform/Win32Ext.h"

namespace Platform {

namespace {

// The context to resume at and the bytes being copied, while this thread copies; null otherwise.
// Volatile: the stores around the copy must stay, though the copy itself never reads them.
thread_local CONTEXT* volatile t_resume = nullptr;
thread_local volatile uintptr_t t_from = 0;
thread_local volatile size_t t_count = 0;
thread_local volatile bool t_faulted = false;

// A read of the bytes being copied, inside a view of a file, that could not be served.
bool IsFaultOfCopiedView(const EXCEPTION_RECORD& record) {
  if (record.ExceptionCode != EXCEPTION_IN_PAGE_ERROR &&
      record.ExceptionCode != EXCEPTION_ACCESS_VIOLATION)
    return false;
  if (record.NumberParameters < 2 || record.ExceptionInformation[0] != 0) return false;  // a read
  const uintptr_t address = record.ExceptionInformation[1];
  if (address < t_from || address - t_from >= t_count) return false;
  MEMORY_BASIC_INFORMATION region;
  return VirtualQuery(reinterpret_cast<void*>(address), &region, sizeof region) == sizeof region &&
         region.Type == MEM_MAPPED;
}

LONG CALLBACK OnException(EXCEPTION_POINTERS* pointers) {
  CONTEXT* resume = t_resume;
  if (!resume || !IsFaultOfCopiedView(*pointers->ExceptionRecord)) return EXCEPTION_CONTINUE_SEARCH;
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
  t_from = reinterpret_cast<uintptr_t>(from);
  t_count = count;
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

// Copying out of a file view that may have shrunk: reading a page past the file's new end
// raises SIGBUS, which a thread inside CopyFromView turns into a failed copy.
#include <setjmp.h>
#include <signal.h>

#include <cstring>
#include <mutex>

#include "Platform/Win32.h"
#include "Platform/Win32Ext.h"

namespace Platform {

namespace {

// Volatile: the stores around the copy must stay, though the copy itself never reads them.
thread_local sigjmp_buf* volatile t_recover = nullptr;
struct sigaction g_previous;

void OnBusError(int signal, siginfo_t* info, void* context) {
  if (sigjmp_buf* recover = t_recover) {
    t_recover = nullptr;
    siglongjmp(*recover, 1);
  }
  // Not ours: as if this handler were not there.
  if (g_previous.sa_flags & SA_SIGINFO) {
    g_previous.sa_sigaction(signal, info, context);
  } else if (g_previous.sa_handler != SIG_DFL && g_previous.sa_handler != SIG_IGN) {
    g_previous.sa_handler(signal);
  } else {
    sigaction(SIGBUS, &g_previous, nullptr);
    raise(SIGBUS);
  }
}

void InstallHandler() {
  static std::once_flag once;
  std::call_once(once, [] {
    struct sigaction action {};
    action.sa_sigaction = OnBusError;
    action.sa_flags = SA_SIGINFO | SA_NODEFER;
    sigemptyset(&action.sa_mask);
    sigaction(SIGBUS, &action, &g_previous);
  });
}

}  // namespace

bool CopyFromView(void* to, const void* from, size_t count) {
  InstallHandler();
  sigjmp_buf recover;
  if (sigsetjmp(recover, 1) != 0) {
    SetLastError(ERROR_READ_FAULT);
    return false;
  }
  t_recover = &recover;
  std::memcpy(to, from, count);
  t_recover = nullptr;
  return true;
}

}  // namespace Platform

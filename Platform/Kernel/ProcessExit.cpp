// ExitProcess: ends the process at once with the given code, whatever other threads are doing.
// Like the Windows call it does not return and does not unwind the calling thread; buffered
// standard output is written out first so that nothing already printed is lost. Static
// destructors do not run: other threads may still be using what they would tear down.
#include <unistd.h>

#include <cstdio>

#include "Platform/Win32.h"

void WINAPI ExitProcess(UINT uExitCode) {
  std::fflush(nullptr);
  _exit(static_cast<int>(uExitCode & 0xFF));
}

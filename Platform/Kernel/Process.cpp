// CreateProcessW on posix_spawn.
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "Platform/Kernel/CommandLine.h"
#include "Platform/Kernel/ErrnoMap.h"
#include "Platform/Kernel/PathMap.h"
#include "Platform/Kernel/ProcessObject.h"
#include "Platform/Kernel/ProgramSearch.h"
#include "Platform/Kernel/Unsupported.h"
#include "Platform/Text/Utf.h"
#include "Platform/Win32.h"

extern char** environ;

namespace {

BOOL Failed(DWORD error) {
  SetLastError(error);
  return FALSE;
}

DWORD SpawnError(int err) {
  if (err == ENOEXEC) return ERROR_BAD_EXE_FORMAT;
  if (err == ENOENT) return ERROR_FILE_NOT_FOUND;  // e.g. a missing script interpreter
  return Platform::Win32ErrorFromErrno(err);
}

// The child starts with default signal handling and nothing blocked, whatever this program
// (or its toolkit) changed for itself.
void ResetSignals(posix_spawnattr_t* attr) {
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  sigdelset(&all, SIGKILL);
  sigdelset(&all, SIGSTOP);
  posix_spawnattr_setsigmask(attr, &none);
  posix_spawnattr_setsigdefault(attr, &all);
  posix_spawnattr_setflags(attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
}

int Spawn(const std::string& program, const std::vector<std::u16string>& args,
          const std::string& folder, pid_t* pid) {
  std::vector<std::string> utf8;
  for (const std::u16string& arg : args) utf8.push_back(Platform::Utf16ToUtf8(arg));
  std::vector<char*> argv;
  for (std::string& arg : utf8) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  ResetSignals(&attr);
  int err = posix_spawn(pid, program.c_str(), &actions, &attr, argv.data(), environ);
  posix_spawnattr_destroy(&attr);
  posix_spawn_file_actions_destroy(&actions);
  return err;
}

// What this layer cannot honour is refused rather than silently ignored.
const char* UnsupportedRequest(DWORD flags, LPVOID environment, const STARTUPINFOW* startup) {
  if (flags & CREATE_SUSPENDED) return "CREATE_SUSPENDED";
  if (flags & (DEBUG_PROCESS | DEBUG_ONLY_THIS_PROCESS)) return "debugging";
  if (environment) return "an environment block";
  if (startup->dwFlags & STARTF_USESTDHANDLES) return "STARTF_USESTDHANDLES";
  return nullptr;
}

}  // namespace

BOOL WINAPI CreateProcessW(LPCWSTR lpApplicationName, LPWSTR lpCommandLine, LPSECURITY_ATTRIBUTES,
                           LPSECURITY_ATTRIBUTES, BOOL, DWORD dwCreationFlags, LPVOID lpEnvironment,
                           LPCWSTR lpCurrentDirectory, LPSTARTUPINFOW lpStartupInfo,
                           LPPROCESS_INFORMATION lpProcessInformation) {
  if (!lpStartupInfo || !lpProcessInformation || (!lpApplicationName && !lpCommandLine))
    return Failed(ERROR_INVALID_PARAMETER);
  if (const char* what = UnsupportedRequest(dwCreationFlags, lpEnvironment, lpStartupInfo)) {
    Platform::ReportUnsupported("CreateProcessW", what);
    return Failed(ERROR_NOT_SUPPORTED);
  }
  // Without a command line the program's name is the whole of it.
  const std::u16string line =
      lpCommandLine ? lpCommandLine : u"\"" + std::u16string(lpApplicationName) + u"\"";
  std::string program;
  DWORD err = lpApplicationName ? Platform::FindNamedProgram(lpApplicationName, &program)
                                : Platform::FindCommandLineProgram(line, &program);
  if (err) return Failed(err);
  std::string folder;
  if (lpCurrentDirectory) {
    struct stat st;
    if (!Platform::WindowsToPosixPath(lpCurrentDirectory, &folder) ||
        stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
      return Failed(ERROR_DIRECTORY);
  }
  auto process = Platform::ProcessObject::Create();
  if (!process) return Failed(ERROR_NOT_ENOUGH_MEMORY);
  pid_t pid = 0;
  int spawnErr = Spawn(program, Platform::SplitCommandLine(line), folder, &pid);
  process->Started(spawnErr ? 0 : pid);
  if (spawnErr) return Failed(SpawnError(spawnErr));

  lpProcessInformation->hProcess = Platform::InsertHandle(process);
  lpProcessInformation->hThread = Platform::InsertHandle(process);
  lpProcessInformation->dwProcessId = static_cast<DWORD>(pid);
  lpProcessInformation->dwThreadId = static_cast<DWORD>(pid);  // the main thread's id is the pid
  return TRUE;
}

BOOL WINAPI GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode) {
  if (!lpExitCode) return Failed(ERROR_INVALID_PARAMETER);
  if (hProcess == GetCurrentProcess()) {
    *lpExitCode = STILL_ACTIVE;
    return TRUE;
  }
  auto process = Platform::LookupHandleAs<Platform::ProcessObject>(hProcess);
  if (!process) return FALSE;
  *lpExitCode = process->ExitCode();
  return TRUE;
}

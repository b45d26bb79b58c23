#include "Platform/Kernel/ProcessObject.h"

#include <errno.h>
#include <sys/wait.h>

#include <system_error>
#include <thread>

namespace Platform {
namespace {

DWORD ExitCodeFromStatus(int status) {
  if (WIFEXITED(status)) return static_cast<DWORD>(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) return 128u + static_cast<DWORD>(WTERMSIG(status));
  return 0;
}

}  // namespace

std::shared_ptr<ProcessObject> ProcessObject::Create() {
  auto process = std::make_shared<ProcessObject>();
  std::future<pid_t> pid = process->m_started.get_future();
  try {
    std::thread([process, pid = std::move(pid)]() mutable {
      process->Collect(std::move(pid));
    }).detach();
  } catch (const std::system_error&) {
    return nullptr;
  }
  return process;
}

void ProcessObject::Started(pid_t pid) {
  if (pid > 0) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_pid = pid;
  }
  m_started.set_value(pid);
}

void ProcessObject::Collect(std::future<pid_t> started) {
  const pid_t pid = started.get();
  if (pid <= 0) return;
  int status = 0;
  pid_t r;
  do {
    r = waitpid(pid, &status, 0);
  } while (r < 0 && errno == EINTR);
  const DWORD code = r == pid ? ExitCodeFromStatus(status) : 0;
  Update([&] {
    m_exitCode = code;
    m_finished = true;
  });
}

pid_t ProcessObject::Pid() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_pid;
}

DWORD ProcessObject::ExitCode() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_exitCode;
}

}  // namespace Platform

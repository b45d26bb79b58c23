#include "support/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>

extern char** environ;

namespace TestSupport {

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args,
                           const std::string& input) {
  int fds[2], in[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return;
  if (pipe2(in, O_CLOEXEC) != 0) {
    close(fds[0]);
    close(fds[1]);
    return;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
  std::vector<std::string> all{program};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  if (posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
    m_pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  close(in[0]);
  m_out = fds[0];
  // Inputs are small enough for the pipe; a child that ends without reading must not kill us.
  signal(SIGPIPE, SIG_IGN);
  for (size_t done = 0; Started() && done < input.size();) {
    ssize_t n = write(in[1], input.data() + done, input.size() - done);
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  close(in[1]);
}

ChildProcess::~ChildProcess() {
  if (Started() && !m_waited) {
    kill(m_pid, SIGKILL);
    Wait();
  }
  if (m_out >= 0) close(m_out);
}

void ChildProcess::ReadAvailable(int timeoutMs) {
  for (;;) {
    pollfd p{m_out, POLLIN, 0};
    if (poll(&p, 1, timeoutMs) <= 0) return;
    char buffer[4096];
    ssize_t n = read(m_out, buffer, sizeof buffer);
    if (n <= 0) return;
    m_pending.append(buffer, static_cast<size_t>(n));
    size_t end;
    while ((end = m_pending.find('\n')) != std::string::npos) {
      m_lines.push_back(m_pending.substr(0, end));
      m_pending.erase(0, end + 1);
    }
    timeoutMs = 0;
  }
}

bool ChildProcess::WaitForLine(int timeoutMs) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (m_lines.empty() && m_out >= 0) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                    deadline - std::chrono::steady_clock::now())
                    .count();
    if (left <= 0) return false;
    ReadAvailable(static_cast<int>(left));
  }
  return !m_lines.empty();
}

std::vector<std::string> ChildProcess::TakeLines() {
  if (m_out >= 0) ReadAvailable(0);
  std::vector<std::string> lines;
  lines.swap(m_lines);
  return lines;
}

void ChildProcess::Kill(int signal) {
  if (Started() && !m_waited) kill(m_pid, signal);
}

int ChildProcess::Wait() {
  if (!Started()) return -1;
  if (!m_waited) {
    int status = 0;
    while (waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
    }
    m_waited = true;
    m_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  // Whatever the child wrote before it ended is still in the pipe.
  if (m_out >= 0) ReadAvailable(0);
  return m_status;
}

std::string BuiltProgram(const std::string& relative) {
  const char* build = std::getenv("SKINUI_BUILD_DIR");
  return std::string(build ? build : ".") + "/" + relative;
}

std::string ChildProgram(const std::string& name) {
  return BuiltProgram("tests/childproc_" + name);
}

}  // namespace TestSupport

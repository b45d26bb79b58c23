#pragma once
// A child process started from a test, with its standard output readable line by line.

#include <sys/types.h>

#include <string>
#include <vector>

namespace TestSupport {

class ChildProcess {
 public:
  // Starts program with the arguments (the program path is argv[0]); the environment is ours.
  // The child reads input on its standard input, then end of file.
  ChildProcess(const std::string& program, const std::vector<std::string>& args,
               const std::string& input = "");
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return m_pid > 0; }
  // Reads what the child has written so far without blocking; complete lines only.
  std::vector<std::string> TakeLines();
  // Waits up to timeoutMs for a first complete line; false when none came.
  bool WaitForLine(int timeoutMs);
  void Kill(int signal);
  // Waits for the end; the exit code, or 128 + signal for a child ended by a signal.
  int Wait();

 private:
  void ReadAvailable(int timeoutMs);

  pid_t m_pid = -1;
  int m_out = -1;
  std::string m_pending;
  std::vector<std::string> m_lines;
  bool m_waited = false;
  int m_status = -1;
};

// Path of a program built from tests/childprocs/<name>.cpp.
std::string ChildProgram(const std::string& name);
// Path of a program of the build, given relative to the build folder.
std::string BuiltProgram(const std::string& relative);

}  // namespace TestSupport

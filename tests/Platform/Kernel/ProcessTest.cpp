#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "KernelTestUtil.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using namespace KernelTest;

namespace {

class Process : public PrefixTest {
 protected:
  // A shell script that records its arguments ("a|b|") and then its working folder.
  void Recorder(const fs::path& at) {
    Executable(at, "#!/bin/sh\nprintf '%s|' \"$@\" > '" + Record().string() + "'\necho >> '" +
                       Record().string() + "'\npwd >> '" + Record().string() + "'\n");
  }
  void Executable(const fs::path& at, const std::string& content) {
    TestSupport::WriteFile(at, content);
    fs::permissions(at, fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
  }
  fs::path Record() const { return prefix.Scratch() / "record.txt"; }

  // Runs a command line to its end; the exit code, or -1 when it did not start.
  long long Run(std::u16string commandLine, LPCWSTR folder = nullptr, LPCWSTR app = nullptr) {
    STARTUPINFOW si = {};
    si.cb = 68;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(app, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &si,
                        &pi))
      return -1;
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, INFINITE), WAIT_OBJECT_0);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeProcess(pi.hProcess, &code));
    EXPECT_TRUE(CloseHandle(pi.hProcess));
    EXPECT_TRUE(CloseHandle(pi.hThread));
    return code;
  }
  DWORD StartError(std::u16string commandLine, LPCWSTR folder = nullptr) {
    SetLastError(0);
    EXPECT_EQ(Run(std::move(commandLine), folder), -1);
    return GetLastError();
  }
};

TEST_F(Process, ExitCodesComeBackThroughBothHandles) {
  STARTUPINFOW si = {};
  PROCESS_INFORMATION pi = {};
  std::u16string line = uR"(Z:\bin\sh -c "exit 7")";
  ASSERT_TRUE(
      CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  EXPECT_GT(pi.dwProcessId, 0u);
  EXPECT_EQ(WaitForSingleObject(pi.hThread, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 0), WAIT_OBJECT_0);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeProcess(pi.hProcess, &code));
  EXPECT_EQ(code, 7u);
  EXPECT_TRUE(GetExitCodeThread(pi.hThread, &code));
  EXPECT_EQ(code, 7u);
  EXPECT_TRUE(CloseHandle(pi.hProcess));
  EXPECT_TRUE(CloseHandle(pi.hThread));
  EXPECT_FALSE(GetExitCodeProcess(pi.hProcess, &code));
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(Run(uR"(Z:\bin\sh -c "kill -KILL $$")"), 128 + SIGKILL);
}

TEST_F(Process, WaitsTimeOutWhileTheChildRuns) {
  STARTUPINFOW si = {};
  PROCESS_INFORMATION pi = {};
  std::u16string line = uR"(Z:\bin\sh -c "read x")";  // ends when its input closes
  int fds[2];
  ASSERT_EQ(0, pipe2(fds, O_CLOEXEC));  // only the copy on standard input reaches the child
  int savedIn = dup(0);
  dup2(fds[0], 0);
  ASSERT_TRUE(
      CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  dup2(savedIn, 0);
  close(savedIn);
  close(fds[0]);
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 30), WAIT_TIMEOUT);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeProcess(pi.hProcess, &code));
  EXPECT_EQ(code, STILL_ACTIVE);
  close(fds[1]);
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, INFINITE), WAIT_OBJECT_0);
  EXPECT_TRUE(GetExitCodeProcess(pi.hProcess, &code));
  EXPECT_EQ(code, 1u);  // read failed at the end of its input
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
}

TEST_F(Process, AnUnquotedProgramPathWithBlanksIsFoundAndItsArgumentsSplit) {
  // The installer starts its launcher this way: neither part quoted.
  Recorder(C("Program Files/Halvane/PlayCrate.exe"));
  EXPECT_EQ(Run(uR"(C:\Program Files\Halvane\PlayCrate.exe C:\users\me\Down loads\setup.exe)"), 0);
  EXPECT_EQ(TestSupport::ReadFile(Record()),
            "Files\\Halvane\\PlayCrate.exe|C:\\users\\me\\Down|loads\\setup.exe|\n" +
                fs::current_path().string() + "\n");

  // The shorter reading wins when such a file exists, in the documented order.
  Recorder(C("Program.exe"));
  fs::remove(Record());
  EXPECT_EQ(Run(uR"(C:\Program Files\Halvane\PlayCrate.exe x)"), 0);
  EXPECT_TRUE(fs::exists(Record()));
  fs::remove(C("Program.exe"));
  fs::remove(Record());

  EXPECT_EQ(Run(uR"("C:\Program Files\Halvane\PlayCrate.exe" "a b" c\"d)"), 0);
  EXPECT_EQ(TestSupport::ReadFile(Record()).substr(0, 10), "a b|c\"d|\n/");
}

TEST_F(Process, ExtensionsFoldersAndTheSearchPath) {
  Recorder(C("tools/run.exe"));
  EXPECT_EQ(Run(uR"(C:\tools\run arg)"), 0);  // ".exe" is tried
  EXPECT_EQ(Run(uR"(sh -c "exit 3")"), 3);    // a bare name is looked up along PATH
  // lpApplicationName picks the program; the command line is only the arguments.
  EXPECT_EQ(Run(uR"(anything -c "exit 5")", nullptr, uR"(Z:\bin\sh)"), 5);
  fs::create_directories(C("work dir"));
  EXPECT_EQ(Run(uR"(C:\tools\run.exe)", uR"(C:\work dir)"), 0);
  EXPECT_EQ(TestSupport::ReadFile(Record()), "|\n" + C("work dir").string() + "\n");
}

TEST_F(Process, FailuresCarryTheDocumentedErrors) {
  EXPECT_EQ(StartError(uR"(C:\missing.exe)"), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(StartError(uR"(C:\no\such\dir\prog.exe)"), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(StartError(u"surely-no-such-program-here"), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  TestSupport::WriteFile(C("plain.exe"), "#!/bin/sh\nexit 0\n");  // no execute permission
  EXPECT_EQ(StartError(uR"(C:\plain.exe)"), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  Executable(C("garbage.exe"), std::string("\x7f"
                                           "ELF garbage\x01\x02"));
  EXPECT_EQ(StartError(uR"(C:\garbage.exe)"), static_cast<DWORD>(ERROR_BAD_EXE_FORMAT));
  Recorder(C("ok.exe"));
  EXPECT_EQ(StartError(uR"(C:\ok.exe)", uR"(C:\no such folder)"),
            static_cast<DWORD>(ERROR_DIRECTORY));
  STARTUPINFOW si = {};
  PROCESS_INFORMATION pi = {};
  EXPECT_FALSE(
      CreateProcessW(nullptr, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  std::u16string line = uR"(C:\ok.exe)";
  EXPECT_FALSE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                              nullptr, nullptr, &si, &pi));
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
}

TEST_F(Process, AChildWhoseHandlesAreClosedAtOnceLeavesNoZombie) {
  STARTUPINFOW si = {};
  PROCESS_INFORMATION pi = {};
  std::u16string line = uR"(Z:\bin\sh -c "exit 0")";
  ASSERT_TRUE(
      CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  const fs::path proc = "/proc/" + std::to_string(pi.dwProcessId);
  for (int i = 0; i < 500 && fs::exists(proc); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_FALSE(fs::exists(proc));
}

}  // namespace

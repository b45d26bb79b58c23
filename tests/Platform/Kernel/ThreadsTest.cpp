#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>

#include "Platform/Host/Headless/Headless.h"
#include "Platform/Win32.h"

namespace {

struct Shared {
  HANDLE go = nullptr;
  std::atomic<int> runs{0};
  DWORD seenId = 0;
  DWORD seenError = 0;
};

DWORD WINAPI WaitThenReturn(LPVOID param) {
  auto* shared = static_cast<Shared*>(param);
  shared->seenId = GetCurrentThreadId();
  shared->seenError = GetLastError();
  SetLastError(ERROR_ACCESS_DENIED);  // must not leak into the creating thread
  WaitForSingleObject(shared->go, INFINITE);
  ++shared->runs;
  return 42;
}

TEST(Threads, RunWithTheirParameterAndReportTheirExitCode) {
  Shared shared;
  shared.go = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(shared.go, nullptr);
  SetLastError(ERROR_FILE_NOT_FOUND);
  DWORD id = 0;
  HANDLE thread = CreateThread(nullptr, 0, WaitThenReturn, &shared, 0, &id);
  ASSERT_NE(thread, nullptr);
  EXPECT_NE(id, 0u);
  EXPECT_NE(id, GetCurrentThreadId());

  DWORD code = 0;
  ASSERT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, STILL_ACTIVE);
  EXPECT_EQ(WaitForSingleObject(thread, 20), WAIT_TIMEOUT);

  SetEvent(shared.go);
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  ASSERT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, 42u);
  EXPECT_EQ(shared.runs, 1);
  EXPECT_EQ(shared.seenId, id);
  // Each thread has its own last error.
  EXPECT_EQ(shared.seenError, 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  // A finished thread stays signaled.
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
  EXPECT_TRUE(CloseHandle(thread));
  CloseHandle(shared.go);
}

TEST(Threads, ClosingTheHandleLetsTheThreadRunOn) {
  Shared shared;
  shared.go = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE thread = CreateThread(nullptr, 0, WaitThenReturn, &shared, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  EXPECT_TRUE(CloseHandle(thread));
  SetEvent(shared.go);
  for (int i = 0; i < 500 && shared.runs == 0; ++i) Sleep(10);
  EXPECT_EQ(shared.runs, 1);
  CloseHandle(shared.go);
}

TEST(Threads, BadRequestsFailCleanly) {
  EXPECT_EQ(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  DWORD code;
  HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  EXPECT_FALSE(GetExitCodeThread(event, &code));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  CloseHandle(event);
  ASSERT_TRUE(GetExitCodeThread(GetCurrentThread(), &code));
  EXPECT_EQ(code, STILL_ACTIVE);
}

TEST(Threads, IdsAndTicks) {
  EXPECT_EQ(GetCurrentProcessId(), static_cast<DWORD>(getpid()));
  const ULONGLONG before = GetTickCount64();
  const DWORD before32 = GetTickCount();
  // The tests run on the headless host, whose clock moves only when told; sleeping does not
  // move it.
  Sleep(5);
  EXPECT_EQ(GetTickCount64(), before);
  ASSERT_TRUE(Platform::Headless::AdvanceClock(30));
  EXPECT_EQ(GetTickCount64() - before, 30u);
  EXPECT_EQ(static_cast<DWORD>(GetTickCount() - before32), 30u);
  // Both counters count the same milliseconds.
  EXPECT_EQ(GetTickCount(), static_cast<DWORD>(GetTickCount64()));
}

}  // namespace

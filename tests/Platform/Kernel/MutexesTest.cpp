#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Platform/Win32.h"
#include "support/ChildProcess.h"
#include "support/TestPrefix.h"

namespace {

struct Attempt {
  HANDLE mutex;
  DWORD result;
};

DWORD WINAPI TryOnce(LPVOID param) {
  auto* attempt = static_cast<Attempt*>(param);
  attempt->result = WaitForSingleObject(attempt->mutex, 0);
  if (attempt->result == WAIT_OBJECT_0) ReleaseMutex(attempt->mutex);
  return 0;
}

// What another thread gets from a wait that does not block.
DWORD OtherThreadTries(HANDLE mutex) {
  Attempt attempt{mutex, WAIT_FAILED};
  HANDLE thread = CreateThread(nullptr, 0, TryOnce, &attempt, 0, nullptr);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  return attempt.result;
}

TEST(Mutexes, OwnerWaitsAgainOthersWaitUntilTheLastRelease) {
  HANDLE mutex = CreateMutexW(nullptr, TRUE, nullptr);
  ASSERT_NE(mutex, nullptr);
  EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_OBJECT_0);  // owned twice now
  EXPECT_EQ(OtherThreadTries(mutex), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_TRUE(ReleaseMutex(mutex));
  EXPECT_EQ(OtherThreadTries(mutex), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_TRUE(ReleaseMutex(mutex));
  EXPECT_EQ(OtherThreadTries(mutex), static_cast<DWORD>(WAIT_OBJECT_0));
  SetLastError(0);
  EXPECT_FALSE(ReleaseMutex(mutex));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_OWNER));
  CloseHandle(mutex);
}

std::string Claim(TestSupport::ChildProcess& child) {
  if (!child.WaitForLine(20000)) return "no answer";
  std::vector<std::string> lines = child.TakeLines();
  return lines.empty() ? "no answer" : lines[0];
}

// The name is known to every process of the prefix while any of them holds a handle, and is
// free again when the last one closes it or ends.
TEST(Mutexes, NamedMutexExistsWhileAnyProcessHoldsIt) {
  TestSupport::TestPrefix prefix;
  const std::string program = TestSupport::ChildProgram("MutexClaim");
  HANDLE mine = CreateMutexW(nullptr, FALSE, u"Local\\Halvane/Setup");
  ASSERT_NE(mine, nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  HANDLE again = CreateMutexW(nullptr, FALSE, u"Local\\Halvane/Setup");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  {
    TestSupport::ChildProcess child(program, {"Local\\Halvane/Setup"});
    EXPECT_EQ(Claim(child), "exists");
    CloseHandle(mine);
    CloseHandle(again);
    TestSupport::ChildProcess other(program, {"Local\\Halvane/Setup"});
    EXPECT_EQ(Claim(other), "exists") << "the first child still holds it";
  }  // both children are killed
  TestSupport::ChildProcess later(program, {"Local\\Halvane/Setup"});
  EXPECT_EQ(Claim(later), "first");
  TestSupport::ChildProcess elsewhere(program, {"another name"});
  EXPECT_EQ(Claim(elsewhere), "first");
}

TEST(Mutexes, OfProcessesStartedTogetherExactlyOneIsFirst) {
  TestSupport::TestPrefix prefix;
  const std::string program = TestSupport::ChildProgram("MutexClaim");
  std::vector<std::unique_ptr<TestSupport::ChildProcess>> children;
  for (int i = 0; i < 6; ++i)
    children.push_back(
        std::make_unique<TestSupport::ChildProcess>(program, std::vector<std::string>{"race"}));
  int first = 0, exists = 0;
  for (auto& child : children) {
    std::string answer = Claim(*child);
    first += answer == "first";
    exists += answer == "exists";
  }
  EXPECT_EQ(first, 1);
  EXPECT_EQ(exists, 5);
}

}  // namespace

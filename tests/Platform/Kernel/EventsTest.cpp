#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

#include "Platform/Win32.h"

namespace {

struct Waiter {
  HANDLE event;
  std::atomic<int>* released;
};

DWORD WINAPI WaitOnce(LPVOID param) {
  auto* w = static_cast<Waiter*>(param);
  if (WaitForSingleObject(w->event, 5000) == WAIT_OBJECT_0) ++*w->released;
  return 0;
}

// Starts `count` threads that each wait once for the event.
std::vector<HANDLE> StartWaiters(Waiter* waiter, int count) {
  std::vector<HANDLE> threads;
  for (int i = 0; i < count; ++i)
    threads.push_back(CreateThread(nullptr, 0, WaitOnce, waiter, 0, nullptr));
  return threads;
}

void Join(const std::vector<HANDLE>& threads) {
  for (HANDLE t : threads) {
    EXPECT_EQ(WaitForSingleObject(t, INFINITE), WAIT_OBJECT_0);
    CloseHandle(t);
  }
}

void WaitUntil(const std::atomic<int>& value, int wanted) {
  for (int i = 0; i < 500 && value < wanted; ++i) Sleep(10);
}

TEST(Events, ManualResetReleasesEveryWaiterAndStaysSet) {
  std::atomic<int> released{0};
  Waiter waiter{CreateEventW(nullptr, TRUE, FALSE, nullptr), &released};
  ASSERT_NE(waiter.event, nullptr);
  auto threads = StartWaiters(&waiter, 3);
  Sleep(20);
  EXPECT_EQ(released, 0);
  ASSERT_TRUE(SetEvent(waiter.event));
  Join(threads);
  EXPECT_EQ(released, 3);
  EXPECT_EQ(WaitForSingleObject(waiter.event, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(waiter.event, 0), WAIT_OBJECT_0);
  ASSERT_TRUE(ResetEvent(waiter.event));
  EXPECT_EQ(WaitForSingleObject(waiter.event, 0), WAIT_TIMEOUT);
  CloseHandle(waiter.event);
}

TEST(Events, AutoResetReleasesOneWaiterPerSet) {
  std::atomic<int> released{0};
  Waiter waiter{CreateEventW(nullptr, FALSE, FALSE, nullptr), &released};
  auto threads = StartWaiters(&waiter, 2);
  Sleep(20);
  SetEvent(waiter.event);
  WaitUntil(released, 1);
  Sleep(50);
  EXPECT_EQ(released, 1);  // the second waiter is still waiting
  SetEvent(waiter.event);
  Join(threads);
  EXPECT_EQ(released, 2);
  EXPECT_EQ(WaitForSingleObject(waiter.event, 0), WAIT_TIMEOUT);  // each Set was taken
  CloseHandle(waiter.event);
}

TEST(Events, InitialStateIsHonoured) {
  HANDLE manual = CreateEventW(nullptr, TRUE, TRUE, nullptr);
  HANDLE automatic = CreateEventW(nullptr, FALSE, TRUE, nullptr);
  EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_TIMEOUT);
  CloseHandle(manual);
  CloseHandle(automatic);
}

TEST(Events, TimeOutsWaitAtLeastTheirTime) {
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(WaitForSingleObject(event, 60), WAIT_TIMEOUT);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(60));
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
  CloseHandle(event);
}

TEST(Events, WrongHandlesFail) {
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  EXPECT_TRUE(CloseHandle(event));
  EXPECT_FALSE(SetEvent(event));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_FAILED);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(WaitForSingleObject(nullptr, INFINITE), WAIT_FAILED);
  EXPECT_EQ(CreateEventW(nullptr, TRUE, FALSE, u"Global\\Named"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
}

}  // namespace

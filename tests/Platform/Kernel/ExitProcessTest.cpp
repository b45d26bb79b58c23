#include <gtest/gtest.h>

#include <thread>

#include "Platform/Win32.h"

namespace {

// The code comes through even while another thread is busy.
TEST(ExitProcessDeathTest, EndsWithTheCodeWhileAnotherThreadRuns) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        std::thread busy([] {
          for (;;) Sleep(1);
        });
        busy.detach();
        ExitProcess(7);
      },
      testing::ExitedWithCode(7), "");
  EXPECT_EXIT(ExitProcess(0), testing::ExitedWithCode(0), "");
  // Only the low byte reaches a parent on this system.
  EXPECT_EXIT(ExitProcess(0x101), testing::ExitedWithCode(1), "");
}

}  // namespace

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "StandInWindow.h"
#include "setup/Progress.h"

namespace {

using namespace std::chrono_literals;

TEST(ProgressReport, ReachesTheSetupWindowFromAnotherThreadAndWaitsForIt) {
  StandInWindow window;
  std::atomic<int> sent{0};
  std::thread extraction([&] {
    const ULONGLONG total = 4824472;
    for (ULONGLONG done : {ULONGLONG{0}, total / 4, total / 2, total}) {
      ReportProgress(total, done, done == 0);
      // Synchronous: the window has the value before the call returns.
      sent = static_cast<int>(window.Progress().size());
    }
    ReportProgress(ULONGLONG{30000000000}, ULONGLONG{15000000000}, FALSE);  // sizes past 32 bits
  });
  EXPECT_TRUE(window.RunUntil([&] { return window.Progress().size() == 5; }, 10s));
  extraction.join();
  EXPECT_EQ(window.Progress(), (std::vector<int>{0, 25, 50, 100, 50}));
  EXPECT_EQ(sent.load(), 4);
  EXPECT_EQ(window.OtherCopyData(), 0);
}

}  // namespace

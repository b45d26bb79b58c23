#include <gtest/gtest.h>

#include "setup/Progress.h"

namespace {

TEST(ProgressPercent, ShippedPayloadSizes) {
  const ULONGLONG total = 4824472;
  EXPECT_EQ(ProgressPercent(total, 0, TRUE), 0);
  EXPECT_EQ(ProgressPercent(total, 0, FALSE), 0);
  EXPECT_EQ(ProgressPercent(total, 105688, FALSE), 2);
  EXPECT_EQ(ProgressPercent(total, total / 2, FALSE), 50);
  EXPECT_EQ(ProgressPercent(total, total - 1, FALSE), 99);
  EXPECT_EQ(ProgressPercent(total, total, FALSE), 100);
}

TEST(ProgressPercent, LargePayloadsStayBetweenZeroAndHundred) {
  // Past 21,474,837 bytes, done * 100 no longer fits 32 bits; past 4 GiB the totals do not.
  for (ULONGLONG total : {30000000ull, 5000000000ull, 1ull << 40, ~0ull}) {
    int last = 0;
    for (int step = 0; step <= 20; ++step) {
      ULONGLONG done = total / 20 * static_cast<ULONGLONG>(step);
      int percent = ProgressPercent(total, done, FALSE);
      EXPECT_GE(percent, last) << total << " " << done;
      EXPECT_LE(percent, 100);
      EXPECT_NEAR(percent, step * 5, 1) << total << " " << done;
      last = percent;
    }
    EXPECT_EQ(ProgressPercent(total, total, FALSE), 100);
  }
  EXPECT_EQ(ProgressPercent(30000000, 29999999, FALSE), 99);
}

TEST(ProgressPercent, NothingToWriteStartsAtZeroAndEndsAtHundred) {
  EXPECT_EQ(ProgressPercent(0, 0, TRUE), 0);
  EXPECT_EQ(ProgressPercent(0, 0, FALSE), 100);
}

}  // namespace

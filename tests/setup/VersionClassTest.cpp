#include <gtest/gtest.h>

#include "setup/WindowsVersion.h"

namespace {

struct VersionCase {
  unsigned platform, major, minor;
  int code;
};

TEST(VersionClass, GenerationCodes) {
  const VersionCase cases[] = {
      // 9x family: 95, 98, Me; anything else there is unknown.
      {1, 4, 0, 1},
      {1, 4, 10, 2},
      {1, 4, 90, 3},
      {1, 4, 1, 0},
      // NT 4.0, 2000, XP, Server 2003
      {2, 4, 0, 4},
      {2, 5, 0, 5},
      {2, 5, 1, 6},
      {2, 5, 2, 7},
      // NT 4.x and 5.x fall through to the later rules
      {2, 4, 1, 6},
      {2, 5, 10, 2},
      {2, 5, 90, 3},
      {2, 5, 3, 0},
      // Vista, 7, 8; 6.3 unknown; 6.10 and 6.90 match the 9x rule
      {2, 6, 0, 8},
      {2, 6, 1, 9},
      {2, 6, 2, 10},
      {2, 6, 3, 0},
      {2, 6, 10, 2},
      {2, 6, 90, 3},
      // later majors only try the 9x rule
      {2, 10, 0, 1},
      {2, 10, 1, 0},
      {2, 3, 51, 0},
      // unknown platform ids
      {0, 6, 1, 0},
      {3, 6, 1, 0},
  };
  for (const VersionCase& c : cases)
    EXPECT_EQ(ClassifyVersion(c.platform, c.major, c.minor), c.code)
        << c.platform << " " << c.major << "." << c.minor;
}

}  // namespace

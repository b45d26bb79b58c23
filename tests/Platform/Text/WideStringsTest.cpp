#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "Platform/Win32.h"

namespace {

// Every length at every alignment, with non-zero units after the terminator, so a length that
// reads whole blocks is checked against its edges.
TEST(WideStrings, LengthAtEveryAlignment) {
  std::vector<WCHAR> buffer(128, u'x');
  for (int offset = 0; offset < 9; ++offset) {
    for (int length = 0; length < 70; ++length) {
      std::fill(buffer.begin(), buffer.end(), u'x');
      buffer[static_cast<size_t>(offset + length)] = 0;
      ASSERT_EQ(lstrlenW(buffer.data() + offset), length) << "offset " << offset;
    }
  }
  EXPECT_EQ(lstrlenW(nullptr), 0);
  EXPECT_EQ(lstrlenW(u"\xFFFF\x8000\x0100"), 3);  // no unit but 0 ends the text
}

}  // namespace

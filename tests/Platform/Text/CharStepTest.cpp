#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Platform/Win32.h"

namespace {

// The offsets CharNextW visits from the start to the terminator.
std::vector<int> Forward(const std::u16string& s) {
  std::vector<int> steps;
  const WCHAR* p = s.c_str();
  while (*p) {
    p = CharNextW(p);
    steps.push_back(static_cast<int>(p - s.c_str()));
  }
  return steps;
}

std::vector<int> Backward(const std::u16string& s) {
  std::vector<int> steps;
  const WCHAR* start = s.c_str();
  const WCHAR* p = start + s.size();
  while (p > start) {
    p = CharPrevW(start, p);
    steps.push_back(static_cast<int>(p - start));
  }
  return steps;
}

}  // namespace

TEST(CharStep, SurrogatePairIsOneStepBothWays) {
  struct Case {
    std::u16string text;
    std::vector<int> forward, backward;
  } cases[] = {
      {u"ab", {1, 2}, {1, 0}},
      {u"\u5B89\u88C5", {1, 2}, {1, 0}},
      {u"a\U0001F600b", {1, 3, 4}, {3, 1, 0}},
      {u"\U0001F600\U0001F601", {2, 4}, {2, 0}},
      // Lone halves are single steps; a low half before a high half is not a pair.
      {std::u16string{u'a', 0xD83D, u'b'}, {1, 2, 3}, {2, 1, 0}},
      {std::u16string{0xDE00, 0xD83D}, {1, 2}, {1, 0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Forward(c.text), c.forward);
    EXPECT_EQ(Backward(c.text), c.backward);
  }
}

TEST(CharStep, StopsAtTheEnds) {
  const WCHAR* empty = u"";
  EXPECT_EQ(CharNextW(empty), empty);
  const WCHAR* s = u"x";
  EXPECT_EQ(CharPrevW(s, s), s);
  EXPECT_EQ(CharNextW(s + 1), s + 1);
  EXPECT_EQ(CharNextW(nullptr), nullptr);
  EXPECT_EQ(CharPrevW(s, nullptr), s);
}

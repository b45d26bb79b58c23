// String comparison: the linguistic lstrcmpW / lstrcmpiW and the ordinal CompareStringOrdinal,
// each against what Windows (under Wine) answers for the same pairs.
#include <gtest/gtest.h>

#include <vector>

#include "Platform/Text/Utf.h"
#include "Platform/Win32.h"

namespace {

struct Pair {
  LPCWSTR a, b;
  int cmp, cmpi;          // lstrcmpW, lstrcmpiW: -1, 0 or 1
  int ordinal, ordinalI;  // CompareStringOrdinal without and with case
};

TEST(Collation, PairsCompareAsOnWindows) {
  const std::vector<Pair> pairs = {
      {u"a", u"B", -1, -1, 3, 1},
      {u"A", u"a", 1, 0, 1, 2},
      {u"a", u"A", -1, 0, 3, 2},
      {u"co-op", u"coop", 1, 1, 1, 1},
      {u"coop", u"co-op", -1, -1, 3, 3},
      {u"co-op", u"cop", -1, -1, 1, 1},
      {u"co-op", u"coo", 1, 1, 1, 1},
      {u"it's", u"its", 1, 1, 1, 1},
      {u"its", u"it's", -1, -1, 3, 3},
      {u"_a", u"a", -1, -1, 1, 3},
      {u"a", u"_a", 1, 1, 3, 1},
      {u"\u00e9", u"f", -1, -1, 3, 3},
      {u"e", u"\u00e9", -1, -1, 1, 1},
      {u"Z", u"a", 1, 1, 1, 3},
      {u"[", u"a", -1, -1, 1, 3},
      {u"1", u"a", -1, -1, 1, 1},
      {u"10", u"9", -1, -1, 1, 1},
      {u"a\u0001", u"a", 1, 1, 3, 3},
      {u"ab", u"aB", -1, 0, 3, 2},
      {u"aB", u"ab", 1, 0, 1, 2},
      {u"Ab", u"aB", 1, 0, 1, 2},
      {u"abc", u"ABD", -1, -1, 3, 1},
      {u"-", u"", 1, 1, 3, 3},
      {u"'", u"-", -1, -1, 1, 1},
      {u"a-", u"a", 1, 1, 3, 3},
      {u"-a", u"a", 1, 1, 1, 1},
      {u"a b", u"ab", -1, -1, 1, 1},
      {u"", u"a", -1, -1, 1, 1},
      {u"x", u"X-", -1, -1, 3, 1},
      {u"X-", u"x", 1, 1, 1, 3},
      {u"re-sign", u"resign", 1, 1, 1, 1},
      {u"\u00c5", u"Z", -1, -1, 3, 3},
      {u"a", u"\u00e4", -1, -1, 1, 1},
      {u"\u00e4", u"b", -1, -1, 3, 3},
      {u"ss", u"\u00df", 0, 0, 1, 1},
      {u"Hello", u"hello", 1, 0, 1, 2},
      {u"ListItem", u"listitem", 1, 0, 1, 2},
      {u"a.b", u"ab", -1, -1, 1, 1},
      {u"a-b", u"a.b", 1, 1, 1, 1},
      {u"\uff21", u"A", 1, 1, 3, 3},
      {u"\u0041\u030a", u"\u00c5", 0, 0, 1, 1},
      {u"a\u200b", u"a", 1, 1, 3, 3},
      {u"@", u"!", 1, 1, 3, 3},
      {u"~", u"a", -1, -1, 3, 3},
  };
  for (const Pair& p : pairs) {
    const std::string what = Platform::ToUtf8(p.a) + " | " + Platform::ToUtf8(p.b);
    EXPECT_EQ(lstrcmpW(p.a, p.b), p.cmp) << what;
    EXPECT_EQ(lstrcmpiW(p.a, p.b), p.cmpi) << what;
    EXPECT_EQ(CompareStringOrdinal(p.a, -1, p.b, -1, FALSE), p.ordinal) << what;
    EXPECT_EQ(CompareStringOrdinal(p.a, -1, p.b, -1, TRUE), p.ordinalI) << what;
  }
}

TEST(Collation, NullStringsAndCounts) {
  // A null string sorts before every other, the empty one included.
  EXPECT_EQ(lstrcmpW(nullptr, u"a"), -1);
  EXPECT_EQ(lstrcmpW(nullptr, nullptr), 0);
  EXPECT_EQ(lstrcmpW(u"", nullptr), 1);
  EXPECT_EQ(lstrcmpiW(nullptr, u""), -1);
  SetLastError(0);
  EXPECT_EQ(CompareStringOrdinal(nullptr, -1, u"a", -1, FALSE), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  // Counts limit the comparison; units after them do not matter.
  EXPECT_EQ(CompareStringOrdinal(u"abc", 2, u"abd", 2, FALSE), CSTR_EQUAL);
  EXPECT_EQ(CompareStringOrdinal(u"ab", 1, u"ab", -1, FALSE), CSTR_LESS_THAN);
  EXPECT_EQ(CompareStringOrdinal(u"\u00E9", -1, u"\u00C9", -1, TRUE), CSTR_EQUAL);
  EXPECT_EQ(CompareStringOrdinal(u"\uFF41", -1, u"\uFF21", -1, TRUE), CSTR_EQUAL);
  EXPECT_EQ(CompareStringOrdinal(u"\u00DF", -1, u"SS", -1, TRUE), CSTR_GREATER_THAN);
}

}  // namespace

// The string's comparisons are ordinal on every system, whatever the system's collation
// (lstrcmpW sorts by language on Windows).
#include <gtest/gtest.h>

#include "Utils/Utils.h"

using SkinUI::CUIString;

namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

TEST(UIStringOrder, CompareIsCodeUnitOrder) {
  const struct {
    LPCWSTR a, b;
    int compare, noCase;
  } pairs[] = {
      {TEXT("a"), TEXT("B"), 1, -1},              // lower case after every capital
      {TEXT("co-op"), TEXT("coop"), -1, -1},      // the hyphen counts like any character
      {TEXT("ss"), TEXT("\u00DF"), -1, -1},       // no expansions
      {TEXT("e\u0301"), TEXT("\u00E9"), -1, -1},  // no canonical equivalence
      {TEXT("_a"), TEXT("a"), -1, 1},             // folded to "A", '_' comes after it
      {TEXT("ListItem"), TEXT("LISTITEM"), 1, 0},
      {TEXT("\u00E9"), TEXT("\u00C9"), 1, 0},  // case folds beyond ASCII
      {TEXT(""), nullptr, 0, 0},               // a null text compares as empty
  };
  for (const auto& p : pairs) {
    const CUIString s(p.a);
    EXPECT_EQ(Sign(s.Compare(p.b)), p.compare) << static_cast<int>(s.GetAt(0));
    EXPECT_EQ(Sign(s.CompareNoCase(p.b)), p.noCase) << static_cast<int>(s.GetAt(0));
    EXPECT_EQ(s == p.b, p.compare == 0);
  }
}

}  // namespace

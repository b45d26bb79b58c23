#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "Utils/Utils.h"
#include "support/WideString.h"

using SkinUI::CStringMapUI;

namespace {

LPVOID P(int i) { return reinterpret_cast<LPVOID>(static_cast<intptr_t>(i)); }

std::vector<WString> Order(const CStringMapUI& m) {
  std::vector<WString> keys;
  for (int i = 0; i < m.GetSize(); ++i) keys.push_back(m.GetAt(i));
  return keys;
}

TEST(StringMap, HashReadsTheKeyFromItsLastCharacter) {
  EXPECT_EQ(CStringMapUI::HashKey(TEXT("ab")), 3331u);  // 98 * 33 + 97
  EXPECT_EQ(CStringMapUI::HashKey(TEXT("ba")), 3299u);
  EXPECT_EQ(CStringMapUI::HashKey(TEXT("")), 0u);
  EXPECT_EQ(CStringMapUI::HashKey(TEXT("a")), 97u);
  // Wraps around modulo 2^32.
  WString key(40, TEXT('\xFFFF'));
  UINT expected = 0;
  for (size_t i = 0; i < key.size(); ++i) expected = expected * 33u + 0xFFFFu;
  EXPECT_EQ(CStringMapUI::HashKey(key.c_str()), expected);
}

TEST(StringMap, IterationRunsFromTheLastBucketDown) {
  // With 83 buckets: "ba" -> 3299 % 83 = 62, "a" -> 14, "ab" -> 3331 % 83 = 11.
  CStringMapUI m(83);
  m.Insert(TEXT("ab"), P(1));
  m.Insert(TEXT("a"), P(2));
  m.Insert(TEXT("ba"), P(3));
  EXPECT_EQ(Order(m), (std::vector<WString>{TEXT("ba"), TEXT("a"), TEXT("ab")}));
  EXPECT_EQ(m.GetAt(3), nullptr);
  EXPECT_EQ(m.GetAt(-1), nullptr);
  EXPECT_EQ(m[0], WString(TEXT("ba")));
}

TEST(StringMap, ChainsTakeNewItemsAtTheHeadAndMoveFoundItemsToTheFront) {
  // With 16 buckets 'a' (97), 'q' (113) and U+0081 (129) share bucket 1; 'b' sits in bucket 2.
  CStringMapUI m(3);
  EXPECT_EQ(m.GetBucketCount(), 16);
  m.Insert(TEXT("a"), P(1));
  m.Insert(TEXT("q"), P(2));
  m.Insert(TEXT("\u0081"), P(3));
  m.Insert(TEXT("b"), P(4));
  EXPECT_EQ(Order(m), (std::vector<WString>{TEXT("b"), TEXT("\u0081"), TEXT("q"), TEXT("a")}));

  EXPECT_EQ(m.Find(TEXT("q")), P(2));  // second in its chain: moves ahead of the former head
  EXPECT_EQ(Order(m), (std::vector<WString>{TEXT("b"), TEXT("q"), TEXT("\u0081"), TEXT("a")}));
  EXPECT_EQ(m.Find(TEXT("a"), false), P(1));  // no reordering
  EXPECT_EQ(Order(m), (std::vector<WString>{TEXT("b"), TEXT("q"), TEXT("\u0081"), TEXT("a")}));
  EXPECT_EQ(m.Find(TEXT("a")), P(1));  // last of the chain to the front
  EXPECT_EQ(Order(m), (std::vector<WString>{TEXT("b"), TEXT("a"), TEXT("q"), TEXT("\u0081")}));

  // Set and Remove search without reordering, and chains stay linked both ways.
  EXPECT_EQ(m.Set(TEXT("\u0081"), P(30)), P(3));
  EXPECT_EQ(Order(m), (std::vector<WString>{TEXT("b"), TEXT("a"), TEXT("q"), TEXT("\u0081")}));
  EXPECT_TRUE(m.Remove(TEXT("q")));
  EXPECT_EQ(Order(m), (std::vector<WString>{TEXT("b"), TEXT("a"), TEXT("\u0081")}));
  EXPECT_EQ(m.Find(TEXT("\u0081")), P(30));
  EXPECT_EQ(Order(m), (std::vector<WString>{TEXT("b"), TEXT("\u0081"), TEXT("a")}));
  EXPECT_TRUE(m.Remove(TEXT("\u0081")));
  EXPECT_TRUE(m.Remove(TEXT("a")));
  EXPECT_EQ(Order(m), (std::vector<WString>{TEXT("b")}));
  EXPECT_EQ(m.Find(TEXT("a")), nullptr);
}

TEST(StringMap, WalkingWithLookupsVisitsEveryKeyOnce) {
  CStringMapUI m(16);
  std::map<WString, int> seen;
  for (int i = 0; i < 200; ++i) {
    WString key = TEXT("ctl_") + WString(1, static_cast<WCHAR>(TEXT('A') + i % 26)) +
                  WString(static_cast<size_t>(i / 26), TEXT('x'));
    ASSERT_TRUE(m.Insert(key.c_str(), P(i + 1)));
    seen[key] = 0;
  }
  for (int i = 0; i < m.GetSize(); ++i) {
    LPCWSTR key = m.GetAt(i);
    ASSERT_NE(key, nullptr);
    EXPECT_NE(m.Find(key), nullptr);
    ++seen[key];
  }
  for (const auto& [key, count] : seen) EXPECT_EQ(count, 1);
  EXPECT_EQ(seen.size(), 200u);
}

TEST(StringMap, InsertSetAndRemove) {
  CStringMapUI m;
  EXPECT_EQ(m.GetBucketCount(), 83);
  EXPECT_EQ(m.Find(TEXT("k")), nullptr);
  EXPECT_TRUE(m.Insert(TEXT("k"), P(1)));
  EXPECT_FALSE(m.Insert(TEXT("k"), P(2)));
  EXPECT_EQ(m.Find(TEXT("k")), P(1));
  EXPECT_EQ(m.Find(TEXT("K")), nullptr);  // case-sensitive
  EXPECT_TRUE(m.Insert(TEXT("empty"), nullptr));
  EXPECT_FALSE(m.Insert(TEXT("empty"), P(5)));  // present even though its data is null
  EXPECT_EQ(m.GetSize(), 2);
  EXPECT_EQ(m.Set(TEXT("k"), P(3)), P(1));
  EXPECT_EQ(m.Find(TEXT("k")), P(3));
  EXPECT_EQ(m.Set(TEXT("new"), P(4)), nullptr);
  EXPECT_EQ(m.Find(TEXT("new")), P(4));
  EXPECT_EQ(m.GetSize(), 3);
  EXPECT_TRUE(m.Remove(TEXT("k")));
  EXPECT_FALSE(m.Remove(TEXT("k")));
  EXPECT_EQ(m.GetSize(), 2);
  EXPECT_FALSE(m.Insert(nullptr, P(1)));
  EXPECT_EQ(m.Find(nullptr), nullptr);
  EXPECT_FALSE(m.Remove(nullptr));

  // The map keeps its own copy of each key.
  WString key = TEXT("owned");
  m.Insert(key.c_str(), P(9));
  key[0] = TEXT('X');
  EXPECT_EQ(m.Find(TEXT("owned")), P(9));
}

TEST(StringMap, ResizeAndRemoveAll) {
  CStringMapUI m(20);
  m.Insert(TEXT("a"), P(1));
  m.Insert(TEXT("b"), P(2));
  m.RemoveAll();
  EXPECT_EQ(m.GetSize(), 0);
  EXPECT_EQ(m.GetBucketCount(), 20);
  EXPECT_EQ(m.Find(TEXT("a")), nullptr);
  EXPECT_TRUE(m.Insert(TEXT("a"), P(3)));
  m.Resize(-5);
  EXPECT_EQ(m.GetBucketCount(), 0);
  EXPECT_EQ(m.GetSize(), 0);
  EXPECT_FALSE(m.Insert(TEXT("a"), P(1)));
  EXPECT_EQ(m.Set(TEXT("a"), P(1)), nullptr);
  EXPECT_EQ(m.GetSize(), 0);
  EXPECT_EQ(m.Find(TEXT("a")), nullptr);
  EXPECT_FALSE(m.Remove(TEXT("a")));
  EXPECT_EQ(m.GetAt(0), nullptr);
  m.Resize(4);  // no minimum here
  EXPECT_EQ(m.GetBucketCount(), 4);
  EXPECT_TRUE(m.Insert(TEXT("a"), P(1)));
}

}  // namespace

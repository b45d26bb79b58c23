#include <gtest/gtest.h>

#include <vector>

#include "Utils/Utils.h"
#include "support/DebugCapture.h"
#include "support/WideString.h"

using SkinUI::CPtrArrayUI;

namespace {

LPVOID P(int i) { return reinterpret_cast<LPVOID>(static_cast<intptr_t>(i)); }

std::vector<LPVOID> Items(const CPtrArrayUI& a) {
  std::vector<LPVOID> items;
  for (int i = 0; i < a.GetSize(); ++i) items.push_back(a.GetAt(i));
  return items;
}

TEST(PtrArray, CapacityStartsAt11AndDoublesKeepingAFreeSlot) {
  CPtrArrayUI a;
  EXPECT_EQ(a.GetCapacity(), 0);
  std::vector<int> capacities;
  for (int i = 1; i <= 45; ++i) {
    ASSERT_TRUE(a.Add(P(i)));
    capacities.push_back(a.GetCapacity());
  }
  EXPECT_EQ(capacities[0], 11);   // first Add
  EXPECT_EQ(capacities[9], 11);   // 10 elements
  EXPECT_EQ(capacities[10], 22);  // the 11th reaches the capacity
  EXPECT_EQ(capacities[20], 22);
  EXPECT_EQ(capacities[21], 44);
  EXPECT_EQ(capacities[43], 88);
  for (int i = 0; i < 45; ++i) EXPECT_EQ(a[i], P(i + 1));
}

TEST(PtrArray, PreallocatedArrayGrowsWhenItsSlotsAreUsedUp) {
  CPtrArrayUI a(6);
  EXPECT_EQ(a.GetCapacity(), 6);
  EXPECT_EQ(a.GetSize(), 0);
  for (int i = 1; i <= 5; ++i) a.Add(P(i));
  EXPECT_EQ(a.GetCapacity(), 6);
  a.Add(P(6));
  EXPECT_EQ(a.GetCapacity(), 12);
  CPtrArrayUI b(6);
  for (int i = 0; i < 5; ++i) b.Add(P(i));
  EXPECT_TRUE(b.InsertAt(0, P(9)));  // InsertAt grows by the same rule
  EXPECT_EQ(b.GetCapacity(), 12);
}

TEST(PtrArray, InsertAndRemoveShiftTheTail) {
  CPtrArrayUI a;
  EXPECT_TRUE(a.InsertAt(0, P(2)));  // index == count appends
  EXPECT_TRUE(a.InsertAt(1, P(4)));
  EXPECT_TRUE(a.InsertAt(0, P(1)));
  EXPECT_TRUE(a.InsertAt(2, P(3)));
  EXPECT_EQ(Items(a), (std::vector<LPVOID>{P(1), P(2), P(3), P(4)}));
  EXPECT_FALSE(a.InsertAt(5, P(9)));  // count + 1
  EXPECT_FALSE(a.InsertAt(-1, P(9)));
  EXPECT_EQ(a.GetSize(), 4);
  EXPECT_FALSE(a.Remove(-1));
  EXPECT_FALSE(a.Remove(4));
  EXPECT_TRUE(a.Remove(1));
  EXPECT_EQ(Items(a), (std::vector<LPVOID>{P(1), P(3), P(4)}));
  EXPECT_TRUE(a.Remove(2));
  EXPECT_TRUE(a.Remove(0));
  EXPECT_EQ(Items(a), (std::vector<LPVOID>{P(3)}));
}

TEST(PtrArray, LookupAndAccess) {
  CPtrArrayUI a;
  EXPECT_TRUE(a.IsEmpty());
  EXPECT_EQ(a.GetAt(0), nullptr);
  a.Add(P(7));
  a.Add(P(8));
  a.Add(P(7));
  EXPECT_FALSE(a.IsEmpty());
  EXPECT_EQ(a.Find(P(7)), 0);
  EXPECT_EQ(a.Find(P(8)), 1);
  EXPECT_EQ(a.Find(P(9)), -1);
  EXPECT_EQ(a.GetAt(2), P(7));
  EXPECT_EQ(a.GetAt(3), nullptr);
  EXPECT_EQ(a.GetAt(-1), nullptr);
  EXPECT_EQ(a.GetData()[1], P(8));
}

TEST(PtrArray, ResizeEmptyAndCopy) {
  CPtrArrayUI a;
  a.Add(P(1));
  EXPECT_TRUE(a.Resize(4));
  EXPECT_EQ(a.GetSize(), 4);
  EXPECT_EQ(a.GetCapacity(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(a[i], nullptr);
  a.Add(P(5));  // count reaches capacity + 1: doubles
  EXPECT_EQ(a.GetCapacity(), 8);
  EXPECT_EQ(a[4], P(5));

  CPtrArrayUI copy(a);
  a.Remove(4);
  EXPECT_EQ(copy.GetSize(), 5);
  EXPECT_EQ(copy[4], P(5));
  const CPtrArrayUI& same = copy;
  copy = same;
  EXPECT_EQ(copy.GetSize(), 5);

  a.Empty();
  EXPECT_EQ(a.GetSize(), 0);
  EXPECT_EQ(a.GetCapacity(), 0);
  EXPECT_TRUE(a.Add(P(1)));
  EXPECT_EQ(a.GetCapacity(), 11);
  EXPECT_TRUE(a.Resize(0));
  EXPECT_EQ(a.GetSize(), 0);
}

TEST(PtrArray, MisuseIsReportedWithoutHarm) {
  TestSupport::DebugOutputCapture capture;
  CPtrArrayUI negative(-3);
  EXPECT_EQ(negative.GetCapacity(), 0);
  EXPECT_TRUE(negative.Add(P(1)));
  EXPECT_EQ(negative.GetCapacity(), 11);
  EXPECT_EQ(negative[1], nullptr);
  EXPECT_EQ(negative[-1], nullptr);
  WString out = capture.Text();
  EXPECT_NE(out.find(TEXT("Assertion failed: iPreallocSize >= 0")), WString::npos);
  EXPECT_NE(out.find(TEXT("Assertion failed: iIndex >= 0 && iIndex < m_nCount")), WString::npos);
  EXPECT_EQ(capture.Pieces().size(), 3u);
}

}  // namespace

// The list body stacks its rows like a vertical layout (64-bit sums saturated to the coordinate
// range) and makes every row as wide as the widest one.
#include <gtest/gtest.h>

#include <array>
#include <climits>

#include "Control/UIList.h"

using namespace SkinUI;

namespace {

std::array<LONG, 4> Sides(const RECT& rc) { return {rc.left, rc.top, rc.right, rc.bottom}; }

CControlUI* Row(LONG cx, LONG cy) {
  auto* row = new CControlUI;
  row->SetFixedWidth(cx);
  row->SetFixedHeight(cy);
  row->SetMaxHeight(INT_MAX);
  row->SetMaxWidth(INT_MAX);
  return row;
}

TEST(ListBodyLayout, RowsStackWithoutWrappingAndShareTheWidestWidth) {
  struct Case {
    LONG cy0, cy1, cx1;
    RECT row0, row1;
  };
  const Case cases[] = {
      {20, 30, 0, {0, 0, 200, 20}, {0, 20, 200, 50}},
      {20, 30, 300, {0, 0, 300, 20}, {0, 20, 300, 50}},
      {2000000000, 2000000000, 0, {0, 0, 200, 2000000000}, {0, 2000000000, 200, INT_MAX}},
  };
  for (const Case& c : cases) {
    CListBodyUI body(nullptr);
    CControlUI* row0 = Row(0, c.cy0);
    CControlUI* row1 = Row(c.cx1, c.cy1);
    body.Add(row0);
    body.Add(row1);
    body.SetPos(RECT{0, 0, 200, 100});
    EXPECT_EQ(Sides(row0->GetPos()), Sides(c.row0)) << c.cy0 << "/" << c.cx1;
    EXPECT_EQ(Sides(row1->GetPos()), Sides(c.row1)) << c.cy0 << "/" << c.cx1;
  }
}

}  // namespace

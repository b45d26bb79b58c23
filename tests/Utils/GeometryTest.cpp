#include <gtest/gtest.h>

#include <climits>
#include <cstddef>

#include "Utils/Utils.h"

using SkinUI::CRectUI;
using SkinUI::CSizeUI;

namespace {

void Widen(LPRECT rc) { rc->right += 5; }
LONG AreaOf(LPCRECT rc) { return (rc->right - rc->left) * (rc->bottom - rc->top); }

TEST(Geometry, RectangleOperations) {
  CRectUI empty;
  EXPECT_EQ(empty.left | empty.top | empty.right | empty.bottom, 0);
  CRectUI rc(5, 6, 15, 26);
  EXPECT_EQ(rc.Width(), 10);
  EXPECT_EQ(rc.Height(), 20);
  rc.MoveToOrigin();
  EXPECT_EQ(rc.left, 0);
  EXPECT_EQ(rc.top, 0);
  EXPECT_EQ(rc.right, 10);
  EXPECT_EQ(rc.bottom, 20);
  rc.Offset(-3, 4);
  EXPECT_EQ(rc.left, -3);
  EXPECT_EQ(rc.top, 4);
  EXPECT_EQ(rc.right, 7);
  EXPECT_EQ(rc.bottom, 24);
  CRectUI d(0, 0, 10, 10);
  d.Deflate(2, 3);
  EXPECT_EQ(d.left, 2);
  EXPECT_EQ(d.top, 3);
  EXPECT_EQ(d.right, 8);
  EXPECT_EQ(d.bottom, 7);
}

TEST(Geometry, UnionHasNoSpecialCaseForEmptyRectangles) {
  CRectUI u;
  u.Union(CRectUI(10, 10, 20, 20));
  EXPECT_EQ(u.left, 0);
  EXPECT_EQ(u.top, 0);
  EXPECT_EQ(u.right, 20);
  EXPECT_EQ(u.bottom, 20);
  CRectUI v(5, 8, 9, 9);
  RECT other = {7, 2, 8, 30};
  v.Union(other);
  EXPECT_EQ(v.left, 5);
  EXPECT_EQ(v.top, 2);
  EXPECT_EQ(v.right, 9);
  EXPECT_EQ(v.bottom, 30);
}

TEST(Geometry, RectangleIsARect) {
  static_assert(sizeof(CRectUI) == sizeof(RECT));
  static_assert(sizeof(CSizeUI) == sizeof(SIZE));
  RECT raw = {1, 2, 3, 4};
  CRectUI rc(raw);
  EXPECT_EQ(rc.bottom, 4);
  Widen(rc);
  Widen(&rc);
  EXPECT_EQ(rc.right, 13);
  EXPECT_EQ(AreaOf(rc), 24);
  const RECT* asRect = &rc;
  EXPECT_EQ(reinterpret_cast<const void*>(asRect), reinterpret_cast<const void*>(&rc));
  // Extreme coordinates wrap as 32-bit arithmetic does instead of overflowing.
  CRectUI wide(INT_MIN, 0, INT_MAX, 1);
  EXPECT_EQ(wide.Width(), -1);
  wide.Offset(1, 0);
  EXPECT_EQ(wide.right, INT_MIN);
}

TEST(Geometry, SizeValues) {
  CSizeUI zero;
  EXPECT_EQ(zero.cx, 0);
  EXPECT_EQ(zero.cy, 0);
  CSizeUI sz(518, 345);
  EXPECT_EQ(sz.cx, 518);
  EXPECT_EQ(sz.cy, 345);
  SIZE raw = {-1, 7};
  CSizeUI copy(raw);
  EXPECT_EQ(copy.cx, -1);
  EXPECT_EQ(copy.cy, 7);
}

}  // namespace

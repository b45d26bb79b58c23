// Rounded-rectangle regions, row by row, as Windows builds them: the right column and the
// bottom row are left out, and the corners follow an integer ellipse trace.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "Platform/Win32.h"

namespace {

struct RoundRectCase {
  int args[6];  // x1, y1, x2, y2, ellipse width, ellipse height
  std::vector<RECT> rows;
};

bool InRows(const std::vector<RECT>& rows, int x, int y) {
  for (const RECT& r : rows)
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
  return false;
}

TEST(GdiRegions, RoundRectRegionsMatchWindowsRowByRow) {
  // What GetRegionData gives on Windows (under Wine) for each call.
  const std::vector<RoundRectCase> cases = {
      {{0, 0, 10, 10, 4, 4}, {{1, 0, 8, 1}, {0, 1, 9, 2}, {0, 2, 9, 8}, {1, 8, 8, 9}}},
      {{0, 0, 10, 10, 3, 3}, {{1, 0, 8, 1}, {0, 1, 9, 8}, {1, 8, 8, 9}}},
      {{0, 0, 10, 10, 2, 2}, {{0, 0, 9, 1}, {0, 1, 9, 9}}},
      {{0, 0, 10, 10, 1, 1}, {{0, 0, 9, 9}}},
      {{0, 0, 20, 12, 6, 6},
       {{2, 0, 17, 1},
        {1, 1, 18, 2},
        {0, 2, 19, 3},
        {0, 3, 19, 9},
        {1, 9, 18, 10},
        {2, 10, 17, 11}}},
      {{0, 0, 20, 12, 7, 5},
       {{2, 0, 17, 1}, {0, 1, 19, 2}, {0, 2, 19, 9}, {0, 9, 19, 10}, {2, 10, 17, 11}}},
      {{0, 0, 518, 345, 6, 6},
       {{2, 0, 515, 1},
        {1, 1, 516, 2},
        {0, 2, 517, 3},
        {0, 3, 517, 342},
        {1, 342, 516, 343},
        {2, 343, 515, 344}}},
      {{0, 0, 519, 346, 6, 6},
       {{2, 0, 516, 1},
        {1, 1, 517, 2},
        {0, 2, 518, 3},
        {0, 3, 518, 343},
        {1, 343, 517, 344},
        {2, 344, 516, 345}}},
      {{0, 0, 30, 20, 10, 10},
       {{3, 0, 26, 1},
        {2, 1, 27, 2},
        {1, 2, 28, 3},
        {0, 3, 29, 4},
        {0, 4, 29, 5},
        {0, 5, 29, 15},
        {0, 15, 29, 16},
        {1, 16, 28, 17},
        {2, 17, 27, 18},
        {3, 18, 26, 19}}},
      {{0, 0, 30, 20, 8, 12},
       {{3, 0, 26, 1},
        {2, 1, 27, 2},
        {1, 2, 28, 3},
        {0, 3, 29, 4},
        {0, 4, 29, 5},
        {0, 5, 29, 6},
        {0, 6, 29, 14},
        {0, 14, 29, 15},
        {0, 15, 29, 16},
        {1, 16, 28, 17},
        {2, 17, 27, 18},
        {3, 18, 26, 19}}},
      {{0, 0, 40, 30, 20, 20},
       {{7, 0, 32, 1},   {5, 1, 34, 2},   {4, 2, 35, 3},   {3, 3, 36, 4},   {2, 4, 37, 5},
        {1, 5, 38, 6},   {1, 6, 38, 7},   {0, 7, 39, 8},   {0, 8, 39, 9},   {0, 9, 39, 10},
        {0, 10, 39, 20}, {0, 20, 39, 21}, {0, 21, 39, 22}, {1, 22, 38, 23}, {1, 23, 38, 24},
        {2, 24, 37, 25}, {3, 25, 36, 26}, {4, 26, 35, 27}, {5, 27, 34, 28}, {7, 28, 32, 29}}},
      {{0, 0, 10, 10, 20, 20},
       {{3, 0, 6, 1},
        {1, 1, 8, 2},
        {1, 2, 8, 3},
        {0, 3, 9, 4},
        {0, 4, 9, 5},
        {0, 5, 9, 6},
        {1, 6, 8, 7},
        {1, 7, 8, 8},
        {3, 8, 6, 9}}},
      {{5, 3, 25, 23, 9, 9},
       {{8, 3, 21, 4},
        {6, 4, 23, 5},
        {6, 5, 23, 6},
        {5, 6, 24, 7},
        {5, 7, 24, 18},
        {5, 18, 24, 19},
        {6, 19, 23, 20},
        {6, 20, 23, 21},
        {8, 21, 21, 22}}},
      {{0, 0, 9, 7, 5, 5}, {{1, 0, 7, 1}, {0, 1, 8, 2}, {0, 2, 8, 4}, {0, 4, 8, 5}, {1, 5, 7, 6}}},
      {{10, 10, 0, 0, 4, 4}, {{1, 0, 8, 1}, {0, 1, 9, 2}, {0, 2, 9, 8}, {1, 8, 8, 9}}},
      {{0, 0, 10, 10, -4, -4}, {{1, 0, 8, 1}, {0, 1, 9, 2}, {0, 2, 9, 8}, {1, 8, 8, 9}}},
      {{0, 0, 10, 10, 4, 0}, {{0, 0, 9, 9}}},
  };
  for (const RoundRectCase& c : cases) {
    const int* a = c.args;
    HRGN r = CreateRoundRectRgn(a[0], a[1], a[2], a[3], a[4], a[5]);
    ASSERT_NE(r, nullptr);
    RECT want{INT_MAX, INT_MAX, INT_MIN, INT_MIN}, box{};
    for (const RECT& row : c.rows) {
      want.left = std::min(want.left, row.left);
      want.top = std::min(want.top, row.top);
      want.right = std::max(want.right, row.right);
      want.bottom = std::max(want.bottom, row.bottom);
    }
    GetRgnBox(r, &box);
    EXPECT_TRUE(EqualRect(&box, &want))
        << a[0] << "," << a[1] << "," << a[2] << "," << a[3] << " " << a[4] << "x" << a[5];
    int wrong = 0;
    for (int y = want.top - 1; y <= want.bottom; ++y)
      for (int x = want.left - 1; x <= want.right; ++x)
        wrong += (PtInRegion(r, x, y) != FALSE) != InRows(c.rows, x, y);
    EXPECT_EQ(wrong, 0) << a[0] << "," << a[1] << "," << a[2] << "," << a[3] << " " << a[4] << "x"
                        << a[5];
    DeleteObject(r);
  }
}

}  // namespace

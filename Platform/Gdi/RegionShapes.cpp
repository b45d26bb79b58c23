#include "Platform/Gdi/RegionShapes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "Platform/Win32.h"

namespace Platform {
namespace {

// How far the corner ellipse cuts into row y (a pixel row of the rectangle [y1, y2)).
double CornerInset(int y, int y1, int y2, double rx, double ry) {
  double centre = y + 0.5;
  double dy = 0;
  if (centre - y1 < ry)
    dy = ry - (centre - y1);
  else if (y2 - centre < ry)
    dy = ry - (y2 - centre);
  if (dy <= 0) return 0;
  double t = std::min(1.0, dy / ry);
  return rx - rx * std::sqrt(1.0 - t * t);
}

}  // namespace

cairo_region_t* RectRegion(int x1, int y1, int x2, int y2) {
  cairo_rectangle_int_t r{std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1)};
  if (r.width == 0 || r.height == 0) return cairo_region_create();
  return cairo_region_create_rectangle(&r);
}

cairo_region_t* RoundRectRegion(int x1, int y1, int x2, int y2, int w, int h) {
  int left = std::min(x1, x2), right = std::max(x1, x2);
  int top = std::min(y1, y2), bottom = std::max(y1, y2);
  w = std::min(std::abs(w), right - left);
  h = std::min(std::abs(h), bottom - top);
  if (w < 2 || h < 2) return RectRegion(left, top, right, bottom);
  double rx = w / 2.0, ry = h / 2.0;
  std::vector<cairo_rectangle_int_t> rows;
  for (int y = top; y < bottom; ++y) {
    double inset = CornerInset(y, top, bottom, rx, ry);
    int l = static_cast<int>(std::ceil(left + inset - 0.5));
    int r = static_cast<int>(std::floor(right - inset - 0.5)) + 1;
    if (r <= l) continue;
    if (!rows.empty() && rows.back().x == l && rows.back().width == r - l &&
        rows.back().y + rows.back().height == y) {
      ++rows.back().height;
    } else {
      rows.push_back({l, y, r - l, 1});
    }
  }
  return cairo_region_create_rectangles(rows.data(), static_cast<int>(rows.size()));
}

int RegionType(const cairo_region_t* region) {
  int n = cairo_region_num_rectangles(region);
  return n == 0 ? NULLREGION : n == 1 ? SIMPLEREGION : COMPLEXREGION;
}

}  // namespace Platform

#include "Platform/Gdi/RegionShapes.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "Platform/Win32.h"

namespace Platform {
namespace {

struct Span {
  int left, right;
};

// The left and right ends of the lower half of the corner ellipse (ew x eh, both at least 2):
// spans[i] for i in [eh / 2, eh). The ellipse is traced with integer error terms (Zingl's
// rasteriser), stepping x and y one pixel at a time; the upper half mirrors the lower.
std::vector<Span> CornerSpans(int left, int right, int ew, int eh) {
  std::vector<Span> spans(static_cast<size_t>(eh), Span{left, right});
  const int64_t a = ew - 1, b = eh - 1, b1 = b & 1;
  int64_t dx = 4 * (1 - a) * b * b, dy = 4 * (b1 + 1) * a * a;
  int64_t err = dx + dy + b1 * a * a;
  int x = 0, y = eh / 2;
  while (x <= ew / 2) {
    const int64_t e2 = 2 * err;
    if (e2 >= dx) {
      ++x;
      err += dx += 8 * b * b;
    }
    if (e2 <= dy) {
      ++y;
      err += dy += 8 * a * a;
      if (y < eh) spans[static_cast<size_t>(y)] = {left + x, right - x};
    }
  }
  for (int i = 0; i < eh / 2; ++i)
    spans[static_cast<size_t>(i)] = spans[static_cast<size_t>(b - i)];
  return spans;
}

}  // namespace

cairo_region_t* RectRegion(int x1, int y1, int x2, int y2) {
  cairo_rectangle_int_t r{std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1)};
  if (r.width == 0 || r.height == 0) return cairo_region_create();
  return cairo_region_create_rectangle(&r);
}

// Windows leaves the right column and the bottom row out of a rounded region (a rectangle
// region keeps them), so callers that want the whole box pass right + 1 and bottom + 1.
cairo_region_t* RoundRectRegion(int x1, int y1, int x2, int y2, int w, int h) {
  const int left = std::min(x1, x2), right = std::max(x1, x2) - 1;
  const int top = std::min(y1, y2), bottom = std::max(y1, y2) - 1;
  const int ew = std::min(std::abs(w), right - left), eh = std::min(std::abs(h), bottom - top);
  if (ew < 2 || eh < 2) return RectRegion(left, top, right, bottom);
  const std::vector<Span> spans = CornerSpans(left, right, ew, eh);
  std::vector<cairo_rectangle_int_t> rows;
  const int half = eh / 2;
  for (int i = 0; i < eh; ++i) {
    const Span& s = spans[static_cast<size_t>(i)];
    if (s.right <= s.left) continue;
    // rows above the middle one start at the top, the rest end at the bottom; the middle row
    // reaches over the straight sides
    int y = i < half ? top + i : bottom - eh + i;
    int height = 1;
    if (i == half) {
      height = y + 1 - (top + half);
      y = top + half;
    }
    if (height > 0) rows.push_back({s.left, y, s.right - s.left, height});
  }
  return cairo_region_create_rectangles(rows.data(), static_cast<int>(rows.size()));
}

int RegionType(const cairo_region_t* region) {
  int n = cairo_region_num_rectangles(region);
  return n == 0 ? NULLREGION : n == 1 ? SIMPLEREGION : COMPLEXREGION;
}

}  // namespace Platform

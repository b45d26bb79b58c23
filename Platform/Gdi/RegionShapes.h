#pragma once
// Pixel sets of the shapes regions are made from, as Windows builds them.

#include <cairo.h>

namespace Platform {

// Integer rectangle between two corners given in any order (empty when they share an edge).
cairo_region_t* RectRegion(int x1, int y1, int x2, int y2);
// Rectangle with elliptic corners of w x h (limited to the rectangle's size), without its
// right column and bottom row.
cairo_region_t* RoundRectRegion(int x1, int y1, int x2, int y2, int w, int h);
// NULLREGION, SIMPLEREGION or COMPLEXREGION.
int RegionType(const cairo_region_t* region);

}  // namespace Platform

#pragma once
// Pixel sets of the shapes regions are made from. A pixel belongs to a shape when its centre
// lies inside; right and bottom edges are exclusive, as everywhere in GDI.

#include <cairo.h>

namespace Platform {

// Integer rectangle between two corners given in any order (empty when they share an edge).
cairo_region_t* RectRegion(int x1, int y1, int x2, int y2);
// Rectangle with elliptic corners of w x h (limited to the rectangle's size).
cairo_region_t* RoundRectRegion(int x1, int y1, int x2, int y2, int w, int h);
// NULLREGION, SIMPLEREGION or COMPLEXREGION.
int RegionType(const cairo_region_t* region);

}  // namespace Platform

#pragma once
// Where window painting meets the drawing layer: device contexts over a window's pixels and the
// pixels of a region handle.

#include <cairo.h>

#include "Platform/Win32.h"

namespace Platform {

// A device context drawing into surface (an ARGB32 image surface).
HDC MakeSurfaceDC(cairo_surface_t* surface);
void FreeSurfaceDC(HDC dc);
// The surface behind a DC made by MakeSurfaceDC (null for any other DC).
cairo_surface_t* SurfaceOfWindowDC(HDC dc);

// A copy of a region's area, or null when rgn is not a region.
cairo_region_t* CopyRegionPixels(HRGN rgn);
void DeleteRegionHandle(HRGN rgn);

}  // namespace Platform

namespace Platform {

// Fills rect of dc with brush; false when the drawing layer cannot.
bool FillWithBrush(HDC dc, const RECT& rect, HBRUSH brush);

}  // namespace Platform

namespace Platform {

// Limits drawing through dc to rect.
void ClipSurfaceDC(HDC dc, const RECT& rect);

}  // namespace Platform

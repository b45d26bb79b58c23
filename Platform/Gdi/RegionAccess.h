#pragma once
// Read access to the pixels a region covers, for the window manager (window shapes).

#include <cairo.h>

#include "Platform/Win32.h"

namespace Platform {

// The region behind rgn, or null when rgn is not a live region. Valid until the region is
// changed or deleted.
const cairo_region_t* RegionPixels(HRGN rgn);

}  // namespace Platform

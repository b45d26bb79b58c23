#pragma once
// Device contexts that draw into a surface someone else owns (a window's pixels). The
// context holds a reference to the surface until DeleteSurfaceDC.

#include <cairo.h>

#include "Platform/Win32.h"

namespace Platform {

// A context drawing into surface (an ARGB32 image surface), or null when it is not one.
HDC CreateSurfaceDC(cairo_surface_t* surface);
void DeleteSurfaceDC(HDC dc);

}  // namespace Platform

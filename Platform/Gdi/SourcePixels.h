#pragma once
// The source side of blits: a rectangle of a context's surface as an image surface of its
// own (sharing the pixels, or copied when source and destination are the same surface).

#include <cairo.h>

#include "Platform/Gdi/DeviceContext.h"
#include "Platform/Gdi/Stretching.h"

namespace Platform {

class SourcePixels {
 public:
  // x, y, w, h: the rectangle in src's device pixels; it must lie inside the surface.
  // opaque: read the pixels as fully opaque (the alpha bytes are ignored).
  SourcePixels(DeviceContext& src, cairo_surface_t* destination, int x, int y, int w, int h,
               bool opaque);
  ~SourcePixels();
  SourcePixels(const SourcePixels&) = delete;
  SourcePixels& operator=(const SourcePixels&) = delete;
  cairo_surface_t* surface() const { return m_view; }

 private:
  cairo_surface_t* m_view = nullptr;
  unsigned char* m_copy = nullptr;
};

// Whether the device rectangle lies inside the context's surface.
bool InsideSurface(const DeviceContext& dc, int x, int y, int w, int h);

// The part of the logical destination rectangle (x, y, w, h) (sizes positive) that lies inside
// the context's surface and clip, relative to the rectangle's top-left corner; empty when none.
cairo_rectangle_int_t VisiblePart(const DeviceContext& dc, int x, int y, int w, int h);

// The pixels as a stretch reads them.
SourceImage ImageOf(const SourcePixels& pixels);

}  // namespace Platform

#pragma once
// The source side of blits: a rectangle of a context's surface as an image surface of its
// own (sharing the pixels, or copied when source and destination are the same surface).

#include <cairo.h>

#include "Platform/Gdi/DeviceContext.h"

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

// A pattern that maps the whole source image of sw x sh onto the logical destination
// rectangle (dx, dy, dw, dh) (sizes positive), mirrored as asked; edges are padded so filtering
// never fades them. Caller destroys.
cairo_pattern_t* StretchPattern(cairo_surface_t* source, int sw, int sh, int dx, int dy, int dw,
                                int dh, bool flipX, bool flipY, cairo_filter_t filter);

cairo_filter_t FilterFor(int stretchMode);

}  // namespace Platform

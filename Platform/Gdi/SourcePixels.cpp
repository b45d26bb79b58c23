#include "Platform/Gdi/SourcePixels.h"

#include <cstdlib>
#include <cstring>

namespace Platform {

SourcePixels::SourcePixels(DeviceContext& src, cairo_surface_t* destination, int x, int y, int w,
                           int h, bool opaque) {
  cairo_surface_t* s = src.Target();
  cairo_surface_flush(s);
  int stride = cairo_image_surface_get_stride(s);
  unsigned char* pixels = cairo_image_surface_get_data(s) + static_cast<ptrdiff_t>(y) * stride +
                          static_cast<ptrdiff_t>(x) * 4;
  if (s == destination) {  // overlapping copies read from a snapshot
    m_copy = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(w) * h * 4));
    if (!m_copy) return;
    for (int row = 0; row < h; ++row)
      std::memcpy(m_copy + static_cast<size_t>(row) * w * 4,
                  pixels + static_cast<ptrdiff_t>(row) * stride, static_cast<size_t>(w) * 4);
    pixels = m_copy;
    stride = w * 4;
  }
  m_view = cairo_image_surface_create_for_data(
      pixels, opaque ? CAIRO_FORMAT_RGB24 : CAIRO_FORMAT_ARGB32, w, h, stride);
}

SourcePixels::~SourcePixels() {
  if (m_view) cairo_surface_destroy(m_view);
  std::free(m_copy);
}

bool InsideSurface(const DeviceContext& dc, int x, int y, int w, int h) {
  return x >= 0 && y >= 0 && w >= 0 && h >= 0 && static_cast<int64_t>(x) + w <= dc.Width() &&
         static_cast<int64_t>(y) + h <= dc.Height();
}

cairo_pattern_t* StretchPattern(cairo_surface_t* source, int sw, int sh, int dx, int dy, int dw,
                                int dh, bool flipX, bool flipY, cairo_filter_t filter) {
  cairo_pattern_t* p = cairo_pattern_create_for_surface(source);
  double ax = static_cast<double>(sw) / dw, ay = static_cast<double>(sh) / dh;
  // source x = (x - dx) * ax, or sw minus that when mirrored
  cairo_matrix_t m;
  cairo_matrix_init(&m, flipX ? -ax : ax, 0, 0, flipY ? -ay : ay, flipX ? sw + ax * dx : -ax * dx,
                    flipY ? sh + ay * dy : -ay * dy);
  cairo_pattern_set_matrix(p, &m);
  cairo_pattern_set_filter(p, filter);
  cairo_pattern_set_extend(p, CAIRO_EXTEND_PAD);
  return p;
}

cairo_filter_t FilterFor(int stretchMode) {
  return stretchMode == HALFTONE ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST;
}

}  // namespace Platform

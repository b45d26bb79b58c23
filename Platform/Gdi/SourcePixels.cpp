#include "Platform/Gdi/SourcePixels.h"

#include <algorithm>
#include <cstdint>
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

cairo_rectangle_int_t VisiblePart(const DeviceContext& dc, int x, int y, int w, int h) {
  const POINT d = dc.ToDevice(x, y);
  cairo_region_t* clip = EffectiveClip(dc);
  cairo_rectangle_int_t limit;
  cairo_region_get_extents(clip, &limit);
  cairo_region_destroy(clip);
  const int64_t left = std::max<int64_t>(d.x, limit.x), top = std::max<int64_t>(d.y, limit.y);
  const int64_t right = std::min<int64_t>(int64_t{d.x} + w, limit.x + limit.width);
  const int64_t bottom = std::min<int64_t>(int64_t{d.y} + h, limit.y + limit.height);
  if (right <= left || bottom <= top) return {0, 0, 0, 0};
  return {static_cast<int>(left - d.x), static_cast<int>(top - d.y), static_cast<int>(right - left),
          static_cast<int>(bottom - top)};
}

SourceImage ImageOf(const SourcePixels& pixels) {
  cairo_surface_t* s = pixels.surface();
  return {cairo_image_surface_get_data(s), cairo_image_surface_get_stride(s),
          cairo_image_surface_get_width(s), cairo_image_surface_get_height(s),
          cairo_image_surface_get_format(s)};
}

}  // namespace Platform

#include "Platform/Gdi/ColorCanvas.h"

#include <algorithm>

namespace Platform {
namespace {

// The device rectangle a call can change: its bounds within the surface and the clip.
cairo_rectangle_int_t DeviceArea(const DeviceContext& dc, const RECT& bounds) {
  POINT a = dc.ToDevice(std::min(bounds.left, bounds.right), std::min(bounds.top, bounds.bottom));
  POINT b = dc.ToDevice(std::max(bounds.left, bounds.right), std::max(bounds.top, bounds.bottom));
  cairo_region_t* clip = EffectiveClip(dc);
  cairo_rectangle_int_t limit;
  cairo_region_get_extents(clip, &limit);
  cairo_region_destroy(clip);
  int left = std::max<int>(a.x, limit.x), top = std::max<int>(a.y, limit.y);
  int right = std::min<int>(b.x, limit.x + limit.width);
  int bottom = std::min<int>(b.y, limit.y + limit.height);
  if (right <= left || bottom <= top) return {0, 0, 0, 0};
  return {left, top, right - left, bottom - top};
}

uint32_t* Row(cairo_surface_t* s, const cairo_rectangle_int_t& area, int y) {
  unsigned char* data = cairo_image_surface_get_data(s);
  return reinterpret_cast<uint32_t*>(data + static_cast<ptrdiff_t>(area.y + y) *
                                                cairo_image_surface_get_stride(s)) +
         area.x;
}

}  // namespace

RECT Joined(const RECT& a, const RECT& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

AlphaGuard::AlphaGuard(DeviceContext& dc, const RECT& bounds) {
  cairo_surface_t* s = dc.Target();
  if (!dc.memory || !s) return;  // a window's pixels are opaque and stay so
  m_area = DeviceArea(dc, bounds);
  if (m_area.width == 0) return;
  m_surface = s;
  m_alpha.resize(static_cast<size_t>(m_area.width) * static_cast<size_t>(m_area.height));
  cairo_surface_flush(s);
  uint8_t* saved = m_alpha.data();
  for (int y = 0; y < m_area.height; ++y, saved += m_area.width) {
    uint32_t* row = Row(s, m_area, y);
    for (int x = 0; x < m_area.width; ++x) {
      saved[x] = static_cast<uint8_t>(row[x] >> 24);
      row[x] &= 0x00FFFFFFu;
    }
  }
  cairo_surface_mark_dirty(s);
}

AlphaGuard::~AlphaGuard() {
  if (!m_surface) return;
  cairo_surface_flush(m_surface);
  const uint8_t* saved = m_alpha.data();
  for (int y = 0; y < m_area.height; ++y, saved += m_area.width) {
    uint32_t* row = Row(m_surface, m_area, y);
    for (int x = 0; x < m_area.width; ++x) {
      // any coverage means the call wrote this pixel's colour
      const uint32_t px = row[x];
      row[x] = (px & 0x00FFFFFFu) | (px >> 24 ? 0u : static_cast<uint32_t>(saved[x]) << 24);
    }
  }
  cairo_surface_mark_dirty(m_surface);
}

}  // namespace Platform

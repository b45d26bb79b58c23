#pragma once
// Drawing with pens, brushes and text as Windows' GDI does it on a bitmap: colour only. Every
// pixel such a call touches gets alpha 0 and the pixels around keep theirs; a window's pixels
// stay opaque. Cairo writes coverage into alpha instead, so the call draws over alpha 0 and the
// coverage it leaves behind tells which pixels it touched.

#include <cstdint>
#include <vector>

#include "Platform/Gdi/DeviceContext.h"

namespace Platform {

// The smallest rectangle holding both.
RECT Joined(const RECT& a, const RECT& b);

class AlphaGuard {
 public:
  // bounds: logical coordinates of everything the call may touch.
  AlphaGuard(DeviceContext& dc, const RECT& bounds);
  ~AlphaGuard();
  AlphaGuard(const AlphaGuard&) = delete;
  AlphaGuard& operator=(const AlphaGuard&) = delete;

 private:
  cairo_surface_t* m_surface = nullptr;  // null when nothing needs guarding
  cairo_rectangle_int_t m_area{};        // device pixels
  std::vector<uint8_t> m_alpha;          // the area's alpha before the call
};

// A Canvas for one colour-only drawing call.
class ColorCanvas {
 public:
  ColorCanvas(DeviceContext& dc, const RECT& bounds) : m_guard(dc, bounds), m_canvas(dc) {}
  cairo_t* cr() const { return m_canvas.cr(); }
  explicit operator bool() const { return static_cast<bool>(m_canvas); }

 private:
  AlphaGuard m_guard;  // constructed before the canvas, finishes after it
  Canvas m_canvas;
};

}  // namespace Platform

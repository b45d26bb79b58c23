#include "Platform/Window/GdiBridge.h"

#include <mutex>
#include <unordered_map>

#if __has_include("Platform/Gdi/SurfaceDC.h") && __has_include("Platform/Gdi/RegionAccess.h")
#include "Platform/Gdi/RegionAccess.h"
#include "Platform/Gdi/SurfaceDC.h"
#define SKINUI_HAVE_GDI 1
#else
#define SKINUI_HAVE_GDI 0
#endif

namespace Platform {
namespace {

std::mutex g_dcLock;
std::unordered_map<HDC, cairo_surface_t*>& WindowDCs() {
  static auto* dcs = new std::unordered_map<HDC, cairo_surface_t*>();
  return *dcs;
}

#if !SKINUI_HAVE_GDI
// Until the drawing layer is linked in, a window DC only carries its pixels.
struct PixelDC {
  cairo_surface_t* surface;
};
#endif

}  // namespace

HDC MakeSurfaceDC(cairo_surface_t* surface) {
#if SKINUI_HAVE_GDI
  HDC dc = CreateSurfaceDC(surface);
#else
  HDC dc = reinterpret_cast<HDC>(new PixelDC{surface});
#endif
  if (dc == nullptr) return nullptr;
  cairo_surface_reference(surface);
  std::lock_guard<std::mutex> guard(g_dcLock);
  WindowDCs()[dc] = surface;
  return dc;
}

void FreeSurfaceDC(HDC dc) {
  cairo_surface_t* surface = nullptr;
  {
    std::lock_guard<std::mutex> guard(g_dcLock);
    auto it = WindowDCs().find(dc);
    if (it == WindowDCs().end()) return;
    surface = it->second;
    WindowDCs().erase(it);
  }
#if SKINUI_HAVE_GDI
  DeleteSurfaceDC(dc);
#else
  delete reinterpret_cast<PixelDC*>(dc);
#endif
  cairo_surface_flush(surface);
  cairo_surface_destroy(surface);
}

cairo_surface_t* SurfaceOfWindowDC(HDC dc) {
  std::lock_guard<std::mutex> guard(g_dcLock);
  auto it = WindowDCs().find(dc);
  return it == WindowDCs().end() ? nullptr : it->second;
}

cairo_region_t* CopyRegionPixels(HRGN rgn) {
#if SKINUI_HAVE_GDI
  const cairo_region_t* pixels = RegionPixels(rgn);
  return pixels != nullptr ? cairo_region_copy(pixels) : nullptr;
#else
  (void)rgn;
  return nullptr;
#endif
}

void DeleteRegionHandle(HRGN rgn) {
#if SKINUI_HAVE_GDI
  DeleteObject(rgn);
#else
  (void)rgn;
#endif
}

}  // namespace Platform

namespace Platform {

bool FillWithBrush(HDC dc, const RECT& rect, HBRUSH brush) {
#if SKINUI_HAVE_GDI
  return FillRect(dc, &rect, brush) != 0;
#else
  (void)dc;
  (void)rect;
  (void)brush;
  return false;
#endif
}

}  // namespace Platform

namespace Platform {

void ClipSurfaceDC(HDC dc, const RECT& rect) {
#if SKINUI_HAVE_GDI
  IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
#else
  (void)dc;
  (void)rect;
#endif
}

}  // namespace Platform

#include "Platform/Window/GdiBridge.h"

#include <mutex>
#include <unordered_map>

#include "Platform/Gdi/RegionAccess.h"
#include "Platform/Gdi/SurfaceDC.h"

namespace Platform {
namespace {

// The surfaces behind the window DCs handed out, so that painting can flush them and tell the
// host which pixels changed.
std::mutex g_dcLock;
std::unordered_map<HDC, cairo_surface_t*>& WindowDCs() {
  static auto* dcs = new std::unordered_map<HDC, cairo_surface_t*>();
  return *dcs;
}

}  // namespace

HDC MakeSurfaceDC(cairo_surface_t* surface) {
  HDC dc = CreateSurfaceDC(surface);
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
  DeleteSurfaceDC(dc);
  cairo_surface_flush(surface);
  cairo_surface_destroy(surface);
}

cairo_surface_t* SurfaceOfWindowDC(HDC dc) {
  std::lock_guard<std::mutex> guard(g_dcLock);
  auto it = WindowDCs().find(dc);
  return it == WindowDCs().end() ? nullptr : it->second;
}

cairo_region_t* CopyRegionPixels(HRGN rgn) {
  const cairo_region_t* pixels = RegionPixels(rgn);
  return pixels != nullptr ? cairo_region_copy(pixels) : nullptr;
}

void DeleteRegionHandle(HRGN rgn) { DeleteObject(rgn); }

bool FillWithBrush(HDC dc, const RECT& rect, HBRUSH brush) {
  return FillRect(dc, &rect, brush) != 0;
}

void ClipSurfaceDC(HDC dc, const RECT& rect) {
  IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
}

}  // namespace Platform

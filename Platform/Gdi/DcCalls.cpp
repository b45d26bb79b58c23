// Creating and deleting device contexts, and saving and restoring their state.

#include "Platform/Gdi/DeviceContext.h"
#include "Platform/Gdi/SurfaceDC.h"

namespace Platform {
namespace {

void InitState(DcState& s) {
  s.brush = StockBrush(WHITE_BRUSH);
  s.pen = StockPen(BLACK_PEN);
  s.font = StockFont(SYSTEM_FONT);
}

}  // namespace

HDC CreateSurfaceDC(cairo_surface_t* surface) {
  if (!surface || cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS ||
      cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE ||
      cairo_image_surface_get_format(surface) != CAIRO_FORMAT_ARGB32) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto dc = std::make_unique<DeviceContext>();
  dc->memory = false;
  dc->surface = cairo_surface_reference(surface);
  InitState(dc->state);
  return AddDc(std::move(dc));
}

void DeleteSurfaceDC(HDC hdc) {
  DeviceContext* dc = FindDc(hdc);
  if (!dc || dc->memory) return;
  cairo_surface_t* surface = dc->surface;
  RemoveDc(hdc);
  cairo_surface_destroy(surface);
}

}  // namespace Platform

using namespace Platform;

HDC WINAPI CreateCompatibleDC(HDC hdc) {
  if (hdc && !FindDc(hdc)) return nullptr;
  auto dc = std::make_unique<DeviceContext>();
  dc->state.bitmap = DefaultBitmap();
  InitState(dc->state);
  return AddDc(std::move(dc));
}

BOOL WINAPI DeleteDC(HDC hdc) {
  DeviceContext* dc = FindDc(hdc);
  if (!dc) return FALSE;
  if (!dc->memory) {
    DeleteSurfaceDC(hdc);
    return TRUE;
  }
  return RemoveDc(hdc) ? TRUE : FALSE;
}

int WINAPI SaveDC(HDC hdc) {
  DeviceContext* dc = FindDc(hdc);
  if (!dc) return 0;
  dc->saved.push_back(dc->state);
  return static_cast<int>(dc->saved.size());
}

BOOL WINAPI RestoreDC(HDC hdc, int nSavedDC) {
  DeviceContext* dc = FindDc(hdc);
  if (!dc) return FALSE;
  int depth = static_cast<int>(dc->saved.size());
  int level = nSavedDC < 0 ? depth + 1 + nSavedDC : nSavedDC;
  if (nSavedDC == 0 || level < 1 || level > depth) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  DcState& target = dc->saved[static_cast<size_t>(level - 1)];
  // A bitmap selected into another context meanwhile cannot come back into this one.
  if (dc->memory && target.bitmap != dc->state.bitmap && !target.bitmap->stock) {
    dc->state.bitmap = nullptr;
    if (IsSelectedAnywhere(target.bitmap.get())) target.bitmap = DefaultBitmap();
  }
  dc->state = target;
  dc->saved.resize(static_cast<size_t>(level - 1));
  return TRUE;
}

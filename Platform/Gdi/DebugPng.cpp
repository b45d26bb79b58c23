#include "Platform/Gdi/DebugPng.h"

#include "Platform/Gdi/DeviceContext.h"

namespace Platform {
namespace {

bool WriteSurface(cairo_surface_t* surface, const char* path) {
  if (!surface || !path) return false;
  cairo_surface_flush(surface);
  return cairo_surface_write_to_png(surface, path) == CAIRO_STATUS_SUCCESS;
}

}  // namespace

bool WriteBitmapPng(HBITMAP bitmap, const char* path) {
  auto b = FindGdi<GdiBitmap>(bitmap, GdiKind::Bitmap);
  return b && WriteSurface(b->surface, path);
}

bool WriteDcPng(HDC hdc, const char* path) {
  DeviceContext* dc = FindDc(hdc);
  return dc && WriteSurface(dc->Target(), path);
}

}  // namespace Platform

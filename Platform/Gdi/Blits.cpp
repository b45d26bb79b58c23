// Copies between contexts: BitBlt, StretchBlt and the pattern-only PatBlt.

#include <algorithm>

#include "Platform/Gdi/ColorCanvas.h"
#include "Platform/Gdi/SourcePixels.h"
#include "Platform/Kernel/Unsupported.h"

namespace Platform {
namespace {

// Pattern fills write colour only, as the brush does; WHITENESS sets every bit, alpha included.
void FillWith(DeviceContext& dc, int x, int y, int w, int h, COLORREF color, bool allBits) {
  ColorCanvas canvas(dc, allBits ? RECT{x, y, x, y} : RECT{x, y, x + w, y + h});
  if (!canvas) return;
  cairo_set_operator(canvas.cr(), CAIRO_OPERATOR_SOURCE);
  SetSourceColor(canvas.cr(), color);
  cairo_rectangle(canvas.cr(), x, y, w, h);
  cairo_fill(canvas.cr());
}

// Normalises a possibly negative extent; answers whether it was mirrored. A negative extent
// runs leftwards (upwards) from the origin pixel, which it includes.
bool Normalise(int& origin, int& extent) {
  if (extent >= 0) return false;
  origin += extent + 1;
  extent = -extent;
  return true;
}

}  // namespace
}  // namespace Platform

using namespace Platform;

BOOL WINAPI PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
  DeviceContext* dc = FindDc(hdc);
  if (!dc) return FALSE;
  Normalise(x, w);
  Normalise(y, h);
  switch (rop) {
    case BLACKNESS: FillWith(*dc, x, y, w, h, RGB(0, 0, 0), false); return TRUE;
    case WHITENESS: FillWith(*dc, x, y, w, h, RGB(255, 255, 255), true); return TRUE;
    case PATCOPY: {
      const GdiBrush& brush = *dc->state.brush;
      if (brush.style == BS_NULL) return TRUE;
      FillWith(*dc, x, y, w, h, brush.color, false);
      return TRUE;
    }
    default:
      ReportUnsupported("PatBlt", "raster operation", rop);
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
  }
}

BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
  if (rop == BLACKNESS || rop == WHITENESS || rop == PATCOPY) return PatBlt(hdc, x, y, cx, cy, rop);
  DeviceContext* dst = FindDc(hdc);
  if (!dst) return FALSE;
  if (rop != SRCCOPY) {
    ReportUnsupported("BitBlt", "raster operation", rop);
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  DeviceContext* src = FindDc(hdcSrc);
  if (!src) return FALSE;
  if (cx <= 0 || cy <= 0) return TRUE;
  // Only the part of the source rectangle that lies on the source surface is copied.
  POINT s = src->ToDevice(x1, y1);
  int64_t left = std::max<int64_t>(s.x, 0), top = std::max<int64_t>(s.y, 0);
  int64_t right = std::min<int64_t>(static_cast<int64_t>(s.x) + cx, src->Width());
  int64_t bottom = std::min<int64_t>(static_cast<int64_t>(s.y) + cy, src->Height());
  if (right <= left || bottom <= top) return TRUE;
  int w = static_cast<int>(right - left), h = static_cast<int>(bottom - top);
  int dx = static_cast<int>(x + (left - s.x)), dy = static_cast<int>(y + (top - s.y));
  Canvas canvas(*dst);
  // a window shows colour only: what lands on it is opaque
  SourcePixels pixels(*src, dst->Target(), static_cast<int>(left), static_cast<int>(top), w, h,
                      !dst->memory);
  if (!canvas || !pixels.surface()) return FALSE;
  cairo_t* cr = canvas.cr();
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, pixels.surface(), dx, dy);
  cairo_rectangle(cr, dx, dy, w, h);
  cairo_fill(cr);
  return TRUE;
}

BOOL WINAPI StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc,
                       int xSrc, int ySrc, int wSrc, int hSrc, DWORD rop) {
  DeviceContext* dst = FindDc(hdcDest);
  if (!dst) return FALSE;
  if (rop != SRCCOPY) {
    ReportUnsupported("StretchBlt", "raster operation", rop);
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  DeviceContext* src = FindDc(hdcSrc);
  if (!src) return FALSE;
  if (wDest == 0 || hDest == 0 || wSrc == 0 || hSrc == 0) return TRUE;
  bool flipX = Normalise(xDest, wDest) != Normalise(xSrc, wSrc);
  bool flipY = Normalise(yDest, hDest) != Normalise(ySrc, hSrc);
  POINT s = src->ToDevice(xSrc, ySrc);
  if (!InsideSurface(*src, s.x, s.y, wSrc, hSrc)) {
    ReportUnsupported("StretchBlt", "source rectangle outside the source bitmap", s.x);
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const cairo_rectangle_int_t part = VisiblePart(*dst, xDest, yDest, wDest, hDest);
  if (part.width == 0) return TRUE;
  Canvas canvas(*dst);
  SourcePixels pixels(*src, dst->Target(), s.x, s.y, wSrc, hSrc, !dst->memory);
  if (!canvas || !pixels.surface()) return FALSE;
  // HALFTONE blends only when the size changes; a copy of the same size keeps every byte
  const bool halftone = dst->state.stretchMode == HALFTONE && (wSrc != wDest || hSrc != hDest);
  const StretchTarget to{wDest, hDest, flipX, flipY, part};
  cairo_surface_t* scaled = halftone ? HalftoneStretch(ImageOf(pixels), to, dst->memory ? 0 : 0xFF)
                                     : NearestStretch(ImageOf(pixels), to);
  if (!scaled) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
  cairo_t* cr = canvas.cr();
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, scaled, xDest + part.x, yDest + part.y);
  cairo_rectangle(cr, xDest + part.x, yDest + part.y, part.width, part.height);
  cairo_fill(cr);
  cairo_surface_destroy(scaled);
  return TRUE;
}

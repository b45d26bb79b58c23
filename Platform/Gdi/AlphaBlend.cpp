// AlphaBlend: source-over with premultiplied per-pixel alpha and a constant opacity.

#include "Platform/Gdi/SourcePixels.h"
#include "Platform/Kernel/Unsupported.h"

using namespace Platform;

namespace {

bool ValidBlend(const BLENDFUNCTION& f) {
  const char* what = nullptr;
  long long value = 0;
  if (f.BlendOp != AC_SRC_OVER)
    what = "blend operation", value = f.BlendOp;
  else if (f.BlendFlags != 0)
    what = "blend flags", value = f.BlendFlags;
  else if (f.AlphaFormat & ~AC_SRC_ALPHA)
    what = "alpha format", value = f.AlphaFormat;
  if (what) ReportUnsupported("AlphaBlend", what, value);
  return what == nullptr;
}

}  // namespace

BOOL WINAPI AlphaBlend(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest, int hDest,
                       HDC hdcSrc, int xoriginSrc, int yoriginSrc, int wSrc, int hSrc,
                       BLENDFUNCTION ftn) {
  DeviceContext* dst = FindDc(hdcDest);
  DeviceContext* src = FindDc(hdcSrc);
  if (!dst || !src) return FALSE;
  POINT s = src->ToDevice(xoriginSrc, yoriginSrc);
  if (!ValidBlend(ftn) || wDest < 0 || hDest < 0 || !InsideSurface(*src, s.x, s.y, wSrc, hSrc)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (wDest == 0 || hDest == 0 || wSrc == 0 || hSrc == 0 || ftn.SourceConstantAlpha == 0)
    return TRUE;
  const cairo_rectangle_int_t part = VisiblePart(*dst, xoriginDest, yoriginDest, wDest, hDest);
  if (part.width == 0) return TRUE;
  Canvas canvas(*dst);
  SourcePixels pixels(*src, dst->Target(), s.x, s.y, wSrc, hSrc,
                      (ftn.AlphaFormat & AC_SRC_ALPHA) == 0);
  if (!canvas || !pixels.surface()) return FALSE;
  // Stretching picks the nearest pixels whatever the stretch mode, as Windows does here.
  cairo_surface_t* scaled = nullptr;
  if (wSrc != wDest || hSrc != hDest) {
    scaled = NearestStretch(ImageOf(pixels), {wDest, hDest, false, false, part});
    if (!scaled) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return FALSE;
    }
  }
  const int x = xoriginDest + part.x, y = yoriginDest + part.y;
  cairo_t* cr = canvas.cr();
  if (scaled)
    cairo_set_source_surface(cr, scaled, x, y);
  else
    cairo_set_source_surface(cr, pixels.surface(), xoriginDest, yoriginDest);
  cairo_rectangle(cr, x, y, part.width, part.height);
  if (ftn.SourceConstantAlpha == 255) {
    cairo_fill(cr);
  } else {
    cairo_clip(cr);
    cairo_paint_with_alpha(cr, ftn.SourceConstantAlpha / 255.0);
  }
  if (scaled) cairo_surface_destroy(scaled);
  return TRUE;
}

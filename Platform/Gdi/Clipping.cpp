// Clip regions of device contexts. Regions passed in are in device pixels; rectangles given
// to IntersectClipRect and answered by GetClipBox are logical, as in Win32.

#include "Platform/Gdi/DeviceContext.h"
#include "Platform/Gdi/RegionShapes.h"
#include "Platform/Kernel/Unsupported.h"

namespace Platform {
namespace {

// The region the context clips to before a change: its clip, or its whole surface.
cairo_region_t* CurrentClip(const DeviceContext& dc) {
  if (dc.state.clip) return cairo_region_copy(dc.state.clip);
  return RectRegion(0, 0, dc.Width(), dc.Height());
}

int ReplaceClip(DeviceContext& dc, cairo_region_t* clip) {
  if (dc.state.clip) cairo_region_destroy(dc.state.clip);
  dc.state.clip = clip;
  cairo_region_t* effective = EffectiveClip(dc);
  int type = RegionType(effective);
  cairo_region_destroy(effective);
  return type;
}

cairo_status_t Combine(cairo_region_t* target, const cairo_region_t* other, int mode) {
  switch (mode) {
    case RGN_AND: return cairo_region_intersect(target, other);
    case RGN_OR: return cairo_region_union(target, other);
    case RGN_XOR: return cairo_region_xor(target, other);
    case RGN_DIFF: return cairo_region_subtract(target, other);
    default: return CAIRO_STATUS_INVALID_INDEX;
  }
}

}  // namespace
}  // namespace Platform

using namespace Platform;

int WINAPI ExtSelectClipRgn(HDC hdc, HRGN hrgn, int mode) {
  DeviceContext* dc = FindDc(hdc);
  if (!dc) return ERROR;
  if (mode < RGN_AND || mode > RGN_COPY) {
    ReportUnsupported("ExtSelectClipRgn", "mode", mode);
    SetLastError(ERROR_INVALID_PARAMETER);
    return ERROR;
  }
  if (!hrgn) {
    if (mode != RGN_COPY) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return ERROR;
    }
    return ReplaceClip(*dc, nullptr);
  }
  auto rgn = FindGdi<GdiRegion>(hrgn, GdiKind::Region);
  if (!rgn) {
    SetLastError(ERROR_INVALID_HANDLE);
    return ERROR;
  }
  if (mode == RGN_COPY) return ReplaceClip(*dc, cairo_region_copy(rgn->region));
  cairo_region_t* clip = CurrentClip(*dc);
  if (Combine(clip, rgn->region, mode) != CAIRO_STATUS_SUCCESS) {
    cairo_region_destroy(clip);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return ERROR;
  }
  return ReplaceClip(*dc, clip);
}

int WINAPI SelectClipRgn(HDC hdc, HRGN hrgn) { return ExtSelectClipRgn(hdc, hrgn, RGN_COPY); }

int WINAPI IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
  DeviceContext* dc = FindDc(hdc);
  if (!dc) return ERROR;
  POINT a = dc->ToDevice(left, top);
  POINT b = dc->ToDevice(right, bottom);
  cairo_region_t* rect = RectRegion(a.x, a.y, b.x, b.y);
  if (right < left || bottom < top) cairo_region_subtract(rect, rect);  // inverted: empty
  cairo_region_t* clip = CurrentClip(*dc);
  cairo_region_intersect(clip, rect);
  cairo_region_destroy(rect);
  return ReplaceClip(*dc, clip);
}

int WINAPI GetClipBox(HDC hdc, LPRECT lprect) {
  DeviceContext* dc = FindDc(hdc);
  if (!dc || !lprect) return ERROR;
  cairo_region_t* clip = EffectiveClip(*dc);
  int type = RegionType(clip);
  cairo_rectangle_int_t e;
  cairo_region_get_extents(clip, &e);
  cairo_region_destroy(clip);
  if (type == NULLREGION) {
    *lprect = {0, 0, 0, 0};
    return type;
  }
  POINT a = dc->ToLogical(e.x, e.y);
  POINT b = dc->ToLogical(e.x + e.width, e.y + e.height);
  *lprect = {a.x, a.y, b.x, b.y};
  return type;
}

int WINAPI GetClipRgn(HDC hdc, HRGN hrgn) {
  DeviceContext* dc = FindDc(hdc);
  auto rgn = FindGdi<GdiRegion>(hrgn, GdiKind::Region);
  if (!dc || !rgn) return -1;
  if (!dc->state.clip) return 0;
  cairo_region_destroy(rgn->region);
  rgn->region = cairo_region_copy(dc->state.clip);
  return 1;
}

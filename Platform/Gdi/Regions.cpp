// Region objects: creation, combination and queries.

#include "Platform/Gdi/GdiObjects.h"
#include "Platform/Gdi/RegionAccess.h"
#include "Platform/Gdi/RegionShapes.h"
#include "Platform/Kernel/Unsupported.h"

namespace Platform {
namespace {

HRGN Wrap(cairo_region_t* region) {
  if (cairo_region_status(region) != CAIRO_STATUS_SUCCESS) {
    cairo_region_destroy(region);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  auto rgn = std::make_shared<GdiRegion>();
  rgn->region = region;
  return static_cast<HRGN>(AddGdiObject(rgn));
}

std::shared_ptr<GdiRegion> FindRegion(HRGN h) {
  auto rgn = FindGdi<GdiRegion>(h, GdiKind::Region);
  if (!rgn) SetLastError(ERROR_INVALID_HANDLE);
  return rgn;
}

// Replaces a region object's pixels.
void Assign(GdiRegion& target, cairo_region_t* pixels) {
  cairo_region_destroy(target.region);
  target.region = pixels;
}

}  // namespace

const cairo_region_t* RegionPixels(HRGN rgn) {
  auto r = FindGdi<GdiRegion>(rgn, GdiKind::Region);
  return r ? r->region : nullptr;
}

}  // namespace Platform

using namespace Platform;

HRGN WINAPI CreateRectRgn(int x1, int y1, int x2, int y2) {
  return Wrap(RectRegion(x1, y1, x2, y2));
}

HRGN WINAPI CreateRectRgnIndirect(const RECT* lprect) {
  if (!lprect) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return CreateRectRgn(lprect->left, lprect->top, lprect->right, lprect->bottom);
}

HRGN WINAPI CreateRoundRectRgn(int x1, int y1, int x2, int y2, int w, int h) {
  return Wrap(RoundRectRegion(x1, y1, x2, y2, w, h));
}

BOOL WINAPI SetRectRgn(HRGN hrgn, int left, int top, int right, int bottom) {
  auto rgn = FindRegion(hrgn);
  if (!rgn) return FALSE;
  Assign(*rgn, RectRegion(left, top, right, bottom));
  return TRUE;
}

int WINAPI CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int iMode) {
  auto dst = FindRegion(hrgnDst);
  auto a = FindRegion(hrgnSrc1);
  auto b = iMode == RGN_COPY ? a : FindRegion(hrgnSrc2);
  if (!dst || !a || !b) return ERROR;
  cairo_region_t* result = cairo_region_copy(a->region);
  cairo_status_t status = CAIRO_STATUS_SUCCESS;
  switch (iMode) {
    case RGN_AND: status = cairo_region_intersect(result, b->region); break;
    case RGN_OR: status = cairo_region_union(result, b->region); break;
    case RGN_XOR: status = cairo_region_xor(result, b->region); break;
    case RGN_DIFF: status = cairo_region_subtract(result, b->region); break;
    case RGN_COPY: break;
    default:
      cairo_region_destroy(result);
      ReportUnsupported("CombineRgn", "mode", iMode);
      SetLastError(ERROR_INVALID_PARAMETER);
      return ERROR;
  }
  if (status != CAIRO_STATUS_SUCCESS) {
    cairo_region_destroy(result);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return ERROR;
  }
  Assign(*dst, result);
  return RegionType(dst->region);
}

int WINAPI OffsetRgn(HRGN hrgn, int x, int y) {
  auto rgn = FindRegion(hrgn);
  if (!rgn) return ERROR;
  cairo_region_translate(rgn->region, x, y);
  return RegionType(rgn->region);
}

int WINAPI GetRgnBox(HRGN hrgn, LPRECT lprc) {
  auto rgn = FindRegion(hrgn);
  if (!rgn || !lprc) return ERROR;
  cairo_rectangle_int_t e;
  cairo_region_get_extents(rgn->region, &e);
  *lprc = {e.x, e.y, e.x + e.width, e.y + e.height};
  if (cairo_region_is_empty(rgn->region)) *lprc = {0, 0, 0, 0};
  return RegionType(rgn->region);
}

BOOL WINAPI PtInRegion(HRGN hrgn, int x, int y) {
  auto rgn = FindRegion(hrgn);
  return rgn && cairo_region_contains_point(rgn->region, x, y) ? TRUE : FALSE;
}

BOOL WINAPI EqualRgn(HRGN hrgn1, HRGN hrgn2) {
  auto a = FindRegion(hrgn1);
  auto b = FindRegion(hrgn2);
  if (!a || !b) return ERROR;
  return cairo_region_equal(a->region, b->region) ? TRUE : FALSE;
}

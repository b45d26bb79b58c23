// GradientFill for horizontal and vertical rectangle gradients. The end colours sit on the
// centres of the first and last pixel, so both edges show them exactly.

#include <algorithm>

#include "Platform/Gdi/DeviceContext.h"
#include "Platform/Kernel/Unsupported.h"

using namespace Platform;

namespace {

void AddStop(cairo_pattern_t* p, double offset, const TRIVERTEX& v) {
  cairo_pattern_add_color_stop_rgba(p, offset, (v.Red >> 8) / 255.0, (v.Green >> 8) / 255.0,
                                    (v.Blue >> 8) / 255.0, (v.Alpha >> 8) / 255.0);
}

void FillGradientRect(cairo_t* cr, const TRIVERTEX& a, const TRIVERTEX& b, bool vertical) {
  int left = std::min(a.x, b.x), right = std::max(a.x, b.x);
  int top = std::min(a.y, b.y), bottom = std::max(a.y, b.y);
  if (right <= left || bottom <= top) return;
  // the vertex nearer the start of the gradient gives the first colour
  bool aFirst = vertical ? a.y <= b.y : a.x <= b.x;
  const TRIVERTEX& first = aFirst ? a : b;
  const TRIVERTEX& last = aFirst ? b : a;
  double start = (vertical ? top : left) + 0.5, end = (vertical ? bottom : right) - 0.5;
  if (end <= start) end = start + 1;  // one pixel: the first colour
  cairo_pattern_t* p = vertical ? cairo_pattern_create_linear(0, start, 0, end)
                                : cairo_pattern_create_linear(start, 0, end, 0);
  AddStop(p, 0, first);
  AddStop(p, 1, last);
  cairo_pattern_set_extend(p, CAIRO_EXTEND_PAD);
  cairo_set_source(cr, p);
  cairo_rectangle(cr, left, top, right - left, bottom - top);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

}  // namespace

BOOL WINAPI GradientFill(HDC hdc, PTRIVERTEX pVertex, ULONG nVertex, PVOID pMesh, ULONG nMesh,
                         ULONG ulMode) {
  DeviceContext* dc = FindDc(hdc);
  if (!dc) return FALSE;
  if (ulMode != GRADIENT_FILL_RECT_H && ulMode != GRADIENT_FILL_RECT_V) {
    ReportUnsupported("GradientFill", "mode", ulMode);
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if ((nVertex && !pVertex) || (nMesh && !pMesh)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const GRADIENT_RECT* rects = static_cast<const GRADIENT_RECT*>(pMesh);
  for (ULONG i = 0; i < nMesh; ++i) {
    if (rects[i].UpperLeft >= nVertex || rects[i].LowerRight >= nVertex) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
  }
  Canvas canvas(*dc);
  if (!canvas) return FALSE;
  cairo_set_operator(canvas.cr(), CAIRO_OPERATOR_SOURCE);
  for (ULONG i = 0; i < nMesh; ++i)
    FillGradientRect(canvas.cr(), pVertex[rects[i].UpperLeft], pVertex[rects[i].LowerRight],
                     ulMode == GRADIENT_FILL_RECT_V);
  return TRUE;
}

// Filled and outlined shapes: FillRect, FrameRect, Rectangle, RoundRect, MoveToEx, LineTo.
// Shapes are drawn without antialiasing, on whole pixels, with right and bottom edges
// exclusive as in GDI.

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "Platform/Gdi/ColorCanvas.h"
#include "Platform/Gdi/PensAndBrushes.h"

namespace Platform {
namespace {

struct Box {
  int left, top, right, bottom;
};

Box Normalised(int l, int t, int r, int b) {
  return {std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)};
}

void FillBox(cairo_t* cr, const Box& b, COLORREF color) {
  if (b.right <= b.left || b.bottom <= b.top) return;
  SetSourceColor(cr, color);
  cairo_rectangle(cr, b.left, b.top, b.right - b.left, b.bottom - b.top);
  cairo_fill(cr);
}

// A frame of the given thickness lying inside outer.
void FrameBox(cairo_t* cr, const Box& outer, int thickness, COLORREF color) {
  if (outer.right <= outer.left || outer.bottom <= outer.top) return;
  SetSourceColor(cr, color);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_rectangle(cr, outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top);
  int w = outer.right - outer.left - 2 * thickness, h = outer.bottom - outer.top - 2 * thickness;
  if (w > 0 && h > 0) cairo_rectangle(cr, outer.left + thickness, outer.top + thickness, w, h);
  cairo_fill(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

void UseDashes(cairo_t* cr, int style) {
  const std::vector<int>& pattern = DashPattern(style);
  double dashes[6];
  for (size_t i = 0; i < pattern.size(); ++i) dashes[i] = pattern[i];
  cairo_set_dash(cr, dashes, static_cast<int>(pattern.size()), 0);
}

// The rectangle outline a pen draws for Rectangle(box).
void OutlineBox(cairo_t* cr, const Box& box, const GdiPen& pen) {
  if (pen.style == PS_NULL) return;
  if (!DashPattern(pen.style).empty()) {
    SetSourceColor(cr, pen.color);
    UseDashes(cr, pen.style);
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, box.left + 0.5, box.top + 0.5, box.right - box.left - 1,
                    box.bottom - box.top - 1);
    cairo_stroke(cr);
    return;
  }
  int w = pen.width;
  if (pen.style == PS_INSIDEFRAME) {
    FrameBox(cr, box, w, pen.color);
    return;
  }
  // centred on the one-pixel outline [left, right - 1]
  int before = (w - 1) / 2, after = (w - 1) - before;
  FrameBox(cr, {box.left - before, box.top - before, box.right + after, box.bottom + after}, w,
           pen.color);
}

// The centre line of a pen's stroke around box: inset so an inside-frame pen stays inside.
double StrokeInset(const GdiPen& pen) {
  return pen.style == PS_INSIDEFRAME ? pen.width / 2.0 : 0.5;
}

void RoundedPath(cairo_t* cr, double l, double t, double r, double b, double rx, double ry) {
  rx = std::min(rx, (r - l) / 2);
  ry = std::min(ry, (b - t) / 2);
  if (rx <= 0 || ry <= 0) {
    cairo_rectangle(cr, l, t, r - l, b - t);
    return;
  }
  cairo_new_sub_path(cr);
  const double corners[4][3] = {{r - rx, t + ry, -M_PI / 2},
                                {r - rx, b - ry, 0},
                                {l + rx, b - ry, M_PI / 2},
                                {l + rx, t + ry, M_PI}};
  for (const auto& c : corners) {
    cairo_save(cr);
    cairo_translate(cr, c[0], c[1]);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1, c[2], c[2] + M_PI / 2);
    cairo_restore(cr);
  }
  cairo_close_path(cr);
}

// The pixels an outline or line around box can reach with pen.
RECT PenBounds(const Box& b, const GdiPen& pen) {
  const int w = pen.width + 1;
  return {b.left - w, b.top - w, b.right + w, b.bottom + w};
}

// Bresenham from (x0, y0) towards (x1, y1), end pixel excluded, following a dash pattern.
void ThinLine(cairo_t* cr, int x0, int y0, int x1, int y1, int style) {
  const std::vector<int>& pattern = DashPattern(style);
  int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1, err = dx + dy;
  size_t segment = 0;
  int used = 0;
  while (x0 != x1 || y0 != y1) {
    if (pattern.empty() || segment % 2 == 0) cairo_rectangle(cr, x0, y0, 1, 1);
    if (!pattern.empty() && ++used == pattern[segment]) {
      used = 0;
      segment = (segment + 1) % pattern.size();
    }
    int e2 = 2 * err;
    if (e2 >= dy) err += dy, x0 += sx;
    if (e2 <= dx) err += dx, y0 += sy;
  }
  cairo_fill(cr);
}

}  // namespace
}  // namespace Platform

using namespace Platform;

int WINAPI FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
  DeviceContext* dc = FindDc(hDC);
  COLORREF color;
  bool paints;
  if (!dc || !lprc || !ResolveBrush(hbr, &color, &paints)) return 0;
  if (!paints) return 1;
  ColorCanvas canvas(*dc, *lprc);
  if (!canvas) return 0;
  FillBox(canvas.cr(), {lprc->left, lprc->top, lprc->right, lprc->bottom}, color);
  return 1;
}

int WINAPI FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
  DeviceContext* dc = FindDc(hDC);
  COLORREF color;
  bool paints;
  if (!dc || !lprc || !ResolveBrush(hbr, &color, &paints)) return 0;
  if (!paints) return 1;
  ColorCanvas canvas(*dc, *lprc);
  if (!canvas) return 0;
  FrameBox(canvas.cr(), {lprc->left, lprc->top, lprc->right, lprc->bottom}, 1, color);
  return 1;
}

BOOL WINAPI Rectangle(HDC hdc, int left, int top, int right, int bottom) {
  DeviceContext* dc = FindDc(hdc);
  if (!dc) return FALSE;
  Box box = Normalised(left, top, right, bottom);
  ColorCanvas canvas(*dc, PenBounds(box, *dc->state.pen));
  if (!canvas) return FALSE;
  const GdiPen& pen = *dc->state.pen;
  const GdiBrush& brush = *dc->state.brush;
  if (brush.style != BS_NULL) {
    Box inside = box;
    if (pen.style != PS_INSIDEFRAME) inside.right -= 1, inside.bottom -= 1;
    FillBox(canvas.cr(), inside, brush.color);
  }
  OutlineBox(canvas.cr(), box, pen);
  return TRUE;
}

BOOL WINAPI RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height) {
  DeviceContext* dc = FindDc(hdc);
  if (!dc) return FALSE;
  Box box = Normalised(left, top, right, bottom);
  ColorCanvas canvas(*dc, PenBounds(box, *dc->state.pen));
  if (!canvas) return FALSE;
  cairo_t* cr = canvas.cr();
  const GdiPen& pen = *dc->state.pen;
  const GdiBrush& brush = *dc->state.brush;
  double inset = pen.style == PS_NULL ? 0.5 : StrokeInset(pen);
  double rx = std::abs(width) / 2.0 - inset, ry = std::abs(height) / 2.0 - inset;
  RoundedPath(cr, box.left + inset, box.top + inset, box.right - inset, box.bottom - inset, rx, ry);
  if (brush.style != BS_NULL) {
    SetSourceColor(cr, brush.color);
    cairo_fill_preserve(cr);
  }
  if (pen.style != PS_NULL) {
    SetSourceColor(cr, pen.color);
    UseDashes(cr, pen.style);
    cairo_set_line_width(cr, pen.width);
    cairo_stroke(cr);
  }
  cairo_new_path(cr);
  return TRUE;
}

BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT lppt) {
  DeviceContext* dc = FindDc(hdc);
  if (!dc) return FALSE;
  if (lppt) *lppt = dc->state.position;
  dc->state.position = {x, y};
  return TRUE;
}

BOOL WINAPI LineTo(HDC hdc, int x, int y) {
  DeviceContext* dc = FindDc(hdc);
  if (!dc) return FALSE;
  POINT from = dc->state.position;
  dc->state.position = {x, y};
  const GdiPen& pen = *dc->state.pen;
  if (pen.style == PS_NULL) return TRUE;
  ColorCanvas canvas(*dc, PenBounds(Normalised(from.x, from.y, x, y), pen));
  if (!canvas) return FALSE;
  cairo_t* cr = canvas.cr();
  SetSourceColor(cr, pen.color);
  if (pen.width <= 1) {
    ThinLine(cr, from.x, from.y, x, y, pen.style);
    return TRUE;
  }
  cairo_set_line_width(cr, pen.width);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  double offset = pen.width % 2 ? 0.5 : 0;
  cairo_move_to(cr, from.x + offset, from.y + offset);
  cairo_line_to(cr, x + offset, y + offset);
  cairo_stroke(cr);
  return TRUE;
}

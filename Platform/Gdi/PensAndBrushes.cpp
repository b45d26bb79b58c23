#include "Platform/Gdi/PensAndBrushes.h"

#include "Platform/Kernel/Unsupported.h"

namespace Platform {
namespace {

// The classic default system colours, as (HBRUSH)(index + 1) brushes paint them.
const COLORREF kSystemColors[] = {
    RGB(200, 200, 200), RGB(0, 0, 0),       RGB(153, 180, 209), RGB(191, 205, 219),
    RGB(240, 240, 240), RGB(255, 255, 255), RGB(100, 100, 100), RGB(0, 0, 0),
    RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(180, 180, 180), RGB(244, 247, 252),
    RGB(171, 171, 171), RGB(51, 153, 255),  RGB(255, 255, 255), RGB(240, 240, 240),
    RGB(160, 160, 160), RGB(109, 109, 109), RGB(0, 0, 0),       RGB(67, 78, 84),
    RGB(255, 255, 255), RGB(105, 105, 105), RGB(227, 227, 227), RGB(0, 0, 0),
    RGB(255, 255, 225)};
constexpr uintptr_t kSystemColorCount = sizeof(kSystemColors) / sizeof(kSystemColors[0]);

}  // namespace

bool ResolveBrush(HBRUSH brush, COLORREF* color, bool* paints) {
  uintptr_t value = reinterpret_cast<uintptr_t>(brush);
  if (value >= 1 && value <= kSystemColorCount) {
    *color = kSystemColors[value - 1];
    *paints = true;
    return true;
  }
  auto b = FindGdi<GdiBrush>(brush, GdiKind::Brush);
  if (!b) {
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  *color = b->color;
  *paints = b->style != BS_NULL;
  return true;
}

const std::vector<int>& DashPattern(int style) {
  static const std::vector<int> solid, dash{18, 6}, dot{3, 3}, dashDot{9, 6, 3, 6},
      dashDotDot{9, 3, 3, 3, 3, 3};
  switch (style) {
    case PS_DASH: return dash;
    case PS_DOT: return dot;
    case PS_DASHDOT: return dashDot;
    case PS_DASHDOTDOT: return dashDotDot;
    default: return solid;
  }
}

}  // namespace Platform

using namespace Platform;

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
  auto b = std::make_shared<GdiBrush>();
  b->color = color & 0x00FFFFFFu;
  return static_cast<HBRUSH>(AddGdiObject(b));
}

HPEN WINAPI CreatePen(int iStyle, int cWidth, COLORREF color) {
  int style = iStyle & PS_STYLE_MASK;
  if (style > PS_INSIDEFRAME || (iStyle & ~PS_STYLE_MASK)) {
    ReportUnsupported("CreatePen", "style", iStyle);
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto p = std::make_shared<GdiPen>();
  p->width = cWidth < 1 ? 1 : cWidth;
  // Dashes and dots exist only on one-pixel pens; wider ones draw solid.
  p->style = (style >= PS_DASH && style <= PS_DASHDOTDOT && p->width > 1) ? PS_SOLID : style;
  p->color = color & 0x00FFFFFFu;
  return static_cast<HPEN>(AddGdiObject(p));
}

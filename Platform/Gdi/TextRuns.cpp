#include "Platform/Gdi/TextRuns.h"

#include <algorithm>

#include "Platform/Text/Utf.h"

namespace Platform {

std::string TextUtf8(LPCWSTR text, int c) {
  if (!text || c == 0) return std::string();
  size_t n = c < 0 ? std::char_traits<char16_t>::length(text) : static_cast<size_t>(c);
  return Utf16ToUtf8(std::u16string_view(text, n));
}

int LayoutWidth(PangoLayout* layout) {
  PangoRectangle logical;
  pango_layout_get_pixel_extents(layout, nullptr, &logical);
  return logical.width;
}

RECT LineBounds(PangoLayout* layout, int x, int baseline) {
  PangoLayoutLine* line = pango_layout_get_line_readonly(layout, 0);
  if (!line) return {x, baseline, x, baseline};
  PangoRectangle ink, logical;
  pango_layout_line_get_pixel_extents(line, &ink, &logical);
  return {x + std::min(ink.x, logical.x) - 1, baseline + std::min(ink.y, logical.y) - 1,
          x + std::max(ink.x + ink.width, logical.x + logical.width) + 1,
          baseline + std::max(ink.y + ink.height, logical.y + logical.height) + 1};
}

void ShowLine(cairo_t* cr, PangoLayout* layout, double x, double baseline, COLORREF color) {
  PangoLayoutLine* line = pango_layout_get_line_readonly(layout, 0);
  if (!line) return;
  PrepareForText(cr);
  SetSourceColor(cr, color);
  cairo_move_to(cr, x, baseline);
  pango_cairo_show_layout_line(cr, line);
}

}  // namespace Platform

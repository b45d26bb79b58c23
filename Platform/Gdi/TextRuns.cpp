#include "Platform/Gdi/TextRuns.h"

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

void ShowLine(cairo_t* cr, PangoLayout* layout, double x, double baseline, COLORREF color) {
  PangoLayoutLine* line = pango_layout_get_line_readonly(layout, 0);
  if (!line) return;
  PrepareForText(cr);
  SetSourceColor(cr, color);
  cairo_move_to(cr, x, baseline);
  pango_cairo_show_layout_line(cr, line);
}

}  // namespace Platform

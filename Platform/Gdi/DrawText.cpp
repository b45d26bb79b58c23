// DrawTextW: formatted text in a rectangle. Lines are laid out by GDI's rules: each line is
// one font height apart (plus the external leading with DT_EXTERNALLEADING), aligned on its
// own, and only single-line text is placed vertically.

#include <algorithm>
#include <utility>
#include <vector>

#include "Platform/Gdi/ColorCanvas.h"
#include "Platform/Gdi/TextRuns.h"
#include "Platform/Kernel/Unsupported.h"

namespace Platform {
namespace {

constexpr UINT kHandled = DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM | DT_WORDBREAK |
                          DT_SINGLELINE | DT_NOCLIP | DT_EXTERNALLEADING | DT_CALCRECT |
                          DT_NOPREFIX | DT_END_ELLIPSIS | DT_NOFULLWIDTHCHARBREAK;

// Text with its mnemonic prefixes resolved: the byte ranges to underline.
struct Prepared {
  std::string utf8;
  std::vector<std::pair<int, int>> underlines;  // [start, end) in bytes
};

struct Line {
  PangoLayout* layout = nullptr;
  int width = 0;
};

Prepared Prepare(LPCWSTR text, int count, bool prefixes) {
  Prepared p;
  if (!prefixes) {
    p.utf8 = TextUtf8(text, count);
    return p;
  }
  std::u16string plain;
  std::vector<size_t> marked;  // indexes into plain
  for (int i = 0; i < count; ++i) {
    if (text[i] == u'&' && i + 1 < count) {
      ++i;
      if (text[i] != u'&') marked.push_back(plain.size());
    }
    plain += text[i];
  }
  for (size_t at : marked) {
    int start = static_cast<int>(TextUtf8(plain.data(), static_cast<int>(at)).size());
    int end = static_cast<int>(TextUtf8(plain.data(), static_cast<int>(at + 1)).size());
    p.underlines.emplace_back(start, end);
  }
  p.utf8 = TextUtf8(plain.data(), static_cast<int>(plain.size()));
  return p;
}

// One line's layout over bytes [start, end) of the prepared text, with "..." appended when
// ellipsis is set.
PangoLayout* LineLayout(const GdiFont& font, const Prepared& p, int start, int end, bool ellipsis) {
  std::string text = p.utf8.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
  if (ellipsis) text += "...";
  PangoLayout* layout = NewLayout(font, text.data(), static_cast<int>(text.size()));
  if (p.underlines.empty()) return layout;
  PangoAttrList* attrs = pango_attr_list_copy(pango_layout_get_attributes(layout));
  if (!attrs) attrs = pango_attr_list_new();
  for (const auto& [a, b] : p.underlines) {
    if (b <= start || a >= end) continue;
    PangoAttribute* u = pango_attr_underline_new(PANGO_UNDERLINE_SINGLE);
    u->start_index = static_cast<guint>(a - start);
    u->end_index = static_cast<guint>(b - start);
    pango_attr_list_insert(attrs, u);
  }
  pango_layout_set_attributes(layout, attrs);
  pango_attr_list_unref(attrs);
  return layout;
}

// The longest start of bytes [start, end) that fits width together with "...".
Line Ellipsised(const GdiFont& font, const Prepared& p, int start, int end, int width) {
  std::vector<int> cuts;  // character boundaries, shortest first
  for (const char* c = p.utf8.data() + start; c < p.utf8.data() + end; c = g_utf8_next_char(c))
    cuts.push_back(static_cast<int>(c - p.utf8.data()));
  size_t lo = 0, hi = cuts.size();  // cuts[lo] always fits (or nothing does)
  while (hi - lo > 1) {
    size_t mid = (lo + hi) / 2;
    PangoLayout* l = LineLayout(font, p, start, cuts[mid], true);
    bool fits = LayoutWidth(l) <= width;
    g_object_unref(l);
    (fits ? lo : hi) = mid;
  }
  Line line;
  line.layout = LineLayout(font, p, start, cuts.empty() ? start : cuts[lo], true);
  line.width = LayoutWidth(line.layout);
  return line;
}

Line MakeLine(const GdiFont& font, const Prepared& p, int start, int end, int width,
              bool ellipsis) {
  Line line;
  line.layout = LineLayout(font, p, start, end, false);
  line.width = LayoutWidth(line.layout);
  if (ellipsis && line.width > width) {
    g_object_unref(line.layout);
    line = Ellipsised(font, p, start, end, width);
  }
  return line;
}

// Byte ranges of the lines a paragraph wraps into at spaces (and between CJK characters).
std::vector<std::pair<int, int>> Wrap(const GdiFont& font, const Prepared& p, int start, int end,
                                      int width) {
  PangoLayout* layout = NewLayout(font, p.utf8.data() + start, end - start);
  pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
  pango_layout_set_width(layout, std::max(1, width) * PANGO_SCALE);
  std::vector<std::pair<int, int>> ranges;
  for (GSList* l = pango_layout_get_lines_readonly(layout); l; l = l->next) {
    auto* line = static_cast<PangoLayoutLine*>(l->data);
    int a = start + line->start_index, b = a + line->length;
    while (b > a && p.utf8[static_cast<size_t>(b - 1)] == ' ') --b;  // trailing spaces hang
    ranges.emplace_back(a, b);
  }
  g_object_unref(layout);
  if (ranges.empty()) ranges.emplace_back(start, start);
  return ranges;
}

std::vector<Line> LayOut(const GdiFont& font, const Prepared& p, UINT format, int width) {
  std::vector<Line> lines;
  bool ellipsis = format & DT_END_ELLIPSIS;
  int size = static_cast<int>(p.utf8.size());
  if (format & DT_SINGLELINE) {
    lines.push_back(MakeLine(font, p, 0, size, width, ellipsis));
    return lines;
  }
  int start = 0;
  while (true) {
    int end = start;
    while (end < size && p.utf8[static_cast<size_t>(end)] != '\r' &&
           p.utf8[static_cast<size_t>(end)] != '\n')
      ++end;
    if (format & DT_WORDBREAK) {
      for (const auto& [a, b] : Wrap(font, p, start, end, width))
        lines.push_back(MakeLine(font, p, a, b, width, ellipsis));
    } else {
      lines.push_back(MakeLine(font, p, start, end, width, ellipsis));
    }
    if (end >= size) break;
    start = end + (p.utf8.compare(static_cast<size_t>(end), 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

void ReportUnsupportedFormat(UINT format) {
  if (format & ~kHandled) ReportUnsupported("DrawTextW", "format flags", format & ~kHandled);
}

int LineX(const RECT& rc, UINT format, int width) {
  if (format & DT_CENTER) return rc.left + (rc.right - rc.left - width) / 2;
  if (format & DT_RIGHT) return rc.right - width;
  return rc.left;
}

// Everything the lines can touch, their opaque backgrounds included.
RECT LinesBounds(const RECT& rc, UINT format, const std::vector<Line>& lines, int top,
                 int lineHeight, int ascent) {
  RECT bounds{rc.left, top, rc.left, top};
  for (size_t i = 0; i < lines.size(); ++i) {
    const int y = top + static_cast<int>(i) * lineHeight, x = LineX(rc, format, lines[i].width);
    bounds = Joined(bounds, {x, y, x + lines[i].width, y + lineHeight});
    bounds = Joined(bounds, LineBounds(lines[i].layout, x, y + ascent));
  }
  return bounds;
}

void Draw(DeviceContext& dc, const RECT& rc, UINT format, const std::vector<Line>& lines, int top,
          int lineHeight) {
  RECT bounds = LinesBounds(rc, format, lines, top, lineHeight, dc.state.font->metrics.ascent);
  if (!(format & DT_NOCLIP)) IntersectRect(&bounds, &bounds, &rc);
  ColorCanvas canvas(dc, bounds);
  if (!canvas) return;
  cairo_t* cr = canvas.cr();
  if (!(format & DT_NOCLIP)) {
    cairo_rectangle(cr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    cairo_clip(cr);
  }
  double clipTop, clipBottom, unused;
  cairo_clip_extents(cr, &unused, &clipTop, &unused, &clipBottom);
  const FontMetrics& m = dc.state.font->metrics;
  for (size_t i = 0; i < lines.size(); ++i) {
    int y = top + static_cast<int>(i) * lineHeight;
    if (y >= clipBottom) break;
    if (y + lineHeight <= clipTop) continue;
    int x = LineX(rc, format, lines[i].width);
    if (dc.state.bkMode == OPAQUE) {
      SetSourceColor(cr, dc.state.bkColor);
      cairo_rectangle(cr, x, y, lines[i].width, lineHeight);
      cairo_fill(cr);
    }
    ShowLine(cr, lines[i].layout, x, y + m.ascent, dc.state.textColor);
  }
}

}  // namespace
}  // namespace Platform

using namespace Platform;

int WINAPI DrawTextW(HDC hdc, LPCWSTR lpchText, int cchText, LPRECT lprc, UINT format) {
  DeviceContext* dc = FindDc(hdc);
  if (!dc) return 0;
  if (!lprc || cchText < -1 || (cchText != 0 && !lpchText)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  ReportUnsupportedFormat(format);
  int count =
      cchText == -1 ? static_cast<int>(std::char_traits<char16_t>::length(lpchText)) : cchText;
  const GdiFont& font = *dc->state.font;
  int lineHeight =
      font.metrics.height + (format & DT_EXTERNALLEADING ? font.metrics.externalLeading : 0);
  Prepared prepared = Prepare(lpchText, count, !(format & DT_NOPREFIX));
  std::vector<Line> lines = LayOut(font, prepared, format, lprc->right - lprc->left);
  int height = lineHeight * static_cast<int>(lines.size());
  int widest = 0;
  for (const Line& l : lines) widest = std::max(widest, l.width);
  int top = lprc->top;
  bool placed = (format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM));
  if (placed && (format & DT_BOTTOM))
    top = lprc->bottom - height;
  else if (placed)
    top = lprc->top + (lprc->bottom - lprc->top - height) / 2;
  if (format & DT_CALCRECT) {
    lprc->right = lprc->left + widest;
    lprc->bottom = lprc->top + height;
  } else {
    Draw(*dc, *lprc, format, lines, top, lineHeight);
  }
  for (Line& l : lines) g_object_unref(l.layout);
  return placed && !(format & DT_CALCRECT) ? top - lprc->top + height : height;
}

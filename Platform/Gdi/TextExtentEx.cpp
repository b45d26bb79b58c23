// GetTextExtentExPointW: the extent of every prefix of a string, measured on the one layout
// TextOutW draws, so caret positions line up with the drawn glyphs.

#include <vector>

#include "Platform/Gdi/TextRuns.h"

namespace Platform {
namespace {

bool IsHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// For each UTF-16 unit, the UTF-8 byte offset just after the character holding it (an
// unpaired surrogate is encoded as U+FFFD, three bytes).
std::vector<int> EndOffsets(LPCWSTR s, int n) {
  std::vector<int> ends(static_cast<size_t>(n));
  int bytes = 0;
  for (int i = 0; i < n;) {
    char16_t c = s[i];
    if (IsHigh(c) && i + 1 < n && IsLow(s[i + 1])) {
      bytes += 4;
      ends[static_cast<size_t>(i)] = ends[static_cast<size_t>(i) + 1] = bytes;
      i += 2;
      continue;
    }
    bytes += c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
    ends[static_cast<size_t>(i)] = bytes;
    ++i;
  }
  return ends;
}

}  // namespace
}  // namespace Platform

using namespace Platform;

BOOL WINAPI GetTextExtentExPointW(HDC hdc, LPCWSTR lpszString, int cchString, int nMaxExtent,
                                  LPINT lpnFit, LPINT lpnDx, LPSIZE lpSize) {
  DeviceContext* dc = FindDc(hdc);
  if (!dc || !lpSize || cchString < 0 || (cchString > 0 && !lpszString)) {
    if (dc) SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const GdiFont& font = *dc->state.font;
  std::string utf8 = TextUtf8(lpszString, cchString);
  PangoLayout* layout = NewLayout(font, utf8.data(), static_cast<int>(utf8.size()));
  int total = LayoutWidth(layout);
  std::vector<int> ends = EndOffsets(lpszString, cchString);
  int fit = 0;
  for (int i = 0; i < cchString; ++i) {
    int end = ends[static_cast<size_t>(i)];
    int x = total;
    if (end < static_cast<int>(utf8.size())) {
      PangoRectangle pos;
      pango_layout_index_to_pos(layout, end, &pos);
      x = PANGO_PIXELS(pos.x);
    }
    if (lpnFit && (nMaxExtent < 0 || x <= nMaxExtent) && fit == i) fit = i + 1;
    if (lpnDx && (!lpnFit || fit == i + 1)) lpnDx[i] = x;
  }
  g_object_unref(layout);
  if (lpnFit) *lpnFit = fit;
  lpSize->cx = total;
  lpSize->cy = font.metrics.height;
  return TRUE;
}

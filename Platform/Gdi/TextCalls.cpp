// Text metrics, extents and output at a point: GetTextMetricsW, GetTextExtentPoint32W,
// GetCharABCWidthsW, TextOutW, ExtTextOutW.

#include "Platform/Gdi/ColorCanvas.h"
#include "Platform/Gdi/TextRuns.h"
#include "Platform/Kernel/Unsupported.h"

namespace Platform {
namespace {

void FillBackground(cairo_t* cr, int x, int y, int w, int h, COLORREF color) {
  SetSourceColor(cr, color);
  cairo_rectangle(cr, x, y, w, h);
  cairo_fill(cr);
}

// Draws text with the top of its cell at y; with an opaque background mode the cell is filled
// first. fill, when given, is filled with the background colour before anything else; clip, when
// given, limits the text.
bool DrawRun(DeviceContext& dc, int x, int y, const std::string& utf8, const RECT* fill,
             const RECT* clip) {
  const GdiFont& font = *dc.state.font;
  PangoLayout* layout = NewLayout(font, utf8.data(), static_cast<int>(utf8.size()));
  const int baseline = y + font.metrics.ascent;
  const RECT cell{x, y, x + LayoutWidth(layout), y + font.metrics.height};
  RECT bounds = utf8.empty() ? RECT{x, y, x, y} : Joined(cell, LineBounds(layout, x, baseline));
  if (clip) IntersectRect(&bounds, &bounds, clip);
  if (fill) bounds = Joined(bounds, *fill);
  ColorCanvas canvas(dc, bounds);
  if (canvas) {
    cairo_t* cr = canvas.cr();
    if (fill)
      FillBackground(cr, fill->left, fill->top, fill->right - fill->left, fill->bottom - fill->top,
                     dc.state.bkColor);
    if (!utf8.empty()) {
      if (clip) {
        cairo_rectangle(cr, clip->left, clip->top, clip->right - clip->left,
                        clip->bottom - clip->top);
        cairo_clip(cr);
      }
      if (dc.state.bkMode == OPAQUE)
        FillBackground(cr, x, y, cell.right - x, font.metrics.height, dc.state.bkColor);
      ShowLine(cr, layout, x, baseline, dc.state.textColor);
    }
  }
  g_object_unref(layout);
  return static_cast<bool>(canvas);
}

ABC CharAbc(const GdiFont& font, UINT ch) {
  char utf8[8];
  int n = g_unichar_to_utf8(static_cast<gunichar>(ch), utf8);
  PangoLayout* layout = NewLayout(font, utf8, n);
  PangoRectangle ink, logical;
  pango_layout_get_pixel_extents(layout, &ink, &logical);
  g_object_unref(layout);
  if (ink.width <= 0) return {0, 0, logical.width};
  int a = ink.x - logical.x;
  return {a, static_cast<UINT>(ink.width), logical.width - a - ink.width};
}

}  // namespace
}  // namespace Platform

using namespace Platform;

BOOL WINAPI GetTextMetricsW(HDC hdc, LPTEXTMETRICW lptm) {
  DeviceContext* dc = FindDc(hdc);
  if (!dc || !lptm) return FALSE;
  const GdiFont& font = *dc->state.font;
  const FontMetrics& m = font.metrics;
  const LOGFONTW& lf = font.logFont;
  TEXTMETRICW tm{};
  tm.tmHeight = m.height;
  tm.tmAscent = m.ascent;
  tm.tmDescent = m.descent;
  tm.tmInternalLeading = m.internalLeading;
  tm.tmExternalLeading = m.externalLeading;
  tm.tmAveCharWidth = m.aveCharWidth;
  tm.tmMaxCharWidth = m.maxCharWidth;
  tm.tmWeight = lf.lfWeight == FW_DONTCARE ? FW_NORMAL : lf.lfWeight;
  tm.tmDigitizedAspectX = tm.tmDigitizedAspectY = 96;
  tm.tmFirstChar = 0x20;
  tm.tmLastChar = 0xFFFC;
  tm.tmDefaultChar = 0x1F;
  tm.tmBreakChar = 0x20;
  tm.tmItalic = lf.lfItalic ? 1 : 0;
  tm.tmUnderlined = lf.lfUnderline ? 1 : 0;
  tm.tmStruckOut = lf.lfStrikeOut ? 1 : 0;
  // TMPF_FIXED_PITCH set means a variable-pitch font, as in Win32
  bool fixed =
      (lf.lfPitchAndFamily & 3) == FIXED_PITCH || (lf.lfPitchAndFamily & 0xF0) == FF_MODERN;
  tm.tmPitchAndFamily = static_cast<BYTE>((fixed ? 0 : TMPF_FIXED_PITCH) | TMPF_VECTOR |
                                          TMPF_TRUETYPE | (lf.lfPitchAndFamily & 0xF0));
  tm.tmCharSet = lf.lfCharSet;
  *lptm = tm;
  return TRUE;
}

BOOL WINAPI GetTextExtentPoint32W(HDC hdc, LPCWSTR lpString, int c, LPSIZE psizl) {
  DeviceContext* dc = FindDc(hdc);
  if (!dc || !psizl || c < 0 || (c > 0 && !lpString)) {
    if (dc) SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const GdiFont& font = *dc->state.font;
  std::string utf8 = TextUtf8(lpString, c);
  PangoLayout* layout = NewLayout(font, utf8.data(), static_cast<int>(utf8.size()));
  psizl->cx = LayoutWidth(layout);
  psizl->cy = font.metrics.height;
  g_object_unref(layout);
  return TRUE;
}

BOOL WINAPI GetCharABCWidthsW(HDC hdc, UINT wFirst, UINT wLast, LPABC lpABC) {
  DeviceContext* dc = FindDc(hdc);
  if (!dc || !lpABC || wLast < wFirst || wLast > 0x10FFFF) {
    if (dc) SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  for (UINT ch = wFirst; ch <= wLast; ++ch) lpABC[ch - wFirst] = CharAbc(*dc->state.font, ch);
  return TRUE;
}

BOOL WINAPI TextOutW(HDC hdc, int x, int y, LPCWSTR lpString, int c) {
  DeviceContext* dc = FindDc(hdc);
  if (!dc || c < 0 || (c > 0 && !lpString)) {
    if (dc) SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (c == 0) return TRUE;
  return DrawRun(*dc, x, y, TextUtf8(lpString, c), nullptr, nullptr) ? TRUE : FALSE;
}

BOOL WINAPI ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCWSTR lpString,
                        UINT c, const INT* lpDx) {
  DeviceContext* dc = FindDc(hdc);
  if (!dc) return FALSE;
  if (options & ~(ETO_OPAQUE | ETO_CLIPPED)) {
    ReportUnsupported("ExtTextOutW", "options", options);
    if (options & ETO_GLYPH_INDEX) return FALSE;
  }
  if (lpDx && c) ReportUnsupported("ExtTextOutW", "character spacing array (ignored)", c);
  if ((c && !lpString) || c > 0x7FFFFFFF || ((options & (ETO_OPAQUE | ETO_CLIPPED)) && !lprect)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const RECT* fill = options & ETO_OPAQUE ? lprect : nullptr;
  const RECT* clip = options & ETO_CLIPPED ? lprect : nullptr;
  return DrawRun(*dc, x, y, TextUtf8(lpString, static_cast<int>(c)), fill, clip) ? TRUE : FALSE;
}

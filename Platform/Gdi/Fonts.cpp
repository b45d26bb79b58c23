// Fonts: LOGFONTW to pango descriptions, GDI metrics, and layouts.

#include "Platform/Gdi/Fonts.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "Platform/Kernel/Unsupported.h"
#include "Platform/Text/Utf.h"

namespace Platform {
namespace {

constexpr int kDefaultCellHeight = 16;  // lfHeight 0 asks for the default size

struct ThreadText {
  PangoFontMap* map = nullptr;
  PangoContext* context = nullptr;
  cairo_font_options_t* options = nullptr;
  ThreadText() {
    map = pango_cairo_font_map_new();
    context = pango_font_map_create_context(map);
    options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_subpixel_order(options, CAIRO_SUBPIXEL_ORDER_DEFAULT);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    pango_cairo_context_set_font_options(context, options);
    pango_cairo_context_set_resolution(context, 96);
  }
  ~ThreadText() {
    cairo_font_options_destroy(options);
    g_object_unref(context);
    g_object_unref(map);
  }
};

ThreadText& Text() {
  thread_local ThreadText text;
  return text;
}

bool IsCjk(char16_t c) { return (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF); }

// Chinese UI faces under their Latin names; when they are missing, a Chinese font should
// stand in rather than a Latin one.
bool IsChineseFaceName(const std::string& face) {
  static const char* const names[] = {"simsun",   "nsimsun",           "simhei",  "microsoft yahei",
                                      "kaiti",    "fangsong",          "mingliu", "pmingliu",
                                      "dengxian", "microsoft jhenghei"};
  std::string lower = face;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const char* n : names)
    if (lower == n) return true;
  return false;
}

PangoLanguage* PreferredLanguage(const LOGFONTW& lf, const std::string& face) {
  if (lf.lfCharSet == CHINESEBIG5_CHARSET) return pango_language_from_string("zh-tw");
  if (lf.lfCharSet == GB2312_CHARSET || IsChineseFaceName(face))
    return pango_language_from_string("zh-cn");
  for (int i = 0; i < LF_FACESIZE && lf.lfFaceName[i]; ++i)
    if (IsCjk(lf.lfFaceName[i])) return pango_language_from_string("zh-cn");
  return nullptr;
}

std::string FaceName(const LOGFONTW& lf) {
  std::u16string face;
  for (int i = 0; i < LF_FACESIZE && lf.lfFaceName[i]; ++i) face += lf.lfFaceName[i];
  return Utf16ToUtf8(face);
}

PangoFontDescription* Describe(const LOGFONTW& lf, const std::string& face) {
  bool fixed =
      (lf.lfPitchAndFamily & 3) == FIXED_PITCH || (lf.lfPitchAndFamily & 0xF0) == FF_MODERN;
  std::string families = face;
  if (!families.empty()) families += ',';
  families += fixed ? "monospace" : "sans-serif";
  PangoFontDescription* d = pango_font_description_new();
  pango_font_description_set_family(d, families.c_str());
  LONG weight = lf.lfWeight == FW_DONTCARE ? FW_NORMAL : lf.lfWeight;
  pango_font_description_set_weight(d,
                                    static_cast<PangoWeight>(std::clamp<LONG>(weight, 100, 1000)));
  pango_font_description_set_style(d, lf.lfItalic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  return d;
}

// The font that Latin text in this description is drawn with (a reference held by the
// caller), whose metrics GDI reports.
PangoFont* PrimaryFont(const PangoFontDescription* d, PangoLanguage* lang) {
  PangoFontset* set = pango_font_map_load_fontset(Text().map, Text().context, d, lang);
  if (!set) return nullptr;
  PangoFont* font = pango_fontset_get_font(set, lang ? 0x4E2D : 'x');
  g_object_unref(set);
  return font;
}

bool Measure(const PangoFontDescription* d, PangoLanguage* lang, int em, FontMetrics* out) {
  PangoFont* font = PrimaryFont(d, lang);
  if (!font) return false;
  PangoFontMetrics* m = pango_font_get_metrics(font, lang);
  out->ascent = PANGO_PIXELS_CEIL(pango_font_metrics_get_ascent(m));
  out->descent = PANGO_PIXELS_CEIL(pango_font_metrics_get_descent(m));
  out->height = out->ascent + out->descent;
  out->internalLeading = std::max(0, out->height - em);
  out->externalLeading = std::max(0, PANGO_PIXELS(pango_font_metrics_get_height(m)) - out->height);
  out->aveCharWidth = std::max(1, PANGO_PIXELS(pango_font_metrics_get_approximate_char_width(m)));
  cairo_font_extents_t extents{};
  if (cairo_scaled_font_t* scaled = pango_cairo_font_get_scaled_font(PANGO_CAIRO_FONT(font)))
    cairo_scaled_font_extents(scaled, &extents);
  // an upper bound for every character, fallback (CJK) glyphs included
  out->maxCharWidth = std::max<LONG>(static_cast<LONG>(std::ceil(extents.max_x_advance)), em);
  pango_font_metrics_unref(m);
  g_object_unref(font);
  return true;
}

// Finds the em size whose cell (ascent + descent) is the requested height.
int EmForCellHeight(PangoFontDescription* d, PangoLanguage* lang, int cell) {
  const int probe = 100;
  pango_font_description_set_absolute_size(d, probe * PANGO_SCALE);
  FontMetrics m;
  if (!Measure(d, lang, probe, &m) || m.height <= 0) return cell;
  int em = std::max(1, static_cast<int>(std::lround(cell * static_cast<double>(probe) / m.height)));
  for (int tries = 0; tries < 4 && em > 1; ++tries) {
    pango_font_description_set_absolute_size(d, em * PANGO_SCALE);
    if (!Measure(d, lang, em, &m) || m.height <= cell) break;
    --em;
  }
  return em;
}

}  // namespace

std::shared_ptr<GdiFont> MakeFont(const LOGFONTW& lf) {
  if (lf.lfEscapement || lf.lfOrientation)
    ReportUnsupported("CreateFontIndirectW", "escapement (rotated text is drawn level)",
                      lf.lfEscapement);
  if (lf.lfWidth) ReportUnsupported("CreateFontIndirectW", "character width (ignored)", lf.lfWidth);
  auto font = std::make_shared<GdiFont>();
  font->logFont = lf;
  std::string face = FaceName(lf);
  font->language = PreferredLanguage(lf, face);
  font->description = Describe(lf, face);
  LONG h = lf.lfHeight == INT32_MIN ? INT32_MAX : std::abs(lf.lfHeight);
  if (h > 16384) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  int em = lf.lfHeight < 0
               ? static_cast<int>(h)
               : EmForCellHeight(font->description, font->language,
                                 lf.lfHeight ? static_cast<int>(h) : kDefaultCellHeight);
  pango_font_description_set_absolute_size(font->description, std::max(1, em) * PANGO_SCALE);
  if (!Measure(font->description, font->language, std::max(1, em), &font->metrics)) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  return font;
}

PangoContext* TextContext() { return Text().context; }

void PrepareForText(cairo_t* cr) { cairo_set_font_options(cr, Text().options); }

PangoLayout* NewLayout(const GdiFont& font, const char* utf8, int bytes) {
  PangoLayout* layout = pango_layout_new(Text().context);
  pango_layout_set_font_description(layout, font.description);
  // line breaks are the callers' business: GDI draws a run as one line whatever it holds
  pango_layout_set_single_paragraph_mode(layout, TRUE);
  const LOGFONTW& lf = font.logFont;
  if (lf.lfUnderline || lf.lfStrikeOut || font.language) {
    PangoAttrList* attrs = pango_attr_list_new();
    if (lf.lfUnderline)
      pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    if (lf.lfStrikeOut) pango_attr_list_insert(attrs, pango_attr_strikethrough_new(TRUE));
    if (font.language) pango_attr_list_insert(attrs, pango_attr_language_new(font.language));
    pango_layout_set_attributes(layout, attrs);
    pango_attr_list_unref(attrs);
  }
  pango_layout_set_text(layout, utf8, bytes);
  return layout;
}

}  // namespace Platform

HFONT WINAPI CreateFontIndirectW(const LOGFONTW* lplf) {
  if (!lplf) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return static_cast<HFONT>(Platform::AddGdiObject(Platform::MakeFont(*lplf)));
}

// Our GDI layer beside raw cairo and pango doing the same work on a 518 x 345 surface. Each
// pair of benchmarks is named Ours/<Operation> and Raw/<Operation>; bench/drawing.sh turns
// them into ratios.

#include <benchmark/benchmark.h>
#include <cairo.h>
#include <pango/pangocairo.h>

#include <string>
#include <vector>

#include "Core/UIRender.h"
#include "Platform/Text/Utf.h"
#include "Platform/Win32.h"

namespace {

constexpr int kW = 518, kH = 345;

// A 32-bit DIB section in a memory DC, and a cairo surface over the same pixels for the raw
// peer, so both sides touch identical memory.
struct Target {
  explicit Target(int w = kW, int h = kH) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    dc = CreateCompatibleDC(nullptr);
    old = SelectObject(dc, bitmap);
    surface = cairo_image_surface_create_for_data(static_cast<unsigned char*>(bits),
                                                  CAIRO_FORMAT_ARGB32, w, h, w * 4);
    auto* px = static_cast<uint32_t*>(bits);
    for (int i = 0; i < w * h; ++i) {  // a premultiplied picture with varying alpha
      uint32_t a = (i * 7) & 0xFF;
      px[i] = a << 24 | (a * ((i >> 3) & 0xFF) / 255) << 16 | (a / 2) << 8 | (a / 3);
    }
  }
  ~Target() {
    cairo_surface_destroy(surface);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  HBITMAP bitmap;
  void* bits = nullptr;
  HDC dc;
  HGDIOBJ old;
  cairo_surface_t* surface;
};

void OursBitBlt(benchmark::State& state) {
  Target src, dst;
  for (auto _ : state) BitBlt(dst.dc, 0, 0, kW, kH, src.dc, 0, 0, SRCCOPY);
}

void RawBitBlt(benchmark::State& state) {
  Target src, dst;
  for (auto _ : state) {
    cairo_t* cr = cairo_create(dst.surface);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, src.surface, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
  }
}

void OursAlphaBlend(benchmark::State& state) {
  Target src, dst;
  BLENDFUNCTION f{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  for (auto _ : state) AlphaBlend(dst.dc, 0, 0, kW, kH, src.dc, 0, 0, kW, kH, f);
}

void RawAlphaBlend(benchmark::State& state) {
  Target src, dst;
  for (auto _ : state) {
    cairo_t* cr = cairo_create(dst.surface);
    cairo_set_source_surface(cr, src.surface, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
  }
}

void OursStretchBlt(benchmark::State& state) {
  Target src(kW / 2, kH / 2), dst;
  SetStretchBltMode(dst.dc, HALFTONE);
  for (auto _ : state) StretchBlt(dst.dc, 0, 0, kW, kH, src.dc, 0, 0, kW / 2, kH / 2, SRCCOPY);
}

void RawStretchBlt(benchmark::State& state) {
  Target src(kW / 2, kH / 2), dst;
  for (auto _ : state) {
    cairo_t* cr = cairo_create(dst.surface);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_scale(cr, static_cast<double>(kW) / (kW / 2), static_cast<double>(kH) / (kH / 2));
    cairo_set_source_surface(cr, src.surface, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_paint(cr);
    cairo_destroy(cr);
  }
}

void OursGradientFill(benchmark::State& state) {
  Target dst;
  TRIVERTEX v[2] = {{0, 0, 0x1000, 0x8000, 0xFF00, 0xFF00}, {kW, kH, 0xFF00, 0x4000, 0, 0xFF00}};
  GRADIENT_RECT r{0, 1};
  for (auto _ : state) GradientFill(dst.dc, v, 2, &r, 1, GRADIENT_FILL_RECT_V);
}

void RawGradientFill(benchmark::State& state) {
  Target dst;
  for (auto _ : state) {
    cairo_t* cr = cairo_create(dst.surface);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0.5, 0, kH - 0.5);
    cairo_pattern_add_color_stop_rgba(p, 0, 0x10 / 255.0, 0x80 / 255.0, 1, 1);
    cairo_pattern_add_color_stop_rgba(p, 1, 1, 0x40 / 255.0, 0, 1);
    cairo_pattern_set_extend(p, CAIRO_EXTEND_PAD);
    cairo_set_source(cr, p);
    cairo_rectangle(cr, 0, 0, kW, kH);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_destroy(cr);
  }
}

// A skin's nine-piece image: a 60 x 40 picture with 8-pixel corners stretched over the whole
// surface, through the drawing engine, beside the same nine pieces drawn with raw cairo.
constexpr int kPieceW = 60, kPieceH = 40, kCorner = 8;

void OursNinePiece(benchmark::State& state) {
  Target src(kPieceW, kPieceH), dst;
  SelectObject(src.dc, src.old);  // the engine selects the image into a context of its own
  const RECT dest = {0, 0, kW, kH};
  const RECT part = {0, 0, kPieceW, kPieceH};
  const RECT corners = {kCorner, kCorner, kCorner, kCorner};
  for (auto _ : state) {
    SkinUI::CDrawEngine::DrawImageGrid(dst.dc, src.bitmap, dest, dest, part, corners, true);
  }
}

void RawNinePiece(benchmark::State& state) {
  Target src(kPieceW, kPieceH), dst;
  // x, width of the three columns and y, height of the three rows, in source and destination.
  const int sx[3] = {0, kCorner, kPieceW - kCorner},
            sw[3] = {kCorner, kPieceW - 2 * kCorner, kCorner};
  const int sy[3] = {0, kCorner, kPieceH - kCorner},
            sh[3] = {kCorner, kPieceH - 2 * kCorner, kCorner};
  const int dx[3] = {0, kCorner, kW - kCorner}, dw[3] = {kCorner, kW - 2 * kCorner, kCorner};
  const int dy[3] = {0, kCorner, kH - kCorner}, dh[3] = {kCorner, kH - 2 * kCorner, kCorner};
  for (auto _ : state) {
    cairo_t* cr = cairo_create(dst.surface);
    for (int row = 0; row < 3; ++row) {
      for (int col = 0; col < 3; ++col) {
        cairo_surface_t* piece =
            cairo_surface_create_for_rectangle(src.surface, sx[col], sy[row], sw[col], sh[row]);
        cairo_pattern_t* p = cairo_pattern_create_for_surface(piece);
        cairo_matrix_t m;
        cairo_matrix_init_scale(&m, static_cast<double>(sw[col]) / dw[col],
                                static_cast<double>(sh[row]) / dh[row]);
        cairo_matrix_translate(&m, -dx[col], -dy[row]);
        cairo_pattern_set_matrix(p, &m);
        cairo_pattern_set_filter(p, CAIRO_FILTER_GOOD);
        cairo_pattern_set_extend(p, CAIRO_EXTEND_PAD);
        cairo_set_source(cr, p);
        cairo_rectangle(cr, dx[col], dy[row], dw[col], dh[row]);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
        cairo_surface_destroy(piece);
      }
    }
    cairo_destroy(cr);
  }
}

const std::vector<std::u16string>& Texts() {
  static const std::vector<std::u16string> texts = {
      u"Install",
      u"Browse...",
      u"Desktop shortcut",
      u"Start menu",
      u"Close",
      u"\u5B89\u88C5",
      u"\u6D4F\u89C8",
      u"\u521B\u5EFA\u684C\u9762\u5FEB\u6377\u65B9\u5F0F",
      u"\u5B89\u88C5\u8DEF\u5F84",
      u"\u6B63\u5728\u5B89\u88C5 42%"};
  return texts;
}

void OursDrawText(benchmark::State& state) {
  Target dst;
  LOGFONTW lf{};
  lf.lfHeight = -12;
  lf.lfWeight = FW_NORMAL;
  const char16_t face[] = u"\u5FAE\u8F6F\u96C5\u9ED1";
  for (int i = 0; face[i]; ++i) lf.lfFaceName[i] = face[i];
  HFONT font = CreateFontIndirectW(&lf);
  HGDIOBJ old = SelectObject(dst.dc, font);
  SetBkMode(dst.dc, TRANSPARENT);
  SetTextColor(dst.dc, RGB(40, 40, 40));
  const auto& texts = Texts();
  for (auto _ : state) {
    for (int i = 0; i < 100; ++i) {
      RECT r{10 + (i % 4) * 120, 10 + (i / 4) * 13, 130 + (i % 4) * 120, 23 + (i / 4) * 13};
      const std::u16string& t = texts[i % texts.size()];
      DrawTextW(dst.dc, t.data(), static_cast<int>(t.size()), &r,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
  }
  SelectObject(dst.dc, old);
  DeleteObject(font);
}

void RawDrawText(benchmark::State& state) {
  Target dst;
  PangoFontMap* map = pango_cairo_font_map_new();
  PangoContext* context = pango_font_map_create_context(map);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  pango_cairo_context_set_font_options(context, options);
  PangoFontDescription* desc = pango_font_description_from_string(
      "\xE5\xBE\xAE\xE8\xBD\xAF\xE9\x9B\x85\xE9\xBB\x91,sans-serif");
  pango_font_description_set_absolute_size(desc, 12 * PANGO_SCALE);
  std::vector<std::string> texts;
  for (const auto& t : Texts()) texts.push_back(Platform::Utf16ToUtf8(t));
  for (auto _ : state) {
    for (int i = 0; i < 100; ++i) {
      // the same work: convert, lay out, measure for vertical centring, draw clipped
      const std::string& t = texts[i % texts.size()];
      cairo_t* cr = cairo_create(dst.surface);
      int x = 10 + (i % 4) * 120, y = 10 + (i / 4) * 13;
      cairo_rectangle(cr, x, y, 120, 13);
      cairo_clip(cr);
      PangoLayout* layout = pango_layout_new(context);
      pango_layout_set_font_description(layout, desc);
      pango_layout_set_text(layout, t.data(), static_cast<int>(t.size()));
      PangoRectangle logical;
      pango_layout_get_pixel_extents(layout, nullptr, &logical);
      cairo_set_source_rgb(cr, 40 / 255.0, 40 / 255.0, 40 / 255.0);
      cairo_move_to(cr, x, y + (13 - logical.height) / 2);
      pango_cairo_show_layout(cr, layout);
      g_object_unref(layout);
      cairo_destroy(cr);
    }
  }
  pango_font_description_free(desc);
  cairo_font_options_destroy(options);
  g_object_unref(context);
  g_object_unref(map);
}

}  // namespace

BENCHMARK(OursBitBlt)->Name("Ours/BitBlt");
BENCHMARK(RawBitBlt)->Name("Raw/BitBlt");
BENCHMARK(OursAlphaBlend)->Name("Ours/AlphaBlend");
BENCHMARK(RawAlphaBlend)->Name("Raw/AlphaBlend");
BENCHMARK(OursStretchBlt)->Name("Ours/StretchBltHalftone2x");
BENCHMARK(RawStretchBlt)->Name("Raw/StretchBltHalftone2x");
BENCHMARK(OursGradientFill)->Name("Ours/GradientFill");
BENCHMARK(RawGradientFill)->Name("Raw/GradientFill");
BENCHMARK(OursNinePiece)->Name("Ours/NinePieceImage");
BENCHMARK(RawNinePiece)->Name("Raw/NinePieceImage");
BENCHMARK(OursDrawText)->Name("Ours/DrawText100");
BENCHMARK(RawDrawText)->Name("Raw/DrawText100");

BENCHMARK_MAIN();

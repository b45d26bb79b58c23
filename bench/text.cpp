// A 20-line rich-text block with bold, colour and link tags: our layout engine through the GDI
// layer beside pango markup of the same text drawn with raw pango, named
// RichText/ours and RichText/pango; bench/text.sh turns them into a ratio.

#include <benchmark/benchmark.h>
#include <cairo.h>
#include <pango/pangocairo.h>

#include <string>

#include "Core/UIBase.h"
#include "Core/UIManager.h"
#include "Core/UIRender.h"

using namespace SkinUI;

namespace {

constexpr int kW = 518, kH = 345;

class BenchWindow : public CWindowWnd {
 public:
  CPaintManagerUI pm;

 protected:
  LPCWSTR WindowClassName() const override { return TEXT("SkinUIBenchText"); }
  LRESULT OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override {
    if (uMsg == WM_CREATE) pm.AttachWindow(Handle());
    return DefaultProcessing(uMsg, wParam, lParam);
  }
};

struct Target {
  Target() {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), kW, -kH, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    dc = CreateCompatibleDC(nullptr);
    old = SelectObject(dc, bitmap);
    surface = cairo_image_surface_create_for_data(static_cast<unsigned char*>(bits),
                                                  CAIRO_FORMAT_ARGB32, kW, kH, kW * 4);
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

// The same 20 lines in our tags and in pango's.
std::u16string OurMarkup() {
  std::u16string s;
  for (int i = 0; i < 20; ++i) {
    if (i) s += u"\n";
    s += u"Line " + std::u16string(1, char16_t(u'A' + i)) +
         u": <b>bold words</b> and <c #C00000>coloured text</c> with <a l>a link here</a> end.";
  }
  return s;
}

std::string PangoMarkup() {
  std::string s;
  for (int i = 0; i < 20; ++i) {
    if (i) s += "\n";
    s += "Line " + std::string(1, char('A' + i)) +
         ": <b>bold words</b> and <span foreground=\"#C00000\">coloured text</span> with "
         "<span foreground=\"#0000FF\" underline=\"single\">a link here</span> end.";
  }
  return s;
}

BenchWindow& Window() {
  static BenchWindow* w = [] {
    auto* wnd = new BenchWindow;
    wnd->Create(nullptr, TEXT("bench"), WS_POPUP, 0, 0, 0, kW, kH);
    return wnd;
  }();
  return *w;
}

void OursRichText(benchmark::State& state) {
  Target t;
  CPaintManagerUI& pm = Window().pm;
  const std::u16string text = OurMarkup();
  RECT links[8];
  CUIString names[8];
  for (auto _ : state) {
    RECT rc = {0, 0, kW, kH};
    int count = 8;
    CDrawEngine::DrawMarkupText(t.dc, &pm, rc, text.c_str(), 0xFF000000, links, names, count,
                                DT_WORDBREAK);
    benchmark::DoNotOptimize(count);
  }
}

void RawRichText(benchmark::State& state) {
  Target t;
  const TFontEntry& font = Window().pm.DefaultFont();
  const std::string markup = PangoMarkup();
  PangoFontDescription* desc = pango_font_description_new();
  const std::u16string face(font.sFontName.GetData());
  pango_font_description_set_family(desc, std::string(face.begin(), face.end()).c_str());
  pango_font_description_set_absolute_size(desc, font.iSize * PANGO_SCALE);
  for (auto _ : state) {
    cairo_t* cr = cairo_create(t.surface);
    PangoLayout* layout = pango_cairo_create_layout(cr);
    pango_layout_set_font_description(layout, desc);
    pango_layout_set_width(layout, kW * PANGO_SCALE);
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
    pango_layout_set_markup(layout, markup.c_str(), static_cast<int>(markup.size()));
    cairo_set_source_rgb(cr, 0, 0, 0);
    pango_cairo_show_layout(cr, layout);
    g_object_unref(layout);
    cairo_destroy(cr);
  }
  pango_font_description_free(desc);
}

BENCHMARK(OursRichText)->Name("RichText/ours");
BENCHMARK(RawRichText)->Name("RichText/pango");

}  // namespace

BENCHMARK_MAIN();

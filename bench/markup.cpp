// Skin markup parsing beside pugixml and expat on the same generated 1 MB skin document, and the
// loading of a skin archive's images. Prints Google Benchmark's table, then a summary whose last
// line is "ratio <x.xx>": our parse time over pugixml's, the worse of the two comparisons.
#include <benchmark/benchmark.h>
#include <expat.h>
#include <minizip/zip.h>

#include <pugixml.hpp>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wsign-compare"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "Core/SkinMarkup.h"
#include "Core/UIManager.h"
#include "Core/UIRender.h"
#include "Platform/Win32.h"

using namespace SkinUI;

namespace {

std::string g_utf8;
std::u16string g_utf16;

// A skin-like document: resource elements, then nested layouts of controls with many
// attributes, entities in values and some element text.
std::string MakeSkinDocument(size_t targetBytes) {
  std::mt19937 random(7);
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  static const char* const kControls[] = {"Button", "Label", "Option", "Edit", "Progress", "Text"};
  static const char* const kLayouts[] = {"VerticalLayout", "HorizontalLayout", "TabLayout"};
  std::string out =
      "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\" ?>\n<!-- generated skin -->\n"
      "<Window size=\"518,345\" sizebox=\"4,4,6,6\" caption=\"0,0,0,70\" roundcorner=\"6,6\">\n";
  for (int i = 0; i < 8; ++i)
    out += "  <Font name=\"DejaVu Sans\" size=\"" + std::to_string(10 + i) + "\" bold=\"" +
           (i % 2 ? "true" : "false") + "\" />\n";
  out +=
      "  <Default name=\"Button\" value=\"textcolor=&quot;#FF000000&quot; font=&quot;0&quot;\" "
      "/>\n";
  int id = 0;
  std::vector<std::string> open;
  auto indent = [&] { return std::string(2 * (open.size() + 1), ' '); };
  while (out.size() < targetBytes) {
    if (open.size() < 2 || (open.size() < 7 && pick(4) == 0)) {
      const char* layout = kLayouts[pick(3)];
      out += indent() + "<" + layout + " name=\"layout" + std::to_string(id++) +
             "\" padding=\"2,2,2,2\" bkcolor=\"#FF" + std::to_string(100000 + pick(899999)) +
             "\" inset=\"4,4,4,4\">\n";
      open.push_back(layout);
    } else if (open.size() > 2 && pick(6) == 0) {
      const std::string tag = open.back();
      open.pop_back();
      out += indent() + "</" + tag + ">\n";
    } else {
      const char* control = kControls[pick(6)];
      const std::string number = std::to_string(id++);
      out += indent() + "<" + control + " name=\"ctl_" + number + "\" text=\"Item " + number +
             " &amp; more &lt;b&gt;\" tooltip=\"Say &quot;hi&quot;\"" + " pos=\"" +
             std::to_string(pick(500)) + "," + std::to_string(pick(300)) + ",0,0\" width=\"" +
             std::to_string(20 + pick(200)) + "\" height=\"" + std::to_string(10 + pick(40)) +
             "\" normalimage=\"file='btn.png' source='0,0,90,30'" +
             " corner='4,4,4,4'\" hotimage=\"file='btn.png' source='0,30,90,60'\"" +
             " textcolor=\"#FF333333\" font=\"" + std::to_string(pick(8)) + "\"";
      out += pick(3) == 0 ? ">caption text</" + std::string(control) + ">\n" : " />\n";
    }
  }
  while (!open.empty()) {
    const std::string tag = open.back();
    open.pop_back();
    out += indent() + "</" + tag + ">\n";
  }
  out += "</Window>\n";
  return out;
}

std::u16string ToUtf16(const std::string& utf8) {
  std::u16string out(utf8.size(), u'\0');
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                    out.data(), static_cast<int>(out.size()));
  out.resize(static_cast<size_t>(n));
  return out;
}

void SetThroughput(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(g_utf8.size()));
}

void SkinMarkupUtf16(benchmark::State& state) {
  for (auto _ : state) {
    CSkinMarkup markup;
    if (!markup.LoadText(g_utf16.c_str())) state.SkipWithError("parse failed");
    benchmark::DoNotOptimize(markup.GetRoot().GetName());
  }
  SetThroughput(state);
}

void SkinMarkupUtf8(benchmark::State& state) {
  std::vector<BYTE> bytes(g_utf8.begin(), g_utf8.end());
  for (auto _ : state) {
    CSkinMarkup markup;
    if (!markup.LoadBytes(bytes.data(), static_cast<DWORD>(bytes.size())))
      state.SkipWithError("parse failed");
    benchmark::DoNotOptimize(markup.GetRoot().GetName());
  }
  SetThroughput(state);
}

void PugixmlUtf16InSitu(benchmark::State& state) {
  std::u16string work(g_utf16.size(), u'\0');
  const size_t bytes = g_utf16.size() * sizeof(char16_t);
  for (auto _ : state) {
    std::memcpy(work.data(), g_utf16.data(), bytes);
    pugi::xml_document document;
    if (!document.load_buffer_inplace(work.data(), bytes, pugi::parse_default,
                                      pugi::encoding_utf16_le))
      state.SkipWithError("parse failed");
    benchmark::DoNotOptimize(document.first_child().name());
  }
  SetThroughput(state);
}

void PugixmlUtf8InSitu(benchmark::State& state) {
  std::string work(g_utf8.size(), '\0');
  for (auto _ : state) {
    std::memcpy(work.data(), g_utf8.data(), g_utf8.size());
    pugi::xml_document document;
    if (!document.load_buffer_inplace(work.data(), work.size(), pugi::parse_default,
                                      pugi::encoding_utf8))
      state.SkipWithError("parse failed");
    benchmark::DoNotOptimize(document.first_child().name());
  }
  SetThroughput(state);
}

void XMLCALL CountElement(void* counter, const XML_Char*, const XML_Char** attributes) {
  auto* count = static_cast<size_t*>(counter);
  ++*count;
  while (*attributes) attributes += 2, ++*count;
}

void ExpatUtf8(benchmark::State& state) {
  for (auto _ : state) {
    size_t count = 0;
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_SetUserData(parser, &count);
    XML_SetStartElementHandler(parser, CountElement);
    if (XML_Parse(parser, g_utf8.data(), static_cast<int>(g_utf8.size()), 1) != XML_STATUS_OK)
      state.SkipWithError("parse failed");
    XML_ParserFree(parser);
    benchmark::DoNotOptimize(count);
  }
  SetThroughput(state);
}

std::string g_imageZip;
std::vector<std::u16string> g_imageNames;

void AppendBytes(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                             static_cast<size_t>(size));
}

// A skin-like picture: a diagonal colour gradient with soft, partly transparent edges.
std::string MakePng(int width, int height, int seed) {
  std::vector<unsigned char> rgba(static_cast<size_t>(width) * height * 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      unsigned char* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
      const int edge = std::min(std::min(x, width - 1 - x), std::min(y, height - 1 - y));
      p[0] = static_cast<unsigned char>((x * 255 / width + seed * 37) & 0xFF);
      p[1] = static_cast<unsigned char>((y * 255 / height + seed * 91) & 0xFF);
      p[2] = static_cast<unsigned char>(((x + y) * 127 / (width + height) + seed * 13) & 0xFF);
      p[3] = static_cast<unsigned char>(edge >= 4 ? 255 : 60 * edge + 15);
    }
  }
  std::string png;
  stbi_write_png_to_func(AppendBytes, &png, width, height, 4, rgba.data(), width * 4);
  return png;
}

// Thirty images (icons, buttons, bars, backgrounds) deflated into one zip, read back into memory.
void MakeImageArchive() {
  static const int kSizes[][2] = {{16, 16}, {24, 24},  {32, 32},  {48, 48},   {64, 64},
                                  {90, 30}, {120, 36}, {300, 12}, {128, 128}, {518, 345}};
  const std::string path =
      (std::filesystem::temp_directory_path() / "skinui-bench-images.zip").string();
  zipFile zip = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
  for (int i = 0; i < 30; ++i) {
    const std::string name = "images/picture" + std::to_string(i) + ".png";
    const std::string png = MakePng(kSizes[i % 10][0], kSizes[i % 10][1], i);
    zip_fileinfo info = {};
    zipOpenNewFileInZip(zip, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED, 6);
    zipWriteInFileInZip(zip, png.data(), static_cast<unsigned>(png.size()));
    zipCloseFileInZip(zip);
    g_imageNames.push_back(std::u16string(name.begin(), name.end()));
  }
  zipClose(zip, nullptr);
  std::ifstream in(path, std::ios::binary);
  g_imageZip.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  std::filesystem::remove(path);
}

void SkinArchiveImages30(benchmark::State& state) {
  CPaintManagerUI::SetResourceZipBuffer(g_imageZip.data(),
                                        static_cast<unsigned>(g_imageZip.size()));
  for (auto _ : state) {
    for (const std::u16string& name : g_imageNames) {
      TImageEntry* image = CDrawEngine::LoadSkinImage(name.c_str(), nullptr, 0);
      if (!image) state.SkipWithError("image failed");
      CDrawEngine::FreeSkinImage(image);
    }
  }
}

// Keeps each benchmark's CPU time per iteration (ms) for the summary: the median when the runs
// are repeated. CPU time, because the machine is shared and wall time counts the waits too.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  SummaryReporter() : ConsoleReporter(OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const std::string& name = run.run_name.function_name;
      if (run.run_type == Run::RT_Iteration && !m_medians.count(name)) {
        m_times[name] = run.GetAdjustedCPUTime();
      } else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
        m_times[name] = run.GetAdjustedCPUTime();
        m_medians.insert(name);
      }
    }
  }
  double Time(const std::string& name) const {
    auto it = m_times.find(name);
    return it == m_times.end() ? 0 : it->second;
  }

 private:
  std::map<std::string, double> m_times;
  std::set<std::string> m_medians;
};

double MegabytesPerSecond(double milliseconds) {
  return milliseconds > 0 ? static_cast<double>(g_utf8.size()) / 1e6 / (milliseconds / 1e3) : 0;
}

void PrintSummary(const SummaryReporter& reporter) {
  const char* const names[] = {"SkinMarkupUtf16", "PugixmlUtf16InSitu", "SkinMarkupUtf8",
                               "PugixmlUtf8InSitu", "ExpatUtf8"};
  std::printf("\ndocument: %zu bytes UTF-8, %zu UTF-16 characters\n", g_utf8.size(),
              g_utf16.size());
  std::printf("%-22s %10s %10s\n", "parser", "CPU ms", "MB/s");
  for (const char* name : names) {
    const double ms = reporter.Time(name);
    std::printf("%-22s %10.3f %10.1f\n", name, ms, MegabytesPerSecond(ms));
  }
  const double utf16 = reporter.Time("SkinMarkupUtf16") / reporter.Time("PugixmlUtf16InSitu");
  const double utf8 = reporter.Time("SkinMarkupUtf8") / reporter.Time("PugixmlUtf8InSitu");
  const double expat = reporter.Time("SkinMarkupUtf8") / reporter.Time("ExpatUtf8");
  std::printf("ours/pugixml UTF-16 in situ: %.2f\n", utf16);
  std::printf("ours/pugixml UTF-8 in situ:  %.2f\n", utf8);
  std::printf("ours/expat UTF-8:            %.2f\n", expat);
  std::printf("skin archive of %zu PNGs (%zu bytes), all loaded and decoded: %.2f ms\n",
              g_imageNames.size(), g_imageZip.size(), reporter.Time("SkinArchiveImages30"));
  std::printf("ratio %.2f\n", utf16 > utf8 ? utf16 : utf8);
}

}  // namespace

BENCHMARK(SkinMarkupUtf16)->Unit(benchmark::kMillisecond);
BENCHMARK(PugixmlUtf16InSitu)->Unit(benchmark::kMillisecond);
BENCHMARK(SkinMarkupUtf8)->Unit(benchmark::kMillisecond);
BENCHMARK(PugixmlUtf8InSitu)->Unit(benchmark::kMillisecond);
BENCHMARK(ExpatUtf8)->Unit(benchmark::kMillisecond);
BENCHMARK(SkinArchiveImages30)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  g_utf8 = MakeSkinDocument(1 << 20);
  g_utf16 = ToUtf16(g_utf8);
  MakeImageArchive();
  benchmark::Initialize(&argc, argv);
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintSummary(reporter);
  benchmark::Shutdown();
  return 0;
}

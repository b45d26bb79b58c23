// CUIString and CStringMapUI beside std::u16string and std::unordered_map doing the same work.
// Each comparison is registered as "<work>/ours" and "<work>/std"; bench/strings.sh pairs them.
#include <benchmark/benchmark.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "Utils/Utils.h"

using SkinUI::CStringMapUI;
using SkinUI::CUIString;

namespace {

const std::u16string kShortA = u"btn_install";
const std::u16string kShortB = u"VerticalLayout";
const std::u16string kLongA = std::u16string(180, u'a') + u"\\Halvane\\PlayCrate.exe";
const std::u16string kLongB = std::u16string(190, u'b') + u"\\Halvane\\Uninstall.exe";
const std::u16string kPiece = u"x=\"12\" ";  // 7 units, like an attribute in markup

// Control names of the kind skins use: "btn_install", "edit_path", "Progress_setup", ...
std::vector<std::u16string> ControlNames() {
  const char16_t* prefixes[] = {u"btn", u"edit",  u"opt",  u"lbl", u"Progress",
                                u"chk", u"Combo", u"list", u"tab", u"slider"};
  const char16_t* suffixes[] = {u"install",  u"path",    u"setup",     u"close",   u"min",
                                u"browse",   u"desktop", u"startmenu", u"taskbar", u"browser",
                                u"reminder", u"title",   u"logo",      u"agree",   u"license",
                                u"back",     u"next",    u"cancel",    u"finish",  u"space"};
  std::vector<std::u16string> names;
  for (const char16_t* p : prefixes) {
    for (const char16_t* s : suffixes) names.push_back(std::u16string(p) + u"_" + s);
  }
  return names;
}

const std::vector<std::u16string>& Names() {
  static const std::vector<std::u16string> names = ControlNames();
  return names;
}

LPVOID Value(size_t i) { return reinterpret_cast<LPVOID>(i + 1); }

// Assigning alternately two texts into one string.
template <typename Str>
void Assign(benchmark::State& state, const std::u16string& a, const std::u16string& b) {
  Str s;
  for (auto _ : state) {
    s = a.c_str();
    benchmark::DoNotOptimize(s);
    s = b.c_str();
    benchmark::DoNotOptimize(s);
  }
}

// Building a fresh string from `pieces` pieces, as a builder or formatter does.
template <typename Str>
void Append(benchmark::State& state, int pieces) {
  for (auto _ : state) {
    Str s;
    for (int i = 0; i < pieces; ++i) s += kPiece.c_str();
    benchmark::DoNotOptimize(s);
  }
}

void MapInsertOurs(benchmark::State& state) {
  const auto& names = Names();
  for (auto _ : state) {
    CStringMapUI map(83);
    for (size_t i = 0; i < names.size(); ++i) map.Insert(names[i].c_str(), Value(i));
    benchmark::DoNotOptimize(map.GetSize());
  }
}

void MapInsertStd(benchmark::State& state) {
  const auto& names = Names();
  for (auto _ : state) {
    std::unordered_map<std::u16string, void*> map;
    for (size_t i = 0; i < names.size(); ++i) map.emplace(names[i], Value(i));
    benchmark::DoNotOptimize(map.size());
  }
}

void MapFindOurs(benchmark::State& state) {
  const auto& names = Names();
  CStringMapUI map(83);
  for (size_t i = 0; i < names.size(); ++i) map.Insert(names[i].c_str(), Value(i));
  for (auto _ : state) {
    for (const auto& name : names) benchmark::DoNotOptimize(map.Find(name.c_str()));
  }
}

void MapFindStd(benchmark::State& state) {
  const auto& names = Names();
  std::unordered_map<std::u16string, void*> map;
  for (size_t i = 0; i < names.size(); ++i) map.emplace(names[i], Value(i));
  for (auto _ : state) {
    for (const auto& name : names) benchmark::DoNotOptimize(map.find(name));
  }
}

// Lets std::u16string take the same `s = text` and `s += text` spelling as CUIString.
struct StdString : std::u16string {
  StdString& operator=(const char16_t* text) {
    assign(text);
    return *this;
  }
  StdString& operator+=(const char16_t* text) {
    append(text);
    return *this;
  }
};

void Register(const char* name, void (*fn)(benchmark::State&)) {
  benchmark::RegisterBenchmark(name, fn);
}

}  // namespace

int main(int argc, char** argv) {
  Register("assign_short/ours",
           [](benchmark::State& s) { Assign<CUIString>(s, kShortA, kShortB); });
  Register("assign_short/std", [](benchmark::State& s) { Assign<StdString>(s, kShortA, kShortB); });
  Register("assign_long/ours", [](benchmark::State& s) { Assign<CUIString>(s, kLongA, kLongB); });
  Register("assign_long/std", [](benchmark::State& s) { Assign<StdString>(s, kLongA, kLongB); });
  Register("append_short/ours", [](benchmark::State& s) { Append<CUIString>(s, 6); });
  Register("append_short/std", [](benchmark::State& s) { Append<StdString>(s, 6); });
  Register("append_long/ours", [](benchmark::State& s) { Append<CUIString>(s, 40); });
  Register("append_long/std", [](benchmark::State& s) { Append<StdString>(s, 40); });
  Register("map_insert/ours", MapInsertOurs);
  Register("map_insert/std", MapInsertStd);
  Register("map_find/ours", MapFindOurs);
  Register("map_find/std", MapFindStd);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

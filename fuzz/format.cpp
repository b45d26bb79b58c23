// Builds a format text and its arguments from the input and checks that the bounded formatters
// never write past the buffer, always terminate, and agree with each other.
//
// The arguments have a fixed shape (int, wide text, unsigned, narrow text, pointer,
// pointer-sized integer, ...), and every directive that consumes an argument is built to match the
// type of the argument it will consume, so the formatter is only ever handed what it asks for.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "Platform/Win32.h"

namespace {

constexpr WCHAR kGuard = 0xA5A5;
constexpr size_t kGuardUnits = 32;

enum class Kind { Int, Unsigned, Wide, Narrow, Pointer, PointerSized };
constexpr Kind kShape[] = {Kind::Int,      Kind::Wide,         Kind::Unsigned, Kind::Narrow,
                           Kind::Pointer,  Kind::PointerSized, Kind::Int,      Kind::Wide,
                           Kind::Unsigned, Kind::Narrow,       Kind::Int,      Kind::Wide};
constexpr size_t kArgs = sizeof(kShape) / sizeof(kShape[0]);

class Input {
 public:
  Input(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
  bool Empty() const { return m_pos >= m_size; }
  uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
  uint32_t Word() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = (v << 8) | Byte();
    return v;
  }
  WCHAR Unit() {
    uint8_t lo = Byte();
    uint8_t hi = Byte();
    return static_cast<WCHAR>(lo | (hi << 8));
  }

 private:
  const uint8_t* m_data;
  size_t m_size;
  size_t m_pos = 0;
};

const char16_t* Pick(Input& in, std::initializer_list<const char16_t*> choices) {
  return choices.begin()[in.Byte() % choices.size()];
}

// Flags, width and precision, sometimes huge.
void AppendFieldOptions(Input& in, std::u16string& f) {
  uint8_t b = in.Byte();
  if (b & 1) f += u'-';
  if (b & 2) f += u'#';
  if (b & 4) f += u'0';
  if (b & 8)
    f += std::u16string(
        Pick(in, {u"1", u"7", u"63", u"300", u"1024", u"2147483647", u"99999999999"}));
  if (b & 16) f += u'.';
  if (b & 32) f += std::u16string(Pick(in, {u"0", u"2", u"40", u"1100", u"4294967296"}));
}

// A directive that consumes exactly one argument of the given kind.
std::u16string Directive(Input& in, Kind kind) {
  std::u16string f = u"%";
  AppendFieldOptions(in, f);
  switch (kind) {
    case Kind::Int:
      f += Pick(in, {u"d", u"i", u"c", u"C", u"ld", u"li", u"hd", u"hc", u"lc", u"wc"});
      break;
    case Kind::Unsigned:
      f += Pick(in, {u"u", u"x", u"X", u"lu", u"lx", u"lX", u"hu", u"hx"});
      break;
    case Kind::Wide: f += Pick(in, {u"s", u"ls", u"ws", u"lS"}); break;
    case Kind::Narrow: f += Pick(in, {u"hs", u"S", u"hS"}); break;
    case Kind::Pointer: f += u"p"; break;
    case Kind::PointerSized: f += Pick(in, {u"Ix", u"IX", u"Id", u"Iu"}); break;
  }
  return f;
}

// Text that consumes no argument: literal units, "%%", directives of no known type, a '%' at
// the very end.
std::u16string Filler(Input& in) {
  switch (in.Byte() % 4) {
    case 0: {
      std::u16string t;
      for (int n = in.Byte() % 8; n > 0; --n) {
        WCHAR c = in.Unit();
        if (c == 0 || c == u'%') c = u'.';
        t += c;
      }
      return t;
    }
    case 1: return u"%%";
    case 2: {
      std::u16string f = u"%";
      AppendFieldOptions(in, f);
      return f + Pick(in, {u"y", u"q", u"*", u"+", u" ", u"l%", u"hz", u"I%"});
    }
    default: return u"\u5B89\u88C5";
  }
}

struct Arguments {
  int ints[kArgs] = {};
  unsigned uints[kArgs] = {};
  std::u16string wide[kArgs];
  std::string narrow[kArgs];
  uintptr_t sized[kArgs] = {};
};

void FillArguments(Input& in, Arguments& a) {
  for (size_t i = 0; i < kArgs; ++i) {
    a.uints[i] = in.Word();
    a.ints[i] = static_cast<int>(a.uints[i]);
    a.sized[i] = static_cast<uintptr_t>(in.Word()) * 0x10001u;
    for (int n = in.Byte() % 48; n > 0; --n) {
      a.wide[i] += static_cast<WCHAR>(in.Unit() | 1);  // never 0
      a.narrow[i] += static_cast<char>(in.Byte() | 1);
    }
  }
}

bool Terminated(const WCHAR* buffer, size_t size) {
  for (size_t i = 0; i < size; ++i) {
    if (buffer[i] == 0) return true;
  }
  return false;
}

bool GuardIntact(const std::vector<WCHAR>& buffer, size_t size) {
  for (size_t i = size; i < buffer.size(); ++i) {
    if (buffer[i] != kGuard) return false;
  }
  return true;
}

// Calls fn(buffer, format, args...) with the fixed argument shape.
template <typename Fn>
int Call(Fn fn, const Arguments& a, const WCHAR* format) {
  const WCHAR* w[kArgs];
  const char* n[kArgs];
  for (size_t i = 0; i < kArgs; ++i) {
    w[i] = (a.ints[i] & 0xFF) == 0x5A ? nullptr : a.wide[i].c_str();
    n[i] = (a.ints[i] & 0xFF) == 0xA5 ? nullptr : a.narrow[i].c_str();
  }
  return fn(format, a.ints[0], w[1], a.uints[2], n[3], static_cast<const void*>(w[4]), a.sized[5],
            a.ints[6], w[7], a.uints[8], n[9], a.ints[10], w[11]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in(data, size);
  Arguments args;
  FillArguments(in, args);
  const size_t cch = static_cast<size_t>(in.Byte() | ((in.Byte() & 3) << 8)) + (in.Byte() & 1);

  std::u16string format;
  size_t consumed = 0;
  while (!in.Empty() && format.size() < 2000) {
    if ((in.Byte() & 1) && consumed < kArgs) {
      format += Directive(in, kShape[consumed++]);
    } else {
      format += Filler(in);
    }
  }
  if (in.Byte() & 1) format += u'%';

  std::vector<WCHAR> bounded(cch + kGuardUnits, kGuard);
  int nBounded =
      Call([&](const WCHAR* f,
               auto... v) { return wnsprintfW(bounded.data(), static_cast<int>(cch), f, v...); },
           args, format.c_str());
  if (!GuardIntact(bounded, cch)) std::abort();
  if (cch == 0) {
    if (nBounded != -1 || bounded[0] != kGuard) std::abort();
    return 0;
  }
  if (!Terminated(bounded.data(), cch)) std::abort();
  std::u16string shortText(bounded.data());
  if (nBounded != -1 && nBounded != static_cast<int>(shortText.size())) std::abort();

  std::vector<WCHAR> full(1025 + kGuardUnits, kGuard);
  int nFull = Call([&](const WCHAR* f, auto... v) { return wsprintfW(full.data(), f, v...); }, args,
                   format.c_str());
  if (!GuardIntact(full, 1025) || !Terminated(full.data(), 1025)) std::abort();
  std::u16string longText(full.data());
  // A result that fills the 1024-unit buffer keeps 1023 characters and answers 1024.
  const bool cut = nFull == 1024;
  if (cut ? longText.size() != 1023 : nFull != static_cast<int>(longText.size()) || nFull > 1023)
    std::abort();

  // Both see the same output; each keeps as much of it as fits.
  if (longText.compare(0, shortText.size(), shortText) != 0) std::abort();
  if (nBounded >= 0 && nBounded < 1024 && shortText != longText) std::abort();
  return 0;
}

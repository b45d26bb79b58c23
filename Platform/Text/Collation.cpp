// lstrcmpW and lstrcmpiW: linguistic comparison in the manner of Windows' word sort.
//
// Each string becomes a list of collation elements compared level by level, the first level
// that differs deciding:
//   1. base characters: symbols (punctuation, spaces, controls) before digits before letters;
//      letters by their lower-case base letter with diacritics removed, so "a" < "B" < "é" < "f";
//   2. diacritics, left to right: "e" < "é"; a combining mark belongs to the character before
//      it, so "A" + U+030A equals "Å";
//   3. case (lower before upper, "ab" < "aB" < "Ab") and width (full-width after normal);
//      lstrcmpiW skips this level;
//   4. hyphens and apostrophes, which the word sort leaves out of the levels above: "coop" <
//      "co-op" < "cop". They are compared by position and then by character.
// "ß" counts as "ss". A null string sorts before every other, the empty one included.
// What differs from Windows: symbols are ordered by code point (Windows has its own order for
// punctuation), letters of one script by the code point of their lower-case base letter, and
// there are no other expansions, contractions or locale tailoring.
#include <glib.h>

#include <string_view>
#include <tuple>
#include <vector>

#include "Platform/Win32.h"

namespace Platform {
namespace {

enum class Kind { Symbol, Digit, Letter };

struct Element {
  Kind kind = Kind::Symbol;
  gunichar base = 0;  // level 1
  gunichar mark = 0;  // level 2: the diacritic, 0 for none
  int tertiary = 0;   // level 3: 1 for upper case, +2 for full width
};

struct Ignored {
  size_t position;
  char16_t ch;
  bool operator<(const Ignored& o) const {
    return std::tie(position, ch) < std::tie(o.position, o.ch);
  }
};

struct Key {
  std::vector<Element> elements;
  std::vector<Ignored> ignored;
};

bool IsWordSortIgnored(char16_t c) { return c == u'-' || c == u'\''; }

bool IsCombiningMark(gunichar c) {
  GUnicodeType t = g_unichar_type(c);
  return t == G_UNICODE_NON_SPACING_MARK || t == G_UNICODE_ENCLOSING_MARK ||
         t == G_UNICODE_SPACING_MARK;
}

Element ElementOf(gunichar c) {
  Element e;
  if (c >= 0xFF01 && c <= 0xFF5E) {  // full-width forms of ASCII
    c -= 0xFEE0;
    e.tertiary = 2;
  }
  gunichar base = c, mark = 0;
  if (g_unichar_decompose(c, &base, &mark) && !IsCombiningMark(mark)) {
    base = c;  // a compatibility or Hangul decomposition, not a letter with a mark
    mark = 0;
  }
  if (g_unichar_isupper(base) || g_unichar_istitle(base)) e.tertiary += 1;
  if (g_unichar_isdigit(base)) {
    e.kind = Kind::Digit;
    e.base = static_cast<gunichar>(g_unichar_digit_value(base));
  } else if (g_unichar_isalpha(base)) {
    e.kind = Kind::Letter;
    e.base = g_unichar_tolower(base);
  } else {
    e.kind = Kind::Symbol;
    e.base = base;
  }
  e.mark = mark;
  return e;
}

Key KeyOf(std::u16string_view s) {
  Key key;
  for (size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (IsWordSortIgnored(c)) {
      key.ignored.push_back({i, c});
    } else if (IsCombiningMark(c) && !key.elements.empty() && key.elements.back().mark == 0) {
      key.elements.back().mark = c;
    } else if (c == u'\u00DF') {  // sharp s sorts as "ss"
      key.elements.push_back(ElementOf(u's'));
      key.elements.push_back(ElementOf(u's'));
    } else {
      key.elements.push_back(ElementOf(c));
    }
  }
  return key;
}

template <class T>
int Sign(const T& a, const T& b) {
  return (b < a) - (a < b);
}

// Compares one level of two element lists; a list that is a prefix of the other sorts first.
template <class Level>
int CompareLevel(const std::vector<Element>& a, const std::vector<Element>& b, Level level) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i)
    if (int d = Sign(level(a[i]), level(b[i]))) return d;
  return Sign(a.size(), b.size());
}

int Collate(LPCWSTR a, LPCWSTR b, bool withCase) {
  if (!a || !b) return a ? 1 : b ? -1 : 0;
  const Key ka = KeyOf(a), kb = KeyOf(b);
  if (int d = CompareLevel(ka.elements, kb.elements, [](const Element& e) {
        return std::make_pair(static_cast<int>(e.kind), e.base);
      }))
    return d;
  if (int d = CompareLevel(ka.elements, kb.elements, [](const Element& e) { return e.mark; }))
    return d;
  auto tertiary = [withCase](const Element& e) { return withCase ? e.tertiary : e.tertiary & 2; };
  if (int d = CompareLevel(ka.elements, kb.elements, tertiary)) return d;
  return Sign(ka.ignored, kb.ignored);
}

}  // namespace
}  // namespace Platform

int WINAPI lstrcmpW(LPCWSTR lpString1, LPCWSTR lpString2) {
  return Platform::Collate(lpString1, lpString2, true);
}

int WINAPI lstrcmpiW(LPCWSTR lpString1, LPCWSTR lpString2) {
  return Platform::Collate(lpString1, lpString2, false);
}

#include <gtest/gtest.h>

#include <climits>
#include <cstdarg>
#include <string>
#include <vector>

#include "Platform/Text/Utf.h"
#include "Platform/Win32.h"

namespace {

constexpr WCHAR kGuard = 0xBEEF;
constexpr size_t kGuardUnits = 64;

// A buffer of `size` units followed by a guard region that must survive every call.
class GuardedBuffer {
 public:
  explicit GuardedBuffer(size_t size) : m_size(size), m_units(size + kGuardUnits, kGuard) {}
  WCHAR* Data() { return m_units.data(); }
  std::u16string Text() const { return std::u16string(m_units.data()); }
  bool GuardIntact() const {
    for (size_t i = m_size; i < m_units.size(); ++i) {
      if (m_units[i] != kGuard) return false;
    }
    return true;
  }
  bool Untouched() const {
    for (WCHAR u : m_units) {
      if (u != kGuard) return false;
    }
    return true;
  }

 private:
  size_t m_size;
  std::vector<WCHAR> m_units;
};

// wsprintfW into a buffer of the documented maximum size; checks the count and the guard.
std::u16string Wsprintf(LPCWSTR format, ...) {
  GuardedBuffer buffer(1024);
  va_list args;
  va_start(args, format);
  int n = wvsprintfW(buffer.Data(), format, args);
  va_end(args);
  std::u16string text = buffer.Text();
  EXPECT_EQ(n, static_cast<int>(text.size()));
  EXPECT_TRUE(buffer.GuardIntact());
  return text;
}

TEST(Format, IntegersWithWidthPrecisionAndFlags) {
  EXPECT_EQ(Wsprintf(u"%d|%i|%u", -42, 17, 42u), u"-42|17|42");
  EXPECT_EQ(Wsprintf(u"[%5d][%-5d][%05d]", 42, 42, 42), u"[   42][42   ][00042]");
  EXPECT_EQ(Wsprintf(u"[%05d][%-05d]", -42, -42), u"[-0042][-42  ]");
  EXPECT_EQ(Wsprintf(u"[%.3d][%6.3d][%-6.3d]", 7, 7, 7), u"[007][   007][007   ]");
  EXPECT_EQ(Wsprintf(u"[%08.3d]", 7), u"[     007]");  // a precision turns zero padding off
  EXPECT_EQ(Wsprintf(u"[%2d]", 12345), u"[12345]");    // width never truncates
  // Precision 0, or a bare '.', means one digit: zero still prints.
  EXPECT_EQ(Wsprintf(u"[%.0d][%.d][%.0u]", 0, 0, 0u), u"[0][0][0]");
  EXPECT_EQ(Wsprintf(u"%d %d", INT_MIN, INT_MAX), u"-2147483648 2147483647");
  EXPECT_EQ(Wsprintf(u"%u", static_cast<unsigned>(-1)), u"4294967295");
  EXPECT_EQ(Wsprintf(u"%u", -1), u"4294967295");
}

TEST(Format, HexAndSizePrefixes) {
  EXPECT_EQ(Wsprintf(u"%x %X %#x %#X %#x", 255u, 255u, 255u, 255u, 0u), u"ff FF 0xff 0XFF 0");
  EXPECT_EQ(Wsprintf(u"%08lX|%lx|%08x", 0xDEADBEEFu, 0x1Au, 0xABCu), u"DEADBEEF|1a|00000abc");
  EXPECT_EQ(Wsprintf(u"%x", -1), u"ffffffff");
  // LONG and DWORD are 32-bit: %ld and %lu read 32-bit values.
  EXPECT_EQ(Wsprintf(u"%ld %lu %li", static_cast<LONG>(-5), static_cast<DWORD>(4000000000u),
                     static_cast<LONG>(9)),
            u"-5 4000000000 9");
  EXPECT_EQ(Wsprintf(u"%hd %hu", 65535, 65537), u"-1 1");
  EXPECT_EQ(Wsprintf(u"%Ix", static_cast<uintptr_t>(0xABCDEF)), u"abcdef");
  EXPECT_EQ(Wsprintf(u"Error : %x", 5u), u"Error : 5");
}

TEST(Format, PointersPrintAllDigitsInUpperCase) {
  std::u16string expected(2 * sizeof(void*) - 4, u'0');
  expected += u"BEEF";
  EXPECT_EQ(Wsprintf(u"%p", reinterpret_cast<void*>(0xBEEF)), expected);
  EXPECT_EQ(Wsprintf(u"%p", nullptr), std::u16string(2 * sizeof(void*), u'0'));
}

TEST(Format, TextAndCharacters) {
  EXPECT_EQ(Wsprintf(u"[%s][%ls][%ws]", u"ab", u"cd", u"ef"), u"[ab][cd][ef]");
  EXPECT_EQ(Wsprintf(u"[%6s][%-6s][%06s]", u"ab", u"ab", u"ab"), u"[    ab][ab    ][0000ab]");
  EXPECT_EQ(Wsprintf(u"[%.2s][%5.2s][%.0s][%.9s]", u"abcdef", u"abcdef", u"abc", u"abc"),
            u"[ab][   ab][][abc]");
  EXPECT_EQ(Wsprintf(u"%s|%hs", static_cast<LPCWSTR>(nullptr), static_cast<const char*>(nullptr)),
            u"(null)|(null)");
  EXPECT_EQ(Wsprintf(u"未知控件:%s", u"Buton"), u"未知控件:Buton");
  // Narrow text is UTF-8; %S is narrow in a Unicode build, %hs always.
  EXPECT_EQ(
      Wsprintf(u"%hs|%S|%.2hs", "h\xC3\xA9llo", "\xE5\xAE\x89\xE8\xA3\x85", "\xE5\xAE\x89xyz"),
      u"héllo|安装|安x");
  EXPECT_EQ(Wsprintf(u"%hs",
                     "a\xFF"
                     "b"),
            u"a\uFFFDb");
  EXPECT_EQ(Wsprintf(u"[%c][%3c][%-3c][%lc][%C][%hc]", u'A', u'B', u'C', u'安', 'd', 'e'),
            u"[A][  B][C  ][安][d][e]");
  // A zero character is ignored altogether, padding included.
  EXPECT_EQ(Wsprintf(u"[%c][%5c]", 0, 0), u"[][]");
}

TEST(Format, PercentAndUnknownDirectives) {
  EXPECT_EQ(Wsprintf(u"100%%"), u"100%");
  EXPECT_EQ(Wsprintf(u"%y|%5q|%d", 3), u"y|q|3");  // consumes no argument
  EXPECT_EQ(Wsprintf(u"%*d", 3), u"*d");           // no '*' width in this dialect
  EXPECT_EQ(Wsprintf(u"end%"), u"end");
  EXPECT_EQ(Wsprintf(u"end%-08"), u"end");
}

TEST(Format, NullArgumentsFailCleanly) {
  EXPECT_EQ(0, wsprintfW(nullptr, u"%d", 1));
  GuardedBuffer buffer(8);
  EXPECT_EQ(0, wsprintfW(buffer.Data(), nullptr));
  EXPECT_EQ(buffer.Text(), u"");
  EXPECT_EQ(-1, wnsprintfW(nullptr, 8, u"x"));
}

TEST(Format, WsprintfStopsAt1023CharactersAndCountsAFullBufferAs1024) {
  std::u16string longText(3000, u'x');
  GuardedBuffer buffer(1024);
  EXPECT_EQ(1024, wsprintfW(buffer.Data(), u"%s", longText.c_str()));
  EXPECT_EQ(buffer.Text(), longText.substr(0, 1023));
  EXPECT_TRUE(buffer.GuardIntact());

  // Huge widths and precisions are bounded by the same limit.
  for (LPCWSTR format : {u"%2000d", u"%-2000d", u"%.5000d", u"%02147483647d", u"%99999999999x"}) {
    GuardedBuffer big(1024);
    EXPECT_EQ(1024, wsprintfW(big.Data(), format, 5)) << Platform::ToUtf8(format);
    EXPECT_EQ(big.Text().size(), 1023u);
    EXPECT_TRUE(big.GuardIntact());
  }

  // 1022 characters are counted as they are; 1023 fill the buffer and count as 1024.
  for (size_t length : {1022u, 1023u}) {
    std::u16string text(length, u'y');
    GuardedBuffer fit(1024);
    EXPECT_EQ(length == 1022 ? 1022 : 1024, wsprintfW(fit.Data(), u"%s", text.c_str()));
    EXPECT_EQ(fit.Text(), text);
  }
}

TEST(Format, WnsprintfStaysInsideTheCallersBuffer) {
  GuardedBuffer exact(5);
  EXPECT_EQ(4, wnsprintfW(exact.Data(), 5, u"%s", u"abcd"));
  EXPECT_EQ(exact.Text(), u"abcd");
  EXPECT_TRUE(exact.GuardIntact());

  GuardedBuffer cut(5);
  SetLastError(0);
  EXPECT_EQ(-1, wnsprintfW(cut.Data(), 5, u"%s-%d", u"abcdefgh", 12345));
  EXPECT_EQ(cut.Text(), u"abcd");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_TRUE(cut.GuardIntact());

  GuardedBuffer padded(8);
  EXPECT_EQ(-1, wnsprintfW(padded.Data(), 8, u"%-40d|", 7));
  EXPECT_EQ(padded.Text(), u"7      ");
  EXPECT_TRUE(padded.GuardIntact());

  GuardedBuffer one(1);
  EXPECT_EQ(0, wnsprintfW(one.Data(), 1, u""));
  EXPECT_EQ(-1, wnsprintfW(one.Data(), 1, u"a"));
  EXPECT_EQ(one.Text(), u"");
  EXPECT_TRUE(one.GuardIntact());

  GuardedBuffer none(4);
  EXPECT_EQ(-1, wnsprintfW(none.Data(), 0, u"a"));
  EXPECT_EQ(-1, wnsprintfW(none.Data(), -3, u"a"));
  EXPECT_TRUE(none.Untouched());
}

TEST(Format, VariadicAndListFormsAgree) {
  WCHAR a[64], b[64];
  EXPECT_EQ(wsprintfW(a, u"%s=%d", u"n", 3), wnsprintfW(b, 64, u"%s=%d", u"n", 3));
  EXPECT_EQ(std::u16string(a), std::u16string(b));
  EXPECT_EQ(std::u16string(a), u"n=3");
}

}  // namespace

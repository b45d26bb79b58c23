#include <gtest/gtest.h>

#include <string>

#include "Core/UIAttrValue.h"

using namespace SkinUI;

namespace {

std::string Show(const RECT& rc) {
  return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right) +
         "," + std::to_string(rc.bottom);
}

struct LongCase {
  const WCHAR* text;
  int base;
  LONG value;
  int used;  // characters consumed; 0 when nothing converted
};

const LongCase kLongCases[] = {
    {TEXT("42"), 10, 42, 2},
    {TEXT("  \t\n\v\f\r-17x"), 10, -17, 10},
    {TEXT("+8"), 10, 8, 2},
    {TEXT("2147483647"), 10, 2147483647, 10},
    {TEXT("2147483648"), 10, 2147483647, 10},  // clamped, every digit consumed
    {TEXT("99999999999999999999999"), 10, 2147483647, 23},
    {TEXT("-2147483648"), 10, -2147483647 - 1, 11},
    {TEXT("-2147483649"), 10, -2147483647 - 1, 11},
    {TEXT("0x1F"), 16, 31, 4},
    {TEXT("0X1f"), 0, 31, 4},
    {TEXT("1F"), 16, 31, 2},
    {TEXT("017"), 0, 15, 3},
    {TEXT("019"), 0, 1, 2},  // octal stops at 9
    {TEXT("0x"), 16, 0, 0},  // a prefix with no digit converts nothing
    {TEXT("0xg"), 0, 0, 0},
    {TEXT("z"), 36, 35, 1},
    {TEXT("12"), 1, 0, 0},  // no such base
    {TEXT("12"), 37, 0, 0},
    {TEXT(""), 10, 0, 0},
    {TEXT("   "), 10, 0, 0},
    {TEXT("-"), 10, 0, 0},
    {TEXT("- 5"), 10, 0, 0},
    {TEXT("12abc"), 10, 12, 2},
    {TEXT("\u00A05"), 10, 0, 0},  // only ASCII blanks are skipped
    {TEXT("\uFF15"), 10, 0, 0},   // only ASCII digits are digits
};

TEST(AttrNumbers, StrToLongTable) {
  for (const LongCase& c : kLongCases) {
    SCOPED_TRACE(std::string(c.text, c.text + std::char_traits<WCHAR>::length(c.text)) + " base " +
                 std::to_string(c.base));
    LPWSTR end = nullptr;
    EXPECT_EQ(c.value, UIStrToLong(c.text, &end, c.base));
    EXPECT_EQ(c.text + c.used, end);
  }
}

struct ULongCase {
  const WCHAR* text;
  int base;
  DWORD value;
  int used;
};

const ULongCase kULongCases[] = {
    {TEXT("FFFFFFFF"), 16, 0xFFFFFFFFu, 8},
    {TEXT("100000000"), 16, 0xFFFFFFFFu, 9},     // overflow clamps
    {TEXT("-1"), 10, 0xFFFFFFFFu, 2},            // negated modulo 2^32
    {TEXT("-4294967296"), 10, 0xFFFFFFFFu, 11},  // overflow wins over the sign
    {TEXT("  0xff00FF00,"), 16, 0xFF00FF00u, 12},
    {TEXT("4294967295"), 0, 0xFFFFFFFFu, 10},
    {TEXT("#FF"), 16, 0, 0},
    {TEXT(""), 16, 0, 0},
};

TEST(AttrNumbers, StrToULongTable) {
  for (const ULongCase& c : kULongCases) {
    SCOPED_TRACE(std::string(c.text, c.text + std::char_traits<WCHAR>::length(c.text)));
    LPWSTR end = nullptr;
    EXPECT_EQ(c.value, UIStrToULong(c.text, &end, c.base));
    EXPECT_EQ(c.text + c.used, end);
  }
}

TEST(AttrNumbers, StrToIntAndNullText) {
  EXPECT_EQ(0, UIStrToInt(nullptr));
  EXPECT_EQ(-12, UIStrToInt(TEXT(" -12px")));
  EXPECT_EQ(2147483647, UIStrToInt(TEXT("3000000000")));
  EXPECT_EQ(0, UIStrToInt(TEXT("0x10")));  // decimal only
  LPWSTR end = reinterpret_cast<LPWSTR>(1);
  EXPECT_EQ(0, UIStrToLong(nullptr, &end, 10));
  EXPECT_EQ(nullptr, end);
}

TEST(AttrNumbers, NeverReadsPastTheTerminator) {
  // The text ends right after the digits; a reader that looked one further would see the '9'.
  const WCHAR buffer[] = {TEXT('1'), TEXT(','), 0, TEXT('9'), TEXT('9'), 0};
  EXPECT_EQ("1,0,0,0", Show(UIParseRect(buffer)));
  const WCHAR sign[] = {TEXT('-'), 0, TEXT('7'), 0};
  LPWSTR end = nullptr;
  EXPECT_EQ(0, UIStrToLong(sign, &end, 10));
  EXPECT_EQ(sign, end);
}

struct RectCase {
  const WCHAR* text;
  RECT rc;
};

const RectCase kRectCases[] = {
    {TEXT("58,110,0,0"), {58, 110, 0, 0}}, {TEXT("1,2"), {1, 2, 0, 0}},
    {TEXT("-1, -2,3 ,4"), {-1, -2, 3, 0}},  // " ,4": one separator, then ",4" reads 0
    {TEXT("1;2;3;4"), {1, 2, 3, 4}},        // any one character separates
    {TEXT("1,,3,4"), {1, 0, 3, 4}},        {TEXT(""), {0, 0, 0, 0}},
    {TEXT("5,6,7,8,9"), {5, 6, 7, 8}},
};

TEST(AttrValues, NumberLists) {
  for (const RectCase& c : kRectCases) {
    SCOPED_TRACE(std::string(c.text, c.text + std::char_traits<WCHAR>::length(c.text)));
    EXPECT_EQ(Show(c.rc), Show(UIParseRect(c.text)));
  }
  EXPECT_EQ("0,0,0,0", Show(UIParseRect(nullptr)));
  const SIZE sz = UIParseSize(TEXT("518,345"));
  EXPECT_EQ(518, sz.cx);
  EXPECT_EQ(345, sz.cy);
  const SIZE one = UIParseSize(TEXT("7"));
  EXPECT_EQ(7, one.cx);
  EXPECT_EQ(0, one.cy);
}

TEST(AttrValues, ColoursAndBooleans) {
  EXPECT_EQ(0xFFFFFFFFu, UIParseBkColor(TEXT("#FFFFFFFF")));
  EXPECT_EQ(0x00FF8000u, UIParseBkColor(TEXT(" \t#FF8000")));  // six digits: alpha 0
  EXPECT_EQ(0xFF123456u, UIParseBkColor(TEXT("FF123456")));
  EXPECT_EQ(0xFF000000u, UIParseColor(TEXT("#FF000000")));
  EXPECT_EQ(0u, UIParseColor(TEXT(" #FF000000")));  // no blanks skipped before the '#'
  EXPECT_EQ(0xABu, UIParseColor(TEXT("AB")));
  EXPECT_EQ(0u, UIParseColor(nullptr));
  EXPECT_EQ(0u, UIParseBkColor(nullptr));
  EXPECT_TRUE(UIParseBool(TEXT("true")));
  EXPECT_FALSE(UIParseBool(TEXT("True")));
  EXPECT_FALSE(UIParseBool(TEXT("true ")));
  EXPECT_FALSE(UIParseBool(TEXT("tru")));
  EXPECT_FALSE(UIParseBool(TEXT("")));
  EXPECT_FALSE(UIParseBool(nullptr));
}

}  // namespace

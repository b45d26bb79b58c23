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
  const char16_t* text;
  int base;
  LONG value;
  int used;  // characters consumed; 0 when nothing converted
};

const LongCase kLongCases[] = {
    {u"42", 10, 42, 2},
    {u"  \t\n\v\f\r-17x", 10, -17, 10},
    {u"+8", 10, 8, 2},
    {u"2147483647", 10, 2147483647, 10},
    {u"2147483648", 10, 2147483647, 10},  // clamped, every digit consumed
    {u"99999999999999999999999", 10, 2147483647, 23},
    {u"-2147483648", 10, -2147483647 - 1, 11},
    {u"-2147483649", 10, -2147483647 - 1, 11},
    {u"0x1F", 16, 31, 4},
    {u"0X1f", 0, 31, 4},
    {u"1F", 16, 31, 2},
    {u"017", 0, 15, 3},
    {u"019", 0, 1, 2},  // octal stops at 9
    {u"0x", 16, 0, 0},  // a prefix with no digit converts nothing
    {u"0xg", 0, 0, 0},
    {u"z", 36, 35, 1},
    {u"12", 1, 0, 0},  // no such base
    {u"12", 37, 0, 0},
    {u"", 10, 0, 0},
    {u"   ", 10, 0, 0},
    {u"-", 10, 0, 0},
    {u"- 5", 10, 0, 0},
    {u"12abc", 10, 12, 2},
    {u"\u00A05", 10, 0, 0},  // only ASCII blanks are skipped
    {u"\uFF15", 10, 0, 0},   // only ASCII digits are digits
};

TEST(AttrNumbers, StrToLongTable) {
  for (const LongCase& c : kLongCases) {
    SCOPED_TRACE(std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text)) +
                 " base " + std::to_string(c.base));
    LPWSTR end = nullptr;
    EXPECT_EQ(c.value, UIStrToLong(c.text, &end, c.base));
    EXPECT_EQ(c.text + c.used, end);
  }
}

struct ULongCase {
  const char16_t* text;
  int base;
  DWORD value;
  int used;
};

const ULongCase kULongCases[] = {
    {u"FFFFFFFF", 16, 0xFFFFFFFFu, 8},
    {u"100000000", 16, 0xFFFFFFFFu, 9},     // overflow clamps
    {u"-1", 10, 0xFFFFFFFFu, 2},            // negated modulo 2^32
    {u"-4294967296", 10, 0xFFFFFFFFu, 11},  // overflow wins over the sign
    {u"  0xff00FF00,", 16, 0xFF00FF00u, 12},
    {u"4294967295", 0, 0xFFFFFFFFu, 10},
    {u"#FF", 16, 0, 0},
    {u"", 16, 0, 0},
};

TEST(AttrNumbers, StrToULongTable) {
  for (const ULongCase& c : kULongCases) {
    SCOPED_TRACE(std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text)));
    LPWSTR end = nullptr;
    EXPECT_EQ(c.value, UIStrToULong(c.text, &end, c.base));
    EXPECT_EQ(c.text + c.used, end);
  }
}

TEST(AttrNumbers, StrToIntAndNullText) {
  EXPECT_EQ(0, UIStrToInt(nullptr));
  EXPECT_EQ(-12, UIStrToInt(u" -12px"));
  EXPECT_EQ(2147483647, UIStrToInt(u"3000000000"));
  EXPECT_EQ(0, UIStrToInt(u"0x10"));  // decimal only
  LPWSTR end = reinterpret_cast<LPWSTR>(1);
  EXPECT_EQ(0, UIStrToLong(nullptr, &end, 10));
  EXPECT_EQ(nullptr, end);
}

TEST(AttrNumbers, NeverReadsPastTheTerminator) {
  // The text ends right after the digits; a reader that looked one further would see the '9'.
  const char16_t buffer[] = {u'1', u',', 0, u'9', u'9', 0};
  EXPECT_EQ("1,0,0,0", Show(UIParseRect(buffer)));
  const char16_t sign[] = {u'-', 0, u'7', 0};
  LPWSTR end = nullptr;
  EXPECT_EQ(0, UIStrToLong(sign, &end, 10));
  EXPECT_EQ(sign, end);
}

struct RectCase {
  const char16_t* text;
  RECT rc;
};

const RectCase kRectCases[] = {
    {u"58,110,0,0", {58, 110, 0, 0}}, {u"1,2", {1, 2, 0, 0}},
    {u"-1, -2,3 ,4", {-1, -2, 3, 0}},  // " ,4": one separator, then ",4" reads 0
    {u"1;2;3;4", {1, 2, 3, 4}},        // any one character separates
    {u"1,,3,4", {1, 0, 3, 4}},        {u"", {0, 0, 0, 0}},
    {u"5,6,7,8,9", {5, 6, 7, 8}},
};

TEST(AttrValues, NumberLists) {
  for (const RectCase& c : kRectCases) {
    SCOPED_TRACE(std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text)));
    EXPECT_EQ(Show(c.rc), Show(UIParseRect(c.text)));
  }
  EXPECT_EQ("0,0,0,0", Show(UIParseRect(nullptr)));
  const SIZE sz = UIParseSize(u"518,345");
  EXPECT_EQ(518, sz.cx);
  EXPECT_EQ(345, sz.cy);
  const SIZE one = UIParseSize(u"7");
  EXPECT_EQ(7, one.cx);
  EXPECT_EQ(0, one.cy);
}

TEST(AttrValues, ColoursAndBooleans) {
  EXPECT_EQ(0xFFFFFFFFu, UIParseBkColor(u"#FFFFFFFF"));
  EXPECT_EQ(0x00FF8000u, UIParseBkColor(u" \t#FF8000"));  // six digits: alpha 0
  EXPECT_EQ(0xFF123456u, UIParseBkColor(u"FF123456"));
  EXPECT_EQ(0xFF000000u, UIParseColor(u"#FF000000"));
  EXPECT_EQ(0u, UIParseColor(u" #FF000000"));  // no blanks skipped before the '#'
  EXPECT_EQ(0xABu, UIParseColor(u"AB"));
  EXPECT_EQ(0u, UIParseColor(nullptr));
  EXPECT_EQ(0u, UIParseBkColor(nullptr));
  EXPECT_TRUE(UIParseBool(u"true"));
  EXPECT_FALSE(UIParseBool(u"True"));
  EXPECT_FALSE(UIParseBool(u"true "));
  EXPECT_FALSE(UIParseBool(u"tru"));
  EXPECT_FALSE(UIParseBool(u""));
  EXPECT_FALSE(UIParseBool(nullptr));
}

}  // namespace

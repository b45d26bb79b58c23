#include <gtest/gtest.h>

#include <string>

#include "Platform/DebugOutput.h"
#include "Platform/Text/Utf.h"
#include "Utils/Utils.h"

using SkinUI::CUIString;

namespace {

bool IsInline(const CUIString& s) {
  auto data = reinterpret_cast<const char*>(s.GetData());
  auto self = reinterpret_cast<const char*>(&s);
  return data >= self && data < self + sizeof(CUIString);
}

std::u16string Text(const CUIString& s) { return std::u16string(s.GetData()); }

std::u16string Repeated(size_t n, char16_t c = u'x') { return std::u16string(n, c); }

TEST(UIString, ShortTextsStayInlineAndLongOnesMoveToTheHeap) {
  CUIString s;
  EXPECT_TRUE(IsInline(s));
  EXPECT_TRUE(s.IsEmpty());
  s = Repeated(62).c_str();
  EXPECT_TRUE(IsInline(s));
  EXPECT_EQ(s.GetLength(), 62);
  s = Repeated(63).c_str();
  EXPECT_FALSE(IsInline(s));
  EXPECT_EQ(Text(s), Repeated(63));
  s = Repeated(10, u'a').c_str();
  EXPECT_TRUE(IsInline(s));
  EXPECT_EQ(Text(s), Repeated(10, u'a'));

  // A heap block is kept when the new long text is not longer than the current one.
  s = Repeated(100).c_str();
  LPCWSTR block = s.GetData();
  s = Repeated(80, u'b').c_str();
  EXPECT_EQ(s.GetData(), block);
  EXPECT_EQ(Text(s), Repeated(80, u'b'));
  s = Repeated(300, u'c').c_str();
  EXPECT_EQ(Text(s), Repeated(300, u'c'));
  s.Empty();
  EXPECT_TRUE(IsInline(s));
  EXPECT_EQ(s.GetLength(), 0);
}

TEST(UIString, AppendAcrossTheInlineLimitKeepsBothParts) {
  CUIString s(Repeated(40, u'a').c_str());
  s.Append(Repeated(22, u'b').c_str());
  EXPECT_TRUE(IsInline(s));
  s.Append(u"c");
  EXPECT_FALSE(IsInline(s));
  EXPECT_EQ(Text(s), Repeated(40, u'a') + Repeated(22, u'b') + u"c");
  s += Repeated(500, u'd').c_str();
  s += u'e';
  s += CUIString(u"f");
  EXPECT_EQ(Text(s), Repeated(40, u'a') + Repeated(22, u'b') + u"c" + Repeated(500, u'd') + u"ef");
  EXPECT_EQ(s.GetLength(), 565);
}

TEST(UIString, OwnTextCanBeAppendedAndAssigned) {
  CUIString heap(Repeated(100, u'h').c_str());
  heap.Append(heap.GetData());  // the block moves while its own text is appended
  EXPECT_EQ(Text(heap), Repeated(200, u'h'));
  heap.Append(heap.GetData() + 150);
  EXPECT_EQ(heap.GetLength(), 250);

  CUIString inlineText(u"abc");
  inlineText.Append(inlineText.GetData());
  EXPECT_EQ(Text(inlineText), u"abcabc");
  CUIString grows(Repeated(40, u'g').c_str());
  grows.Append(grows.GetData());
  EXPECT_EQ(Text(grows), Repeated(80, u'g'));

  // Back to inline from a tail of the heap block that is freed on the way.
  CUIString s((Repeated(90) + u"0123456789").c_str());
  s.Assign(s.GetData() + 90);
  EXPECT_EQ(Text(s), u"0123456789");
  EXPECT_TRUE(IsInline(s));
  CUIString t((Repeated(90) + Repeated(70, u't')).c_str());
  t = t.GetData() + 90;
  EXPECT_EQ(Text(t), Repeated(70, u't'));
  const CUIString& same = t;
  t = same;
  EXPECT_EQ(Text(t), Repeated(70, u't'));
}

TEST(UIString, ConstructionAndAssignment) {
  EXPECT_EQ(Text(CUIString(u'Q')), u"Q");
  EXPECT_EQ(Text(CUIString(u"abcdef", 3)), u"abc");
  EXPECT_EQ(Text(CUIString(u"abcdef", -1)), u"abcdef");
  EXPECT_EQ(Text(CUIString(u"ab", 10)), u"ab");  // never reads past the terminator
  EXPECT_EQ(Text(CUIString(nullptr)), u"");
  CUIString s;
  s.Assign(u"abcdef", 2);
  EXPECT_EQ(Text(s), u"ab");
  s = u'z';
  EXPECT_EQ(Text(s), u"z");

  CUIString longText(Repeated(70).c_str());
  CUIString copy(longText);
  EXPECT_NE(copy.GetData(), longText.GetData());
  EXPECT_EQ(Text(copy), Repeated(70));
  CUIString moved(std::move(copy));
  EXPECT_EQ(Text(moved), Repeated(70));
  CUIString target(u"short");
  target = std::move(moved);
  EXPECT_EQ(Text(target), Repeated(70));
  CUIString fromShort(u"tiny");
  target = std::move(fromShort);
  EXPECT_EQ(Text(target), u"tiny");
  EXPECT_TRUE(IsInline(target));
}

TEST(UIString, ComparisonAndConcatenation) {
  CUIString a(u"abc");
  EXPECT_TRUE(a == u"abc");
  EXPECT_TRUE(a != u"abd");
  EXPECT_TRUE(a == CUIString(u"abc"));
  EXPECT_LT(a.Compare(u"abd"), 0);
  EXPECT_GT(a.Compare(u"ab"), 0);
  EXPECT_EQ(a.Compare(u"abc"), 0);
  EXPECT_LT(CUIString(u"B").Compare(u"a"), 0);  // ordinal: 'B' < 'a'
  EXPECT_EQ(CUIString(u"ABC").CompareNoCase(u"abc"), 0);
  EXPECT_EQ(Text(a + u"def"), u"abcdef");
  EXPECT_EQ(Text(a + CUIString(u"!")), u"abc!");
  EXPECT_EQ(Text(a + static_cast<LPCWSTR>(nullptr)), u"abc");
  EXPECT_EQ(Text(a), u"abc");
  EXPECT_EQ(a.GetAt(1), u'b');
  EXPECT_EQ(a[2], u'c');
}

TEST(UIString, LeftMidRightBounds) {
  CUIString abc(u"abc");
  EXPECT_EQ(Text(abc.Left(2)), u"ab");
  EXPECT_EQ(Text(abc.Left(-1)), u"");
  EXPECT_EQ(Text(abc.Left(3)), u"abc");
  EXPECT_EQ(Text(abc.Left(10)), u"abc");
  EXPECT_EQ(Text(abc.Mid(2)), u"c");
  EXPECT_EQ(Text(abc.Mid(1, 1)), u"b");
  EXPECT_EQ(Text(abc.Mid(1, 5)), u"bc");
  EXPECT_EQ(Text(abc.Mid(0, -1)), u"abc");
  EXPECT_EQ(Text(abc.Mid(3)), u"");
  EXPECT_EQ(Text(abc.Mid(5)), u"");
  EXPECT_EQ(Text(abc.Mid(1, 0)), u"");
  EXPECT_EQ(Text(abc.Mid(-2, 2)), u"ab");
  EXPECT_EQ(Text(abc.Right(1)), u"c");
  EXPECT_EQ(Text(abc.Right(2)), u"bc");
  EXPECT_EQ(Text(abc.Right(3)), u"abc");
  EXPECT_EQ(Text(abc.Right(10)), u"abc");
  EXPECT_EQ(Text(abc.Right(0)), u"");
  EXPECT_EQ(Text(abc.Right(-4)), u"");
  CUIString longText((Repeated(70) + u"tail").c_str());
  EXPECT_EQ(Text(longText.Right(4)), u"tail");
  EXPECT_EQ(Text(longText.Mid(68, 3)), u"xxt");
}

TEST(UIString, FindAndReverseFind) {
  CUIString s(u"abcabc");
  EXPECT_EQ(s.Find(u"bc"), 1);
  EXPECT_EQ(s.Find(u"bc", 1), 1);
  EXPECT_EQ(s.Find(u"bc", 2), 4);
  EXPECT_EQ(s.Find(u"c", 5), 5);
  EXPECT_EQ(s.Find(u"abcd"), -1);
  EXPECT_EQ(s.Find(u"x", 6), -1);
  EXPECT_EQ(s.Find(u"", 6), 6);
  EXPECT_EQ(s.ReverseFind(u'b'), 4);
  EXPECT_EQ(s.ReverseFind(u'a'), 3);
  EXPECT_EQ(s.ReverseFind(u'z'), -1);
  EXPECT_EQ(s.ReverseFind(0), -1);
  EXPECT_EQ(CUIString(u"C:\\dir\\file").ReverseFind(u'\\'), 6);
}

TEST(UIString, ReplaceNeverRescansInsertedText) {
  CUIString s(u"aaa");
  EXPECT_EQ(s.Replace(u"a", u"aa"), 3);
  EXPECT_EQ(Text(s), u"aaaaaa");
  EXPECT_EQ(s.Replace(u"aa", u"b"), 3);
  EXPECT_EQ(Text(s), u"bbb");
  CUIString path(u"a/b/c");
  EXPECT_EQ(path.Replace(u"/", u"\\\\"), 2);
  EXPECT_EQ(Text(path), u"a\\\\b\\\\c");
  EXPECT_EQ(path.Replace(u"\\\\", nullptr), 2);
  EXPECT_EQ(Text(path), u"abc");
  EXPECT_EQ(path.Replace(u"zz", u"y"), 0);
  EXPECT_EQ(Text(path), u"abc");
  EXPECT_EQ(path.Replace(u"", u"y"), 0);  // an empty pattern matches nothing
  EXPECT_EQ(Text(path), u"abc");
  CUIString grows(Repeated(40, u'-').c_str());
  EXPECT_EQ(grows.Replace(u"-", u"<>"), 40);
  EXPECT_EQ(grows.GetLength(), 80);
  EXPECT_EQ(Text(grows.Left(4)), u"<><>");
}

TEST(UIString, MakeLowerCoversCommonScripts) {
  CUIString s(u"Btn_INSTALL ÀÉÖÞ×ŸĀĹŻ ΑΩΆΏ ДЖЁЯ ẠỲ ＡＺ 安装 ß");
  s.MakeLower();
  EXPECT_EQ(Text(s), u"btn_install àéöþ×ÿāĺż αωάώ джёя ạỳ ａｚ 安装 ß");
  CUIString turkish(u"İI");
  turkish.MakeLower();
  EXPECT_EQ(Text(turkish), u"ii");
}

TEST(UIString, FormatKeepsUpTo1023Characters) {
  CUIString s;
  EXPECT_EQ(s.Format(u"%d-%s", 42, u"x"), 4);
  EXPECT_EQ(Text(s), u"42-x");
  EXPECT_TRUE(IsInline(s));
  EXPECT_EQ(s.Format(u"%63s", u"r"), 63);
  EXPECT_FALSE(IsInline(s));
  std::u16string huge(5000, u'h');
  EXPECT_EQ(s.Format(u"[%s]", huge.c_str()), 1024);
  EXPECT_EQ(Text(s), u"[" + std::u16string(1022, u'h'));
  // The format may be the string's own text.
  CUIString self(u"<%s>");
  self.Format(self.GetData(), u"in");
  EXPECT_EQ(Text(self), u"<in>");
}

TEST(UIString, SmallFormatCutsLongResultsAt63) {
  CUIString s;
  EXPECT_EQ(s.SmallFormat(u"%d,%d", -7, 12), 5);
  EXPECT_EQ(Text(s), u"-7,12");
  std::u16string huge(3000, u'q');
  EXPECT_EQ(s.SmallFormat(u"%s%d", huge.c_str(), 5), 63);
  EXPECT_EQ(Text(s), std::u16string(63, u'q'));
  EXPECT_EQ(s.SmallFormat(u"%-200d|", 1), 63);
}

TEST(UIString, NullAndOutOfRangeArgumentsAreReported) {
  Platform::DebugOutputCapture capture;
  CUIString s(u"abc");
  s.Assign(nullptr);
  EXPECT_EQ(Text(s), u"");
  s = u"abc";
  s.Append(nullptr);
  EXPECT_EQ(Text(s), u"abc");
  EXPECT_EQ(s.Find(nullptr), -1);
  EXPECT_EQ(s.Find(u"c", 4), -1);
  EXPECT_EQ(s.Find(u"a", -1), -1);
  std::u16string out = capture.Text();
  EXPECT_NE(out.find(u"Assertion failed: pstr != nullptr"), std::u16string::npos)
      << Platform::ToUtf8(out.c_str());
  EXPECT_NE(out.find(u"Assertion failed: pstrSub != nullptr"), std::u16string::npos);
  EXPECT_NE(out.find(u"Assertion failed: iPos >= 0 && iPos <= length"), std::u16string::npos);
  EXPECT_NE(out.find(u"Utils.cpp("), std::u16string::npos);
  EXPECT_EQ(capture.Pieces().size(), 5u);

  capture.Clear();
  CUIString quiet(nullptr);  // null is a valid construction argument
  quiet = CUIString(u"x") + static_cast<LPCWSTR>(nullptr);
  EXPECT_TRUE(capture.Pieces().empty());
}

}  // namespace

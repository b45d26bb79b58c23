#include <gtest/gtest.h>

#include <string>

#include "Utils/Utils.h"
#include "support/DebugCapture.h"
#include "support/WideString.h"

using SkinUI::CUIString;

namespace {

bool IsInline(const CUIString& s) {
  auto data = reinterpret_cast<const char*>(s.GetData());
  auto self = reinterpret_cast<const char*>(&s);
  return data >= self && data < self + sizeof(CUIString);
}

WString Text(const CUIString& s) { return WString(s.GetData()); }

WString Repeated(size_t n, WCHAR c = TEXT('x')) { return WString(n, c); }

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
  s = Repeated(10, TEXT('a')).c_str();
  EXPECT_TRUE(IsInline(s));
  EXPECT_EQ(Text(s), Repeated(10, TEXT('a')));

  // A heap block is kept when the new long text is not longer than the current one.
  s = Repeated(100).c_str();
  LPCWSTR block = s.GetData();
  s = Repeated(80, TEXT('b')).c_str();
  EXPECT_EQ(s.GetData(), block);
  EXPECT_EQ(Text(s), Repeated(80, TEXT('b')));
  s = Repeated(300, TEXT('c')).c_str();
  EXPECT_EQ(Text(s), Repeated(300, TEXT('c')));
  s.Empty();
  EXPECT_TRUE(IsInline(s));
  EXPECT_EQ(s.GetLength(), 0);
}

TEST(UIString, AppendAcrossTheInlineLimitKeepsBothParts) {
  CUIString s(Repeated(40, TEXT('a')).c_str());
  s.Append(Repeated(22, TEXT('b')).c_str());
  EXPECT_TRUE(IsInline(s));
  s.Append(TEXT("c"));
  EXPECT_FALSE(IsInline(s));
  EXPECT_EQ(Text(s), Repeated(40, TEXT('a')) + Repeated(22, TEXT('b')) + TEXT("c"));
  s += Repeated(500, TEXT('d')).c_str();
  s += TEXT('e');
  s += CUIString(TEXT("f"));
  EXPECT_EQ(Text(s), Repeated(40, TEXT('a')) + Repeated(22, TEXT('b')) + TEXT("c") +
                         Repeated(500, TEXT('d')) + TEXT("ef"));
  EXPECT_EQ(s.GetLength(), 565);
}

TEST(UIString, OwnTextCanBeAppendedAndAssigned) {
  CUIString heap(Repeated(100, TEXT('h')).c_str());
  heap.Append(heap.GetData());  // the block moves while its own text is appended
  EXPECT_EQ(Text(heap), Repeated(200, TEXT('h')));
  heap.Append(heap.GetData() + 150);
  EXPECT_EQ(heap.GetLength(), 250);

  CUIString inlineText(TEXT("abc"));
  inlineText.Append(inlineText.GetData());
  EXPECT_EQ(Text(inlineText), TEXT("abcabc"));
  CUIString grows(Repeated(40, TEXT('g')).c_str());
  grows.Append(grows.GetData());
  EXPECT_EQ(Text(grows), Repeated(80, TEXT('g')));

  // Back to inline from a tail of the heap block that is freed on the way.
  CUIString s((Repeated(90) + TEXT("0123456789")).c_str());
  s.Assign(s.GetData() + 90);
  EXPECT_EQ(Text(s), TEXT("0123456789"));
  EXPECT_TRUE(IsInline(s));
  CUIString t((Repeated(90) + Repeated(70, TEXT('t'))).c_str());
  t = t.GetData() + 90;
  EXPECT_EQ(Text(t), Repeated(70, TEXT('t')));
  const CUIString& same = t;
  t = same;
  EXPECT_EQ(Text(t), Repeated(70, TEXT('t')));
}

TEST(UIString, ConstructionAndAssignment) {
  EXPECT_EQ(Text(CUIString(TEXT('Q'))), TEXT("Q"));
  EXPECT_EQ(Text(CUIString(TEXT("abcdef"), 3)), TEXT("abc"));
  EXPECT_EQ(Text(CUIString(TEXT("abcdef"), -1)), TEXT("abcdef"));
  EXPECT_EQ(Text(CUIString(TEXT("ab"), 10)), TEXT("ab"));  // never reads past the terminator
  EXPECT_EQ(Text(CUIString(nullptr)), TEXT(""));
  CUIString s;
  s.Assign(TEXT("abcdef"), 2);
  EXPECT_EQ(Text(s), TEXT("ab"));
  s = TEXT('z');
  EXPECT_EQ(Text(s), TEXT("z"));

  CUIString longText(Repeated(70).c_str());
  CUIString copy(longText);
  EXPECT_NE(copy.GetData(), longText.GetData());
  EXPECT_EQ(Text(copy), Repeated(70));
  CUIString moved(std::move(copy));
  EXPECT_EQ(Text(moved), Repeated(70));
  CUIString target(TEXT("short"));
  target = std::move(moved);
  EXPECT_EQ(Text(target), Repeated(70));
  CUIString fromShort(TEXT("tiny"));
  target = std::move(fromShort);
  EXPECT_EQ(Text(target), TEXT("tiny"));
  EXPECT_TRUE(IsInline(target));
}

TEST(UIString, ComparisonAndConcatenation) {
  CUIString a(TEXT("abc"));
  EXPECT_TRUE(a == TEXT("abc"));
  EXPECT_TRUE(a != TEXT("abd"));
  EXPECT_TRUE(a == CUIString(TEXT("abc")));
  EXPECT_LT(a.Compare(TEXT("abd")), 0);
  EXPECT_GT(a.Compare(TEXT("ab")), 0);
  EXPECT_EQ(a.Compare(TEXT("abc")), 0);
  EXPECT_LT(CUIString(TEXT("B")).Compare(TEXT("a")), 0);  // ordinal: 'B' < 'a'
  EXPECT_EQ(CUIString(TEXT("ABC")).CompareNoCase(TEXT("abc")), 0);
  EXPECT_EQ(Text(a + TEXT("def")), TEXT("abcdef"));
  EXPECT_EQ(Text(a + CUIString(TEXT("!"))), TEXT("abc!"));
  EXPECT_EQ(Text(a + static_cast<LPCWSTR>(nullptr)), TEXT("abc"));
  EXPECT_EQ(Text(a), TEXT("abc"));
  EXPECT_EQ(a.GetAt(1), TEXT('b'));
  EXPECT_EQ(a[2], TEXT('c'));
}

TEST(UIString, LeftMidRightBounds) {
  CUIString abc(TEXT("abc"));
  EXPECT_EQ(Text(abc.Left(2)), TEXT("ab"));
  EXPECT_EQ(Text(abc.Left(-1)), TEXT(""));
  EXPECT_EQ(Text(abc.Left(3)), TEXT("abc"));
  EXPECT_EQ(Text(abc.Left(10)), TEXT("abc"));
  EXPECT_EQ(Text(abc.Mid(2)), TEXT("c"));
  EXPECT_EQ(Text(abc.Mid(1, 1)), TEXT("b"));
  EXPECT_EQ(Text(abc.Mid(1, 5)), TEXT("bc"));
  EXPECT_EQ(Text(abc.Mid(0, -1)), TEXT("abc"));
  EXPECT_EQ(Text(abc.Mid(3)), TEXT(""));
  EXPECT_EQ(Text(abc.Mid(5)), TEXT(""));
  EXPECT_EQ(Text(abc.Mid(1, 0)), TEXT(""));
  EXPECT_EQ(Text(abc.Mid(-2, 2)), TEXT("ab"));
  EXPECT_EQ(Text(abc.Right(1)), TEXT("c"));
  EXPECT_EQ(Text(abc.Right(2)), TEXT("bc"));
  EXPECT_EQ(Text(abc.Right(3)), TEXT("abc"));
  EXPECT_EQ(Text(abc.Right(10)), TEXT("abc"));
  EXPECT_EQ(Text(abc.Right(0)), TEXT(""));
  EXPECT_EQ(Text(abc.Right(-4)), TEXT(""));
  CUIString longText((Repeated(70) + TEXT("tail")).c_str());
  EXPECT_EQ(Text(longText.Right(4)), TEXT("tail"));
  EXPECT_EQ(Text(longText.Mid(68, 3)), TEXT("xxt"));
}

TEST(UIString, FindAndReverseFind) {
  CUIString s(TEXT("abcabc"));
  EXPECT_EQ(s.Find(TEXT("bc")), 1);
  EXPECT_EQ(s.Find(TEXT("bc"), 1), 1);
  EXPECT_EQ(s.Find(TEXT("bc"), 2), 4);
  EXPECT_EQ(s.Find(TEXT("c"), 5), 5);
  EXPECT_EQ(s.Find(TEXT("abcd")), -1);
  EXPECT_EQ(s.Find(TEXT("x"), 6), -1);
  EXPECT_EQ(s.Find(TEXT(""), 6), 6);
  EXPECT_EQ(s.ReverseFind(TEXT('b')), 4);
  EXPECT_EQ(s.ReverseFind(TEXT('a')), 3);
  EXPECT_EQ(s.ReverseFind(TEXT('z')), -1);
  EXPECT_EQ(s.ReverseFind(0), -1);
  EXPECT_EQ(CUIString(TEXT("C:\\dir\\file")).ReverseFind(TEXT('\\')), 6);
}

TEST(UIString, ReplaceNeverRescansInsertedText) {
  CUIString s(TEXT("aaa"));
  EXPECT_EQ(s.Replace(TEXT("a"), TEXT("aa")), 3);
  EXPECT_EQ(Text(s), TEXT("aaaaaa"));
  EXPECT_EQ(s.Replace(TEXT("aa"), TEXT("b")), 3);
  EXPECT_EQ(Text(s), TEXT("bbb"));
  CUIString path(TEXT("a/b/c"));
  EXPECT_EQ(path.Replace(TEXT("/"), TEXT("\\\\")), 2);
  EXPECT_EQ(Text(path), TEXT("a\\\\b\\\\c"));
  EXPECT_EQ(path.Replace(TEXT("\\\\"), nullptr), 2);
  EXPECT_EQ(Text(path), TEXT("abc"));
  EXPECT_EQ(path.Replace(TEXT("zz"), TEXT("y")), 0);
  EXPECT_EQ(Text(path), TEXT("abc"));
  EXPECT_EQ(path.Replace(TEXT(""), TEXT("y")), 0);  // an empty pattern matches nothing
  EXPECT_EQ(Text(path), TEXT("abc"));
  CUIString grows(Repeated(40, TEXT('-')).c_str());
  EXPECT_EQ(grows.Replace(TEXT("-"), TEXT("<>")), 40);
  EXPECT_EQ(grows.GetLength(), 80);
  EXPECT_EQ(Text(grows.Left(4)), TEXT("<><>"));
}

TEST(UIString, MakeLowerCoversCommonScripts) {
  CUIString s(TEXT("Btn_INSTALL ÀÉÖÞ×ŸĀĹŻ ΑΩΆΏ ДЖЁЯ ẠỲ ＡＺ 安装 ß"));
  s.MakeLower();
  EXPECT_EQ(Text(s), TEXT("btn_install àéöþ×ÿāĺż αωάώ джёя ạỳ ａｚ 安装 ß"));
  CUIString turkish(TEXT("İI"));
  turkish.MakeLower();
  EXPECT_EQ(Text(turkish), TEXT("ii"));
}

TEST(UIString, FormatKeepsUpTo1023Characters) {
  CUIString s;
  EXPECT_EQ(s.Format(TEXT("%d-%s"), 42, TEXT("x")), 4);
  EXPECT_EQ(Text(s), TEXT("42-x"));
  EXPECT_TRUE(IsInline(s));
  EXPECT_EQ(s.Format(TEXT("%63s"), TEXT("r")), 63);
  EXPECT_FALSE(IsInline(s));
  WString huge(5000, TEXT('h'));
  EXPECT_EQ(s.Format(TEXT("[%s]"), huge.c_str()), 1024);
  EXPECT_EQ(Text(s), TEXT("[") + WString(1022, TEXT('h')));
  // The format may be the string's own text.
  CUIString self(TEXT("<%s>"));
  self.Format(self.GetData(), TEXT("in"));
  EXPECT_EQ(Text(self), TEXT("<in>"));
}

TEST(UIString, SmallFormatCutsLongResultsAt63) {
  CUIString s;
  EXPECT_EQ(s.SmallFormat(TEXT("%d,%d"), -7, 12), 5);
  EXPECT_EQ(Text(s), TEXT("-7,12"));
  WString huge(3000, TEXT('q'));
  EXPECT_EQ(s.SmallFormat(TEXT("%s%d"), huge.c_str(), 5), 63);
  EXPECT_EQ(Text(s), WString(63, TEXT('q')));
  EXPECT_EQ(s.SmallFormat(TEXT("%-200d|"), 1), 63);
}

TEST(UIString, NullAndOutOfRangeArgumentsAreReported) {
  TestSupport::DebugOutputCapture capture;
  CUIString s(TEXT("abc"));
  s.Assign(nullptr);
  EXPECT_EQ(Text(s), TEXT(""));
  s = TEXT("abc");
  s.Append(nullptr);
  EXPECT_EQ(Text(s), TEXT("abc"));
  EXPECT_EQ(s.Find(nullptr), -1);
  EXPECT_EQ(s.Find(TEXT("c"), 4), -1);
  EXPECT_EQ(s.Find(TEXT("a"), -1), -1);
  WString out = capture.Text();
  EXPECT_NE(out.find(TEXT("Assertion failed: pstr != nullptr")), WString::npos)
      << Utf8(out.c_str());
  EXPECT_NE(out.find(TEXT("Assertion failed: pstrSub != nullptr")), WString::npos);
  EXPECT_NE(out.find(TEXT("Assertion failed: iPos >= 0 && iPos <= length")), WString::npos);
  EXPECT_NE(out.find(TEXT("Utils.cpp(")), WString::npos);
  EXPECT_EQ(capture.Pieces().size(), 5u);

  capture.Clear();
  CUIString quiet(nullptr);  // null is a valid construction argument
  quiet = CUIString(TEXT("x")) + static_cast<LPCWSTR>(nullptr);
  EXPECT_TRUE(capture.Pieces().empty());
}

}  // namespace

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "Platform/DebugOutput.h"
#include "Platform/Win32.h"

namespace {

std::u16string ToWide(const std::string& bytes) {
  int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::u16string out(static_cast<size_t>(n), u'\0');
  EXPECT_EQ(n, MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()),
                                   out.data(), n));
  return out;
}

TEST(CodePages, RoundTripsChineseAndSupplementaryText) {
  const std::string utf8 = "Halvane\xE5\xAE\x89\xE8\xA3\x85\xF0\x9F\x98\x80";  // 安装 + U+1F600
  std::u16string wide = ToWide(utf8);
  EXPECT_EQ(wide, u"Halvane\u5B89\u88C5\U0001F600");
  int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string back(static_cast<size_t>(n), '\0');
  ASSERT_EQ(n, WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                   back.data(), n, nullptr, nullptr));
  EXPECT_EQ(back, utf8);
}

TEST(CodePages, MinusOneLengthCountsTheTerminator) {
  WCHAR buf[8];
  EXPECT_EQ(4, MultiByteToWideChar(CP_UTF8, 0, "abc", -1, buf, 8));
  EXPECT_EQ(buf[3], 0);
  char narrow[8];
  EXPECT_EQ(3, WideCharToMultiByte(CP_UTF8, 0, u"xy", -1, narrow, 8, nullptr, nullptr));
  EXPECT_STREQ(narrow, "xy");
}

TEST(CodePages, InvalidSequencesAreReplacedOncePerMaximalSubpart) {
  // A lone continuation byte, a truncated 3-byte sequence, an encoded surrogate, an overlong '/'.
  EXPECT_EQ(ToWide("a\x80"
                   "b"),
            u"a\uFFFDb");
  EXPECT_EQ(ToWide("a\xE5\xAE"), u"a\uFFFD");
  EXPECT_EQ(ToWide("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(ToWide("\xC0\xAF"), u"\uFFFD\uFFFD");
  WCHAR buf[4];
  SetLastError(0);
  EXPECT_EQ(0, MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "a\x80", 2, buf, 4));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
}

TEST(CodePages, UnpairedSurrogateBecomesReplacementCharacter) {
  const WCHAR lone[] = {u'a', 0xD800, u'b'};
  char out[16];
  int n = WideCharToMultiByte(CP_UTF8, 0, lone, 3, out, 16, nullptr, nullptr);
  EXPECT_EQ(std::string(out, static_cast<size_t>(n)),
            "a\xEF\xBF\xBD"
            "b");
}

TEST(CodePages, NeverReadsPastAGivenLength) {
  // The source has no terminator within the given length; only those bytes are read.
  const char bytes[3] = {'x', 'y', 'z'};
  WCHAR out[3];
  EXPECT_EQ(2, MultiByteToWideChar(CP_UTF8, 0, bytes, 2, out, 3));
  EXPECT_EQ(out[0], u'x');
  EXPECT_EQ(out[1], u'y');
}

TEST(CodePages, FailuresFollowTheDocumentedErrors) {
  WCHAR small[2];
  SetLastError(0);
  EXPECT_EQ(0, MultiByteToWideChar(CP_UTF8, 0, "abcd", 4, small, 2));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(0, MultiByteToWideChar(CP_UTF8, 0, "abcd", 0, small, 2));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(0, MultiByteToWideChar(CP_UTF8, 0, nullptr, 3, small, 2));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  char narrow[4];
  BOOL used = FALSE;
  EXPECT_EQ(0, WideCharToMultiByte(CP_UTF8, 0, u"a", 1, narrow, 4, "?", &used));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(0, MultiByteToWideChar(1252, 0, "a", 1, small, 2));
}

TEST(LastError, IsKeptPerThread) {
  SetLastError(5);
  DWORD seen = 1234;
  std::thread([&] {
    seen = GetLastError();
    SetLastError(87);
  }).join();
  EXPECT_EQ(seen, 0u);
  EXPECT_EQ(GetLastError(), 5u);
}

TEST(WideStrings, CompareCopyAndConcatenate) {
  EXPECT_LT(lstrcmpW(u"abc", u"abd"), 0);
  EXPECT_EQ(lstrcmpiW(u"Skin.XML", u"skin.xml"), 0);
  EXPECT_EQ(lstrlenW(nullptr), 0);
  WCHAR buf[6];
  lstrcpynW(buf, u"abcdefgh", 6);
  EXPECT_EQ(std::u16string(buf), u"abcde");
  lstrcpyW(buf, u"ab");
  lstrcatW(buf, u"cd");
  EXPECT_EQ(std::u16string(buf), u"abcd");
}

TEST(DebugOutput, CaptureSeesEveryThreadsPieces) {
  Platform::DebugOutputCapture capture;
  OutputDebugStringW(u"one\n");
  std::thread([] { OutputDebugStringA("\xE6\x96\x87"); }).join();  // 文
  auto pieces = capture.Pieces();
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_EQ(pieces[0], u"one\n");
  EXPECT_EQ(pieces[1], u"\u6587");
}

}  // namespace

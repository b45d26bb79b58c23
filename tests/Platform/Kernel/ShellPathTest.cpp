#include <gtest/gtest.h>

#include <string>

#include "Platform/Win32.h"

namespace {

std::u16string Canonical(const std::u16string& in) {
  WCHAR out[MAX_PATH];
  std::fill(std::begin(out), std::end(out), u'#');
  EXPECT_TRUE(PathCanonicalizeW(out, in.c_str()));
  return out;
}

TEST(ShellPath, CanonicalizeMatchesTheDocumentedExamples) {
  EXPECT_EQ(Canonical(u"A:\\name_1\\.\\name_2\\..\\name_3"), u"A:\\name_1\\name_3");
  EXPECT_EQ(Canonical(u"A:\\name_1\\..\\name_2\\.\\name_3"), u"A:\\name_2\\name_3");
  EXPECT_EQ(Canonical(u"A:\\name_1\\name_2\\.\\name_3\\..\\name_4"), u"A:\\name_1\\name_2\\name_4");
  EXPECT_EQ(Canonical(u"A:\\name_1\\.\\name_2\\.\\name_3\\..\\name_4\\.."), u"A:\\name_1\\name_2");
  EXPECT_EQ(Canonical(u"C:\\.."), u"C:\\");
}

TEST(ShellPath, CanonicalizeEdges) {
  // More ".." than folders stops at the root; the root is never removed.
  EXPECT_EQ(Canonical(u"C:\\Games\\..\\..\\..\\Windows"), u"C:\\Windows");
  EXPECT_EQ(Canonical(u"\\a\\..\\.."), u"\\");
  EXPECT_EQ(Canonical(u""), u"\\");
  EXPECT_EQ(Canonical(u"C:"), u"C:\\");
  // A trailing separator stays; a trailing "." or ".." step leaves none.
  EXPECT_EQ(Canonical(u"C:\\Games\\Halvane\\"), u"C:\\Games\\Halvane\\");
  EXPECT_EQ(Canonical(u"C:\\Games\\Halvane\\."), u"C:\\Games\\Halvane");
  EXPECT_EQ(Canonical(u"C:\\Games\\Halvane\\..\\"), u"C:\\Games\\");
  // Only backslashes separate: forward slashes stay inside names.
  EXPECT_EQ(Canonical(u"C:\\Halvane\\img/../a.bmp"), u"C:\\Halvane\\img/../a.bmp");
  EXPECT_EQ(Canonical(u"C:\\Halvane\\..\\img/a.bmp"), u"C:\\img/a.bmp");
  // Names made of more dots are names.
  EXPECT_EQ(Canonical(u"C:\\a\\...\\b"), u"C:\\a\\...\\b");
  EXPECT_EQ(Canonical(u"\\\\server\\share\\..\\x"), u"\\\\server\\x");
  EXPECT_EQ(Canonical(u"\\\\server\\..\\x"), u"\\\\server\\x");
  EXPECT_EQ(Canonical(u"C:rel\\..\\x"), u"C:x");
}

TEST(ShellPath, CanonicalizeRefusesWhatDoesNotFit) {
  WCHAR out[MAX_PATH] = {u'z', 0};
  std::u16string longest = u"C:\\" + std::u16string(MAX_PATH - 4, u'a');
  EXPECT_TRUE(PathCanonicalizeW(out, longest.c_str()));
  EXPECT_EQ(std::u16string(out), longest);
  std::u16string tooLong = longest + u"b";
  SetLastError(0);
  EXPECT_FALSE(PathCanonicalizeW(out, tooLong.c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
  EXPECT_EQ(out[0], 0);
  EXPECT_FALSE(PathCanonicalizeW(nullptr, u"C:\\"));
  EXPECT_FALSE(PathCanonicalizeW(out, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

std::u16string RemoveFileSpec(const std::u16string& in, BOOL expected) {
  WCHAR buf[MAX_PATH];
  in.copy(buf, in.size());
  buf[in.size()] = 0;
  EXPECT_EQ(PathRemoveFileSpecW(buf), expected) << std::string(in.begin(), in.end());
  return buf;
}

TEST(ShellPath, RemoveFileSpecStopsAtTheRoot) {
  EXPECT_EQ(RemoveFileSpec(u"C:\\Games\\Halvane\\PlayCrate.exe", TRUE), u"C:\\Games\\Halvane");
  EXPECT_EQ(RemoveFileSpec(u"C:\\Games\\Halvane\\", TRUE), u"C:\\Games\\Halvane");
  EXPECT_EQ(RemoveFileSpec(u"C:\\Games", TRUE), u"C:\\");
  EXPECT_EQ(RemoveFileSpec(u"C:\\", FALSE), u"C:\\");
  EXPECT_EQ(RemoveFileSpec(u"\\file", TRUE), u"\\");
  EXPECT_EQ(RemoveFileSpec(u"\\", FALSE), u"\\");
  EXPECT_EQ(RemoveFileSpec(u"file.txt", TRUE), u"");
  EXPECT_EQ(RemoveFileSpec(u"", FALSE), u"");
  EXPECT_EQ(RemoveFileSpec(u"C:file", TRUE), u"C:");
  EXPECT_EQ(RemoveFileSpec(u"C:", FALSE), u"C:");
  EXPECT_EQ(RemoveFileSpec(u"\\\\server\\share", TRUE), u"\\\\server");
  EXPECT_EQ(RemoveFileSpec(u"\\\\server", FALSE), u"\\\\server");
  EXPECT_FALSE(PathRemoveFileSpecW(nullptr));
}

TEST(ShellPath, AddBackslashRespectsTheBufferOf260) {
  WCHAR buf[MAX_PATH] = u"C:\\Games";
  LPWSTR end = PathAddBackslashW(buf);
  EXPECT_EQ(std::u16string(buf), u"C:\\Games\\");
  EXPECT_EQ(end, buf + 9);
  EXPECT_EQ(PathAddBackslashW(buf), buf + 9);  // already there
  EXPECT_EQ(std::u16string(buf), u"C:\\Games\\");
  WCHAR empty[MAX_PATH] = u"";
  EXPECT_EQ(PathAddBackslashW(empty), empty);
  EXPECT_EQ(empty[0], 0);

  std::u16string fits(MAX_PATH - 2, u'a');  // 258 characters + backslash + terminator
  fits.copy(buf, fits.size());
  buf[fits.size()] = 0;
  EXPECT_EQ(PathAddBackslashW(buf), buf + MAX_PATH - 1);
  EXPECT_EQ(buf[MAX_PATH - 2], u'\\');
  std::u16string full(MAX_PATH - 1, u'a');
  full.copy(buf, full.size());
  buf[full.size()] = 0;
  EXPECT_EQ(PathAddBackslashW(buf), nullptr);
  EXPECT_EQ(std::u16string(buf), full);
  EXPECT_EQ(PathAddBackslashW(nullptr), nullptr);
}

}  // namespace

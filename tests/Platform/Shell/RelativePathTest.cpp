#include <gtest/gtest.h>

#include "Platform/Shell/RelativePath.h"

namespace {

TEST(RelativePath, TargetSeenFromTheReferenceFolder) {
  struct Case {
    const char16_t *reference, *target, *expected;
  } cases[] = {
      // The folder given with its trailing backslash, as the installer does.
      {u"D:\\Games\\", u"D:\\Games\\PlayCrate.exe", u".\\PlayCrate.exe"},
      {u"C:\\MyLink.lnk", u"C:\\MyDocs\\MyFile.txt", u".\\MyDocs\\MyFile.txt"},
      {u"C:\\users\\Public\\Desktop\\Halvane.lnk", u"c:\\program files\\Halvane\\PlayCrate.exe",
       u"..\\..\\..\\program files\\Halvane\\PlayCrate.exe"},
      {u"C:\\A\\b\\c.lnk", u"C:\\a\\B\\d\\e.exe", u".\\d\\e.exe"},
      {u"\\\\srv\\share\\x\\l.lnk", u"\\\\SRV\\share\\y.exe", u"..\\y.exe"},
      // No common root: no relative path.
      {u"C:\\a\\l.lnk", u"D:\\a\\t.exe", u""},
      {u"\\\\srv\\one\\l.lnk", u"\\\\srv\\two\\t.exe", u""},
      {u"C:\\a\\l.lnk", u"\\\\srv\\a\\t.exe", u""},
      {u"C:\\a\\", u"C:\\", u""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Platform::RelativePathTo(c.reference, c.target), c.expected)
        << std::string(c.reference, c.reference + std::char_traits<char16_t>::length(c.reference));
}

}  // namespace

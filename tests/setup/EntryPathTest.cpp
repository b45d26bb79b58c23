#include <gtest/gtest.h>

#include <string>

#include "Platform/Text/Utf.h"
#include "setup/ExtractionPaths.h"

namespace {

constexpr WCHAR kDestination[] = u"C:\\Games\\Halvane\\";

std::u16string Resolve(const std::u16string& name, const WCHAR* destination = kDestination) {
  WCHAR out[MAX_PATH];
  if (!ResolveEntryPath(destination, name.c_str(), out)) return u"<refused>";
  return out;
}

TEST(EntryPath, NamesInsideTheDestination) {
  EXPECT_EQ(Resolve(u"PlayCrate.exe"), u"C:\\Games\\Halvane\\PlayCrate.exe");
  EXPECT_EQ(Resolve(u"img/a.bmp"), u"C:\\Games\\Halvane\\img\\a.bmp");
  EXPECT_EQ(Resolve(u"img\\a.bmp"), u"C:\\Games\\Halvane\\img\\a.bmp");
  EXPECT_EQ(Resolve(u"./img//a.bmp"), u"C:\\Games\\Halvane\\img\\a.bmp");
  EXPECT_EQ(Resolve(u"img/"), u"C:\\Games\\Halvane\\img");
  EXPECT_EQ(Resolve(u"图片/中文名.txt"), u"C:\\Games\\Halvane\\图片\\中文名.txt");
  EXPECT_EQ(Resolve(u"a..b/..c/d.."), u"C:\\Games\\Halvane\\a..b\\..c\\d..");
}

TEST(EntryPath, NamesThatWouldLeaveTheDestinationAreRefused) {
  for (const char16_t* name : {u"../evil.txt",
                               u"..\\evil.txt",
                               u"img/../../evil.txt",
                               u"img/..",
                               u"..",
                               u"/etc/passwd",
                               u"\\Windows\\evil.dll",
                               u"C:evil.txt",
                               u"C:\\evil.txt",
                               u"C:/evil.txt",
                               u"img/a.txt:stream",
                               u"...",
                               u"img/.../x",
                               u". .",
                               u".. /x",
                               u"img/.. ",
                               u"",
                               u".",
                               u"./",
                               u"//",
                               u"\\\\server\\share\\x"}) {
    EXPECT_EQ(Resolve(name), u"<refused>") << Platform::Utf16ToUtf8(name);
  }
}

TEST(EntryPath, PathsOver259CharactersAreRefused) {
  std::u16string destination = kDestination;  // 17 characters
  std::u16string fits(259 - destination.size(), u'x');
  EXPECT_EQ(Resolve(fits).size(), 259u);
  EXPECT_EQ(Resolve(fits + u"y"), u"<refused>");
  EXPECT_EQ(Resolve(u"dir/" + fits.substr(4)).size(), 259u);
  EXPECT_EQ(Resolve(u"dir/" + fits.substr(3)), u"<refused>");

  std::u16string longDestination = u"C:\\" + std::u16string(254, u'd') + u"\\";  // 258
  EXPECT_EQ(Resolve(u"a", longDestination.c_str()).size(), 259u);
  EXPECT_EQ(Resolve(u"ab", longDestination.c_str()), u"<refused>");
}

}  // namespace

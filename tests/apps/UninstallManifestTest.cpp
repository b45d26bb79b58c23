// The install list decides what the uninstaller deletes: only a list that is whole and names
// nothing outside the install is taken, and it is taken in its own order.
#include <gtest/gtest.h>

#include <string>

#include "apps/uninstaller/UninstallManifest.h"

namespace {

bool Parses(const std::string& text, ManifestEntries* entries) {
  return ParseManifest(text.data(), text.size(), entries);
}

TEST(UninstallManifest, ReadsEveryKindInOrder) {
  ManifestEntries entries;
  ASSERT_TRUE(Parses(
      "HalvaneInstall 1\r\nD .\r\nD img\r\nF img\\a.bmp\r\nF 读我.txt\r\n"
      "L C:\\users\\Public\\Desktop\\Halvane.lnk\r\nP C:\\Program Files\\Halvane\\\\Halvane.lnk\r\n",
      &entries))
      << GetLastError();
  const struct {
    ManifestKind kind;
    std::u16string path;
  } expected[] = {
      {ManifestKind::Folder, u"."},
      {ManifestKind::Folder, u"img"},
      {ManifestKind::File, u"img\\a.bmp"},
      {ManifestKind::File, u"读我.txt"},
      {ManifestKind::Shortcut, u"C:\\users\\Public\\Desktop\\Halvane.lnk"},
      {ManifestKind::Pin, u"C:\\Program Files\\Halvane\\\\Halvane.lnk"},
  };
  ASSERT_EQ(entries.size(), std::size(expected));
  for (size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(entries[i].kind, expected[i].kind) << i;
    EXPECT_EQ(std::u16string(entries[i].path.begin(), entries[i].path.end()), expected[i].path);
  }
}

TEST(UninstallManifest, EmptyListIsValid) {
  ManifestEntries entries;
  EXPECT_TRUE(Parses("HalvaneInstall 1\r\n", &entries));
  EXPECT_TRUE(entries.empty());
}

TEST(UninstallManifest, RefusesDoubtfulListsWhole) {
  const char* const refused[] = {
      "",
      "HalvaneInstall 2\r\nF a\r\n",
      "\xEF\xBB\xBFHalvaneInstall 1\r\nF a\r\n",  // byte-order mark
      "HalvaneInstall 1\nF a\n",                   // bare line feeds
      "HalvaneInstall 1\r\nF a",                   // last line cut off
      "HalvaneInstall 1\r\nX a\r\n",
      "HalvaneInstall 1\r\nF\r\n",
      "HalvaneInstall 1\r\nFa\r\n",
      "HalvaneInstall 1\r\nF ..\\..\\Windows\\win.ini\r\n",
      "HalvaneInstall 1\r\nF img\\..\\..\\x\r\n",
      "HalvaneInstall 1\r\nD ..\r\n",
      "HalvaneInstall 1\r\nF C:\\Windows\\win.ini\r\n",
      "HalvaneInstall 1\r\nF \\Windows\\win.ini\r\n",
      "HalvaneInstall 1\r\nF img/../x\r\n",
      "HalvaneInstall 1\r\nF a\\\\b\r\n",
      "HalvaneInstall 1\r\nF a*b\r\n",
      "HalvaneInstall 1\r\nF .\r\n",
      "HalvaneInstall 1\r\nL Halvane.lnk\r\n",
      "HalvaneInstall 1\r\nL C:\\a\\..\\..\\b.lnk\r\n",
      "HalvaneInstall 1\r\nP \\\\server\\share\\x.lnk\r\n",
      "HalvaneInstall 1\r\nF \xC3\x28\r\n",  // not UTF-8
      "HalvaneInstall 1\r\nF a\rb\r\n",
  };
  for (const char* text : refused) {
    ManifestEntries entries{{ManifestKind::File, u"left over"}};
    SetLastError(0);
    EXPECT_FALSE(Parses(text, &entries)) << text;
    EXPECT_TRUE(entries.empty()) << text;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA)) << text;
  }
}

}  // namespace

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "Core/SkinMarkup.h"
#include "Core/UIManager.h"
#include "Platform/Kernel/PathMap.h"
#include "support/SkinSettingsScope.h"
#include "support/TestData.h"
#include "support/TestPrefix.h"

using namespace SkinUI;

namespace {

std::u16string Str(LPCWSTR text) { return text ? std::u16string(text) : u"<null>"; }

std::string Document(size_t size) {
  const std::string head = "<Window name=\"limit\">", tail = "</Window>";
  return head + std::string(size - head.size() - tail.size(), ' ') + tail;
}

class SkinMarkupFile : public ::testing::Test {
 protected:
  void SetUp() override {
    m_folder = m_prefix.Scratch() / "skin";
    std::filesystem::create_directories(m_folder);
    CPaintManagerUI::SetResourceFolder(Platform::PosixToWindowsPath(m_folder.string()).c_str());
  }

  // Loads `name` and answers the root's name, or the error message and location.
  std::u16string Load(LPCWSTR name, MarkupEncoding encoding = MarkupEncoding::Utf8) {
    if (!m_markup.LoadFile(name, encoding))
      return u"error: " + Str(m_markup.GetLastErrorMessage()) + u" @" +
             Str(m_markup.GetLastErrorLocation());
    CSkinMarkupNode root = m_markup.GetRoot();
    return root.IsValid() ? Str(root.GetName()) : u"<no root>";
  }

  TestSupport::TestPrefix m_prefix;
  TestSupport::SkinSettingsScope m_settings;
  std::filesystem::path m_folder;
  CSkinMarkup m_markup;
};

TEST_F(SkinMarkupFile, LooseFilesInTheResourceFolder) {
  TestSupport::WriteFile(m_folder / "skin.xml", "<Window><Label/></Window>");
  TestSupport::WriteFile(m_folder / "sub" / "Dialog.xml", "\xEF\xBB\xBF<Dialog/>");
  TestSupport::WriteFile(m_folder / "empty.xml", "");
  EXPECT_EQ(u"Window", Load(u"skin.xml"));
  EXPECT_EQ(u"Dialog", Load(u"sub\\Dialog.xml"));
  EXPECT_EQ(u"error: Error opening file @", Load(u"missing.xml"));
  EXPECT_EQ(u"error: File is empty @", Load(u"empty.xml"));
  // The folder is always put in front, also before a full path.
  const std::u16string full = Platform::PosixToWindowsPath((m_folder / "skin.xml").string());
  EXPECT_EQ(u"error: Error opening file @", Load(full.c_str()));
  EXPECT_FALSE(m_markup.GetRoot().IsValid());
}

TEST_F(SkinMarkupFile, SizeLimitOfLooseFiles) {
  TestSupport::WriteFile(m_folder / "exact.xml", Document(4194304));
  TestSupport::WriteFile(m_folder / "over.xml", Document(4194305));
  EXPECT_EQ(u"Window", Load(u"exact.xml"));
  EXPECT_EQ(u"error: File too large @", Load(u"over.xml"));
}

TEST_F(SkinMarkupFile, EncodedFiles) {
  for (const char* name : {"utf16le.xml", "utf16be.xml", "utf8bom.xml"})
    TestSupport::WriteFile(m_folder / name,
                           TestSupport::ReadDataFile(std::string("markup/") + name));
  EXPECT_EQ(u"Window", Load(u"utf16le.xml", MarkupEncoding::Utf16));
  EXPECT_EQ(u"Window", Load(u"utf16be.xml", MarkupEncoding::Utf16));
  EXPECT_EQ(u"Window", Load(u"utf8bom.xml"));
  // Read as UTF-8, the byte-order mark becomes two replacement characters and the first
  // zero byte ends the text.
  EXPECT_EQ(u"error: Expected start tag @\uFFFD\uFFFD<", Load(u"utf16le.xml"));
}

TEST_F(SkinMarkupFile, EntriesOfAnArchiveInMemory) {
  std::string zip = TestSupport::ReadDataFile("skin/deflated.zip");
  CPaintManagerUI::SetResourceZipBuffer(zip.data(), static_cast<unsigned>(zip.size()));
  EXPECT_EQ(u"Window", Load(u"Skin.XML"));
  CSkinMarkupNode window = m_markup.GetRoot();
  EXPECT_EQ(u"Font", Str(window.GetFirstChild().GetName()));
  EXPECT_EQ(u"error: Could not find ziped file @", Load(u"missing.xml"));
  EXPECT_EQ(u"error: File is empty @", Load(u"empty.txt"));
  // A PNG is found and read, and then fails as markup.
  EXPECT_EQ(u"error: Expected start tag @", Load(u"sub\\a.png").substr(0, 27));
}

TEST_F(SkinMarkupFile, SizeLimitOfArchiveEntries) {
  std::string zip = TestSupport::ReadDataFile("skin/limit.zip");
  CPaintManagerUI::SetResourceZipBuffer(zip.data(), static_cast<unsigned>(zip.size()));
  EXPECT_EQ(u"Window", Load(u"exact.xml"));
  EXPECT_EQ(u"error: File too large @", Load(u"over.xml"));
}

TEST_F(SkinMarkupFile, DamagedEntryCannotBeUnzipped) {
  std::string zip = TestSupport::ReadDataFile("skin/deflated.zip");
  // Overwrite the middle of the deflated layout, the first entry.
  ASSERT_EQ(0u, zip.find("PK\x03\x04"));
  const size_t at =
      30 + (static_cast<unsigned char>(zip[26]) | static_cast<unsigned char>(zip[27]) << 8) +
      (static_cast<unsigned char>(zip[28]) | static_cast<unsigned char>(zip[29]) << 8) + 40;
  for (size_t i = 0; i < 30; ++i) zip[at + i] = static_cast<char>(0x5A ^ i);
  CPaintManagerUI::SetResourceZipBuffer(zip.data(), static_cast<unsigned>(zip.size()));
  EXPECT_EQ(u"error: Could not unzip file @", Load(u"skin.xml"));
}

TEST_F(SkinMarkupFile, ArchiveFileOpenedForEachLoad) {
  TestSupport::WriteFile(m_folder / "skin.zip", TestSupport::ReadDataFile("skin/python.zip"));
  TestSupport::WriteFile(m_folder / "broken.zip", "PK\x03\x04 but nothing more");
  CPaintManagerUI::SetResourceZip(u"skin.zip");
  EXPECT_FALSE(CPaintManagerUI::IsZipKeptOpen());
  EXPECT_EQ(u"Window", Load(u"SKIN.xml"));
  EXPECT_EQ(u"error: Could not find ziped file @", Load(u"nothing.xml"));
  // Each load opens the file again: replacing it changes what the next load finds.
  TestSupport::WriteFile(m_folder / "skin.zip", TestSupport::ReadDataFile("skin/limit.zip"));
  EXPECT_EQ(u"error: Could not find ziped file @", Load(u"skin.xml"));
  CPaintManagerUI::SetResourceZip(u"broken.zip");
  EXPECT_EQ(u"error: Error opening zip file @", Load(u"skin.xml"));
  CPaintManagerUI::SetResourceZip(u"absent.zip");
  EXPECT_EQ(u"error: Error opening zip file @", Load(u"skin.xml"));
}

}  // namespace

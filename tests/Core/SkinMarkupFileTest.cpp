#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "Core/SkinMarkup.h"
#include "Core/UIManager.h"
#include "support/SkinSettingsScope.h"
#include "support/TestData.h"
#include "support/TestPrefix.h"
#include "support/WideString.h"
#include "support/WindowsPath.h"

using namespace SkinUI;

namespace {

WString Str(LPCWSTR text) { return text ? WString(text) : TEXT("<null>"); }

std::string Document(size_t size) {
  const std::string head = "<Window name=\"limit\">", tail = "</Window>";
  return head + std::string(size - head.size() - tail.size(), ' ') + tail;
}

class SkinMarkupFile : public ::testing::Test {
 protected:
  void SetUp() override {
    m_folder = m_prefix.Scratch() / "skin";
    std::filesystem::create_directories(m_folder);
    CPaintManagerUI::SetResourceFolder(TestSupport::WindowsPath(m_folder).c_str());
  }

  // Loads `name` and answers the root's name, or the error message and location.
  WString Load(LPCWSTR name, MarkupEncoding encoding = MarkupEncoding::Utf8) {
    if (!m_markup.LoadFile(name, encoding))
      return TEXT("error: ") + Str(m_markup.GetLastErrorMessage()) + TEXT(" @") +
             Str(m_markup.GetLastErrorLocation());
    CSkinMarkupNode root = m_markup.GetRoot();
    return root.IsValid() ? Str(root.GetName()) : TEXT("<no root>");
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
  EXPECT_EQ(TEXT("Window"), Load(TEXT("skin.xml")));
  EXPECT_EQ(TEXT("Dialog"), Load(TEXT("sub\\Dialog.xml")));
  EXPECT_EQ(TEXT("error: Error opening file @"), Load(TEXT("missing.xml")));
  EXPECT_EQ(TEXT("error: File is empty @"), Load(TEXT("empty.xml")));
  // The folder is always put in front, also before a full path.
  const WString full = TestSupport::WindowsPath((m_folder / "skin.xml"));
  EXPECT_EQ(TEXT("error: Error opening file @"), Load(full.c_str()));
  EXPECT_FALSE(m_markup.GetRoot().IsValid());
}

TEST_F(SkinMarkupFile, SizeLimitOfLooseFiles) {
  TestSupport::WriteFile(m_folder / "exact.xml", Document(4194304));
  TestSupport::WriteFile(m_folder / "over.xml", Document(4194305));
  EXPECT_EQ(TEXT("Window"), Load(TEXT("exact.xml")));
  EXPECT_EQ(TEXT("error: File too large @"), Load(TEXT("over.xml")));
}

TEST_F(SkinMarkupFile, EncodedFiles) {
  for (const char* name : {"utf16le.xml", "utf16be.xml", "utf8bom.xml"})
    TestSupport::WriteFile(m_folder / name,
                           TestSupport::ReadDataFile(std::string("markup/") + name));
  EXPECT_EQ(TEXT("Window"), Load(TEXT("utf16le.xml"), MarkupEncoding::Utf16));
  EXPECT_EQ(TEXT("Window"), Load(TEXT("utf16be.xml"), MarkupEncoding::Utf16));
  EXPECT_EQ(TEXT("Window"), Load(TEXT("utf8bom.xml")));
  // Read as UTF-8, the byte-order mark becomes two replacement characters and the first
  // zero byte ends the text.
  EXPECT_EQ(TEXT("error: Expected start tag @\uFFFD\uFFFD<"), Load(TEXT("utf16le.xml")));
}

TEST_F(SkinMarkupFile, EntriesOfAnArchiveInMemory) {
  std::string zip = TestSupport::ReadDataFile("skin/deflated.zip");
  CPaintManagerUI::SetResourceZipBuffer(zip.data(), static_cast<unsigned>(zip.size()));
  EXPECT_EQ(TEXT("Window"), Load(TEXT("Skin.XML")));
  CSkinMarkupNode window = m_markup.GetRoot();
  EXPECT_EQ(TEXT("Font"), Str(window.GetFirstChild().GetName()));
  EXPECT_EQ(TEXT("error: Could not find ziped file @"), Load(TEXT("missing.xml")));
  EXPECT_EQ(TEXT("error: File is empty @"), Load(TEXT("empty.txt")));
  // A PNG is found and read, and then fails as markup.
  EXPECT_EQ(TEXT("error: Expected start tag @"), Load(TEXT("sub\\a.png")).substr(0, 27));
}

TEST_F(SkinMarkupFile, SizeLimitOfArchiveEntries) {
  std::string zip = TestSupport::ReadDataFile("skin/limit.zip");
  CPaintManagerUI::SetResourceZipBuffer(zip.data(), static_cast<unsigned>(zip.size()));
  EXPECT_EQ(TEXT("Window"), Load(TEXT("exact.xml")));
  EXPECT_EQ(TEXT("error: File too large @"), Load(TEXT("over.xml")));
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
  EXPECT_EQ(TEXT("error: Could not unzip file @"), Load(TEXT("skin.xml")));
}

TEST_F(SkinMarkupFile, ArchiveFileOpenedForEachLoad) {
  TestSupport::WriteFile(m_folder / "skin.zip", TestSupport::ReadDataFile("skin/python.zip"));
  TestSupport::WriteFile(m_folder / "broken.zip", "PK\x03\x04 but nothing more");
  CPaintManagerUI::SetResourceZip(TEXT("skin.zip"));
  EXPECT_FALSE(CPaintManagerUI::IsZipKeptOpen());
  EXPECT_EQ(TEXT("Window"), Load(TEXT("SKIN.xml")));
  EXPECT_EQ(TEXT("error: Could not find ziped file @"), Load(TEXT("nothing.xml")));
  // Each load opens the file again: replacing it changes what the next load finds.
  TestSupport::WriteFile(m_folder / "skin.zip", TestSupport::ReadDataFile("skin/limit.zip"));
  EXPECT_EQ(TEXT("error: Could not find ziped file @"), Load(TEXT("skin.xml")));
  CPaintManagerUI::SetResourceZip(TEXT("broken.zip"));
  EXPECT_EQ(TEXT("error: Error opening zip file @"), Load(TEXT("skin.xml")));
  CPaintManagerUI::SetResourceZip(TEXT("absent.zip"));
  EXPECT_EQ(TEXT("error: Error opening zip file @"), Load(TEXT("skin.xml")));
}

}  // namespace

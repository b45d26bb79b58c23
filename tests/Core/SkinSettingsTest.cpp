#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "Core/SkinArchive.h"
#include "Core/SkinMarkup.h"
#include "Core/UIManager.h"
#include "support/Drive.h"
#include "support/SkinSettingsScope.h"
#include "support/TestData.h"
#include "support/TestPrefix.h"
#include "support/WideString.h"
#include "support/WindowsPath.h"

using namespace SkinUI;

namespace {

WString Str(LPCWSTR text) { return text ? WString(text) : TEXT("<null>"); }

WString WindowsPath(const std::filesystem::path& posix) { return TestSupport::WindowsPath(posix); }

class SkinSettings : public ::testing::Test {
 protected:
  TestSupport::TestPrefix m_prefix;
  TestSupport::SkinSettingsScope m_settings;
};

TEST_F(SkinSettings, ResourceFolderEndsInASeparator) {
  CPaintManagerUI::SetResourceFolder(TEXT("C:\\skin"));
  EXPECT_EQ(TEXT("C:\\skin\\"), Str(CPaintManagerUI::ResourceFolder()));
  CPaintManagerUI::SetResourceFolder(TEXT("C:\\skin\\"));
  EXPECT_EQ(TEXT("C:\\skin\\"), Str(CPaintManagerUI::ResourceFolder()));
  CPaintManagerUI::SetResourceFolder(TEXT("skins/blue/"));
  EXPECT_EQ(TEXT("skins/blue/"), Str(CPaintManagerUI::ResourceFolder()));
  CPaintManagerUI::SetResourceFolder(TEXT(""));
  EXPECT_EQ(TEXT(""), Str(CPaintManagerUI::ResourceFolder()));
  CPaintManagerUI::SetResourceFolder(nullptr);
  EXPECT_EQ(TEXT(""), Str(CPaintManagerUI::ResourceFolder()));
}

TEST_F(SkinSettings, HueShiftIsFixed) {
  short h = 0, s = 0, l = 0;
  CPaintManagerUI::HueShift(&h, &s, &l);
  EXPECT_EQ(180, h);
  EXPECT_EQ(100, s);
  EXPECT_EQ(100, l);
}

TEST_F(SkinSettings, InstanceFolderIsTheModulesFolder) {
  EXPECT_EQ(nullptr, CPaintManagerUI::Instance());
  EXPECT_EQ(TEXT(""), Str(CPaintManagerUI::InstanceFolder()));
  HINSTANCE module = GetModuleHandleW(nullptr);
  CPaintManagerUI::SetInstance(module);
  EXPECT_EQ(module, CPaintManagerUI::Instance());
  EXPECT_EQ(module, CPaintManagerUI::ResourceModule());
  const WString folder = TestSupport::ProgramFolder() + TEXT("\\");
  EXPECT_EQ(folder, Str(CPaintManagerUI::InstanceFolder()));
}

TEST_F(SkinSettings, MemoryZipIsKeptOpenAndASecondBlockIsIgnored) {
  std::string first = TestSupport::ReadDataFile("skin/deflated.zip");
  std::string second = TestSupport::ReadDataFile("skin/python.zip");
  CPaintManagerUI::SetResourceZipBuffer(first.data(), static_cast<unsigned>(first.size()));
  EXPECT_EQ(TEXT("membuffer"), Str(CPaintManagerUI::ResourceZipName()));
  EXPECT_TRUE(CPaintManagerUI::IsZipKeptOpen());
  SkinArchive* kept = CPaintManagerUI::OpenZipHandle();
  ASSERT_NE(nullptr, kept);
  CPaintManagerUI::SetResourceZipBuffer(second.data(), static_cast<unsigned>(second.size()));
  EXPECT_EQ(kept, CPaintManagerUI::OpenZipHandle());
  // Still the first block: it has directory entries, the second has none.
  ArchiveEntry entry;
  EXPECT_EQ(kArchiveOk,
            FindArchiveEntry(CPaintManagerUI::OpenZipHandle(), TEXT("sub/"), true, &entry));
}

TEST_F(SkinSettings, SameZipSettingKeepsTheOpenArchive) {
  const std::filesystem::path folder = m_prefix.Scratch() / "skin";
  TestSupport::WriteFile(folder / "skin.zip", TestSupport::ReadDataFile("skin/deflated.zip"));
  CPaintManagerUI::SetResourceFolder(WindowsPath(folder).c_str());
  CPaintManagerUI::SetResourceZip(TEXT("skin.zip"), true);
  const auto opened = CPaintManagerUI::OpenZipHandle();
  ASSERT_NE(nullptr, opened);
  // Were the archive opened again, it would fail now (where an open file can be removed; where
  // it cannot, the handle shows it).
  std::error_code ec;
  std::filesystem::remove(folder / "skin.zip", ec);
  CPaintManagerUI::SetResourceZip(TEXT("skin.zip"), true);
  ASSERT_EQ(opened, CPaintManagerUI::OpenZipHandle());
  CSkinMarkup markup;
  EXPECT_TRUE(markup.LoadFile(TEXT("skin.xml")));
  // Changing only the flag closes it.
  CPaintManagerUI::SetResourceZip(TEXT("skin.zip"), false);
  EXPECT_EQ(nullptr, CPaintManagerUI::OpenZipHandle());
  std::filesystem::remove(folder / "skin.zip", ec);  // closed, it can go everywhere
  EXPECT_FALSE(CPaintManagerUI::IsZipKeptOpen());
  EXPECT_FALSE(markup.LoadFile(TEXT("skin.xml")));
  EXPECT_EQ(TEXT("Error opening zip file"), Str(markup.GetLastErrorMessage()));
}

TEST_F(SkinSettings, ZipThatCannotBeOpenedLeavesNoHandle) {
  CPaintManagerUI::SetResourceFolder(WindowsPath(m_prefix.Scratch()).c_str());
  CPaintManagerUI::SetResourceZip(TEXT("missing.zip"), true);
  EXPECT_TRUE(CPaintManagerUI::IsZipKeptOpen());
  EXPECT_EQ(nullptr, CPaintManagerUI::OpenZipHandle());
  CSkinMarkup markup;
  EXPECT_FALSE(markup.LoadFile(TEXT("skin.xml")));
  EXPECT_EQ(TEXT("Error opening zip file"), Str(markup.GetLastErrorMessage()));
  const std::string garbage = "this is no zip";
  CPaintManagerUI::SetResourceZipBuffer(const_cast<char*>(garbage.data()),
                                        static_cast<unsigned>(garbage.size()));
  EXPECT_EQ(nullptr, CPaintManagerUI::OpenZipHandle());
  EXPECT_FALSE(markup.LoadFile(TEXT("skin.xml")));
  EXPECT_EQ(TEXT("Error opening zip file"), Str(markup.GetLastErrorMessage()));
}

}  // namespace

#include <gtest/gtest.h>

#include <filesystem>

#include "Platform/Kernel/PathMap.h"
#include "Platform/Text/Utf.h"
#include "Platform/Win32.h"
#include "support/TestPrefix.h"

namespace {

namespace fs = std::filesystem;

class SpecialFolders : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
  void TearDown() override { CoUninitialize(); }

  std::u16string Profile() const { return u"C:\\users\\" + Platform::PrefixUserName(); }

  // The path through the item-list route the installer uses.
  static std::u16string ViaLocation(int csidl) {
    PIDLIST_ABSOLUTE list = nullptr;
    if (SHGetSpecialFolderLocation(nullptr, csidl, &list) != S_OK) return u"<failed>";
    WCHAR path[MAX_PATH] = u"";
    BOOL ok = SHGetPathFromIDListW(list, path);
    CoTaskMemFree(list);
    return ok ? path : u"<no path>";
  }

  static std::u16string ViaFolderPath(int csidl) {
    WCHAR path[MAX_PATH] = u"";
    return SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path) == S_OK
               ? path
               : u"<failed>";
  }

  TestSupport::TestPrefix m_prefix;
};

TEST_F(SpecialFolders, FoldersTheInstallerUsesMapIntoDriveC) {
  struct Case {
    int csidl;
    std::u16string path;
  } cases[] = {
      {CSIDL_PROGRAM_FILES, u"C:\\Program Files"},
      {CSIDL_COMMON_DESKTOPDIRECTORY, u"C:\\users\\Public\\Desktop"},
      {CSIDL_PROGRAMS, Profile() + u"\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs"},
      {CSIDL_APPDATA, Profile() + u"\\AppData\\Roaming"},
      {CSIDL_DESKTOPDIRECTORY, Profile() + u"\\Desktop"},
      {CSIDL_COMMON_PROGRAMS, u"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs"},
      {CSIDL_LOCAL_APPDATA, Profile() + u"\\AppData\\Local"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ViaLocation(c.csidl), c.path) << c.csidl;
    EXPECT_EQ(ViaFolderPath(c.csidl), c.path) << c.csidl;
    EXPECT_EQ(ViaFolderPath(c.csidl | CSIDL_FLAG_CREATE), c.path) << c.csidl;
    DWORD attributes = GetFileAttributesW(c.path.c_str());
    EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES) << c.csidl;
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY) << c.csidl;
  }
}

TEST_F(SpecialFolders, MissingFoldersAreMadeAgain) {
  std::u16string programs = ViaFolderPath(CSIDL_PROGRAMS);
  std::string posix;
  ASSERT_EQ(ERROR_SUCCESS, Platform::MapWindowsPath(programs, &posix));
  fs::remove_all(fs::path(posix).parent_path().parent_path());  // ...\Microsoft\Windows
  EXPECT_FALSE(fs::exists(posix));
  EXPECT_EQ(ViaLocation(CSIDL_PROGRAMS), programs);
  EXPECT_TRUE(fs::is_directory(posix));
}

TEST_F(SpecialFolders, TheDesktopIsTheEmptyListAndStandsForTheUsersDesktop) {
  PIDLIST_ABSOLUTE list = nullptr;
  ASSERT_EQ(S_OK, SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &list));
  EXPECT_EQ(ILGetSize(list), 2u);
  WCHAR path[MAX_PATH];
  ASSERT_TRUE(SHGetPathFromIDListW(list, path));
  EXPECT_EQ(std::u16string(path), Profile() + u"\\Desktop");
  ILFree(list);
}

TEST_F(SpecialFolders, UnknownFoldersAndBadArgumentsFail) {
  PIDLIST_ABSOLUTE list = reinterpret_cast<PIDLIST_ABSOLUTE>(1);
  EXPECT_EQ(E_INVALIDARG, SHGetSpecialFolderLocation(nullptr, 0x00FE, &list));
  EXPECT_EQ(list, nullptr);
  EXPECT_EQ(E_INVALIDARG, SHGetSpecialFolderLocation(nullptr, CSIDL_APPDATA, nullptr));
  WCHAR path[MAX_PATH] = u"junk";
  EXPECT_EQ(E_INVALIDARG, SHGetFolderPathW(nullptr, 0x00FE, nullptr, 0, path));
  EXPECT_EQ(path[0], 0);
  EXPECT_EQ(E_INVALIDARG, SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 7, path));
  EXPECT_TRUE(SHGetSpecialFolderPathW(nullptr, path, CSIDL_PROGRAM_FILES, TRUE));
  EXPECT_EQ(std::u16string(path), u"C:\\Program Files");
}

}  // namespace

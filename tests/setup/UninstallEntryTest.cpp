#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "RegistryProbe.h"
#include "setup/InstallRecords.h"
#include "support/TestPrefix.h"

namespace {

const std::u16string kUninstallKey =
    u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Halvane";

std::string Bytes(const std::u16string& text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
}

TEST(UninstallEntry, UninstallEntryValuesInOrderAndOverwrittenOnReinstall) {
  TestSupport::TestPrefix prefix;
  SetRegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, u"DisplayName", u"an older name");
  ASSERT_TRUE(RegisterUninstallEntry(u"D:\\Games\\Halvane\\PlayCrate.exe"));
  const std::u16string dir = u"D:\\Games\\Halvane\\";
  EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, kUninstallKey, u"DisplayName"),
            (RegValue{REG_SZ, Bytes(u"Halvane卸载")}));
  EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, kUninstallKey, u"DisplayVersion"),
            (RegValue{REG_SZ, Bytes(u"1.0.0.0")}));
  EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, kUninstallKey, u"Publisher"), (RegValue{REG_SZ, ""}));
  EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, kUninstallKey, u"UninstallString"),
            (RegValue{REG_SZ, Bytes(dir + u"Uninstall.exe")}));
  EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, kUninstallKey, u"DisplayIcon"),
            (RegValue{REG_SZ, Bytes(dir + u"PlayCrate.exe")}));
  EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, kUninstallKey, u"InstallPath"),
            (RegValue{REG_SZ, Bytes(dir)}));

  ASSERT_TRUE(RegisterUninstallEntry(u"C:\\Program Files\\Halvane\\PlayCrate.exe"));
  EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, kUninstallKey, u"UninstallString").data,
            Bytes(u"C:\\Program Files\\Halvane\\Uninstall.exe"));
}

TEST(UninstallEntry, SixtyFourBitViewOnlyForA32BitProcessOnA64BitSystem) {
  TestSupport::TestPrefix prefix;
  std::filesystem::create_directories(prefix.Path());
  std::ofstream(prefix.Path() / "wow64") << "1";
  EXPECT_EQ(UninstallKeyAccess(), 0xF013Fu);
  std::ofstream(prefix.Path() / "wow64") << "0";
  EXPECT_EQ(UninstallKeyAccess(), 0xF003Fu);
}

}  // namespace

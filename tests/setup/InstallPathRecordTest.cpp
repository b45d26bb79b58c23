#include <gtest/gtest.h>

#include <string>

#include "RegistryProbe.h"
#include "setup/InstallRecords.h"
#include "support/TestPrefix.h"

namespace {

const std::u16string kUserKey = u"Software\\Halvane";

std::string Bytes(const std::u16string& text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
}

TEST(InstallPathRecord, FirstRunFindsNothingButLeavesTheKey) {
  TestSupport::TestPrefix prefix;
  WCHAR buffer[MAX_PATH] = {};
  EXPECT_FALSE(ReadInstallPath(buffer));
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kUserKey.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
  RegCloseKey(key);
}

TEST(InstallPathRecord, InstallPathIsStoredWithoutTerminatorAndReadBack) {
  TestSupport::TestPrefix prefix;
  ASSERT_TRUE(WriteInstallPath(u"D:\\Games\\Halvane\\"));
  EXPECT_EQ(RegistryValue(HKEY_CURRENT_USER, kUserKey, u"InstallPath"),
            (RegValue{REG_SZ, Bytes(u"D:\\Games\\Halvane\\")}));
  WCHAR buffer[MAX_PATH] = {};
  ASSERT_TRUE(ReadInstallPath(buffer));
  EXPECT_EQ(std::u16string(buffer), u"D:\\Games\\Halvane\\");
}

TEST(InstallPathRecord, EmptyAndOverlongValuesCountAsAbsent) {
  TestSupport::TestPrefix prefix;
  SetRegistryText(HKEY_CURRENT_USER, kUserKey, u"InstallPath", u"");
  WCHAR buffer[MAX_PATH] = {};
  EXPECT_FALSE(ReadInstallPath(buffer));

  std::u16string longest(259, u'x');
  SetRegistryText(HKEY_CURRENT_USER, kUserKey, u"InstallPath", longest);
  ASSERT_TRUE(ReadInstallPath(buffer));
  EXPECT_EQ(std::u16string(buffer), longest);  // the zeroed last character terminates it

  WCHAR fresh[MAX_PATH] = {};
  SetRegistryText(HKEY_CURRENT_USER, kUserKey, u"InstallPath", longest + u"y");
  EXPECT_FALSE(ReadInstallPath(fresh));
  EXPECT_EQ(fresh[MAX_PATH - 1], 0);
}

}  // namespace

#include <cstring>
#include <vector>

#include "RegistryFixture.h"

namespace RegistryTests {
namespace {

using RegistryKeys = RegistryTest;

std::vector<std::u16string> SubkeyNames(HKEY key) {
  std::vector<std::u16string> names;
  for (DWORD i = 0;; ++i) {
    WCHAR name[256];
    DWORD chars = 256;
    LSTATUS rc = RegEnumKeyExW(key, i, name, &chars, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    EXPECT_EQ(rc, ERROR_SUCCESS);
    if (rc != ERROR_SUCCESS) break;
    names.emplace_back(name, chars);
  }
  return names;
}

TEST_F(RegistryKeys, CreateReportsNewOrExistingAndMakesEveryLevel) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  ASSERT_EQ(
      ERROR_SUCCESS,
      RegCreateKeyExW(HKEY_LOCAL_MACHINE,
                      u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Halvane", 0,
                      nullptr, REG_OPTION_NON_VOLATILE, 0xF003F, nullptr, &key, &disposition));
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  RegCloseKey(key);
  // The same key through the 64-bit view mask, spelt in another case.
  ASSERT_EQ(ERROR_SUCCESS,
            RegCreateKeyExW(HKEY_LOCAL_MACHINE,
                            u"software\\MICROSOFT\\windows\\currentversion\\uninstall\\halvane", 0,
                            nullptr, 0, 0xF013F, nullptr, &key, &disposition));
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
  RegCloseKey(key);
  HKEY middle = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Microsoft\\Windows", 0,
                                         KEY_READ, &middle));
  EXPECT_EQ(SubkeyNames(middle), std::vector<std::u16string>{u"CurrentVersion"});
  RegCloseKey(middle);
}

TEST_F(RegistryKeys, KeyNamesIgnoreCaseBeyondAsciiAndKeepTheirSpelling) {
  RegCloseKey(Create(u"Software\\\u00C4rger\\\u041A\u043B\u044E\u0447"));  // Ärger\Ключ
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS,
            RegOpenKeyExW(HKEY_CURRENT_USER, u"SOFTWARE\\\u00E4RGER\\\u041A\u041B\u042E\u0427", 0,
                          KEY_READ, &key));
  RegCloseKey(key);
  ASSERT_EQ(ERROR_SUCCESS,
            RegOpenKeyExW(HKEY_CURRENT_USER, u"software\\\u00E4rger", 0, KEY_READ, &key));
  EXPECT_EQ(SubkeyNames(key), std::vector<std::u16string>{u"\u041A\u043B\u044E\u0447"});
  RegCloseKey(key);
  // Different letters stay different keys.
  EXPECT_EQ(ERROR_FILE_NOT_FOUND,
            RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Arger", 0, KEY_READ, &key));
}

TEST_F(RegistryKeys, OpeningAMissingKeyFailsAndLeavesNothing) {
  HKEY key = reinterpret_cast<HKEY>(0x1234);
  EXPECT_EQ(ERROR_FILE_NOT_FOUND,
            RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Missing\\Deeper", 0, KEY_READ, &key));
  EXPECT_EQ(key, nullptr);
  EXPECT_EQ(ERROR_FILE_NOT_FOUND,
            RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Missing", 0, KEY_READ, &key));
}

TEST_F(RegistryKeys, EmptySubkeyGivesAHandleToTheSameKey) {
  HKEY key = Create(u"Software\\Same");
  HKEY again = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(key, u"", 0, KEY_ALL_ACCESS, &again));
  EXPECT_NE(again, key);
  ASSERT_EQ(ERROR_SUCCESS, SetBytes(again, u"v", REG_SZ, "1"));
  RegCloseKey(again);
  EXPECT_EQ(Bytes(key, u"v"), "1");
  // RegCreateKeyW without a subkey hands back the handle it was given.
  HKEY same = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyW(HKEY_CURRENT_USER, nullptr, &same));
  EXPECT_EQ(same, HKEY_CURRENT_USER);
  RegCloseKey(key);
}

TEST_F(RegistryKeys, MalformedPathsAndHandles) {
  HKEY key = nullptr;
  EXPECT_EQ(ERROR_BAD_PATHNAME, RegCreateKeyExW(HKEY_CURRENT_USER, u"\\Software\\X", 0, nullptr, 0,
                                                KEY_ALL_ACCESS, nullptr, &key, nullptr));
  EXPECT_EQ(ERROR_BAD_PATHNAME, RegCreateKeyExW(HKEY_CURRENT_USER, u"Software\\\\X", 0, nullptr, 0,
                                                KEY_ALL_ACCESS, nullptr, &key, nullptr));
  EXPECT_EQ(ERROR_INVALID_PARAMETER, RegCreateKeyExW(HKEY_CURRENT_USER, nullptr, 0, nullptr, 0,
                                                     KEY_ALL_ACCESS, nullptr, &key, nullptr));
  std::u16string longest(255, u'k'), tooLong(256, u'k');
  HKEY ok = Create((u"Software\\" + longest).c_str());
  EXPECT_NE(ok, nullptr);
  RegCloseKey(ok);
  EXPECT_EQ(ERROR_INVALID_PARAMETER,
            RegCreateKeyExW(HKEY_CURRENT_USER, (u"Software\\" + tooLong).c_str(), 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr));
  // One trailing backslash is harmless.
  HKEY trailing = Create(u"Software\\Trailing\\");
  EXPECT_NE(trailing, nullptr);
  RegCloseKey(trailing);
  EXPECT_EQ(
      ERROR_INVALID_PARAMETER,
      RegCreateKeyExW(HKEY_CURRENT_USER, u"Software\\Both", 0, nullptr, 0,
                      KEY_ALL_ACCESS | KEY_WOW64_32KEY | KEY_WOW64_64KEY, nullptr, &key, nullptr));

  EXPECT_EQ(ERROR_INVALID_HANDLE,
            RegOpenKeyExW(reinterpret_cast<HKEY>(0x4321), u"x", 0, KEY_READ, &key));
  EXPECT_EQ(ERROR_INVALID_HANDLE, RegOpenKeyExW(nullptr, u"x", 0, KEY_READ, &key));
  EXPECT_EQ(ERROR_INVALID_HANDLE, RegOpenKeyExW(HKEY_CLASSES_ROOT, u"x", 0, KEY_READ, &key));
  HKEY closed = Create(u"Software\\Closed");
  EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(closed));
  EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(closed));
  EXPECT_EQ(ERROR_INVALID_HANDLE, SetBytes(closed, u"v", REG_SZ, "x"));
  EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(HKEY_LOCAL_MACHINE));
}

TEST_F(RegistryKeys, MachineTopLevelIsFixed) {
  HKEY key = nullptr;
  EXPECT_EQ(ERROR_ACCESS_DENIED, RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"Halvane", 0, nullptr, 0,
                                                 KEY_ALL_ACCESS, nullptr, &key, nullptr));
  EXPECT_EQ(ERROR_ACCESS_DENIED, RegDeleteKeyW(HKEY_LOCAL_MACHINE, u"SOFTWARE"));
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"software", 0, KEY_READ, &key));
  RegCloseKey(key);
  // The user's hive has no such rule.
  RegCloseKey(Create(u"Environment"));
}

TEST_F(RegistryKeys, ThirtyTwoBitViewIsRedirectedBelowSoftware) {
  HKEY key = Create(u"SOFTWARE\\Vendor", HKEY_LOCAL_MACHINE, KEY_ALL_ACCESS | KEY_WOW64_32KEY);
  ASSERT_EQ(ERROR_SUCCESS, SetBytes(key, u"view", REG_SZ, "32"));
  RegCloseKey(key);
  HKEY native = nullptr;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Vendor", 0,
                                                KEY_READ | KEY_WOW64_64KEY, &native));
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\WOW6432Node\\Vendor", 0,
                                         KEY_READ, &native));
  EXPECT_EQ(Bytes(native, u"view"), "32");
  RegCloseKey(native);
  // The user's hive is the same in both views.
  key = Create(u"Software\\Shared", HKEY_CURRENT_USER, KEY_ALL_ACCESS | KEY_WOW64_32KEY);
  RegCloseKey(key);
  ASSERT_EQ(ERROR_SUCCESS,
            RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Shared", 0, KEY_READ, &key));
  RegCloseKey(key);
}

TEST_F(RegistryKeys, DeleteOnlyLeavesAndReportsDeletedHandles) {
  HKEY parent = Create(u"Software\\Tree");
  HKEY leaf = Create(u"Software\\Tree\\Leaf");
  ASSERT_EQ(ERROR_SUCCESS, SetBytes(leaf, u"v", REG_SZ, "x"));
  EXPECT_EQ(ERROR_ACCESS_DENIED, RegDeleteKeyW(HKEY_CURRENT_USER, u"Software\\Tree"));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegDeleteKeyW(parent, u"Nothing"));
  EXPECT_EQ(ERROR_INVALID_PARAMETER, RegDeleteKeyW(parent, nullptr));
  ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyW(parent, u"LEAF"));
  // The open handle outlives its key and says so.
  EXPECT_EQ(ERROR_KEY_DELETED, SetBytes(leaf, u"v", REG_SZ, "y"));
  EXPECT_EQ(ERROR_KEY_DELETED, RegQueryValueExW(leaf, u"v", nullptr, nullptr, nullptr, nullptr));
  HKEY child = nullptr;
  EXPECT_EQ(ERROR_KEY_DELETED, RegCreateKeyExW(leaf, u"Child", 0, nullptr, 0, KEY_ALL_ACCESS,
                                               nullptr, &child, nullptr));
  // A key made again under the old name is a new key: the stale handle does not reach it.
  HKEY again = Create(u"Software\\Tree\\Leaf");
  EXPECT_EQ(Bytes(again, u"v"), std::nullopt);
  EXPECT_EQ(ERROR_KEY_DELETED, RegQueryValueExW(leaf, u"v", nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(leaf));
  RegCloseKey(again);
  // An empty subkey deletes the key of the handle itself.
  EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyW(HKEY_CURRENT_USER, u"Software\\Tree\\Leaf"));
  EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyW(parent, u""));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND,
            RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Tree", 0, KEY_READ, &child));
  RegCloseKey(parent);
}

TEST_F(RegistryKeys, SubkeysEnumerateAlphabeticallyWithoutRegardToCase) {
  HKEY root = Create(u"Software\\Order");
  for (const char16_t* name : {u"gamma", u"Beta", u"alpha", u"ALPHA2", u"\u00E9t\u00E9", u"Zulu"})
    RegCloseKey(Create((std::u16string(u"Software\\Order\\") + name).c_str()));
  EXPECT_EQ(SubkeyNames(root), (std::vector<std::u16string>{u"alpha", u"ALPHA2", u"Beta", u"gamma",
                                                            u"Zulu", u"\u00E9t\u00E9"}));
  RegCloseKey(root);
}

TEST_F(RegistryKeys, EnumerationBuffersAndClasses) {
  HKEY root = Create(u"Software\\Buffers");
  HKEY child = nullptr;
  WCHAR cls[] = u"MyClass";
  ASSERT_EQ(ERROR_SUCCESS,
            RegCreateKeyExW(root, u"Child", 0, cls, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr));
  RegCloseKey(child);
  WCHAR name[6];
  DWORD chars = 5;  // "Child" needs 6 with its terminator
  EXPECT_EQ(ERROR_MORE_DATA,
            RegEnumKeyExW(root, 0, name, &chars, nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(chars, 5u);
  chars = 6;
  WCHAR className[16];
  DWORD classChars = 16;
  FILETIME written{};
  ASSERT_EQ(ERROR_SUCCESS,
            RegEnumKeyExW(root, 0, name, &chars, nullptr, className, &classChars, &written));
  EXPECT_EQ(chars, 5u);
  EXPECT_EQ(std::u16string(name), u"Child");
  EXPECT_EQ(std::u16string(className, classChars), u"MyClass");
  EXPECT_GT(written.dwHighDateTime, 0x01D00000u);  // after 2014
  EXPECT_EQ(ERROR_NO_MORE_ITEMS,
            RegEnumKeyExW(root, 1, name, &chars, nullptr, nullptr, nullptr, nullptr));
  RegCloseKey(root);
}

TEST_F(RegistryKeys, ValuesEnumerateInTheOrderTheyWereFirstSet) {
  HKEY key = Create(u"Software\\Values");
  for (const char16_t* name : {u"DisplayName", u"DisplayVersion", u"Publisher", u"UninstallString"})
    ASSERT_EQ(ERROR_SUCCESS, SetBytes(key, name, REG_SZ, "x"));
  ASSERT_EQ(ERROR_SUCCESS, SetBytes(key, u"displayname", REG_SZ, "longer text"));
  ASSERT_EQ(ERROR_SUCCESS, RegDeleteValueW(key, u"DisplayVersion"));
  std::vector<std::u16string> names;
  std::vector<std::string> data;
  for (DWORD i = 0;; ++i) {
    WCHAR name[64];
    DWORD chars = 64, type = 0, size = 64;
    BYTE bytes[64];
    LSTATUS rc = RegEnumValueW(key, i, name, &chars, nullptr, &type, bytes, &size);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    ASSERT_EQ(rc, ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    names.emplace_back(name, chars);
    data.emplace_back(reinterpret_cast<char*>(bytes), size);
  }
  EXPECT_EQ(names, (std::vector<std::u16string>{u"DisplayName", u"Publisher", u"UninstallString"}));
  EXPECT_EQ(data, (std::vector<std::string>{"longer text", "x", "x"}));

  // Too small for the name: nothing; too small for the data: the name and the needed size.
  WCHAR name[64];
  DWORD chars = 11, size = 3;
  BYTE bytes[3];
  EXPECT_EQ(ERROR_MORE_DATA, RegEnumValueW(key, 0, name, &chars, nullptr, nullptr, bytes, &size));
  chars = 12;
  EXPECT_EQ(ERROR_MORE_DATA, RegEnumValueW(key, 0, name, &chars, nullptr, nullptr, bytes, &size));
  EXPECT_EQ(size, 11u);
  EXPECT_EQ(std::u16string(name, chars), u"DisplayName");
  size = 0;
  chars = 12;
  EXPECT_EQ(ERROR_SUCCESS, RegEnumValueW(key, 0, name, &chars, nullptr, nullptr, nullptr, &size));
  EXPECT_EQ(size, 11u);
  RegCloseKey(key);
}

TEST_F(RegistryKeys, RecordsLiveInTheDatabaseOfThePrefix) {
  HKEY key = Create(u"Software\\Persist");
  ASSERT_EQ(ERROR_SUCCESS, SetBytes(key, u"v", REG_SZ, "kept"));
  RegCloseKey(key);
  EXPECT_TRUE(std::filesystem::exists(Database()));
  // Another prefix has its own registry; coming back finds the record again.
  TestSupport::TempDir other("other-prefix");
  std::string mine = Prefix();
  setenv("SKINUI_PREFIX", other.Path().c_str(), 1);
  EXPECT_EQ(ERROR_FILE_NOT_FOUND,
            RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Persist", 0, KEY_READ, &key));
  setenv("SKINUI_PREFIX", mine.c_str(), 1);
  ASSERT_EQ(ERROR_SUCCESS,
            RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Persist", 0, KEY_READ, &key));
  EXPECT_EQ(Bytes(key, u"v"), "kept");
  RegCloseKey(key);
}

}  // namespace
}  // namespace RegistryTests

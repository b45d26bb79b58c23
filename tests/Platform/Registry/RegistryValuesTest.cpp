#include <cstring>

#include "RegistryFixture.h"

namespace RegistryTests {
namespace {

using RegistryValues = RegistryTest;

TEST_F(RegistryValues, TextWrittenWithoutTerminatorIsReadBackWithoutOne) {
  HKEY key = Create(u"Software\\Halvane");
  const std::u16string dir = u"D:\\Games\\Halvane\\";
  ASSERT_EQ(ERROR_SUCCESS, SetText(key, u"InstallPath", dir, false));

  DWORD type = 0, size = 0;
  ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, u"InstallPath", nullptr, &type, nullptr, &size));
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(size, dir.size() * 2);

  // The reader's zeroed buffer is what terminates the text; nothing past the data is written.
  WCHAR buffer[MAX_PATH];
  std::memset(buffer, 0xAB, sizeof buffer);
  buffer[dir.size()] = 0x7777;
  size = 259 * sizeof(WCHAR);
  ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, u"InstallPath", nullptr, nullptr,
                                            reinterpret_cast<BYTE*>(buffer), &size));
  EXPECT_EQ(size, dir.size() * 2);
  EXPECT_EQ(std::u16string(buffer, dir.size()), dir);
  EXPECT_EQ(buffer[dir.size()], 0x7777);

  ASSERT_EQ(ERROR_SUCCESS, SetText(key, u"WithNull", dir, true));
  EXPECT_EQ(Bytes(key, u"WithNull")->size(), (dir.size() + 1) * 2);
  RegCloseKey(key);
}

TEST_F(RegistryValues, SizesMissingValuesAndSmallBuffers) {
  HKEY key = Create(u"Software\\Sizes");
  ASSERT_EQ(ERROR_SUCCESS, SetBytes(key, u"blob", REG_BINARY, "0123456789"));

  DWORD size = 4, type = 99;
  BYTE small[4] = {1, 2, 3, 4};
  EXPECT_EQ(ERROR_MORE_DATA, RegQueryValueExW(key, u"blob", nullptr, &type, small, &size));
  EXPECT_EQ(size, 10u);
  EXPECT_EQ(type, REG_BINARY);

  BYTE exact[10];
  size = 10;
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, u"blob", nullptr, nullptr, exact, &size));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(exact), 10), "0123456789");

  // Existence and type alone, without any size.
  type = 0;
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, u"blob", nullptr, &type, nullptr, nullptr));
  EXPECT_EQ(type, REG_BINARY);

  size = 77;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueExW(key, u"nope", nullptr, &type, nullptr, &size));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegDeleteValueW(key, u"nope"));
  // A buffer without its size, or a reserved argument, is refused.
  EXPECT_EQ(ERROR_INVALID_PARAMETER,
            RegQueryValueExW(key, u"blob", nullptr, nullptr, exact, nullptr));
  DWORD reserved = 0;
  EXPECT_EQ(ERROR_INVALID_PARAMETER,
            RegQueryValueExW(key, u"blob", &reserved, nullptr, nullptr, &size));
  RegCloseKey(key);
}

TEST_F(RegistryValues, EmptyDataDefaultValueAndOverwrites) {
  HKEY key = Create(u"Software\\Edge");
  ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, u"Publisher", 0, REG_SZ, nullptr, 0));
  DWORD type = 0;
  EXPECT_EQ(Bytes(key, u"Publisher", &type), std::string());
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(ERROR_NOACCESS, RegSetValueExW(key, u"Broken", 0, REG_SZ, nullptr, 4));

  // Null and "" both name the default value.
  ASSERT_EQ(ERROR_SUCCESS, SetBytes(key, nullptr, REG_DWORD, std::string("\x01\x00\x00\x00", 4)));
  EXPECT_EQ(Bytes(key, u"", &type), std::string("\x01\x00\x00\x00", 4));
  EXPECT_EQ(type, REG_DWORD);

  // An overwrite replaces type and data entirely, also with shorter data.
  ASSERT_EQ(ERROR_SUCCESS, SetBytes(key, u"", REG_BINARY, "x"));
  EXPECT_EQ(Bytes(key, nullptr, &type), "x");
  EXPECT_EQ(type, REG_BINARY);

  ASSERT_EQ(ERROR_SUCCESS, RegDeleteValueW(key, nullptr));
  EXPECT_EQ(Bytes(key, u""), std::nullopt);
  RegCloseKey(key);
}

TEST_F(RegistryValues, BinaryDataWithEveryByteAndLargeValuesSurvive) {
  HKEY key = Create(u"Software\\Bytes");
  std::string all;
  for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
  std::string large(3 * 1024 * 1024, '\0');
  for (size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>(i * 131 >> 3);
  ASSERT_EQ(ERROR_SUCCESS, SetBytes(key, u"all", REG_NONE, all));
  ASSERT_EQ(ERROR_SUCCESS, SetBytes(key, u"large", REG_BINARY, large));
  EXPECT_EQ(Bytes(key, u"all"), all);
  EXPECT_EQ(Bytes(key, u"large"), large);
  RegCloseKey(key);
}

TEST_F(RegistryValues, ValueNamesIgnoreCaseButKeepTheirFirstSpelling) {
  HKEY key = Create(u"Software\\Names");
  ASSERT_EQ(ERROR_SUCCESS, SetBytes(key, u"InstallPath", REG_SZ, "a"));
  ASSERT_EQ(ERROR_SUCCESS, SetBytes(key, u"INSTALLPATH", REG_SZ, "bb"));
  ASSERT_EQ(ERROR_SUCCESS, SetBytes(key, u"\u00C4rger", REG_SZ, "c"));  // Ärger
  EXPECT_EQ(Bytes(key, u"installpath"), "bb");
  EXPECT_EQ(Bytes(key, u"\u00E4RGER"), "c");  // äRGER

  WCHAR name[32];
  DWORD chars = 32;
  ASSERT_EQ(ERROR_SUCCESS, RegEnumValueW(key, 0, name, &chars, nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(std::u16string(name, chars), u"InstallPath");
  chars = 32;
  EXPECT_EQ(ERROR_NO_MORE_ITEMS,
            RegEnumValueW(key, 2, name, &chars, nullptr, nullptr, nullptr, nullptr));
  RegCloseKey(key);
}

TEST_F(RegistryValues, NameLimits) {
  HKEY key = Create(u"Software\\Limits");
  std::u16string longest(16383, u'n');
  EXPECT_EQ(ERROR_SUCCESS, SetBytes(key, longest.c_str(), REG_SZ, "ok"));
  EXPECT_EQ(Bytes(key, longest.c_str()), "ok");
  std::u16string tooLong(16384, u'n');
  EXPECT_EQ(ERROR_INVALID_PARAMETER, SetBytes(key, tooLong.c_str(), REG_SZ, "no"));
  RegCloseKey(key);
}

TEST_F(RegistryValues, AccessRightsOfTheHandleAreEnforced) {
  RegCloseKey(Create(u"Software\\Rights"));
  HKEY reader = nullptr, writer = nullptr;
  ASSERT_EQ(ERROR_SUCCESS,
            RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Rights", 0, KEY_READ, &reader));
  ASSERT_EQ(ERROR_SUCCESS,
            RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Rights", 0, KEY_WRITE, &writer));
  EXPECT_EQ(ERROR_ACCESS_DENIED, SetBytes(reader, u"v", REG_SZ, "x"));
  EXPECT_EQ(ERROR_SUCCESS, SetBytes(writer, u"v", REG_SZ, "x"));
  EXPECT_EQ(ERROR_ACCESS_DENIED,
            RegQueryValueExW(writer, u"v", nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(Bytes(reader, u"v"), "x");
  EXPECT_EQ(ERROR_ACCESS_DENIED, RegDeleteValueW(reader, u"v"));
  WCHAR name[8];
  DWORD chars = 8;
  EXPECT_EQ(ERROR_ACCESS_DENIED,
            RegEnumValueW(writer, 0, name, &chars, nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(ERROR_ACCESS_DENIED,
            RegEnumKeyExW(writer, 0, name, &chars, nullptr, nullptr, nullptr, nullptr));
  // Generic rights map onto the key rights.
  HKEY generic = nullptr;
  ASSERT_EQ(ERROR_SUCCESS,
            RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Rights", 0, GENERIC_READ, &generic));
  EXPECT_EQ(Bytes(generic, u"v"), "x");
  EXPECT_EQ(ERROR_ACCESS_DENIED, SetBytes(generic, u"v", REG_SZ, "y"));
  for (HKEY k : {reader, writer, generic}) RegCloseKey(k);
}

TEST_F(RegistryValues, InstallPathRecordAsTheInstallerUsesIt) {
  // First run: opening with create semantics leaves the key behind, the value is missing.
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyW(HKEY_CURRENT_USER, u"Software\\Halvane", &key));
  WCHAR buffer[MAX_PATH] = {};
  DWORD size = 518;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueExW(key, u"InstallPath", nullptr, nullptr,
                                                   reinterpret_cast<BYTE*>(buffer), &size));
  RegCloseKey(key);
  HKEY check = nullptr;
  ASSERT_EQ(ERROR_SUCCESS,
            RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Halvane", 0, KEY_READ, &check));
  RegCloseKey(check);

  // A stored path of 260 characters does not fit into 259 and is reported as such.
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyW(HKEY_CURRENT_USER, u"Software\\Halvane", &key));
  std::u16string longPath = u"C:\\" + std::u16string(256, u'x') + u"\\";
  ASSERT_EQ(ERROR_SUCCESS, SetText(key, u"InstallPath", longPath, false));
  size = 518;
  EXPECT_EQ(ERROR_MORE_DATA, RegQueryValueExW(key, u"InstallPath", nullptr, nullptr,
                                              reinterpret_cast<BYTE*>(buffer), &size));
  EXPECT_EQ(size, 520u);
  RegCloseKey(key);
}

}  // namespace
}  // namespace RegistryTests

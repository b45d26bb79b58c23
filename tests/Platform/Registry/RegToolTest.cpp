// skinui-reg, driven as a user would drive it, against the registry functions.
#include <string>
#include <vector>

#include "RegistryFixture.h"
#include "support/ChildProcess.h"

namespace RegistryTests {
namespace {

struct ToolRun {
  int exitCode;
  std::string output;
};

ToolRun Reg(const std::vector<std::string>& args, const std::string& input = "") {
  TestSupport::ChildProcess tool(TestSupport::BuiltProgram("tools/reg/skinui-reg"), args, input);
  ToolRun run{tool.Wait(), ""};
  for (const std::string& line : tool.TakeLines()) run.output += line + "\n";
  return run;
}

using RegTool = RegistryTest;

TEST_F(RegTool, ShowsValuesTheInstallerWroteWithoutTerminators) {
  HKEY key = Create(u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Halvane",
                    HKEY_LOCAL_MACHINE, 0xF013F);
  ASSERT_EQ(ERROR_SUCCESS, SetText(key, u"DisplayName", u"Halvane\u5378\u8F7D", false));
  ASSERT_EQ(ERROR_SUCCESS, SetText(key, u"Publisher", u"", false));
  ASSERT_EQ(ERROR_SUCCESS, SetBytes(key, u"Flags", REG_DWORD, std::string("\x2A\0\0\0", 4)));
  RegCloseKey(key);
  ToolRun run =
      Reg({"query", "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Halvane"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output,
            "\n"
            "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Halvane\n"
            "    DisplayName    REG_SZ    Halvane\xE5\x8D\xB8\xE8\xBD\xBD\n"
            "    Publisher    REG_SZ    \n"
            "    Flags    REG_DWORD    0x2a\n"
            "\n");
}

TEST_F(RegTool, AddStoresDataAsWindowsRegDoes) {
  EXPECT_EQ(Reg({"add", "HKCU\\Software\\Tool", "/v", "Path", "/d", "C:\\x"}).exitCode, 0);
  EXPECT_EQ(
      Reg({"add", "hkcu\\software\\tool", "/v", "Count", "/t", "reg_dword", "/d", "0x10"}).exitCode,
      0);
  EXPECT_EQ(Reg({"add", "HKCU\\Software\\Tool", "/v", "Big", "/t", "REG_QWORD", "/d",
                 "18446744073709551615"})
                .exitCode,
            0);
  EXPECT_EQ(
      Reg({"add", "HKCU\\Software\\Tool", "/ve", "/t", "REG_MULTI_SZ", "/d", "a\\0b"}).exitCode, 0);
  EXPECT_EQ(Reg({"add", "HKCU\\Software\\Tool", "/v", "Bin", "/t", "REG_BINARY", "/d", "00fF7a"})
                .exitCode,
            0);
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Tool", 0, KEY_READ, &key));
  DWORD type = 0;
  EXPECT_EQ(Bytes(key, u"Path", &type), std::string("C\0:\0\\\0x\0\0\0", 10));
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(Bytes(key, u"Count", &type), std::string("\x10\0\0\0", 4));
  EXPECT_EQ(type, REG_DWORD);
  EXPECT_EQ(Bytes(key, u"Big"), std::string(8, '\xFF'));
  EXPECT_EQ(Bytes(key, u"", &type), std::string("a\0\0\0b\0\0\0\0\0", 10));
  EXPECT_EQ(type, REG_MULTI_SZ);
  EXPECT_EQ(Bytes(key, u"Bin"), std::string("\x00\xFF\x7A", 3));
  RegCloseKey(key);
  EXPECT_EQ(Reg({"query", "HKCU\\Software\\Tool", "/ve"}).output,
            "\nHKEY_CURRENT_USER\\Software\\Tool\n    (Default)    REG_MULTI_SZ    a\\0b\n\n");
}

TEST_F(RegTool, OverwriteAndDeleteAskUnlessForced) {
  ASSERT_EQ(Reg({"add", "HKCU\\Software\\Ask", "/v", "v", "/d", "one"}).exitCode, 0);
  ToolRun no = Reg({"add", "HKCU\\Software\\Ask", "/v", "v", "/d", "two"}, "n\n");
  EXPECT_NE(no.output.find("exists, overwrite(Yes/No)?"), std::string::npos);
  EXPECT_NE(no.output.find("canceled"), std::string::npos);
  HKEY key = Create(u"Software\\Ask");
  EXPECT_EQ(Bytes(key, u"v"), std::string("o\0n\0e\0\0\0", 8));
  ASSERT_EQ(Reg({"add", "HKCU\\Software\\Ask", "/v", "v", "/d", "two"}, "yes\n").exitCode, 0);
  EXPECT_EQ(Bytes(key, u"v"), std::string("t\0w\0o\0\0\0", 8));
  RegCloseKey(key);
  RegCloseKey(Create(u"Software\\Ask\\Deep\\Deeper"));

  // Without an answer nothing goes; with /f the whole tree goes.
  EXPECT_EQ(Reg({"delete", "HKCU\\Software\\Ask"}).exitCode, 0);
  EXPECT_EQ(ERROR_SUCCESS,
            RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Ask\\Deep\\Deeper", 0, KEY_READ, &key));
  RegCloseKey(key);
  EXPECT_EQ(Reg({"delete", "HKCU\\Software\\Ask", "/f"}).exitCode, 0);
  EXPECT_EQ(ERROR_FILE_NOT_FOUND,
            RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Ask", 0, KEY_READ, &key));
}

TEST_F(RegTool, DeletesSingleAndAllValues) {
  HKEY key = Create(u"Software\\Vals");
  for (const char16_t* name : {u"a", u"b", u"c"}) SetBytes(key, name, REG_SZ, "x");
  EXPECT_EQ(Reg({"delete", "HKCU\\Software\\Vals", "/v", "B", "/f"}).exitCode, 0);
  EXPECT_EQ(Bytes(key, u"b"), std::nullopt);
  EXPECT_EQ(Bytes(key, u"a"), "x");
  EXPECT_EQ(Reg({"delete", "HKCU\\Software\\Vals", "/va", "/f"}).exitCode, 0);
  EXPECT_EQ(Bytes(key, u"a"), std::nullopt);
  EXPECT_EQ(Bytes(key, u"c"), std::nullopt);
  EXPECT_EQ(ERROR_SUCCESS, SetBytes(key, u"again", REG_SZ, "y"));  // the key itself stays
  RegCloseKey(key);
}

TEST_F(RegTool, FailuresAreReportedWithExitCodeOne) {
  EXPECT_EQ(Reg({"query", "HKCU\\Software\\Nothing"}).exitCode, 1);
  EXPECT_EQ(Reg({"query", "HKCU\\Software", "/v", "Nothing"}).exitCode, 1);
  EXPECT_EQ(Reg({"add", "HKLM\\NewTopLevel"}).exitCode, 1);
  EXPECT_EQ(
      Reg({"add", "HKCU\\Software\\X", "/v", "n", "/t", "REG_DWORD", "/d", "4294967296"}).exitCode,
      1);
  EXPECT_EQ(Reg({"add", "HKCU\\Software\\X", "/v", "n", "/t", "REG_BINARY", "/d", "abc"}).exitCode,
            1);
  EXPECT_EQ(Reg({"add", "HKCR\\x"}).exitCode, 1);
  EXPECT_EQ(Reg({"frobnicate", "HKCU\\x"}).exitCode, 1);
  EXPECT_EQ(Reg({"query", "HKCU\\Software", "/t", "REG_SZ"}).exitCode, 1);
  EXPECT_EQ(Reg({"delete", "HKCU\\Software", "/v", "a", "/va"}).exitCode, 1);
  HKEY key;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND,
            RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\X", 0, KEY_READ, &key));
}

TEST_F(RegTool, ViewsFollowTheRegOptions) {
  ASSERT_EQ(Reg({"add", "HKLM\\SOFTWARE\\Vendor", "/v", "v", "/d", "32", "/reg:32"}).exitCode, 0);
  EXPECT_EQ(Reg({"query", "HKLM\\SOFTWARE\\Vendor", "/reg:64"}).exitCode, 1);
  EXPECT_EQ(Reg({"query", "HKLM\\SOFTWARE\\WOW6432Node\\Vendor", "/v", "v"}).exitCode, 0);
}

}  // namespace
}  // namespace RegistryTests

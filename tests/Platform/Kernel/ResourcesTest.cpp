#include <cstdlib>
#include <cstring>
#include <string>

#include "KernelTestUtil.h"
#include "Platform/Kernel/Modules.h"
#include "Platform/Kernel/Resources.h"
#include "support/TempDir.h"

using namespace KernelTest;

namespace {

// The bytes of a found resource, through the documented sequence of calls.
std::string Bytes(HMODULE module, LPCWSTR name, LPCWSTR type) {
  HRSRC found = FindResourceW(module, name, type);
  if (!found) return "<not found>";
  HGLOBAL loaded = LoadResource(module, found);
  const void* data = LockResource(loaded);
  DWORD size = SizeofResource(module, found);
  EXPECT_NE(data, nullptr);
  return std::string(static_cast<const char*>(data), size);
}

DWORD FindError(HMODULE module, LPCWSTR name, LPCWSTR type) {
  SetLastError(0);
  EXPECT_EQ(FindResourceW(module, name, type), nullptr);
  return GetLastError();
}

std::string LinkedFile() {
  const char* data = getenv("SKINUI_TEST_DATA");
  return TestSupport::ReadFile(std::string(data ? data : "tests/data") + "/kernel/linked.bin");
}

TEST(Resources, FilesLinkedByTheBuildAreFoundWithTheirExactBytes) {
  const std::string expected = LinkedFile();
  ASSERT_EQ(expected.size(), 1004u);
  EXPECT_EQ(Bytes(nullptr, MAKEINTRESOURCEW(7), u"TESTDATA"), expected);
  // Names ignore case, "#7" is the number 7, numeric types work as well.
  EXPECT_EQ(Bytes(GetModuleHandleW(nullptr), u"#7", u"TestData"), expected);
  EXPECT_EQ(Bytes(nullptr, u"blob", MAKEINTRESOURCEW(10)), expected);
  EXPECT_EQ(Bytes(nullptr, u"BLOB", u"#10"), expected);
  // An empty file is a resource of no bytes that still loads.
  HRSRC empty = FindResourceW(nullptr, u"Empty", u"TESTDATA");
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(SizeofResource(nullptr, empty), 0u);
  EXPECT_NE(LoadResource(nullptr, empty), nullptr);
}

TEST(Resources, MissingResourcesSayWhatIsMissing) {
  EXPECT_EQ(FindError(nullptr, MAKEINTRESOURCEW(8), u"TESTDATA"),
            static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(FindError(nullptr, MAKEINTRESOURCEW(7), u"NOTYPE"),
            static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
  EXPECT_EQ(FindError(nullptr, MAKEINTRESOURCEW(7), u"TESTDAT"),
            static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
  EXPECT_EQ(FindError(GetModuleHandleW(u"kernel32"), MAKEINTRESOURCEW(7), u"TESTDATA"),
            static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
  EXPECT_EQ(FindError(nullptr, u"#99999", u"TESTDATA"),
            static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));  // not a 16-bit number: a name
  EXPECT_EQ(LoadResource(nullptr, nullptr), nullptr);
  EXPECT_EQ(SizeofResource(nullptr, nullptr), 0u);
  EXPECT_EQ(LockResource(nullptr), nullptr);
}

TEST(Resources, TestsCanAddReplaceAndRemoveResources) {
  HMODULE self = GetModuleHandleW(nullptr);
  const char payload[] = {'7', 'z', '\xBC', '\xAF', '\x27', '\x1C', 0, 4};
  ASSERT_TRUE(
      Platform::RegisterResource(self, u"DATA", MAKEINTRESOURCEW(106), payload, sizeof payload));
  EXPECT_EQ(Bytes(nullptr, MAKEINTRESOURCEW(106), u"DATA"), std::string(payload, sizeof payload));

  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(106), u"DATA");
  HGLOBAL loaded = LoadResource(nullptr, found);
  EXPECT_FALSE(FreeResource(loaded));  // obsolete: nothing is freed, the bytes stay
  EXPECT_EQ(std::memcmp(LockResource(loaded), payload, sizeof payload), 0);

  ASSERT_TRUE(Platform::RegisterResource(self, u"data", u"#106", "zip", 3));
  EXPECT_EQ(Bytes(nullptr, MAKEINTRESOURCEW(106), u"DATA"), "zip");
  EXPECT_TRUE(Platform::RemoveResource(self, u"DATA", MAKEINTRESOURCEW(106)));
  EXPECT_EQ(FindError(nullptr, MAKEINTRESOURCEW(106), u"DATA"),
            static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
  EXPECT_FALSE(Platform::RemoveResource(self, u"DATA", MAKEINTRESOURCEW(106)));

  // Resources belong to one module.
  HMODULE shell = GetModuleHandleW(u"shell32");
  ASSERT_TRUE(Platform::RegisterResource(shell, MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(1), "m", 1));
  EXPECT_EQ(Bytes(shell, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)), "m");
  EXPECT_EQ(FindError(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)),
            static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
  EXPECT_FALSE(Platform::RegisterResource(reinterpret_cast<HMODULE>(&found), u"DATA", u"X", "", 0));
  EXPECT_FALSE(Platform::RegisterResource(self, u"", u"X", "", 0));
}

}  // namespace

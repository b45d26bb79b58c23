#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "Platform/Kernel/FolderNames.h"
#include "Platform/Kernel/PathMap.h"
#include "Platform/Win32.h"
#include "support/TempDir.h"
#include "support/TestPrefix.h"

namespace {

namespace fs = std::filesystem;

// Another process's change shows in the folder's change time; moving that time on by a second
// makes the change visible whatever the file system clock's tick.
void TouchFolder(const fs::path& folder) {
  fs::last_write_time(folder, fs::last_write_time(folder) + std::chrono::seconds(1));
}

std::string Find(const fs::path& folder, const std::string& name) {
  std::string found;
  return Platform::FindNameIgnoringCase(folder.string(), name, &found) ? found : "<none>";
}

TEST(FolderNames, KeptNamesFollowChangesFromInsideAndOutside) {
  TestSupport::TestPrefix prefix;
  const fs::path folder = prefix.DriveC() / "Many";
  fs::create_directories(folder);
  TestSupport::WriteFile(folder / "Alpha.txt", "a");
  EXPECT_EQ(Find(folder, "ALPHA.TXT"), "Alpha.txt");
  EXPECT_EQ(Find(folder, "beta.txt"), "<none>");

  // Made outside the platform, then removed outside it.
  TestSupport::WriteFile(folder / "Beta.TXT", "b");
  TouchFolder(folder);
  EXPECT_EQ(Find(folder, "beta.txt"), "Beta.TXT");
  fs::remove(folder / "Alpha.txt");
  TouchFolder(folder);
  EXPECT_EQ(Find(folder, "alpha.txt"), "<none>");

  // Made through the platform, many at once: each is found under any case at once, and a path
  // in another case opens the file that exists.
  for (int i = 0; i < 300; ++i) {
    const std::string number = std::to_string(i);
    std::u16string path = u"C:\\many\\File" +
                          std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) +
                          std::u16string(number.begin(), number.end());
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << i;
    CloseHandle(file);
  }
  EXPECT_EQ(Find(folder, "filea0"), "FileA0");
  EXPECT_EQ(Find(folder, "FILEZ285"), "FileZ285");
  EXPECT_EQ(Find(folder, "file299"), "<none>");
  EXPECT_TRUE(CreateDirectoryW(u"C:\\MANY\\Sub", nullptr));
  EXPECT_EQ(Find(folder, "SUB"), "Sub");
  HANDLE again = CreateFileW(u"C:\\MANY\\FILEB1", GENERIC_READ, FILE_SHARE_READ, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(again, INVALID_HANDLE_VALUE);
  CloseHandle(again);
  size_t count = 0;
  for (const auto& entry : fs::directory_iterator(folder))
    count += entry.path().filename() != "Beta.TXT";
  EXPECT_EQ(count, 301u);
}

}  // namespace

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

const char* Kept(const fs::path& folder, const std::string& name, std::string* found) {
  switch (Platform::FindKeptName(folder.string(), name, found)) {
    case Platform::KeptName::Unknown: return "unknown";
    case Platform::KeptName::Missing: return "missing";
    case Platform::KeptName::Exact: return "exact";
    case Platform::KeptName::OtherCase: return "other case";
  }
  return "?";
}

TEST(FolderNames, KeptNamesAnswerOnlyWhileTheFolderIsUnchanged) {
  TestSupport::TempDir dir("kept");
  const fs::path folder = dir.Path() / "f";
  fs::create_directories(folder);
  TestSupport::WriteFile(folder / "Readme.txt", "r");
  TestSupport::WriteFile(folder / "same.txt", "lower");
  TestSupport::WriteFile(folder / "SAME.TXT", "upper");
  std::string found;
  EXPECT_STREQ(Kept(folder, "Readme.txt", &found), "unknown");  // never read
  ASSERT_EQ(Find(folder, "nothing"), "<none>");                 // reads the folder

  struct Row {
    const char* name;
    const char* answer;
    const char* found;  // for "other case"
  };
  const Row rows[] = {{"Readme.txt", "exact", ""},     {"README.TXT", "other case", "Readme.txt"},
                      {"same.txt", "exact", ""},       {"SAME.TXT", "exact", ""},
                      {"Same.Txt", "other case", "?"}, {"missing.txt", "missing", ""}};
  for (const Row& row : rows) {
    found.clear();
    EXPECT_STREQ(Kept(folder, row.name, &found), row.answer) << row.name;
    if (std::string(row.found) == "?") {
      EXPECT_TRUE(found == "same.txt" || found == "SAME.TXT") << found;
    } else {
      EXPECT_EQ(found, row.found) << row.name;
    }
  }
  // A change from outside makes the kept names unusable until the folder is read again.
  TestSupport::WriteFile(folder / "new.txt", "n");
  TouchFolder(folder);
  EXPECT_STREQ(Kept(folder, "new.txt", &found), "unknown");
  EXPECT_EQ(Find(folder, "NEW.TXT"), "new.txt");
  EXPECT_STREQ(Kept(folder, "new.txt", &found), "exact");
}

TEST(FolderNames, AnExactNameWinsOverItsOtherCases) {
  TestSupport::TestPrefix prefix;
  Platform::PrefixDir();
  const fs::path folder = prefix.DriveC() / "cases";
  fs::create_directories(folder);
  TestSupport::WriteFile(folder / "data.bin", "lower");
  TestSupport::WriteFile(folder / "DATA.BIN", "upper");
  ASSERT_EQ(Find(folder, "nothing"), "<none>");  // the folder's names are kept from here on
  auto read = [](const char16_t* path) {
    HANDLE h = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::string("<none>");
    char buf[16] = {};
    DWORD n = 0;
    ReadFile(h, buf, sizeof buf, &n, nullptr);
    CloseHandle(h);
    return std::string(buf, n);
  };
  EXPECT_EQ(read(u"C:\\cases\\data.bin"), "lower");
  EXPECT_EQ(read(u"C:\\cases\\DATA.BIN"), "upper");
  const std::string either = read(u"C:\\cases\\Data.Bin");
  EXPECT_TRUE(either == "lower" || either == "upper") << either;
  // A new name spelt like an existing one in another case overwrites that file.
  HANDLE h = CreateFileW(u"C:\\CASES\\readme", GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  h = CreateFileW(u"C:\\cases\\README", GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                  FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_EQ(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
  EXPECT_TRUE(fs::exists(folder / "readme"));
  EXPECT_FALSE(fs::exists(folder / "README"));
}

}  // namespace

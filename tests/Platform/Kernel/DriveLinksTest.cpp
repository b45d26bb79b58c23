#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "Platform/Kernel/PathMap.h"
#include "Platform/Win32.h"
#include "support/TestPrefix.h"

namespace fs = std::filesystem;

namespace {

std::string Mapped(std::u16string_view windows) {
  std::string posix;
  SetLastError(0);
  if (!Platform::WindowsToPosixPath(windows, &posix))
    return "<error " + std::to_string(GetLastError()) + ">";
  return posix;
}

// Dates the links folder an hour back, as in a prefix made long ago: its drive answers may then
// be kept, and every later change must still show at once.
void AgeLinks(const fs::path& prefix) {
  fs::last_write_time(prefix / "dosdevices",
                      fs::file_time_type::clock::now() - std::chrono::hours(1));
}

TEST(DriveLinks, ChangedLinksShowAtOnceInAnOldPrefix) {
  TestSupport::TestPrefix prefix;
  ASSERT_EQ(Platform::PrefixDir(), prefix.Path().string());
  const fs::path links = prefix.Path() / "dosdevices";
  const fs::path games = prefix.Scratch() / "games", other = prefix.Scratch() / "other";
  fs::create_directories(games);
  fs::create_directories(other);
  fs::create_directory_symlink(games, links / "d:");
  AgeLinks(prefix.Path());
  const std::string missing = "<error " + std::to_string(ERROR_PATH_NOT_FOUND) + ">";

  struct Step {
    const char* change;
    void (*apply)(const fs::path& links, const fs::path& other);
    std::string d;  // what D:\x maps to afterwards
  };
  const Step steps[] = {
      {"kept", [](const fs::path&, const fs::path&) {}, (games / "x").string()},
      {"asked again", [](const fs::path&, const fs::path&) {}, (games / "x").string()},
      {"pointed elsewhere",
       [](const fs::path& l, const fs::path& o) {
         fs::remove(l / "d:");
         fs::create_directory_symlink(o, l / "d:");
       },
       (other / "x").string()},
      {"removed", [](const fs::path& l, const fs::path&) { fs::remove(l / "d:"); }, missing},
      {"a plain folder", [](const fs::path& l, const fs::path&) { fs::create_directory(l / "d:"); },
       (links / "d:" / "x").string()},
  };
  for (const Step& step : steps) {
    step.apply(links, other);
    EXPECT_EQ(Mapped(u"D:\\x"), step.d) << step.change;
    EXPECT_EQ(Mapped(u"d:/x"), step.d) << step.change;
    EXPECT_EQ(Mapped(u"C:\\x"), (prefix.DriveC() / "x").string()) << step.change;
    AgeLinks(prefix.Path());
  }
}

TEST(DriveLinks, EachPrefixHasItsOwnDrives) {
  TestSupport::TestPrefix first;
  Platform::PrefixDir();
  AgeLinks(first.Path());
  EXPECT_EQ(Mapped(u"C:\\a"), (first.DriveC() / "a").string());
  {
    TestSupport::TestPrefix second;
    Platform::PrefixDir();
    AgeLinks(second.Path());
    EXPECT_EQ(Mapped(u"C:\\a"), (second.DriveC() / "a").string());
  }
  EXPECT_EQ(Mapped(u"C:\\a"), (first.DriveC() / "a").string());
}

}  // namespace

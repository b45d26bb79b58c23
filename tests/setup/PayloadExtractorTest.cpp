#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "Platform/DebugOutput.h"
#include "Platform/Kernel/PathMap.h"
#include "Platform/Text/Utf.h"
#include "setup/PayloadExtractor.h"
#include "setup/Progress.h"
#include "support/InstallDrive.h"
#include "support/SevenZip.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using TestSupport::InstallDrive;

struct ProgressCall {
  ULONGLONG total, done;
  BOOL start;
};
std::vector<ProgressCall> g_calls;

void RecordProgress(ULONGLONG total, ULONGLONG done, BOOL start) {
  g_calls.push_back({total, done, start});
}

class PayloadExtractorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_calls.clear();
    g_progressCallback = RecordProgress;
  }
  void TearDown() override { g_progressCallback = nullptr; }

  // Extracts a POSIX archive file into D:\Games\Halvane\.
  int Extract(const fs::path& archive, DWORD* error) {
    std::u16string path = Platform::PosixToWindowsPath(archive.string());
    return PayloadExtractor(path.c_str(), m_drive.InstallDirW().c_str(), error);
  }
  fs::path Dest() const { return m_drive.InstallDir(); }
  fs::path Work() const { return m_work.Path(); }

  std::vector<int> Percentages() const {
    std::vector<int> out;
    for (const ProgressCall& c : g_calls) out.push_back(ProgressPercent(c.total, c.done, c.start));
    return out;
  }

  InstallDrive m_drive;
  TestSupport::TempDir m_work{"extract-work"};
};

// Relative path -> content of every file under a folder.
std::map<std::string, std::string> Tree(const fs::path& root) {
  std::map<std::string, std::string> files;
  for (auto& e : fs::recursive_directory_iterator(root))
    if (e.is_regular_file())
      files[fs::relative(e.path(), root).string()] = TestSupport::ReadFile(e.path());
  return files;
}

bool IsExecutable(const fs::path& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && (info.st_mode & 0111) == 0111;
}

TEST_F(PayloadExtractorTest, ShippedPayloadUnpacksLike7zz) {
  Platform::DebugOutputCapture debug;
  DWORD error = 1;
  ASSERT_EQ(Extract(TestSupport::ShippedPayload(), &error), 0);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_SUCCESS));

  fs::path reference = Work() / "reference";
  ASSERT_EQ(
      TestSupport::RunShell("7zz x -bso0 -bsp0 -o" + TestSupport::ShellQuote(reference.string()) +
                            " " + TestSupport::ShellQuote(TestSupport::ShippedPayload().string())),
      0);
  auto files = Tree(Dest());
  EXPECT_EQ(files.size(), 20u);
  EXPECT_TRUE(files == Tree(reference));
  EXPECT_TRUE(fs::is_directory(Dest() / "img"));
  EXPECT_TRUE(fs::is_directory(Dest() / "skin"));
  EXPECT_TRUE(IsExecutable(Dest() / "PlayCrate.exe"));
  EXPECT_TRUE(IsExecutable(Dest() / "Uninstall.exe"));
  EXPECT_FALSE(IsExecutable(Dest() / "readme.txt"));

  // 0 first (with the start flag), one report per entry, rising, 100 last.
  ASSERT_EQ(g_calls.size(), 22u + 2u);
  EXPECT_TRUE(g_calls.front().start);
  EXPECT_EQ(g_calls.front().total, 4824472u);
  std::vector<int> percent = Percentages();
  EXPECT_EQ(percent.front(), 0);
  EXPECT_EQ(percent.back(), 100);
  for (size_t i = 1; i < percent.size(); ++i) EXPECT_GE(percent[i], percent[i - 1]);
  EXPECT_EQ(g_calls.back().done, 4824472u);

  EXPECT_EQ(debug.Text(), u"文件总个数: 22 \r\n");
}

struct MethodCase {
  const char* label;
  const char* switches;
};

class PayloadMethods : public PayloadExtractorTest,
                       public ::testing::WithParamInterface<MethodCase> {};

TEST_P(PayloadMethods, ArchivesOfOtherMethodsUnpackToo) {
  TestSupport::WriteFile(Work() / "tree/tool.exe", std::string(30000, '\xe8') + "code");
  TestSupport::WriteFile(Work() / "tree/sub/empty.dat", "");
  TestSupport::WriteFile(Work() / "tree/图片/中文名.txt", "汉字");
  ASSERT_TRUE(TestSupport::Pack7z(Work() / "tree", Work() / "a.7z", GetParam().switches));
  DWORD error = 1;
  ASSERT_EQ(Extract(Work() / "a.7z", &error), 0);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(Tree(Dest()), Tree(Work() / "tree"));
  EXPECT_EQ(Percentages().back(), 100);
}

INSTANTIATE_TEST_SUITE_P(
    Extract, PayloadMethods,
    ::testing::Values(MethodCase{"LzmaBcj", "-m0=BCJ -m1=LZMA"}, MethodCase{"Lzma2", "-m0=LZMA2"},
                      MethodCase{"Bcj2", "-m0=LZMA -mf=BCJ2"}, MethodCase{"Copy", "-m0=Copy"}),
    [](const ::testing::TestParamInfo<MethodCase>& info) { return info.param.label; });

TEST_F(PayloadExtractorTest, FolderEntryAfterItsFilesStillMakesTheFolder) {
  std::string path = (Work() / "a.7z").string();
  archive* writer = archive_write_new();
  ASSERT_EQ(archive_write_set_format_7zip(writer), ARCHIVE_OK);
  ASSERT_EQ(archive_write_open_filename(writer, path.c_str()), ARCHIVE_OK);
  auto add = [&](const char* name, unsigned type, const std::string& data) {
    archive_entry* e = archive_entry_new();
    archive_entry_set_pathname(e, name);
    archive_entry_set_filetype(e, type);
    archive_entry_set_perm(e, 0755);
    archive_entry_set_size(e, static_cast<la_int64_t>(data.size()));
    archive_write_header(writer, e);
    if (!data.empty()) archive_write_data(writer, data.data(), data.size());
    archive_entry_free(e);
  };
  add("deep/er", AE_IFDIR, "");
  add("deep", AE_IFDIR, "");
  add("deep/er/x.txt", AE_IFREG, "x");
  add("emptydir", AE_IFDIR, "");
  archive_write_close(writer);
  archive_write_free(writer);
  DWORD error = 1;
  ASSERT_EQ(Extract(path, &error), 0);
  EXPECT_EQ(TestSupport::ReadFile(Dest() / "deep/er/x.txt"), "x");
  EXPECT_TRUE(fs::is_directory(Dest() / "emptydir"));
}

TEST_F(PayloadExtractorTest, FirstTwoBytesMayHoldAnything) {
  std::string bytes = TestSupport::ReadFile(TestSupport::ShippedPayload());
  bytes[0] = 'M';
  bytes[1] = 'Z';
  TestSupport::WriteFile(Work() / "mz.7z", bytes);
  DWORD error = 1;
  EXPECT_EQ(Extract(Work() / "mz.7z", &error), 0);
  EXPECT_EQ(Tree(Dest()).size(), 20u);
}

TEST_F(PayloadExtractorTest, WrongSignatureWritesNothingAndReportsNothing) {
  std::string bytes = TestSupport::ReadFile(TestSupport::ShippedPayload());
  bytes[2] = 0;
  TestSupport::WriteFile(Work() / "bad.7z", bytes);
  Platform::DebugOutputCapture debug;
  DWORD error = 0;
  EXPECT_EQ(Extract(Work() / "bad.7z", &error), 1);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_BAD_FORMAT));
  EXPECT_TRUE(g_calls.empty());
  EXPECT_TRUE(debug.Text().empty());
  EXPECT_TRUE(fs::is_empty(Dest()));
}

TEST_F(PayloadExtractorTest, UnreadableArchiveFiles) {
  DWORD error = 0;
  EXPECT_EQ(Extract(Work() / "missing.7z", &error), -1);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  TestSupport::WriteFile(Work() / "empty.7z", "");
  error = 0;
  EXPECT_EQ(Extract(Work() / "empty.7z", &error), -1);
  EXPECT_NE(error, static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_TRUE(g_calls.empty());
}

TEST_F(PayloadExtractorTest, CorruptSecondBlockKeepsTheFirstAndFails) {
  const fs::path archive = TestSupport::ShippedPayload();
  long long first = TestSupport::PackedBlockSize(archive, 0);
  long long second = TestSupport::PackedBlockSize(archive, 1);
  ASSERT_GT(first, 0);
  ASSERT_GT(second, 100);
  std::string bytes = TestSupport::ReadFile(archive);
  bytes[static_cast<size_t>(TestSupport::kPackedDataStart + first + 40)] ^= 0x5A;
  TestSupport::WriteFile(Work() / "broken.7z", bytes);

  // Which entries live in which block, from 7zz's own listing of the intact archive.
  fs::path listing = Work() / "list.txt";
  ASSERT_EQ(TestSupport::RunShell("7zz l -slt " + TestSupport::ShellQuote(archive.string()) +
                                  " > " + TestSupport::ShellQuote(listing.string())),
            0);
  std::vector<std::string> firstBlock, secondBlock;
  {
    std::string text = TestSupport::ReadFile(listing), path, line;
    std::istringstream lines(text);
    while (std::getline(lines, line)) {
      if (line.rfind("Path = ", 0) == 0) path = line.substr(7);
      if (line == "Block = 0") firstBlock.push_back(path);
      if (line == "Block = 1") secondBlock.push_back(path);
    }
  }
  ASSERT_FALSE(firstBlock.empty());
  ASSERT_FALSE(secondBlock.empty());

  DWORD error = 0;
  EXPECT_EQ(Extract(Work() / "broken.7z", &error), 1);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_CRC));
  for (const std::string& name : firstBlock) EXPECT_TRUE(fs::exists(Dest() / name)) << name;
  EXPECT_FALSE(fs::exists(Dest() / secondBlock.front())) << secondBlock.front();
  ASSERT_FALSE(g_calls.empty());
  EXPECT_LT(Percentages().back(), 100);
}

TEST_F(PayloadExtractorTest, CrcMismatchLeavesNoDamagedFile) {
  TestSupport::WriteFile(Work() / "tree/a.txt", std::string(5000, 'a'));
  TestSupport::WriteFile(Work() / "tree/b.txt", "b");
  ASSERT_TRUE(TestSupport::Pack7z(Work() / "tree", Work() / "a.7z", "-m0=Copy"));
  std::string bytes = TestSupport::ReadFile(Work() / "a.7z");
  bytes[TestSupport::kPackedDataStart + 10] ^= 0x01;
  TestSupport::WriteFile(Work() / "a.7z", bytes);
  DWORD error = 0;
  EXPECT_EQ(Extract(Work() / "a.7z", &error), 1);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_CRC));
  EXPECT_FALSE(fs::exists(Dest() / "a.txt"));
  EXPECT_FALSE(fs::exists(Dest() / "b.txt"));
}

TEST_F(PayloadExtractorTest, EntriesLeavingTheDestinationAreRefused) {
  for (const char* name : {"1.txt", "2.txt", "3.txt", "4.txt", "ok.txt"})
    TestSupport::WriteFile(Work() / "tree" / name, name);
  ASSERT_TRUE(TestSupport::Pack7z(Work() / "tree", Work() / "a.7z", "-m0=LZMA"));
  const fs::path outside = m_drive.Root() / "outside.txt";
  ASSERT_TRUE(TestSupport::Rename7z(Work() / "a.7z", "1.txt", "../../outside.txt"));
  ASSERT_TRUE(TestSupport::Rename7z(Work() / "a.7z", "2.txt", "Games\\..\\..\\..\\outside2.txt"));
  ASSERT_TRUE(TestSupport::Rename7z(Work() / "a.7z", "3.txt", "/" + outside.string()));
  ASSERT_TRUE(TestSupport::Rename7z(Work() / "a.7z", "4.txt", "D:\\outside3.txt"));

  DWORD error = 0;
  EXPECT_EQ(Extract(Work() / "a.7z", &error), 1);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_INVALID_DATA));
  EXPECT_EQ(Tree(Dest()), (std::map<std::string, std::string>{{"ok.txt", "ok.txt"}}));
  // Nothing anywhere on the drive but the install directory and what it holds.
  for (auto& e : fs::recursive_directory_iterator(m_drive.Root())) {
    auto relative = e.path().lexically_relative(Dest());
    bool insideOrAbove = e.path() == Dest().parent_path() || *relative.begin() != "..";
    EXPECT_TRUE(insideOrAbove) << e.path();
  }
  EXPECT_LT(Percentages().back(), 100);
}

TEST_F(PayloadExtractorTest, PathsOverTheLimitAreRefused) {
  std::string longName(259 - m_drive.InstallDirW().size() + 1, 'n');
  TestSupport::WriteFile(Work() / "tree/short.txt", "s");
  TestSupport::WriteFile(Work() / "tree/long.txt", "l");
  ASSERT_TRUE(TestSupport::Pack7z(Work() / "tree", Work() / "a.7z", "-m0=LZMA"));
  ASSERT_TRUE(TestSupport::Rename7z(Work() / "a.7z", "long.txt", longName));
  DWORD error = 0;
  EXPECT_EQ(Extract(Work() / "a.7z", &error), 1);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
  EXPECT_TRUE(fs::exists(Dest() / "short.txt"));
}

TEST_F(PayloadExtractorTest, EntryThatCannotBeCreatedIsSkippedAndFails) {
  TestSupport::WriteFile(Work() / "tree/a.txt", "a");
  TestSupport::WriteFile(Work() / "tree/blocked.txt", "b");
  TestSupport::WriteFile(Work() / "tree/c.txt", "c");
  ASSERT_TRUE(TestSupport::Pack7z(Work() / "tree", Work() / "a.7z", "-m0=LZMA"));
  fs::create_directories(Dest() / "blocked.txt");  // a folder where the file should go
  DWORD error = 0;
  EXPECT_EQ(Extract(Work() / "a.7z", &error), 1);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(TestSupport::ReadFile(Dest() / "a.txt"), "a");
  EXPECT_EQ(TestSupport::ReadFile(Dest() / "c.txt"), "c");
  EXPECT_LT(Percentages().back(), 100);
}

TEST_F(PayloadExtractorTest, FullDiskFailsWithDiskFull) {
  fs::path small = Work() / "small";
  fs::create_directories(small);
  if (mount("tmpfs", small.c_str(), "tmpfs", 0, "size=256k") != 0)
    GTEST_SKIP() << "cannot mount a small tmpfs here";
  TestSupport::MapDrive(m_drive.Prefix(), 'r', small);
  TestSupport::WriteFile(Work() / "tree/big.bin", std::string(600000, 'b'));
  ASSERT_TRUE(TestSupport::Pack7z(Work() / "tree", Work() / "a.7z", "-m0=LZMA"));
  DWORD error = 0;
  std::u16string archive = Platform::PosixToWindowsPath((Work() / "a.7z").string());
  int result = PayloadExtractor(archive.c_str(), u"R:\\Halvane\\", &error);
  umount2(small.c_str(), MNT_DETACH);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_DISK_FULL));
}

// Another process cuts the archive file short once extraction has started: the bytes that are
// gone are a read failure, not a crash.
fs::path g_cutShort;
void CutShortOnStart(ULONGLONG, ULONGLONG, BOOL start) {
  if (start) fs::resize_file(g_cutShort, 4096);
}

TEST_F(PayloadExtractorTest, ArchiveCutShortWhileReadIsAReadFailure) {
  g_cutShort = Work() / "payload.7z";
  fs::copy_file(TestSupport::ShippedPayload(), g_cutShort);
  g_progressCallback = CutShortOnStart;
  DWORD error = 0;
  EXPECT_EQ(Extract(g_cutShort, &error), 1);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_READ_FAULT));
  EXPECT_LT(Tree(Dest()).size(), 20u);
}

TEST_F(PayloadExtractorTest, UndecodableCodersAndHalfCharacterNamesSayWhy) {
  TestSupport::WriteFile(Work() / "tree/aXb.txt", "half");
  TestSupport::WriteFile(Work() / "tree/c.txt", "whole");
  ASSERT_TRUE(
      TestSupport::Pack7z(Work() / "tree", Work() / "delta.7z", "-m0=Delta:4 -m1=LZMA -mhc=off"));
  ASSERT_TRUE(TestSupport::Pack7z(Work() / "tree", Work() / "lzma.7z", "-m0=LZMA -mhc=off"));
  std::string arm64 = TestSupport::ReadFile(Work() / "delta.7z");
  ASSERT_TRUE(TestSupport::Patch(&arm64, TestSupport::NextHeaderStart(arm64),
                                 std::string("\x21\x03\x01", 3), std::string("\x21\x0A\x01", 3)));
  TestSupport::WriteFile(Work() / "arm64.7z", TestSupport::Reseal7z(arm64));
  std::string lone = TestSupport::ReadFile(Work() / "lzma.7z");
  ASSERT_TRUE(TestSupport::Patch(&lone, TestSupport::NextHeaderStart(lone),
                                 std::string("a\0X\0b\0", 6),
                                 std::string("a\0\0\xD8"
                                             "b\0",
                                             6)));
  TestSupport::WriteFile(Work() / "lone.7z", TestSupport::Reseal7z(lone));

  DWORD error = 0;
  EXPECT_EQ(Extract(Work() / "arm64.7z", &error), 1);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_NOT_SUPPORTED));
  error = 0;
  EXPECT_EQ(Extract(Work() / "lone.7z", &error), 1);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_INVALID_NAME));
  EXPECT_EQ(Tree(Dest()), (std::map<std::string, std::string>{{"c.txt", "whole"}}));
}

TEST_F(PayloadExtractorTest, PayloadOfEmptyFilesEndsAtHundred) {
  TestSupport::WriteFile(Work() / "tree/empty1", "");
  TestSupport::WriteFile(Work() / "tree/empty2", "");
  ASSERT_TRUE(TestSupport::Pack7z(Work() / "tree", Work() / "a.7z", "-m0=LZMA"));
  DWORD error = 1;
  EXPECT_EQ(Extract(Work() / "a.7z", &error), 0);
  EXPECT_TRUE(fs::exists(Dest() / "empty1"));
  EXPECT_EQ(fs::file_size(Dest() / "empty2"), 0u);
  EXPECT_EQ(Percentages(), (std::vector<int>{0, 100, 100, 100}));
}

}  // namespace

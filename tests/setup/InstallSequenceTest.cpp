// The whole install on the headless host: StartInstall on this (UI) thread, the worker and the
// extraction on their own threads, a stand-in setup window receiving the progress, and the
// files, records, shortcuts, pins and launch checked afterwards.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "InstallEnvironment.h"
#include "Platform/Host/Headless/Headless.h"
#include "Platform/Kernel/PathMap.h"
#include "Platform/Text/Utf.h"
#include "StandInWindow.h"
#include "setup/InstallSequence.h"
#include "support/InstallDrive.h"
#include "support/ScratchMount.h"
#include "support/SevenZip.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using TestSupport::InstallDrive;

constexpr auto kInstallLimit = 60s;

struct Options {
  bool desktop = true, startMenu = true, taskbar = true;
};

class InstallTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Platform::Headless::Reset();
    Platform::Headless::TakeMessageBoxes();
    UseShippedPayload();
  }
  void TearDown() override { Platform::Headless::Reset(); }

  void Start(const std::u16string& directory, Options options = {}) {
    StartInstall(m_window.Handle(), directory.c_str(), options.desktop, options.startMenu,
                 options.taskbar);
  }
  // Starts an install and runs the window until the worker has ended the loop.
  void InstallAndWait(const std::u16string& directory, Options options = {}) {
    Start(directory, options);
    ASSERT_TRUE(m_window.RunUntilQuit(kInstallLimit)) << "the worker never posted WM_QUIT";
  }

  fs::path TempArchive() const { return TestSupport::TempFolder() / "KestroPlayCrate.7z"; }
  fs::path Posix(const std::u16string& windows) const {
    std::string posix;
    EXPECT_TRUE(Platform::WindowsToPosixPath(windows, &posix)) << Platform::Utf16ToUtf8(windows);
    return posix;
  }

  InstallDrive m_drive;
  StandInWindow m_window;
};

std::map<std::string, std::string> Tree(const fs::path& root) {
  std::map<std::string, std::string> files;
  for (auto& e : fs::recursive_directory_iterator(root))
    if (e.is_regular_file())
      files[fs::relative(e.path(), root).string()] = TestSupport::ReadFile(e.path());
  return files;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

std::string Bytes(const std::u16string& text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
}

// The launcher's record of how it was started: argument lines and the working directory.
struct LaunchRecord {
  int launches = 0;
  std::vector<std::string> arguments;  // of the last launch, argv0 excluded
  std::string program;
};

LaunchRecord ReadLaunches(const fs::path& log) {
  LaunchRecord record;
  for (const std::string& line : Lines(TestSupport::ReadFile(log))) {
    if (line.rfind("argv0=", 0) == 0) {
      ++record.launches;
      record.arguments.clear();
      record.program = line.substr(6);
    } else if (line.rfind("arg=", 0) == 0) {
      record.arguments.push_back(line.substr(4));
    }
  }
  return record;
}

std::string Joined(const std::vector<std::string>& words) {
  std::string out;
  for (const std::string& w : words) out += (out.empty() ? "" : " ") + w;
  return out;
}

bool WaitForFile(const fs::path& path) {
  for (int i = 0; i < 500 && !fs::exists(path); ++i) std::this_thread::sleep_for(10ms);
  return fs::exists(path);
}

TEST_F(InstallTest, FullInstallWithEveryOption) {
  SetWindowsVersion(2, 6, 1);
  Start(u"D:\\Games\\Halvane");
  // The payload waits, hidden, in the temporary folder while the worker runs.
  ASSERT_TRUE(fs::exists(TempArchive()));
  EXPECT_TRUE(GetFileAttributesW(Platform::PosixToWindowsPath(TempArchive().string()).c_str()) &
              FILE_ATTRIBUTE_HIDDEN);
  EXPECT_TRUE(StartInProgress);
  ASSERT_TRUE(m_window.RunUntilQuit(kInstallLimit));
  EXPECT_FALSE(StartInProgress);

  // Files, as 7zz unpacks them.
  TestSupport::TempDir reference("install-ref");
  ASSERT_EQ(TestSupport::RunShell("7zz x -bso0 -bsp0 -o" +
                                  TestSupport::ShellQuote(reference.Path().string()) + " " +
                                  TestSupport::ShellQuote(TestSupport::ShippedPayload().string())),
            0);
  auto installed = Tree(m_drive.InstallDir());
  installed.erase("PlayCrate.log");
  installed.erase("Halvane.lnk");
  // The list of what the install created: every payload entry, then the links and the pin.
  std::vector<std::string> listed = Lines(installed["uninstall.lst"]);
  installed.erase("uninstall.lst");
  EXPECT_TRUE(installed == Tree(reference.Path()));
  ASSERT_GE(listed.size(), 5u);
  EXPECT_EQ(listed[0], "HalvaneInstall 1\r");
  std::vector<std::string> files;
  for (const std::string& line : listed)
    if (line.rfind("F ", 0) == 0) files.push_back(line.substr(2, line.size() - 3));
  EXPECT_EQ(files.size(), 20u);
  EXPECT_NE(std::find(files.begin(), files.end(), "PlayCrate.exe"), files.end());
  EXPECT_EQ(std::vector<std::string>(listed.end() - 4, listed.end()),
            (std::vector<std::string>{
                "L D:\\Games\\Halvane\\\\Halvane.lnk\r", "P D:\\Games\\Halvane\\\\Halvane.lnk\r",
                "D " + Platform::Utf16ToUtf8(Programs()) + "\\Halvane\r",
                "L " + Platform::Utf16ToUtf8(Programs()) + "\\Halvane\\Halvane.lnk\r"}));
  EXPECT_FALSE(fs::exists(TempArchive()));

  // Progress: 0 first, rising, 100 last; one report per entry plus the first and the last.
  const std::vector<int>& progress = m_window.Progress();
  ASSERT_EQ(progress.size(), 24u);
  EXPECT_EQ(progress.front(), 0);
  EXPECT_EQ(progress.back(), 100);
  for (size_t i = 1; i < progress.size(); ++i) EXPECT_GE(progress[i], progress[i - 1]);

  // Registry records, byte for byte, without terminators.
  const std::u16string dir = u"D:\\Games\\Halvane\\";
  EXPECT_EQ(RegistryValue(HKEY_CURRENT_USER, u"Software\\Halvane", u"InstallPath"),
            (RegValue{REG_SZ, Bytes(dir)}));
  const std::u16string uninstall =
      u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Halvane";
  EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, uninstall, u"DisplayName"),
            (RegValue{REG_SZ, Bytes(u"Halvane卸载")}));
  EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, uninstall, u"DisplayName").data.size(), 18u);
  EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, uninstall, u"DisplayVersion"),
            (RegValue{REG_SZ, Bytes(u"1.0.0.0")}));
  EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, uninstall, u"Publisher"), (RegValue{REG_SZ, ""}));
  EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, uninstall, u"UninstallString"),
            (RegValue{REG_SZ, Bytes(dir + u"Uninstall.exe")}));
  EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, uninstall, u"DisplayIcon"),
            (RegValue{REG_SZ, Bytes(dir + u"PlayCrate.exe")}));
  EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, uninstall, u"InstallPath"),
            (RegValue{REG_SZ, Bytes(dir)}));

  // Shortcuts: desktop, start menu, and the pinned one hidden in the install directory.
  for (const fs::path& link :
       {Posix(CommonDesktop() + u"\\Halvane.lnk"), Posix(Programs() + u"\\Halvane\\Halvane.lnk"),
        m_drive.InstallDir() / "Halvane.lnk"}) {
    LinkInfo info = ReadLink(link);
    EXPECT_TRUE(info.ok) << link;
    EXPECT_EQ(info.target, "D:\\Games\\Halvane\\PlayCrate.exe") << link;
    EXPECT_EQ(info.workingDirectory, "D:\\Games\\Halvane\\") << link;
    // The link keeps the target relative to the directory it was given.
    EXPECT_EQ(info.relativePath, ".\\PlayCrate.exe") << link;
    EXPECT_EQ(info.description, "Halvane") << link;
    EXPECT_EQ(info.showCommand, 1) << link;
  }
  EXPECT_TRUE(GetFileAttributesW(u"D:\\Games\\Halvane\\Halvane.lnk") & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(ShellVerbs(),
            (std::vector<std::u16string>{u"TaskbarPin D:\\Games\\Halvane\\\\Halvane.lnk",
                                         u"StartPin D:\\Games\\Halvane\\\\Halvane.lnk"}));
  EXPECT_FALSE(
      fs::exists(Posix(AppData() + u"\\Microsoft\\Internet Explorer\\Quick Launch\\Halvane.lnk")));

  // The launcher ran once with the installer's own path as argument text.
  ASSERT_TRUE(WaitForFile(m_drive.InstallDir() / "PlayCrate.log"));
  LaunchRecord launch = ReadLaunches(m_drive.InstallDir() / "PlayCrate.log");
  EXPECT_EQ(launch.launches, 1);
  WCHAR self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  EXPECT_EQ(Joined(launch.arguments), Platform::Utf16ToUtf8(self));
  EXPECT_EQ(launch.program, "D:\\Games\\Halvane\\PlayCrate.exe");

  // Hidden right after the launch, the loop ended about three seconds later.
  ASSERT_TRUE(m_window.HiddenAt().has_value());
  auto quitDelay = std::chrono::duration_cast<std::chrono::milliseconds>(*m_window.QuitAt() -
                                                                         *m_window.HiddenAt());
  EXPECT_GE(quitDelay.count(), 2900);
  EXPECT_LE(quitDelay.count(), 4500);
  EXPECT_TRUE(Platform::Headless::TakeMessageBoxes().empty());
}

struct VersionCase {
  const char* label;
  DWORD platform, major, minor;
  bool pinned, quickLaunch;
};

class InstallVersions : public InstallTest, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(InstallVersions, TaskbarOptionFollowsTheWindowsGeneration) {
  SetWindowsVersion(GetParam().platform, GetParam().major, GetParam().minor);
  InstallAndWait(u"D:\\Games\\Halvane", Options{false, false, true});
  EXPECT_EQ(fs::exists(m_drive.InstallDir() / "Halvane.lnk"), GetParam().pinned);
  EXPECT_EQ(!ShellVerbs().empty(), GetParam().pinned);
  EXPECT_EQ(
      fs::exists(Posix(AppData() + u"\\Microsoft\\Internet Explorer\\Quick Launch\\Halvane.lnk")),
      GetParam().quickLaunch);
  EXPECT_FALSE(fs::exists(Posix(CommonDesktop() + u"\\Halvane.lnk")));
}

INSTANTIATE_TEST_SUITE_P(Install, InstallVersions,
                         ::testing::Values(VersionCase{"Windows7", 2, 6, 1, true, false},
                                           VersionCase{"WindowsXP", 2, 5, 1, false, true},
                                           VersionCase{"Windows8", 2, 6, 2, false, false}),
                         [](const ::testing::TestParamInfo<VersionCase>& info) {
                           return info.param.label;
                         });

TEST_F(InstallTest, NoOptionsLeavesOnlyTheUninstallEntryAndAcceptsLowerCaseDrives) {
  InstallAndWait(u"d:\\Games\\Halvane\\", Options{false, false, false});
  EXPECT_FALSE(fs::exists(Posix(CommonDesktop() + u"\\Halvane.lnk")));
  EXPECT_FALSE(fs::exists(Posix(Programs() + u"\\Halvane")));
  EXPECT_FALSE(fs::exists(m_drive.InstallDir() / "Halvane.lnk"));
  EXPECT_TRUE(ShellVerbs().empty());
  EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE,
                          u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Halvane",
                          u"InstallPath"),
            (RegValue{REG_SZ, Bytes(u"d:\\Games\\Halvane\\")}));
  EXPECT_TRUE(fs::exists(m_drive.InstallDir() / "PlayCrate.exe"));
}

TEST_F(InstallTest, EarlierInstallElsewhereIsUnpinnedFirst) {
  SetRegistryText(HKEY_CURRENT_USER, u"Software\\Halvane", u"InstallPath", u"D:\\Old\\");
  InstallAndWait(u"D:\\Games\\Halvane", Options{false, false, false});
  EXPECT_EQ(ShellVerbs(), (std::vector<std::u16string>{u"taskbarunpin D:\\Old\\Halvane.lnk"}));
}

TEST_F(InstallTest, SameDirectoryAgainIsNotUnpinned) {
  SetRegistryText(HKEY_CURRENT_USER, u"Software\\Halvane", u"InstallPath", u"D:\\Games\\Halvane\\");
  InstallAndWait(u"D:\\Games\\Halvane", Options{false, false, false});
  EXPECT_TRUE(ShellVerbs().empty());
}

TEST_F(InstallTest, SecondStartWhileTheWorkerRunsIsIgnored) {
  Start(u"D:\\Games\\Halvane");
  Start(u"D:\\Second");  // the first install's worker is still unpacking
  EXPECT_TRUE(StartInProgress);
  ASSERT_TRUE(m_window.RunUntilQuit(kInstallLimit));
  EXPECT_FALSE(fs::exists(m_drive.Root() / "Second"));
  EXPECT_EQ(RegistryValue(HKEY_CURRENT_USER, u"Software\\Halvane", u"InstallPath").data,
            Bytes(u"D:\\Games\\Halvane\\"));
  EXPECT_EQ(m_window.Progress().size(), 24u);
  ASSERT_TRUE(WaitForFile(m_drive.InstallDir() / "PlayCrate.log"));
  EXPECT_EQ(ReadLaunches(m_drive.InstallDir() / "PlayCrate.log").launches, 1);
}

TEST_F(InstallTest, DirectoryWithBlanksStartsTheLauncherNotAProgramBeforeTheBlank) {
  // "D:\Program Files\..." unquoted would first try "D:\Program.exe".
  fs::copy_file(TestSupport::PayloadProgram("PlayCrate"), m_drive.Root() / "Program.exe");
  InstallAndWait(u"D:\\Program Files\\Halvane", Options{false, false, false});
  fs::path installed = m_drive.Root() / "Program Files" / "Halvane";
  ASSERT_TRUE(WaitForFile(installed / "PlayCrate.log"));
  EXPECT_EQ(ReadLaunches(installed / "PlayCrate.log").launches, 1);
  std::this_thread::sleep_for(200ms);
  EXPECT_FALSE(fs::exists(m_drive.Root() / "Program.log"));
}

TEST_F(InstallTest, FailedExtractionShowsTheErrorAndKeepsTheWindow) {
  // The payload with one byte of its second block changed.
  std::string bytes = TestSupport::ReadFile(TestSupport::ShippedPayload());
  long long first = TestSupport::PackedBlockSize(TestSupport::ShippedPayload(), 0);
  ASSERT_GT(first, 0);
  bytes[static_cast<size_t>(TestSupport::kPackedDataStart + first + 40)] ^= 0x5A;
  UsePayload(bytes);

  Start(u"D:\\Games\\Halvane");
  std::vector<Platform::Headless::MessageBoxShown> boxes;
  ASSERT_TRUE(m_window.RunUntil(
      [&] {
        for (auto& b : Platform::Headless::TakeMessageBoxes()) boxes.push_back(b);
        return !boxes.empty() && !StartInProgress;
      },
      kInstallLimit));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u"Error : 17");  // ERROR_CRC
  EXPECT_EQ(boxes[0].caption, u"Halvane");
  EXPECT_EQ(boxes[0].owner, m_window.Handle());

  // The window stays: no hide, no quit; nothing after the extraction was done.
  EXPECT_FALSE(m_window.RunUntilQuit(4s));
  EXPECT_TRUE(IsWindowVisible(m_window.Handle()));
  EXPECT_FALSE(m_window.HiddenAt().has_value());
  EXPECT_FALSE(m_window.Progress().empty());
  EXPECT_LT(m_window.Progress().back(), 100);
  EXPECT_FALSE(fs::exists(TempArchive()));
  EXPECT_FALSE(fs::exists(Posix(CommonDesktop() + u"\\Halvane.lnk")));
  EXPECT_TRUE(ShellVerbs().empty());
  EXPECT_FALSE(RegistryValue(HKEY_LOCAL_MACHINE,
                             u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Halvane",
                             u"DisplayName")
                   .exists);
  EXPECT_FALSE(fs::exists(m_drive.InstallDir() / "PlayCrate.log"));

  // The user can try again, and with a sound payload the install completes.
  UseShippedPayload();
  InstallAndWait(u"D:\\Elsewhere", Options{false, false, false});
  EXPECT_TRUE(WaitForFile(m_drive.Root() / "Elsewhere" / "PlayCrate.log"));
}

// A cancel stops the extraction before its next entry and takes the install back: the folders
// and files it made go, newest first; what was there before stays; the earlier record returns.
TEST_F(InstallTest, CancelledInstallIsTakenBack) {
  SetRegistryText(HKEY_CURRENT_USER, u"Software\\Halvane", u"InstallPath", u"D:\\Old\\");
  TestSupport::WriteFile(m_drive.Root() / "Fresh" / "mine.txt", "the user's");
  // Cancelled while the extraction waits for the window to take its fifth report.
  m_window.OnProgress([](size_t reports) {
    if (reports == 5) InstallCancelRequested = true;
  });
  Start(u"D:\\Fresh\\New\\Halvane");
  ASSERT_TRUE(m_window.RunUntilQuit(kInstallLimit)) << "the worker never ended the program";
  EXPECT_FALSE(StartInProgress);
  EXPECT_EQ(m_window.Progress().size(), 5u) << "no entry after the cancel";
  EXPECT_FALSE(m_window.HiddenAt().has_value());
  EXPECT_FALSE(fs::exists(m_drive.Root() / "Fresh" / "New"));
  EXPECT_EQ(TestSupport::ReadFile(m_drive.Root() / "Fresh" / "mine.txt"), "the user's");
  EXPECT_EQ(RegistryValue(HKEY_CURRENT_USER, u"Software\\Halvane", u"InstallPath").data,
            Bytes(u"D:\\Old\\"));
  EXPECT_FALSE(RegistryValue(HKEY_LOCAL_MACHINE,
                             u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Halvane",
                             u"DisplayName")
                   .exists);
  EXPECT_FALSE(fs::exists(TempArchive()));
  EXPECT_FALSE(fs::exists(Posix(CommonDesktop() + u"\\Halvane.lnk")));
  EXPECT_TRUE(Platform::Headless::TakeMessageBoxes().empty());
  InstallCancelRequested = false;
}

// A reinstall over an earlier one that is cancelled keeps the earlier install's files and list.
TEST_F(InstallTest, CancelledReinstallKeepsTheEarlierInstall) {
  InstallAndWait(u"D:\\Games\\Halvane", Options{false, false, false});
  const std::string earlierList = TestSupport::ReadFile(m_drive.InstallDir() / "uninstall.lst");
  TestSupport::WriteFile(m_drive.InstallDir() / "saves" / "slot1", "progress");
  StandInWindow second;
  second.OnProgress([](size_t reports) {
    if (reports == 3) InstallCancelRequested = true;
  });
  StartInstall(second.Handle(), u"D:\\Games\\Halvane", false, false, false);
  ASSERT_TRUE(second.RunUntilQuit(kInstallLimit));
  EXPECT_TRUE(fs::exists(m_drive.InstallDir() / "PlayCrate.exe"));
  EXPECT_EQ(TestSupport::ReadFile(m_drive.InstallDir() / "saves" / "slot1"), "progress");
  EXPECT_EQ(TestSupport::ReadFile(m_drive.InstallDir() / "uninstall.lst"), earlierList);
  InstallCancelRequested = false;
}

TEST_F(InstallTest, LauncherThatDoesNotStartLeavesTheHiddenArchive) {
  // A payload whose PlayCrate.exe is not a program: everything installs, the launch fails.
  TestSupport::TempDir tree("not-a-program");
  TestSupport::WriteFile(tree.Path() / "PlayCrate.exe", "text, not a program");
  TestSupport::WriteFile(tree.Path() / "Uninstall.exe", "text");
  fs::path archive = tree.Path().parent_path() / (tree.Path().filename().string() + ".7z");
  ASSERT_TRUE(TestSupport::Pack7z(tree.Path(), archive, "-m0=LZMA"));
  UsePayload(TestSupport::ReadFile(archive));
  fs::remove(archive);

  InstallAndWait(u"D:\\Games\\Halvane", Options{false, false, false});
  EXPECT_TRUE(fs::exists(m_drive.InstallDir() / "PlayCrate.exe"));
  EXPECT_TRUE(RegistryValue(HKEY_LOCAL_MACHINE,
                            u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Halvane",
                            u"DisplayName")
                  .exists);
  ASSERT_TRUE(fs::exists(TempArchive()));
  EXPECT_TRUE(GetFileAttributesW(Platform::PosixToWindowsPath(TempArchive().string()).c_str()) &
              FILE_ATTRIBUTE_HIDDEN);
  EXPECT_TRUE(m_window.HiddenAt().has_value());
}

TEST_F(InstallTest, TemporaryArchiveThatCannotBeCreatedIsReported) {
  fs::create_directories(TempArchive() / "in-the-way");
  Start(u"D:\\Games\\Halvane");
  auto boxes = Platform::Headless::TakeMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u"Error : 5");  // ERROR_ACCESS_DENIED
  EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK));
  EXPECT_FALSE(StartInProgress);
  EXPECT_FALSE(fs::exists(m_drive.InstallDir() / "PlayCrate.exe"));
}

// Every refusal names its cause before anything is written or recorded: the drive text when
// the drive is at fault, the system's code otherwise.
TEST_F(InstallTest, RefusedDirectoriesSayWhy) {
  fs::path ram = TestSupport::RamDiskFolder();
  TestSupport::MapDrive(m_drive.Prefix(), 'r', ram);
  TestSupport::WriteFile(m_drive.Root() / "afile", "x");
  const auto before = Tree(m_drive.Root());
  struct Case {
    const char16_t* text;
    const char16_t* shown;
  } cases[] = {
      {u"R:\\Games", u"无效的盘符"},
      {u"Q:\\Games", u"无效的盘符"},
      {u"\\\\server\\share\\Games", u"无效的盘符"},
      {u"1:\\Games", u"无效的盘符"},
      {u"", u"Error : a1"},  // ERROR_BAD_PATHNAME
      {u"Dgames", u"Error : a1"},
      {u"D:games", u"Error : a1"},
      {u"D:\\Ga<mes", u"Error : 7b"},  // ERROR_INVALID_NAME
      {u"D:\\Games?", u"Error : 7b"},
      {u"D:\\a|b", u"Error : 7b"},
      {u"D:\\a\"b", u"Error : 7b"},
      {u"D:\\a*", u"Error : 7b"},
      {u"D:\\a>b", u"Error : 7b"},
      {u"D:\\a:b", u"Error : 7b"},
      {u"D:\\afile", u"Error : 10b"},  // ERROR_DIRECTORY
      {u"D:\\afile\\Halvane", u"Error : 10b"},
  };
  for (const Case& c : cases) {
    Start(c.text);
    auto boxes = Platform::Headless::TakeMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u) << Platform::Utf16ToUtf8(c.text);
    EXPECT_EQ(boxes[0].text, c.shown) << Platform::Utf16ToUtf8(c.text);
    EXPECT_EQ(boxes[0].caption, u"Halvane");
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_ICONHAND));
    EXPECT_EQ(boxes[0].owner, m_window.Handle());
    EXPECT_FALSE(StartInProgress);
  }
  // Nothing recorded or written for any of them.
  EXPECT_FALSE(RegistryValue(HKEY_CURRENT_USER, u"Software\\Halvane", u"InstallPath").exists);
  EXPECT_FALSE(fs::exists(TempArchive()));
  EXPECT_TRUE(Tree(m_drive.Root()) == before);
  EXPECT_TRUE(fs::is_empty(m_drive.InstallDir()));
  EXPECT_TRUE(IsOnFixedDrive(u"C:\\Games\\"));
  EXPECT_TRUE(IsOnFixedDrive(u"d:\\Games\\"));
  EXPECT_TRUE(IsOnFixedDrive(u"D:/Games\\"));
}

// A folder that cannot be made is reported with the system's code, and the levels made on the
// way are gone again; the earlier record stays as it was.
TEST_F(InstallTest, FolderThatCannotBeMadeIsReportedAndNotRecorded) {
  SetRegistryText(HKEY_CURRENT_USER, u"Software\\Halvane", u"InstallPath", u"D:\\Old\\");
  fs::create_directories(m_drive.Root() / "ro");
  TestSupport::ScratchMount readOnly(m_drive.Root() / "ro", "tmpfs", "ro");
  if (!readOnly.Mounted()) GTEST_SKIP() << readOnly.Error();
  Start(u"D:\\ro\\Games\\Halvane");
  auto boxes = Platform::Headless::TakeMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u"Error : 13");  // ERROR_WRITE_PROTECT
  EXPECT_FALSE(StartInProgress);
  EXPECT_TRUE(fs::is_empty(m_drive.Root() / "ro"));
  EXPECT_EQ(RegistryValue(HKEY_CURRENT_USER, u"Software\\Halvane", u"InstallPath").data,
            Bytes(u"D:\\Old\\"));
}

TEST(InstallDirectory, BackslashAppendedUnlessPresentOrEmpty) {
  WCHAR out[MAX_PATH];
  ASSERT_TRUE(MakeInstallDirectory(u"D:\\Games", out));
  EXPECT_EQ(std::u16string(out), u"D:\\Games\\");
  ASSERT_TRUE(MakeInstallDirectory(u"D:\\Games\\", out));
  EXPECT_EQ(std::u16string(out), u"D:\\Games\\");
  ASSERT_TRUE(MakeInstallDirectory(u"", out));
  EXPECT_EQ(std::u16string(out), u"");
  std::u16string longest(258, u'x');
  ASSERT_TRUE(MakeInstallDirectory(longest.c_str(), out));
  EXPECT_EQ(std::u16string(out).size(), 259u);
  EXPECT_FALSE(MakeInstallDirectory((longest + u"x").c_str(), out));
}

}  // namespace

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <thread>

#include "Platform/Kernel/PathMap.h"
#include "Platform/Kernel/Prefix.h"
#include "Platform/Shell/ShellLinkFormat.h"
#include "Platform/Shell/ShellOpen.h"
#include "Platform/Shell/ShellVerbLog.h"
#include "Platform/Text/Utf.h"
#include "Platform/Win32.h"
#include "support/TempDir.h"
#include "support/TestPrefix.h"

namespace {

namespace fs = std::filesystem;

INT_PTR Exec(const char16_t* verb, const std::u16string& file, const char16_t* params = nullptr,
             const char16_t* dir = nullptr) {
  return reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, verb, file.c_str(), params, dir, SW_SHOW));
}

class ShellExecute : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    Platform::PrefixDir();
  }
  void TearDown() override { CoUninitialize(); }

  fs::path Posix(const std::u16string& windows) {
    std::string posix;
    EXPECT_EQ(ERROR_SUCCESS, Platform::MapWindowsPath(windows, &posix));
    return posix;
  }

  // The installer's hidden taskbar shortcut in an install folder.
  std::u16string InstallerLink(const std::u16string& dir) {
    fs::create_directories(Posix(dir));
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    EXPECT_EQ(S_OK, CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IShellLinkW, reinterpret_cast<void**>(&link)));
    EXPECT_EQ(S_OK, link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)));
    link->SetPath((dir + u"PlayCrate.exe").c_str());
    link->SetWorkingDirectory(dir.c_str());
    link->SetDescription(u"Halvane");
    std::u16string path = dir + u"Halvane.lnk";
    EXPECT_EQ(S_OK, file->Save(path.c_str(), TRUE));
    file->Release();
    link->Release();
    EXPECT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    return path;
  }

  fs::path Pinned(const char* place) {
    WCHAR appData[MAX_PATH];
    EXPECT_EQ(S_OK, SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, appData));
    return Posix(std::u16string(appData) +
                 u"\\Microsoft\\Internet Explorer\\Quick Launch\\User Pinned\\" +
                 Platform::Utf8ToUtf16(place));
  }

  std::optional<std::u16string> PinnedTarget(const fs::path& file) {
    if (!fs::exists(file)) return std::nullopt;
    std::string bytes = TestSupport::ReadFile(file);
    Platform::ShellLinkData link;
    if (!Platform::ReadShellLink(bytes.data(), bytes.size(), &link)) return u"<unreadable>";
    return link.target;
  }

  std::string Log() { return TestSupport::ReadFile(Platform::ShellVerbLogPath()); }

  TestSupport::TestPrefix m_prefix;
};

TEST_F(ShellExecute, PinsKeepCopiesAndEveryRequestIsRecorded) {
  std::u16string link = InstallerLink(u"C:\\Games\\Halvane\\");
  EXPECT_GT(Exec(u"TaskbarPin", link), 32);
  EXPECT_GT(Exec(u"StartPin", link), 32);
  fs::path taskbar = Pinned("TaskBar") / "Halvane.lnk", start = Pinned("StartMenu") / "Halvane.lnk";
  EXPECT_EQ(TestSupport::ReadFile(taskbar), TestSupport::ReadFile(Posix(link)));
  EXPECT_EQ(TestSupport::ReadFile(start), TestSupport::ReadFile(Posix(link)));
  // The pinned copy is an ordinary file even though the shortcut it came from is hidden.
  std::u16string windowsCopy = Platform::PosixToWindowsPath(taskbar.string());
  EXPECT_EQ(GetFileAttributesW(windowsCopy.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);

  EXPECT_GT(Exec(u"taskbarunpin", link), 32);
  EXPECT_FALSE(fs::exists(taskbar));
  EXPECT_TRUE(fs::exists(start)) << "unpinning from the taskbar leaves the start menu alone";
  EXPECT_EQ(Exec(u"taskbarunpin", link), SE_ERR_NOASSOC) << "nothing pinned any more";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_ASSOCIATION));
  EXPECT_GT(Exec(u"startunpin", link), 32);
  EXPECT_FALSE(fs::exists(start));

  EXPECT_EQ(Log(),
            "TaskbarPin\tC:\\Games\\Halvane\\Halvane.lnk\n"
            "StartPin\tC:\\Games\\Halvane\\Halvane.lnk\n"
            "taskbarunpin\tC:\\Games\\Halvane\\Halvane.lnk\n"
            "taskbarunpin\tC:\\Games\\Halvane\\Halvane.lnk\n"
            "startunpin\tC:\\Games\\Halvane\\Halvane.lnk\n");
}

TEST_F(ShellExecute, UnpinningAnEarlierInstallLeavesTheNewPinAlone) {
  std::u16string first = InstallerLink(u"C:\\Old\\");
  std::u16string second = InstallerLink(u"C:\\New\\");
  ASSERT_GT(Exec(u"TaskbarPin", first), 32);
  fs::path taskbar = Pinned("TaskBar") / "Halvane.lnk";
  EXPECT_EQ(PinnedTarget(taskbar), u"C:\\Old\\PlayCrate.exe");
  // The earlier install is unpinned, then the new one pinned under the same name.
  ASSERT_GT(Exec(u"taskbarunpin", first), 32);
  ASSERT_GT(Exec(u"TaskbarPin", second), 32);
  EXPECT_EQ(PinnedTarget(taskbar), u"C:\\New\\PlayCrate.exe");
  // Unpinning the old one again does not touch the new pin of the same file name.
  EXPECT_EQ(Exec(u"TASKBARUNPIN", first), SE_ERR_NOASSOC);
  EXPECT_EQ(PinnedTarget(taskbar), u"C:\\New\\PlayCrate.exe");
}

TEST_F(ShellExecute, PathsWithADoubledBackslashBeforeTheNameWork) {
  // The installer joins "D:\Games\" and "\Halvane.lnk" into "...Games\\Halvane.lnk".
  InstallerLink(u"C:\\Games\\");
  EXPECT_GT(Exec(u"TaskbarPin", u"C:\\Games\\\\Halvane.lnk"), 32);
  EXPECT_EQ(PinnedTarget(Pinned("TaskBar") / "Halvane.lnk"), u"C:\\Games\\PlayCrate.exe");
  EXPECT_GT(Exec(u"taskbarunpin", u"C:\\Games\\Halvane.lnk"), 32);
}

TEST_F(ShellExecute, PinningAProgramMakesAShortcutToIt) {
  fs::create_directories(Posix(u"C:\\Tools"));
  TestSupport::WriteFile(Posix(u"C:\\Tools\\tool.exe"), "exe");
  ASSERT_GT(Exec(u"taskbarpin", u"C:\\Tools\\tool.exe"), 32);
  EXPECT_EQ(PinnedTarget(Pinned("TaskBar") / "tool.lnk"), u"C:\\Tools\\tool.exe");
  EXPECT_GT(Exec(u"taskbarunpin", u"C:\\Tools\\tool.exe"), 32);
  EXPECT_FALSE(fs::exists(Pinned("TaskBar") / "tool.lnk"));
}

TEST_F(ShellExecute, FailuresGiveTheDocumentedResults) {
  EXPECT_EQ(Exec(u"TaskbarPin", u"C:\\Games\\Halvane.lnk"), SE_ERR_PNF);
  fs::create_directories(Posix(u"C:\\Games"));
  EXPECT_EQ(Exec(u"TaskbarPin", u"C:\\Games\\Halvane.lnk"), SE_ERR_FNF);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(Exec(u"taskbarunpin", u"C:\\Games\\Halvane.lnk"), SE_ERR_FNF);
  EXPECT_EQ(Exec(u"TaskbarPin", u"C:\\Games"), SE_ERR_NOASSOC);
  TestSupport::WriteFile(Posix(u"C:\\Games\\broken.lnk"), "not a shortcut");
  EXPECT_EQ(Exec(u"TaskbarPin", u"C:\\Games\\broken.lnk"), ERROR_BAD_FORMAT);
  std::u16string link = InstallerLink(u"C:\\Games\\");
  EXPECT_EQ(Exec(u"print", link), SE_ERR_NOASSOC);
  EXPECT_EQ(Exec(u"properties", link), SE_ERR_NOASSOC);
  EXPECT_EQ(reinterpret_cast<INT_PTR>(
                ShellExecuteW(nullptr, u"TaskbarPin", nullptr, nullptr, nullptr, SW_SHOW)),
            SE_ERR_FNF);
  EXPECT_FALSE(fs::exists(Pinned("TaskBar") / "Halvane.lnk"));
  // Requests that failed are in the log too, one line each whatever their text.
  std::string log = Log();
  EXPECT_NE(log.find("print\tC:\\Games\\Halvane.lnk\n"), std::string::npos);
  EXPECT_NE(log.find("TaskbarPin\t\n"), std::string::npos);
  Exec(u"open\nforged", u"C:\\x\ty");
  EXPECT_NE(Log().find("open?forged\tC:\\x?y\n"), std::string::npos);
}

class ShellOpen : public ShellExecute {
 protected:
  // A program that records its arguments ("a|b|") and its working folder into record.txt.
  std::u16string Recorder(const std::u16string& at) {
    fs::path posix = Posix(at);
    fs::create_directories(posix.parent_path());
    TestSupport::WriteFile(posix, "#!/bin/sh\nprintf '%s|' \"$@\" > '" + Record().string() +
                                      ".tmp'\necho >> '" + Record().string() + ".tmp'\npwd >> '" +
                                      Record().string() + ".tmp'\nmv '" + Record().string() +
                                      ".tmp' '" + Record().string() + "'\n");
    fs::permissions(posix, fs::perms::owner_all);
    return at;
  }
  fs::path Record() const { return m_prefix.Scratch() / "record.txt"; }

  std::string WaitForRecord() {
    // Bounded only so that a program that never runs fails the test instead of hanging it.
    for (int i = 0; i < 6000 && !fs::exists(Record()); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return fs::exists(Record()) ? TestSupport::ReadFile(Record()) : "<nothing ran>";
  }
};

TEST_F(ShellOpen, ProgramsRunWithTheirParametersAndFolder) {
  std::u16string program = Recorder(u"C:\\Games\\PlayCrate.exe");
  fs::create_directories(Posix(u"C:\\Work"));
  EXPECT_GT(Exec(u"open", program, u"C:\\setup.exe \"two words\"", u"C:\\Work"), 32);
  EXPECT_EQ(WaitForRecord(), "C:\\setup.exe|two words|\n" + Posix(u"C:\\Work").string() + "\n");
}

TEST_F(ShellOpen, ShortcutsRunTheirTargetWithTheirArgumentsAndFolder) {
  std::u16string program = Recorder(u"C:\\Games\\PlayCrate.exe");
  Platform::ShellLinkData link;
  link.target = program;
  link.arguments = u"--from-link";
  link.workingDirectory = u"C:\\Games\\";
  TestSupport::WriteFile(Posix(u"C:\\Games\\Halvane.lnk"), Platform::WriteShellLink(link));
  EXPECT_GT(Exec(nullptr, u"C:\\Games\\Halvane.lnk", u"extra"), 32);
  EXPECT_EQ(WaitForRecord(), "--from-link|extra|\n" + Posix(u"C:\\Games").string() + "\n");
}

TEST_F(ShellOpen, DocumentsGoToTheDesktopOpener) {
  // A stand-in opener on PATH records the POSIX path it was given.
  TestSupport::TempDir bin("bin");
  // It writes under a temporary name and renames, so the record appears whole or not at all.
  const std::string record = Record().string();
  TestSupport::WriteFile(bin.Path() / "xdg-open", "#!/bin/sh\nprintf '%s|' \"$@\" > '" + record +
                                                      ".tmp'\nmv '" + record + ".tmp' '" + record +
                                                      "'\n");
  fs::permissions(bin.Path() / "xdg-open", fs::perms::owner_all);
  std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
  setenv("PATH", (bin.Path().string() + ":" + oldPath).c_str(), 1);
  fs::create_directories(Posix(u"C:\\Docs"));
  TestSupport::WriteFile(Posix(u"C:\\Docs\\read me.txt"), "text");
  INT_PTR result = Exec(u"open", u"C:\\Docs\\read me.txt");
  std::string opened = WaitForRecord();
  setenv("PATH", "/nonexistent", 1);
  EXPECT_EQ(Exec(u"open", u"C:\\Docs\\read me.txt"), SE_ERR_NOASSOC);
  setenv("PATH", oldPath.c_str(), 1);
  EXPECT_GT(result, 32);
  EXPECT_EQ(opened, Posix(u"C:\\Docs\\read me.txt").string() + "|");
}

TEST_F(ShellOpen, MissingProgramsFail) {
  EXPECT_EQ(Exec(u"open", u"C:\\Games\\PlayCrate.exe"), SE_ERR_PNF);
  fs::create_directories(Posix(u"C:\\Games"));
  EXPECT_EQ(Exec(u"open", u"C:\\Games\\PlayCrate.exe"), SE_ERR_FNF);
  EXPECT_EQ(Exec(u"open", u"no-such-program-anywhere"), SE_ERR_FNF);
  Recorder(u"C:\\Games\\PlayCrate.exe");
  EXPECT_EQ(Exec(u"open", u"C:\\Games\\PlayCrate.exe", nullptr, u"C:\\NoSuchFolder"), SE_ERR_PNF);
}

TEST(ShellQuoting, ArgumentsSurviveTheWindowsSplittingRules) {
  EXPECT_EQ(Platform::QuoteArgument(u"plain"), u"plain");
  EXPECT_EQ(Platform::QuoteArgument(u""), u"\"\"");
  EXPECT_EQ(Platform::QuoteArgument(u"two words"), u"\"two words\"");
  EXPECT_EQ(Platform::QuoteArgument(u"C:\\dir with space\\"), u"\"C:\\dir with space\\\\\"");
  EXPECT_EQ(Platform::QuoteArgument(u"say \"hi\""), u"\"say \\\"hi\\\"\"");
  EXPECT_EQ(Platform::QuoteArgument(u"a\\\\\"b"), u"\"a\\\\\\\\\\\"b\"");
}

}  // namespace

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>

#include "Platform/Shell/ShellLinkFormat.h"
#include "Platform/Win32.h"
#include "support/ChildProcess.h"
#include "support/TempDir.h"
#include "support/TestPrefix.h"

namespace {

namespace fs = std::filesystem;

// The fields lnkinfo prints, by their label.
std::map<std::string, std::string> LnkInfo(const fs::path& file) {
  TestSupport::ChildProcess tool("/usr/bin/lnkinfo", {file.string()});
  EXPECT_EQ(tool.Wait(), 0);
  std::map<std::string, std::string> fields;
  for (const std::string& line : tool.TakeLines()) {
    size_t colon = line.find(": ");
    if (colon == std::string::npos) continue;
    std::string label = line.substr(0, colon), value = line.substr(colon + 2);
    label.erase(0, label.find_first_not_of("\t "));
    label.erase(label.find_last_not_of("\t ") + 1);
    fields[label] = value;
  }
  return fields;
}

uint32_t HeaderField(const std::string& bytes, size_t offset) {
  uint32_t v = 0;
  if (bytes.size() >= offset + 4) std::memcpy(&v, bytes.data() + offset, 4);
  return v;
}

class ShellLinks : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IShellLinkW, reinterpret_cast<void**>(&m_link)));
    ASSERT_EQ(S_OK, m_link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&m_file)));
  }
  void TearDown() override {
    if (m_file) m_file->Release();
    if (m_link) m_link->Release();
    CoUninitialize();
  }

  // Creates a file of drive C and answers its POSIX path.
  fs::path MakeFile(const std::string& relative, const std::string& content) {
    fs::path path = m_prefix.DriveC() / relative;
    TestSupport::WriteFile(path, content);
    return path;
  }

  // Sets the properties the installer's shortcuts carry.
  void DescribeInstallerLink(const std::u16string& installDir) {
    ASSERT_EQ(S_OK, m_link->SetPath((installDir + u"PlayCrate.exe").c_str()));
    ASSERT_EQ(S_OK, m_link->SetWorkingDirectory(installDir.c_str()));
    ASSERT_EQ(S_OK, m_link->SetRelativePath(installDir.c_str(), 0));
    ASSERT_EQ(S_OK, m_link->SetDescription(u"Halvane"));
    ASSERT_EQ(S_OK, m_link->SetShowCmd(SW_SHOWNORMAL));
  }

  TestSupport::TestPrefix m_prefix;
  IShellLinkW* m_link = nullptr;
  IPersistFile* m_file = nullptr;
};

TEST_F(ShellLinks, InstallerShortcutReadsBackThroughLnkinfo) {
  (void)GetTempPathW(0, nullptr);  // creates the prefix and its drives
  MakeFile("Program Files/Halvane/PlayCrate.exe", std::string(12345, 'x'));
  DescribeInstallerLink(u"C:\\Program Files\\Halvane\\");
  // Joined as "%s\%s" from a folder that already ends with a backslash.
  ASSERT_EQ(S_OK, m_file->Save(u"C:\\users\\Public\\Desktop\\\\Halvane.lnk", TRUE));

  fs::path saved = m_prefix.DriveC() / "users/Public/Desktop/Halvane.lnk";
  auto info = LnkInfo(saved);
  EXPECT_EQ(info["Local path"], "C:\\Program Files\\Halvane\\PlayCrate.exe");
  EXPECT_EQ(info["Working directory"], "C:\\Program Files\\Halvane\\");
  EXPECT_EQ(info["Relative path"], ".\\PlayCrate.exe");
  EXPECT_EQ(info["Description"], "Halvane");
  EXPECT_EQ(info["File size"], "12345 bytes");
  EXPECT_EQ(info["Drive type"], "Fixed (3)");
  EXPECT_EQ(info["File attribute flags"], "0x00000020");
  EXPECT_EQ(info.count("Command line arguments"), 0u);
  // The lnkinfo of this system prints the file size in its "Show Window value" line, so the
  // show command is read from the header itself (offset 60).
  std::string bytes = TestSupport::ReadFile(saved);
  EXPECT_EQ(HeaderField(bytes, 60), static_cast<uint32_t>(SW_SHOWNORMAL));
  EXPECT_EQ(HeaderField(bytes, 0), 0x4Cu);
  EXPECT_EQ(HeaderField(bytes, 20), 0x9Eu);  // HasLinkInfo, HasName, HasRelativePath,
                                             // HasWorkingDir, IsUnicode
  EXPECT_EQ(S_FALSE, m_file->IsDirty());
}

TEST_F(ShellLinks, EveryPropertyWithTextBeyondAsciiSurvives) {
  (void)GetTempPathW(0, nullptr);
  const std::u16string dir = u"C:\\\u6E38\u620F\\Halvane \u00E9t\u00E9\\";  // 游戏, été
  ASSERT_EQ(S_OK, m_link->SetPath((dir + u"PlayCrate.exe").c_str()));
  ASSERT_EQ(S_OK, m_link->SetArguments(u"--from \"C:\\setup \u5B89\u88C5.exe\""));
  ASSERT_EQ(S_OK, m_link->SetWorkingDirectory(dir.c_str()));
  ASSERT_EQ(S_OK, m_link->SetDescription(u"Halvane\u5378\u8F7D"));
  ASSERT_EQ(S_OK, m_link->SetIconLocation((dir + u"PlayCrate.exe").c_str(), 2));
  ASSERT_EQ(S_OK, m_link->SetShowCmd(SW_SHOWMAXIMIZED));
  ASSERT_EQ(S_OK, m_file->Save(u"C:\\Halvane.lnk", FALSE));
  EXPECT_EQ(S_OK, m_file->IsDirty()) << "saved without remembering";

  auto info = LnkInfo(m_prefix.DriveC() / "Halvane.lnk");
  EXPECT_EQ(info["Local path"],
            "C:\\\xE6\xB8\xB8\xE6\x88\x8F\\Halvane \xC3\xA9t\xC3\xA9\\PlayCrate.exe");
  EXPECT_EQ(info["Command line arguments"], "--from \"C:\\setup \xE5\xAE\x89\xE8\xA3\x85.exe\"");
  EXPECT_EQ(info["Description"], "Halvane\xE5\x8D\xB8\xE8\xBD\xBD");
  EXPECT_EQ(info["Icon index"], "2");
  EXPECT_EQ(info["File size"], "0 bytes");  // the target does not exist
  EXPECT_EQ(HeaderField(TestSupport::ReadFile(m_prefix.DriveC() / "Halvane.lnk"), 60),
            static_cast<uint32_t>(SW_SHOWMAXIMIZED));

  // Our own reader gives back exactly what was set.
  IShellLinkW* again = nullptr;
  IPersistFile* loader = nullptr;
  ASSERT_EQ(S_OK, CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IPersistFile,
                                   reinterpret_cast<void**>(&loader)));
  ASSERT_EQ(S_OK, loader->Load(u"C:\\Halvane.lnk", STGM_READ));
  ASSERT_EQ(S_OK, loader->QueryInterface(IID_IShellLinkW, reinterpret_cast<void**>(&again)));
  WCHAR text[MAX_PATH];
  EXPECT_EQ(S_OK, again->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH));
  EXPECT_EQ(std::u16string(text), dir + u"PlayCrate.exe");
  EXPECT_EQ(S_OK, again->GetArguments(text, MAX_PATH));
  EXPECT_EQ(std::u16string(text), u"--from \"C:\\setup \u5B89\u88C5.exe\"");
  EXPECT_EQ(S_OK, again->GetDescription(text, MAX_PATH));
  EXPECT_EQ(std::u16string(text), u"Halvane\u5378\u8F7D");
  int icon = 0, show = 0;
  EXPECT_EQ(S_OK, again->GetIconLocation(text, MAX_PATH, &icon));
  EXPECT_EQ(icon, 2);
  EXPECT_EQ(S_OK, again->GetShowCmd(&show));
  EXPECT_EQ(show, SW_SHOWMAXIMIZED);
  LPOLESTR current = nullptr;
  EXPECT_EQ(S_OK, loader->GetCurFile(&current));
  EXPECT_EQ(std::u16string(current), u"C:\\Halvane.lnk");
  CoTaskMemFree(current);
  again->Release();
  loader->Release();
}

TEST_F(ShellLinks, NetworkTargetsKeepShareAndPath) {
  (void)GetTempPathW(0, nullptr);
  ASSERT_EQ(S_OK, m_link->SetPath(u"\\\\server\\games\\Halvane\\PlayCrate.exe"));
  ASSERT_EQ(S_OK, m_file->Save(u"C:\\net.lnk", TRUE));
  auto info = LnkInfo(m_prefix.DriveC() / "net.lnk");
  EXPECT_EQ(info["Network path"], "\\\\server\\games\\Halvane\\PlayCrate.exe");
  std::string bytes = TestSupport::ReadFile(m_prefix.DriveC() / "net.lnk");
  Platform::ShellLinkData read;
  ASSERT_TRUE(Platform::ReadShellLink(bytes.data(), bytes.size(), &read));
  EXPECT_EQ(read.target, u"\\\\server\\games\\Halvane\\PlayCrate.exe");
}

TEST_F(ShellLinks, GettersTruncateAndReportAMissingPath) {
  WCHAR small[5] = u"xxxx";
  EXPECT_EQ(S_FALSE, m_link->GetPath(small, 5, nullptr, 0));
  EXPECT_EQ(small[0], 0);
  ASSERT_EQ(S_OK, m_link->SetPath(u"C:\\a\\long-name.exe"));
  EXPECT_EQ(S_OK, m_link->GetPath(small, 5, nullptr, 0));
  EXPECT_EQ(std::u16string(small), u"C:\\a");
  WIN32_FIND_DATAW data;
  WCHAR full[MAX_PATH];
  EXPECT_EQ(S_OK, m_link->GetPath(full, MAX_PATH, &data, 0));
  EXPECT_EQ(std::u16string(data.cFileName), u"long-name.exe");
  EXPECT_EQ(E_INVALIDARG, m_link->GetDescription(small, 0));
  EXPECT_EQ(E_POINTER, m_link->GetShowCmd(nullptr));

  PIDLIST_ABSOLUTE list = nullptr;
  ASSERT_EQ(S_OK, m_link->GetIDList(&list));
  EXPECT_EQ(S_OK, m_link->SetPath(u""));
  ASSERT_EQ(S_OK, m_link->SetIDList(list));
  ILFree(list);
  EXPECT_EQ(S_OK, m_link->GetPath(full, MAX_PATH, nullptr, 0));
  EXPECT_EQ(std::u16string(full), u"C:\\a\\long-name.exe");
}

TEST_F(ShellLinks, BadTargetsAndBadDestinationsFail) {
  EXPECT_EQ(E_INVALIDARG, m_link->SetPath(u"PlayCrate.exe"));
  EXPECT_EQ(E_INVALIDARG, m_link->SetPath(u"C:PlayCrate.exe"));
  EXPECT_EQ(E_INVALIDARG, m_link->SetPath(nullptr));
  EXPECT_EQ(E_INVALIDARG, m_link->SetDescription(std::u16string(70000, u'd').c_str()));
  EXPECT_EQ(E_INVALIDARG, m_file->Save(nullptr, TRUE)) << "no file yet";
  ASSERT_EQ(S_OK, m_link->SetPath(u"C:\\x.exe"));
  (void)GetTempPathW(0, nullptr);
  EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND), m_file->Save(u"C:\\no\\such\\x.lnk", TRUE));
  EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED), m_file->Save(u"C:\\users", TRUE));
  EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_BAD_NETPATH), m_file->Save(u"\\\\srv\\s\\x.lnk", TRUE));
  // Nothing half-written is left in the folders.
  for (const auto& entry : fs::directory_iterator(m_prefix.DriveC()))
    EXPECT_EQ(entry.path().filename().string().rfind(".~", 0), std::string::npos);
}

TEST_F(ShellLinks, ResavingKeepsTheHiddenAttributeAndReplacesPlantedLinks) {
  (void)GetTempPathW(0, nullptr);
  DescribeInstallerLink(u"C:\\Games\\");
  fs::create_directories(m_prefix.DriveC() / "Games");
  ASSERT_EQ(S_OK, m_file->Save(u"C:\\Games\\Halvane.lnk", TRUE));
  ASSERT_TRUE(SetFileAttributesW(u"C:\\Games\\Halvane.lnk", FILE_ATTRIBUTE_HIDDEN));
  ASSERT_EQ(S_OK, m_link->SetDescription(u"Second"));
  ASSERT_EQ(S_OK, m_file->Save(nullptr, TRUE));
  EXPECT_EQ(GetFileAttributesW(u"C:\\Games\\Halvane.lnk") & FILE_ATTRIBUTE_HIDDEN,
            FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(LnkInfo(m_prefix.DriveC() / "Games/Halvane.lnk")["Description"], "Second");

  // A symbolic link planted at the name is replaced, never written through.
  TestSupport::TempDir outside("outside");
  fs::path victim = outside.Path() / "victim.txt";
  TestSupport::WriteFile(victim, "precious");
  fs::create_symlink(victim, m_prefix.DriveC() / "Games/Planted.lnk");
  ASSERT_EQ(S_OK, m_file->Save(u"C:\\Games\\Planted.lnk", FALSE));
  EXPECT_EQ(TestSupport::ReadFile(victim), "precious");
  EXPECT_FALSE(fs::is_symlink(m_prefix.DriveC() / "Games/Planted.lnk"));
}

TEST_F(ShellLinks, ResolveFindsAMovedTargetThroughTheRelativePath) {
  (void)GetTempPathW(0, nullptr);
  MakeFile("Old/PlayCrate.exe", "exe");
  DescribeInstallerLink(u"C:\\Old\\");
  ASSERT_EQ(S_OK, m_file->Save(u"C:\\Old\\Halvane.lnk", TRUE));
  EXPECT_EQ(S_OK, m_link->Resolve(nullptr, SLR_NO_UI));
  fs::rename(m_prefix.DriveC() / "Old", m_prefix.DriveC() / "New");

  IPersistFile* loader = nullptr;
  IShellLinkW* moved = nullptr;
  ASSERT_EQ(S_OK, CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IPersistFile,
                                   reinterpret_cast<void**>(&loader)));
  ASSERT_EQ(S_OK, loader->Load(u"C:\\New\\Halvane.lnk", STGM_READ));
  ASSERT_EQ(S_OK, loader->QueryInterface(IID_IShellLinkW, reinterpret_cast<void**>(&moved)));
  EXPECT_EQ(S_OK, moved->Resolve(nullptr, SLR_NO_UI));
  WCHAR path[MAX_PATH];
  moved->GetPath(path, MAX_PATH, nullptr, 0);
  EXPECT_EQ(std::u16string(path), u"C:\\New\\PlayCrate.exe");
  fs::remove(m_prefix.DriveC() / "New/PlayCrate.exe");
  EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), moved->Resolve(nullptr, SLR_NO_UI));
  EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), loader->Load(u"C:\\gone.lnk", STGM_READ));
  moved->Release();
  loader->Release();
}

TEST(ShellLinkFormat, TruncatedOrAlteredFilesAreRefused) {
  Platform::ShellLinkData link;
  link.target = u"C:\\Program Files\\Halvane\\PlayCrate.exe";
  link.description = u"Halvane";
  link.workingDirectory = u"C:\\Program Files\\Halvane\\";
  link.relativePath = u".\\PlayCrate.exe";
  std::string bytes = Platform::WriteShellLink(link);
  Platform::ShellLinkData read;
  ASSERT_TRUE(Platform::ReadShellLink(bytes.data(), bytes.size(), &read));
  EXPECT_EQ(read.target, link.target);
  EXPECT_EQ(read.relativePath, link.relativePath);
  for (size_t size = 0; size < bytes.size(); ++size)
    EXPECT_FALSE(Platform::ReadShellLink(bytes.data(), size, &read)) << size;
  std::string wrongClass = bytes;
  wrongClass[4] ^= 1;
  EXPECT_FALSE(Platform::ReadShellLink(wrongClass.data(), wrongClass.size(), &read));
  // A LinkInfo whose offsets point outside it.
  std::string badOffset = bytes;
  badOffset[0x4C + 28] = '\xFF';
  badOffset[0x4C + 29] = '\xFF';
  EXPECT_FALSE(Platform::ReadShellLink(badOffset.data(), badOffset.size(), &read));
}

}  // namespace

namespace {

TEST(ShellLinkFormat, TargetsComeBackCharacterForCharacter) {
  for (const char16_t* target :
       {u"C:\\", u"C:\\dir\\", u"c:/mixed/separators.exe", u"\\\\srv\\share", u"\\\\srv\\share\\",
        u"\\\\srv\\share\\dir\\x.exe", u"\\\\srv\\\\x", u"\\\\srv\\share\\\\x", u"\\\\\\\\x"}) {
    Platform::ShellLinkData link, read;
    link.target = target;
    std::string bytes = Platform::WriteShellLink(link);
    ASSERT_TRUE(Platform::ReadShellLink(bytes.data(), bytes.size(), &read));
    EXPECT_EQ(read.target, link.target);
  }
}

}  // namespace

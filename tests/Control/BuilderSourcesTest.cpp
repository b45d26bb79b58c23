// Where the builder reads skins from (loose folder, zip file, zip in memory, embedded resource)
// and how nested sources end: Include and child layouts that include themselves.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "Control/UIChildLayout.h"
#include "Control/UIDlgBuilder.h"
#include "Core/UIContainer.h"
#include "Core/UIManager.h"
#include "Layout/SkinHostWindow.h"
#include "support/DebugCapture.h"
#include "support/Drive.h"
#include "support/SkinSettingsScope.h"
#include "support/TempDir.h"
#include "support/TestPrefix.h"
#include "support/WideString.h"
#include "support/WindowsPath.h"

using namespace SkinUI;
using LayoutTest::Box;
using LayoutTest::SkinHostWindow;

namespace {

uint32_t Crc32(const std::string& bytes) {
  uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char byte : bytes) {
    crc ^= byte;
    for (int bit = 0; bit < 8; bit++) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void Put16(std::string& out, uint32_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// A zip archive with the files stored (not compressed).
std::string StoredZip(const std::map<std::string, std::string>& files) {
  std::string zip, directory;
  for (const auto& [name, data] : files) {
    const uint32_t offset = static_cast<uint32_t>(zip.size());
    const uint32_t crc = Crc32(data);
    const uint32_t size = static_cast<uint32_t>(data.size());
    Put32(zip, 0x04034b50);
    Put16(zip, 10), Put16(zip, 0), Put16(zip, 0), Put16(zip, 0), Put16(zip, 0);
    Put32(zip, crc), Put32(zip, size), Put32(zip, size);
    Put16(zip, static_cast<uint32_t>(name.size())), Put16(zip, 0);
    zip += name + data;
    Put32(directory, 0x02014b50);
    Put16(directory, 20), Put16(directory, 10), Put16(directory, 0), Put16(directory, 0);
    Put16(directory, 0), Put16(directory, 0);
    Put32(directory, crc), Put32(directory, size), Put32(directory, size);
    Put16(directory, static_cast<uint32_t>(name.size()));
    Put16(directory, 0), Put16(directory, 0), Put16(directory, 0), Put16(directory, 0);
    Put32(directory, 0), Put32(directory, offset);
    directory += name;
  }
  const uint32_t directoryOffset = static_cast<uint32_t>(zip.size());
  zip += directory;
  Put32(zip, 0x06054b50);
  Put16(zip, 0), Put16(zip, 0);
  Put16(zip, static_cast<uint32_t>(files.size())), Put16(zip, static_cast<uint32_t>(files.size()));
  Put32(zip, static_cast<uint32_t>(directory.size())), Put32(zip, directoryOffset);
  Put16(zip, 0);
  return zip;
}

const std::map<std::string, std::string> kSkin = {
    {"skin.xml",
     "<Window size=\"320,240\"><VerticalLayout name=\"v\"><Control name=\"top\" height=\"20\"/>"
     "<Include source=\"row.xml\" count=\"2\"/><ChildLayout name=\"child\" xmlfile=\"child.xml\"/>"
     "</VerticalLayout></Window>"},
    {"row.xml", "<Window><Control name=\"row\" height=\"10\"/></Window>"},
    {"child.xml", "<Window><Container name=\"inner\"/></Window>"},
};

class BuilderSources : public ::testing::Test {
 protected:
  void SetUp() override {
    m_folder = m_prefix.Scratch() / "skin";
    std::filesystem::create_directories(m_folder);
    CPaintManagerUI::SetResourceFolder(TestSupport::WindowsPath(m_folder).c_str());
  }

  // The skin of kSkin is built completely: the includes, the child layout's file.
  void ExpectWholeSkin(SkinHostWindow& window) {
    EXPECT_EQ(320, window.manager.InitialSize().cx);
    EXPECT_EQ(Box(0, 0, 320, 20), Box(window.Rect(TEXT("top"))));  // the window took its size
    auto* v =
        static_cast<IContainerUI*>(window.Find(TEXT("v"))->GetInterfaceByName(TEXT("IContainer")));
    ASSERT_EQ(4, v->GetCount());
    EXPECT_EQ(10, v->GetItemAt(1)->GetFixedHeight());
    EXPECT_EQ(10, v->GetItemAt(2)->GetFixedHeight());
    EXPECT_EQ(Box(0, 40, 320, 240), Box(window.Rect(TEXT("inner"))));
  }

  TestSupport::TestPrefix m_prefix;
  TestSupport::SkinSettingsScope m_settings;
  std::filesystem::path m_folder;
};

TEST_F(BuilderSources, ALooseFolder) {
  for (const auto& [name, data] : kSkin) TestSupport::WriteFile(m_folder / name, data);
  SkinHostWindow window;
  ASSERT_TRUE(window.Load(TEXT("skin.xml")));
  ExpectWholeSkin(window);
  CLayoutBuilder missing;
  EXPECT_EQ(nullptr, missing.Create(TEXT("absent.xml")));
}

TEST_F(BuilderSources, AZipFileAndAZipInMemory) {
  const std::string zip = StoredZip(kSkin);
  TestSupport::WriteFile(m_folder / "skin.zip", zip);
  CPaintManagerUI::SetResourceZip(TEXT("skin.zip"), false);
  {
    SkinHostWindow window;
    ASSERT_TRUE(window.Load(TEXT("skin.xml")));
    ExpectWholeSkin(window);
  }
  static std::string memory;
  memory = zip;
  CPaintManagerUI::SetResourceZip(TEXT(""), false);
  CPaintManagerUI::SetResourceZipBuffer(memory.data(), static_cast<unsigned>(memory.size()));
  SkinHostWindow window;
  ASSERT_TRUE(window.Load(TEXT("SKIN.XML")));  // entries are found without regard to case
  ExpectWholeSkin(window);
}

TEST_F(BuilderSources, AZipHeldAsAnEmbeddedResource) {
  // The way a skinned window finds its skin: the archive is a resource of the program, used
  // from the resource's memory.
  HMODULE self = GetModuleHandleW(nullptr);
  CPaintManagerUI::SetInstance(self);
  const std::string zip = StoredZip(kSkin);
  ASSERT_TRUE(Drive::AddResource(TEXT("ZIPRES"), MAKEINTRESOURCEW(105), zip.data(), zip.size()));
  HRSRC found =
      FindResourceW(CPaintManagerUI::ResourceModule(), MAKEINTRESOURCEW(105), TEXT("ZIPRES"));
  ASSERT_NE(found, nullptr);
  void* bytes = LockResource(LoadResource(CPaintManagerUI::ResourceModule(), found));
  CPaintManagerUI::SetResourceZipBuffer(bytes, SizeofResource(self, found));
  {
    SkinHostWindow window;
    ASSERT_TRUE(window.Load(TEXT("skin.xml")));
    ExpectWholeSkin(window);
  }
  CPaintManagerUI::SetResourceZip(TEXT(""), false);
  Drive::RemoveResource(TEXT("ZIPRES"), MAKEINTRESOURCEW(105));
}

TEST_F(BuilderSources, AnEmbeddedResourceAndIncludesOfTheSameType) {
  HMODULE self = GetModuleHandleW(nullptr);
  CPaintManagerUI::SetInstance(self);
  const std::string skin =
      "<Window><HorizontalLayout name=\"h\"><Include source=\"702\" count=\"2\"/>"
      "</HorizontalLayout></Window>";
  const std::string part = "<Window><Control width=\"7\"/></Window>";
  ASSERT_TRUE(Drive::AddResource(TEXT("SKIN"), MAKEINTRESOURCEW(701), skin.data(), skin.size()));
  ASSERT_TRUE(Drive::AddResource(TEXT("SKIN"), MAKEINTRESOURCEW(702), part.data(), part.size()));
  SkinHostWindow window;
  CLayoutBuilder builder;
  CControlUI* root = builder.Create(MAKEINTRESOURCEW(701), TEXT("SKIN"), nullptr, &window.manager);
  ASSERT_NE(root, nullptr);
  auto* row = static_cast<IContainerUI*>(root->GetInterfaceByName(TEXT("IContainer")));
  ASSERT_EQ(2, row->GetCount());
  EXPECT_EQ(7, row->GetItemAt(1)->GetFixedWidth());
  delete root;
  CLayoutBuilder absent;
  EXPECT_EQ(nullptr, absent.Create(MAKEINTRESOURCEW(703), TEXT("SKIN")));
  Drive::RemoveResource(TEXT("SKIN"), MAKEINTRESOURCEW(701));
  Drive::RemoveResource(TEXT("SKIN"), MAKEINTRESOURCEW(702));
}

TEST_F(BuilderSources, AnIncludeCycleEndsWithOneLine) {
  TestSupport::WriteFile(m_folder / "a.xml",
                         "<Window><VerticalLayout name=\"a\"><Control/>"
                         "<Include source=\"b.xml\" count=\"3\"/></VerticalLayout></Window>");
  TestSupport::WriteFile(m_folder / "b.xml",
                         "<Window><Control name=\"b\"/><Include source=\"A.xml\"/></Window>");
  TestSupport::WriteFile(m_folder / "self.xml",
                         "<Window><VerticalLayout><Include source=\"self.xml\" count=\"2\"/>"
                         "</VerticalLayout></Window>");
  TestSupport::DebugOutputCapture capture;
  SkinHostWindow window;
  ASSERT_TRUE(window.Load(TEXT("a.xml")));
  // a holds its control and three copies of b's control; each copy's way back to a is refused.
  auto* a =
      static_cast<IContainerUI*>(window.Find(TEXT("a"))->GetInterfaceByName(TEXT("IContainer")));
  EXPECT_EQ(4, a->GetCount());
  EXPECT_EQ(3u, capture.Pieces().size());

  CLayoutBuilder self;
  CControlUI* root = self.Create(TEXT("self.xml"));
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(0, static_cast<CContainerUI*>(root)->GetCount());
  delete root;
}

TEST_F(BuilderSources, IncludesNestDeepAtMostSixteenLevels) {
  for (int i = 0; i < 20; i++) {
    TestSupport::WriteFile(
        m_folder / ("n" + std::to_string(i) + ".xml"),
        "<Window><Control/><Include source=\"n" + std::to_string(i + 1) + ".xml\"/></Window>");
  }
  TestSupport::WriteFile(m_folder / "top.xml",
                         "<Window><VerticalLayout><Include source=\"n0.xml\"/></VerticalLayout>"
                         "</Window>");
  TestSupport::DebugOutputCapture capture;
  CLayoutBuilder builder;
  CControlUI* root = builder.Create(TEXT("top.xml"));
  ASSERT_NE(root, nullptr);
  // top.xml is the first level; n0 ... n14 add one control each.
  EXPECT_EQ(CBuildNestingScope::kMaxDepth - 1, static_cast<CContainerUI*>(root)->GetCount());
  EXPECT_EQ(1u, capture.Pieces().size());
  delete root;
}

TEST_F(BuilderSources, AChildLayoutThatHoldsItselfEnds) {
  TestSupport::WriteFile(m_folder / "loop.xml",
                         "<Window><VerticalLayout name=\"loop\"><Control height=\"5\"/>"
                         "<ChildLayout xmlfile=\"loop.xml\"/></VerticalLayout></Window>");
  TestSupport::WriteFile(m_folder / "main.xml",
                         "<Window><VerticalLayout><ChildLayout name=\"outer\" "
                         "xmlfile=\"loop.xml\"/>"
                         "</VerticalLayout></Window>");
  TestSupport::DebugOutputCapture capture;
  SkinHostWindow window;
  ASSERT_TRUE(window.Load(TEXT("main.xml")));
  auto* outer = static_cast<CChildLayoutUI*>(window.Find(TEXT("outer")));
  ASSERT_NE(outer, nullptr);
  ASSERT_EQ(1, outer->GetCount());
  // The file is loaded once; the child layout inside it, which would load it again, is refused.
  auto* loaded = static_cast<CContainerUI*>(outer->GetItemAt(0));
  ASSERT_EQ(2, loaded->GetCount());
  EXPECT_EQ(0, static_cast<CContainerUI*>(loaded->GetItemAt(1))->GetCount());
  EXPECT_FALSE(capture.Pieces().empty());
}

TEST_F(BuilderSources, AChildLayoutWhoseFileCannotBeBuiltStaysEmpty) {
  SkinHostWindow window;
  ASSERT_TRUE(
      window.Load(TEXT("<Window><VerticalLayout><ChildLayout name=\"c\" xmlfile=\"nothing.xml\"/>")
                      TEXT("</VerticalLayout></Window>")));
  auto* child = static_cast<CChildLayoutUI*>(window.Find(TEXT("c")));
  EXPECT_EQ(0, child->GetCount());
  EXPECT_EQ(TEXT("nothing.xml"), WString(child->GetXmlFile().GetData()));
  EXPECT_EQ(nullptr, child->GetInterfaceByName(TEXT("Container")));
  EXPECT_EQ(child, child->GetInterfaceByName(TEXT("ChildLayout")));
}

}  // namespace

// The skinned window base: creation from each skin source, the frame it strips, the caption
// hit test, the work-area maximum, the rounded shape, system commands and buttons, and the
// notification maps.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "WinImplBaseFixture.h"
#include "support/Drive.h"
#include "support/TestData.h"
#include "support/WideString.h"

namespace {

using SkinUI::CControlUI;
using SkinUI::TNotifyMsg;

const char kSkin[] = R"(<Window size="300,200" caption="10,0,10,40" roundcorner="6,6">
  <VerticalLayout bkcolor="#FF202020">
    <Label name="lbl" float="true" pos="20,5,80,35" text="label" />
    <Button name="btn" float="true" pos="90,5,130,35" />
    <Text name="txt" float="true" pos="140,5,170,35" text="text" />
    <Option name="opt" float="true" pos="180,5,210,35" />
    <Loud name="loud" float="true" pos="220,5,250,35" />
    <Button name="closebtn" float="true" pos="20,100,60,130" />
    <Button name="minbtn" float="true" pos="70,100,110,130" />
    <Button name="maxbtn" float="true" pos="120,100,160,130" />
    <Button name="restorebtn" float="true" pos="170,100,210,130" />
  </VerticalLayout>
</Window>)";

// A control that reports a button's class name in capitals.
class LoudControl : public CControlUI {
 public:
  LPCWSTR GetClassName() const override { return TEXT("BUTTONUI"); }
};

class WinImplBase : public SkinWindowTest {
 protected:
  void SetUp() override {
    SkinWindowTest::SetUp();
    m_wnd.customControls = [](LPCWSTR pstrClass) -> CControlUI* {
      return WStringView(pstrClass) == TEXT("Loud") ? new LoudControl() : nullptr;
    };
  }
};

TEST_F(WinImplBase, CreatingStripsTheCaptionAndAttachesTheSkin) {
  WriteSkin(kSkin);
  ASSERT_NE(OpenFolderSkin(), nullptr);
  LONG style = GetWindowLongW(m_hWnd, GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, 0);
  EXPECT_EQ(style & (WS_CLIPSIBLINGS | WS_CLIPCHILDREN), WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
  RECT rc = {};
  GetWindowRect(m_hWnd, &rc);
  EXPECT_EQ(rc.right - rc.left, 300);  // the skin's size, applied while creating
  EXPECT_EQ(rc.bottom - rc.top, 200);
  EXPECT_EQ(m_wnd.nSkinReady, 1);
  EXPECT_TRUE(m_wnd.m_PaintManager.IsLayeredBackground());
  EXPECT_NE(Find(TEXT("lbl")), nullptr);
  EXPECT_TRUE(Drive::HasWindowRegion(m_hWnd));
  EXPECT_TRUE(Drive::TakeMessageBoxes().empty());
  // The window class takes double clicks.
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  // Registered without a module, the class belongs to the program on Windows.
  ASSERT_TRUE(
      GetClassInfoExW(SkinUI::CWindowWnd::ModuleInstance(), TEXT("SkinUITestSkinWnd"), &wc) ||
      GetClassInfoExW(GetModuleHandleW(nullptr), TEXT("SkinUITestSkinWnd"), &wc));
  EXPECT_NE(wc.style & CS_DBLCLKS, 0u);
}

TEST_F(WinImplBase, CaptionHitTestSkipsButtonsOptionsAndTextsInAnyCase) {
  WriteSkin(kSkin);
  ASSERT_NE(OpenFolderSkin(), nullptr);
  struct Case {
    const char* what;
    int x, y;
    LRESULT hit;
  } cases[] = {
      {"label", 50, 20, HTCAPTION},
      {"background, last caption row", 270, 39, HTCAPTION},
      {"background, first row below", 270, 40, HTCLIENT},
      {"inside the left inset", 9, 20, HTCLIENT},
      {"first column after the left inset", 10, 20, HTCAPTION},
      {"inside the right inset", 290, 20, HTCLIENT},
      {"last column before the right inset", 289, 20, HTCAPTION},
      {"button", 100, 20, HTCLIENT},
      {"text", 150, 20, HTCLIENT},
      {"option", 190, 20, HTCLIENT},
      {"class name in capitals", 230, 20, HTCLIENT},
  };
  for (const Case& c : cases) {
    POINT pt = ScreenPoint(c.x, c.y);
    EXPECT_EQ(SendMessageW(m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)), c.hit) << c.what;
  }
}

TEST_F(WinImplBase, MaximisingStopsAtTheWorkArea) {
  WriteSkin(kSkin);
  ASSERT_NE(OpenFolderSkin(), nullptr);
  struct Case {
    const char* what;
    RECT work;
    POINT position, size;
  } cases[] = {
      {"task bar below", {0, 0, 1000, 760}, {0, 0}, {1000, 760}},
      {"task bar above", {0, 40, 1000, 800}, {0, 40}, {1000, 800}},
      {"task bar left", {60, 0, 1000, 800}, {60, 0}, {1000, 800}},
  };
  for (const Case& c : cases) {
    Drive::SetScreen({0, 0, 1000, 800}, c.work);
    MINMAXINFO info = {};
    SendMessageW(m_hWnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMaxPosition.x, c.position.x) << c.what;
    EXPECT_EQ(info.ptMaxPosition.y, c.position.y) << c.what;
    EXPECT_EQ(info.ptMaxSize.x, c.size.x) << c.what;
    EXPECT_EQ(info.ptMaxSize.y, c.size.y) << c.what;
  }
}

TEST_F(WinImplBase, NonClientMessagesKeepTheNativeFrameAway) {
  WriteSkin(kSkin);
  ASSERT_NE(OpenFolderSkin(), nullptr);
  EXPECT_EQ(SendMessageW(m_hWnd, WM_NCACTIVATE, 0, 0), TRUE);
  EXPECT_EQ(SendMessageW(m_hWnd, WM_NCACTIVATE, 1, 0), FALSE);
  NCCALCSIZE_PARAMS params = {};
  params.rgrc[0] = {10, 20, 310, 220};
  EXPECT_EQ(SendMessageW(m_hWnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params)), 0);
  EXPECT_EQ(params.rgrc[0].left, 10);  // untouched: the client area is the whole window
  EXPECT_EQ(params.rgrc[0].bottom, 220);
  RECT client = {};
  GetClientRect(m_hWnd, &client);
  EXPECT_EQ(client.right, 300);
  EXPECT_EQ(client.bottom, 200);
}

TEST_F(WinImplBase, SystemButtonsMinimiseMaximiseRestoreAndClose) {
  WriteSkin(kSkin);
  ASSERT_NE(OpenFolderSkin(), nullptr);
  ClickAt(90, 115);  // minbtn
  EXPECT_TRUE(IsIconic(m_hWnd));
  ShowWindow(m_hWnd, SW_RESTORE);
  Drive::RunUntilIdle();
  ClickAt(140, 115);  // maxbtn
  EXPECT_TRUE(IsZoomed(m_hWnd));
  // The maximised window is the work area; the restore button is where it was.
  ClickAt(190, 115);  // restorebtn
  EXPECT_FALSE(IsZoomed(m_hWnd));
  EXPECT_FALSE(IsIconic(m_hWnd));
  ClickAt(40, 115);  // closebtn
  EXPECT_FALSE(IsWindow(m_hWnd));
  EXPECT_NE(std::find(m_wnd.log.begin(), m_wnd.log.end(), "base-click:closebtn"), m_wnd.log.end());
}

TEST_F(WinImplBase, SystemButtonNamesMatchExactly) {
  WriteSkin(kSkin);
  ASSERT_NE(OpenFolderSkin(), nullptr);
  for (const WCHAR* name : {TEXT("CloseBtn"), TEXT("closebtn "), TEXT("MINBTN"), TEXT("maxbtn2")}) {
    CControlUI sender;
    sender.SetName(name);
    TNotifyMsg msg;
    msg.sType = TEXT("click");
    msg.pSender = &sender;
    m_wnd.Receive(msg);
    Drive::RunUntilIdle();
  }
  EXPECT_TRUE(IsWindow(m_hWnd));
  EXPECT_FALSE(IsIconic(m_hWnd));
  EXPECT_FALSE(IsZoomed(m_hWnd));
}

TEST_F(WinImplBase, CloseCommandClosesTheWindow) {
  WriteSkin(kSkin);
  ASSERT_NE(OpenFolderSkin(), nullptr);
  EXPECT_EQ(SendMessageW(m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0), 0);
  Drive::RunUntilIdle();
  EXPECT_FALSE(IsWindow(m_hWnd));
}

TEST_F(WinImplBase, EveryResizeKeepsTheCornersOnlyWhenTheSkinAsksForThem) {
  struct Case {
    const char* corner;
    bool shaped;
    bool cornerCut;  // an ellipse less than 2 pixels across leaves a plain rectangle
  } cases[] = {{"6,6", true, true}, {"0,0", false, false}, {"0,4", true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.corner);
    WriteSkin(std::string("<Window size=\"300,200\" roundcorner=\"") + c.corner +
              "\"><Control /></Window>");
    TestSkinWnd wnd;  // one window object per window, as the base expects
    wnd.sFolder = FolderPath();
    HWND hwnd =
        wnd.Create(nullptr, TEXT("skinned"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 0, 10, 10);
    ASSERT_NE(hwnd, nullptr);
    Drive::RunUntilIdle();
    EXPECT_EQ(Drive::HasWindowRegion(hwnd), c.shaped);
    SetWindowPos(hwnd, nullptr, 0, 0, 350, 250, SWP_NOMOVE | SWP_NOZORDER);
    Drive::RunUntilIdle();
    EXPECT_EQ(Drive::HasWindowRegion(hwnd), c.shaped);
    // The shape covers the window, corners rounded when asked: the corner pixel is outside,
    // the middle of the top edge and the bottom-right pixel inside.
    EXPECT_EQ(WindowFromPoint(POINT{0, 0}) == hwnd, !c.cornerCut);
    EXPECT_EQ(WindowFromPoint(POINT{175, 0}), hwnd);
    EXPECT_EQ(WindowFromPoint(POINT{349, 249}) == hwnd, !c.cornerCut);
    DestroyWindow(hwnd);
    Drive::RunUntilIdle();
  }
}

// --- Skin sources -----------------------------------------------------------------------------

TEST_F(WinImplBase, ZipResourceIsCopiedOnceAndKept) {
  const std::string zip = TestSupport::ReadDataFile("skin/stored.zip");
  ASSERT_TRUE(Drive::AddResource(TEXT("ZIPRES"), MAKEINTRESOURCEW(77), zip.data(), zip.size()));
  m_wnd.uSource = SkinUI::SkinFromZipResource;
  m_wnd.pResourceId = MAKEINTRESOURCEW(77);
  ASSERT_NE(Open(), nullptr);
  EXPECT_NE(Find(TEXT("title")), nullptr);
  EXPECT_EQ(m_wnd.nSkinReady, 1);
  const BYTE* first = SkinUI::WindowImplBase::ZipResourceBuffer();
  ASSERT_NE(first, nullptr);
  ASSERT_EQ(SkinUI::WindowImplBase::ZipResourceSize(), zip.size());
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(first), zip.size()), zip);
  DestroyWindow(m_hWnd);
  Drive::RunUntilIdle();

  // A second window over the same resource reads the same copy.
  ASSERT_NE(Open(), nullptr);
  EXPECT_NE(Find(TEXT("title")), nullptr);
  EXPECT_EQ(SkinUI::WindowImplBase::ZipResourceBuffer(), first);
  Drive::RemoveResource(TEXT("ZIPRES"), MAKEINTRESOURCEW(77));
}

TEST_F(WinImplBase, MissingOrEmptyZipResourceLeavesAnEmptyWindowWithoutABox) {
  static const char kNothing[] = "";
  ASSERT_TRUE(Drive::AddResource(TEXT("ZIPRES"), MAKEINTRESOURCEW(79), kNothing, 0));
  for (LPCWSTR id : {MAKEINTRESOURCEW(78), MAKEINTRESOURCEW(79)}) {
    m_wnd.uSource = SkinUI::SkinFromZipResource;
    m_wnd.pResourceId = id;
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(m_wnd.m_PaintManager.GetRoot(), nullptr);
    EXPECT_EQ(m_wnd.nSkinReady, 0);
    EXPECT_TRUE(Drive::TakeMessageBoxes().empty());
    EXPECT_EQ(GetWindowLongW(m_hWnd, GWL_STYLE) & WS_CAPTION, 0);
    DestroyWindow(m_hWnd);
    Drive::RunUntilIdle();
  }
  Drive::RemoveResource(TEXT("ZIPRES"), MAKEINTRESOURCEW(79));
}

TEST_F(WinImplBase, ZipFileUnderTheFolder) {
  TestSupport::WriteFile(m_dir / "look.zip", TestSupport::ReadDataFile("skin/stored.zip"));
  m_wnd.uSource = SkinUI::SkinFromZipFile;
  m_wnd.sZipName = TEXT("look.zip");
  m_wnd.sFolder = FolderPath();
  ASSERT_NE(Open(), nullptr);
  EXPECT_NE(Find(TEXT("title")), nullptr);
  EXPECT_EQ(SkinUI::CPaintManagerUI::ResourceZipName(), TEXT("look.zip"));
  EXPECT_TRUE(SkinUI::CPaintManagerUI::IsZipKeptOpen());
}

TEST_F(WinImplBase, MarkupResourceNumberedBySkinFile) {
  static const char kMarkup[] =
      "<Window size=\"120,90\"><VerticalLayout><Label name=\"fromxml\" /></VerticalLayout>"
      "</Window>";
  ASSERT_TRUE(Drive::AddResource(TEXT("xml"), MAKEINTRESOURCEW(201), kMarkup, sizeof kMarkup - 1));
  m_wnd.uSource = SkinUI::SkinFromResource;
  m_wnd.sFile = TEXT("201");
  ASSERT_NE(Open(), nullptr);
  EXPECT_NE(Find(TEXT("fromxml")), nullptr);
  RECT rc = {};
  GetWindowRect(m_hWnd, &rc);
  EXPECT_EQ(rc.right - rc.left, 120);
  Drive::RemoveResource(TEXT("xml"), MAKEINTRESOURCEW(201));
}

class WinImplBaseDeathTest : public SkinWindowTest {};

TEST_F(WinImplBaseDeathTest, SkinWithoutRootShowsTheBoxAndExitsWithCodeOne) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  WriteSkin("<Window size=\"100,100\"><Font name=\"DejaVu Sans\" /></Window>");
  m_wnd.sFolder = FolderPath();
  EXPECT_EXIT(
      {
        m_wnd.Create(nullptr, TEXT("skinned"), WS_OVERLAPPEDWINDOW, 0, 0, 0, 100, 100);
        std::_Exit(0);
      },
      testing::ExitedWithCode(1), "");
  // A missing skin file is the same failure.
  m_wnd.sFile = TEXT("missing.xml");
  EXPECT_EXIT(
      {
        m_wnd.Create(nullptr, TEXT("skinned"), WS_OVERLAPPEDWINDOW, 0, 0, 0, 100, 100);
        std::_Exit(0);
      },
      testing::ExitedWithCode(1), "");
}

}  // namespace

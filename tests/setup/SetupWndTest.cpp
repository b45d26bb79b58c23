// The setup window on the headless host, built from the shipped skin: its place and shape, the
// start-up state of its controls, browsing, progress messages, the caption and the ways to end.

#include <gtest/gtest.h>

#include "Platform/Host/Headless/Headless.h"
#include "SetupWndFixture.h"
#include "setup/InstallNames.h"
#include "setup/InstallSequence.h"
#include "setup/SetupWnd.h"

namespace {

namespace Headless = Platform::Headless;
using SkinUI::CControlUI;
using SkinUI::COptionUI;

TEST_F(SetupWindow, IsTheSkinSizeCentredKeptAboveAndRounded) {
  Open();
  RECT rc = {};
  ASSERT_TRUE(GetWindowRect(m_hWnd, &rc));
  EXPECT_EQ(rc.right - rc.left, 518);
  EXPECT_EQ(rc.bottom - rc.top, 345);
  // Centred on the work area (0,0)-(1280,760).
  EXPECT_EQ(rc.left, (1280 - 518) / 2);
  EXPECT_EQ(rc.top, 760 / 2 - 345 / 2);
  Headless::HostView view = Headless::View(m_hWnd);
  EXPECT_TRUE(view.visible);
  EXPECT_TRUE(view.keepAbove);
  EXPECT_TRUE(view.shaped);
  EXPECT_EQ(GetWindowLongW(m_hWnd, GWL_STYLE) & WS_CAPTION, 0);
  EXPECT_EQ(FindWindowW(kSetupWindowClass, kSetupWindowTitle), m_hWnd);
}

TEST_F(SetupWindow, FreshPrefixShowsTheDefaultDirectoryAndTheInstallButtonHasTheFocus) {
  Open();
  EXPECT_EQ(Text(u"edit_path"), u"C:\\Program Files\\Halvane\\");
  EXPECT_EQ(Manager().GetFocusControl(), Control(u"btn_install"));
  // The focus stays after further paints, and the edit never opened its editor.
  InvalidateRect(m_hWnd, nullptr, FALSE);
  Headless::RunUntilIdle();
  EXPECT_EQ(Manager().GetFocusControl(), Control(u"btn_install"));
  EXPECT_EQ(Edit()->GetEditorWindow(), nullptr);
}

TEST_F(SetupWindow, StoredDirectoryWinsAndAnEmptyStoredValueLeavesTheEditEmpty) {
  struct Case {
    const char* what;
    const char16_t* stored;  // null: no value
    const char16_t* shown;
  } cases[] = {
      {"stored", u"D:\\Games\\Halvane\\", u"D:\\Games\\Halvane\\"},
      {"empty", u"", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StoreInstallPath(c.stored);
    Open();
    EXPECT_EQ(Text(u"edit_path"), c.shown);
    Close();
  }
}

TEST_F(SetupWindow, AllFiveOptionsAreSelectedAndTheTwoWithoutEffectAreHidden) {
  Open();
  struct Case {
    const char16_t* name;
    bool visible;
  } cases[] = {
      {u"btn_check_deskshortcut", true}, {u"btn_check_startmenu", true},
      {u"btn_check_default", false},     {u"btn_check_taskbar", true},
      {u"btn_check_noticesvr", false},
  };
  for (const Case& c : cases) {
    auto* option = static_cast<COptionUI*>(Control(c.name)->GetInterfaceByName(u"Option"));
    ASSERT_NE(option, nullptr);
    EXPECT_TRUE(option->IsSelected()) << Narrow(c.name);
    EXPECT_EQ(option->IsVisible(), c.visible) << Narrow(c.name);
  }
  EXPECT_FALSE(Control(u"btn_check_install")->IsVisible());
}

TEST_F(SetupWindow, BrowsingAppendsTheProductFolder) {
  Open();
  Headless::AnswerFolderBrowser(std::u16string(u"D:\\Games\\Halvane"));
  ClickControl(u"btn_getpath");
  EXPECT_EQ(Text(u"edit_path"), u"D:\\Games\\Halvane\\Halvane\\");
  std::vector<std::u16string> titles = Headless::TakeFolderBrowserTitles();
  ASSERT_EQ(titles.size(), 1u);
  EXPECT_EQ(titles[0], u"请选择路径: ");

  // A folder that already ends in a backslash gets no second one; a cancelled browser
  // changes nothing.
  Headless::AnswerFolderBrowser(std::u16string(u"E:\\"));
  ClickControl(u"btn_getpath");
  EXPECT_EQ(Text(u"edit_path"), u"E:\\Halvane\\");
  Headless::AnswerFolderBrowser(std::nullopt);
  ClickControl(u"btn_getpath");
  EXPECT_EQ(Text(u"edit_path"), u"E:\\Halvane\\");
}

TEST_F(SetupWindow, AFolderTooLongForTheProductFolderLeavesTheEditUnchanged) {
  Open();
  const std::u16string before = Text(u"edit_path");
  // 250 characters + "\" + "Halvane\" is 259: fits. One more does not.
  std::u16string fits = u"D:\\" + std::u16string(247, u'a');
  ASSERT_EQ(fits.size(), 250u);
  EXPECT_TRUE(m_pWnd->PutBrowsedFolder(fits.c_str()));
  EXPECT_EQ(Text(u"edit_path"), fits + u"\\Halvane\\");
  std::u16string tooLong = fits + u"b";
  EXPECT_FALSE(m_pWnd->PutBrowsedFolder(tooLong.c_str()));
  EXPECT_EQ(Text(u"edit_path"), fits + u"\\Halvane\\");
  std::u16string longest = u"D:\\" + std::u16string(256, u'c');  // 259 characters
  EXPECT_FALSE(m_pWnd->PutBrowsedFolder(longest.c_str()));
  EXPECT_EQ(Text(u"edit_path"), fits + u"\\Halvane\\");
  EXPECT_NE(before, Text(u"edit_path"));
}

TEST_F(SetupWindow, ProgressMessageWithTheTagFillsTheBarOthersChangeNothing) {
  Open();
  const RECT bar = Control(u"Progress_setup")->GetPos();
  const int y = (bar.top + bar.bottom) / 2;
  const int at42 = bar.left + (bar.right - bar.left) * 42 / 100;
  const uint32_t trackInside = Headless::Pixel(m_hWnd, at42 - 10, y);
  const uint32_t trackBeyond = Headless::Pixel(m_hWnd, at42 + 10, y);

  SendProgress(99, 42);
  EXPECT_EQ(Progress()->GetValue(), 0);
  SendProgress(ProgressCopyTag, 42);
  EXPECT_EQ(Progress()->GetValue(), 42);
  EXPECT_NE(Headless::Pixel(m_hWnd, at42 - 10, y), trackInside) << "no fill left of 42 %";
  EXPECT_EQ(Headless::Pixel(m_hWnd, at42 + 10, y), trackBeyond) << "fill beyond 42 %";

  // A record too short for the value, or without data, is ignored.
  LONG value = 77;
  COPYDATASTRUCT shortRecord = {ProgressCopyTag, 2, &value};
  SendMessageW(m_hWnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&shortRecord));
  COPYDATASTRUCT noData = {ProgressCopyTag, 4, nullptr};
  SendMessageW(m_hWnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&noData));
  SendMessageW(m_hWnd, WM_COPYDATA, 0, 0);
  EXPECT_EQ(Progress()->GetValue(), 42);
}

TEST_F(SetupWindow, CaptionDoubleClickNeitherMaximisesNorRestores) {
  Open();
  RECT before = {};
  GetWindowRect(m_hWnd, &before);
  POINT pt = ScreenPoint(250, 20);
  EXPECT_EQ(SendMessageW(m_hWnd, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(pt.x, pt.y)), 0);
  Headless::RunUntilIdle();
  RECT after = {};
  GetWindowRect(m_hWnd, &after);
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_FALSE(IsZoomed(m_hWnd));
}

TEST_F(SetupWindow, CaptionDragsOverLabelsAndBackgroundButNotOverButtons) {
  Open();
  struct Case {
    const char* what;
    int x, y;
    LRESULT hit;
  } cases[] = {
      {"product name label", 40, 18, HTCAPTION},
      {"background, last caption row", 250, 69, HTCAPTION},
      {"background, below the caption", 250, 70, HTCLIENT},
      {"close button", 497, 18, HTCLIENT},
      {"path label", 40, 190, HTCLIENT},
  };
  for (const Case& c : cases) {
    POINT pt = ScreenPoint(c.x, c.y);
    EXPECT_EQ(SendMessageW(m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)), c.hit) << c.what;
  }
}

TEST_F(SetupWindow, InstallClickStartsTheInstallWithTheEditsTextUnlessOneIsRunning) {
  StoreInstallPath(u"");  // an empty edit: the start step refuses the drive
  Open();
  StartInProgress = true;
  ClickControl(u"btn_install");
  EXPECT_TRUE(Headless::TakeMessageBoxes().empty()) << "started while an install runs";
  StartInProgress = false;
  ClickControl(u"btn_install");
  std::vector<Headless::MessageBoxShown> boxes = Headless::TakeMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, kInvalidDriveText);
  EXPECT_EQ(boxes[0].caption, u"Halvane");
  EXPECT_EQ(boxes[0].owner, m_hWnd);
  EXPECT_FALSE(StartInProgress);
}

TEST_F(SetupWindow, CloseCommandEndsTheLoop) {
  Open();
  SendMessageW(m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(Headless::RunUntilIdle()) << "no WM_QUIT";
  EXPECT_TRUE(IsWindow(m_hWnd));  // the loop ends; the window goes with the process
}

TEST_F(SetupWindow, CloseButtonEndsTheLoop) {
  Open();
  ClickControl(u"btn_close", /*expectQuit=*/true);
}

TEST_F(SetupWindow, OtherSystemCommandsStillWork) {
  Open();
  SendMessageW(m_hWnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(Headless::RunUntilIdle());
  EXPECT_TRUE(IsIconic(m_hWnd));
}

}  // namespace

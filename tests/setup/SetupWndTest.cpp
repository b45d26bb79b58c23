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

TEST_F(SetupWindow, FreshPrefixShowsTheDefaultDirectoryWithNothingFocused) {
  Open();
  EXPECT_EQ(Text(u"edit_path"), u"C:\\Program Files\\Halvane\\");
  // A stray Enter or Space at the start starts nothing.
  Press(VK_RETURN);
  Press(VK_SPACE);
  InvalidateRect(m_hWnd, nullptr, FALSE);
  Headless::RunUntilIdle();
  EXPECT_EQ(Manager().GetFocusControl(), nullptr);
  EXPECT_EQ(Edit()->GetEditorWindow(), nullptr);
  EXPECT_FALSE(StartInProgress);
  EXPECT_TRUE(Headless::TakeMessageBoxes().empty());
}

TEST_F(SetupWindow, TabRunsPathBrowseOptionsInstallCloseAndSelectsThePath) {
  Open();
  const char16_t* order[] = {
      u"edit_path",           u"btn_getpath",       u"btn_check_deskshortcut",
      u"btn_check_startmenu", u"btn_check_taskbar", u"btn_install",
      u"btn_close",           u"edit_path"};
  for (const char16_t* name : order) {
    Press(VK_TAB);
    EXPECT_EQ(Manager().GetFocusControl(), Control(name)) << Narrow(name);
  }
  // Tabbed into, the path's editor holds all of its text selected: typing replaces it.
  HWND editor = Edit()->GetEditorWindow();
  ASSERT_NE(editor, nullptr);
  DWORD start = 1, end = 0;
  SendMessageW(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, static_cast<DWORD>(Text(u"edit_path").size()));
  // Shift+Tab goes back.
  Headless::Key(VK_SHIFT, true);
  Headless::RunUntilIdle();
  Press(VK_TAB, editor);
  Headless::Key(VK_SHIFT, false);
  EXPECT_EQ(Manager().GetFocusControl(), Control(u"btn_close"));
}

TEST_F(SetupWindow, FocusedOptionsWearTheRing) {
  Open();
  auto* option = static_cast<COptionUI*>(Control(u"btn_check_startmenu"));
  const RECT rc = option->GetPos();
  const int x = rc.left + 8, y = rc.top + 2;  // the middle of the box's top edge: the ring's
  const uint32_t unfocused = Headless::Pixel(m_hWnd, x, y);
  option->SetFocus();
  Headless::RunUntilIdle();
  EXPECT_NE(Headless::Pixel(m_hWnd, x, y), unfocused);
  Manager().SetFocusControl(nullptr);
  Headless::RunUntilIdle();
  EXPECT_EQ(Headless::Pixel(m_hWnd, x, y), unfocused);
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

TEST_F(SetupWindow, AFolderTooLongForTheFieldIsRefusedWithTheReason) {
  Open();
  const std::u16string before = Text(u"edit_path");
  // The field takes 258 characters, so that the folder's backslash still fits MAX_PATH:
  // 249 + "\" + "Halvane\" is 258 and fits. One more does not.
  std::u16string fits = u"D:\\" + std::u16string(246, u'a');
  ASSERT_EQ(Edit()->GetMaxChar(), 258u);
  EXPECT_TRUE(m_pWnd->PutBrowsedFolder(fits.c_str()));
  EXPECT_EQ(Text(u"edit_path"), fits + u"\\Halvane\\");
  EXPECT_TRUE(Headless::TakeMessageBoxes().empty());
  for (const std::u16string& tooLong : {fits + u"b", u"D:\\" + std::u16string(256, u'c')}) {
    EXPECT_FALSE(m_pWnd->PutBrowsedFolder(tooLong.c_str()));
    EXPECT_EQ(Text(u"edit_path"), fits + u"\\Halvane\\");
    std::vector<Headless::MessageBoxShown> boxes = Headless::TakeMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"Error : ce");  // ERROR_FILENAME_EXCED_RANGE
  }
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
  StoreInstallPath(u"");  // an empty edit: the start step refuses the path
  Open();
  StartInProgress = true;
  ClickControl(u"btn_install");
  EXPECT_TRUE(Headless::TakeMessageBoxes().empty()) << "started while an install runs";
  StartInProgress = false;
  ClickControl(u"btn_install");
  std::vector<Headless::MessageBoxShown> boxes = Headless::TakeMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u"Error : a1");  // ERROR_BAD_PATHNAME
  EXPECT_EQ(boxes[0].caption, u"Halvane");
  EXPECT_EQ(boxes[0].owner, m_hWnd);
  EXPECT_FALSE(StartInProgress);
  // Enter in the path field starts it the same way.
  Edit()->SetFocus();
  Headless::RunUntilIdle();
  ASSERT_NE(Edit()->GetEditorWindow(), nullptr);
  Press(VK_RETURN, Edit()->GetEditorWindow());
  boxes = Headless::TakeMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u"Error : a1");
}

// Closing while an install runs asks first; no keeps it going, yes has it taken back (the
// worker ends the program when it has). Escape is the close button's key.
TEST_F(SetupWindow, ClosingDuringAnInstallAsksAndCancelsOnlyOnYes) {
  Open();
  StartInProgress = true;
  InstallCancelRequested = false;
  Headless::AnswerMessageBox(IDNO);
  ClickControl(u"btn_close");
  std::vector<Headless::MessageBoxShown> boxes = Headless::TakeMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u"安装尚未完成。确定要取消安装吗？\n已安装的文件将被删除。");
  EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  EXPECT_FALSE(InstallCancelRequested);
  EXPECT_TRUE(Control(u"btn_install")->IsEnabled());

  Headless::AnswerMessageBox(IDYES);
  Press(VK_ESCAPE);
  EXPECT_EQ(Headless::TakeMessageBoxes().size(), 1u);
  EXPECT_TRUE(InstallCancelRequested);
  EXPECT_FALSE(Control(u"btn_install")->IsEnabled());
  EXPECT_FALSE(Control(u"edit_path")->IsEnabled());
  // While it is taken back, a further close asks nothing and ends nothing.
  SendMessageW(m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(Headless::RunUntilIdle());
  EXPECT_TRUE(Headless::TakeMessageBoxes().empty());
  StartInProgress = false;
  InstallCancelRequested = false;
}

TEST_F(SetupWindow, EscapeWithoutAnInstallEndsTheLoop) {
  Open();
  EXPECT_FALSE(Press(VK_ESCAPE)) << "no WM_QUIT";
  EXPECT_TRUE(Headless::TakeMessageBoxes().empty());
}

TEST_F(SetupWindow, APathThatHoldsAnInstallReadsAsAReinstall) {
  ASSERT_EQ(SHCreateDirectory(nullptr, u"C:\\Games\\Halvane"), ERROR_SUCCESS);
  HANDLE file = CreateFileW(u"C:\\Games\\Halvane\\uninstall.lst", GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  StoreInstallPath(u"C:\\Games\\Halvane\\");
  Open();
  auto* install = static_cast<SkinUI::CButtonUI*>(Control(u"btn_install"));
  EXPECT_TRUE(Control(u"lbl_installed")->IsVisible());
  EXPECT_NE(std::u16string(install->GetNormalImage()).find(u"reinstall.png"), std::u16string::npos);
  Edit()->SetText(u"C:\\Games\\Other\\");
  Manager().SendNotification(Edit(), u"textchanged");
  Headless::RunUntilIdle();
  EXPECT_FALSE(Control(u"lbl_installed")->IsVisible());
  EXPECT_EQ(std::u16string(install->GetNormalImage()).find(u"reinstall.png"), std::u16string::npos);
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

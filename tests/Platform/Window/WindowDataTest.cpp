// What a window holds and how it is found: classes, window longs, properties, text, relations,
// rectangles, monitors and the host's view of it.
#include <gtest/gtest.h>

#include "Recorder.h"

using namespace WindowTest;
namespace H = Platform::Headless;

namespace {

class WindowData : public ::testing::Test {
 protected:
  Recorder rec;
};

TEST_F(WindowData, ClassesRegisterOnceAndAnswerTheirInformation) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = u"DataTestClass";
  wc.style = CS_DBLCLKS;
  ATOM atom = RegisterClassExW(&wc);
  ASSERT_NE(atom, 0);
  SetLastError(0);
  EXPECT_EQ(RegisterClassExW(&wc), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
  WNDCLASSEXW info{};
  info.cbSize = sizeof(info);
  EXPECT_EQ(GetClassInfoExW(nullptr, u"datatestclass", &info), atom);  // case does not matter
  EXPECT_EQ(info.style, static_cast<UINT>(CS_DBLCLKS));
  EXPECT_TRUE(GetClassInfoExW(nullptr, u"Static", &info));
  EXPECT_EQ(info.hInstance, nullptr);
  EXPECT_FALSE(GetClassInfoExW(nullptr, u"NoSuchClass", &info));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_DOES_NOT_EXIST));
  wc.cbSize = 3;
  wc.lpszClassName = u"BadSize";
  EXPECT_EQ(RegisterClassExW(&wc), 0);
  EXPECT_EQ(CreateWindowExW(0, u"NoSuchClass", u"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                            nullptr),
            nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
  HWND w = CreateWindowExW(0, u"DataTestClass", u"x", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                           nullptr, nullptr);
  EXPECT_FALSE(UnregisterClassW(u"DataTestClass", nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_HAS_WINDOWS));
  DestroyWindow(w);
  EXPECT_TRUE(UnregisterClassW(u"DataTestClass", nullptr));
}

TEST_F(WindowData, WindowLongsPropertiesAndText) {
  HWND a = rec.Create("A", WS_POPUP, nullptr, WS_EX_TOOLWINDOW);
  EXPECT_NE(static_cast<DWORD>(GetWindowLongW(a, GWL_STYLE)) & WS_POPUP, 0u);
  EXPECT_EQ(GetWindowLongW(a, GWL_EXSTYLE), static_cast<LONG>(WS_EX_TOOLWINDOW));
  EXPECT_EQ(SetWindowLongPtrW(a, GWLP_USERDATA, 0x123456789ll), 0);
  EXPECT_EQ(GetWindowLongPtrW(a, GWLP_USERDATA), 0x123456789ll);
  EXPECT_EQ(SetWindowLongW(a, 8, 77), 0);  // extra window bytes
  EXPECT_EQ(GetWindowLongW(a, 8), 77);
  SetLastError(0);
  EXPECT_EQ(GetWindowLongW(a, 14), 0);  // past the 16 extra bytes
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
  rec.Only({WM_STYLECHANGING, WM_STYLECHANGED});
  rec.Clear();
  SetWindowLongW(a, GWL_EXSTYLE, WS_EX_LAYERED);
  EXPECT_TRUE(rec.Matches({{"A", WM_STYLECHANGING, static_cast<WPARAM>(GWL_EXSTYLE)},
                           {"A", WM_STYLECHANGED, static_cast<WPARAM>(GWL_EXSTYLE)}}))
      << rec.Describe();
  EXPECT_TRUE(SetLayeredWindowAttributes(a, 0, 128, LWA_ALPHA));
  EXPECT_EQ(H::View(a).opacity, 128);

  int payload = 5;
  EXPECT_TRUE(SetPropW(a, u"WndX", &payload));
  EXPECT_EQ(GetPropW(a, u"wndx"), &payload);
  EXPECT_EQ(RemovePropW(a, u"WndX"), &payload);
  EXPECT_EQ(GetPropW(a, u"WndX"), nullptr);

  EXPECT_TRUE(SetWindowTextW(a, u"Halvane\u5B89\u88C5\u7A0B\u5E8F"));
  WCHAR buf[8];
  EXPECT_EQ(GetWindowTextW(a, buf, 8), 7);
  EXPECT_EQ(std::u16string(buf), u"Halvane");
  EXPECT_EQ(GetWindowTextLengthW(a), 11);
  EXPECT_EQ(H::View(a).title, u"Halvane\u5B89\u88C5\u7A0B\u5E8F");
}

TEST_F(WindowData, FindWindowMatchesClassAndTitleExactly) {
  HWND a = rec.Create("Setup", WS_POPUP);
  rec.Create("Setup2", WS_POPUP);
  EXPECT_EQ(FindWindowW(Recorder::ClassName(), u"Setup"), a);
  EXPECT_EQ(FindWindowW(nullptr, u"Setup"), a);
  EXPECT_EQ(FindWindowW(Recorder::ClassName(), u"Set"), nullptr);
  EXPECT_EQ(FindWindowW(u"Other", u"Setup"), nullptr);
  HWND child = rec.Create("Inner", WS_CHILD, a);
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(FindWindowW(nullptr, u"Inner"), nullptr);  // only top-level windows
}

TEST_F(WindowData, RelationsAndCoordinates) {
  HWND top = rec.Create("T", WS_POPUP, nullptr, 0, {100, 50, 400, 350});
  HWND a = rec.Create("A", WS_CHILD, top, 0, {10, 20, 110, 120});
  HWND b = rec.Create("B", WS_CHILD, top, 0, {0, 0, 5, 5});
  HWND owned = rec.Create("O", WS_POPUP, a);
  EXPECT_EQ(GetParent(a), top);
  EXPECT_EQ(GetParent(top), nullptr);
  EXPECT_EQ(GetParent(owned), top);  // a popup's parent is its owner, the top-level window
  EXPECT_EQ(GetWindow(top, GW_CHILD), a);
  EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
  EXPECT_EQ(GetWindow(b, GW_HWNDPREV), a);
  EXPECT_TRUE(IsChild(top, a));
  EXPECT_FALSE(IsChild(a, top));
  EXPECT_EQ(GetAncestor(a, GA_ROOT), top);
  RECT r{};
  GetWindowRect(a, &r);
  EXPECT_EQ(r.left, 110);
  EXPECT_EQ(r.top, 70);
  POINT p{1, 2};
  ClientToScreen(a, &p);
  EXPECT_EQ(p.x, 111);
  EXPECT_EQ(p.y, 72);
  ScreenToClient(top, &p);
  EXPECT_EQ(p.x, 11);
  POINT pts[2] = {{0, 0}, {5, 5}};
  MapWindowPoints(a, top, pts, 2);
  EXPECT_EQ(pts[1].x, 15);
  EXPECT_EQ(pts[1].y, 25);
  EXPECT_FALSE(GetWindowRect(nullptr, &r));
}

TEST_F(WindowData, TopmostWorkAreaAndMonitor) {
  H::SetScreen({0, 0, 800, 600}, {0, 0, 800, 560});
  HWND a = rec.Create("A", WS_POPUP | WS_VISIBLE, nullptr, 0, {10, 10, 110, 60});
  RECT work{};
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_EQ(work.bottom, 560);
  ASSERT_TRUE(SetWindowPos(a, HWND_TOPMOST, 10, 10, 100, 50, SWP_SHOWWINDOW));
  EXPECT_NE(GetWindowLongW(a, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_TRUE(H::View(a).keepAbove);
  HWND b = rec.Create("B", WS_POPUP | WS_VISIBLE, nullptr, 0, {10, 10, 110, 60});
  EXPECT_EQ(WindowFromPoint(POINT{20, 20}), a);  // still above the newer window
  (void)b;
  HMONITOR m = MonitorFromWindow(a, MONITOR_DEFAULTTONULL);
  ASSERT_NE(m, nullptr);
  MONITORINFO mi{};
  mi.cbSize = sizeof(mi);
  ASSERT_TRUE(GetMonitorInfoW(m, &mi));
  EXPECT_EQ(mi.rcMonitor.right, 800);
  EXPECT_EQ(mi.rcWork.bottom, 560);
  SetWindowPos(a, nullptr, 5000, 5000, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(MonitorFromWindow(a, MONITOR_DEFAULTTONULL), nullptr);
  EXPECT_EQ(MonitorFromWindow(a, MONITOR_DEFAULTTOPRIMARY), m);
}

TEST_F(WindowData, MinimiseMaximiseAndRestore) {
  H::SetScreen({0, 0, 800, 600}, {0, 0, 800, 560});
  HWND a = rec.Create("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, 0, {10, 10, 310, 210});
  rec.Only({WM_SIZE});
  rec.Clear();
  ShowWindow(a, SW_MAXIMIZE);
  EXPECT_TRUE(IsZoomed(a));
  RECT r{};
  GetWindowRect(a, &r);
  EXPECT_EQ(r.right - r.left, 800);
  EXPECT_EQ(r.bottom - r.top, 560);
  ShowWindow(a, SW_MINIMIZE);
  EXPECT_TRUE(IsIconic(a));
  EXPECT_TRUE(H::View(a).minimized);
  ShowWindow(a, SW_RESTORE);
  EXPECT_FALSE(IsIconic(a));
  ShowWindow(a, SW_RESTORE);
  EXPECT_FALSE(IsZoomed(a));
  GetWindowRect(a, &r);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.right - r.left, 300);
  EXPECT_TRUE(rec.Matches({{"A", WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(800, 560)},
                           {"A", WM_SIZE, SIZE_MINIMIZED, 0},
                           {"A", WM_SIZE, SIZE_MAXIMIZED},
                           {"A", WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200)}}))
      << rec.Describe();
}

TEST_F(WindowData, FolderBrowserAnswersWithAnItemList) {
  HWND a = rec.Create("A", WS_POPUP | WS_VISIBLE);
  H::AnswerFolderBrowser(u"C:\\Games\\Halvane");
  WCHAR name[MAX_PATH] = {};
  BROWSEINFOW bi{};
  bi.hwndOwner = a;
  bi.lpszTitle = u"\u8BF7\u9009\u62E9\u8DEF\u5F84: ";
  bi.ulFlags = BIF_RETURNONLYFSDIRS;
  bi.pszDisplayName = name;
  LPITEMIDLIST pidl = SHBrowseForFolderW(&bi);
  ASSERT_NE(pidl, nullptr);
  WCHAR path[MAX_PATH] = {};
  ASSERT_TRUE(SHGetPathFromIDListW(pidl, path));
  EXPECT_EQ(std::u16string(path), u"C:\\Games\\Halvane");
  EXPECT_EQ(std::u16string(name), u"Halvane");
  CoTaskMemFree(pidl);
  EXPECT_EQ(SHBrowseForFolderW(&bi), nullptr);  // no answer left: cancelled
  auto titles = H::TakeFolderBrowserTitles();
  ASSERT_EQ(titles.size(), 2u);
  EXPECT_EQ(titles[0], bi.lpszTitle);
  EXPECT_EQ(MessageBoxW(a, u"x", u"y", MB_YESNO), IDYES);
  EXPECT_EQ(MessageBoxW(a, u"x", u"y", 0x0F), 0);
}

}  // namespace

namespace {

// As Windows activates the owner again, the keyboard is the owner's when its box closes, also
// when one of its children had it before.
TEST_F(WindowData, TheKeyboardReturnsToTheOwnerOfAClosedBox) {
  HWND a = rec.Create("A", WS_POPUP | WS_VISIBLE);
  HWND child = rec.Create("B", WS_CHILD | WS_VISIBLE, a);
  SetFocus(child);
  ASSERT_EQ(GetFocus(), child);
  EXPECT_EQ(MessageBoxW(a, u"x", u"y", MB_OK), IDOK);
  EXPECT_EQ(GetFocus(), a);
  H::AnswerFolderBrowser(std::nullopt);
  SetFocus(child);
  BROWSEINFOW bi{};
  bi.hwndOwner = a;
  EXPECT_EQ(SHBrowseForFolderW(&bi), nullptr);
  EXPECT_EQ(GetFocus(), a);
}

}  // namespace

// What an edit control shows and tells: notifications and their order, the parent's colours
// in the pixels, password characters, the caret and scrolling, the mouse, the cursor, and a
// superclass over "Edit".
#include "EditFixture.h"

using namespace EditTest;
namespace H = Platform::Headless;

namespace {

using EditView = EditFixture;

constexpr uint32_t Opaque(COLORREF c) {
  return 0xFF000000u | (static_cast<uint32_t>(GetRValue(c)) << 16) |
         (static_cast<uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
}

TEST_F(EditView, ATypedCharacterIsReportedBeforeAndAfterItIsShown) {
  HWND edit = MakeEdit(ES_AUTOHSCROLL);
  SetFocus(edit);
  ASSERT_EQ(Codes(), std::vector<WORD>{EN_SETFOCUS});
  notes.clear();
  Type(u"W");
  ASSERT_EQ(Codes(), (std::vector<WORD>{EN_UPDATE, EN_CHANGE}));
  EXPECT_EQ(notes[0].id, kEditId);
  EXPECT_EQ(notes[0].from, edit);
  EXPECT_LT(notes[0].inkRight, 5) << "nothing drawn yet at EN_UPDATE";
  EXPECT_GT(notes[1].inkRight, 5) << "the W is on screen at EN_CHANGE";
}

TEST_F(EditView, ProgramChangesNotifyOnlyWhenTheTextChanges) {
  HWND edit = MakeEdit(ES_AUTOHSCROLL, u"abc");
  SetFocus(edit);
  notes.clear();
  // A single-line edit reports WM_SETTEXT as a change (only multi-line ones do not).
  SetWindowTextW(edit, u"xyz");
  EXPECT_EQ(Codes(), (std::vector<WORD>{EN_UPDATE, EN_CHANGE}));
  EXPECT_EQ(SendMessageW(edit, EM_GETMODIFY, 0, 0), FALSE);
  notes.clear();
  SendMessageW(edit, EM_SETSEL, 0, -1);
  SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(3, 4));
  EXPECT_TRUE(notes.empty());
  EXPECT_EQ(SendMessageW(edit, EM_GETMARGINS, 0, 0), MAKELONG(3, 4));
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)), font);
  SetFocus(parent);
  EXPECT_EQ(Codes(), std::vector<WORD>{EN_KILLFOCUS});
}

TEST_F(EditView, TheParentsBrushAndTextColourAreUsed) {
  colorBrush = CreateSolidBrush(RGB(200, 0, 0));
  colorText = RGB(0, 0, 255);
  HWND edit = MakeEdit(ES_AUTOHSCROLL, u"MMMM");
  InvalidateRect(edit, nullptr, TRUE);
  H::RunUntilIdle();
  ASSERT_FALSE(colorRequests.empty());
  EXPECT_EQ(colorRequests.back(), static_cast<UINT>(WM_CTLCOLOREDIT));
  EXPECT_EQ(H::Pixel(edit, 190, 20), Opaque(RGB(200, 0, 0)));
  bool blueInk = false;
  for (int x = 0; x < 60 && !blueInk; ++x) {
    for (int y = 0; y < 24; ++y) {
      uint32_t p = H::Pixel(edit, x, y);
      if ((p & 0xFF) > 0xC0 && ((p >> 16) & 0xFF) < 0x40) blueInk = true;
    }
  }
  EXPECT_TRUE(blueInk);
  // Read-only asks with WM_CTLCOLORSTATIC.
  SendMessageW(edit, EM_SETREADONLY, TRUE, 0);
  H::RunUntilIdle();
  EXPECT_EQ(colorRequests.back(), static_cast<UINT>(WM_CTLCOLORSTATIC));
  // No answer: the window colour.
  DeleteObject(colorBrush);
  colorBrush = nullptr;
  InvalidateRect(edit, nullptr, TRUE);
  H::RunUntilIdle();
  EXPECT_EQ(H::Pixel(edit, 190, 20), Opaque(GetSysColor(COLOR_WINDOW)));
}

TEST_F(EditView, AlignmentAndMarginsPlaceTheText) {
  HWND left = MakeEdit(ES_AUTOHSCROLL, u"MM");
  auto plain = Ink(left);
  EXPECT_LT(plain.first, 4);
  SendMessageW(left, EM_SETMARGINS, EC_LEFTMARGIN, MAKELONG(30, 0));
  H::RunUntilIdle();
  EXPECT_EQ(Ink(left).first, plain.first + 30);
  int width = plain.second - plain.first;
  DestroyWindow(left);
  HWND right = MakeEdit(ES_RIGHT, u"MM");
  auto r = Ink(right);
  EXPECT_GT(r.first, 200 - width - 8);
  EXPECT_LT(r.second, 200);
  DestroyWindow(right);
  HWND center = MakeEdit(ES_CENTER, u"MM");
  auto c = Ink(center);
  EXPECT_NEAR((c.first + c.second) / 2, 100, 3);
}

TEST_F(EditView, PasswordModeDrawsOneMaskPerCharacterAndKeepsTheText) {
  HWND narrow = MakeEdit(ES_AUTOHSCROLL, u"iiii");
  int plainNarrow = Ink(narrow).second;
  SetWindowTextW(narrow, u"WWWW");
  H::RunUntilIdle();
  int plainWide = Ink(narrow).second;
  EXPECT_GT(plainWide, plainNarrow + 10);
  EXPECT_EQ(SendMessageW(narrow, EM_GETPASSWORDCHAR, 0, 0), 0);
  SendMessageW(narrow, EM_SETPASSWORDCHAR, u'*', 0);
  EXPECT_NE(GetWindowLongW(narrow, GWL_STYLE) & ES_PASSWORD, 0);
  H::RunUntilIdle();
  auto maskedWide = Ink(narrow);
  SetWindowTextW(narrow, u"iiii");
  H::RunUntilIdle();
  EXPECT_EQ(Ink(narrow), maskedWide) << "masks do not depend on the characters";
  EXPECT_EQ(Text(narrow), u"iiii");
  // One mask per character, a surrogate pair included.
  SetWindowTextW(narrow, u"\U0001F600");
  H::RunUntilIdle();
  auto oneMask = Ink(narrow);
  SetWindowTextW(narrow, u"i");
  H::RunUntilIdle();
  EXPECT_EQ(Ink(narrow), oneMask);
  SendMessageW(narrow, EM_SETPASSWORDCHAR, 0, 0);
  EXPECT_EQ(GetWindowLongW(narrow, GWL_STYLE) & ES_PASSWORD, 0);
  DestroyWindow(narrow);
  HWND created = MakeEdit(ES_PASSWORD | ES_AUTOHSCROLL, u"secret");
  EXPECT_EQ(SendMessageW(created, EM_GETPASSWORDCHAR, 0, 0), u'*');
}

TEST_F(EditView, SelectedTextIsHighlightedOnlyWhileFocused) {
  HWND edit = MakeEdit(ES_AUTOHSCROLL, u"MMMM");
  SendMessageW(edit, EM_SETSEL, 0, -1);
  H::RunUntilIdle();
  uint32_t highlight = Opaque(GetSysColor(COLOR_HIGHLIGHT));
  auto count = [&] {
    int n = 0;
    for (int x = 0; x < 80; ++x) n += H::Pixel(edit, x, 2) == highlight ? 1 : 0;
    return n;
  };
  EXPECT_EQ(count(), 0);
  SetFocus(edit);
  H::RunUntilIdle();
  EXPECT_GT(count(), 20);
  SetFocus(parent);
  H::RunUntilIdle();
  EXPECT_EQ(count(), 0);
}

TEST_F(EditView, TheCaretFollowsTheTextAndAutoScrollKeepsItVisible) {
  HWND edit = MakeEdit(ES_AUTOHSCROLL, u"", 60);
  SetFocus(edit);
  POINT caret{};
  ASSERT_TRUE(GetCaretPos(&caret));
  EXPECT_EQ(caret.x, 0);
  Type(u"ab");
  GetCaretPos(&caret);
  EXPECT_GT(caret.x, 8);
  Type(u"abcdefghijklmnop");
  GetCaretPos(&caret);
  EXPECT_GE(caret.x, 0);
  EXPECT_LT(caret.x, 60);
  EXPECT_LT(static_cast<short>(LOWORD(SendMessageW(edit, EM_POSFROMCHAR, 0, 0))), 0)
      << "the start has scrolled out on the left";
  Press(VK_HOME);
  EXPECT_EQ(static_cast<short>(LOWORD(SendMessageW(edit, EM_POSFROMCHAR, 0, 0))), 0);
  SetFocus(parent);
  EXPECT_FALSE(SetCaretPos(1, 1)) << "the caret went with the focus";
}

TEST_F(EditView, ClickPlacesTheCaretDragSelectsDoubleClickTakesTheWord) {
  HWND edit = MakeEdit(ES_AUTOHSCROLL, u"alpha beta");
  ClickAt(edit, XOf(edit, 3) + 1);
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_EQ(Selection(edit), Sel(3, 3));
  POINT from{XOf(edit, 1), 12}, to{XOf(edit, 8), 12};
  ClientToScreen(edit, &from);
  ClientToScreen(edit, &to);
  H::MoveMouse(from.x, from.y);
  H::Button(Platform::MouseButton::Left, true);
  H::MoveMouse(to.x, to.y);
  H::Button(Platform::MouseButton::Left, false);
  H::RunUntilIdle();
  EXPECT_EQ(Selection(edit), Sel(1, 8));
  ClickAt(edit, XOf(edit, 7) + 2);
  ClickAt(edit, XOf(edit, 7) + 2);
  EXPECT_EQ(Selection(edit), Sel(6, 10));
  Type(u"gamma");
  EXPECT_EQ(Text(edit), u"alpha gamma");
}

TEST_F(EditView, TheCursorOverTheControlIsTheIBeam) {
  HWND edit = MakeEdit(ES_AUTOHSCROLL);
  POINT p{20, 10};
  ClientToScreen(edit, &p);
  H::MoveMouse(p.x, p.y);
  H::RunUntilIdle();
  EXPECT_EQ(H::CursorShape(), 32513);
}

struct Superclass {
  static WNDPROC base;
  static std::vector<std::pair<UINT, size_t>> seen;  // message and text length when it came
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CHAR || msg == WM_KEYDOWN) {
      seen.emplace_back(msg, static_cast<size_t>(GetWindowTextLengthW(hwnd)));
      if (msg == WM_KEYDOWN && wParam == VK_RETURN) return 0;  // taken here, as a dialog would
      if (msg == WM_CHAR && wParam == u'\r') {
        SetWindowTextW(hwnd, u"entered");
        return 0;
      }
    }
    return CallWindowProcW(base, hwnd, msg, wParam, lParam);
  }
};
WNDPROC Superclass::base = nullptr;
std::vector<std::pair<UINT, size_t>> Superclass::seen;

TEST_F(EditView, ASuperclassSeesMessagesFirstAndTheBaseStillEdits) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  ASSERT_TRUE(GetClassInfoExW(nullptr, u"Edit", &wc));
  EXPECT_EQ(wc.hCursor, LoadCursorW(nullptr, IDC_IBEAM));
  Superclass::base = wc.lpfnWndProc;
  Superclass::seen.clear();
  wc.lpfnWndProc = Superclass::Proc;
  wc.lpszClassName = u"EditWnd";
  wc.hInstance = nullptr;
  if (RegisterClassExW(&wc) == 0) {
    ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
  }
  HWND edit = MakeEdit(ES_AUTOHSCROLL, u"", 200, u"EditWnd");
  ASSERT_NE(edit, nullptr);
  SetFocus(edit);
  Type(u"ab");
  EXPECT_EQ(Text(edit), u"ab");
  ASSERT_GE(Superclass::seen.size(), 4u);
  EXPECT_EQ(Superclass::seen[1], std::make_pair(static_cast<UINT>(WM_CHAR), size_t{0}));
  Type(u"\r");
  EXPECT_EQ(Text(edit), u"entered");
  EXPECT_EQ(Codes().back(), EN_CHANGE);
}

TEST_F(EditView, ASuperclassWithoutTheExtraBytesCannotCreate) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  ASSERT_TRUE(GetClassInfoExW(nullptr, u"Edit", &wc));
  wc.cbWndExtra = 0;
  wc.lpszClassName = u"EditWndTooSmall";
  if (RegisterClassExW(&wc) == 0) {
    ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
  }
  EXPECT_EQ(MakeEdit(ES_AUTOHSCROLL, u"", 200, u"EditWndTooSmall"), nullptr);
}

}  // namespace

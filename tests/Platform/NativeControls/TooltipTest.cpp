// The tooltip control as the paint manager drives it: a tracked tip sized to its text, drawn in
// the info colours, updated, hidden; the TOOLINFOW sizes it takes; delays, width and fonts.
#include <gtest/gtest.h>

#include "Platform/DebugOutput.h"
#include "Platform/Window/Recorder.h"

using namespace WindowTest;
namespace H = Platform::Headless;

namespace {

constexpr uint32_t kInfoBackground = 0xFFFFFFE1u;

struct TipFixture : ::testing::Test {
  void SetUp() override {
    owner = rec.Create("Owner", WS_POPUP | WS_VISIBLE, nullptr, 0, {100, 100, 500, 400});
    tip = CreateWindowExW(0, u"tooltips_class32", nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                          nullptr, nullptr, nullptr);
    ASSERT_NE(tip, nullptr);
    info = Info(u"Choose the folder");
  }
  void TearDown() override {
    if (IsWindow(tip)) DestroyWindow(tip);
  }
  // The record the paint manager fills: the 32-bit size, the window as its own tool.
  TOOLINFOW Info(const char16_t* text) {
    TOOLINFOW ti{};
    ti.cbSize = 44;
    ti.uFlags = TTF_IDISHWND;
    ti.hwnd = owner;
    ti.uId = reinterpret_cast<UINT_PTR>(owner);
    ti.lpszText = const_cast<LPWSTR>(text);
    ti.rect = RECT{10, 10, 90, 40};
    return ti;
  }
  LRESULT Send(UINT msg, WPARAM wParam, const void* lParam) {
    return SendMessageW(tip, msg, wParam, reinterpret_cast<LPARAM>(lParam));
  }
  // The paint manager's hover: add once, then set the info and track.
  void Hover(const char16_t* text) {
    if (Send(TTM_GETTOOLCOUNT, 0, nullptr) == 0) {
      ASSERT_EQ(Send(TTM_ADDTOOLW, 0, &info), TRUE);
    }
    info = Info(text);
    Send(TTM_SETTOOLINFOW, 0, &info);
    Send(TTM_TRACKACTIVATE, TRUE, &info);
    H::RunUntilIdle();
  }
  RECT TipRect() {
    RECT r{};
    GetWindowRect(tip, &r);
    return r;
  }
  SIZE TextExtent(const std::u16string& text, HFONT font = nullptr) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    SIZE s{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &s);
    SelectObject(dc, old);
    DeleteDC(dc);
    return s;
  }
  // Pixels of the tip in its background colour, and dark ones (text ink or the frame).
  void CountPixels(int* background, int* ink) {
    RECT r = TipRect();
    *background = *ink = 0;
    for (int y = 0; y < r.bottom - r.top; ++y) {
      for (int x = 0; x < r.right - r.left; ++x) {
        uint32_t p = H::Pixel(tip, x, y);
        if (p == kInfoBackground) ++*background;
        if ((p & 0xFF) < 0x80 && ((p >> 8) & 0xFF) < 0x80 && ((p >> 16) & 0xFF) < 0x80) ++*ink;
      }
    }
  }

  Recorder rec;
  HWND owner = nullptr;
  HWND tip = nullptr;
  TOOLINFOW info{};
};

using Tooltip = TipFixture;

TEST_F(Tooltip, HoverShowsATopmostTipOfTheTextsSizeWithoutActivatingIt) {
  SetActiveWindow(owner);
  H::MoveMouse(200, 200);
  Hover(u"Choose the folder");
  ASSERT_TRUE(IsWindowVisible(tip));
  EXPECT_EQ(GetActiveWindow(), owner);
  EXPECT_NE(GetWindowLongW(tip, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_TRUE(H::View(tip).keepAbove);
  RECT r = TipRect();
  SIZE text = TextExtent(u"Choose the folder");
  EXPECT_GE(r.right - r.left, text.cx + 4);
  EXPECT_LE(r.right - r.left, text.cx + 24);
  EXPECT_GE(r.bottom - r.top, text.cy + 2);
  EXPECT_LE(r.bottom - r.top, text.cy + 16);
  // Below the pointer, which is over the tool.
  EXPECT_GE(r.top, 200);
  EXPECT_LE(r.top, 240);
  int background = 0, ink = 0;
  CountPixels(&background, &ink);
  EXPECT_GT(background, (r.right - r.left) * (r.bottom - r.top) / 2);
  // The frame alone is 2 * (w + h); text adds more.
  EXPECT_GT(ink, 2 * ((r.right - r.left) + (r.bottom - r.top)) + 20);
  EXPECT_EQ(SendMessageW(tip, WM_NCHITTEST, 0, MAKELPARAM(r.left + 2, r.top + 2)), HTTRANSPARENT);
}

TEST_F(Tooltip, NewTextResizesTheShownTip) {
  Hover(u"Short");
  int shortWidth = TipRect().right - TipRect().left;
  Hover(u"A rather longer text for the same tool");
  int longWidth = TipRect().right - TipRect().left;
  EXPECT_GT(longWidth, shortWidth + 50);
  TOOLINFOW update = Info(u"Mid length");
  Send(TTM_UPDATETIPTEXTW, 0, &update);
  H::RunUntilIdle();
  int midWidth = TipRect().right - TipRect().left;
  EXPECT_GT(midWidth, shortWidth);
  EXPECT_LT(midWidth, longWidth);
  char16_t buffer[64] = {};
  TOOLINFOW query = Info(nullptr);
  query.lpszText = buffer;
  Send(TTM_GETTEXTW, 64, &query);
  EXPECT_EQ(std::u16string(buffer), u"Mid length");
  // A small buffer gets a cut, terminated text.
  Send(TTM_GETTEXTW, 4, &query);
  EXPECT_EQ(std::u16string(buffer), u"Mid");
}

TEST_F(Tooltip, DeactivatingPoppingOrDisablingHidesTheTip) {
  Hover(u"Tip");
  ASSERT_TRUE(IsWindowVisible(tip));
  Send(TTM_TRACKACTIVATE, FALSE, &info);
  EXPECT_FALSE(IsWindowVisible(tip));
  Send(TTM_TRACKACTIVATE, TRUE, &info);
  EXPECT_TRUE(IsWindowVisible(tip));
  Send(TTM_POP, 0, nullptr);
  EXPECT_FALSE(IsWindowVisible(tip));
  Send(TTM_ACTIVATE, FALSE, nullptr);
  Send(TTM_TRACKACTIVATE, TRUE, &info);
  EXPECT_FALSE(IsWindowVisible(tip));
  Send(TTM_ACTIVATE, TRUE, nullptr);
  EXPECT_TRUE(IsWindowVisible(tip));
  // Deleting the shown tool hides its tip.
  Send(TTM_DELTOOLW, 0, &info);
  EXPECT_FALSE(IsWindowVisible(tip));
  EXPECT_EQ(Send(TTM_GETTOOLCOUNT, 0, nullptr), 0);
  // An empty text shows nothing.
  Hover(u"");
  EXPECT_FALSE(IsWindowVisible(tip));
}

TEST_F(Tooltip, RecordsOfEachVersionsSizeAreTakenOthersRefused) {
  const UINT good[] = {40,
                       44,
                       48,
                       static_cast<UINT>(TTTOOLINFOW_V1_SIZE),
                       static_cast<UINT>(TTTOOLINFOW_V2_SIZE),
                       sizeof(TOOLINFOW)};
  UINT_PTR id = 1;
  for (UINT size : good) {
    TOOLINFOW ti{};
    ti.cbSize = size;
    ti.hwnd = owner;
    ti.uId = id++;
    ti.lpszText = const_cast<LPWSTR>(u"x");
    EXPECT_EQ(Send(TTM_ADDTOOLW, 0, &ti), TRUE) << "size " << size;
  }
  const UINT bad[] = {0, 36, 43, 45, sizeof(TOOLINFOW) + 8, 0xFFFFFFFFu};
  for (UINT size : bad) {
    TOOLINFOW ti{};
    ti.cbSize = size;
    ti.hwnd = owner;
    ti.uId = 100 + size % 50;
    ti.lpszText = const_cast<LPWSTR>(u"x");
    EXPECT_EQ(Send(TTM_ADDTOOLW, 0, &ti), FALSE) << "size " << size;
    EXPECT_EQ(Send(TTM_GETTOOLINFOW, 0, &ti), FALSE) << "size " << size;
  }
  EXPECT_EQ(Send(TTM_GETTOOLCOUNT, 0, nullptr), 6);
  EXPECT_EQ(Send(TTM_ADDTOOLW, 0, nullptr), FALSE);
}

TEST_F(Tooltip, ToolsAreKeptByCopyAndDescribedBack) {
  std::u16string text = u"Copied";
  TOOLINFOW ti = Info(text.c_str());
  ti.cbSize = sizeof(TOOLINFOW);
  ti.lParam = 77;
  ASSERT_EQ(Send(TTM_ADDTOOLW, 0, &ti), TRUE);
  EXPECT_EQ(Send(TTM_ADDTOOLW, 0, &ti), FALSE);  // same window and id
  text.assign(u"XXXXXX");
  TOOLINFOW back{};
  back.cbSize = sizeof(TOOLINFOW);
  back.hwnd = owner;
  back.uId = reinterpret_cast<UINT_PTR>(owner);
  ASSERT_EQ(Send(TTM_GETTOOLINFOW, 0, &back), TRUE);
  EXPECT_EQ(back.uFlags, static_cast<UINT>(TTF_IDISHWND));
  EXPECT_EQ(back.rect.right, 90);
  EXPECT_EQ(back.lParam, 77);
  char16_t buffer[16] = {};
  back.lpszText = buffer;
  Send(TTM_GETTEXTW, 16, &back);
  EXPECT_EQ(std::u16string(buffer), u"Copied");
  TOOLINFOW moved = Info(nullptr);
  moved.rect = RECT{1, 2, 3, 4};
  Send(TTM_NEWTOOLRECTW, 0, &moved);
  ASSERT_EQ(Send(TTM_GETTOOLINFOW, 0, &back), TRUE);
  EXPECT_EQ(back.rect.bottom, 4);
  EXPECT_EQ(std::u16string(buffer), u"Copied");  // GETTOOLINFO leaves the text buffer alone
  // A 40-byte record has no lParam: it is left alone.
  back.cbSize = 40;
  back.lParam = 5;
  ASSERT_EQ(Send(TTM_GETTOOLINFOW, 0, &back), TRUE);
  EXPECT_EQ(back.lParam, 5);
}

TEST_F(Tooltip, TextCallbacksAreRefusedWithADebugLine) {
  Platform::DebugOutputCapture capture;
  TOOLINFOW ti = Info(nullptr);
  ti.lpszText = LPSTR_TEXTCALLBACKW;
  EXPECT_EQ(Send(TTM_ADDTOOLW, 0, &ti), FALSE);
  EXPECT_NE(capture.Text().find(u"LPSTR_TEXTCALLBACKW"), std::u16string::npos);
  EXPECT_EQ(Send(TTM_GETTOOLCOUNT, 0, nullptr), 0);
}

TEST_F(Tooltip, DelayTimesDefaultToTheDoubleClickTime) {
  LRESULT dbl = static_cast<LRESULT>(GetDoubleClickTime());
  EXPECT_EQ(Send(TTM_GETDELAYTIME, TTDT_INITIAL, nullptr), dbl);
  EXPECT_EQ(Send(TTM_GETDELAYTIME, TTDT_AUTOPOP, nullptr), dbl * 10);
  EXPECT_EQ(Send(TTM_GETDELAYTIME, TTDT_RESHOW, nullptr), dbl / 5);
  SendMessageW(tip, TTM_SETDELAYTIME, TTDT_INITIAL, 120);
  EXPECT_EQ(Send(TTM_GETDELAYTIME, TTDT_INITIAL, nullptr), 120);
  EXPECT_EQ(Send(TTM_GETDELAYTIME, TTDT_AUTOPOP, nullptr), 1200);
  SendMessageW(tip, TTM_SETDELAYTIME, TTDT_AUTOPOP, 3000);
  EXPECT_EQ(Send(TTM_GETDELAYTIME, TTDT_AUTOPOP, nullptr), 3000);
  SendMessageW(tip, TTM_SETDELAYTIME, TTDT_AUTOMATIC, 200);
  EXPECT_EQ(Send(TTM_GETDELAYTIME, TTDT_INITIAL, nullptr), 200);
  EXPECT_EQ(Send(TTM_GETDELAYTIME, TTDT_AUTOPOP, nullptr), 2000);
  EXPECT_EQ(Send(TTM_GETDELAYTIME, TTDT_RESHOW, nullptr), 40);
  SendMessageW(tip, TTM_SETDELAYTIME, TTDT_AUTOMATIC, -1);
  EXPECT_EQ(Send(TTM_GETDELAYTIME, TTDT_INITIAL, nullptr), dbl);
  EXPECT_EQ(Send(TTM_GETDELAYTIME, TTDT_AUTOPOP, nullptr), dbl * 10);
}

TEST_F(Tooltip, TrackPositionPlacesTheTipKeptOnTheScreen) {
  Send(TTM_ADDTOOLW, 0, &info);
  SendMessageW(tip, TTM_TRACKPOSITION, 0, MAKELPARAM(300, 250));
  Send(TTM_TRACKACTIVATE, TRUE, &info);
  RECT r = TipRect();
  EXPECT_EQ(r.left, 300);
  EXPECT_EQ(r.top, 250);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  SendMessageW(tip, TTM_TRACKPOSITION, 0, MAKELPARAM(work.right - 3, work.bottom - 1));
  r = TipRect();
  EXPECT_EQ(r.right, work.right);
  EXPECT_EQ(r.bottom, work.bottom);
}

TEST_F(Tooltip, MaxTipWidthWrapsWordsAndFontsChangeTheSize) {
  const char16_t* longText = u"one two three four five six seven eight nine ten eleven twelve";
  Hover(longText);
  RECT single = TipRect();
  EXPECT_EQ(Send(TTM_SETMAXTIPWIDTH, 0, reinterpret_cast<void*>(120)), -1);
  RECT wrapped = TipRect();
  EXPECT_LE(wrapped.right - wrapped.left, 120 + 24);
  EXPECT_GE(wrapped.bottom - wrapped.top, 2 * (single.bottom - single.top) - 16);
  EXPECT_EQ(Send(TTM_GETMAXTIPWIDTH, 0, nullptr), 120);
  SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, -1);
  EXPECT_EQ(TipRect().right - TipRect().left, single.right - single.left);

  EXPECT_EQ(Send(WM_GETFONT, 0, nullptr), 0);
  LOGFONTW lf{};
  lf.lfHeight = -30;
  HFONT big = CreateFontIndirectW(&lf);
  SendMessageW(tip, WM_SETFONT, reinterpret_cast<WPARAM>(big), TRUE);
  EXPECT_EQ(SendMessageW(tip, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(big));
  EXPECT_GT(TipRect().bottom - TipRect().top, single.bottom - single.top + 10);
  DestroyWindow(tip);
  DeleteObject(big);
}

TEST(CommonControls, InitialisationChecksTheRecordAndProvidesTheClasses) {
  InitCommonControls();
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  EXPECT_NE(GetClassInfoExW(nullptr, u"tooltips_class32", &wc), 0);
  INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
  EXPECT_TRUE(InitCommonControlsEx(&icc));
  icc.dwSize = sizeof(INITCOMMONCONTROLSEX) + 4;
  SetLastError(0);
  EXPECT_FALSE(InitCommonControlsEx(&icc));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(InitCommonControlsEx(nullptr));
  HMODULE comctl = LoadLibraryW(u"comctl32.dll");
  ASSERT_NE(comctl, nullptr);
  EXPECT_NE(GetProcAddress(comctl, "InitCommonControlsEx"), nullptr);
  FreeLibrary(comctl);
}

}  // namespace

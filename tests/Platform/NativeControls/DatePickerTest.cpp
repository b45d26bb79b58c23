// The date picker: setting and reading the date, refusing impossible dates, editing fields with
// the keyboard (wrapping, month lengths, leap years, typed digits) and the change notices the
// parent gets; and GetLocalTime against the system clock.
#include <gtest/gtest.h>

#include <ctime>

#include "Platform/Window/Recorder.h"

using namespace WindowTest;
namespace H = Platform::Headless;

namespace {

SYSTEMTIME Date(int year, int month, int day) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(year);
  st.wMonth = static_cast<WORD>(month);
  st.wDay = static_cast<WORD>(day);
  return st;
}

struct DatePicker : ::testing::Test {
  void SetUp() override {
    parent = rec.Create("Parent", WS_POPUP | WS_VISIBLE, nullptr, 0, {50, 50, 450, 250});
    picker = Make(0);
    rec.Only({WM_NOTIFY});
    rec.SetAnswer([this](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
      if (msg == WM_NOTIFY) {
        auto* change = reinterpret_cast<const NMDATETIMECHANGE*>(lParam);
        if (change->nmhdr.code == DTN_DATETIMECHANGE) notices.push_back(*change);
      }
      return std::nullopt;
    });
  }
  HWND Make(DWORD style) {
    HWND h = CreateWindowExW(0, u"SysDateTimePick32", nullptr,
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 10, 10, 160, 24, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(1234)), nullptr, nullptr);
    EXPECT_NE(h, nullptr);
    return h;
  }
  bool Set(const SYSTEMTIME& st, HWND h = nullptr) {
    return SendMessageW(h ? h : picker, DTM_SETSYSTEMTIME, GDT_VALID,
                        reinterpret_cast<LPARAM>(&st)) != FALSE;
  }
  SYSTEMTIME Get() {
    SYSTEMTIME st{};
    EXPECT_EQ(SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)), GDT_VALID);
    return st;
  }
  void Type(const std::u16string& digits) {
    H::Type(digits);
    H::RunUntilIdle();
  }
  void Press(WORD vk) { SendMessageW(picker, WM_KEYDOWN, vk, 0); }
  void ExpectDate(int year, int month, int day) {
    SYSTEMTIME st = Get();
    EXPECT_EQ(st.wYear, year);
    EXPECT_EQ(st.wMonth, month);
    EXPECT_EQ(st.wDay, day);
  }

  Recorder rec;
  HWND parent = nullptr;
  HWND picker = nullptr;
  std::vector<NMDATETIMECHANGE> notices;
};

TEST_F(DatePicker, SetDateReadsBackWithItsWeekday) {
  SYSTEMTIME st = Date(2024, 2, 29);
  st.wHour = 13;
  st.wMinute = 5;
  ASSERT_TRUE(Set(st));
  SYSTEMTIME back = Get();
  EXPECT_EQ(back.wYear, 2024);
  EXPECT_EQ(back.wMonth, 2);
  EXPECT_EQ(back.wDay, 29);
  EXPECT_EQ(back.wHour, 13);
  EXPECT_EQ(back.wMinute, 5);
  EXPECT_EQ(back.wDayOfWeek, 4);  // a Thursday
  EXPECT_EQ(SendMessageW(picker, DTM_GETSYSTEMTIME, 0, 0), GDT_ERROR);
  EXPECT_TRUE(notices.empty());
}

TEST_F(DatePicker, ImpossibleDatesAreRefusedAndChangeNothing) {
  ASSERT_TRUE(Set(Date(2023, 6, 15)));
  EXPECT_FALSE(Set(Date(2023, 2, 29)));  // not a leap year
  EXPECT_FALSE(Set(Date(2024, 2, 30)));
  EXPECT_FALSE(Set(Date(2024, 13, 1)));
  EXPECT_FALSE(Set(Date(2024, 0, 1)));
  EXPECT_FALSE(Set(Date(2024, 4, 31)));
  EXPECT_FALSE(Set(Date(2024, 1, 0)));
  EXPECT_FALSE(Set(Date(1500, 1, 1)));
  SYSTEMTIME late = Date(2024, 1, 1);
  late.wHour = 24;
  EXPECT_FALSE(Set(late));
  EXPECT_EQ(SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, 0), FALSE);
  EXPECT_EQ(SendMessageW(picker, DTM_SETSYSTEMTIME, 7, 0), FALSE);
  ExpectDate(2023, 6, 15);
  EXPECT_TRUE(Set(Date(2000, 2, 29)));  // divisible by 400: a leap year
}

TEST_F(DatePicker, NoDateOnlyWithShowNone) {
  EXPECT_EQ(SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_NONE, 0), FALSE);
  HWND optional = Make(DTS_SHOWNONE);
  EXPECT_NE(SendMessageW(optional, DTM_SETSYSTEMTIME, GDT_NONE, 0), FALSE);
  SYSTEMTIME st{};
  EXPECT_EQ(SendMessageW(optional, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)), GDT_NONE);
  ASSERT_TRUE(Set(Date(2022, 3, 4), optional));
  EXPECT_EQ(SendMessageW(optional, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)), GDT_VALID);
}

TEST_F(DatePicker, UpAndDownWrapFieldsAndKeepTheDayInsideTheMonth) {
  ASSERT_TRUE(Set(Date(2023, 1, 31)));
  Press(VK_RIGHT);  // month
  Press(VK_UP);
  ExpectDate(2023, 2, 28);
  ASSERT_TRUE(Set(Date(2024, 1, 31)));
  Press(VK_UP);
  ExpectDate(2024, 2, 29);
  Press(VK_DOWN);
  Press(VK_DOWN);
  ExpectDate(2024, 12, 29);  // January wraps back to December
  Press(VK_RIGHT);           // day
  Press(VK_UP);
  Press(VK_UP);
  Press(VK_UP);
  ExpectDate(2024, 12, 1);  // 31 wraps to 1
  Press(VK_DOWN);
  ExpectDate(2024, 12, 31);
  Press(VK_RIGHT);  // already the last field
  Press(VK_LEFT);
  Press(VK_LEFT);  // year
  Press(VK_LEFT);
  ASSERT_TRUE(Set(Date(2024, 2, 29)));
  Press(VK_UP);
  ExpectDate(2025, 2, 28);
  ASSERT_TRUE(Set(Date(9999, 12, 31)));
  Press(VK_UP);
  ExpectDate(9999, 12, 31);
}

TEST_F(DatePicker, DigitsTypeIntoTheFieldAndMoveOn) {
  ASSERT_TRUE(Set(Date(2023, 6, 15)));
  SetFocus(picker);
  Type(u"1999");
  ExpectDate(1999, 6, 15);
  Type(u"2");  // no month starts with 2 and has two digits: February, on to the day
  ExpectDate(1999, 2, 15);
  Type(u"28");
  ExpectDate(1999, 2, 28);
  // Back to the month: "1" waits for a second digit, "1" then makes November.
  Press(VK_LEFT);
  Type(u"11");
  ExpectDate(1999, 11, 28);
  // A day past the month's end is not taken.
  ASSERT_TRUE(Set(Date(2023, 2, 10)));
  Press(VK_RIGHT);
  Type(u"31");
  SYSTEMTIME st = Get();
  EXPECT_EQ(st.wMonth, 2);
  EXPECT_LE(st.wDay, 28);
}

TEST_F(DatePicker, ClickingAFieldSelectsItAndFocusesThePicker) {
  ASSERT_TRUE(Set(Date(2023, 6, 15)));
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SIZE upToDay{};
  GetTextExtentPoint32W(dc, u"2023-06-", 8, &upToDay);
  SelectObject(dc, old);
  DeleteDC(dc);
  POINT pt{4 + upToDay.cx + 3, 12};
  ClientToScreen(picker, &pt);
  H::Click(pt.x, pt.y);
  H::RunUntilIdle();
  EXPECT_EQ(GetFocus(), picker);
  Press(VK_UP);
  ExpectDate(2023, 6, 16);
}

TEST_F(DatePicker, UserChangesNotifyTheParentButSettingDoesNot) {
  ASSERT_TRUE(Set(Date(2023, 1, 31)));
  EXPECT_TRUE(notices.empty());
  Press(VK_RIGHT);
  EXPECT_TRUE(notices.empty());
  Press(VK_UP);
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].nmhdr.hwndFrom, picker);
  EXPECT_EQ(notices[0].nmhdr.idFrom, 1234u);
  EXPECT_EQ(notices[0].dwFlags, static_cast<DWORD>(GDT_VALID));
  EXPECT_EQ(notices[0].st.wMonth, 2);
  EXPECT_EQ(notices[0].st.wDay, 28);
  // A step that changes nothing (the year at its end) says nothing.
  ASSERT_TRUE(Set(Date(9999, 5, 5)));
  Press(VK_LEFT);
  Press(VK_UP);
  EXPECT_EQ(notices.size(), 1u);
}

TEST_F(DatePicker, DrawsTheDateWithTheFocusedFieldMarked) {
  ASSERT_TRUE(Set(Date(2023, 6, 15)));
  SetFocus(picker);
  H::RunUntilIdle();
  int highlight = 0, ink = 0;
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 160; ++x) {
      uint32_t p = H::Pixel(picker, x, y);
      if (p == 0xFF0078D7u) ++highlight;
      // Text ink: dark, unlike the grey frame.
      if ((p & 0xFF) < 0x50 && ((p >> 8) & 0xFF) < 0x50 && ((p >> 16) & 0xFF) < 0x50) ++ink;
    }
  }
  EXPECT_GT(highlight, 40);
  EXPECT_GT(ink, 20);
  EXPECT_EQ(SendMessageW(picker, WM_GETFONT, 0, 0), 0);
}

TEST(LocalTime, AgreesWithTheSystemClock) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    time_t before = time(nullptr);
    SYSTEMTIME st{};
    GetLocalTime(&st);
    time_t after = time(nullptr);
    if (before != after) continue;  // a second boundary in between: read again
    tm local{};
    localtime_r(&before, &local);
    EXPECT_EQ(st.wYear, local.tm_year + 1900);
    EXPECT_EQ(st.wMonth, local.tm_mon + 1);
    EXPECT_EQ(st.wDay, local.tm_mday);
    EXPECT_EQ(st.wDayOfWeek, local.tm_wday);
    EXPECT_EQ(st.wHour, local.tm_hour);
    EXPECT_EQ(st.wMinute, local.tm_min);
    EXPECT_EQ(st.wSecond, local.tm_sec);
    EXPECT_LT(st.wMilliseconds, 1000);
    return;
  }
  FAIL() << "the clock never held still for a second";
}

}  // namespace

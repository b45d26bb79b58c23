// The date control and its native picker: today's date as text, a picked date taken when the
// focus leaves, Delete and Escape in the picker, and a control destroyed while its picker is open.
#include "Control/UIDateTime.h"
#include "Core/UIContainer.h"
#include "LabelHarness.h"
#include "support/WideString.h"

using namespace SkinUI;
using namespace ControlTest;

namespace {

class DateTime : public ControlFixture {
 protected:
  void SetUp() override {
    ControlFixture::SetUp();
    ASSERT_TRUE(w.Open(TEXT("<Window size=\"200,100\"><VerticalLayout bkcolor=\"#FF202020\">") TEXT(
                           "<DateTime name=\"d\" height=\"30\"/><Button name=\"b\" height=\"30\"/>")
                           TEXT("<Control/></VerticalLayout></Window>"),
                       200, 100));
    d = static_cast<CDateTimeUI*>(w.Find(TEXT("d")));
    ASSERT_NE(d, nullptr);
    w.Manager().SetFocusControl(nullptr);
    w.Settle();
  }
  // Opens the picker by focusing the control; its window, or null.
  HWND Open() {
    d->SetFocus();
    w.Settle();
    return d->GetPickerWindow();
  }
  static void Press(WORD vk) {
    Drive::Key(vk, true);
    Drive::Key(vk, false);
  }

  SkinWindow w;
  CDateTimeUI* d = nullptr;
};

WString Today() {
  SYSTEMTIME st = {};
  ::GetLocalTime(&st);
  CUIString s;
  s.Format(TEXT("%4d-%02d-%02d"), st.wYear, st.wMonth, st.wDay);
  return s.GetData();
}

TEST_F(DateTime, ANewControlShowsTodayAsYearMonthDay) {
  EXPECT_EQ(WString(d->GetText().GetData()), Today());
  EXPECT_EQ(WString(d->GetText().GetData()).size(), 10u);
  SYSTEMTIME st = {};
  st.wYear = 987;
  st.wMonth = 3;
  st.wDay = 4;
  d->SetTime(st);
  EXPECT_EQ(WString(d->GetText().GetData()), TEXT(" 987-03-04"));
  EXPECT_NE(d->GetInterfaceByName(TEXT("DateTime")), nullptr);
  EXPECT_NE(d->GetInterfaceByName(TEXT("Label")), nullptr);
}

TEST_F(DateTime, FocusOpensThePickerOverTheControlAndLeavingTakesThePickedDate) {
  HWND picker = Open();
  ASSERT_NE(picker, nullptr);
  RECT rc = {};
  ::GetWindowRect(picker, &rc);
  EXPECT_EQ(rc.right - rc.left, d->GetPos().right - d->GetPos().left);
  EXPECT_EQ(rc.bottom - rc.top, 30);
  EXPECT_EQ(::GetFocus(), picker);
  SYSTEMTIME st = {};
  st.wYear = 2024;
  st.wMonth = 2;
  st.wDay = 29;
  ASSERT_EQ(::SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st)),
            TRUE);
  w.Find(TEXT("b"))->SetFocus();
  w.Settle();
  EXPECT_EQ(WString(d->GetText().GetData()), TEXT("2024-02-29"));
  EXPECT_EQ(d->GetPickerWindow(), nullptr);
  EXPECT_FALSE(::IsWindow(picker));
}

TEST_F(DateTime, DeleteEmptiesTheTextAndTheNextOpenStartsFromToday) {
  SYSTEMTIME st = {};
  st.wYear = 2001;
  st.wMonth = 9;
  st.wDay = 11;
  d->SetTime(st);
  ASSERT_NE(Open(), nullptr);
  Press(VK_DELETE);
  w.Settle();
  EXPECT_TRUE(d->GetText().IsEmpty());
  EXPECT_EQ(d->GetPickerWindow(), nullptr);
  // Reopened from empty by a click on the still focused control, the picker shows today;
  // leaving without a change takes it.
  Drive::Click(50, 15);
  w.Settle();
  HWND picker = d->GetPickerWindow();
  ASSERT_NE(picker, nullptr);
  SYSTEMTIME shown = {};
  EXPECT_EQ(::SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown)),
            GDT_VALID);
  w.Find(TEXT("b"))->SetFocus();
  w.Settle();
  EXPECT_EQ(WString(d->GetText().GetData()), Today());
}

TEST_F(DateTime, EscapeClosesWithoutChangingTheText) {
  HWND picker = Open();
  ASSERT_NE(picker, nullptr);
  SYSTEMTIME st = {};
  st.wYear = 1999;
  st.wMonth = 12;
  st.wDay = 31;
  ::SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
  Press(VK_ESCAPE);
  w.Settle();
  EXPECT_EQ(d->GetPickerWindow(), nullptr);
  w.Find(TEXT("b"))->SetFocus();
  w.Settle();
  EXPECT_EQ(WString(d->GetText().GetData()), Today());
}

TEST_F(DateTime, DestroyingTheControlWhileOpenClosesThePicker) {
  HWND picker = Open();
  ASSERT_NE(picker, nullptr);
  auto* parent = static_cast<CContainerUI*>(d->GetParent()->GetInterfaceByName(TEXT("Container")));
  ASSERT_NE(parent, nullptr);
  ASSERT_TRUE(parent->Remove(d));
  d = nullptr;
  w.Settle();
  EXPECT_FALSE(::IsWindow(picker));
  w.Find(TEXT("b"))->SetFocus();
  w.Settle();
}

TEST_F(DateTime, ADisabledControlDoesNotOpen) {
  d->SetEnabled(false);
  Drive::Click(50, 15);
  w.Settle();
  EXPECT_EQ(d->GetPickerWindow(), nullptr);
}

}  // namespace

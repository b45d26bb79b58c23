// The edit control and its native editor: opening on focus and on clicks, where the editor
// lies, typing and what it reports, the editor's limits and modes, closing, and painting.

#include <gtest/gtest.h>

#include <algorithm>

#include "Control/UIEdit.h"
#include "Core/UIContainer.h"
#include "WinImplBaseFixture.h"
#include "support/WideString.h"

namespace {

using SkinUI::CEditUI;

const char kSkin[] = R"(<Window size="300,220">
  <Font name="DejaVu Sans" size="12" default="true" />
  <VerticalLayout bkcolor="#FF303030">
    <Edit name="edit" float="true" pos="10,10,210,40" text="hello" />
    <Edit name="pwd" float="true" pos="10,50,110,80" password="true" text="abc" />
    <Label name="stars" float="true" pos="150,50,250,80" text="***" textpadding="4,3,4,3" bkcolor="#FFFFFFFF" />
    <Edit name="num" float="true" pos="10,90,210,120" numberonly="true" maxchar="4" nativebkcolor="#FF102030" />
    <Edit name="ro" float="true" pos="10,130,100,160" readonly="true" text="fixed" />
    <Edit name="off" float="true" pos="110,130,210,160" enabled="false" text="off" />
    <Edit name="edit2" float="true" pos="10,170,210,200" />
  </VerticalLayout>
</Window>)";

class Edit : public SkinWindowTest {
 protected:
  void SetUp() override {
    SkinWindowTest::SetUp();
    WriteSkin(kSkin);
    ASSERT_NE(OpenFolderSkin(), nullptr);
    // The first paint gives the first tab stop the focus; start with none.
    m_wnd.m_PaintManager.SetFocusControl(nullptr);
    Drive::RunUntilIdle();
  }
  CEditUI* EditNamed(const WCHAR* name) {
    SkinUI::CControlUI* control = Find(name);
    return control ? static_cast<CEditUI*>(control->GetInterfaceByName(TEXT("Edit"))) : nullptr;
  }
  void ClickControl(const WCHAR* name) {
    const RECT rc = Find(name)->GetPos();
    ClickAt((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
  }
  static WString WindowText(HWND hwnd) {
    WCHAR buffer[300] = {};
    GetWindowTextW(hwnd, buffer, 300);
    return buffer;
  }
  static std::pair<DWORD, DWORD> Selection(HWND editor) {
    DWORD start = 0, end = 0;
    SendMessageW(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return {start, end};
  }
  int Count(const std::string& entry) const {
    return static_cast<int>(std::count(m_wnd.log.begin(), m_wnd.log.end(), entry));
  }
  int FontHeight() { return m_wnd.m_PaintManager.FontInfoAt(-1).tm.tmHeight; }
};

TEST_F(Edit, AClickOpensTheEditorOverTheTextAreaCentredToTheFontWithAllSelected) {
  CEditUI* edit = EditNamed(TEXT("edit"));
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->GetEditorWindow(), nullptr);
  ClickControl(TEXT("edit"));
  HWND editor = edit->GetEditorWindow();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(GetParent(editor), m_hWnd);
  EXPECT_EQ(GetFocus(), editor);
  EXPECT_EQ(WindowText(editor), TEXT("hello"));
  EXPECT_EQ(Selection(editor), std::make_pair(DWORD{0}, DWORD{5}));

  RECT rc = {};
  GetWindowRect(editor, &rc);
  MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
  const int h = FontHeight();
  ASSERT_GT(h, 0);
  ASSERT_LT(h, 24);  // the text area is 40 - 10 - 3 - 3 = 24 high
  EXPECT_EQ(rc.left, 14);
  EXPECT_EQ(rc.right, 206);
  EXPECT_EQ(rc.top, 13 + (24 - h) / 2);
  EXPECT_EQ(rc.bottom - rc.top, h);
}

TEST_F(Edit, TypingCopiesEveryChangeIntoTheControlAndReturnInsertsNothing) {
  ClickControl(TEXT("edit"));
  m_wnd.log.clear();
  Drive::Type(TEXT("xy"));
  Drive::RunUntilIdle();
  EXPECT_EQ(Find(TEXT("edit"))->GetText(), TEXT("xy"));
  EXPECT_EQ(Count("textchanged:edit"), 2);
  Drive::Key(VK_RETURN, true);
  Drive::Key(VK_RETURN, false);
  Drive::RunUntilIdle();
  EXPECT_EQ(Count("return:edit"), 1);
  EXPECT_EQ(Find(TEXT("edit"))->GetText(), TEXT("xy"));
  EXPECT_EQ(WindowText(EditNamed(TEXT("edit"))->GetEditorWindow()), TEXT("xy"));
}

TEST_F(Edit, MovingTheFocusClosesTheEditorAndTheTextStays) {
  ClickControl(TEXT("edit"));
  Drive::Type(TEXT("kept"));
  Drive::RunUntilIdle();
  ClickControl(TEXT("edit2"));
  EXPECT_EQ(EditNamed(TEXT("edit"))->GetEditorWindow(), nullptr);
  EXPECT_NE(EditNamed(TEXT("edit2"))->GetEditorWindow(), nullptr);
  EXPECT_EQ(Find(TEXT("edit"))->GetText(), TEXT("kept"));
}

TEST_F(Edit, AClickOnTheFocusedClosedEditReopensItWithAllSelected) {
  ClickControl(TEXT("edit"));
  Drive::SwitchToOtherApplication();  // the editor loses the focus and closes
  Drive::RunUntilIdle();
  CEditUI* edit = EditNamed(TEXT("edit"));
  ASSERT_EQ(edit->GetEditorWindow(), nullptr);
  ASSERT_TRUE(edit->IsFocused());
  ClickControl(TEXT("edit"));
  HWND editor = edit->GetEditorWindow();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(Selection(editor), std::make_pair(DWORD{0}, DWORD{5}));
}

TEST_F(Edit, NumberOnlyAndMaxCharLimitTheEditorReadOnlyRefusesTyping) {
  ClickControl(TEXT("num"));
  Drive::Type(TEXT("a1b2c3d4e5"));
  Drive::RunUntilIdle();
  EXPECT_EQ(Find(TEXT("num"))->GetText(), TEXT("1234"));
  ClickControl(TEXT("ro"));
  Drive::Type(TEXT("zz"));
  Drive::RunUntilIdle();
  EXPECT_EQ(Find(TEXT("ro"))->GetText(), TEXT("fixed"));
  HWND editor = EditNamed(TEXT("ro"))->GetEditorWindow();
  ASSERT_NE(editor, nullptr);
  EXPECT_NE(GetWindowLongW(editor, GWL_STYLE) & ES_READONLY, 0);
}

TEST_F(Edit, ADisabledEditIgnoresClicks) {
  ClickControl(TEXT("off"));
  EXPECT_EQ(EditNamed(TEXT("off"))->GetEditorWindow(), nullptr);
  EXPECT_EQ(EditNamed(TEXT("off"))->GetInputFlags(), 0u);
  EXPECT_EQ(EditNamed(TEXT("edit"))->GetInputFlags(),
            UINT{SkinUI::UIFLAG_TABSTOP | SkinUI::UIFLAG_SETCURSOR});
}

TEST_F(Edit, NativeBackgroundColourIsAnsweredOnlyWhenSet) {
  struct Case {
    const WCHAR* name;
    bool brush;
  } cases[] = {{TEXT("num"), true}, {TEXT("edit"), false}};
  for (const Case& c : cases) {
    ClickControl(c.name);
    HWND editor = EditNamed(c.name)->GetEditorWindow();
    ASSERT_NE(editor, nullptr);
    HDC dc = GetDC(editor);
    LRESULT answer = SendMessageW(editor, WM_CTLCOLOREDIT + SkinUI::UI_REFLECT_OFFSET,
                                  reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(editor));
    EXPECT_EQ(answer != 0, c.brush) << Utf8(c.name);
    if (c.brush) {
      EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    }
    ReleaseDC(editor, dc);
  }
}

TEST_F(Edit, SetTextReachesAnOpenEditorAndHidingClosesIt) {
  ClickControl(TEXT("edit"));
  CEditUI* edit = EditNamed(TEXT("edit"));
  HWND editor = edit->GetEditorWindow();
  ASSERT_NE(editor, nullptr);
  edit->SetText(TEXT("new"));
  EXPECT_EQ(WindowText(editor), TEXT("new"));
  edit->SetVisible(false);
  Drive::RunUntilIdle();
  EXPECT_EQ(edit->GetEditorWindow(), nullptr);
  EXPECT_FALSE(IsWindow(editor));
}

TEST_F(Edit, DestroyingTheControlWithItsEditorOpenClosesTheEditor) {
  ClickControl(TEXT("edit"));
  CEditUI* edit = EditNamed(TEXT("edit"));
  HWND editor = edit->GetEditorWindow();
  ASSERT_NE(editor, nullptr);
  auto* container = static_cast<SkinUI::IContainerUI*>(
      m_wnd.m_PaintManager.GetRoot()->GetInterfaceByName(TEXT("IContainer")));
  ASSERT_NE(container, nullptr);
  ASSERT_TRUE(container->Remove(edit));
  Drive::RunUntilIdle();
  EXPECT_FALSE(IsWindow(editor));
  // Messages that would have reached the owner find nobody and do no harm.
  Drive::Type(TEXT("a"));
  Drive::RunUntilIdle();
}

TEST_F(Edit, PasswordModePaintsOneMaskCharacterPerCharacter) {
  // The edit at (10,50) and the label at (150,50) share size, padding, font and background.
  int differing = 0;
  for (int y = 50; y < 80; ++y)
    for (int x = 10; x < 110; ++x)
      if (Drive::Pixel(m_hWnd, x, y) != Drive::Pixel(m_hWnd, x + 140, y)) ++differing;
  EXPECT_EQ(differing, 0);
  int inked = 0;
  for (int y = 50; y < 80; ++y)
    for (int x = 10; x < 110; ++x)
      if (Drive::Pixel(m_hWnd, x, y) != 0xFFFFFFFFu) ++inked;
  EXPECT_GT(inked, 10) << "no mask characters drawn";
}

TEST_F(Edit, MeasuresTheFontHeightPlusSixWithoutAFixedHeight) {
  CEditUI edit;
  edit.AttachManager(&m_wnd.m_PaintManager, nullptr, false);
  EXPECT_EQ(edit.MeasureSize({100, 100}).cy, FontHeight() + 6);
  edit.SetFixedHeight(31);
  EXPECT_EQ(edit.MeasureSize({100, 100}).cy, 31);
  edit.AttachManager(nullptr, nullptr, false);
}

}  // namespace

// The paint manager's resource tables: fonts, colours and the parent resource manager, default
// attribute lists, option groups and the window attributes.

#include "Core/UIControl.h"
#include "RenderTestSupport.h"

using namespace SkinUI;
using namespace RenderTest;

namespace {

class ManagerResources : public ManagerTest {
 protected:
  static LOGFONTW FontOf(HFONT font) {
    LOGFONTW lf = {};
    EXPECT_EQ(static_cast<int>(sizeof(lf)), GetObjectW(font, sizeof(lf), &lf));
    return lf;
  }
  static LONG StockWeight() {
    LOGFONTW lf = {};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    return lf.lfWeight;
  }
};

TEST_F(ManagerResources, FontTableLookups) {
  HFONT small = m_manager->AddFont(TEXT("Sans"), 12, false, false, false);
  HFONT big = m_manager->AddFont(TEXT("Sans"), 20, false, true, true);
  ASSERT_NE(nullptr, small);
  ASSERT_NE(nullptr, big);
  EXPECT_EQ(2, m_manager->FontCount());
  const HFONT fallback = m_manager->DefaultFont().hFont;
  ASSERT_NE(nullptr, fallback);
  struct Case {
    int index;
    HFONT font;
  } const byIndex[] = {{0, small}, {1, big}, {-1, fallback}, {2, fallback}};
  for (const Case& c : byIndex) EXPECT_EQ(c.font, m_manager->FontAt(c.index)) << c.index;
  EXPECT_EQ(big, m_manager->FindFont(TEXT("Sans"), 20, false, true, true));
  EXPECT_EQ(nullptr, m_manager->FindFont(TEXT("sans"), 20, false, true, true));  // case counts
  EXPECT_EQ(nullptr, m_manager->FindFont(TEXT("Sans"), 20, true, true, true));
  EXPECT_EQ(20, m_manager->FontInfoOf(big).iSize);
  EXPECT_TRUE(m_manager->FontInfoOf(big).bItalic);
  EXPECT_EQ(&m_manager->DefaultFont(), &m_manager->FontInfoOf(nullptr));
  EXPECT_EQ(&m_manager->DefaultFont(), &m_manager->FontInfoAt(7));
  // Every entry handed out is measured.
  EXPECT_GT(m_manager->FontInfoAt(0).tm.tmHeight, 0);
  EXPECT_GT(m_manager->FontInfoOf(big).tm.tmHeight, m_manager->FontInfoAt(0).tm.tmHeight);
  EXPECT_GT(m_manager->DefaultFont().tm.tmHeight, 0);
  const LOGFONTW lf = FontOf(big);
  EXPECT_EQ(-20, lf.lfHeight);
  EXPECT_TRUE(lf.lfUnderline);
  EXPECT_TRUE(lf.lfItalic);
  EXPECT_EQ(DEFAULT_CHARSET, lf.lfCharSet);
  // Before a window is attached, fonts are measured all the same.
  CPaintManagerUI detached;
  ASSERT_NE(nullptr, detached.AddFont(TEXT("Sans"), 15, false, false, false));
  EXPECT_GT(detached.FontInfoAt(0).tm.tmHeight, 0);
  m_manager->ClearFonts();
  EXPECT_EQ(0, m_manager->FontCount());
  EXPECT_EQ(fallback, m_manager->FontAt(0));
}

TEST_F(ManagerResources, BoldAddsTheBoldWeightToTheStockWeight) {
  HFONT bold = m_manager->AddFont(TEXT("Sans"), 14, true, false, false);
  ASSERT_NE(nullptr, bold);
  EXPECT_EQ(StockWeight() + FW_BOLD, FontOf(bold).lfWeight);
  EXPECT_EQ(StockWeight(),
            FontOf(m_manager->AddFont(TEXT("Sans"), 14, false, false, false)).lfWeight);
}

TEST_F(ManagerResources, DefaultFontIsReplaced) {
  const TFontEntry& before = m_manager->DefaultFont();
  EXPECT_GT(before.iSize, 0);
  m_manager->SetDefaultFont(TEXT("Serif"), 17, true, false, false);
  const TFontEntry& after = m_manager->DefaultFont();
  EXPECT_EQ(CUIString(TEXT("Serif")), after.sFontName);
  EXPECT_EQ(17, after.iSize);
  EXPECT_TRUE(after.bBold);
  EXPECT_EQ(-17, FontOf(after.hFont).lfHeight);
  EXPECT_GT(after.tm.tmHeight, 0);
  EXPECT_EQ(after.hFont, m_manager->FontAt(0));
}

TEST_F(ManagerResources, ParentResourceManagerDecidesAndRefusesCycles) {
  CPaintManagerUI parent, grandparent;
  parent.SetTextColor(0xFF112233);
  EXPECT_EQ(0xFF000000u, m_manager->TextColor());
  ASSERT_TRUE(m_manager->SetParentResourceManager(&parent));
  ASSERT_TRUE(parent.SetParentResourceManager(&grandparent));
  m_manager->SetLinkColor(0xFF445566);  // the parent decides while one is set
  EXPECT_EQ(0xFF0000FFu, m_manager->LinkColor());
  EXPECT_EQ(0xFFA7A6AAu, m_manager->DisabledTextColor());
  grandparent.SetSelectedBackColor(0xFF010203);
  EXPECT_EQ(0xFF010203u, m_manager->SelectedBackColor());
  // Cycles are refused and change nothing.
  EXPECT_FALSE(grandparent.SetParentResourceManager(m_manager));
  EXPECT_FALSE(parent.SetParentResourceManager(m_manager));
  EXPECT_FALSE(m_manager->SetParentResourceManager(m_manager));
  EXPECT_EQ(&grandparent, parent.ParentResourceManager());
  EXPECT_EQ(nullptr, grandparent.ParentResourceManager());
  // Fonts and default attributes fall back to the parents.
  HFONT parentFont = grandparent.AddFont(TEXT("Sans"), 9, false, false, false);
  EXPECT_EQ(parentFont, m_manager->FindFont(TEXT("Sans"), 9, false, false, false));
  EXPECT_EQ(9, m_manager->FontInfoOf(parentFont).iSize);
  EXPECT_EQ(&grandparent.DefaultFont(), &m_manager->DefaultFont());
  grandparent.SetDefaultAttributes(TEXT("Button"), TEXT("height=\"20\""));
  EXPECT_EQ(CUIString(TEXT("height=\"20\"")),
            CUIString(m_manager->DefaultAttributes(TEXT("Button"))));
  ASSERT_TRUE(m_manager->SetParentResourceManager(nullptr));
  EXPECT_EQ(0xFF445566u, m_manager->LinkColor());
  EXPECT_EQ(nullptr, m_manager->DefaultAttributes(TEXT("Button")));
}

// Text drawn by index (a label without a font of its own, a list item lent to a drop-down)
// must come out in the same font its measurements came from.
TEST_F(ManagerResources, FontByIndexWithoutItsOwnFontIsTheParentsDefault) {
  CPaintManagerUI parent;
  parent.SetDefaultFont(TEXT("Serif"), 19, false, false, false);
  ASSERT_TRUE(m_manager->SetParentResourceManager(&parent));
  const HFONT parentDefault = parent.DefaultFont().hFont;
  for (int index : {-1, 0, 3}) {
    EXPECT_EQ(parentDefault, m_manager->FontAt(index)) << index;
    EXPECT_EQ(&parent.DefaultFont(), &m_manager->FontInfoAt(index)) << index;
  }
  // A font of its own still answers for its index.
  HFONT own = m_manager->AddFont(TEXT("Sans"), 11, false, false, false);
  EXPECT_EQ(own, m_manager->FontAt(0));
  EXPECT_EQ(parentDefault, m_manager->FontAt(1));
  ASSERT_TRUE(m_manager->SetParentResourceManager(nullptr));
  EXPECT_NE(parentDefault, m_manager->FontAt(-1));
}

TEST_F(ManagerResources, FirstDefaultAttributeListWins) {
  m_manager->SetDefaultAttributes(TEXT("Button"), TEXT("width=\"10\""));
  m_manager->SetDefaultAttributes(TEXT("Button"), TEXT("width=\"99\""));
  m_manager->SetDefaultAttributes(TEXT("Label"), TEXT(""));
  EXPECT_EQ(CUIString(TEXT("width=\"10\"")),
            CUIString(m_manager->DefaultAttributes(TEXT("Button"))));
  EXPECT_EQ(CUIString(TEXT("")), CUIString(m_manager->DefaultAttributes(TEXT("Label"))));
  EXPECT_EQ(nullptr, m_manager->DefaultAttributes(TEXT("button")));
  m_manager->ClearDefaultAttributes();
  EXPECT_EQ(nullptr, m_manager->DefaultAttributes(TEXT("Button")));
}

TEST_F(ManagerResources, OptionGroups) {
  CControlUI first, second;
  CControlUI* a = &first;
  CControlUI* b = &second;
  EXPECT_EQ(nullptr, m_manager->GetGroup(TEXT("g")));
  EXPECT_TRUE(m_manager->JoinGroup(TEXT("g"), a));
  EXPECT_FALSE(m_manager->JoinGroup(TEXT("g"), a));
  EXPECT_TRUE(m_manager->JoinGroup(TEXT("g"), b));
  ASSERT_NE(nullptr, m_manager->GetGroup(TEXT("g")));
  EXPECT_EQ(2, m_manager->GetGroup(TEXT("g"))->GetSize());
  m_manager->LeaveGroup(TEXT("g"), a);
  EXPECT_EQ(b, m_manager->GetGroup(TEXT("g"))->GetAt(0));
  m_manager->LeaveGroup(TEXT("g"), a);  // not a member: nothing
  EXPECT_EQ(1, m_manager->GetGroup(TEXT("g"))->GetSize());
  m_manager->LeaveGroup(TEXT("g"), b);  // the last member: the group goes
  EXPECT_EQ(nullptr, m_manager->GetGroup(TEXT("g")));
  EXPECT_TRUE(m_manager->JoinGroup(TEXT("h"), a));
  m_manager->ClearGroups();
  EXPECT_EQ(nullptr, m_manager->GetGroup(TEXT("h")));
}

TEST_F(ManagerResources, OpacityIsClampedAndTheLayeredStyleFollowsTheRange) {
  struct Case {
    int value;
    BYTE stored;
    bool layered;
  } const cases[] = {
      {128, 128, true}, {300, 255, false}, {0, 0, true}, {-5, 0, false}, {255, 255, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    m_manager->SetOpacity(c.value);
    EXPECT_EQ(c.stored, m_manager->Opacity());
    EXPECT_EQ(c.layered, (GetWindowLongW(m_hWnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0);
    if (c.layered) {
      BYTE alpha = 0;
      DWORD flags = 0;
      ASSERT_TRUE(GetLayeredWindowAttributes(m_hWnd, nullptr, &alpha, &flags));
      EXPECT_EQ(c.stored, alpha);
      EXPECT_EQ(static_cast<DWORD>(LWA_ALPHA), flags);
    }
  }
  CPaintManagerUI detached;
  detached.SetOpacity(999);
  EXPECT_EQ(255, detached.Opacity());
}

TEST_F(ManagerResources, WindowAttributes) {
  m_manager->SetInitialSize(150, 60);  // no root yet: the window takes the size at once
  RECT rc = {};
  GetWindowRect(m_hWnd, &rc);
  EXPECT_EQ(150, rc.right - rc.left);
  EXPECT_EQ(60, rc.bottom - rc.top);
  EXPECT_EQ(150, m_manager->InitialSize().cx);
  m_manager->SetCaptionArea(RECT{0, 0, 0, 30});
  m_manager->SetSizeBox(RECT{4, 4, 6, 6});
  m_manager->SetRoundCorner(5, 7);
  m_manager->SetMinTrackSize(100, 50);
  m_manager->SetMaxTrackSize(800, 600);
  m_manager->SetShowDirty(true);
  m_manager->SetLayeredBackground(true);
  EXPECT_EQ(30, m_manager->CaptionArea().bottom);
  EXPECT_EQ(6, m_manager->SizeBox().right);
  EXPECT_EQ(7, m_manager->RoundCorner().cy);
  EXPECT_EQ(50, m_manager->MinTrackSize().cy);
  EXPECT_EQ(800, m_manager->MaxTrackSize().cx);
  EXPECT_TRUE(m_manager->IsShowDirty());
  EXPECT_TRUE(m_manager->IsLayeredBackground());
  EXPECT_EQ(m_hWnd, m_manager->GetPaintWindow());
  EXPECT_NE(nullptr, m_manager->GetPaintDC());
}

}  // namespace

// Lists in a window built from skin XML: selection by mouse and keyboard with its notifications,
// item bookkeeping on removal, header dragging, the column limit, and column clipping by pixel.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "Control/UIList.h"
#include "Core/UIScrollBar.h"
#include "LabelHarness.h"
#include "support/WideString.h"

using namespace SkinUI;
using namespace ControlTest;
using Drive::MouseButton;

namespace {

// Records type, sender and both parameters of every notification.
struct Selections : INotifyUI {
  struct Entry {
    WString type;
    CControlUI* sender;
    long w;
    long l;
    bool operator==(const Entry&) const = default;
  };
  void Receive(TNotifyMsg& msg) override {
    const WString type(msg.sType.GetData());
    if (type == TEXT("setfocus") || type == TEXT("killfocus")) return;
    seen.push_back(
        {type, msg.pSender, static_cast<long>(msg.wParam), static_cast<long>(msg.lParam)});
  }
  std::vector<Entry> seen;
};

void PrintTo(const Selections::Entry& e, std::ostream* os) {
  *os << std::string(e.type.begin(), e.type.end()) << "(" << e.w << "," << e.l << ")";
}

// A 240x100 list: a 20-pixel header of three 80-pixel columns over five 20-pixel rows (the
// body shows four of them).
const WCHAR* const kSkin = TEXT("<Window size=\"240,100\"><VerticalLayout>")
    TEXT("<List name=\"list\" vscrollbar=\"true\" itembkcolor=\"#FFFFFFFF\" ")
        TEXT("itemselectedbkcolor=\"#FF0000FF\" itemhotbkcolor=\"#FFFFFFFF\">")
            TEXT("<ListHeader height=\"20\">")
                TEXT("<ListHeaderItem name=\"h0\" width=\"80\" text=\"A\"/>")
                    TEXT("<ListHeaderItem name=\"h1\" width=\"80\" text=\"B\"/>")
                        TEXT("<ListHeaderItem name=\"h2\" width=\"80\" text=\"C\"/>")
                            TEXT("</ListHeader>") TEXT(
                                "<ListTextElement name=\"i0\" height=\"20\"/><ListTextElement "
                                "name=\"i1\" height=\"20\"/>")
                                TEXT(
                                    "<ListTextElement name=\"i2\" height=\"20\"/><ListTextElement "
                                    "name=\"i3\" height=\"20\"/>")
                                    TEXT("<ListTextElement name=\"i4\" height=\"20\"/>")
                                        TEXT("</List></VerticalLayout></Window>");

class Lists : public ControlFixture {
 protected:
  void SetUp() override {
    ControlFixture::SetUp();
    ASSERT_TRUE(w.Open(kSkin, 240, 100));
    list = static_cast<CListUI*>(w.Find(TEXT("list")));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->GetCount(), 5);
    w.Manager().AddListener(&notes);
  }
  void TearDown() override {
    w.Manager().RemoveListener(&notes);
    ControlFixture::TearDown();
  }

  CControlUI* Item(int i) { return list->GetItemAt(i); }
  void ClickItem(int i) {
    const RECT rc = Item(i)->GetPos();
    Drive::Click((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    w.Settle();
  }
  void Press(WORD vk) {
    Drive::Key(vk, true);
    Drive::Key(vk, false);
    w.Settle();
  }
  std::vector<Selections::Entry> Selects() const {
    std::vector<Selections::Entry> out;
    for (const auto& e : notes.seen)
      if (e.type == TEXT("itemselect")) out.push_back(e);
    return out;
  }

  SkinWindow w;
  CListUI* list = nullptr;
  Selections notes;
};

TEST_F(Lists, ClickSendsItemClickThenItemSelectAndDownMovesOn) {
  ClickItem(2);
  using E = Selections::Entry;
  EXPECT_EQ(notes.seen, (std::vector<E>{{TEXT("itemclick"), Item(2), 0, 0},
                                        {TEXT("itemselect"), list, 2, -1}}));
  notes.seen.clear();
  Press(VK_DOWN);
  EXPECT_EQ(notes.seen, (std::vector<E>{{TEXT("itemselect"), list, 3, 2}}));
  EXPECT_EQ(list->GetCurSel(), 3);
  auto* item2 = static_cast<IListItemUI*>(Item(2)->GetInterfaceByName(TEXT("ListItem")));
  auto* item3 = static_cast<IListItemUI*>(Item(3)->GetInterfaceByName(TEXT("ListItem")));
  EXPECT_FALSE(item2->IsItemSelected());
  EXPECT_TRUE(item3->IsItemSelected());
}

TEST_F(Lists, KeysMoveTheSelectionAndKeepItOnTheEnds) {
  ClickItem(1);
  struct Step {
    WORD vk;
    int selected;
  };
  // Down on the last item and Up on the first keep the selection where it is.
  const Step steps[] = {{VK_END, 4}, {VK_DOWN, 4}, {VK_HOME, 0}, {VK_UP, 0}, {VK_DOWN, 1}};
  for (const Step& step : steps) {
    Press(step.vk);
    EXPECT_EQ(list->GetCurSel(), step.selected) << "after key " << step.vk;
  }
  // Selecting the last row scrolled it into view; Home scrolled back.
  Press(VK_END);
  EXPECT_GT(list->GetScrollPos().cy, 0);
  EXPECT_LE(Item(4)->GetPos().bottom, list->GetBody()->GetPos().bottom);
  Press(VK_HOME);
  EXPECT_EQ(list->GetScrollPos().cy, 0);
  Press(VK_NEXT);
  EXPECT_EQ(list->GetScrollPos().cy, list->GetScrollRange().cy);
  Press(VK_PRIOR);
  EXPECT_EQ(list->GetScrollPos().cy, 0);
  EXPECT_EQ(list->GetCurSel(), 0);  // paging scrolls, it does not select
}

TEST_F(Lists, ReturnActivatesTheSelectedItem) {
  ClickItem(1);
  notes.seen.clear();
  Press(VK_RETURN);
  ASSERT_EQ(notes.seen.size(), 1u);
  EXPECT_EQ(notes.seen[0].type, TEXT("itemactivate"));
  EXPECT_EQ(notes.seen[0].sender, Item(1));
}

TEST_F(Lists, RemovingItemsRenumbersAndKeepsTheSelectionValid) {
  auto index = [&](int i) {
    return static_cast<IListItemUI*>(Item(i)->GetInterfaceByName(TEXT("ListItem")))->GetIndex();
  };
  CControlUI* third = Item(3);
  ASSERT_TRUE(list->SelectItem(3));
  ASSERT_TRUE(list->RemoveAt(0));  // before the selection: it follows its item
  EXPECT_EQ(list->GetCurSel(), 2);
  EXPECT_EQ(Item(2), third);
  for (int i = 0; i < list->GetCount(); i++) EXPECT_EQ(index(i), i);

  // The selected item goes: the one that takes its place is selected.
  CControlUI* next = Item(3);
  ASSERT_TRUE(list->Remove(third));
  EXPECT_EQ(list->GetCurSel(), 2);
  EXPECT_EQ(Item(2), next);
  EXPECT_TRUE(
      static_cast<IListItemUI*>(next->GetInterfaceByName(TEXT("ListItem")))->IsItemSelected());

  // The selected last item goes: the new last one is selected.
  ASSERT_TRUE(list->RemoveAt(2));
  EXPECT_EQ(list->GetCurSel(), 1);
  EXPECT_EQ(list->GetCount(), 2);

  list->RemoveAll();
  EXPECT_EQ(list->GetCurSel(), -1);
  EXPECT_FALSE(list->SelectItem(0));
}

TEST_F(Lists, InsertAndMoveKeepTheSelectionOnItsItem) {
  ASSERT_TRUE(list->SelectItem(2));
  CControlUI* selected = Item(2);
  auto* added = new CListTextElementUI;
  ASSERT_TRUE(list->AddAt(added, 0));
  EXPECT_EQ(list->GetCurSel(), 3);
  EXPECT_EQ(static_cast<IListItemUI*>(added)->GetIndex(), 0);
  EXPECT_EQ(static_cast<IListItemUI*>(added)->GetOwner(), static_cast<IListOwnerUI*>(list));
  ASSERT_TRUE(list->SetItemIndex(selected, 5));
  EXPECT_EQ(list->GetCurSel(), 5);
  EXPECT_EQ(Item(5), selected);
  CListTextElementUI stray;
  EXPECT_FALSE(list->AddAt(&stray, 99));
  EXPECT_EQ(list->GetCount(), 6);
}

TEST_F(Lists, BadSelectionsChangeNothing) {
  ASSERT_TRUE(list->SelectItem(1));
  EXPECT_FALSE(list->SelectItem(7));
  EXPECT_EQ(list->GetCurSel(), 1);
  Item(2)->SetEnabled(false);
  EXPECT_FALSE(list->SelectItem(2));
  EXPECT_EQ(list->GetCurSel(), 1);
  EXPECT_FALSE(list->SelectItem(-1));  // a negative index clears
  EXPECT_EQ(list->GetCurSel(), -1);
  ASSERT_TRUE(list->SelectItem(3));
  Item(3)->SetVisible(false);  // a hidden selected item gives up the selection
  EXPECT_EQ(list->GetCurSel(), -1);
}

TEST_F(Lists, HeaderDragResizesButNotBelowTheMinimumWidth) {
  CControlUI* h0 = w.Find(TEXT("h0"));
  const RECT rc = h0->GetPos();
  const int y = (rc.top + rc.bottom) / 2;
  // Grab the separator at the right edge and drag it 70 pixels left: 10 < 16, refused.
  Drive::MoveMouse(rc.right - 2, y);
  Drive::Button(MouseButton::Left, true);
  Drive::MoveMouse(rc.right - 72, y);
  w.Settle();
  EXPECT_EQ(h0->GetWidth(), 80);
  Drive::MoveMouse(rc.right - 22, y);
  Drive::Button(MouseButton::Left, false);
  w.Settle();
  EXPECT_EQ(h0->GetWidth(), 60);
  const TListInfoUI* info = list->GetListInfo();
  EXPECT_EQ(info->rcColumn[0].right, rc.left + 60);
  EXPECT_EQ(info->rcColumn[1].left, rc.left + 60);
  // A click away from the separator is a header click, not a drag.
  notes.seen.clear();
  Drive::Click(rc.left + 10, y);
  w.Settle();
  ASSERT_EQ(notes.seen.size(), 1u);
  EXPECT_EQ(notes.seen[0].type, TEXT("headerclick"));
  EXPECT_EQ(h0->GetWidth(), 60);
}

TEST_F(Lists, FortyHeaderItemsKeepThirtyTwoColumns) {
  for (int i = 0; i < 37; i++) {
    auto* header = new CListHeaderItemUI;
    header->SetFixedWidth(20);
    ASSERT_TRUE(list->Add(header));
  }
  w.Settle();
  EXPECT_EQ(list->GetHeader()->GetCount(), 40);
  const TListInfoUI* info = list->GetListInfo();
  EXPECT_EQ(info->nColumns, 32);
  const RECT last = list->GetHeader()->GetItemAt(31)->GetPos();
  EXPECT_EQ(info->rcColumn[31].left, last.left);
  EXPECT_EQ(info->rcColumn[31].right, last.right);
  EXPECT_GT(list->GetHeader()->GetItemAt(39)->GetPos().right, last.right);
  EXPECT_EQ(list->GetCount(), 5);  // header items never land among the rows
}

TEST_F(Lists, AlternateBackgroundLeavesOddRowsUncoloured) {
  list->ApplyAttribute(TEXT("itemaltbk"), TEXT("true"));
  list->ApplyAttribute(TEXT("bkcolor"), TEXT("#FF00FF00"));
  w.Settle();
  for (int i = 0; i < 4; i++) {
    const RECT rc = Item(i)->GetPos();
    const uint32_t expected = (i % 2 == 0) ? 0xFFFFFFFF : 0xFF00FF00;
    EXPECT_EQ(w.Pixel(rc.right - 30, rc.top + 10), expected) << "row " << i;
  }
}

// A wide list scrolled sideways: the columns follow the scroll, and a long text stays inside
// its own column.
TEST_F(ControlFixture, ListTextClipsToItsColumnWhenScrolledSideways) {
  SkinWindow w;
  const WString xml = TEXT("<Window size=\"150,80\"><VerticalLayout>")
      TEXT("<List name=\"list\" hscrollbar=\"true\" bkcolor=\"#FFFFFFFF\" ")
          TEXT("itemtextcolor=\"#FFFF0000\">") TEXT("<ListHeader height=\"20\">")
              TEXT("<ListHeaderItem width=\"100\"/><ListHeaderItem width=\"100\"/>")
                  TEXT("</ListHeader>") TEXT("<ListTextElement name=\"row\" height=\"20\"/>")
                      TEXT("</List></VerticalLayout></Window>");
  ASSERT_TRUE(w.Open(xml, 150, 80));
  auto* list = static_cast<CListUI*>(w.Find(TEXT("list")));
  auto* row = static_cast<CListTextElementUI*>(w.Find(TEXT("row")));
  ASSERT_TRUE(list && row);
  row->SetText(0, TEXT("MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM"));
  ASSERT_NE(list->GetHorizontalScrollBar(), nullptr);
  EXPECT_EQ(list->GetScrollRange().cx, 50);
  list->SetScrollPos(SIZE{40, 0});
  w.Settle();
  const TListInfoUI* info = list->GetListInfo();
  EXPECT_EQ(info->rcColumn[0].left, -40);
  EXPECT_EQ(info->rcColumn[1].left, 60);
  const RECT rc = row->GetPos();
  auto reddish = [&](int x0, int x1) {
    int n = 0;
    for (int x = x0; x < x1; x++)
      for (int y = rc.top; y < rc.bottom; y++)
        if (w.Pixel(x, y) != 0xFFFFFFFF) n++;
    return n;
  };
  EXPECT_GT(reddish(0, 60), 0);
  EXPECT_EQ(reddish(60, 150), 0);
}

}  // namespace

namespace {

// Answers "r<row>c<column>" and records what it was asked.
struct Provider : IListTextProviderUI {
  LPCWSTR GetItemText(CControlUI*, int iIndex, int iSubItem) override {
    asked.push_back({iIndex, iSubItem});
    text =
        TEXT("r") + WString(1, TEXT('0') + iIndex) + TEXT("c") + WString(1, TEXT('0') + iSubItem);
    return text.c_str();
  }
  std::vector<std::pair<int, int>> asked;
  WString text;
};

TEST_F(Lists, TheTextProviderIsAskedForEveryColumnOfEveryPaintedRow) {
  Provider provider;
  list->SetTextProvider(&provider);
  w.Settle();
  list->SetTextProvider(nullptr);
  // Rows 0 to 3 show in the body; row 4 is scrolled out of the paint.
  for (int row = 0; row < 4; row++)
    for (int column = 0; column < 3; column++)
      EXPECT_NE(
          std::find(provider.asked.begin(), provider.asked.end(), std::make_pair(row, column)),
          provider.asked.end())
          << row << "," << column;
  for (const auto& call : provider.asked) EXPECT_LT(call.second, 3);
}

TEST_F(Lists, AHiddenHeaderStillGivesTheColumnsTheirWidths) {
  list->ApplyAttribute(TEXT("header"), TEXT("hidden"));
  w.Settle();
  EXPECT_FALSE(list->GetHeader()->IsVisible());
  const TListInfoUI* info = list->GetListInfo();
  ASSERT_EQ(info->nColumns, 3);
  for (int i = 0; i < 3; i++) {
    EXPECT_EQ(info->rcColumn[i].left, 80 * i);
    EXPECT_EQ(info->rcColumn[i].right, 80 * (i + 1));
  }
  EXPECT_EQ(Item(0)->GetPos().top, 0);  // the rows take the header's place
  EXPECT_FALSE(list->GetHeader()->GetItemAt(0)->IsVisible());
}

TEST_F(Lists, ExpandingIsRefusedByPlainElements) {
  EXPECT_TRUE(list->ExpandItem(1));  // the element does not expand
  EXPECT_EQ(list->GetExpandedItem(), -1);
  EXPECT_FALSE(list->ExpandItem(9));
}

}  // namespace

namespace {

// Container rows hold any controls; a click anywhere on one selects it.
TEST_F(ControlFixture, ContainerRowsAreSelectedByAClickOnTheirContent) {
  SkinWindow w;
  const WString xml = TEXT("<Window size=\"200,100\"><VerticalLayout>")
      TEXT("<List name=\"list\" itemselectedbkcolor=\"#FF0000FF\">")
          TEXT("<ListContainerElement name=\"a\" height=\"30\"><Control mouse=\"false\"/>")
              TEXT("</ListContainerElement>")
                  TEXT("<ListContainerElement name=\"b\" height=\"30\"><Control mouse=\"false\"/>")
                      TEXT("</ListContainerElement>") TEXT("</List></VerticalLayout></Window>");
  ASSERT_TRUE(w.Open(xml, 200, 100));
  auto* list = static_cast<CListUI*>(w.Find(TEXT("list")));
  CControlUI* b = w.Find(TEXT("b"));
  ASSERT_TRUE(list && b);
  const RECT rc = b->GetPos();
  Drive::Click(rc.left + 20, rc.top + 15);
  w.Settle();
  EXPECT_EQ(list->GetCurSel(), 1);
  EXPECT_EQ(w.NotesOf(TEXT("itemclick")).size(), 1u);
  EXPECT_EQ(w.Pixel(rc.right - 5, rc.top + 5), 0xFF0000FFu);
}

}  // namespace

namespace {

// Rich text in a text row: its links are collected across the columns and a release over one
// reports it.
TEST_F(Lists, ARowLinkIsReportedWhenReleasedOverIt) {
  list->ApplyAttribute(TEXT("itemshowhtml"), TEXT("true"));
  auto* row = static_cast<CListTextElementUI*>(Item(1));
  row->SetText(0, TEXT("{a first}one{/a}"));
  row->SetText(2, TEXT("x {a second}two{/a}"));
  w.Settle();
  ASSERT_EQ(row->GetLinkCount(), 2);
  const RECT link = row->GetLinkRect(1);
  EXPECT_GE(link.left, list->GetListInfo()->rcColumn[2].left);
  notes.seen.clear();
  Drive::Click((link.left + link.right) / 2, (link.top + link.bottom) / 2);
  w.Settle();
  using E = Selections::Entry;
  EXPECT_EQ(notes.seen, (std::vector<E>{{TEXT("itemclick"), row, 0, 0},
                                        {TEXT("itemselect"), list, 1, -1},
                                        {TEXT("link"), row, 1, 0}}));
}

}  // namespace

namespace {

// The wheel scrolls the rows, or with "scrollselect" moves the selection instead.
TEST_F(Lists, TheWheelScrollsOrMovesTheSelection) {
  const RECT rc = Item(1)->GetPos();
  Drive::MoveMouse(rc.left + 20, rc.top + 5);
  Drive::Wheel(-120);
  w.Settle();
  EXPECT_GT(list->GetScrollPos().cy, 0);
  EXPECT_EQ(list->GetCurSel(), -1);

  list->SetScrollPos(SIZE{0, 0});
  list->ApplyAttribute(TEXT("scrollselect"), TEXT("true"));
  ASSERT_TRUE(list->SelectItem(1));
  Drive::Wheel(-120);
  w.Settle();
  EXPECT_EQ(list->GetCurSel(), 2);
  Drive::Wheel(120);
  w.Settle();
  EXPECT_EQ(list->GetCurSel(), 1);
}

}  // namespace

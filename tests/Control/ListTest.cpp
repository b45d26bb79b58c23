// Lists in a window built from skin XML: selection by mouse and keyboard with its notifications,
// item bookkeeping on removal, header dragging, the column limit, and column clipping by pixel.
#include <string>
#include <vector>

#include "Control/UIList.h"
#include "Core/UIScrollBar.h"
#include "LabelHarness.h"

using namespace SkinUI;
using namespace ControlTest;
using Platform::MouseButton;

namespace {

// Records type, sender and both parameters of every notification.
struct Selections : INotifyUI {
  struct Entry {
    std::u16string type;
    CControlUI* sender;
    long w;
    long l;
    bool operator==(const Entry&) const = default;
  };
  void Receive(TNotifyMsg& msg) override {
    const std::u16string type(msg.sType.GetData());
    if (type == u"setfocus" || type == u"killfocus") return;
    seen.push_back({type, msg.pSender, static_cast<long>(msg.wParam),
                    static_cast<long>(msg.lParam)});
  }
  std::vector<Entry> seen;
};

void PrintTo(const Selections::Entry& e, std::ostream* os) {
  *os << std::string(e.type.begin(), e.type.end()) << "(" << e.w << "," << e.l << ")";
}

// A 240x100 list: a 20-pixel header of three 80-pixel columns over five 20-pixel rows (the
// body shows four of them).
const char16_t* const kSkin =
    u"<Window size=\"240,100\"><VerticalLayout>"
    u"<List name=\"list\" vscrollbar=\"true\" itembkcolor=\"#FFFFFFFF\" "
    u"itemselectedbkcolor=\"#FF0000FF\" itemhotbkcolor=\"#FFFFFFFF\">"
    u"<ListHeader height=\"20\">"
    u"<ListHeaderItem name=\"h0\" width=\"80\" text=\"A\"/>"
    u"<ListHeaderItem name=\"h1\" width=\"80\" text=\"B\"/>"
    u"<ListHeaderItem name=\"h2\" width=\"80\" text=\"C\"/>"
    u"</ListHeader>"
    u"<ListTextElement name=\"i0\" height=\"20\"/><ListTextElement name=\"i1\" height=\"20\"/>"
    u"<ListTextElement name=\"i2\" height=\"20\"/><ListTextElement name=\"i3\" height=\"20\"/>"
    u"<ListTextElement name=\"i4\" height=\"20\"/>"
    u"</List></VerticalLayout></Window>";

class Lists : public ControlFixture {
 protected:
  void SetUp() override {
    ControlFixture::SetUp();
    ASSERT_TRUE(w.Open(kSkin, 240, 100));
    list = static_cast<CListUI*>(w.Find(u"list"));
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
    Platform::Headless::Click((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    w.Settle();
  }
  void Press(WORD vk) {
    Platform::Headless::Key(vk, true);
    Platform::Headless::Key(vk, false);
    w.Settle();
  }
  std::vector<Selections::Entry> Selects() const {
    std::vector<Selections::Entry> out;
    for (const auto& e : notes.seen)
      if (e.type == u"itemselect") out.push_back(e);
    return out;
  }

  SkinWindow w;
  CListUI* list = nullptr;
  Selections notes;
};

TEST_F(Lists, ClickSendsItemClickThenItemSelectAndDownMovesOn) {
  ClickItem(2);
  using E = Selections::Entry;
  EXPECT_EQ(notes.seen, (std::vector<E>{{u"itemclick", Item(2), 0, 0},
                                        {u"itemselect", list, 2, -1}}));
  notes.seen.clear();
  Press(VK_DOWN);
  EXPECT_EQ(notes.seen, (std::vector<E>{{u"itemselect", list, 3, 2}}));
  EXPECT_EQ(list->GetCurSel(), 3);
  auto* item2 = static_cast<IListItemUI*>(Item(2)->GetInterfaceByName(u"ListItem"));
  auto* item3 = static_cast<IListItemUI*>(Item(3)->GetInterfaceByName(u"ListItem"));
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

TEST_F(Lists, ReturnAndDoubleClickActivateTheItem) {
  ClickItem(1);
  notes.seen.clear();
  Press(VK_RETURN);
  ASSERT_EQ(notes.seen.size(), 1u);
  EXPECT_EQ(notes.seen[0].type, u"itemactivate");
  EXPECT_EQ(notes.seen[0].sender, Item(1));
}

TEST_F(Lists, RemovingItemsRenumbersAndKeepsTheSelectionValid) {
  auto index = [&](int i) {
    return static_cast<IListItemUI*>(Item(i)->GetInterfaceByName(u"ListItem"))->GetIndex();
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
  EXPECT_TRUE(static_cast<IListItemUI*>(next->GetInterfaceByName(u"ListItem"))->IsItemSelected());

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
  CControlUI* h0 = w.Find(u"h0");
  const RECT rc = h0->GetPos();
  const int y = (rc.top + rc.bottom) / 2;
  // Grab the separator at the right edge and drag it 70 pixels left: 10 < 16, refused.
  Platform::Headless::MoveMouse(rc.right - 2, y);
  Platform::Headless::Button(MouseButton::Left, true);
  Platform::Headless::MoveMouse(rc.right - 72, y);
  w.Settle();
  EXPECT_EQ(h0->GetWidth(), 80);
  Platform::Headless::MoveMouse(rc.right - 22, y);
  Platform::Headless::Button(MouseButton::Left, false);
  w.Settle();
  EXPECT_EQ(h0->GetWidth(), 60);
  const TListInfoUI* info = list->GetListInfo();
  EXPECT_EQ(info->rcColumn[0].right, rc.left + 60);
  EXPECT_EQ(info->rcColumn[1].left, rc.left + 60);
  // A click away from the separator is a header click, not a drag.
  notes.seen.clear();
  Platform::Headless::Click(rc.left + 10, y);
  w.Settle();
  ASSERT_EQ(notes.seen.size(), 1u);
  EXPECT_EQ(notes.seen[0].type, u"headerclick");
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
  list->ApplyAttribute(u"itemaltbk", u"true");
  list->ApplyAttribute(u"bkcolor", u"#FF00FF00");
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
  const std::u16string xml =
      u"<Window size=\"150,80\"><VerticalLayout>"
      u"<List name=\"list\" hscrollbar=\"true\" bkcolor=\"#FFFFFFFF\" "
      u"itemtextcolor=\"#FFFF0000\">"
      u"<ListHeader height=\"20\">"
      u"<ListHeaderItem width=\"100\"/><ListHeaderItem width=\"100\"/>"
      u"</ListHeader>"
      u"<ListTextElement name=\"row\" height=\"20\"/>"
      u"</List></VerticalLayout></Window>";
  ASSERT_TRUE(w.Open(xml, 150, 80));
  auto* list = static_cast<CListUI*>(w.Find(u"list"));
  auto* row = static_cast<CListTextElementUI*>(w.Find(u"row"));
  ASSERT_TRUE(list && row);
  row->SetText(0, u"MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM");
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

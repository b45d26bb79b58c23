// The control base's attribute lists and value syntax, its sizing setters, its default event
// reaction and its delegates.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Core/UIControl.h"
#include "ManagerPaintTestWindow.h"
#include "support/WideString.h"

using SkinUI::CControlUI;
using SkinUI::TUIEvent;

namespace {

struct ValueCase {
  LPCWSTR name;
  LPCWSTR value;
  DWORD (*read)(const CControlUI&);
  DWORD expected;
};

DWORD Bk(const CControlUI& c) { return c.GetBkColor(); }
DWORD Bk2(const CControlUI& c) { return c.GetBkColor2(); }
DWORD Border(const CControlUI& c) { return c.GetBorderColor(); }
DWORD FocusBorder(const CControlUI& c) { return c.GetFocusBorderColor(); }
DWORD BorderSize(const CControlUI& c) { return static_cast<DWORD>(c.GetBorderSize()); }
DWORD Visible(const CControlUI& c) { return c.IsVisible(); }
DWORD Mouse(const CControlUI& c) { return c.IsMouseEnabled(); }
DWORD Shortcut(const CControlUI& c) { return c.GetShortcut(); }
DWORD MinWidth(const CControlUI& c) { return static_cast<DWORD>(c.GetMinWidth()); }

TEST(ControlAttributes, ValuesReadByKind) {
  const ValueCase cases[] = {
      {TEXT("bkcolor"), TEXT("#FFFFFFFF"), Bk, 0xFFFFFFFF},
      {TEXT("bkcolor"), TEXT("FF00FF00"), Bk, 0xFF00FF00},
      {TEXT("bkcolor"), TEXT("  #80FF0000"), Bk, 0x80FF0000},  // leading codes 1-32 skipped
      {TEXT("bkcolor"), TEXT("\t\x01#FF000001"), Bk, 0xFF000001},
      {TEXT("bkcolor"), TEXT("#00FF00"), Bk, 0x0000FF00},     // six digits: alpha 0
      {TEXT("bkcolor"), TEXT("#100000000"), Bk, 0xFFFFFFFF},  // clamped
      {TEXT("bkcolor1"), TEXT("#FF010203"), Bk, 0xFF010203},
      {TEXT("bkcolor2"), TEXT("#FF040506"), Bk2, 0xFF040506},
      {TEXT("bordercolor"), TEXT("#FF112233"), Border, 0xFF112233},
      {TEXT("bordercolor"), TEXT(" #FF112233"), Border, 0},  // no white space skipped here
      {TEXT("focusbordercolor"), TEXT("FFABCDEF"), FocusBorder, 0xFFABCDEF},
      {TEXT("bordersize"), TEXT("  3"), BorderSize, 3},
      {TEXT("bordersize"), TEXT("-2px"), BorderSize, static_cast<DWORD>(-2)},
      {TEXT("bordersize"), TEXT("px"), BorderSize, 0},
      {TEXT("minwidth"), TEXT("-5"), MinWidth, 0},  // negative limits are ignored
      {TEXT("visible"), TEXT("True"), Visible, 0},  // only exactly "true" is true
      {TEXT("visible"), TEXT("1"), Visible, 0},
      {TEXT("mouse"), TEXT("false"), Mouse, 0},
      {TEXT("shortcut"), TEXT("Xy"), Shortcut, TEXT('X')},
      {TEXT("shortcut"), TEXT(""), Shortcut, 0},
  };
  for (const ValueCase& c : cases) {
    CControlUI control;
    control.ApplyAttribute(c.name, c.value);
    EXPECT_EQ(c.read(control), c.expected) << std::string(c.name, c.name + WString(c.name).size());
  }
}

TEST(ControlAttributes, NumberListsAndPos) {
  struct Case {
    LPCWSTR list;
    SIZE xy;
    SIZE fixed;
    RECT padding;
    SIZE round;
  };
  const Case cases[] = {
      {TEXT("pos=\"58,110,0,0\""), {58, 110}, {0, 0}, {0, 0, 0, 0}, {0, 0}},
      {TEXT("pos=\"58,110,0,0\" width=\"378\" height=\"32\""), {58, 110}, {378, 32}, {}, {}},
      {TEXT("pos=\"-20,-30,-10,-5\""), {-10, -5}, {10, 25}, {}, {}},
      {TEXT("pos=\"10,20,40,60\""), {10, 20}, {30, 40}, {}, {}},
      // Lists that end early read the missing numbers as 0.
      {TEXT("pos=\"10,20\""), {10, 20}, {0, 0}, {}, {}},
      {TEXT("padding=\"1,2\""), {0, 0}, {0, 0}, {1, 2, 0, 0}, {}},
      {TEXT("padding=\"1,2,3,4,5\""), {}, {}, {1, 2, 3, 4}, {}},
      {TEXT("padding=\"1;2;3;4\""), {}, {}, {1, 2, 3, 4}, {}},  // any one separator
      {TEXT("borderround=\"4\""), {}, {}, {}, {4, 0}},
      {TEXT("borderround=\"\""), {}, {}, {}, {0, 0}},
  };
  for (const Case& c : cases) {
    CControlUI control;
    control.ApplyAttributes(c.list);
    const std::string label(c.list, c.list + WString(c.list).size());
    EXPECT_EQ(control.GetFixedXY().cx, c.xy.cx) << label;
    EXPECT_EQ(control.GetFixedXY().cy, c.xy.cy) << label;
    EXPECT_EQ(control.GetFixedWidth(), c.fixed.cx) << label;
    EXPECT_EQ(control.GetFixedHeight(), c.fixed.cy) << label;
    const RECT p = control.GetPadding();
    EXPECT_TRUE(p.left == c.padding.left && p.top == c.padding.top && p.right == c.padding.right &&
                p.bottom == c.padding.bottom)
        << label;
    EXPECT_EQ(control.GetBorderRound().cx, c.round.cx) << label;
    EXPECT_EQ(control.GetBorderRound().cy, c.round.cy) << label;
    EXPECT_EQ(control.MeasureSize(SIZE{500, 500}).cx, c.fixed.cx) << label;
  }
}

TEST(ControlAttributes, ListSyntaxStopsAtTheFirstMalformedSpot) {
  struct Case {
    LPCWSTR list;
    LPCWSTR name;
    LPCWSTR text;
  };
  const Case cases[] = {
      {TEXT("name=\"a\" text=\"b\""), TEXT("a"), TEXT("b")},
      {TEXT("name=\"a\"text=\"b\""), TEXT("a"), TEXT("")},    // no space: only the first
      {TEXT("name=\"a\"  text=\"b\""), TEXT("a"), TEXT("")},  // second name is " text"
      {TEXT("name=\"a\"  text=\"b\" tooltip=\"t\""), TEXT("a"), TEXT("")},
      {TEXT("name=a text=\"b\""), TEXT(""), TEXT("")},     // value not quoted
      {TEXT("name=\"a\" text=\"b"), TEXT("a"), TEXT("")},  // value not closed
      {TEXT("name \"a\""), TEXT(""), TEXT("")},
      {TEXT("name=\"x=y\" text=\"\""), TEXT("x=y"), TEXT("")},
      {TEXT("name=\"a\" "), TEXT("a"), TEXT("")},
      {TEXT(""), TEXT(""), TEXT("")},
      {TEXT("text=\"\xD83D\xDE00\" name=\"\xD83D\xDE01\""), TEXT("\xD83D\xDE01"),
       TEXT("\xD83D\xDE00")},
  };
  for (const Case& c : cases) {
    CControlUI control;
    control.ApplyAttributes(c.list);
    const std::string label(c.list, c.list + WString(c.list).size());
    EXPECT_EQ(WString(control.GetName().GetData()), WString(c.name)) << label;
    EXPECT_EQ(WString(control.GetText().GetData()), WString(c.text)) << label;
  }
  CControlUI control;
  control.ApplyAttributes(nullptr);
  control.ApplyAttributes(TEXT("name=\"a\"  tooltip=\"t\""));
  EXPECT_TRUE(control.GetToolTip().IsEmpty());
}

TEST(ControlAttributes, RelativePosAndFloat) {
  CControlUI control;
  control.ApplyAttributes(TEXT("float=\"true\" relativepos=\"50,25,10,20\""));
  EXPECT_TRUE(control.IsFloat());
  ASSERT_TRUE(control.IsRelativePos());
  const SkinUI::TRelativePosUI rel = control.GetRelativePos();
  EXPECT_EQ(rel.nMoveXPercent, 50);
  EXPECT_EQ(rel.nMoveYPercent, 25);
  EXPECT_EQ(rel.nZoomXPercent, 10);
  EXPECT_EQ(rel.nZoomYPercent, 20);
}

// --- Events and delegates -----------------------------------------------------------------------

class ParentRecorder : public SkinUI::CContainerUI {
 public:
  std::vector<int> seen;
  void HandleEvent(TUIEvent& event) override { seen.push_back(event.Type); }
};

TEST(ControlEvents, UnhandledEventsBubbleAndMenuAndTimerNotify) {
  SkinUITest::TreeWindow w;
  w.Open(100, 100);
  auto* root = new ParentRecorder;
  auto* child = new CControlUI;
  root->Add(child);
  w.pm.AttachRoot(root);

  TUIEvent menu;
  menu.Type = SkinUI::EventContextMenu;
  menu.wParam = 7;
  child->DispatchEvent(menu);
  EXPECT_EQ(root->seen, std::vector<int>{SkinUI::EventContextMenu});
  EXPECT_TRUE(w.notes.empty());

  child->ApplyAttributes(TEXT("menu=\"true\""));
  child->DispatchEvent(menu);
  TUIEvent timer;
  timer.Type = SkinUI::EventTimer;
  timer.wParam = 3;
  child->DispatchEvent(timer);
  TUIEvent button;
  button.Type = SkinUI::EventButtonDown;
  child->DispatchEvent(button);
  const std::vector<SkinUITest::Noted> expected = {{TEXT("menu"), child, 7},
                                                   {TEXT("timer"), child, 3}};
  EXPECT_EQ(w.notes, expected);
  EXPECT_EQ(root->seen, (std::vector<int>{SkinUI::EventContextMenu, SkinUI::EventButtonDown}));
}

TEST(ControlEvents, OneRefusingDelegateSwallowsTheEventButAllRun) {
  ParentRecorder root;
  auto* child = new CControlUI;
  root.Add(child);
  std::vector<int> order;
  child->OnEventDelegates.Add([&](TUIEvent&) {
    order.push_back(1);
    return false;
  });
  child->OnEventDelegates.Add([&](TUIEvent&) {
    order.push_back(2);
    return true;
  });
  TUIEvent event;
  event.Type = SkinUI::EventButtonDown;
  child->DispatchEvent(event);
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
  EXPECT_TRUE(root.seen.empty());
}

TEST(ControlEvents, InitAndDestroyDelegatesRunOnce) {
  int inits = 0, destroys = 0;
  {
    SkinUI::CContainerUI root;
    auto* child = new CControlUI;
    child->OnInitDelegates.Add([&](CControlUI*) {
      ++inits;
      return true;
    });
    child->OnDestroyDelegates.Add([&](CControlUI*) {
      ++destroys;
      return true;
    });
    child->AttachManager(nullptr, nullptr, true);  // no parent: no initialisation
    EXPECT_EQ(inits, 0);
    root.SetDeferredDelete(false);
    root.Add(child);
    child->AttachManager(nullptr, &root, true);
    EXPECT_EQ(inits, 1);
  }
  EXPECT_EQ(destroys, 1);
}

// --- Visibility and focus --------------------------------------------------------------------

class TabStop : public CControlUI {
 public:
  UINT GetInputFlags() const override { return SkinUI::UIFLAG_TABSTOP; }
};

TEST(ControlState, HidingTheFocusedControlClearsTheFocus) {
  SkinUITest::TreeWindow w;
  w.Open(100, 100);
  auto* root = new SkinUI::CContainerUI;
  auto* a = new TabStop;
  root->Add(a);
  w.pm.AttachRoot(root);
  w.Settle();
  a->SetFocus();
  ASSERT_EQ(w.pm.GetFocusControl(), a);
  a->SetVisible(true);  // unchanged: nothing at all, not even a relayout
  EXPECT_FALSE(w.pm.IsLayoutPending());
  EXPECT_EQ(w.pm.GetFocusControl(), a);
  a->ApplyAttributes(TEXT("visible=\"false\""));
  EXPECT_EQ(w.pm.GetFocusControl(), nullptr);
  EXPECT_FALSE(a->IsFocused());
  EXPECT_TRUE(w.pm.IsLayoutPending());

  // A hidden ancestor drops the focus of a descendant too.
  a->SetVisible(true);
  w.Settle();
  a->SetFocus();
  ASSERT_EQ(w.pm.GetFocusControl(), a);
  root->SetVisible(false);
  EXPECT_FALSE(a->IsVisible());
  EXPECT_EQ(w.pm.GetFocusControl(), nullptr);
}

}  // namespace

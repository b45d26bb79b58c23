// The control base's attribute lists and value syntax, its sizing setters, its default event
// reaction and its delegates.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Core/UIControl.h"
#include "ManagerPaintTestWindow.h"

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
      {u"bkcolor", u"#FFFFFFFF", Bk, 0xFFFFFFFF},
      {u"bkcolor", u"FF00FF00", Bk, 0xFF00FF00},
      {u"bkcolor", u"  #80FF0000", Bk, 0x80FF0000},  // leading codes 1-32 skipped
      {u"bkcolor", u"\t\x01#FF000001", Bk, 0xFF000001},
      {u"bkcolor", u"#00FF00", Bk, 0x0000FF00},     // six digits: alpha 0
      {u"bkcolor", u"#100000000", Bk, 0xFFFFFFFF},  // clamped
      {u"bkcolor1", u"#FF010203", Bk, 0xFF010203},
      {u"bkcolor2", u"#FF040506", Bk2, 0xFF040506},
      {u"bordercolor", u"#FF112233", Border, 0xFF112233},
      {u"bordercolor", u" #FF112233", Border, 0},  // no white space skipped here
      {u"focusbordercolor", u"FFABCDEF", FocusBorder, 0xFFABCDEF},
      {u"bordersize", u"  3", BorderSize, 3},
      {u"bordersize", u"-2px", BorderSize, static_cast<DWORD>(-2)},
      {u"bordersize", u"px", BorderSize, 0},
      {u"minwidth", u"-5", MinWidth, 0},  // negative limits are ignored
      {u"visible", u"True", Visible, 0},  // only exactly "true" is true
      {u"visible", u"1", Visible, 0},
      {u"mouse", u"false", Mouse, 0},
      {u"shortcut", u"Xy", Shortcut, u'X'},
      {u"shortcut", u"", Shortcut, 0},
  };
  for (const ValueCase& c : cases) {
    CControlUI control;
    control.ApplyAttribute(c.name, c.value);
    EXPECT_EQ(c.read(control), c.expected)
        << std::string(c.name, c.name + std::u16string(c.name).size());
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
      {u"pos=\"58,110,0,0\"", {58, 110}, {0, 0}, {0, 0, 0, 0}, {0, 0}},
      {u"pos=\"58,110,0,0\" width=\"378\" height=\"32\"", {58, 110}, {378, 32}, {}, {}},
      {u"pos=\"-20,-30,-10,-5\"", {-10, -5}, {10, 25}, {}, {}},
      {u"pos=\"10,20,40,60\"", {10, 20}, {30, 40}, {}, {}},
      // Lists that end early read the missing numbers as 0.
      {u"pos=\"10,20\"", {10, 20}, {0, 0}, {}, {}},
      {u"padding=\"1,2\"", {0, 0}, {0, 0}, {1, 2, 0, 0}, {}},
      {u"padding=\"1,2,3,4,5\"", {}, {}, {1, 2, 3, 4}, {}},
      {u"padding=\"1;2;3;4\"", {}, {}, {1, 2, 3, 4}, {}},  // any one separator
      {u"borderround=\"4\"", {}, {}, {}, {4, 0}},
      {u"borderround=\"\"", {}, {}, {}, {0, 0}},
  };
  for (const Case& c : cases) {
    CControlUI control;
    control.ApplyAttributes(c.list);
    const std::string label(c.list, c.list + std::u16string(c.list).size());
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
      {u"name=\"a\" text=\"b\"", u"a", u"b"},
      {u"name=\"a\"text=\"b\"", u"a", u""},    // no space: only the first
      {u"name=\"a\"  text=\"b\"", u"a", u""},  // second name is " text"
      {u"name=\"a\"  text=\"b\" tooltip=\"t\"", u"a", u""},
      {u"name=a text=\"b\"", u"", u""},     // value not quoted
      {u"name=\"a\" text=\"b", u"a", u""},  // value not closed
      {u"name \"a\"", u"", u""},
      {u"name=\"x=y\" text=\"\"", u"x=y", u""},
      {u"name=\"a\" ", u"a", u""},
      {u"", u"", u""},
      {u"text=\"\xD83D\xDE00\" name=\"\xD83D\xDE01\"", u"\xD83D\xDE01", u"\xD83D\xDE00"},
  };
  for (const Case& c : cases) {
    CControlUI control;
    control.ApplyAttributes(c.list);
    const std::string label(c.list, c.list + std::u16string(c.list).size());
    EXPECT_EQ(std::u16string(control.GetName().GetData()), std::u16string(c.name)) << label;
    EXPECT_EQ(std::u16string(control.GetText().GetData()), std::u16string(c.text)) << label;
  }
  CControlUI control;
  control.ApplyAttributes(nullptr);
  control.ApplyAttributes(u"name=\"a\"  tooltip=\"t\"");
  EXPECT_TRUE(control.GetToolTip().IsEmpty());
}

TEST(ControlAttributes, RelativePosAndFloat) {
  CControlUI control;
  control.ApplyAttributes(u"float=\"true\" relativepos=\"50,25,10,20\"");
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

  child->ApplyAttributes(u"menu=\"true\"");
  child->DispatchEvent(menu);
  TUIEvent timer;
  timer.Type = SkinUI::EventTimer;
  timer.wParam = 3;
  child->DispatchEvent(timer);
  TUIEvent button;
  button.Type = SkinUI::EventButtonDown;
  child->DispatchEvent(button);
  const std::vector<SkinUITest::Noted> expected = {{u"menu", child, 7}, {u"timer", child, 3}};
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
  a->ApplyAttributes(u"visible=\"false\"");
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

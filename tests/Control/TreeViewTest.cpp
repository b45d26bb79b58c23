// Tree views: indentation per depth, subtrees inserted at a row, collapsing and expanding,
// check boxes that follow their parent, and removal of nodes at any depth (run under ASan).
#include "Control/UITreeView.h"
#include "LabelHarness.h"
#include "support/WideString.h"

using namespace SkinUI;
using namespace ControlTest;

namespace {

// A view with rows: a(0) [a1(1) [a11(2) a12(3)] a2(4)] b(5).
class TreeView : public ControlFixture {
 protected:
  void SetUp() override {
    ControlFixture::SetUp();
    view = new CTreeViewUI();
    view->SetVisibleCheckBtn(true);
    ASSERT_TRUE(w.OpenWith(view, 300, 300));
    a = Node(TEXT("a"));
    a1 = Node(TEXT("a1"), a);
    a11 = Node(TEXT("a11"), a1);
    a12 = Node(TEXT("a12"), a1);
    a2 = Node(TEXT("a2"), a);
    b = Node(TEXT("b"));
    ASSERT_TRUE(view->AddNode(a));
    ASSERT_TRUE(view->AddNode(b));
    w.Settle();
  }
  static CTreeNodeUI* Node(const WCHAR* text, CTreeNodeUI* parent = nullptr) {
    auto* node = new CTreeNodeUI(parent);
    node->SetName(text);
    node->ApplyAttribute(TEXT("text"), text);
    if (parent != nullptr) {
      EXPECT_TRUE(parent->Add(node));
    }
    return node;
  }
  WString Rows() const {
    WString s;
    for (int i = 0; i < view->GetCount(); i++) {
      if (!s.empty()) s += TEXT(' ');
      s += view->GetItemAt(i)->GetName().GetData();
    }
    return s;
  }
  WString VisibleRows() const {
    WString s;
    for (int i = 0; i < view->GetCount(); i++) {
      if (!view->GetItemAt(i)->IsVisible()) continue;
      if (!s.empty()) s += TEXT(' ');
      s += view->GetItemAt(i)->GetName().GetData();
    }
    return s;
  }
  void Fold(CTreeNodeUI* node, bool collapsed) {
    node->GetFolderButton()->SetChecked(collapsed);
    w.Settle();
  }

  SkinWindow w;
  CTreeViewUI* view = nullptr;
  CTreeNodeUI *a = nullptr, *a1 = nullptr, *a11 = nullptr, *a12 = nullptr, *a2 = nullptr,
              *b = nullptr;
};

TEST_F(TreeView, EveryDepthIsIndentedSixteenMorePixels) {
  EXPECT_EQ(Rows(), TEXT("a a1 a11 a12 a2 b"));
  struct Row {
    CTreeNodeUI* node;
    bool lineVisible;
    int lineWidth;
    int level;
  };
  const Row rows[] = {{a, false, 2, 0}, {a1, true, 18, 1}, {a11, true, 34, 2}, {b, false, 2, 0}};
  for (const Row& r : rows) {
    EXPECT_EQ(r.node->GetDottedLine()->IsVisible(), r.lineVisible) << r.level;
    EXPECT_EQ(r.node->GetDottedLine()->GetFixedWidth(), r.lineWidth) << r.level;
    EXPECT_EQ(r.node->GetTreeLevel(), r.level);
    EXPECT_EQ(r.node->GetTreeView(), view);
  }
  // The item button starts after the line and the two 18-pixel buttons.
  const int left0 = a->GetItemButton()->GetPos().left - a->GetPos().left;
  const int left2 = a11->GetItemButton()->GetPos().left - a11->GetPos().left;
  EXPECT_EQ(left0, 36);
  EXPECT_EQ(left2 - left0, 34);
  EXPECT_EQ(a->GetPos().bottom - a->GetPos().top, 18);
  EXPECT_TRUE(a->HasChild());
  EXPECT_FALSE(a2->HasChild());
}

TEST_F(TreeView, InsertingASubtreeAtARowReturnsTheRowAfterIt) {
  CTreeNodeUI* c = Node(TEXT("c"));
  Node(TEXT("c1"), c);
  CTreeNodeUI* c2 = Node(TEXT("c2"), c);
  Node(TEXT("c21"), c2);
  EXPECT_EQ(view->AddNodeAt(c, 3), 7);
  EXPECT_EQ(Rows(), TEXT("a a1 a11 c c1 c2 c21 a12 a2 b"));
  CTreeNodeUI* d = Node(TEXT("d"));
  EXPECT_EQ(view->AddNodeAt(d, 9), 10);
  EXPECT_EQ(Rows(), TEXT("a a1 a11 c c1 c2 c21 a12 a2 d b"));
  // No row at the index, or not a tree node: refused.
  CTreeNodeUI* e = Node(TEXT("e"));
  EXPECT_EQ(view->AddNodeAt(e, 11), -1);
  delete e;
  // An inserted node's buttons work like those of added ones.
  Fold(c, true);
  EXPECT_EQ(VisibleRows(), TEXT("a a1 a11 c a12 a2 d b"));
}

TEST_F(TreeView, CollapsingHidesTheSubtreeAndExpandingRestoresOnlyOpenBranches) {
  Fold(a1, true);
  EXPECT_FALSE(a1->IsExpandedNode());
  EXPECT_EQ(VisibleRows(), TEXT("a a1 a2 b"));
  Fold(a, true);
  EXPECT_EQ(VisibleRows(), TEXT("a b"));
  Fold(a, false);
  EXPECT_EQ(VisibleRows(), TEXT("a a1 a2 b"));
  Fold(a1, false);
  EXPECT_EQ(VisibleRows(), TEXT("a a1 a11 a12 a2 b"));
}

TEST_F(TreeView, CheckingAParentChecksEveryDescendant) {
  a->GetCheckBox()->SetChecked(true);
  w.Settle();
  for (CTreeNodeUI* n : {a, a1, a11, a12, a2}) EXPECT_TRUE(n->GetCheckBox()->IsChecked());
  EXPECT_FALSE(b->GetCheckBox()->IsChecked());
  a1->GetCheckBox()->SetChecked(false);
  w.Settle();
  EXPECT_FALSE(a11->GetCheckBox()->IsChecked());
  EXPECT_FALSE(a12->GetCheckBox()->IsChecked());
  EXPECT_TRUE(a2->GetCheckBox()->IsChecked());
}

TEST_F(TreeView, RemovingANodeTakesItsSubtreeAndLeavesItsParent) {
  ASSERT_TRUE(view->RemoveNode(a1));
  EXPECT_EQ(Rows(), TEXT("a a2 b"));
  EXPECT_EQ(a->GetCountChild(), 1);
  // The parent no longer reaches the removed nodes.
  Fold(a, true);
  EXPECT_EQ(VisibleRows(), TEXT("a b"));
  a->GetCheckBox()->SetChecked(true);
  Fold(a, false);
  EXPECT_EQ(VisibleRows(), TEXT("a a2 b"));
  ASSERT_TRUE(view->RemoveNode(a2));
  EXPECT_FALSE(a->HasChild());
  // Removal by row index goes the same way.
  EXPECT_TRUE(view->RemoveAt(0));
  EXPECT_EQ(Rows(), TEXT("b"));
  // A node that is not in the view is refused.
  CTreeNodeUI loose;
  EXPECT_FALSE(view->RemoveNode(&loose));
}

TEST_F(TreeView, ButtonVisibilityFollowsTheViewAndNamesAnswer) {
  view->SetVisibleFolderBtn(false);
  view->SetVisibleCheckBtn(false);
  EXPECT_FALSE(a11->GetFolderButton()->IsVisible());
  EXPECT_FALSE(b->GetCheckBox()->IsVisible());
  view->ApplyAttribute(TEXT("visiblecheckbtn"), TEXT("true"));
  EXPECT_TRUE(a12->GetCheckBox()->IsVisible());
  EXPECT_NE(view->GetInterfaceByName(TEXT("TreeView")), nullptr);
  EXPECT_NE(view->GetInterfaceByName(TEXT("List")), nullptr);
  EXPECT_NE(a->GetInterfaceByName(TEXT("TreeNode")), nullptr);
  CTreeNodeUI x;
  EXPECT_FALSE(a->AddAt(&x, 0));
  EXPECT_FALSE(view->GetHeader()->IsVisible());
}

}  // namespace

namespace {

class TreeMarkup : public ControlFixture {};

TEST_F(TreeMarkup, NestedNodesBecomeRowsOfTheViewAndOtherControlsJoinTheRow) {
  SkinWindow w;
  ASSERT_TRUE(w.Open(TEXT("<Window size=\"200,200\"><TreeView name=\"t\" visiblecheckbtn=\"true\">")
                         TEXT("<TreeNode name=\"r\" text=\"root\"><TreeNode name=\"c1\"/>") TEXT(
                             "<TreeNode name=\"c2\"><TreeNode name=\"g\"/><Label name=\"tag\" ")
                             TEXT("width=\"20\"/></TreeNode></TreeNode><TreeNode name=\"s\"/>")
                                 TEXT("</TreeView></Window>"),
                     200, 200));
  auto* view = static_cast<CTreeViewUI*>(w.Find(TEXT("t")));
  ASSERT_NE(view, nullptr);
  WString rows;
  for (int i = 0; i < view->GetCount(); i++) rows += view->GetItemAt(i)->GetName().GetData();
  EXPECT_EQ(rows, TEXT("rc1c2gs"));
  auto* root = static_cast<CTreeNodeUI*>(w.Find(TEXT("r")));
  auto* grandchild = static_cast<CTreeNodeUI*>(w.Find(TEXT("g")));
  ASSERT_TRUE(root && grandchild);
  EXPECT_EQ(WString(root->GetItemButton()->GetText().GetData()), TEXT("root"));
  EXPECT_EQ(grandchild->GetDottedLine()->GetFixedWidth(), 34);
  EXPECT_TRUE(grandchild->GetCheckBox()->IsVisible());
  CControlUI* tag = w.Find(TEXT("tag"));
  ASSERT_NE(tag, nullptr);
  EXPECT_EQ(tag->GetParent(),
            static_cast<CTreeNodeUI*>(w.Find(TEXT("c2")))->GetTreeNodeHoriznotal());
}

TEST_F(TreeMarkup, ANodeOutsideATreeIsDroppedWithItsSubtree) {
  SkinWindow w;
  ASSERT_TRUE(w.Open(TEXT("<Window size=\"100,100\"><VerticalLayout><Label name=\"l\"/>")
                         TEXT("<TreeNode name=\"n\"><TreeNode name=\"m\"/></TreeNode>")
                             TEXT("</VerticalLayout></Window>"),
                     100, 100));
  EXPECT_NE(w.Find(TEXT("l")), nullptr);
  EXPECT_EQ(w.Find(TEXT("n")), nullptr);
  EXPECT_EQ(w.Find(TEXT("m")), nullptr);
}

}  // namespace

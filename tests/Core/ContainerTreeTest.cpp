// The container base: floating placement, relative positioning, hit-testing, visibility
// propagation, removal and deferred deletion.
#include <gtest/gtest.h>

#include "Core/UIContainer.h"
#include "ManagerPaintTestWindow.h"

using SkinUI::CContainerUI;
using SkinUI::CControlUI;
using SkinUITest::Make;

namespace {

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Show(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

TEST(ContainerPlacement, FloatingChildrenAgainstTheItemRectangle) {
  struct Case {
    LPCWSTR attributes;
    RECT expected;
  };
  const Case cases[] = {
      {TEXT("float=\"true\" pos=\"10,20,40,60\""), {10, 20, 40, 60}},
      {TEXT("float=\"true\" pos=\"-30,-15,-10,-5\""), {170, 85, 190, 95}},
      {TEXT("float=\"true\" pos=\"-20,10,-10,30\""), {180, 10, 190, 30}},
      // The inset shrinks the children's area, not the floating placement.
      {TEXT("float=\"true\" pos=\"0,0,5,5\""), {0, 0, 5, 5}},
  };
  for (const Case& c : cases) {
    CContainerUI root;
    root.ApplyAttributes(TEXT("inset=\"7,7,7,7\""));
    CControlUI* child = Make(c.attributes);
    root.Add(child);
    root.SetPos(RECT{0, 0, 200, 100});
    EXPECT_TRUE(SameRect(child->GetPos(), c.expected))
        << Show(child->GetPos()) << " for " << Show(c.expected);
  }
  // Non-floating children take the inner rectangle.
  CContainerUI root;
  root.ApplyAttributes(TEXT("inset=\"7,8,9,10\""));
  CControlUI* plain = Make(TEXT(""));
  root.Add(plain);
  root.SetPos(RECT{0, 0, 200, 100});
  EXPECT_TRUE(SameRect(plain->GetPos(), RECT{7, 8, 191, 90})) << Show(plain->GetPos());
}

TEST(ContainerPlacement, RelativePositionFollowsTheParentsGrowth) {
  SkinUITest::TreeWindow w;  // SetPos keeps a floating offset only under a manager
  w.Open(400, 200);
  auto* root = new CContainerUI;
  CControlUI* mover = Make(TEXT("float=\"true\" pos=\"10,10,30,20\" relativepos=\"50,0,0,0\""));
  CControlUI* zoomer = Make(TEXT("float=\"true\" pos=\"10,30,30,40\" relativepos=\"0,0,50,100\""));
  root->Add(mover);
  root->Add(zoomer);
  w.pm.AttachRoot(root);
  root->SetPos(RECT{0, 0, 200, 100});  // the first placement only records the parent size
  EXPECT_TRUE(SameRect(mover->GetPos(), RECT{10, 10, 30, 20})) << Show(mover->GetPos());
  root->SetPos(RECT{0, 0, 300, 120});
  EXPECT_TRUE(SameRect(mover->GetPos(), RECT{60, 10, 80, 20})) << Show(mover->GetPos());
  EXPECT_TRUE(SameRect(zoomer->GetPos(), RECT{10, 30, 80, 60})) << Show(zoomer->GetPos());
  root->SetPos(RECT{0, 0, 300, 120});  // unchanged size: no further move
  EXPECT_TRUE(SameRect(mover->GetPos(), RECT{60, 10, 80, 20})) << Show(mover->GetPos());
}

TEST(ContainerPlacement, ExtremeOffsetsAndSizesSaturate) {
  SkinUITest::TreeWindow w;
  w.Open(100, 100);
  auto* root = Make<CContainerUI>(TEXT("inset=\"-2147483648,0,-2147483648,0\""));
  CControlUI* wide = Make(TEXT("float=\"true\" pos=\"-2147483648,0,2147483647,10\" ")
                              TEXT("relativepos=\"2147483647,0,2147483647,0\""));
  CControlUI* faraway = Make(TEXT("float=\"true\" pos=\"2147483647,-2147483648,2147483647,-1\""));
  root->Add(wide);
  root->Add(faraway);
  root->Add(Make(TEXT("")));
  w.pm.AttachRoot(root);
  EXPECT_EQ(wide->GetFixedWidth(), 2147483647);
  root->SetPos(RECT{0, 0, 100, 100});
  root->SetPos(RECT{0, 0, 2000, 100});
  EXPECT_GE(wide->GetPos().right, wide->GetPos().left);
  EXPECT_GE(faraway->GetPos().right, faraway->GetPos().left);
  EXPECT_GE(wide->GetWidth(), 0);
  w.Settle();
}

CControlUI* CALLBACK Accept(CControlUI* pControl, LPVOID) { return pControl; }

TEST(ContainerHitTest, TopmostFloatingAndInsetRules) {
  CContainerUI root;
  root.ApplyAttributes(TEXT("inset=\"20,20,20,20\""));
  CControlUI* under = Make(TEXT("name=\"under\""));
  CControlUI* over = Make(TEXT("name=\"over\""));
  CControlUI* edge = Make(TEXT("name=\"edge\" float=\"true\" pos=\"0,0,15,15\""));
  root.Add(under);
  root.Add(over);
  root.Add(edge);
  root.SetPos(RECT{0, 0, 100, 100});
  struct Case {
    POINT pt;
    UINT flags;
    CControlUI* expected;
  };
  const UINT hit = SkinUI::UIFIND_VISIBLE | SkinUI::UIFIND_HITTEST;
  const Case cases[] = {
      {{50, 50}, hit | SkinUI::UIFIND_TOP_FIRST, over},
      {{50, 50}, hit, under},
      {{5, 5}, hit, edge},        // floating child outside the inner rectangle
      {{5, 50}, hit, &root},      // only the container itself there
      {{150, 50}, hit, nullptr},  // outside everything
      {{50, 50}, hit | SkinUI::UIFIND_ME_FIRST, &root},
  };
  for (const Case& c : cases) {
    POINT pt = c.pt;
    EXPECT_EQ(root.FindControl(Accept, &pt, c.flags), c.expected) << pt.x << "," << pt.y;
  }
  // Without mouse children the container answers for its whole area.
  root.ApplyAttributes(TEXT("mousechild=\"false\""));
  POINT pt = {50, 50};
  EXPECT_EQ(root.FindControl(Accept, &pt, hit | SkinUI::UIFIND_TOP_FIRST), &root);
  // Hidden and mouse-disabled children are passed over.
  root.ApplyAttributes(TEXT("mousechild=\"true\""));
  over->SetVisible(false);
  EXPECT_EQ(root.FindControl(Accept, &pt, hit | SkinUI::UIFIND_TOP_FIRST), under);
  under->SetMouseEnabled(false);
  EXPECT_EQ(root.FindControl(Accept, &pt, hit | SkinUI::UIFIND_TOP_FIRST), &root);
}

TEST(ContainerChildren, VisibilityPropagatesAndInterfacesAnswer) {
  CContainerUI root;
  auto* inner = new CContainerUI;
  CControlUI* leaf = Make(TEXT(""));
  inner->Add(leaf);
  root.Add(inner);
  root.SetVisible(false);
  EXPECT_FALSE(leaf->IsVisible());
  CControlUI* late = Make(TEXT(""));
  root.Add(late);  // added while hidden
  EXPECT_FALSE(late->IsVisible());
  root.SetVisible(true);
  EXPECT_TRUE(leaf->IsVisible());
  EXPECT_TRUE(late->IsVisible());

  EXPECT_EQ(root.GetInterfaceByName(TEXT("Container")), static_cast<CContainerUI*>(&root));
  EXPECT_EQ(root.GetInterfaceByName(TEXT("IContainer")), static_cast<SkinUI::IContainerUI*>(&root));
  EXPECT_EQ(root.GetInterfaceByName(TEXT("Control")), static_cast<CControlUI*>(&root));
  EXPECT_EQ(root.GetInterfaceByName(TEXT("Button")), nullptr);
  EXPECT_EQ(root.GetItemAt(-1), nullptr);
  EXPECT_EQ(root.GetItemAt(2), nullptr);
  EXPECT_TRUE(root.SetItemIndex(late, 0));
  EXPECT_EQ(root.GetItemAt(0), late);
  EXPECT_FALSE(root.Add(nullptr));
  EXPECT_FALSE(root.Remove(nullptr));
  EXPECT_FALSE(root.RemoveAt(5));
}

TEST(ContainerChildren, RemovedChildLivesUntilTheCleanupMessage) {
  SkinUITest::TreeWindow w;
  w.Open(100, 100);
  auto* root = new CContainerUI;
  CControlUI* child = Make(TEXT("name=\"child\""));
  bool destroyed = false;
  child->OnDestroyDelegates.Add([&](CControlUI*) {
    destroyed = true;
    return true;
  });
  root->Add(child);
  w.pm.AttachRoot(root);
  ASSERT_TRUE(root->Remove(child));
  EXPECT_FALSE(destroyed);
  EXPECT_EQ(root->GetCount(), 0);
  EXPECT_EQ(child->GetParent(), nullptr);
  LRESULT lRes = 0;
  w.pm.RouteMessage(WM_NULL, 0, 0, lRes);  // any other message leaves it alone
  EXPECT_FALSE(destroyed);
  w.pm.RouteMessage(SkinUI::WM_UI_DEFERRED_DELETE, 0, 0, lRes);
  EXPECT_TRUE(destroyed);
  EXPECT_EQ(w.pm.FindControlByName(TEXT("child")), nullptr);

  // Without deferral the child goes at once; without auto-delete it stays the caller's.
  CControlUI* now = Make(TEXT(""));
  bool nowGone = false;
  now->OnDestroyDelegates.Add([&](CControlUI*) { return nowGone = true; });
  root->Add(now);
  root->SetDeferredDelete(false);
  root->Remove(now);
  EXPECT_TRUE(nowGone);
  CControlUI kept;
  root->SetAutoDelete(false);
  root->Add(&kept);
  root->RemoveAll();
  EXPECT_EQ(root->GetCount(), 0);
}

}  // namespace

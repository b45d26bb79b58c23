// The paint manager's tree on a headless window: pixels of a tree built in code, "windowinit",
// partial repaints, the bounded layout pass, printing, names and the window without a root.
#include <gtest/gtest.h>

#include "Core/UIContainer.h"
#include "ManagerPaintTestWindow.h"
#include "support/Picture.h"
#include "support/WideString.h"

using SkinUI::CContainerUI;
using SkinUI::CControlUI;
using SkinUITest::Make;
using SkinUITest::TreeWindow;

namespace {

constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint32_t kBlue = 0xFF0000FF;

using ManagerPaint = SkinUITest::HeadlessTest;

// A red root with a blue, green-bordered child 10 from the right and 5 from the bottom.
CContainerUI* RedRootWithCornerChild() {
  auto* root = Make<CContainerUI>(TEXT("bkcolor=\"#FFFF0000\""));
  root->Add(
      Make(TEXT("name=\"corner\" float=\"true\" pos=\"-30,-20,-10,-5\" bkcolor=\"#FF0000FF\" ")
               TEXT("bordercolor=\"#FF00FF00\" bordersize=\"1\"")));
  return root;
}

TEST_F(ManagerPaint, TreeBuiltInCodePaintsBackgroundBorderAndFloatingChild) {
  TreeWindow w;
  w.Open(200, 100);
  ASSERT_TRUE(w.pm.AttachRoot(RedRootWithCornerChild()));
  w.Settle();
  CControlUI* corner = w.pm.FindControlByName(TEXT("corner"));
  ASSERT_NE(corner, nullptr);
  const RECT& rc = corner->GetPos();
  EXPECT_EQ(rc.left, 170);
  EXPECT_EQ(rc.top, 80);
  EXPECT_EQ(rc.right, 190);
  EXPECT_EQ(rc.bottom, 95);
  struct Probe {
    int x, y;
    uint32_t color;
  };
  const Probe probes[] = {
      {0, 0, kRed},      {199, 99, kRed},   {100, 50, kRed},   {169, 85, kRed},
      {170, 85, kGreen}, {189, 85, kGreen}, {175, 80, kGreen}, {175, 94, kGreen},
      {175, 85, kBlue},  {188, 93, kBlue},  {190, 85, kRed},   {175, 95, kRed},
  };
  for (const Probe& p : probes) {
    EXPECT_EQ(w.Pixel(p.x, p.y), p.color) << p.x << "," << p.y;
  }
  EXPECT_EQ(w.pm.FindControlAt(POINT{175, 85}), corner);
  EXPECT_EQ(w.pm.FindControlAt(POINT{100, 50}), w.pm.GetRoot());
  EXPECT_EQ(w.pm.FindControlAt(POINT{300, 50}), nullptr);
}

TEST_F(ManagerPaint, ClipsGradientsAndRoundedCorners) {
  TreeWindow w;
  w.Open(200, 100);
  auto* root = Make<CContainerUI>(TEXT("bkcolor=\"#FFFF0000\""));
  // A box with an inset: a floating child may cover the inset but never leaves the box.
  auto* box = Make<CContainerUI>(TEXT("float=\"true\" pos=\"20,20,120,80\" inset=\"10,10,10,10\""));
  box->Add(Make(TEXT("float=\"true\" pos=\"0,0,200,200\" bkcolor=\"#FF0000FF\"")));
  root->Add(box);
  root->Add(Make(TEXT("float=\"true\" pos=\"140,0,200,100\" bkcolor=\"#FF000000\" ")
                     TEXT("bkcolor2=\"#FFFFFFFF\"")));
  root->Add(Make(TEXT("float=\"true\" pos=\"130,10,140,90\" bkcolor=\"#FF00FF00\" ")
                     TEXT("borderround=\"10,10\"")));
  w.pm.AttachRoot(root);
  w.Settle();
  EXPECT_EQ(w.Pixel(21, 21), kBlue);  // in the inset, under the outer clip
  EXPECT_EQ(w.Pixel(119, 79), kBlue);
  EXPECT_EQ(w.Pixel(121, 50), kRed);  // outside the box
  EXPECT_EQ(w.Pixel(50, 81), kRed);
  // The gradient runs from black at the top to white at the bottom.
  const uint32_t top = w.Pixel(170, 1) & 0xFF, bottom = w.Pixel(170, 98) & 0xFF;
  EXPECT_LT(top, 0x20u);
  EXPECT_GT(bottom, 0xD0u);
  EXPECT_LT(w.Pixel(170, 30) & 0xFF, w.Pixel(170, 70) & 0xFF);
  // Rounded corners leave the parent showing.
  EXPECT_EQ(w.Pixel(130, 10), kRed);
  EXPECT_EQ(w.Pixel(135, 50), kGreen);
}

TEST_F(ManagerPaint, WindowInitOncePerAttachedRoot) {
  TreeWindow w;
  w.Open(200, 100);
  auto count = [&] {
    int n = 0;
    for (const auto& note : w.notes) n += note.type == TEXT("windowinit");
    return n;
  };
  CContainerUI* first = RedRootWithCornerChild();
  w.pm.AttachRoot(first);
  w.Settle();
  ASSERT_EQ(count(), 1);
  EXPECT_EQ(w.notes.back().sender, first);
  first->RequestLayout();
  InvalidateRect(w.Handle(), nullptr, FALSE);
  w.Settle();
  EXPECT_EQ(count(), 1);

  auto* second = Make<CContainerUI>(TEXT("bkcolor=\"#FF00FF00\""));
  w.pm.AttachRoot(second);
  w.Settle();
  EXPECT_EQ(count(), 2);
  EXPECT_EQ(w.notes.back().sender, second);
  EXPECT_EQ(w.Pixel(175, 85), kGreen);
  // The old tree went with the cleanup message and cannot be found by name any more.
  EXPECT_EQ(w.pm.FindControlByName(TEXT("corner")), nullptr);
}

TEST_F(ManagerPaint, HidingAChildRepaintsWhatWasUnderIt) {
  TreeWindow w;
  w.Open(200, 100);
  w.pm.AttachRoot(RedRootWithCornerChild());
  w.Settle();
  CControlUI* corner = w.pm.FindControlByName(TEXT("corner"));
  ASSERT_EQ(w.Pixel(175, 85), kBlue);
  corner->SetVisible(false);
  w.Settle();
  EXPECT_EQ(w.Pixel(175, 85), kRed);
  EXPECT_EQ(w.Pixel(170, 85), kRed);
  corner->SetVisible(true);
  w.Settle();
  EXPECT_EQ(w.Pixel(175, 85), kBlue);
}

// A control whose colour can change without asking for a repaint.
class Silent : public CContainerUI {
 public:
  void SetColorQuietly(DWORD color) { m_dwBackColor = color; }
};

TEST_F(ManagerPaint, PartialInvalidationRepaintsOnlyItsRectangle) {
  TreeWindow w;
  w.Open(200, 100);
  auto* root = Make<Silent>(TEXT("bkcolor=\"#FFFF0000\""));
  w.pm.AttachRoot(root);
  w.Settle();
  root->SetColorQuietly(kBlue);
  w.pm.InvalidateArea(RECT{10, 10, 30, 30});
  w.Settle();
  struct Probe {
    int x, y;
    uint32_t color;
  };
  const Probe probes[] = {{10, 10, kBlue}, {29, 29, kBlue}, {20, 20, kBlue}, {9, 20, kRed},
                          {30, 20, kRed},  {20, 9, kRed},   {20, 30, kRed},  {150, 80, kRed}};
  for (const Probe& p : probes) EXPECT_EQ(w.Pixel(p.x, p.y), p.color) << p.x << "," << p.y;

  // With nothing to update a paint is handled and presents nothing.
  const int presents = Drive::Presents(w.Handle());
  LRESULT lRes = -1;
  EXPECT_TRUE(w.pm.RouteMessage(WM_PAINT, 0, 0, lRes));
  EXPECT_EQ(lRes, 0);
  EXPECT_EQ(Drive::Presents(w.Handle()), presents);
  EXPECT_EQ(w.Pixel(50, 50), kRed);
}

// Asks for another layout from its own SetPos as long as it has requests left.
class Restless : public CControlUI {
 public:
  int requestsLeft = 0;
  int placements = 0;
  void SetPos(RECT rc) override {
    ++placements;
    CControlUI::SetPos(rc);
    if (requestsLeft > 0) {
      --requestsLeft;
      RequestLayout();
    }
  }
};

TEST_F(ManagerPaint, LayoutPassIsBoundedAndPaintingFollowsUp) {
  TreeWindow w;
  w.Open(200, 100);
  auto* root = new CContainerUI;
  auto* restless = new Restless;
  root->Add(restless);
  root->Add(new CControlUI);
  w.pm.AttachRoot(root);
  w.Settle();
  restless->placements = 0;
  restless->requestsLeft = 40;
  restless->RequestLayout();
  UpdateWindow(w.Handle());  // one paint
  EXPECT_GE(restless->placements, 1);
  EXPECT_LE(restless->placements, 4);  // at most one per control of the tree, plus one
  EXPECT_TRUE(w.pm.IsLayoutPending());
  w.Settle();  // the paint re-invalidated the window, so later paints finish the work
  EXPECT_EQ(restless->requestsLeft, 0);
  EXPECT_FALSE(w.pm.IsLayoutPending());
  EXPECT_FALSE(restless->IsLayoutStale());
}

TEST_F(ManagerPaint, PrintClientPaintsTheTreeIntoTheGivenContext) {
  TreeWindow w;
  w.Open(200, 100);
  w.pm.AttachRoot(RedRootWithCornerChild());
  w.Settle();
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = 200;
  bmi.bmiHeader.biHeight = -100;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC hdc = CreateCompatibleDC(nullptr);
  HBITMAP bmp = CreateDIBSection(hdc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(bmp, nullptr);
  HGDIOBJ old = SelectObject(hdc, bmp);
  LRESULT lRes = 0;
  EXPECT_FALSE(w.pm.RouteMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hdc), PRF_CLIENT, lRes));
  const uint32_t* px = static_cast<const uint32_t*>(bits);
  // Colours only: what brushes drew into a bitmap has alpha 0 on Windows.
  EXPECT_EQ(px[50 * 200 + 100] | 0xFF000000u, kRed);
  EXPECT_EQ(px[85 * 200 + 175] | 0xFF000000u, kBlue);
  EXPECT_EQ(px[85 * 200 + 170] | 0xFF000000u, kGreen);
  SelectObject(hdc, old);
  DeleteObject(bmp);
  DeleteDC(hdc);
}

TEST_F(ManagerPaint, NamesLaterControlWinsAndForgottenNamesGo) {
  TreeWindow w;
  w.Open(100, 100);
  auto* root = new CContainerUI;
  CControlUI* first = Make(TEXT("name=\"dup\""));
  CControlUI* second = Make(TEXT("name=\"dup\""));
  CControlUI* other = Make(TEXT("name=\"other\""));
  root->Add(first);
  root->Add(second);
  w.pm.AttachRoot(root);
  EXPECT_EQ(w.pm.FindControlByName(TEXT("dup")), second);
  root->Add(other);  // added after attaching: registered at once
  EXPECT_EQ(w.pm.FindControlByName(TEXT("other")), other);
  root->SetDeferredDelete(false);
  root->Remove(other);
  EXPECT_EQ(w.pm.FindControlByName(TEXT("other")), nullptr);
  root->Remove(first);  // not the control the name maps to: the name stays
  EXPECT_EQ(w.pm.FindControlByName(TEXT("dup")), second);
  EXPECT_EQ(w.pm.FindControlByName(nullptr), nullptr);
}

TEST_F(ManagerPaint, WindowWithoutRootFindsNothingAndStillValidates) {
  TreeWindow w;
  HWND h = w.Open(100, 100);
  EXPECT_EQ(w.pm.FindControlAt(POINT{5, 5}), nullptr);
  EXPECT_EQ(w.pm.FindControlByName(TEXT("anything")), nullptr);
  CControlUI loose;
  w.pm.ForgetControl(&loose);
  RECT rc;
  ASSERT_TRUE(GetUpdateRect(h, &rc, FALSE));
  LRESULT lRes = 0;
  EXPECT_TRUE(w.pm.RouteMessage(WM_PAINT, 0, 0, lRes));
  EXPECT_FALSE(GetUpdateRect(h, &rc, FALSE));
  w.Settle();
  // Input with no tree does nothing either.
  Drive::Click(5, 5);
  w.Settle();
  EXPECT_TRUE(w.notes.empty());
}

TEST_F(ManagerPaint, EraseIsSuppressedAndTrackingLimitsApply) {
  TreeWindow w;
  w.Open(100, 100);
  LRESULT lRes = 0;
  EXPECT_TRUE(w.pm.RouteMessage(WM_ERASEBKGND, 0, 0, lRes));
  EXPECT_EQ(lRes, 1);
  w.pm.SetMinTrackSize(50, 0);
  w.pm.SetMaxTrackSize(0, 300);
  MINMAXINFO mmi = {};
  mmi.ptMinTrackSize = {1, 2};
  mmi.ptMaxTrackSize = {3000, 4000};
  EXPECT_FALSE(w.pm.RouteMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi), lRes));
  EXPECT_EQ(mmi.ptMinTrackSize.x, 50);
  EXPECT_EQ(mmi.ptMinTrackSize.y, 2);
  EXPECT_EQ(mmi.ptMaxTrackSize.x, 3000);
  EXPECT_EQ(mmi.ptMaxTrackSize.y, 300);
}

// Fills its own rectangle in a fixed colour when painted as an overlay.
class Overlay : public CControlUI {
 public:
  void PaintOverlay(HDC hDC, const RECT& rcPaint) override {
    RECT rc;
    if (!IntersectRect(&rc, &rcPaint, &m_rcItem)) return;
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(hDC, &rc, brush);
    DeleteObject(brush);
  }
};

TEST_F(ManagerPaint, OverlaysPaintAfterTheTreeAndDirtyAreasAreOutlined) {
  TreeWindow w;
  HWND h = w.Open(200, 100);
  auto* root = Make<CContainerUI>(TEXT("bkcolor=\"#FFFF0000\""));
  auto* overlay = Make<Overlay>(TEXT("float=\"true\" pos=\"0,0,20,20\""));
  root->Add(overlay);
  // Painted later in the tree, but under the overlay.
  root->Add(Make(TEXT("float=\"true\" pos=\"0,0,40,40\" bkcolor=\"#FF00FF00\"")));
  w.pm.AttachRoot(root);
  w.pm.AddOverlayControl(overlay);
  w.Settle();
  EXPECT_EQ(w.Pixel(10, 10), kBlue);
  EXPECT_EQ(w.Pixel(30, 30), kGreen);
  EXPECT_TRUE(w.pm.RemoveOverlayControl(overlay));
  EXPECT_FALSE(w.pm.RemoveOverlayControl(overlay));
  InvalidateRect(h, nullptr, FALSE);
  w.Settle();
  EXPECT_EQ(w.Pixel(10, 10), kGreen);

  w.pm.SetShowDirty(true);
  w.pm.InvalidateArea(RECT{100, 50, 150, 80});
  w.Settle();
  EXPECT_EQ(w.Pixel(100, 60), 0xFFDC0000u);  // the outline of the painted area
  EXPECT_EQ(w.Pixel(120, 65), kRed);
}

TEST_F(ManagerPaint, MovingAControlInvalidatesOldAndNewPlaceWithinItsAncestors) {
  TreeWindow w;
  HWND h = w.Open(300, 200);
  auto* root = new CContainerUI;
  auto* box = Make<CContainerUI>(TEXT("float=\"true\" pos=\"0,0,100,100\""));
  CControlUI* child = Make(TEXT("float=\"true\" pos=\"10,10,30,30\""));
  box->Add(child);
  root->Add(box);
  w.pm.AttachRoot(root);
  w.Settle();
  child->SetPos(RECT{50, 60, 150, 120});
  RECT rc;
  ASSERT_TRUE(GetUpdateRect(h, &rc, FALSE));
  EXPECT_EQ(rc.left, 10);
  EXPECT_EQ(rc.top, 10);
  EXPECT_EQ(rc.right, 100);
  EXPECT_EQ(rc.bottom, 100);
  w.Settle();
  // Entirely outside its parent: nothing to repaint.
  child->SetPos(RECT{150, 150, 160, 160});
  w.Settle();
  child->SetPos(RECT{170, 150, 180, 160});
  EXPECT_FALSE(GetUpdateRect(h, &rc, FALSE));
}

TEST_F(ManagerPaint, LayeredBackgroundIsCapturedOnceAndPaintedUnder) {
  TreeWindow w;
  w.Open(100, 100);
  auto* root = Make<CContainerUI>(TEXT("bkcolor=\"#FFFF0000\""));
  w.pm.AttachRoot(root);
  w.Settle();
  w.pm.SetLayeredBackground(true);
  root->SetBkColor(0x800000FF);  // captures the red window, then blue over it
  w.Settle();
  EXPECT_GT(w.Pixel(50, 50) & 0xFF, 0x60u);
  root->SetBkColor(0x8000FF00);  // over the captured red again, not over the blue
  w.Settle();
  const uint32_t px = w.Pixel(50, 50);
  EXPECT_EQ(px & 0xFF, 0u);
  EXPECT_GT((px >> 16) & 0xFF, 0x60u);
  EXPECT_GT((px >> 8) & 0xFF, 0x60u);
}

TEST_F(ManagerPaint, ImageThatCannotDrawIsNotTriedAgain) {
  CControlUI detached;  // no manager: the drawing engine refuses
  detached.ApplyAttributes(TEXT("bkimage=\"missing.png\""));
  detached.SetPos(RECT{0, 0, 10, 10});
  HDC hdc = CreateCompatibleDC(nullptr);
  detached.Paint(hdc, RECT{0, 0, 10, 10});
  DeleteDC(hdc);
  EXPECT_EQ(WString(detached.GetBkImage()), TEXT(""));
}

}  // namespace

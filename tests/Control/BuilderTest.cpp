// The layout builder's rules on markup text: tree shape and order, window attributes, resource
// elements, class defaults, Include, unknown tags, the callback and non-container parents.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Control/UIDlgBuilder.h"
#include "Core/UIContainer.h"
#include "Core/UIManager.h"
#include "Layout/SkinHostWindow.h"
#include "support/DebugCapture.h"
#include "support/WideString.h"

using namespace SkinUI;
using LayoutTest::Box;
using LayoutTest::SkinHostWindow;

namespace {

std::vector<WString> ClassesOf(CControlUI* control) {
  std::vector<WString> classes;
  auto* container = static_cast<IContainerUI*>(control->GetInterfaceByName(TEXT("IContainer")));
  if (!container) return classes;
  for (int i = 0; i < container->GetCount(); i++)
    classes.push_back(container->GetItemAt(i)->GetClassName());
  return classes;
}

std::vector<WString> NamesOf(CControlUI* control) {
  std::vector<WString> names;
  auto* container = static_cast<IContainerUI*>(control->GetInterfaceByName(TEXT("IContainer")));
  for (int i = 0; container && i < container->GetCount(); i++)
    names.push_back(container->GetItemAt(i)->GetName().GetData());
  return names;
}

// Lines the debug output received, without their line ends.
std::vector<WString> Lines(const TestSupport::DebugOutputCapture& capture) {
  std::vector<WString> lines;
  for (WString piece : capture.Pieces()) {
    while (!piece.empty() && piece.back() == TEXT('\n')) piece.pop_back();
    lines.push_back(piece);
  }
  return lines;
}

TEST(Builder, BuildsEveryTagOfTheTableInDocumentOrder) {
  TestSupport::DebugOutputCapture capture;
  CLayoutBuilder builder;
  CControlUI* root = builder.Create(
      TEXT("<?xml version=\"1.0\"?><!-- skin --><Window><VerticalLayout>") TEXT(
          "<Control/><Container/><HorizontalLayout/><TileLayout/><TabLayout/><ChildLayout/>")
          TEXT("<ScrollBar/><RichEdit/><ActiveX/><WebBrowser/><Label/><Text/><Button/><Option/>")
              TEXT("<CheckBox/><Progress/></VerticalLayout></Window>"));
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(WString(TEXT("VerticalLayoutUI")), root->GetClassName());
  EXPECT_EQ(
      (std::vector<WString>{TEXT("ControlUI"), TEXT("ContainerUI"), TEXT("HorizontalLayoutUI"),
                            TEXT("TileLayoutUI"), TEXT("TabLayoutUI"), TEXT("ChildLayoutUI"),
                            TEXT("ScrollBarUI"), TEXT("RichEditUI"), TEXT("ActiveXUI"),
                            TEXT("WebBrowserUI"), TEXT("LabelUI"), TEXT("TextUI"), TEXT("ButtonUI"),
                            TEXT("OptionUI"), TEXT("CheckBoxUI"), TEXT("ProgressUI")}),
      ClassesOf(root));
  // The controls that cannot be hosted here say so once each.
  EXPECT_EQ(3u, Lines(capture).size());
  auto* items = static_cast<IContainerUI*>(root->GetInterfaceByName(TEXT("IContainer")));
  EXPECT_NE(nullptr, items->GetItemAt(9)->GetInterfaceByName(TEXT("ActiveX")));
  EXPECT_EQ(nullptr, items->GetItemAt(5)->GetInterfaceByName(TEXT("IContainer")));
  delete root;
}

TEST(Builder, ChildrenAreBuiltBeforeTheElementsOwnAttributes) {
  CLayoutBuilder builder;
  CControlUI* root = builder.Create(
      TEXT("<Window><TabLayout selectedid=\"2\"><Control name=\"a\"/><Control name=\"b\"/>")
          TEXT("<Control name=\"c\"/></TabLayout></Window>"));
  ASSERT_NE(root, nullptr);
  auto* tabs = static_cast<IContainerUI*>(root->GetInterfaceByName(TEXT("IContainer")));
  EXPECT_TRUE(tabs->GetItemAt(2)->IsVisible());
  EXPECT_FALSE(tabs->GetItemAt(0)->IsVisible());
  delete root;
}

TEST(Builder, WindowAttributesApplyOnlyWhenTheManagerHasAWindow) {
  const WCHAR* skin = TEXT(
      "<Window size=\"518,345\" sizebox=\"4,4,6,6\" caption=\"0,0,0,70\" roundcorner=\"6,6\" ")
      TEXT(
          "mininfo=\"400;300\" maxinfo=\"800,600\" showdirty=\"true\" alpha=\"200\" "
          "bktrans=\"true\" ")
          TEXT(
              "defaultfontcolor=\"#FF102030\" disabledfontcolor=\"FF405060\" "
              "linkfontcolor=\"#FF0000FE\" ")
              TEXT("linkhoverfontcolor=\"#FF0000FD\" selectedcolor=\"#FF0000FC\" unknown=\"1\">")
                  TEXT("<Control/></Window>");
  CPaintManagerUI detached;
  CLayoutBuilder first;
  delete first.Create(skin, nullptr, nullptr, &detached);
  EXPECT_EQ(0, detached.InitialSize().cx);
  EXPECT_FALSE(detached.IsShowDirty());

  SkinHostWindow window;
  ASSERT_TRUE(window.Load(skin));
  CPaintManagerUI& pm = window.manager;
  EXPECT_EQ(518, pm.InitialSize().cx);
  EXPECT_EQ(345, pm.InitialSize().cy);
  EXPECT_EQ(Box(4, 4, 6, 6), Box(pm.SizeBox()));
  EXPECT_EQ(Box(0, 0, 0, 70), Box(pm.CaptionArea()));
  EXPECT_EQ(6, pm.RoundCorner().cx);
  EXPECT_EQ(400, pm.MinTrackSize().cx);  // any single separator works
  EXPECT_EQ(300, pm.MinTrackSize().cy);
  EXPECT_EQ(600, pm.MaxTrackSize().cy);
  EXPECT_TRUE(pm.IsShowDirty());
  EXPECT_EQ(200, pm.Opacity());
  EXPECT_TRUE(pm.IsLayeredBackground());
  EXPECT_EQ(0xFF102030u, pm.TextColor());
  EXPECT_EQ(0xFF405060u, pm.DisabledTextColor());
  EXPECT_EQ(0xFF0000FEu, pm.LinkColor());
  EXPECT_EQ(0xFF0000FDu, pm.LinkHoverColor());
  EXPECT_EQ(0xFF0000FCu, pm.SelectedBackColor());
}

TEST(Builder, AnyRootRegistersResourcesButOnlyAWindowRootAppliesAttributes) {
  SkinHostWindow window;
  ASSERT_TRUE(window.Load(
      TEXT("<Dialog size=\"10,10\"><Font name=\"DejaVu Sans\" size=\"14\" bold=\"true\"/>")
          TEXT("<Default name=\"Control\" value=\"height=&quot;25&quot;\"/>")
              TEXT("<VerticalLayout><Control name=\"a\"/><Control "
                   "name=\"b\"/></VerticalLayout></Dialog>")));
  EXPECT_EQ(0, window.manager.InitialSize().cx);
  EXPECT_EQ(1, window.manager.FontCount());
  EXPECT_TRUE(window.manager.FontInfoAt(0).bBold);
  EXPECT_EQ(Box(0, 0, 300, 25), Box(window.Rect(TEXT("a"))));
}

TEST(Builder, OnlyNamedFontsTakeAnIndexAndADefaultFontTakesOneToo) {
  SkinHostWindow window;
  ASSERT_TRUE(window.Load(
      TEXT("<Window><Font size=\"30\"/><Font name=\"DejaVu Sans\" default=\"true\"/>")
          TEXT("<Font name=\"DejaVu Serif\" size=\"20\" italic=\"true\" underline=\"true\"/>")
              TEXT("<Control/><Font name=\"Ignored\"/></Window>")));
  CPaintManagerUI& pm = window.manager;
  // The last Font is a child of the root too, so it registers as well; it is not a control.
  ASSERT_EQ(3, pm.FontCount());
  EXPECT_EQ(TEXT("DejaVu Sans"), WString(pm.FontInfoAt(0).sFontName.GetData()));
  EXPECT_EQ(TEXT("DejaVu Sans"), WString(pm.DefaultFont().sFontName.GetData()));
  EXPECT_EQ(pm.FontInfoAt(0).iSize, pm.DefaultFont().iSize);
  EXPECT_FALSE(pm.DefaultFont().bItalic);
  EXPECT_TRUE(pm.FontInfoAt(1).bItalic);
  EXPECT_TRUE(pm.FontInfoAt(1).bUnderline);
  EXPECT_GT(pm.FontInfoAt(1).iSize, pm.FontInfoAt(0).iSize);
  EXPECT_EQ(TEXT("Ignored"), WString(pm.FontInfoAt(2).sFontName.GetData()));
}

TEST(Builder, ResourceElementsBelowTheRootAreSkippedWithTheirChildren) {
  SkinHostWindow window;
  ASSERT_TRUE(window.Load(
      TEXT("<Window><VerticalLayout><Font name=\"Deep\"><Control name=\"lost\"/></Font>")
          TEXT("<Default name=\"Control\" value=\"height=&quot;5&quot;\"/><Image name=\"x.png\"/>")
              TEXT("<Control name=\"kept\"/></VerticalLayout></Window>")));
  EXPECT_EQ(0, window.manager.FontCount());
  EXPECT_EQ(nullptr, window.manager.DefaultAttributes(TEXT("Control")));
  EXPECT_EQ(nullptr, window.Find(TEXT("lost")));
  EXPECT_EQ(Box(0, 0, 300, 200), Box(window.Rect(TEXT("kept"))));
}

TEST(Builder, ClassDefaultsComeFirstAndLoseToTheElementsOwnAttributes) {
  SkinHostWindow window;
  ASSERT_TRUE(window.Load(
      TEXT("<Window><Default name=\"Control\" value=\"bkcolor=&quot;#FF000000&quot; ")
          TEXT("height=&quot;40&quot; name=&quot;fromdefault&quot;\"/>")
              TEXT("<Default name=\"Control\" value=\"bkcolor=&quot;#FF0000FF&quot;\"/>")
                  TEXT("<VerticalLayout><Control name=\"own\" bkcolor=\"#FF00FF00\"/><Control/>")
                      TEXT("<Container name=\"box\"/></VerticalLayout></Window>")));
  CControlUI* own = window.Find(TEXT("own"));
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(0xFF00FF00u, own->GetBkColor());
  EXPECT_EQ(40, own->GetFixedHeight());
  // The second control keeps the defaults, name included; the first definition wins.
  CControlUI* plain = window.Find(TEXT("fromdefault"));
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(0xFF000000u, plain->GetBkColor());
  // Defaults go by tag: a Container does not get the Control's.
  EXPECT_EQ(0u, window.Find(TEXT("box"))->GetBkColor());
}

TEST(Builder, IncludeRepeatsItsSourceCountTimesIntoTheCurrentParent) {
  SkinHostWindow window;
  ASSERT_TRUE(window.Load(
      TEXT("<Window><HorizontalLayout name=\"row\"><Control name=\"first\"/>")
          TEXT("<Include count=\"3\" source=\"&lt;Window&gt;&lt;Control width=&quot;20&quot;/&gt;")
              TEXT("&lt;/Window&gt;\"/>") TEXT(
                  "<Include count=\"0\" source=\"&lt;Window&gt;&lt;Control/&gt;&lt;/Window&gt;\"/>")
                  TEXT("<Include count=\"2\"/><Include/>")
                      TEXT("<Control name=\"last\"/></HorizontalLayout></Window>")));
  CControlUI* row = window.Find(TEXT("row"));
  EXPECT_EQ((std::vector<WString>{TEXT("first"), TEXT(""), TEXT(""), TEXT(""), TEXT("last")}),
            NamesOf(row));
  auto* items = static_cast<IContainerUI*>(row->GetInterfaceByName(TEXT("IContainer")));
  for (int i = 1; i <= 3; i++) EXPECT_EQ(20, items->GetItemAt(i)->GetFixedWidth());
}

TEST(Builder, TopLevelIncludesAndUnknownTagsDoNotBecomeTheResult) {
  TestSupport::DebugOutputCapture capture;
  CLayoutBuilder builder;
  CControlUI* root = builder.Create(
      TEXT("<Window><Include source=\"&lt;Window&gt;&lt;Control name=&quot;inc&quot;/&gt;")
          TEXT("&lt;/Window&gt;\"/><Bogus name=\"x\"><Control name=\"inside\"/></Bogus>")
              TEXT("<Container name=\"result\"/><Control name=\"second\"/></Window>"));
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(TEXT("result"), WString(root->GetName().GetData()));
  EXPECT_EQ((std::vector<WString>{TEXT("未知控件:Bogus")}), Lines(capture));
  delete root;
}

TEST(Builder, UnknownTagsAreSkippedWithEverythingInsideThem) {
  TestSupport::DebugOutputCapture capture;
  SkinHostWindow window;
  ASSERT_TRUE(window.Load(
      TEXT("<Window><VerticalLayout name=\"v\"><Control name=\"a\"/><Buton name=\"b\">")
          TEXT("<Control name=\"inside\"/></Buton><control name=\"lower\"/><Control name=\"c\"/>")
              TEXT("</VerticalLayout></Window>")));
  EXPECT_EQ((std::vector<WString>{TEXT("a"), TEXT("c")}), NamesOf(window.Find(TEXT("v"))));
  const auto lines = Lines(capture);
  EXPECT_NE(std::find(lines.begin(), lines.end(), TEXT("未知控件:Buton")), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), TEXT("未知控件:control")), lines.end());
}

TEST(Builder, AControlThatIsNoContainerKeepsItselfAndDropsItsChildren) {
  SkinHostWindow window;
  ASSERT_TRUE(
      window.Load(TEXT("<Window><VerticalLayout name=\"v\"><Control name=\"holder\" height=\"30\">")
                      TEXT("<Control name=\"child1\"/><Control name=\"child2\"/></Control>")
                          TEXT("<ChildLayout name=\"cl\"><Control name=\"child3\"/></ChildLayout>")
                              TEXT("<Control name=\"after\"/></VerticalLayout></Window>")));
  EXPECT_EQ((std::vector<WString>{TEXT("holder"), TEXT("cl"), TEXT("after")}),
            NamesOf(window.Find(TEXT("v"))));
  EXPECT_EQ(nullptr, window.Find(TEXT("child1")));
  EXPECT_EQ(nullptr, window.Find(TEXT("child3")));
  EXPECT_EQ(Box(0, 0, 300, 30), Box(window.Rect(TEXT("holder"))));
}

class CustomTags : public IDialogBuilderCallback {
 public:
  CControlUI* CreateCustomControl(LPCWSTR pstrClass) override {
    asked.push_back(pstrClass);
    if (WString(pstrClass) == TEXT("Gauge")) return new CContainerUI;
    return nullptr;
  }
  std::vector<WString> asked;
};

TEST(Builder, TheCallbackCreatesTagsTheTableDoesNotKnow) {
  TestSupport::DebugOutputCapture capture;
  CustomTags callback;
  SkinHostWindow window;
  ASSERT_TRUE(window.Load(
      TEXT("<Window><VerticalLayout name=\"v\"><Gauge name=\"g\"><Control name=\"in\"/></Gauge>")
          TEXT("<Dial/><Control name=\"plain\"/></VerticalLayout></Window>"),
      &callback));
  EXPECT_EQ((std::vector<WString>{TEXT("Gauge"), TEXT("Dial")}), callback.asked);
  EXPECT_NE(nullptr, window.Find(TEXT("in")));
  EXPECT_EQ((std::vector<WString>{TEXT("g"), TEXT("plain")}), NamesOf(window.Find(TEXT("v"))));
  const auto lines = Lines(capture);
  EXPECT_NE(std::find(lines.begin(), lines.end(), TEXT("未知控件:Dial")), lines.end());
}

TEST(Builder, BrokenOrEmptyMarkupBuildsNothing) {
  for (const WCHAR* text :
       {TEXT("<Window><a><b/>"), TEXT("<Window></Wind>"), TEXT("<!-- only a comment -->"),
        TEXT("<Window/>"), TEXT("<Window><Font name=\"x\"/><Bogus/></Window>")}) {
    CPaintManagerUI pm;
    CLayoutBuilder builder;
    EXPECT_EQ(nullptr, builder.Create(text, nullptr, nullptr, &pm))
        << std::string(text, text + std::char_traits<WCHAR>::length(text));
  }
  CLayoutBuilder unloaded;
  EXPECT_EQ(nullptr, unloaded.Build());
  CLayoutBuilder none;
  EXPECT_EQ(nullptr, none.Create(nullptr));
}

}  // namespace

namespace {

TEST(Builder, NestingDeeperThanTheLimitIsCutWithOneLine) {
  WString skin = TEXT("<Window>");
  const int levels = CLayoutBuilder::kMaxTreeDepth + 40;
  for (int i = 0; i < levels; i++) skin += TEXT("<Container>");
  for (int i = 0; i < levels; i++) skin += TEXT("</Container>");
  skin += TEXT("</Window>");
  TestSupport::DebugOutputCapture capture;
  CLayoutBuilder builder;
  CControlUI* root = builder.Create(skin.c_str());
  ASSERT_NE(root, nullptr);
  int depth = 1;
  for (CContainerUI* c = static_cast<CContainerUI*>(root); c->GetCount() > 0; depth++)
    c = static_cast<CContainerUI*>(c->GetItemAt(0));
  EXPECT_EQ(CLayoutBuilder::kMaxTreeDepth, depth);
  EXPECT_EQ(1u, capture.Pieces().size());
  delete root;
}

}  // namespace

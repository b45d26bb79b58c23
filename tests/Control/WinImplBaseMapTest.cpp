// Notification maps: which row a notification selects, in which map, and what it calls.

#include <gtest/gtest.h>

#include "WinImplBaseFixture.h"

namespace {

using SkinUI::CControlUI;
using SkinUI::NotificationEnd;
using SkinUI::NotificationHandle;
using SkinUI::NotificationIgnore;
using SkinUI::NotificationMapData;
using SkinUI::NotificationMapEntry;
using SkinUI::NotifyHandler;
using SkinUI::TNotifyMsg;

class MappedWnd : public TestSkinWnd {
 public:
  static const NotificationMapData* ClassNotificationMap() {
    static const NotificationMapEntry entries[] = {
        {u"click", u"named", NotificationHandle, NotifyHandler(&MappedWnd::OnNamed)},
        {u"click", u"", NotificationHandle, NotifyHandler(&MappedWnd::OnAny)},
        {u"selectchanged", u"quiet", NotificationIgnore, nullptr},
        {u"selectchanged", u"", NotificationHandle, NotifyHandler(&MappedWnd::OnSelect)},
        {u"link", u"", NotificationHandle, NotifyHandler(&MappedWnd::OnAny)},
        {u"link", u"named", NotificationHandle, NotifyHandler(&MappedWnd::OnNamed)},
        {u"menu", u"", NotificationHandle, NotifyHandler(&MappedWnd::OnAny)},
        {u"menu", u"", NotificationHandle, NotifyHandler(&MappedWnd::OnSelect)},
        {u"", u"", NotificationEnd, nullptr},
    };
    static const NotificationMapData map = {&SkinUI::WindowImplBase::ClassNotificationMap, entries};
    return &map;
  }

 protected:
  const NotificationMapData* NotificationMap() const override { return ClassNotificationMap(); }
  void OnNamed(TNotifyMsg& msg) { log.push_back("named:" + Name(msg)); }
  void OnAny(TNotifyMsg& msg) { log.push_back("any:" + Name(msg)); }
  void OnSelect(TNotifyMsg& msg) { log.push_back("select:" + Name(msg)); }
};

// Only a "return" row of its own; clicks go on to the base map.
class ChainedWnd : public TestSkinWnd {
 public:
  static const NotificationMapData* ClassNotificationMap() {
    static const NotificationMapEntry entries[] = {
        {u"return", u"", NotificationHandle, NotifyHandler(&ChainedWnd::OnReturn)},
        {u"", u"", NotificationEnd, nullptr},
    };
    static const NotificationMapData map = {&SkinUI::WindowImplBase::ClassNotificationMap, entries};
    return &map;
  }

 protected:
  const NotificationMapData* NotificationMap() const override { return ClassNotificationMap(); }
  void OnReturn(TNotifyMsg& msg) { log.push_back("return:" + Name(msg)); }
};

// A map that names itself as its own base.
class LoopingWnd : public TestSkinWnd {
 public:
  static const NotificationMapData* ClassNotificationMap() {
    static const NotificationMapEntry entries[] = {{u"", u"", NotificationEnd, nullptr}};
    static const NotificationMapData map = {&LoopingWnd::ClassNotificationMap, entries};
    return &map;
  }

 protected:
  const NotificationMapData* NotificationMap() const override { return ClassNotificationMap(); }
};

// Delivers one notification; the window records it and then what it called.
std::vector<std::string> Deliver(TestSkinWnd& wnd, const char16_t* type, const char16_t* sender) {
  CControlUI control;
  if (sender) control.SetName(sender);
  TNotifyMsg msg;
  msg.sType = type;
  msg.pSender = sender ? &control : nullptr;
  wnd.log.clear();
  wnd.Receive(msg);
  return std::vector<std::string>(wnd.log.begin() + 1, wnd.log.end());
}

using Calls = std::vector<std::string>;

TEST(NotificationMap, MostDerivedMapFirstNamedRowsBeforeAnyControlRows) {
  MappedWnd wnd;
  struct Case {
    const char16_t* type;
    const char16_t* sender;
    Calls calls;
  } cases[] = {
      {u"click", u"named", {"named:named"}},
      {u"click", u"other", {"any:other"}},  // wins over the base map's "click" row
      {u"click", nullptr, {"any:-"}},
      {u"click", u"Named", {"any:Named"}},  // names compare with case
      {u"selectchanged", u"quiet", {}},     // handled without a call
      {u"selectchanged", u"other", {"select:other"}},
      {u"link", u"named", {"named:named"}},  // a named row after an any-control row
      {u"link", u"other", {"any:other"}},
      {u"menu", u"other", {"select:other"}},  // the last any-control row is taken
      {u"Click", u"named", {}},               // types compare with case
      {u"textchanged", u"named", {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Deliver(wnd, c.type, c.sender), c.calls)
        << Platform::Utf16ToUtf8(c.type) << " from "
        << (c.sender ? Platform::Utf16ToUtf8(c.sender) : std::string("nobody"));
  }
}

TEST(NotificationMap, UnmatchedNotificationsGoOnToTheBaseMap) {
  ChainedWnd wnd;
  EXPECT_EQ(Deliver(wnd, u"return", u"edit"), Calls{"return:edit"});
  EXPECT_EQ(Deliver(wnd, u"click", u"edit"), Calls{"base-click:edit"});
  EXPECT_EQ(Deliver(wnd, u"selectchanged", u"edit"), Calls{});
}

TEST(NotificationMap, TheBaseClassMapAnswersClicksOnly) {
  TestSkinWnd wnd;
  EXPECT_EQ(Deliver(wnd, u"click", u"anything"), Calls{"base-click:anything"});
  EXPECT_EQ(Deliver(wnd, u"click", nullptr), Calls{"base-click:-"});
  EXPECT_EQ(Deliver(wnd, u"windowinit", nullptr), Calls{});
}

TEST(NotificationMap, AMapThatIsItsOwnBaseEndsTheSearch) {
  LoopingWnd wnd;
  EXPECT_EQ(Deliver(wnd, u"click", u"anything"), Calls{});
}

}  // namespace

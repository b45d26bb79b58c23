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
        {TEXT("click"), TEXT("named"), NotificationHandle, NotifyHandler(&MappedWnd::OnNamed)},
        {TEXT("click"), TEXT(""), NotificationHandle, NotifyHandler(&MappedWnd::OnAny)},
        {TEXT("selectchanged"), TEXT("quiet"), NotificationIgnore, nullptr},
        {TEXT("selectchanged"), TEXT(""), NotificationHandle, NotifyHandler(&MappedWnd::OnSelect)},
        {TEXT("link"), TEXT(""), NotificationHandle, NotifyHandler(&MappedWnd::OnAny)},
        {TEXT("link"), TEXT("named"), NotificationHandle, NotifyHandler(&MappedWnd::OnNamed)},
        {TEXT("menu"), TEXT(""), NotificationHandle, NotifyHandler(&MappedWnd::OnAny)},
        {TEXT("menu"), TEXT(""), NotificationHandle, NotifyHandler(&MappedWnd::OnSelect)},
        {TEXT(""), TEXT(""), NotificationEnd, nullptr},
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
        {TEXT("return"), TEXT(""), NotificationHandle, NotifyHandler(&ChainedWnd::OnReturn)},
        {TEXT(""), TEXT(""), NotificationEnd, nullptr},
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
    static const NotificationMapEntry entries[] = {{TEXT(""), TEXT(""), NotificationEnd, nullptr}};
    static const NotificationMapData map = {&LoopingWnd::ClassNotificationMap, entries};
    return &map;
  }

 protected:
  const NotificationMapData* NotificationMap() const override { return ClassNotificationMap(); }
};

// Delivers one notification; the window records it and then what it called.
std::vector<std::string> Deliver(TestSkinWnd& wnd, const WCHAR* type, const WCHAR* sender) {
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
    const WCHAR* type;
    const WCHAR* sender;
    Calls calls;
  } cases[] = {
      {TEXT("click"), TEXT("named"), {"named:named"}},
      {TEXT("click"), TEXT("other"), {"any:other"}},  // wins over the base map's "click" row
      {TEXT("click"), nullptr, {"any:-"}},
      {TEXT("click"), TEXT("Named"), {"any:Named"}},  // names compare with case
      {TEXT("selectchanged"), TEXT("quiet"), {}},     // handled without a call
      {TEXT("selectchanged"), TEXT("other"), {"select:other"}},
      {TEXT("link"), TEXT("named"), {"named:named"}},  // a named row after an any-control row
      {TEXT("link"), TEXT("other"), {"any:other"}},
      {TEXT("menu"), TEXT("other"), {"select:other"}},  // the last any-control row is taken
      {TEXT("Click"), TEXT("named"), {}},               // types compare with case
      {TEXT("textchanged"), TEXT("named"), {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Deliver(wnd, c.type, c.sender), c.calls)
        << Utf8(c.type) << " from " << (c.sender ? Utf8(c.sender) : std::string("nobody"));
  }
}

TEST(NotificationMap, UnmatchedNotificationsGoOnToTheBaseMap) {
  ChainedWnd wnd;
  EXPECT_EQ(Deliver(wnd, TEXT("return"), TEXT("edit")), Calls{"return:edit"});
  EXPECT_EQ(Deliver(wnd, TEXT("click"), TEXT("edit")), Calls{"base-click:edit"});
  EXPECT_EQ(Deliver(wnd, TEXT("selectchanged"), TEXT("edit")), Calls{});
}

TEST(NotificationMap, TheBaseClassMapAnswersClicksOnly) {
  TestSkinWnd wnd;
  EXPECT_EQ(Deliver(wnd, TEXT("click"), TEXT("anything")), Calls{"base-click:anything"});
  EXPECT_EQ(Deliver(wnd, TEXT("click"), nullptr), Calls{"base-click:-"});
  EXPECT_EQ(Deliver(wnd, TEXT("windowinit"), nullptr), Calls{});
}

TEST(NotificationMap, AMapThatIsItsOwnBaseEndsTheSearch) {
  LoopingWnd wnd;
  EXPECT_EQ(Deliver(wnd, TEXT("click"), TEXT("anything")), Calls{});
}

}  // namespace

// An edit's clipboard: the keys and messages that cut, copy and paste, what each leaves in the
// edit and on the clipboard, and the right button's menu with the items a state allows.
#include "EditFixture.h"
#include "Platform/Host/Host.h"

using namespace EditTest;
namespace H = Platform::Headless;

namespace {

using EditClipboard = EditFixture;

std::u16string Clipboard() {
  std::u16string text;
  return Platform::CurrentHost().GetClipboardText(&text) ? text : u"<none>";
}

void PutOnClipboard(const std::u16string& text) { Platform::CurrentHost().SetClipboardText(text); }

TEST_F(EditClipboard, KeysAndMessagesCutCopyAndPaste) {
  struct Case {
    const char* what;
    std::function<void(HWND)> act;
    std::u16string text;
    std::u16string clipboard;
  };
  const Case cases[] = {
      {"Ctrl+C", [](HWND) { H::Type(u"\x03"); }, u"Halvane", u"alv"},
      {"Ctrl+X", [](HWND) { H::Type(u"\x18"); }, u"Hane", u"alv"},
      {"Ctrl+V", [](HWND) { H::Type(u"\x16"); }, u"HD:\\Xane", u"D:\\X\r\nmore"},
      {"Ctrl+Insert", [this](HWND) { Press(VK_INSERT, false, true); }, u"Halvane", u"alv"},
      {"Shift+Delete", [this](HWND) { Press(VK_DELETE, true); }, u"Hane", u"alv"},
      {"Shift+Insert", [this](HWND) { Press(VK_INSERT, true); }, u"HD:\\Xane", u"D:\\X\r\nmore"},
      {"WM_CUT", [](HWND e) { SendMessageW(e, WM_CUT, 0, 0); }, u"Hane", u"alv"},
  };
  for (const Case& c : cases) {
    HWND edit = MakeEdit(ES_AUTOHSCROLL, u"Halvane");
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 1, 4);
    PutOnClipboard(u"D:\\X\r\nmore");  // a paste takes the first line
    c.act(edit);
    H::RunUntilIdle();
    EXPECT_EQ(Text(edit), c.text) << c.what;
    EXPECT_EQ(Clipboard(), c.clipboard) << c.what;
    DestroyWindow(edit);
  }
}

TEST_F(EditClipboard, PasswordAndReadOnlyEditsKeepTheirText) {
  HWND secret = MakeEdit(ES_AUTOHSCROLL | ES_PASSWORD, u"secret");
  SendMessageW(secret, EM_SETSEL, 0, -1);
  PutOnClipboard(u"before");
  SendMessageW(secret, WM_COPY, 0, 0);
  SendMessageW(secret, WM_CUT, 0, 0);
  EXPECT_EQ(Clipboard(), u"before");
  EXPECT_EQ(Text(secret), u"secret");
  HWND fixed = MakeEdit(ES_AUTOHSCROLL | ES_READONLY, u"fixed");
  SendMessageW(fixed, EM_SETSEL, 0, -1);
  SendMessageW(fixed, WM_PASTE, 0, 0);
  SendMessageW(fixed, WM_CUT, 0, 0);
  EXPECT_EQ(Text(fixed), u"fixed");
  EXPECT_EQ(Clipboard(), u"before");
}

TEST_F(EditClipboard, TheRightButtonsMenuOffersWhatTheStateAllowsAndDoesIt) {
  SetThreadUILanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT));
  HWND edit = MakeEdit(ES_AUTOHSCROLL, u"Halvane");
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 0, 3);
  PutOnClipboard(u"X");
  H::AnswerContextMenu(3);  // Copy
  POINT p{20, 12};
  ClientToScreen(edit, &p);
  H::Click(p.x, p.y, Platform::MouseButton::Right);
  H::RunUntilIdle();
  auto menus = H::TakeContextMenus();
  ASSERT_EQ(menus.size(), 1u);
  std::vector<std::pair<std::u16string, bool>> items;
  for (const auto& item : menus[0]) items.emplace_back(item.text, item.enabled);
  const std::vector<std::pair<std::u16string, bool>> expected = {
      {u"&Undo", false}, {u"", true},        {u"Cu&t", true}, {u"&Copy", true},
      {u"&Paste", true}, {u"&Delete", true}, {u"", true},     {u"Select &All", true}};
  EXPECT_EQ(items, expected);
  EXPECT_EQ(Clipboard(), u"Hal");

  SetThreadUILanguage(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED));
  H::AnswerContextMenu(6);  // Select all
  H::Click(p.x, p.y, Platform::MouseButton::Right);
  H::RunUntilIdle();
  menus = H::TakeContextMenus();
  ASSERT_EQ(menus.size(), 1u);
  EXPECT_EQ(menus[0][3].text, u"复制(&C)");
  EXPECT_EQ(Selection(edit), Sel(0, 7));
  SetThreadUILanguage(0);
}

}  // namespace

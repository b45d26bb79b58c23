// Typing into an edit control: the text read back, the length limit, keys that select and
// delete, read-only and disabled controls, undo, and text beyond the basic plane.
#include "EditFixture.h"

using namespace EditTest;
namespace H = Platform::Headless;

namespace {

using EditTyping = EditFixture;

TEST_F(EditTyping, TypedCharactersAreInsertedAndControlCharactersAreNot) {
  HWND edit = MakeEdit(ES_AUTOHSCROLL);
  SetFocus(edit);
  EXPECT_EQ(SendMessageW(edit, EM_GETMODIFY, 0, 0), FALSE);
  Type(u"Hello\t\r");
  EXPECT_EQ(Text(edit), u"Hello");
  EXPECT_EQ(GetWindowTextLengthW(edit), 5);
  EXPECT_EQ(Selection(edit), Sel(5, 5));
  EXPECT_EQ(SendMessageW(edit, EM_GETMODIFY, 0, 0), TRUE);
  SendMessageW(edit, EM_SETMODIFY, FALSE, 0);
  EXPECT_EQ(SendMessageW(edit, EM_GETMODIFY, 0, 0), FALSE);
  // A short buffer gets what fits, terminated.
  char16_t small[3] = {u'x', u'x', u'x'};
  EXPECT_EQ(GetWindowTextW(edit, small, 3), 2);
  EXPECT_EQ(std::u16string(small), u"He");
}

TEST_F(EditTyping, TheLimitRefusesTypingAndTellsTheParent) {
  HWND edit = MakeEdit(ES_AUTOHSCROLL);
  EXPECT_EQ(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 32767);
  SendMessageW(edit, EM_SETLIMITTEXT, 3, 0);
  EXPECT_EQ(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 3);
  SetFocus(edit);
  notes.clear();
  Type(u"abcd");
  EXPECT_EQ(Text(edit), u"abc");
  std::vector<WORD> maxed;
  for (WORD c : Codes()) {
    if (c == EN_MAXTEXT) maxed.push_back(c);
  }
  EXPECT_EQ(maxed.size(), 1u);
  // Replacing a selection frees its room.
  SendMessageW(edit, EM_SETSEL, 1, 3);
  Type(u"Z");
  EXPECT_EQ(Text(edit), u"aZ");
  // Text from the program is not limited; a replacement is cut to what fits.
  SetWindowTextW(edit, u"abcdef");
  EXPECT_EQ(Text(edit), u"abcdef");
  SendMessageW(edit, EM_SETLIMITTEXT, 8, 0);
  SendMessageW(edit, EM_SETSEL, 6, 6);
  notes.clear();
  SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(u"12345"));
  EXPECT_EQ(Text(edit), u"abcdef12");
  EXPECT_EQ(Codes().back(), EN_MAXTEXT);
  SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
  EXPECT_EQ(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
}

TEST_F(EditTyping, ShiftWithArrowsHomeAndEndSelectsAndTypingReplacesTheSelection) {
  HWND edit = MakeEdit(ES_AUTOHSCROLL, u"hello world");
  SetFocus(edit);
  Press(VK_END);
  for (int i = 0; i < 5; ++i) Press(VK_LEFT, true);
  EXPECT_EQ(Selection(edit), Sel(6, 11));
  Type(u"there");
  EXPECT_EQ(Text(edit), u"hello there");
  Press(VK_HOME, true);
  EXPECT_EQ(Selection(edit), Sel(0, 11));
  Press(VK_RIGHT);  // collapses to the selection's right end
  EXPECT_EQ(Selection(edit), Sel(11, 11));
  Press(VK_LEFT, false, true);
  EXPECT_EQ(Selection(edit), Sel(6, 6));
  Press('A', false, true);
  EXPECT_EQ(Selection(edit), Sel(0, 11));
  Type(u"x");
  EXPECT_EQ(Text(edit), u"x");
}

TEST_F(EditTyping, SetSelFollowsTheDocumentedConventions) {
  HWND edit = MakeEdit(ES_AUTOHSCROLL, u"abcdef");
  SendMessageW(edit, EM_SETSEL, 0, -1);
  EXPECT_EQ(Selection(edit), Sel(0, 6));
  SendMessageW(edit, EM_SETSEL, 4, 1);  // reversed: lower first in EM_GETSEL
  EXPECT_EQ(Selection(edit), Sel(1, 4));
  EXPECT_EQ(SendMessageW(edit, EM_GETSEL, 0, 0), MAKELONG(1, 4));
  SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(-1), 0);  // deselects
  auto sel = Selection(edit);
  EXPECT_EQ(sel.first, sel.second);
  SendMessageW(edit, EM_SETSEL, 2, 100);  // clamped to the text
  EXPECT_EQ(Selection(edit), Sel(2, 6));
}

TEST_F(EditTyping, BackspaceAndDeleteAtTheEdgesChangeNothing) {
  HWND edit = MakeEdit(ES_AUTOHSCROLL, u"abc");
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 0, 0);
  notes.clear();
  Type(u"\b");
  Press(VK_HOME);
  EXPECT_EQ(Text(edit), u"abc");
  Press(VK_END);
  Press(VK_DELETE);
  EXPECT_EQ(Text(edit), u"abc");
  EXPECT_TRUE(Codes().empty());
  Press(VK_LEFT);
  Type(u"\b");
  EXPECT_EQ(Text(edit), u"ac");
  Press(VK_DELETE);
  EXPECT_EQ(Text(edit), u"a");
  Press(VK_HOME, false);
  Press(VK_END, true);
  Press(VK_DELETE);
  EXPECT_EQ(Text(edit), u"");
}

TEST_F(EditTyping, ReadOnlyRefusesInputButStillSelects) {
  HWND edit = MakeEdit(ES_AUTOHSCROLL | ES_READONLY, u"fixed");
  SetFocus(edit);
  Type(u"xy\b");
  Press(VK_DELETE);
  EXPECT_EQ(Text(edit), u"fixed");
  Press(VK_END, true);
  EXPECT_EQ(Selection(edit), Sel(0, 5));
  EXPECT_TRUE(SendMessageW(edit, EM_SETREADONLY, FALSE, 0));
  EXPECT_EQ(GetWindowLongW(edit, GWL_STYLE) & ES_READONLY, 0);
  Type(u"z");
  EXPECT_EQ(Text(edit), u"z");
  SendMessageW(edit, EM_SETREADONLY, TRUE, 0);
  EXPECT_NE(GetWindowLongW(edit, GWL_STYLE) & ES_READONLY, 0);
}

TEST_F(EditTyping, NumberStyleTakesOnlyDigits) {
  HWND edit = MakeEdit(ES_AUTOHSCROLL | ES_NUMBER);
  SetFocus(edit);
  Type(u"1a2 3");
  EXPECT_EQ(Text(edit), u"123");
}

TEST_F(EditTyping, WithoutAutoScrollTheTextStopsAtTheWidth) {
  HWND edit = MakeEdit(0, u"", 40);
  SetFocus(edit);
  Type(u"wwwwwwwwwwww");
  std::u16string text = Text(edit);
  EXPECT_GT(text.size(), 0u);
  EXPECT_LT(text.size(), 12u);
  EXPECT_EQ(Codes().back(), EN_MAXTEXT);
}

TEST_F(EditTyping, UndoTakesBackTheTypingAndUndoAgainRedoesIt) {
  HWND edit = MakeEdit(ES_AUTOHSCROLL, u"x");
  EXPECT_FALSE(SendMessageW(edit, EM_CANUNDO, 0, 0));
  SetFocus(edit);
  Press(VK_END);
  Type(u"abc");
  EXPECT_TRUE(SendMessageW(edit, EM_CANUNDO, 0, 0));
  EXPECT_TRUE(SendMessageW(edit, EM_UNDO, 0, 0));
  EXPECT_EQ(Text(edit), u"x");
  EXPECT_TRUE(SendMessageW(edit, EM_UNDO, 0, 0));
  EXPECT_EQ(Text(edit), u"xabc");
  SetWindowTextW(edit, u"new");
  EXPECT_FALSE(SendMessageW(edit, EM_CANUNDO, 0, 0));
}

TEST_F(EditTyping, SurrogatePairsAreNeverSplit) {
  const std::u16string smile = u"\U0001F600";
  HWND edit = MakeEdit(ES_AUTOHSCROLL, (u"a" + smile + u"b").c_str());
  SetFocus(edit);
  Press(VK_HOME);
  Press(VK_RIGHT);
  Press(VK_RIGHT);
  EXPECT_EQ(Selection(edit), Sel(3, 3));
  Press(VK_LEFT, true);
  EXPECT_EQ(Selection(edit), Sel(1, 3));
  SendMessageW(edit, EM_SETSEL, 2, 2);  // inside the pair: moved to its start
  EXPECT_EQ(Selection(edit), Sel(1, 1));
  Press(VK_DELETE);
  EXPECT_EQ(Text(edit), u"ab");
  // A pair typed as input-method text arrives as two WM_CHARs and goes in whole.
  Type(smile);
  EXPECT_EQ(Text(edit), u"a" + smile + u"b");
  Type(u"\b");
  EXPECT_EQ(Text(edit), u"ab");
  // With room for one unit only, the pair is refused rather than halved.
  SendMessageW(edit, EM_SETLIMITTEXT, 3, 0);
  Type(smile);
  EXPECT_EQ(Text(edit), u"ab");
  SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>((u"c" + smile).c_str()));
  EXPECT_EQ(Text(edit), u"acb");
}

TEST_F(EditTyping, ChineseTextIsTypedMeasuredAndDrawn) {
  HWND edit = MakeEdit(ES_AUTOHSCROLL);
  SetFocus(edit);
  Type(u"中文");
  Type(u"输入");
  EXPECT_EQ(Text(edit), u"中文输入");
  int previous = -1;
  for (size_t i = 0; i < 4; ++i) {
    int x = XOf(edit, i);
    EXPECT_GT(x, previous) << "character " << i;
    previous = x;
  }
  H::RunUntilIdle();
  auto ink = Ink(edit);
  EXPECT_GE(ink.first, 0);
  EXPECT_GT(ink.second - ink.first, 3 * 12);  // four wide glyphs of a 16-pixel font
}

TEST_F(EditTyping, AParentMayDestroyTheControlFromANotification) {
  HWND edit = MakeEdit(ES_AUTOHSCROLL);
  SendMessageW(edit, EM_SETLIMITTEXT, 1, 0);
  SetFocus(edit);
  notes.clear();
  onNotify = [&](WORD code) {
    if (code == EN_UPDATE) DestroyWindow(edit);
  };
  Type(u"ab");
  EXPECT_FALSE(IsWindow(edit));
  EXPECT_EQ(Codes(), std::vector<WORD>({EN_UPDATE, EN_KILLFOCUS}));
}

TEST_F(EditTyping, ADisabledControlTakesNoInputAndAsksForStaticColours) {
  HWND edit = MakeEdit(ES_AUTOHSCROLL, u"off");
  EnableWindow(edit, FALSE);
  H::RunUntilIdle();
  ASSERT_FALSE(colorRequests.empty());
  EXPECT_EQ(colorRequests.back(), static_cast<UINT>(WM_CTLCOLORSTATIC));
  POINT p{5, 5};
  ClientToScreen(edit, &p);
  H::Click(p.x, p.y);
  Type(u"x");
  EXPECT_EQ(Text(edit), u"off");
  // Even with the focus given by the program, typing does not reach the text.
  SetFocus(edit);
  Type(u"y");
  EXPECT_EQ(Text(edit), u"off");
}

}  // namespace

// Cut, copy and paste of an edit control through the system clipboard, and its shortcut menu
// (undo, cut, copy, paste, delete, select all), as Windows edits have them.
#include "Platform/Host/Host.h"
#include "Platform/NativeControls/EditState.h"

namespace Platform {
namespace {

enum MenuId { kUndo = 1, kCut, kCopy, kPaste, kDelete, kSelectAll };

struct MenuWords {
  const char16_t* undo;
  const char16_t* cut;
  const char16_t* copy;
  const char16_t* paste;
  const char16_t* erase;
  const char16_t* selectAll;
};

const MenuWords& WordsForThread() {
  static const MenuWords kEnglish = {u"&Undo",  u"Cu&t",    u"&Copy",
                                     u"&Paste", u"&Delete", u"Select &All"};
  static const MenuWords kChinese = {u"撤消(&U)", u"剪切(&T)", u"复制(&C)",
                                     u"粘贴(&P)", u"删除(&D)", u"全选(&A)"};
  return PRIMARYLANGID(GetThreadUILanguage()) == LANG_CHINESE ? kChinese : kEnglish;
}

bool CanCopy(const EditState& e) { return e.text.HasSelection() && e.passwordChar == 0; }

// A single-line edit takes what comes before the first line break.
std::u16string FirstLine(const std::u16string& text) {
  return text.substr(0, text.find_first_of(u"\r\n"));
}

}  // namespace

void EditCopy(HWND, EditState& e) {
  if (!CanCopy(e)) return;
  size_t start = e.text.SelStart();
  CurrentHost().SetClipboardText(e.text.Text().substr(start, e.text.SelEnd() - start));
}

void EditCut(HWND hwnd, EditState& e) {
  if (!CanCopy(e) || ReadOnly(hwnd)) return;
  EditCopy(hwnd, e);
  UserReplace(hwnd, u"", false, true);
}

void EditPaste(HWND hwnd) {
  std::u16string text;
  if (ReadOnly(hwnd) || !CurrentHost().GetClipboardText(&text)) return;
  text = FirstLine(text);
  if (!text.empty()) UserReplace(hwnd, text, false, true);
}

void EditContextMenu(HWND hwnd, LPARAM lParam) {
  EditState* e = EditOf(hwnd);
  if (e == nullptr) return;
  if (GetFocus() != hwnd) SetFocus(hwnd);
  POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (lParam == -1) GetCursorPos(&at);  // from the keyboard
  bool writable = !ReadOnly(hwnd);
  std::u16string clip;
  bool canPaste = writable && CurrentHost().GetClipboardText(&clip) && !FirstLine(clip).empty();
  const MenuWords& w = WordsForThread();
  std::vector<MenuItem> items = {
      {w.undo, kUndo, writable && e->text.CanUndo()},
      {u"", 0, true},
      {w.cut, kCut, writable && CanCopy(*e)},
      {w.copy, kCopy, CanCopy(*e)},
      {w.paste, kPaste, canPaste},
      {w.erase, kDelete, writable && e->text.HasSelection()},
      {u"", 0, true},
      {w.selectAll, kSelectAll, e->text.Length() > 0},
  };
  static const UINT kMessages[] = {0, WM_UNDO, WM_CUT, WM_COPY, WM_PASTE, WM_CLEAR};
  int chosen = CurrentHost().ShowContextMenu(hwnd, at, items);
  if (chosen >= kUndo && chosen <= kDelete) {
    SendMessageW(hwnd, kMessages[chosen], 0, 0);
  } else if (chosen == kSelectAll) {
    SendMessageW(hwnd, EM_SETSEL, 0, -1);
  }
}

}  // namespace Platform

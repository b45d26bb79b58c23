// Changes to an edit control's text and selection, and what they tell the parent.
#include "Platform/NativeControls/EditState.h"

namespace Platform {

EditState* EditOf(HWND hwnd) { return reinterpret_cast<EditState*>(GetWindowLongPtrW(hwnd, 0)); }

void AttachEdit(HWND hwnd, EditState* state) {
  SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(state));
}

bool NotifyParent(HWND hwnd, WORD code) {
  HWND parent = GetParent(hwnd);
  if (parent != nullptr) {
    WORD id = static_cast<WORD>(GetWindowLongPtrW(hwnd, GWLP_ID));
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(hwnd));
  }
  return EditOf(hwnd) != nullptr;
}

bool ReadOnly(HWND hwnd) { return (GetWindowLongW(hwnd, GWL_STYLE) & ES_READONLY) != 0; }

void SelectionChanged(HWND hwnd, EditState& e) {
  ScrollToCaret(hwnd, e);
  PlaceCaret(hwnd, e);
  InvalidateRect(hwnd, nullptr, FALSE);
}

// EN_UPDATE comes before the new text is shown, EN_CHANGE after.
void ShowChangeAndNotify(HWND hwnd) {
  if (!NotifyParent(hwnd, EN_UPDATE)) return;
  if (EditState* e = EditOf(hwnd)) SelectionChanged(hwnd, *e);
  UpdateWindow(hwnd);
  NotifyParent(hwnd, EN_CHANGE);
}

namespace {

bool Overflows(HWND hwnd, const EditState& e) {
  if ((GetWindowLongW(hwnd, GWL_STYLE) & ES_AUTOHSCROLL) != 0) return false;
  RECT f = FormatRect(hwnd, e);
  return e.xs.back() > f.right - f.left;
}

}  // namespace

bool UserReplace(HWND hwnd, std::u16string_view s, bool typing, bool canUndo) {
  EditState* e = EditOf(hwnd);
  if (e == nullptr) return false;
  EditText before = e->text;
  int widthBefore = e->xs.back();
  size_t refused = e->text.Replace(s, e->limit, typing);
  bool changed = e->text.Text() != before.Text();
  if (changed) {
    MeasureText(*e);
    // Without ES_AUTOHSCROLL the text may not grow past the visible width.
    if (e->xs.back() > widthBefore && Overflows(hwnd, *e)) {
      e->text = before;
      MeasureText(*e);
      changed = false;
      refused = s.size();
    }
  }
  if (changed) {
    if (!canUndo) e->text.ForgetUndo();
    e->modified = true;
    ShowChangeAndNotify(hwnd);
  } else if (e->text.HasSelection() != before.HasSelection()) {
    SelectionChanged(hwnd, *e);
  }
  if (refused > 0) NotifyParent(hwnd, EN_MAXTEXT);
  return changed;
}

bool UserDelete(HWND hwnd, bool backward) {
  EditState* e = EditOf(hwnd);
  if (e == nullptr || !e->text.Delete(backward)) return false;
  MeasureText(*e);
  e->modified = true;
  ShowChangeAndNotify(hwnd);
  return true;
}

}  // namespace Platform

#pragma once
// What an edit control window holds, found through its first window extra bytes, and the
// pieces the message handlers share.

#include <vector>

#include "Platform/NativeControls/EditText.h"
#include "Platform/Win32.h"

namespace Platform {

struct EditState {
  EditText text;
  HFONT font = nullptr;  // null: the system font
  int leftMargin = 0;
  int rightMargin = 0;
  size_t limit = 32767;
  WCHAR passwordChar = 0;
  bool modified = false;
  bool focused = false;
  bool tracking = false;     // the left button is down and drags the selection
  char16_t pendingHigh = 0;  // first half of a pair typed as two WM_CHARs
  int scroll = 0;            // pixels of text scrolled out on the left
  std::u16string display;    // what is drawn: the text, or one password character per character
  // x of the boundary before each UTF-16 index (size: length + 1), from the text's start.
  std::vector<int> xs;
  int lineHeight = 0;
};

// The state of an edit window (null for another window or one being destroyed).
EditState* EditOf(HWND hwnd);
void AttachEdit(HWND hwnd, EditState* state);

// Sends WM_COMMAND with code to the parent. Returns false when the edit was destroyed meanwhile.
bool NotifyParent(HWND hwnd, WORD code);

// Layout (EditView.cpp).
void MeasureText(EditState& e);                  // xs and lineHeight from text and font
RECT FormatRect(HWND hwnd, const EditState& e);  // client area inside the margins
int TextOrigin(HWND hwnd, const EditState& e);   // client x of the text's first boundary
void ScrollToCaret(HWND hwnd, EditState& e);
size_t IndexFromX(HWND hwnd, const EditState& e, int x);
void PlaceCaret(HWND hwnd, const EditState& e);
void PaintEdit(HWND hwnd);

// Changes (EditChanges.cpp): after a selection change, after a change of the text
// (EN_UPDATE, repaint, EN_CHANGE), and the edits a user makes (EN_MAXTEXT when refused).
void SelectionChanged(HWND hwnd, EditState& e);
void ShowChangeAndNotify(HWND hwnd);
// Inserts s in place of the selection as the user would; false when nothing changed.
bool UserReplace(HWND hwnd, std::u16string_view s, bool typing, bool canUndo);
bool UserDelete(HWND hwnd, bool backward);
bool ReadOnly(HWND hwnd);

// The EM_ messages (EditMessages.cpp); false for any other message.
bool EditProgramMessage(HWND hwnd, EditState& e, UINT msg, WPARAM wParam, LPARAM lParam,
                        LRESULT* result);

// The clipboard and the shortcut menu (EditClipboard.cpp). Copy and cut do nothing without a
// selection or in a password edit; cut, paste and delete nothing in a read-only one.
void EditCopy(HWND hwnd, EditState& e);
void EditCut(HWND hwnd, EditState& e);
void EditPaste(HWND hwnd);
// WM_CONTEXTMENU: lParam the screen point, -1 from the keyboard (shown at the pointer).
void EditContextMenu(HWND hwnd, LPARAM lParam);

// Input (EditInput.cpp).
void EditKeyDown(HWND hwnd, WPARAM vk);
void EditChar(HWND hwnd, char16_t c);
void EditMouse(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace Platform

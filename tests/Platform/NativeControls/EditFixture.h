#pragma once
// A top-level parent window holding one "Edit" child: records the notifications the edit sends
// and answers its colour requests, and reads the edit's pixels.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Platform/Host/Headless/Headless.h"
#include "Platform/Win32.h"

namespace EditTest {

constexpr int kEditId = 7;

inline std::pair<DWORD, DWORD> Sel(DWORD start, DWORD end) { return {start, end}; }

struct Notification {
  WORD code;
  WORD id;
  HWND from;
  int inkRight;  // the rightmost inked column of the edit when it came (-1: none)
};

class EditFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // An edit child of the parent at (10, 10), width x 24, in a 16-pixel DejaVu Sans.
  HWND MakeEdit(DWORD style, const char16_t* text = u"", int width = 200,
                const char16_t* cls = u"Edit");
  std::u16string Text(HWND edit);
  std::pair<DWORD, DWORD> Selection(HWND edit);
  std::vector<WORD> Codes();  // the notification codes received, in order
  // Columns [left, right] of the edit whose pixels differ from its background colour.
  std::pair<int, int> Ink(HWND edit, uint32_t background = 0xFFFFFFFF);
  void Type(const std::u16string& text);
  void Press(WORD vk, bool shift = false, bool ctrl = false);
  // x of the boundary before a character (not past the last one), in client coordinates.
  int XOf(HWND edit, size_t index);
  // A left click (or double click) inside the edit at client x.
  void ClickAt(HWND edit, int x);

  HWND parent = nullptr;
  HFONT font = nullptr;
  std::vector<Notification> notes;
  std::vector<UINT> colorRequests;
  // Answer to WM_CTLCOLOR*: set on the DC and return the brush (null: default handling).
  HBRUSH colorBrush = nullptr;
  COLORREF colorText = RGB(0, 0, 0);
  std::function<void(WORD code)> onNotify;

  static EditFixture* current;
  static LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

}  // namespace EditTest

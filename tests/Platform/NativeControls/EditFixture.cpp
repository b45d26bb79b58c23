#include "EditFixture.h"

namespace H = Platform::Headless;

namespace EditTest {

EditFixture* EditFixture::current = nullptr;

LRESULT CALLBACK EditFixture::ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  EditFixture* f = current;
  if (f != nullptr && msg == WM_COMMAND) {
    auto edit = reinterpret_cast<HWND>(lParam);
    f->notes.push_back({HIWORD(wParam), LOWORD(wParam), edit, f->Ink(edit).second});
    if (f->onNotify) f->onNotify(HIWORD(wParam));
    return 0;
  }
  if (f != nullptr && (msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORSTATIC)) {
    f->colorRequests.push_back(msg);
    if (f->colorBrush == nullptr) return 0;
    SetTextColor(reinterpret_cast<HDC>(wParam), f->colorText);
    SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
    return reinterpret_cast<LRESULT>(f->colorBrush);
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void EditFixture::SetUp() {
  H::Reset();
  current = this;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = ParentProc;
  wc.lpszClassName = u"EditTestParent";
  if (RegisterClassExW(&wc) == 0) {
    ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
  }
  parent = CreateWindowExW(0, u"EditTestParent", u"parent", WS_POPUP | WS_VISIBLE, 0, 0, 300, 60,
                           nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(parent, nullptr);
  LOGFONTW lf{};
  lf.lfHeight = -16;
  lf.lfCharSet = DEFAULT_CHARSET;
  std::u16string face = u"DejaVu Sans";
  std::copy(face.begin(), face.end(), lf.lfFaceName);
  font = CreateFontIndirectW(&lf);
  ASSERT_NE(font, nullptr);
}

void EditFixture::TearDown() {
  DestroyWindow(parent);
  H::RunUntilIdle();
  DeleteObject(font);
  if (colorBrush != nullptr) DeleteObject(colorBrush);
  current = nullptr;
}

HWND EditFixture::MakeEdit(DWORD style, const char16_t* text, int width, const char16_t* cls) {
  HWND edit =
      CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, 10, 10, width, 24, parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)), nullptr, nullptr);
  if (edit == nullptr) return nullptr;
  SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  H::RunUntilIdle();
  notes.clear();
  colorRequests.clear();
  return edit;
}

std::u16string EditFixture::Text(HWND edit) {
  int n = GetWindowTextLengthW(edit);
  std::u16string s(static_cast<size_t>(n) + 1, u'\0');
  int got = GetWindowTextW(edit, s.data(), n + 1);
  s.resize(static_cast<size_t>(got));
  return s;
}

std::pair<DWORD, DWORD> EditFixture::Selection(HWND edit) {
  DWORD start = 99, end = 99;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {start, end};
}

std::vector<WORD> EditFixture::Codes() {
  std::vector<WORD> codes;
  for (const auto& n : notes) codes.push_back(n.code);
  return codes;
}

std::pair<int, int> EditFixture::Ink(HWND edit, uint32_t background) {
  RECT rc{};
  GetClientRect(edit, &rc);
  int left = -1, right = -1;
  for (int x = 0; x < rc.right; ++x) {
    for (int y = 0; y < rc.bottom; ++y) {
      if (H::Pixel(edit, x, y) != background) {
        if (left < 0) left = x;
        right = x;
        break;
      }
    }
  }
  return {left, right};
}

void EditFixture::Type(const std::u16string& text) {
  H::Type(text);
  H::RunUntilIdle();
}

void EditFixture::Press(WORD vk, bool shift, bool ctrl) {
  if (shift) Platform::InputKey(VK_SHIFT, true, u"");
  if (ctrl) Platform::InputKey(VK_CONTROL, true, u"");
  Platform::InputKey(vk, true, u"");
  Platform::InputKey(vk, false, u"");
  if (ctrl) Platform::InputKey(VK_CONTROL, false, u"");
  if (shift) Platform::InputKey(VK_SHIFT, false, u"");
  H::RunUntilIdle();
}

int EditFixture::XOf(HWND edit, size_t index) {
  LRESULT r = SendMessageW(edit, EM_POSFROMCHAR, index, 0);
  return static_cast<short>(LOWORD(r));
}

void EditFixture::ClickAt(HWND edit, int x) {
  POINT p{x, 12};
  ClientToScreen(edit, &p);
  H::Click(p.x, p.y);
  H::RunUntilIdle();
}

}  // namespace EditTest

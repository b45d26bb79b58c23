#include "Core/UIBase.h"

#include "Core/UIManager.h"
#include "Utils/Utils.h"

namespace SkinUI {
namespace {

const WCHAR kObjectProperty[] = TEXT("WndX");

bool Registered(ATOM atom) {
  ASSERT(atom != 0 || ::GetLastError() == 1410L);
  return atom != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The object a window belongs to at its first message; null when the window was made without
// one (for example by CreateWindowExW with the class name).
CWindowWnd* ObjectFromCreation(LPARAM lParam) {
  auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
  return cs != nullptr ? static_cast<CWindowWnd*>(cs->lpCreateParams) : nullptr;
}

}  // namespace

CWindowWnd::CWindowWnd() : m_hWnd(nullptr), m_OldWndProc(::DefWindowProcW) {}

CWindowWnd::~CWindowWnd() = default;

HINSTANCE CWindowWnd::ModuleInstance() { return CPaintManagerUI::Instance(); }

LPCWSTR CWindowWnd::SuperclassName() const { return nullptr; }

UINT CWindowWnd::WindowClassStyle() const { return 0; }

LRESULT CWindowWnd::OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  return DefaultProcessing(uMsg, wParam, lParam);
}

void CWindowWnd::OnWindowGone(HWND) {}

LRESULT CWindowWnd::DefaultProcessing(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  return ::CallWindowProcW(m_OldWndProc, m_hWnd, uMsg, wParam, lParam);
}

bool CWindowWnd::RegisterWindowClass() {
  WNDCLASSW wc{};
  wc.style = WindowClassStyle();
  wc.lpfnWndProc = CWindowWnd::ClassWindowProc;
  wc.hInstance = ModuleInstance();
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = WindowClassName();
  return Registered(::RegisterClassW(&wc));
}

bool CWindowWnd::RegisterSuperclass() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (!::GetClassInfoExW(nullptr, SuperclassName(), &wc) &&
      !::GetClassInfoExW(ModuleInstance(), SuperclassName(), &wc)) {
    ASSERT(!"Unable to locate window class");
    return false;
  }
  m_OldWndProc = wc.lpfnWndProc;
  wc.lpfnWndProc = CWindowWnd::SuperclassWindowProc;
  wc.hInstance = ModuleInstance();
  wc.lpszClassName = WindowClassName();
  return Registered(::RegisterClassExW(&wc));
}

HWND CWindowWnd::Create(HWND hwndParent, LPCWSTR pstrName, DWORD dwStyle, DWORD dwExStyle,
                        const RECT& rc, HMENU hMenu) {
  return Create(hwndParent, pstrName, dwStyle, dwExStyle, rc.left, rc.top, rc.right - rc.left,
                rc.bottom - rc.top, hMenu);
}

HWND CWindowWnd::Create(HWND hwndParent, LPCWSTR pstrName, DWORD dwStyle, DWORD dwExStyle, int x,
                        int y, int cx, int cy, HMENU hMenu) {
  bool registered = SuperclassName() != nullptr ? RegisterSuperclass() : RegisterWindowClass();
  if (!registered) return nullptr;
  HWND hwnd = ::CreateWindowExW(dwExStyle, WindowClassName(), pstrName, dwStyle, x, y, cx, cy,
                                hwndParent, hMenu, ModuleInstance(), this);
  ASSERT(m_hWnd != nullptr);
  // A window that refused its creation has already detached itself.
  return hwnd != nullptr ? m_hWnd : nullptr;
}

void CWindowWnd::Show(bool bShow, bool bTakeFocus) {
  ASSERT(::IsWindow(m_hWnd));
  if (!::IsWindow(m_hWnd)) return;
  ::ShowWindow(m_hWnd, bShow ? (bTakeFocus ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE) : SW_HIDE);
}

void CWindowWnd::Close(UINT nRet) {
  ASSERT(::IsWindow(m_hWnd));
  if (!::IsWindow(m_hWnd)) return;
  Post(WM_CLOSE, static_cast<WPARAM>(nRet), 0);
}

LRESULT CWindowWnd::Send(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  ASSERT(::IsWindow(m_hWnd));
  return ::SendMessageW(m_hWnd, uMsg, wParam, lParam);
}

void CWindowWnd::Post(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  ASSERT(::IsWindow(m_hWnd));
  ::PostMessageW(m_hWnd, uMsg, wParam, lParam);
}

void CWindowWnd::CenterOnOwner() {
  ASSERT(::IsWindow(m_hWnd));
  ASSERT((((DWORD)GetWindowLongW(m_hWnd, (-16))) & 0x40000000L) == 0);
  RECT rcWindow{};
  ::GetWindowRect(m_hWnd, &rcWindow);
  RECT rcArea{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcArea, 0);
  RECT rcReference = rcArea;
  HWND hwndOwner = ::GetWindow(m_hWnd, GW_OWNER);
  if (hwndOwner != nullptr) ::GetWindowRect(hwndOwner, &rcReference);
  int width = rcWindow.right - rcWindow.left;
  int height = rcWindow.bottom - rcWindow.top;
  int x = (rcReference.left + rcReference.right) / 2 - width / 2;
  int y = (rcReference.top + rcReference.bottom) / 2 - height / 2;
  if (x < rcArea.left) {
    x = rcArea.left;
  } else if (x + width > rcArea.right) {
    x = rcArea.right - width;
  }
  if (y < rcArea.top) {
    y = rcArea.top;
  } else if (y + height > rcArea.bottom) {
    y = rcArea.bottom - height;
  }
  ::SetWindowPos(m_hWnd, nullptr, x, y, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The object lives in the user-data slot, pointer-sized so that it survives on 64-bit hosts.
LRESULT CWindowWnd::RouteToObject(const ObjectSlot& slot, HWND hWnd, UINT uMsg, WPARAM wParam,
                                  LPARAM lParam) {
  CWindowWnd* pThis = nullptr;
  if (uMsg == WM_NCCREATE) {
    pThis = ObjectFromCreation(lParam);
    if (pThis != nullptr) {
      pThis->m_hWnd = hWnd;
      slot.set(hWnd, pThis);
    }
  } else {
    pThis = slot.get(hWnd);
    if (uMsg == WM_NCDESTROY && pThis != nullptr) {
      LRESULT lRes = ::CallWindowProcW(pThis->m_OldWndProc, hWnd, uMsg, wParam, lParam);
      slot.set(hWnd, nullptr);
      pThis->m_hWnd = nullptr;
      pThis->OnWindowGone(hWnd);
      return lRes;
    }
  }
  if (pThis != nullptr) return pThis->OnMessage(uMsg, wParam, lParam);
  return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

// Our own classes keep the object in the window's user data.
LRESULT CALLBACK CWindowWnd::ClassWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  static const ObjectSlot userData{
      [](HWND h) { return reinterpret_cast<CWindowWnd*>(::GetWindowLongPtrW(h, GWLP_USERDATA)); },
      [](HWND h, CWindowWnd* o) {
        ::SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(o));
      }};
  return RouteToObject(userData, hWnd, uMsg, wParam, lParam);
}

// A superclassed system class may use its user data itself: the object goes in a property.
LRESULT CALLBACK CWindowWnd::SuperclassWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam,
                                                  LPARAM lParam) {
  static const ObjectSlot property{
      [](HWND h) { return static_cast<CWindowWnd*>(::GetPropW(h, kObjectProperty)); },
      [](HWND h, CWindowWnd* o) { ::SetPropW(h, kObjectProperty, static_cast<HANDLE>(o)); }};
  return RouteToObject(property, hWnd, uMsg, wParam, lParam);
}

}  // namespace SkinUI

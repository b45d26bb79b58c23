// Window classes: the module's own, global and system classes.
#include "Platform/Window/WindowClasses.h"

#include <algorithm>
#include <mutex>

#include "Platform/NativeControls/CommonControls.h"
#include "Platform/NativeControls/Edit.h"

namespace Platform {
namespace {

bool NameMatches(const WindowClass& c, LPCWSTR name) {
  if (IS_INTRESOURCE(name)) return c.atom == static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name));
  return CompareStringOrdinal(c.name.c_str(), -1, name, -1, TRUE) == CSTR_EQUAL;
}

enum class Scope { Local, Global, System };

Scope ScopeOf(const WindowClass& c) {
  if (c.system) return Scope::System;
  return (c.style & CS_GLOBALCLASS) != 0 ? Scope::Global : Scope::Local;
}

std::shared_ptr<WindowClass> FindLocked(LPCWSTR name, Scope scope, HINSTANCE instance) {
  for (auto& c : WM().classes) {
    if (ScopeOf(*c) != scope || !NameMatches(*c, name)) continue;
    if (scope == Scope::Local && c->instance != instance) continue;
    return c;
  }
  return nullptr;
}

LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCHITTEST) return HTTRANSPARENT;
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

void EnsureSystemClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = StaticProc;
    wc.lpszClassName = u"Static";
    wc.style = CS_DBLCLKS | CS_PARENTDC;
    RegisterSystemClass(wc);
    RegisterEditClass();
    RegisterCommonControlClasses();
  });
}

namespace {

bool ValidClassName(LPCWSTR name) {
  return name != nullptr && (IS_INTRESOURCE(name) || name[0] != u'\0');
}

ATOM AddClass(const WNDCLASSEXW& wc, bool system) {
  if (wc.cbSize != sizeof(WNDCLASSEXW) || !ValidClassName(wc.lpszClassName) ||
      IS_INTRESOURCE(wc.lpszClassName) || wc.cbClsExtra < 0 || wc.cbWndExtra < 0 ||
      wc.cbClsExtra > 40 || wc.cbWndExtra > 40) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto lock = WindowLock();
  auto c = std::make_shared<WindowClass>();
  c->name = wc.lpszClassName;
  c->style = wc.style;
  c->system = system;
  Scope scope = ScopeOf(*c);
  if (FindLocked(wc.lpszClassName, scope, wc.hInstance) != nullptr) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  c->proc = wc.lpfnWndProc;
  c->classExtra = wc.cbClsExtra;
  c->windowExtra = wc.cbWndExtra;
  c->instance = wc.hInstance;
  c->icon = wc.hIcon;
  c->iconSmall = wc.hIconSm;
  c->cursor = wc.hCursor;
  c->background = wc.hbrBackground;
  c->menuName = wc.lpszMenuName;
  c->atom = WM().nextAtom++;
  WM().classes.push_back(c);
  return c->atom;
}

}  // namespace

std::shared_ptr<WindowClass> FindClassForWindowLocked(LPCWSTR name, HINSTANCE instance) {
  if (!ValidClassName(name)) return nullptr;
  if (auto c = FindLocked(name, Scope::Local, instance)) return c;
  if (auto c = FindLocked(name, Scope::Global, instance)) return c;
  if (auto c = FindLocked(name, Scope::System, instance)) return c;
  // A class of another module, as Windows finds one when the module handle does not match.
  for (auto& c : WM().classes) {
    if (!c->system && NameMatches(*c, name)) return c;
  }
  return nullptr;
}

ATOM RegisterSystemClass(const WNDCLASSEXW& wc) { return AddClass(wc, true); }

}  // namespace Platform

using namespace Platform;

ATOM WINAPI RegisterClassExW(const WNDCLASSEXW* lpWndClass) {
  if (lpWndClass == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  EnsureSystemClasses();
  return AddClass(*lpWndClass, false);
}

ATOM WINAPI RegisterClassW(const WNDCLASSW* lpWndClass) {
  if (lpWndClass == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = lpWndClass->style;
  wc.lpfnWndProc = lpWndClass->lpfnWndProc;
  wc.cbClsExtra = lpWndClass->cbClsExtra;
  wc.cbWndExtra = lpWndClass->cbWndExtra;
  wc.hInstance = lpWndClass->hInstance;
  wc.hIcon = lpWndClass->hIcon;
  wc.hCursor = lpWndClass->hCursor;
  wc.hbrBackground = lpWndClass->hbrBackground;
  wc.lpszMenuName = lpWndClass->lpszMenuName;
  wc.lpszClassName = lpWndClass->lpszClassName;
  return RegisterClassExW(&wc);
}

BOOL WINAPI UnregisterClassW(LPCWSTR lpClassName, HINSTANCE hInstance) {
  auto lock = WindowLock();
  auto& classes = WM().classes;
  for (auto it = classes.begin(); it != classes.end(); ++it) {
    WindowClass& c = **it;
    if (c.system || !NameMatches(c, lpClassName)) continue;
    if (ScopeOf(c) == Scope::Local && c.instance != hInstance) continue;
    if (c.windows > 0) {
      SetLastError(ERROR_CLASS_HAS_WINDOWS);
      return FALSE;
    }
    classes.erase(it);
    return TRUE;
  }
  SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
  return FALSE;
}

BOOL WINAPI GetClassInfoExW(HINSTANCE hInstance, LPCWSTR lpszClass, LPWNDCLASSEXW lpwcx) {
  if (lpwcx == nullptr || !ValidClassName(lpszClass)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  EnsureSystemClasses();
  auto lock = WindowLock();
  std::shared_ptr<WindowClass> c;
  c = FindLocked(lpszClass, Scope::Local, hInstance);
  if (!c) c = FindLocked(lpszClass, Scope::Global, hInstance);
  if (!c) c = FindLocked(lpszClass, Scope::System, hInstance);
  if (!c) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  lpwcx->style = c->style;
  lpwcx->lpfnWndProc = c->proc;
  lpwcx->cbClsExtra = c->classExtra;
  lpwcx->cbWndExtra = c->windowExtra;
  lpwcx->hInstance = c->system ? nullptr : c->instance;
  lpwcx->hIcon = c->icon;
  lpwcx->hIconSm = c->iconSmall;
  lpwcx->hCursor = c->cursor;
  lpwcx->hbrBackground = c->background;
  lpwcx->lpszMenuName = c->menuName;
  lpwcx->lpszClassName = lpszClass;
  return c->atom;
}

int WINAPI GetClassNameW(HWND hWnd, LPWSTR lpClassName, int nMaxCount) {
  auto lock = WindowLock();
  Window* w = FindWindowLocked(hWnd);
  if (w == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  if (lpClassName == nullptr || nMaxCount <= 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  const std::u16string& name = w->cls->name;
  int n = std::min(static_cast<int>(name.size()), nMaxCount - 1);
  std::copy_n(name.begin(), n, lpClassName);
  lpClassName[n] = u'\0';
  return n;
}

LRESULT WINAPI CallWindowProcW(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam,
                               LPARAM lParam) {
  if (lpPrevWndFunc == nullptr) return 0;
  return lpPrevWndFunc(hWnd, Msg, wParam, lParam);
}

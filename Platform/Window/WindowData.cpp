// What a window holds: relations, window longs, properties, text and the enabled state.
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "Platform/Host/Host.h"
#include "Platform/Text/Utf.h"
#include "Platform/Window/MessageQueue.h"
#include "Platform/Window/WindowOps.h"

namespace Platform {
namespace {

const HWND kMessageOnly = reinterpret_cast<HWND>(-3);

std::u16string PropKey(LPCWSTR name) {
  if (IS_INTRESOURCE(name)) {
    return u"#" + Utf8ToUtf16(std::to_string(reinterpret_cast<ULONG_PTR>(name)));
  }
  return name;
}

bool SameName(const std::u16string& a, LPCWSTR b) {
  return CompareStringOrdinal(a.c_str(), -1, b, -1, TRUE) == CSTR_EQUAL;
}

bool ExtraIndex(const Window* w, int index, size_t size) {
  return index >= 0 && static_cast<size_t>(index) + size <= w->extra.size();
}

LONG_PTR ReadLong(const Window* w, int index, size_t size, bool* ok) {
  *ok = true;
  switch (index) {
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT:
      return reinterpret_cast<LONG_PTR>(w->parent != nullptr ? w->parent : w->owner);
    case GWL_STYLE: return static_cast<LONG>(w->style);
    case GWL_EXSTYLE: return static_cast<LONG>(w->exStyle);
    case GWLP_USERDATA: return w->userData;
    case GWLP_ID: return w->id;
    default: break;
  }
  if (!ExtraIndex(w, index, size)) {
    *ok = false;
    return 0;
  }
  if (size == sizeof(LONG)) {
    LONG v;
    std::memcpy(&v, w->extra.data() + index, sizeof(v));
    return v;
  }
  LONG_PTR v;
  std::memcpy(&v, w->extra.data() + index, sizeof(v));
  return v;
}

LONG_PTR GetLong(HWND hwnd, int index, size_t size) {
  auto lock = WindowLock();
  const Window* w = FindWindowLocked(hwnd);
  if (w == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  bool ok = false;
  LONG_PTR v = ReadLong(w, index, size, &ok);
  if (!ok) SetLastError(ERROR_INVALID_INDEX);
  return v;
}

// Styles change with WM_STYLECHANGING and WM_STYLECHANGED around them.
LONG_PTR SetStyle(HWND hwnd, int index, DWORD value) {
  DWORD old = static_cast<DWORD>(GetLong(hwnd, index, sizeof(LONG)));
  STYLESTRUCT ss{old, value};
  CallWindowProcedure(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&ss));
  HostWindow* host = nullptr;
  BYTE alpha = 255;
  bool layeredChanged = false;
  {
    auto lock = WindowLock();
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr) return 0;
    if (index == GWL_STYLE) {
      w->style = ss.styleNew;
    } else {
      DWORD keep = w->exStyle & WS_EX_TOPMOST;  // only SetWindowPos changes topmost
      layeredChanged = ((w->exStyle ^ ss.styleNew) & WS_EX_LAYERED) != 0;
      w->exStyle = (ss.styleNew & ~static_cast<DWORD>(WS_EX_TOPMOST)) | keep;
      if ((w->exStyle & WS_EX_LAYERED) == 0) w->layeredFlags = 0;
      alpha = (w->layeredFlags & LWA_ALPHA) != 0 ? w->alpha : 255;
    }
    host = w->host;
  }
  if (layeredChanged && host != nullptr) CurrentHost().SetOpacity(host, alpha);
  CallWindowProcedure(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&ss));
  return static_cast<LONG>(old);
}

LONG_PTR SetLong(HWND hwnd, int index, LONG_PTR value, size_t size) {
  if (index == GWL_STYLE || index == GWL_EXSTYLE) {
    if (!IsWindow(hwnd)) return 0;
    return SetStyle(hwnd, index, static_cast<DWORD>(value));
  }
  auto lock = WindowLock();
  Window* w = FindWindowLocked(hwnd);
  if (w == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  bool ok = false;
  LONG_PTR old = ReadLong(w, index, size, &ok);
  if (!ok) {
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
  }
  switch (index) {
    case GWLP_WNDPROC: w->proc = reinterpret_cast<WNDPROC>(value); break;
    case GWLP_HINSTANCE: w->instance = reinterpret_cast<HINSTANCE>(value); break;
    case GWLP_HWNDPARENT:
      if (w->parent == nullptr) w->owner = reinterpret_cast<HWND>(value);
      break;
    case GWLP_USERDATA: w->userData = value; break;
    case GWLP_ID: w->id = value; break;
    default:
      if (size == sizeof(LONG)) {
        LONG v = static_cast<LONG>(value);
        std::memcpy(w->extra.data() + index, &v, sizeof(v));
      } else {
        std::memcpy(w->extra.data() + index, &value, sizeof(value));
      }
      break;
  }
  SetLastError(ERROR_SUCCESS);
  return old;
}

}  // namespace
}  // namespace Platform

using namespace Platform;

BOOL WINAPI IsWindow(HWND hWnd) {
  auto lock = WindowLock();
  return FindWindowLocked(hWnd) != nullptr ? TRUE : FALSE;
}

BOOL WINAPI IsChild(HWND hWndParent, HWND hWnd) {
  auto lock = WindowLock();
  const Window* w = FindWindowLocked(hWnd);
  if (w == nullptr || (w->style & WS_CHILD) == 0 || w->parent == nullptr) return FALSE;
  return IsDescendantLocked(hWndParent, w->parent) ? TRUE : FALSE;
}

HWND WINAPI GetParent(HWND hWnd) {
  auto lock = WindowLock();
  const Window* w = FindWindowLocked(hWnd);
  if (w == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  if ((w->style & WS_CHILD) != 0) return w->parent;
  if ((w->style & WS_POPUP) != 0 && w->owner != kMessageOnly) return w->owner;
  return nullptr;
}

HWND WINAPI SetParent(HWND hWndChild, HWND hWndNewParent) {
  auto lock = WindowLock();
  Window* w = FindWindowLocked(hWndChild);
  Window* p = hWndNewParent != nullptr ? FindWindowLocked(hWndNewParent) : nullptr;
  if (w == nullptr || (hWndNewParent != nullptr && p == nullptr) || w->parent == nullptr ||
      p == nullptr || IsDescendantLocked(hWndChild, hWndNewParent)) {
    // Only moving a child between parents is supported; a window cannot become a top-level
    // window or its own descendant's child this way.
    SetLastError(w == nullptr || (hWndNewParent != nullptr && p == nullptr)
                     ? ERROR_INVALID_WINDOW_HANDLE
                     : ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  HWND old = w->parent;
  if (Window* op = FindWindowLocked(old)) std::erase(op->children, hWndChild);
  p->children.insert(p->children.begin(), hWndChild);
  w->parent = hWndNewParent;
  return old;
}

HWND WINAPI GetAncestor(HWND hwnd, UINT gaFlags) {
  auto lock = WindowLock();
  const Window* w = FindWindowLocked(hwnd);
  if (w == nullptr) return nullptr;
  switch (gaFlags) {
    case GA_PARENT: return w->parent;
    case GA_ROOT: return TopLevelOfLocked(hwnd);
    case GA_ROOTOWNER: {
      const Window* top = FindWindowLocked(TopLevelOfLocked(hwnd));
      while (top != nullptr && top->owner != nullptr && FindWindowLocked(top->owner) != nullptr) {
        top = FindWindowLocked(top->owner);
      }
      return top != nullptr ? top->handle : nullptr;
    }
    default: return nullptr;
  }
}

HWND WINAPI GetWindow(HWND hWnd, UINT uCmd) {
  auto lock = WindowLock();
  const Window* w = FindWindowLocked(hWnd);
  if (w == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  const std::vector<HWND>* siblings = &WM().topLevels;
  if (w->parent != nullptr) siblings = &FindWindowLocked(w->parent)->children;
  auto self = std::find(siblings->begin(), siblings->end(), hWnd);
  switch (uCmd) {
    case GW_OWNER: return w->owner == kMessageOnly ? nullptr : w->owner;
    case GW_CHILD: return w->children.empty() ? nullptr : w->children.front();
    case GW_HWNDFIRST: return siblings->empty() ? nullptr : siblings->front();
    case GW_HWNDLAST: return siblings->empty() ? nullptr : siblings->back();
    case GW_HWNDNEXT:
      return self == siblings->end() || self + 1 == siblings->end() ? nullptr : *(self + 1);
    case GW_HWNDPREV:
      return self == siblings->end() || self == siblings->begin() ? nullptr : *(self - 1);
    default: SetLastError(ERROR_INVALID_PARAMETER); return nullptr;
  }
}

static std::vector<HWND> Descendants(HWND parent) {
  auto lock = WindowLock();
  std::vector<HWND> out;
  const Window* p = FindWindowLocked(parent);
  if (p == nullptr) return out;
  std::vector<HWND> stack(p->children.rbegin(), p->children.rend());
  while (!stack.empty()) {
    HWND h = stack.back();
    stack.pop_back();
    out.push_back(h);
    if (const Window* c = FindWindowLocked(h))
      stack.insert(stack.end(), c->children.rbegin(), c->children.rend());
  }
  return out;
}

BOOL WINAPI EnumChildWindows(HWND hWndParent, WNDENUMPROC lpEnumFunc, LPARAM lParam) {
  if (lpEnumFunc == nullptr) return FALSE;
  std::vector<HWND> list;
  if (hWndParent == nullptr) {
    auto lock = WindowLock();
    list = WM().topLevels;
  } else {
    list = Descendants(hWndParent);
  }
  for (HWND h : list) {
    if (IsWindow(h) && !lpEnumFunc(h, lParam)) break;
  }
  return TRUE;
}

BOOL WINAPI EnumWindows(WNDENUMPROC lpEnumFunc, LPARAM lParam) {
  if (lpEnumFunc == nullptr) return FALSE;
  std::vector<HWND> list;
  {
    auto lock = WindowLock();
    for (HWND h : WM().topLevels) {
      if (FindWindowLocked(h)->owner != kMessageOnly) list.push_back(h);
    }
  }
  for (HWND h : list) {
    if (IsWindow(h) && !lpEnumFunc(h, lParam)) return FALSE;
  }
  return TRUE;
}

HWND WINAPI FindWindowW(LPCWSTR lpClassName, LPCWSTR lpWindowName) {
  auto lock = WindowLock();
  for (HWND h : WM().topLevels) {
    const Window* w = FindWindowLocked(h);
    if (w == nullptr || w->owner == kMessageOnly || !w->created) continue;
    if (lpClassName != nullptr) {
      bool match = IS_INTRESOURCE(lpClassName)
                       ? w->cls->atom == static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(lpClassName))
                       : SameName(w->cls->name, lpClassName);
      if (!match) continue;
    }
    if (lpWindowName != nullptr && !SameName(w->text, lpWindowName)) continue;
    return h;
  }
  SetLastError(ERROR_SUCCESS);
  return nullptr;
}

DWORD WINAPI GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId) {
  auto lock = WindowLock();
  const Window* w = FindWindowLocked(hWnd);
  if (w == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  if (lpdwProcessId != nullptr) *lpdwProcessId = static_cast<DWORD>(getpid());
  return w->queue->threadId;
}

LONG WINAPI GetWindowLongW(HWND hWnd, int nIndex) {
  return static_cast<LONG>(GetLong(hWnd, nIndex, sizeof(LONG)));
}

LONG WINAPI SetWindowLongW(HWND hWnd, int nIndex, LONG dwNewLong) {
  return static_cast<LONG>(SetLong(hWnd, nIndex, dwNewLong, sizeof(LONG)));
}

LONG_PTR WINAPI GetWindowLongPtrW(HWND hWnd, int nIndex) {
  return GetLong(hWnd, nIndex, sizeof(LONG_PTR));
}

LONG_PTR WINAPI SetWindowLongPtrW(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
  return SetLong(hWnd, nIndex, dwNewLong, sizeof(LONG_PTR));
}

HANDLE WINAPI GetPropW(HWND hWnd, LPCWSTR lpString) {
  if (lpString == nullptr) return nullptr;
  std::u16string key = PropKey(lpString);
  auto lock = WindowLock();
  const Window* w = FindWindowLocked(hWnd);
  if (w == nullptr) return nullptr;
  for (const auto& [name, data] : w->props) {
    if (SameName(name, key.c_str())) return data;
  }
  return nullptr;
}

BOOL WINAPI SetPropW(HWND hWnd, LPCWSTR lpString, HANDLE hData) {
  if (lpString == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::u16string key = PropKey(lpString);
  auto lock = WindowLock();
  Window* w = FindWindowLocked(hWnd);
  if (w == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  for (auto& [name, data] : w->props) {
    if (SameName(name, key.c_str())) {
      data = hData;
      return TRUE;
    }
  }
  w->props.emplace_back(key, hData);
  return TRUE;
}

HANDLE WINAPI RemovePropW(HWND hWnd, LPCWSTR lpString) {
  if (lpString == nullptr) return nullptr;
  std::u16string key = PropKey(lpString);
  auto lock = WindowLock();
  Window* w = FindWindowLocked(hWnd);
  if (w == nullptr) return nullptr;
  for (auto it = w->props.begin(); it != w->props.end(); ++it) {
    if (SameName(it->first, key.c_str())) {
      HANDLE data = it->second;
      w->props.erase(it);
      return data;
    }
  }
  return nullptr;
}

BOOL WINAPI SetWindowTextW(HWND hWnd, LPCWSTR lpString) {
  if (!IsWindow(hWnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return SendMessageW(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString)) ? TRUE : FALSE;
}

int WINAPI GetWindowTextW(HWND hWnd, LPWSTR lpString, int nMaxCount) {
  if (lpString == nullptr || nMaxCount <= 0) return 0;
  lpString[0] = u'\0';
  if (!IsWindow(hWnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  return static_cast<int>(SendMessageW(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount),
                                       reinterpret_cast<LPARAM>(lpString)));
}

int WINAPI GetWindowTextLengthW(HWND hWnd) {
  if (!IsWindow(hWnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  return static_cast<int>(SendMessageW(hWnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable) {
  bool wasDisabled = false;
  {
    auto lock = WindowLock();
    Window* w = FindWindowLocked(hWnd);
    if (w == nullptr) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    wasDisabled = (w->style & WS_DISABLED) != 0;
    if (wasDisabled == !bEnable) return wasDisabled ? TRUE : FALSE;
    if (bEnable) {
      w->style &= ~static_cast<DWORD>(WS_DISABLED);
    } else {
      w->style |= WS_DISABLED;
    }
  }
  if (!bEnable) {
    if (GetFocus() != nullptr && (GetFocus() == hWnd || IsChild(hWnd, GetFocus())))
      SetFocus(nullptr);
    if (GetCapture() == hWnd) ReleaseCapture();
  }
  SendMessageW(hWnd, WM_ENABLE, bEnable ? TRUE : FALSE, 0);
  return wasDisabled ? TRUE : FALSE;
}

BOOL WINAPI IsWindowEnabled(HWND hWnd) {
  auto lock = WindowLock();
  const Window* w = FindWindowLocked(hWnd);
  return w != nullptr && (w->style & WS_DISABLED) == 0 ? TRUE : FALSE;
}

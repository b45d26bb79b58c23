// Message boxes and the folder browser, run by the host on its own thread and modal to their
// owner window.
#include <algorithm>

#include "Platform/Host/Host.h"
#include "Platform/Shell/ItemIdList.h"
#include "Platform/Text/AsciiText.h"
#include "Platform/Window/MessageQueue.h"

namespace Platform {
namespace {

// As Windows activates the owner again when its dialog closes, the keyboard comes back to it
// (on the owner's own thread; another thread's focus is not ours to set).
void GiveFocusBack(HWND owner) {
  if (owner == nullptr || !IsWindow(owner)) return;
  if (GetWindowThreadProcessId(owner, nullptr) != GetCurrentThreadId()) return;
  SetFocus(owner);
}

// Runs a host dialog where the host needs it and disables the owner meanwhile.
template <typename F>
void RunModal(HWND owner, F dialog) {
  struct FocusBack {
    HWND owner;
    ~FocusBack() { GiveFocusBack(owner); }
  } focusBack{owner};
  Host& host = CurrentHost();
  auto body = [&] {
    bool disabled = false;
    if (owner != nullptr && IsWindow(owner) && IsWindowEnabled(owner)) {
      EnableWindow(owner, FALSE);
      disabled = true;
    }
    dialog(host);
    if (disabled && IsWindow(owner)) EnableWindow(owner, TRUE);
  };
  if (!host.RunsOnHostThread() || OnHostThread()) {
    body();
    return;
  }
  QueuePtr hostQueue;
  {
    auto lock = WindowLock();
    hostQueue = QueueOfThreadLocked(HostThreadId());
  }
  if (!hostQueue || !RunOnThread(hostQueue, body)) body();
}

// What the caller's callback selects when the folder browser starts. The callback gets a window
// that stands for the dialog and answers BFFM_SETSELECTIONW (a path, wParam TRUE, or an item
// list); the other requests have nothing to act on before the host's dialog is shown.
LRESULT CALLBACK SelectionProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != BFFM_SETSELECTIONW) return DefWindowProcW(hwnd, msg, wParam, lParam);
  auto* selection = reinterpret_cast<std::u16string*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (selection == nullptr || lParam == 0) return 0;
  if (wParam) {
    *selection = reinterpret_cast<LPCWSTR>(lParam);
  } else {
    WCHAR path[MAX_PATH] = {};
    if (SHGetPathFromIDListW(reinterpret_cast<LPCITEMIDLIST>(lParam), path)) *selection = path;
  }
  return 0;
}

std::u16string InitialSelection(const BROWSEINFOW& bi) {
  std::u16string selection;
  if (bi.lpfn == nullptr) return selection;
  static const ATOM atom = [] {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = SelectionProc;
    wc.lpszClassName = u"SkinUIFolderBrowserStart";
    return RegisterClassW(&wc);
  }();
  HWND stand = atom != 0 ? CreateWindowExW(0, u"SkinUIFolderBrowserStart", u"", 0, 0, 0, 0, 0,
                                           HWND_MESSAGE, nullptr, nullptr, nullptr)
                         : nullptr;
  if (stand == nullptr) return selection;
  SetWindowLongPtrW(stand, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&selection));
  bi.lpfn(stand, BFFM_INITIALIZED, 0, bi.lParam);
  DestroyWindow(stand);
  return selection;
}

bool ValidType(UINT type) { return (type & MB_TYPEMASK) <= MB_CANCELTRYCONTINUE; }

}  // namespace
}  // namespace Platform

using namespace Platform;

int WINAPI MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType) {
  if (!ValidType(uType)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (hWnd != nullptr && !IsWindow(hWnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  std::u16string text = lpText != nullptr ? lpText : u"";
  std::u16string caption = lpCaption != nullptr ? lpCaption : u"Error";
  int answer = 0;
  RunModal(hWnd, [&](Host& host) { answer = host.MessageBox(hWnd, text, caption, uType); });
  return answer;
}

LPITEMIDLIST WINAPI SHBrowseForFolderW(LPBROWSEINFOW lpbi) {
  if (lpbi == nullptr) return nullptr;
  HWND owner = IsWindow(lpbi->hwndOwner) ? lpbi->hwndOwner : nullptr;
  std::u16string title = lpbi->lpszTitle != nullptr ? lpbi->lpszTitle : u"";
  std::u16string path = InitialSelection(*lpbi);
  bool chosen = false;
  RunModal(owner, [&](Host& host) { chosen = host.BrowseForFolder(owner, title, &path); });
  if (!chosen) return nullptr;
  LPITEMIDLIST pidl = CreateItemIdList(path);
  if (pidl == nullptr) return nullptr;
  if (lpbi->pszDisplayName != nullptr) {
    std::u16string name = path;
    while (name.size() > 3 && Platform::IsPathSeparator(name.back())) name.pop_back();
    size_t slash = name.find_last_of(u"\\/");
    if (slash != std::u16string::npos && name.size() > 3) name = name.substr(slash + 1);
    size_t n = std::min<size_t>(name.size(), MAX_PATH - 1);
    std::copy_n(name.begin(), n, lpbi->pszDisplayName);
    lpbi->pszDisplayName[n] = u'\0';
  }
  return pidl;
}

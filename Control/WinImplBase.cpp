#include "Control/WinImplBase.h"

#include <cstring>
#include <deque>

#include "Core/UIAttrValue.h"
#include "Core/UIControl.h"

namespace SkinUI {

namespace {

const WCHAR kZipResourceType[] = TEXT("ZIPRES");
const WCHAR kMarkupResourceType[] = TEXT("xml");
const WCHAR kSkinFailedText[] = TEXT("加载资源文件失败");
const WCHAR kSkinFailedCaption[] = TEXT("SkinUI");

// Zip resources copied out of the module. Never freed: the skin settings keep pointing into
// the one in use for the rest of the process, and an earlier window's archive may still be
// open. A resource that was copied before is not copied again.
struct ZipCopy {
  const void* pSource;
  DWORD dwSize;
  BYTE* pBytes;
};
std::deque<ZipCopy>& ZipCopies() {
  static auto* copies = new std::deque<ZipCopy>();
  return *copies;
}
const ZipCopy* g_pZipInUse = nullptr;

const ZipCopy& CopyZipResource(const void* pSource, DWORD dwSize) {
  for (const ZipCopy& copy : ZipCopies())
    if (copy.pSource == pSource && copy.dwSize == dwSize) return copy;
  BYTE* pBytes = new BYTE[dwSize];
  std::memcpy(pBytes, pSource, dwSize);
  ZipCopies().push_back({pSource, dwSize, pBytes});
  return ZipCopies().back();
}

// The class names of controls that keep their own mouse handling inside the caption area.
bool IsCaptionExempt(LPCWSTR pstrClass) {
  static const WCHAR* const kExempt[] = {TEXT("ButtonUI"), TEXT("OptionUI"), TEXT("TextUI")};
  for (const WCHAR* name : kExempt)
    if (::CompareStringOrdinal(pstrClass, -1, name, -1, TRUE) == CSTR_EQUAL) return true;
  return false;
}

void ClickSystemButton(HWND hWnd, WPARAM command) {
  ::SendMessageW(hWnd, WM_SYSCOMMAND, command, 0);
}

}  // namespace

// --- Notifications ----------------------------------------------------------------------------

const NotificationMapData* WindowImplBase::ClassNotificationMap() {
  static const NotificationMapEntry entries[] = {
      {TEXT("click"), TEXT(""), NotificationHandle, &WindowImplBase::OnClickNotification},
      {TEXT(""), TEXT(""), NotificationEnd, nullptr},
  };
  static const NotificationMapData map = {nullptr, entries};
  return &map;
}

const NotificationMapData* WindowImplBase::NotificationMap() const {
  return ClassNotificationMap();
}

const NotificationMapEntry* WindowImplBase::FindEntry(const NotificationMapData* pMap,
                                                      const TNotifyMsg& msg) {
  const NotificationMapEntry* pAnyControl = nullptr;
  for (const NotificationMapEntry* pEntry = pMap->lpEntries; pEntry->nKind != NotificationEnd;
       ++pEntry) {
    if (pEntry->sType != msg.sType) continue;
    if (pEntry->sControlName.IsEmpty()) {
      pAnyControl = pEntry;
    } else if (msg.pSender != nullptr && pEntry->sControlName == msg.pSender->GetName()) {
      return pEntry;
    }
  }
  return pAnyControl;
}

void WindowImplBase::Receive(TNotifyMsg& msg) {
  for (const NotificationMapData* pMap = NotificationMap(); pMap != nullptr;) {
    if (const NotificationMapEntry* pEntry = FindEntry(pMap, msg)) {
      if (pEntry->nKind == NotificationHandle && pEntry->pfnHandler != nullptr) {
        (this->*(pEntry->pfnHandler))(msg);
      } else {
        ASSERT(pEntry->nKind == NotificationIgnore);
      }
      return;
    }
    const NotificationMapData* pBase = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr;
    ASSERT(pMap != pBase);
    if (pMap == pBase) return;
    pMap = pBase;
  }
}

void WindowImplBase::OnClickNotification(TNotifyMsg& msg) {
  if (msg.pSender == nullptr) return;
  CUIString sName = msg.pSender->GetName();
  if (sName == TEXT("closebtn")) {
    Close(1);
  } else if (sName == TEXT("minbtn")) {
    ClickSystemButton(m_hWnd, SC_MINIMIZE);
  } else if (sName == TEXT("maxbtn")) {
    ClickSystemButton(m_hWnd, SC_MAXIMIZE);
  } else if (sName == TEXT("restorebtn")) {
    ClickSystemButton(m_hWnd, SC_RESTORE);
  }
}

LRESULT WindowImplBase::FilterMessage(UINT, WPARAM, LPARAM, bool&) { return 0; }

CControlUI* WindowImplBase::CreateCustomControl(LPCWSTR) { return nullptr; }

// --- Window class -----------------------------------------------------------------------------

LPCWSTR WindowImplBase::SuperclassName() const { return nullptr; }

UINT WindowImplBase::WindowClassStyle() const { return CS_DBLCLKS; }

LONG WindowImplBase::FramelessStyle() const {
  return ::GetWindowLongW(m_hWnd, GWL_STYLE) & ~static_cast<LONG>(WS_CAPTION);
}

void WindowImplBase::OnWindowGone(HWND) {
  m_PaintManager.RemovePreFilter(this);
  m_PaintManager.RemoveListener(this);
  CControlUI* pRoot = m_PaintManager.GetRoot();
  ASSERT(pRoot);
  if (pRoot != nullptr) m_PaintManager.ForgetControl(pRoot);
}

// --- Message dispatch -------------------------------------------------------------------------

LRESULT WindowImplBase::OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  bool bHandled = true;
  LRESULT lRes = DispatchMessageKind(uMsg, wParam, lParam, bHandled);
  if (bHandled) return lRes;
  lRes = OnOtherMessage(uMsg, wParam, lParam, bHandled);
  if (bHandled) return lRes;
  if (m_PaintManager.RouteMessage(uMsg, wParam, lParam, lRes)) return lRes;
  return DefaultProcessing(uMsg, wParam, lParam);
}

LRESULT WindowImplBase::DispatchMessageKind(UINT uMsg, WPARAM wParam, LPARAM lParam,
                                            bool& bHandled) {
  switch (uMsg) {
    case WM_CREATE: return OnCreateMessage(uMsg, wParam, lParam, bHandled);
    case WM_CLOSE: return OnCloseMessage(uMsg, wParam, lParam, bHandled);
    case WM_DESTROY: return OnDestroyMessage(uMsg, wParam, lParam, bHandled);
    case WM_NCACTIVATE: return OnNcActivateMessage(uMsg, wParam, lParam, bHandled);
    case WM_NCCALCSIZE: return OnNcCalcSizeMessage(uMsg, wParam, lParam, bHandled);
    case WM_NCPAINT: return OnNcPaintMessage(uMsg, wParam, lParam, bHandled);
    case WM_NCHITTEST: return OnNcHitTestMessage(uMsg, wParam, lParam, bHandled);
    case WM_GETMINMAXINFO: return OnMinMaxInfoMessage(uMsg, wParam, lParam, bHandled);
    case WM_MOUSEWHEEL: return OnWheelMessage(uMsg, wParam, lParam, bHandled);
    case WM_MOUSEHOVER: return OnHoverMessage(uMsg, wParam, lParam, bHandled);
    case WM_SIZE: return OnSizeMessage(uMsg, wParam, lParam, bHandled);
    case WM_CHAR: return OnCharMessage(uMsg, wParam, lParam, bHandled);
    case WM_SYSCOMMAND: return OnSysCommandMessage(uMsg, wParam, lParam, bHandled);
    case WM_KEYDOWN: return OnKeyDownMessage(uMsg, wParam, lParam, bHandled);
    case WM_KILLFOCUS: return OnKillFocusMessage(uMsg, wParam, lParam, bHandled);
    case WM_SETFOCUS: return OnSetFocusMessage(uMsg, wParam, lParam, bHandled);
    case WM_LBUTTONDOWN: return OnLeftDownMessage(uMsg, wParam, lParam, bHandled);
    case WM_LBUTTONUP: return OnLeftUpMessage(uMsg, wParam, lParam, bHandled);
    case WM_RBUTTONDOWN: return OnRightDownMessage(uMsg, wParam, lParam, bHandled);
    case WM_RBUTTONUP: return OnRightUpMessage(uMsg, wParam, lParam, bHandled);
    case WM_MOUSEMOVE: return OnMouseMoveMessage(uMsg, wParam, lParam, bHandled);
    default: bHandled = false; return 0;
  }
}

#define SKINUI_NOT_HANDLED(Operation)                                       \
  LRESULT WindowImplBase::Operation(UINT, WPARAM, LPARAM, bool& bHandled) { \
    bHandled = false;                                                       \
    return 0;                                                               \
  }
SKINUI_NOT_HANDLED(OnCloseMessage)
SKINUI_NOT_HANDLED(OnDestroyMessage)
SKINUI_NOT_HANDLED(OnWheelMessage)
SKINUI_NOT_HANDLED(OnHoverMessage)
SKINUI_NOT_HANDLED(OnCharMessage)
SKINUI_NOT_HANDLED(OnKeyDownMessage)
SKINUI_NOT_HANDLED(OnKillFocusMessage)
SKINUI_NOT_HANDLED(OnSetFocusMessage)
SKINUI_NOT_HANDLED(OnLeftDownMessage)
SKINUI_NOT_HANDLED(OnLeftUpMessage)
SKINUI_NOT_HANDLED(OnRightDownMessage)
SKINUI_NOT_HANDLED(OnRightUpMessage)
SKINUI_NOT_HANDLED(OnMouseMoveMessage)
SKINUI_NOT_HANDLED(OnOtherMessage)
#undef SKINUI_NOT_HANDLED

// The native frame and caption never show: the skin draws the whole window.
LRESULT WindowImplBase::OnNcCalcSizeMessage(UINT, WPARAM, LPARAM, bool&) { return 0; }
LRESULT WindowImplBase::OnNcPaintMessage(UINT, WPARAM, LPARAM, bool&) { return 0; }

LRESULT WindowImplBase::OnNcActivateMessage(UINT, WPARAM wParam, LPARAM, bool& bHandled) {
  if (::IsIconic(m_hWnd)) bHandled = false;
  return wParam == 0 ? TRUE : FALSE;
}

LRESULT WindowImplBase::OnNcHitTestMessage(UINT, WPARAM, LPARAM lParam, bool&) {
  POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ::ScreenToClient(m_hWnd, &pt);
  RECT rcClient = {};
  ::GetClientRect(m_hWnd, &rcClient);
  RECT rcCaption = m_PaintManager.CaptionArea();
  bool bInCaption = pt.x >= rcClient.left + rcCaption.left &&
                    pt.x < rcClient.right - rcCaption.right && pt.y >= rcCaption.top &&
                    pt.y < rcCaption.bottom;
  if (!bInCaption) return HTCLIENT;
  CControlUI* pControl = m_PaintManager.FindControlAt(pt);
  if (pControl != nullptr && !IsCaptionExempt(pControl->GetClassName())) return HTCAPTION;
  return HTCLIENT;
}

LRESULT WindowImplBase::OnMinMaxInfoMessage(UINT, WPARAM, LPARAM lParam, bool& bHandled) {
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  ::GetMonitorInfoW(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTOPRIMARY), &info);
  RECT rcWork = info.rcWork;
  ::OffsetRect(&rcWork, -info.rcMonitor.left, -info.rcMonitor.top);
  auto* pInfo = reinterpret_cast<MINMAXINFO*>(lParam);
  pInfo->ptMaxPosition.x = rcWork.left;
  pInfo->ptMaxPosition.y = rcWork.top;
  pInfo->ptMaxSize.x = rcWork.right;
  pInfo->ptMaxSize.y = rcWork.bottom;
  bHandled = false;
  return 0;
}

LRESULT WindowImplBase::OnSizeMessage(UINT, WPARAM, LPARAM, bool& bHandled) {
  ApplyRoundCorner();
  bHandled = false;
  return 0;
}

void WindowImplBase::ApplyRoundCorner() {
  SIZE szRound = m_PaintManager.RoundCorner();
  if (::IsIconic(m_hWnd) || (szRound.cx == 0 && szRound.cy == 0)) return;
  RECT rc = {};
  ::GetWindowRect(m_hWnd, &rc);
  ::OffsetRect(&rc, -rc.left, -rc.top);
  rc.right++;
  rc.bottom++;
  HRGN hRgn = ::CreateRoundRectRgn(rc.left, rc.top, rc.right, rc.bottom, szRound.cx, szRound.cy);
  ::SetWindowRgn(m_hWnd, hRgn, TRUE);  // the window owns the region from now on
}

LRESULT WindowImplBase::OnSysCommandMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool&) {
  if ((wParam & 0xFFF0) == SC_CLOSE) {  // the low four bits are the system's own
    ::SendMessageW(m_hWnd, WM_CLOSE, 0, 0);
    return 0;
  }
  return DefaultProcessing(uMsg, wParam, lParam);
}

// --- Creation ---------------------------------------------------------------------------------

LRESULT WindowImplBase::OnCreateMessage(UINT, WPARAM, LPARAM, bool&) {
  ::SetWindowLongW(m_hWnd, GWL_STYLE, FramelessStyle() | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
  RECT rcClient = {};
  ::GetClientRect(m_hWnd, &rcClient);
  ::SetWindowPos(m_hWnd, nullptr, rcClient.left, rcClient.top, rcClient.right - rcClient.left,
                 rcClient.bottom - rcClient.top, SWP_FRAMECHANGED);

  m_PaintManager.AttachWindow(m_hWnd);
  m_PaintManager.AddPreFilter(this);
  CPaintManagerUI::SetResourceFolder(CPaintManagerUI::InstanceFolder() + SkinFolder());
  if (!SelectSkinSource()) return 0;

  CControlUI* pRoot = BuildSkin();
  ASSERT(pRoot);
  if (pRoot == nullptr) {
    ::MessageBoxW(nullptr, kSkinFailedText, kSkinFailedCaption, MB_ICONERROR);
    ::ExitProcess(1);
    return 0;  // only reached where ExitProcess is replaced
  }
  m_PaintManager.AttachRoot(pRoot);
  m_PaintManager.AddListener(this);
  m_PaintManager.SetLayeredBackground(true);
  // The skin's "size" resized the window before its "roundcorner" was read, and a window
  // created visible may see no further WM_SIZE: shape it now for the size it has.
  ApplyRoundCorner();
  OnSkinReady();
  return 0;
}

bool WindowImplBase::SelectSkinSource() {
  switch (SkinSource()) {
    case SkinFromZipFile: CPaintManagerUI::SetResourceZip(SkinZipName(), true); return true;
    case SkinFromZipResource: {
      HINSTANCE hModule = CPaintManagerUI::ResourceModule();
      HRSRC hResource = ::FindResourceW(hModule, SkinResourceId(), kZipResourceType);
      if (hResource == nullptr) return false;
      HGLOBAL hGlobal = ::LoadResource(hModule, hResource);
      if (hGlobal == nullptr) return false;
      DWORD dwSize = ::SizeofResource(hModule, hResource);
      const void* pSource = ::LockResource(hGlobal);
      if (dwSize == 0 || pSource == nullptr) {
        ::FreeResource(hGlobal);
        return false;
      }
      const ZipCopy& copy = CopyZipResource(pSource, dwSize);
      g_pZipInUse = &copy;
      ::FreeResource(hGlobal);
      CPaintManagerUI::SetResourceZipBuffer(copy.pBytes, dwSize);
      return true;
    }
    default: return true;
  }
}

CControlUI* WindowImplBase::BuildSkin() {
  CLayoutBuilder builder;
  CUIString sFile = SkinFile();
  if (SkinSource() == SkinFromResource) {
    int nId = UIStrToInt(sFile);
    return builder.Create(MAKEINTRESOURCEW(nId), kMarkupResourceType, this, &m_PaintManager,
                          nullptr);
  }
  return builder.Create(sFile.GetData(), nullptr, this, &m_PaintManager, nullptr);
}

const BYTE* WindowImplBase::ZipResourceBuffer() {
  return g_pZipInUse ? g_pZipInUse->pBytes : nullptr;
}

DWORD WindowImplBase::ZipResourceSize() { return g_pZipInUse ? g_pZipInUse->dwSize : 0; }

}  // namespace SkinUI

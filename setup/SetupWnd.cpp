#include "setup/SetupWnd.h"

#include <cstring>

#include "setup/InstallNames.h"
#include "setup/InstallRecords.h"
#include "setup/InstallSequence.h"

using namespace SkinUI;

namespace {

const WCHAR kBrowseTitle[] = TEXT("请选择路径: ");
const WCHAR kInstallPathKey[] = TEXT("Software\\Halvane");
const WCHAR kInstallPathValue[] = TEXT("InstallPath");
const WCHAR kProductFolder[] = TEXT("Halvane\\");

// Whether the per-user record holds an install path value at all (an empty one counts): an
// empty value leaves the edit empty, a missing one brings the default directory.
bool InstallPathRecorded() {
  HKEY hKey = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kInstallPathKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
    return false;
  DWORD dwType = 0;
  DWORD cbData = 0;
  LONG lResult = RegQueryValueExW(hKey, kInstallPathValue, nullptr, &dwType, nullptr, &cbData);
  RegCloseKey(hKey);
  return lResult == ERROR_SUCCESS;
}

// The program-files folder followed by "\Halvane\", with COM initialised and released around
// the lookup. False when the folder cannot be had or the result would not fit MAX_PATH.
bool DefaultInstallDir(WCHAR* buffer) {
  HRESULT hrInit = CoInitialize(nullptr);
  bool bFound = false;
  PIDLIST_ABSOLUTE pidl = nullptr;
  if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_PROGRAM_FILES, &pidl)) && pidl) {
    WCHAR szFolder[MAX_PATH] = {};
    if (SHGetPathFromIDListW(pidl, szFolder)) {
      int nLength = lstrlenW(szFolder);
      if (nLength + 1 + lstrlenW(kProductFolder) < MAX_PATH) {
        wnsprintfW(buffer, MAX_PATH, TEXT("%s\\%s"), szFolder, kProductFolder);
        bFound = true;
      }
    }
    CoTaskMemFree(pidl);
  }
  if (SUCCEEDED(hrInit)) CoUninitialize();
  return bFound;
}

template <typename T>
T* FindAs(CPaintManagerUI& manager, LPCWSTR pstrName, LPCWSTR pstrInterface) {
  CControlUI* pControl = manager.FindControlByName(pstrName);
  return pControl ? static_cast<T*>(pControl->GetInterfaceByName(pstrInterface)) : nullptr;
}

}  // namespace

// --- Window class and skin --------------------------------------------------------------------

LPCWSTR CSetupWnd::WindowClassName() const { return kSetupWindowClass; }

CUIString CSetupWnd::SkinFolder() const { return CUIString(TEXT("skin\\")); }
CUIString CSetupWnd::SkinFile() const { return CUIString(TEXT("skin.xml")); }
UINT CSetupWnd::SkinSource() const { return SkinFromZipResource; }
CUIString CSetupWnd::SkinZipName() const { return CUIString(TEXT("skin.zip")); }
LPCWSTR CSetupWnd::SkinResourceId() const { return MAKEINTRESOURCEW(105); }

void CSetupWnd::OnWindowGone(HWND hWnd) {
  WindowImplBase::OnWindowGone(hWnd);
  delete this;
}

// --- Start-up ---------------------------------------------------------------------------------

void CSetupWnd::OnSkinReady() {
  RECT rc = {};
  GetClientRect(m_hWnd, &rc);
  POINT ptTopLeft = {rc.left, rc.top};
  POINT ptBottomRight = {rc.right, rc.bottom};
  if (ClientToScreen(m_hWnd, &ptTopLeft) && IsWindow(m_hWnd))
    ClientToScreen(m_hWnd, &ptBottomRight);
  SetWindowPos(m_hWnd, HWND_TOPMOST, ptTopLeft.x, ptTopLeft.y, ptBottomRight.x - ptTopLeft.x,
               ptBottomRight.y - ptTopLeft.y, SWP_SHOWWINDOW);

  FindControls();
  if (m_pDefaultBrowser) m_pDefaultBrowser->SetVisible(false);
  if (m_pNoticeSvr) m_pNoticeSvr->SetVisible(false);
  FillInstallPath();
  for (COptionUI* pOption :
       {m_pDeskShortcut, m_pStartMenu, m_pDefaultBrowser, m_pTaskbar, m_pNoticeSvr})
    if (pOption) pOption->SetSelected(true);
  if (m_pProgress) m_pProgress->SetValue(0);
  // The first paint would move a focus set now on to the next control; the initial focus is
  // kept, and it opens no editor.
  if (m_pInstallBtn) m_PaintManager.SetInitialFocus(m_pInstallBtn);
}

void CSetupWnd::FindControls() {
  m_pCloseBtn = FindAs<CButtonUI>(m_PaintManager, TEXT("btn_close"), TEXT("Button"));
  m_pInstallBtn = FindAs<CButtonUI>(m_PaintManager, TEXT("btn_install"), TEXT("Button"));
  m_pGetPathBtn = FindAs<CButtonUI>(m_PaintManager, TEXT("btn_getpath"), TEXT("Button"));
  m_pPathEdit = FindAs<CEditUI>(m_PaintManager, TEXT("edit_path"), TEXT("Edit"));
  m_pDeskShortcut =
      FindAs<COptionUI>(m_PaintManager, TEXT("btn_check_deskshortcut"), TEXT("Option"));
  m_pStartMenu = FindAs<COptionUI>(m_PaintManager, TEXT("btn_check_startmenu"), TEXT("Option"));
  m_pDefaultBrowser = FindAs<COptionUI>(m_PaintManager, TEXT("btn_check_default"), TEXT("Option"));
  m_pTaskbar = FindAs<COptionUI>(m_PaintManager, TEXT("btn_check_taskbar"), TEXT("Option"));
  m_pNoticeSvr = FindAs<COptionUI>(m_PaintManager, TEXT("btn_check_noticesvr"), TEXT("Option"));
  m_pProgress = FindAs<CProgressUI>(m_PaintManager, TEXT("Progress_setup"), TEXT("Progress"));
}

void CSetupWnd::FillInstallPath() {
  if (m_pPathEdit == nullptr) return;
  WCHAR szPath[MAX_PATH] = {};
  if (ReadInstallPath(szPath)) {
    if (lstrlenW(szPath) > 0) m_pPathEdit->SetText(szPath);
    return;
  }
  if (InstallPathRecorded()) return;  // recorded but empty (or unreadable): left as it is
  if (DefaultInstallDir(szPath)) m_pPathEdit->SetText(szPath);
}

// --- Notifications ----------------------------------------------------------------------------

const NotificationMapData* CSetupWnd::ClassNotificationMap() {
  static const NotificationMapEntry entries[] = {
      {TEXT("click"), TEXT(""), NotificationHandle, NotifyHandler(&CSetupWnd::OnClickNotification)},
      {TEXT(""), TEXT(""), NotificationEnd, nullptr},
  };
  static const NotificationMapData map = {&WindowImplBase::ClassNotificationMap, entries};
  return &map;
}

const NotificationMapData* CSetupWnd::NotificationMap() const { return ClassNotificationMap(); }

void CSetupWnd::Receive(TNotifyMsg& msg) {
  if (msg.sType == TEXT("windowinit")) OnWindowInitHook();
  WindowImplBase::Receive(msg);
}

void CSetupWnd::OnClickNotification(TNotifyMsg& msg) {
  if (msg.pSender == nullptr) return;
  if (msg.pSender == m_pCloseBtn) {
    PostQuitMessage(0);
  } else if (msg.pSender == m_pInstallBtn) {
    if (StartInProgress) return;
    bool bDesktop = m_pDeskShortcut && m_pDeskShortcut->IsSelected();
    bool bStartMenu = m_pStartMenu && m_pStartMenu->IsSelected();
    bool bTaskbar = m_pTaskbar && m_pTaskbar->IsSelected();
    CUIString sDirectory = m_pPathEdit ? m_pPathEdit->GetText() : CUIString();
    StartInstall(m_hWnd, sDirectory, bDesktop, bStartMenu, bTaskbar);
  } else if (msg.pSender == m_pGetPathBtn) {
    BrowseForInstallDir();
  }
}

// --- Browsing ---------------------------------------------------------------------------------

namespace {

// Starts the browser at the path in the edit (the dialog shows the nearest folder that exists).
int CALLBACK StartAtPath(HWND hDialog, UINT uMsg, LPARAM, LPARAM lpData) {
  if (uMsg == BFFM_INITIALIZED && lpData != 0)
    SendMessageW(hDialog, BFFM_SETSELECTIONW, TRUE, lpData);
  return 0;
}

}  // namespace

void CSetupWnd::BrowseForInstallDir() {
  CUIString sStart = m_pPathEdit ? m_pPathEdit->GetText() : CUIString();
  BROWSEINFOW bi = {};
  bi.hwndOwner = m_hWnd;
  bi.lpszTitle = kBrowseTitle;
  bi.ulFlags = BIF_RETURNONLYFSDIRS;
  bi.lpfn = StartAtPath;
  bi.lParam = reinterpret_cast<LPARAM>(sStart.GetData());
  PIDLIST_ABSOLUTE pidl = SHBrowseForFolderW(&bi);
  if (pidl == nullptr) return;
  WCHAR szFolder[MAX_PATH] = {};
  BOOL bPath = SHGetPathFromIDListW(pidl, szFolder);
  CoTaskMemFree(pidl);
  if (bPath) PutBrowsedFolder(szFolder);
}

bool CSetupWnd::PutBrowsedFolder(LPCWSTR pstrFolder) {
  if (m_pPathEdit == nullptr || pstrFolder == nullptr) return false;
  int nLength = lstrlenW(pstrFolder);
  bool bHasSeparator = nLength > 0 && pstrFolder[nLength - 1] == TEXT('\\');
  int nTotal = nLength + (bHasSeparator ? 0 : 1) + lstrlenW(kProductFolder);
  if (nTotal >= MAX_PATH) return false;
  CUIString sDirectory = pstrFolder;
  if (!bHasSeparator) sDirectory += TEXT('\\');
  sDirectory += kProductFolder;
  m_pPathEdit->SetText(sDirectory);
  return true;
}

// --- Messages ---------------------------------------------------------------------------------

LRESULT CSetupWnd::OnSysCommandMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
  if ((wParam & 0xFFF0) == SC_CLOSE) {  // the low four bits are the system's own
    PostQuitMessage(0);
    bHandled = true;
    return 0;
  }
  return DefaultProcessing(uMsg, wParam, lParam);
}

LRESULT CSetupWnd::OnOtherMessage(UINT uMsg, WPARAM, LPARAM lParam, bool& bHandled) {
  if (uMsg == WM_COPYDATA) {
    OnProgressMessage(lParam);
    bHandled = false;
    return 0;
  }
  if (uMsg == WM_NCLBUTTONDBLCLK) {
    bHandled = true;  // the caption neither maximises nor restores
    return 0;
  }
  bHandled = false;
  return 0;
}

// Any program can send this window a WM_COPYDATA: only a record with the progress tag, room for
// the 32-bit value and a data pointer moves the bar.
void CSetupWnd::OnProgressMessage(LPARAM lParam) {
  const auto* pRecord = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
  if (pRecord == nullptr || pRecord->dwData != ProgressCopyTag) return;
  if (pRecord->cbData < sizeof(LONG) || pRecord->lpData == nullptr) return;
  LONG nPercent = 0;
  std::memcpy(&nPercent, pRecord->lpData, sizeof(nPercent));
  if (m_pProgress) m_pProgress->SetValue(nPercent);
}

#include "setup/SetupWnd.h"

#include <cstring>
#include <initializer_list>

#include "setup/InstallManifest.h"
#include "setup/InstallNames.h"
#include "setup/InstallRecords.h"
#include "setup/InstallSequence.h"
#include "setup/PayloadFile.h"

using namespace SkinUI;

namespace {

const WCHAR kBrowseTitle[] = TEXT("请选择路径: ");
const WCHAR kProductFolder[] = TEXT("Halvane\\");
const WCHAR kCancelQuestion[] = TEXT("安装尚未完成。确定要取消安装吗？\n已安装的文件将被删除。");
// The option's focus ring, laid over its box (the last frame of check.png).
const WCHAR kOptionFocusRing[] = TEXT("file='check.png' source='64,0,80,16' dest='0,2,16,18'");

struct ButtonLook {
  LPCWSTR normal, hot, pushed, focused;
};
const ButtonLook kInstallLook = {TEXT("file='install.png' source='0,0,130,40'"),
                                 TEXT("file='install.png' source='130,0,260,40'"),
                                 TEXT("file='install.png' source='260,0,390,40'"),
                                 TEXT("file='install.png' source='390,0,520,40'")};
const ButtonLook kReinstallLook = {TEXT("file='reinstall.png' source='0,0,130,40'"),
                                   TEXT("file='reinstall.png' source='130,0,260,40'"),
                                   TEXT("file='reinstall.png' source='260,0,390,40'"),
                                   TEXT("file='reinstall.png' source='390,0,520,40'")};

// Whether `text` names a folder that holds an earlier install: its list or its launcher.
bool HoldsInstall(const CUIString& text) {
  CUIString dir = text;
  if (dir.IsEmpty()) return false;
  if (dir[dir.GetLength() - 1] != TEXT('\\')) dir += TEXT('\\');
  for (LPCWSTR name : {kManifestFileName, kLauncherName}) {
    CUIString path = dir + name;
    if (path.GetLength() < MAX_PATH && GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES)
      return true;
  }
  return false;
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
  m_PaintManager.RemoveAccelerator(this);
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
  ShowInstallState();
  // No control has the focus at the start: an Enter or Space meant for another window must not
  // start an install. Tab brings the focus to the path first.
  m_PaintManager.SetInitialFocus(nullptr);
  m_PaintManager.AddAccelerator(this);
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
  m_pInstalledLabel = FindAs<CLabelUI>(m_PaintManager, TEXT("lbl_installed"), TEXT("Label"));
}

void CSetupWnd::FillInstallPath() {
  if (m_pPathEdit == nullptr) return;
  WCHAR szPath[MAX_PATH] = {};
  if (ReadInstallPath(szPath)) {
    // A record longer than the field takes is not shown cut: the default comes instead.
    UINT uLength = static_cast<UINT>(lstrlenW(szPath));
    if (uLength <= m_pPathEdit->GetMaxChar()) {
      if (uLength > 0) m_pPathEdit->SetText(szPath);
      return;
    }
    szPath[0] = 0;
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
  if (msg.sType == TEXT("setfocus") || msg.sType == TEXT("killfocus")) OnFocusChange(msg);
  if (msg.pSender != nullptr && msg.pSender == m_pPathEdit) {
    if (msg.sType == TEXT("return")) StartFromWindow();
    if (msg.sType == TEXT("textchanged")) ShowInstallState();
  }
  WindowImplBase::Receive(msg);
}

void CSetupWnd::OnClickNotification(TNotifyMsg& msg) {
  if (msg.pSender == nullptr) return;
  if (msg.pSender == m_pCloseBtn) {
    RequestClose();
  } else if (msg.pSender == m_pInstallBtn) {
    StartFromWindow();
  } else if (msg.pSender == m_pGetPathBtn) {
    BrowseForInstallDir();
  }
}

void CSetupWnd::StartFromWindow() {
  if (StartInProgress) return;
  bool bDesktop = m_pDeskShortcut && m_pDeskShortcut->IsSelected();
  bool bStartMenu = m_pStartMenu && m_pStartMenu->IsSelected();
  bool bTaskbar = m_pTaskbar && m_pTaskbar->IsSelected();
  CUIString sDirectory = m_pPathEdit ? m_pPathEdit->GetText() : CUIString();
  StartInstall(m_hWnd, sDirectory, bDesktop, bStartMenu, bTaskbar);
}

void CSetupWnd::RequestClose() {
  if (InstallCancelRequested) return;  // the install is being taken back; it closes after
  if (StartInProgress) {
    HoldInstall();
    int nAnswer =
        ShowInstallerMessage(m_hWnd, kCancelQuestion, kProductName, MB_YESNO | MB_ICONQUESTION);
    bool bStop = nAnswer == IDYES && StartInProgress;
    if (bStop) InstallCancelRequested = true;
    ReleaseInstall();
    if (nAnswer != IDYES) return;
    // An install that failed while the question was open has nothing left to stop.
    if (bStop) {
      DisableInput();
      return;
    }
  }
  PostQuitMessage(0);
}

void CSetupWnd::DisableInput() {
  m_PaintManager.SetFocusControl(nullptr);
  for (CControlUI* pControl : std::initializer_list<CControlUI*>{
           m_pInstallBtn, m_pGetPathBtn, m_pPathEdit, m_pDeskShortcut, m_pStartMenu, m_pTaskbar})
    if (pControl) pControl->SetEnabled(false);
}

LRESULT CSetupWnd::TranslateKey(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
    RequestClose();
    return 0;  // handled
  }
  return S_FALSE;
}

// Tabbing into the path selects its text, so typing replaces it; an option shows its focus
// with a ring over its box.
void CSetupWnd::OnFocusChange(TNotifyMsg& msg) {
  bool bFocused = msg.sType == TEXT("setfocus");
  if (bFocused && msg.pSender == m_pPathEdit && m_pPathEdit->GetEditorWindow())
    ::SendMessageW(m_pPathEdit->GetEditorWindow(), EM_SETSEL, 0, -1);
  for (COptionUI* pOption : {m_pDeskShortcut, m_pStartMenu, m_pTaskbar})
    if (pOption && msg.pSender == pOption)
      pOption->SetForeImage(bFocused ? kOptionFocusRing : TEXT(""));
}

void CSetupWnd::ShowInstallState() {
  bool bReinstall = m_pPathEdit && HoldsInstall(m_pPathEdit->GetText());
  if (m_pInstalledLabel) m_pInstalledLabel->SetVisible(bReinstall);
  if (m_pInstallBtn == nullptr || bReinstall == m_bReinstallLook) return;
  m_bReinstallLook = bReinstall;
  const ButtonLook& look = bReinstall ? kReinstallLook : kInstallLook;
  m_pInstallBtn->SetNormalImage(look.normal);
  m_pInstallBtn->SetHotImage(look.hot);
  m_pInstallBtn->SetPushedImage(look.pushed);
  m_pInstallBtn->SetFocusedImage(look.focused);
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
  if (nTotal > static_cast<int>(m_pPathEdit->GetMaxChar()) || nTotal >= MAX_PATH) {
    ShowErrorCode(m_hWnd, ERROR_FILENAME_EXCED_RANGE, kProductName, MB_ICONHAND);
    return false;
  }
  CUIString sDirectory = pstrFolder;
  if (!bHasSeparator) sDirectory += TEXT('\\');
  sDirectory += kProductFolder;
  m_pPathEdit->SetText(sDirectory);
  return true;
}

// --- Messages ---------------------------------------------------------------------------------

LRESULT CSetupWnd::OnSysCommandMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
  if ((wParam & 0xFFF0) == SC_CLOSE) {  // the low four bits are the system's own
    RequestClose();
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

#include "apps/launcher/LauncherWnd.h"

#include "Control/UILabel.h"
#include "apps/common/ProductRecords.h"

using namespace SkinUI;

namespace {

const UINT_PTR kLifetimeTimer = 1;
const WCHAR kUnknownVersion[] = TEXT("未知");

void SetLabel(CPaintManagerUI& manager, LPCWSTR pstrName, LPCWSTR pstrText) {
  if (CControlUI* pControl = manager.FindControlByName(pstrName)) pControl->SetText(pstrText);
}

}  // namespace

LPCWSTR CLauncherWnd::WindowClassName() const { return kLauncherWindowClass; }
CUIString CLauncherWnd::SkinFolder() const { return CUIString(); }
CUIString CLauncherWnd::SkinFile() const { return CUIString(TEXT("skin.xml")); }
UINT CLauncherWnd::SkinSource() const { return SkinFromZipResource; }
LPCWSTR CLauncherWnd::SkinResourceId() const { return MAKEINTRESOURCEW(105); }

void CLauncherWnd::OnSkinReady() {
  ShowInstall();
  if (m_nLifetimeMs > 0) SetTimer(m_hWnd, kLifetimeTimer, m_nLifetimeMs, nullptr);
}

// The version the install recorded and the folder this program runs from.
void CLauncherWnd::ShowInstall() {
  WCHAR szVersion[64];
  if (!ReadUninstallValue(TEXT("DisplayVersion"), szVersion, 64) || szVersion[0] == 0)
    lstrcpynW(szVersion, kUnknownVersion, 64);
  WCHAR szFolder[MAX_PATH] = {};
  OwnFolder(szFolder);
  WCHAR szLine[MAX_PATH + 16];
  wnsprintfW(szLine, MAX_PATH + 16, TEXT("版本：%s"), szVersion);
  SetLabel(m_PaintManager, TEXT("lbl_version"), szLine);
  wnsprintfW(szLine, MAX_PATH + 16, TEXT("安装位置：%s"), szFolder);
  SetLabel(m_PaintManager, TEXT("lbl_folder"), szLine);
}

void CLauncherWnd::OnClickNotification(TNotifyMsg& msg) {
  if (msg.pSender == nullptr) return;
  CUIString sName = msg.pSender->GetName();
  if (sName == TEXT("btn_ok") || sName == TEXT("btn_close")) {
    Close();
    return;
  }
  WindowImplBase::OnClickNotification(msg);
}

LRESULT CLauncherWnd::OnKeyDownMessage(UINT, WPARAM wParam, LPARAM, bool& bHandled) {
  bHandled = wParam == VK_ESCAPE;
  if (bHandled) Close();
  return 0;
}

LRESULT CLauncherWnd::OnDestroyMessage(UINT, WPARAM, LPARAM, bool& bHandled) {
  PostQuitMessage(0);
  bHandled = false;
  return 0;
}

LRESULT CLauncherWnd::OnOtherMessage(UINT uMsg, WPARAM wParam, LPARAM, bool& bHandled) {
  bHandled = uMsg == WM_TIMER && wParam == kLifetimeTimer;
  if (bHandled) Close();
  return 0;
}

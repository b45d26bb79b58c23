#pragma once
// CSetupWnd: the installer's one window, built from the embedded skin. It shows the install
// directory, the shortcut options, a progress bar, an install and a close button; a click on
// install starts the install sequence, and the extraction thread's progress messages move the
// bar. The install worker finds it by class "Setup" and title "Halvane安装程序".
//
// UI thread only. The object deletes itself when its native window is gone.

#include "Control/UIEdit.h"
#include "Control/UILabel.h"
#include "Control/UIOption.h"
#include "Control/WinImplBase.h"

class CSetupWnd : public SkinUI::WindowImplBase {
 public:
  CSetupWnd() = default;

  void Receive(SkinUI::TNotifyMsg& msg) override;
  static const SkinUI::NotificationMapData* ClassNotificationMap();

  // Puts "<folder>\Halvane\" into the edit (a backslash is added only when the folder lacks
  // one). False, with the edit unchanged, when the result would not fit MAX_PATH characters.
  bool PutBrowsedFolder(LPCWSTR pstrFolder);

 protected:
  LPCWSTR WindowClassName() const override;
  void OnWindowGone(HWND hWnd) override;
  void OnSkinReady() override;
  const SkinUI::NotificationMapData* NotificationMap() const override;
  void OnClickNotification(SkinUI::TNotifyMsg& msg) override;
  SkinUI::CUIString SkinFolder() const override;
  SkinUI::CUIString SkinFile() const override;
  UINT SkinSource() const override;
  SkinUI::CUIString SkinZipName() const override;
  LPCWSTR SkinResourceId() const override;
  LRESULT OnSysCommandMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
  LRESULT OnOtherMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
  virtual void OnWindowInitHook() {}

 private:
  void FindControls();
  void FillInstallPath();
  void BrowseForInstallDir();
  void OnProgressMessage(LPARAM lParam);

  SkinUI::CButtonUI* m_pCloseBtn = nullptr;
  SkinUI::CButtonUI* m_pInstallBtn = nullptr;
  SkinUI::CButtonUI* m_pGetPathBtn = nullptr;
  SkinUI::CEditUI* m_pPathEdit = nullptr;
  SkinUI::COptionUI* m_pDeskShortcut = nullptr;
  SkinUI::COptionUI* m_pStartMenu = nullptr;
  SkinUI::COptionUI* m_pDefaultBrowser = nullptr;
  SkinUI::COptionUI* m_pTaskbar = nullptr;
  SkinUI::COptionUI* m_pNoticeSvr = nullptr;
  SkinUI::CProgressUI* m_pProgress = nullptr;
};

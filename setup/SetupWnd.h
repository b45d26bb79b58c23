#pragma once
// CSetupWnd: the installer's one window, built from the embedded skin. It shows the install
// directory, the shortcut options, a progress bar, an install and a close button; a click on
// install starts the install sequence, and the extraction thread's progress messages move the
// bar. The install worker finds it by class "Setup" and title "Halvane安装程序".
//
// Keyboard: Tab runs path, browse, the options, install, close; nothing has the focus at the
// start, so a stray Enter or Space does nothing; Enter in the path field installs; Escape
// closes. Closing while an install runs asks first and, on yes, has the install taken back.
//
// UI thread only. The object deletes itself when its native window is gone.

#include "Control/UIEdit.h"
#include "Control/UILabel.h"
#include "Control/UIOption.h"
#include "Control/WinImplBase.h"

class CSetupWnd : public SkinUI::WindowImplBase, public SkinUI::ITranslateAccelerator {
 public:
  CSetupWnd() = default;

  void Receive(SkinUI::TNotifyMsg& msg) override;
  static const SkinUI::NotificationMapData* ClassNotificationMap();

  // Puts "<folder>\Halvane\" into the edit (a backslash is added only when the folder lacks
  // one). False, with the edit unchanged and the reason shown, when the result would not fit
  // the edit's limit.
  bool PutBrowsedFolder(LPCWSTR pstrFolder);

  // Escape closes, from the window and from the path field's editor alike.
  LRESULT TranslateKey(MSG* pMsg) override;

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
  void StartFromWindow();
  // Ends the program; while an install runs, only after the user agreed to take it back.
  void RequestClose();
  void DisableInput();
  void OnFocusChange(SkinUI::TNotifyMsg& msg);
  // The install button reads as a reinstall, and a line says so, when the path holds one.
  void ShowInstallState();

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
  SkinUI::CLabelUI* m_pInstalledLabel = nullptr;
  bool m_bReinstallLook = false;
};

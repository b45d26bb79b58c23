#pragma once
// CLauncherWnd: the installed product's window, built from the launcher's own skin. It tells
// the user the install worked: the installed version and the folder the program runs from.
// The close and OK buttons and Escape close it; a lifetime closes it on its own, for programs
// that start the launcher and must not wait for a user. Closing the window ends the loop.
//
// UI thread only.

#include "Control/WinImplBase.h"

class CLauncherWnd : public SkinUI::WindowImplBase {
 public:
  // Closes the window nMs milliseconds after it is built; 0: stays until the user closes it.
  explicit CLauncherWnd(UINT nLifetimeMs) : m_nLifetimeMs(nLifetimeMs) {}

 protected:
  LPCWSTR WindowClassName() const override;
  SkinUI::CUIString SkinFolder() const override;
  SkinUI::CUIString SkinFile() const override;
  UINT SkinSource() const override;
  LPCWSTR SkinResourceId() const override;
  void OnSkinReady() override;
  void OnClickNotification(SkinUI::TNotifyMsg& msg) override;
  LRESULT OnKeyDownMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
  LRESULT OnDestroyMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
  LRESULT OnOtherMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;

 private:
  void ShowInstall();

  UINT m_nLifetimeMs;
};

// The window's class and title, by which scripts and other programs find it.
inline constexpr WCHAR kLauncherWindowClass[] = TEXT("PlayCrate");
inline constexpr WCHAR kLauncherWindowTitle[] = TEXT("Halvane");

#pragma once
// The gallery's window: the skin's markup built into a paint manager, the option buttons
// "tab<N>" switching the tab layout "pages", and each notification printed to standard output
// as "notify <type> <sender name>" for the scripts that drive it. UI thread only.

#include "Core/UIBase.h"
#include "Core/UIManager.h"

class GalleryWindow : public SkinUI::CWindowWnd, public SkinUI::INotifyUI {
 public:
  // The date the date page shows instead of today; call before Create.
  void FixDate(const SYSTEMTIME& stDate);
  // Closes the window after nMs milliseconds; 0 does nothing.
  void CloseAfter(UINT nMs);

  void Receive(SkinUI::TNotifyMsg& msg) override;

 protected:
  LPCWSTR WindowClassName() const override;
  UINT WindowClassStyle() const override;
  LRESULT OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;

 private:
  bool BuildSkin();
  void SelectPage(int iPage);

  SkinUI::CPaintManagerUI m_pm;
  bool m_bFixedDate = false;
  SYSTEMTIME m_stDate = {};
};

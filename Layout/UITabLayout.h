#pragma once
// CTabLayoutUI: shows one child (page) at a time over its inner rectangle and hides the others.
// The first visible child added becomes the current page; "selectedid" and SelectTab change it
// and send "tabselect" (new index, previous index) when attached.

#include "Core/UIContainer.h"

namespace SkinUI {

class CTabLayoutUI : public CContainerUI {
 public:
  CTabLayoutUI();

  LPCWSTR GetClassName() const override;
  LPVOID GetInterfaceByName(LPCWSTR pstrName) override;

  bool Add(CControlUI* pControl) override;
  bool AddAt(CControlUI* pControl, int iIndex) override;
  // Removing the current page keeps the index on the page that takes its place (or the last
  // page) and shows it; -1 when no page is left.
  bool Remove(CControlUI* pControl) override;
  void RemoveAll() override;

  // -1 when no page is current.
  int GetCurSel() const;
  // False for an index out of range; true without change for the current one.
  bool SelectTab(int iIndex);
  bool SelectItem(int iIndex) { return SelectTab(iIndex); }

  void SetPos(RECT rc) override;
  void ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) override;

 private:
  int m_iCurSel = -1;
};

}  // namespace SkinUI

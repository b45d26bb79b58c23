#pragma once
// CComboUI: a drop-down selector whose children are list items. The combo itself paints only its
// frame images and the selected item; activating it opens CComboWnd, a pop-up window with its
// own paint manager into which the items move while it is open. CComboBoxUI adds a five-state
// arrow image at the right end. Everything runs on the thread of the combo's window.

#include "Control/UIList.h"
#include "Core/UIBase.h"
#include "Core/UIManager.h"
#include "Core/UIStateImages.h"

namespace SkinUI {

class CComboUI;

// The drop-down window. It deletes itself when its window is gone.
class CComboWnd : public CWindowWnd {
 public:
  // Places the window under the owner (above it when it would pass the bottom of the work
  // area), creates and shows it.
  void OpenDropDown(CComboUI* pOwner);
  // Scrolls the drop layout so the item is visible.
  void EnsureVisible(int iIndex);
  // The owner is being destroyed: forget it and destroy the window now.
  void Abandon();
  CPaintManagerUI& Manager() { return m_pm; }
  CVerticalLayoutUI* Layout() const { return m_pLayout; }

 protected:
  LPCWSTR WindowClassName() const override;
  LRESULT OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
  void OnWindowGone(HWND hWnd) override;

 private:
  void OnCreate();
  void OnClose();
  // Gives the owner's items back to the owner's manager (once).
  void ReturnItems();
  // Closing starts with a kill-focus message to the window itself.
  void PostClose();

  CPaintManagerUI m_pm;
  CComboUI* m_pOwner = nullptr;
  CVerticalLayoutUI* m_pLayout = nullptr;
  int m_iOldSel = -1;
  bool m_bItemsReturned = false;
};

class CComboUI : public CContainerUI, public IListOwnerUI {
 public:
  CComboUI();
  // An open drop-down is closed first, so it never keeps a dangling owner.
  ~CComboUI() override;

  LPCWSTR GetClassName() const override;
  LPVOID GetInterfaceByName(LPCWSTR pstrName) override;
  UINT GetInputFlags() const override;

  // The selected item's text; empty without a selection.
  CUIString GetText() const override;
  void SetEnabled(bool bEnable = true) override;

  LPCWSTR GetDropBoxAttributeList() const { return m_sDropBoxAttributes; }
  void SetDropBoxAttributes(LPCWSTR pstrList) { m_sDropBoxAttributes = pstrList; }
  // cx 0: as wide as the combo; cy: the drop-down's greatest height.
  SIZE GetDropBoxSize() const { return m_szDropBox; }
  void SetDropBoxSize(SIZE szDropBox) { m_szDropBox = szDropBox; }
  RECT GetTextPadding() const { return m_rcTextPadding; }
  void SetTextPadding(RECT rc);
  void SetNormalImage(LPCWSTR pStrImage) { SetImage(CStateImagesUI::Normal, pStrImage); }
  void SetHotImage(LPCWSTR pStrImage) { SetImage(CStateImagesUI::Hot, pStrImage); }
  void SetPushedImage(LPCWSTR pStrImage) { SetImage(CStateImagesUI::Pushed, pStrImage); }
  void SetFocusedImage(LPCWSTR pStrImage) { SetImage(CStateImagesUI::Focused, pStrImage); }
  void SetDisabledImage(LPCWSTR pStrImage) { SetImage(CStateImagesUI::Disabled, pStrImage); }
  UINT GetButtonState() const { return m_images.GetState(); }
  // The open drop-down, null while closed.
  CComboWnd* GetDropDown() const { return m_pWindow; }

  TListInfoUI* GetListInfo() override { return &m_ListInfo; }
  int GetCurSel() const override { return m_iCurSel; }
  bool SelectItem(int iIndex, bool bTakeFocus = false) override;
  void OwnerHandleEvent(TUIEvent& event) override { HandleEvent(event); }

  bool SetItemIndex(CControlUI* pControl, int iIndex) override;
  bool Add(CControlUI* pControl) override;
  bool AddAt(CControlUI* pControl, int iIndex) override;
  bool Remove(CControlUI* pControl) override;
  bool RemoveAt(int iIndex) override;
  void RemoveAll() override;

  // Opens the drop-down and sends "dropdown".
  bool Activate() override;
  void SetPos(RECT rc) override;
  void HandleEvent(TUIEvent& event) override;
  void ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) override;
  SIZE MeasureSize(SIZE szAvailable) override;
  void Paint(HDC hDC, const RECT& rcPaint) override;
  void PaintStatusImage(HDC hDC) override;
  void PaintText(HDC hDC) override;

 protected:
  friend class CComboWnd;
  // The rectangle the selected item is drawn in.
  virtual RECT TextRect() const;
  void SetImage(CStateImagesUI::Image which, LPCWSTR pStrImage);

  CComboWnd* m_pWindow = nullptr;
  int m_iCurSel = -1;
  CUIString m_sDropBoxAttributes;
  SIZE m_szDropBox = {0, 150};
  RECT m_rcTextPadding = {0, 0, 0, 0};
  CStateImagesUI m_images;
  TListInfoUI m_ListInfo;

 private:
  void ItemRemoved(int iIndex);
};

}  // namespace SkinUI

#pragma once
// CContainerUI: a control that owns an ordered list of children, places them over its inner
// rectangle (the base container puts every non-floating child on the whole inner rectangle;
// layouts replace that step), paints them clipped, routes hit-tests into them, propagates
// visibility and manager attachment, and scrolls them with optional scroll bars.

#include "Core/UIControl.h"

namespace SkinUI {

class CScrollBarUI;

// What the layout builder and code use to manipulate a container's children.
class IContainerUI {
 public:
  virtual CControlUI* GetItemAt(int iIndex) const = 0;
  virtual int GetItemIndex(CControlUI* pControl) const = 0;
  virtual bool SetItemIndex(CControlUI* pControl, int iIndex) = 0;
  virtual int GetCount() const = 0;
  virtual bool Add(CControlUI* pControl) = 0;
  virtual bool AddAt(CControlUI* pControl, int iIndex) = 0;
  virtual bool Remove(CControlUI* pControl) = 0;
  virtual bool RemoveAt(int iIndex) = 0;
  virtual void RemoveAll() = 0;

 protected:
  ~IContainerUI() = default;
};

class CContainerUI : public CControlUI, public IContainerUI {
 public:
  CContainerUI();
  ~CContainerUI() override;

  LPCWSTR GetClassName() const override;
  LPVOID GetInterfaceByName(LPCWSTR pstrName) override;

  CControlUI* GetItemAt(int iIndex) const override;
  int GetItemIndex(CControlUI* pControl) const override;
  bool SetItemIndex(CControlUI* pControl, int iIndex) override;
  int GetCount() const override;
  bool Add(CControlUI* pControl) override;
  bool AddAt(CControlUI* pControl, int iIndex) override;
  bool Remove(CControlUI* pControl) override;
  bool RemoveAt(int iIndex) override;
  void RemoveAll() override;

  void AttachManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit = true) override;
  void SetPos(RECT rc) override;
  void SetVisible(bool bVisible = true) override;
  void SetParentVisible(bool bVisible) override;
  void SetMouseEnabled(bool bEnable = true) override;
  CControlUI* FindControl(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags) override;
  void HandleEvent(TUIEvent& event) override;
  void ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) override;
  void Paint(HDC hDC, const RECT& rcPaint) override;

  virtual RECT GetInset() const;
  virtual void SetInset(RECT rcInset);
  virtual int GetChildPadding() const;
  virtual void SetChildPadding(int iPadding);
  virtual bool IsAutoDelete() const;
  virtual void SetAutoDelete(bool bAuto);
  virtual bool IsDeferredDelete() const;
  virtual void SetDeferredDelete(bool bDelayed);
  virtual bool IsMouseChildEnabled() const;
  virtual void SetMouseChildEnabled(bool bEnable = true);
  // Index of the next (or previous) visible, enabled child that is a list item; -1 when none.
  virtual int FindSelectableItem(int iIndex, bool bForward = true) const;

  // Scrolling. A missing or hidden bar counts as position and range 0.
  virtual SIZE GetScrollPos() const;
  virtual SIZE GetScrollRange() const;
  virtual void SetScrollPos(SIZE szPos);
  virtual void LineUp();
  virtual void LineDown();
  virtual void PageUp();
  virtual void PageDown();
  virtual void ScrollToTop();
  virtual void ScrollToBottom();
  virtual void LineLeft();
  virtual void LineRight();
  virtual void PageLeft();
  virtual void PageRight();
  virtual void ScrollToLeftEnd();
  virtual void ScrollToRightEnd();
  virtual void EnableScrollBars(bool bEnableVertical = true, bool bEnableHorizontal = false);
  virtual CScrollBarUI* GetVerticalScrollBar() const;
  virtual CScrollBarUI* GetHorizontalScrollBar() const;

  // Places a floating child against rcItem from its fixed offset and size (and relative
  // positioning).
  virtual void PlaceFloatChild(int iIndex);
  // Called by layouts at the end of SetPos with the children's area and the height they need.
  virtual void UpdateScrollBars(const RECT& rc, int cxRequired, int cyRequired);

 protected:
  // rcItem shrunk by the inset and by the visible scroll bars.
  RECT InnerRect() const;

  CPtrArrayUI m_items;
  RECT m_rcInset = {0, 0, 0, 0};
  int m_iChildPadding = 0;
  bool m_bAutoDestroy = true;
  bool m_bDelayedDestroy = true;
  bool m_bMouseChildEnabled = true;
  bool m_bScrollProcess = false;
  CScrollBarUI* m_pVerticalScrollBar = nullptr;
  CScrollBarUI* m_pHorizontalScrollBar = nullptr;
};

}  // namespace SkinUI

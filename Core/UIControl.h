#pragma once
// CControlUI: the base of every element of a skinned window. It keeps what all elements share
// (rectangle, sizing constraints, visibility, enabled and focus state, background colours and
// image, border, name, text, tooltip, user data, delegate lists) and supplies the default layout
// step, paint sequence, event reaction and attribute parser. Controls belong to the thread that
// runs their window; nothing locks.

#include "Core/UIDefine.h"
#include "Platform/Win32.h"
#include "Utils/Utils.h"

namespace SkinUI {

class CPaintManagerUI;

// Relative positioning of a floating control: when the parent's size changes by (dx, dy) from
// the recorded parent size, the control moves by dx*nMoveXPercent/100, dy*nMoveYPercent/100 and
// grows by dx*nZoomXPercent/100, dy*nZoomYPercent/100.
struct TRelativePosUI {
  bool bRelative = false;
  SIZE szParent = {0, 0};
  int nMoveXPercent = 0;
  int nMoveYPercent = 0;
  int nZoomXPercent = 0;
  int nZoomYPercent = 0;
};

class CControlUI {
 public:
  CControlUI();
  // Runs OnDestroy, then lets the manager forget the control.
  virtual ~CControlUI();
  CControlUI(const CControlUI&) = delete;
  CControlUI& operator=(const CControlUI&) = delete;

  virtual CUIString GetName() const;
  virtual void SetName(LPCWSTR pstrName);
  virtual LPCWSTR GetClassName() const;
  virtual LPVOID GetInterfaceByName(LPCWSTR pstrName);
  virtual UINT GetInputFlags() const;
  virtual bool Activate();
  virtual CPaintManagerUI* GetManager() const;
  virtual void AttachManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit = true);
  virtual CControlUI* GetParent() const;

  virtual CUIString GetText() const;
  virtual void SetText(LPCWSTR pstrText);

  // Position and size.
  virtual const RECT& GetPos() const;
  virtual void SetPos(RECT rc);
  virtual int GetWidth() const;
  virtual int GetHeight() const;
  virtual int GetX() const;
  virtual int GetY() const;
  virtual RECT GetPadding() const;
  virtual void SetPadding(RECT rcPadding);
  virtual SIZE GetFixedXY() const;
  virtual void SetFixedXY(SIZE szXY);
  virtual int GetFixedWidth() const;
  virtual void SetFixedWidth(int cx);
  virtual int GetFixedHeight() const;
  virtual void SetFixedHeight(int cy);
  virtual int GetMinWidth() const;
  virtual void SetMinWidth(int cx);
  virtual int GetMaxWidth() const;
  virtual void SetMaxWidth(int cx);
  virtual int GetMinHeight() const;
  virtual void SetMinHeight(int cy);
  virtual int GetMaxHeight() const;
  virtual void SetMaxHeight(int cy);
  virtual void SetRelativePos(SIZE szMove, SIZE szZoom);
  virtual void SetRelativeParentSize(SIZE sz);
  virtual TRelativePosUI GetRelativePos() const;
  virtual bool IsRelativePos() const;

  virtual CUIString GetToolTip() const;
  virtual void SetToolTip(LPCWSTR pstrText);
  virtual WCHAR GetShortcut() const;
  virtual void SetShortcut(WCHAR ch);
  virtual bool IsContextMenuUsed() const;
  virtual void SetContextMenuUsed(bool bMenuUsed);
  virtual const CUIString& GetUserData() const;
  virtual void SetUserData(LPCWSTR pstrText);
  virtual UINT_PTR GetTag() const;
  virtual void SetTag(UINT_PTR pTag);

  // State.
  virtual bool IsVisible() const;
  virtual void SetVisible(bool bVisible = true);
  virtual void SetParentVisible(bool bVisible);
  virtual bool IsEnabled() const;
  virtual void SetEnabled(bool bEnable = true);
  virtual bool IsMouseEnabled() const;
  virtual void SetMouseEnabled(bool bEnable = true);
  virtual bool IsKeyboardEnabled() const;
  virtual void SetKeyboardEnabled(bool bEnable = true);
  virtual bool IsFocused() const;
  virtual void SetFocus();
  virtual bool IsFloat() const;
  virtual void SetFloat(bool bFloat = true);

  // Visits this control (containers: their subtree) and answers the first non-null result of
  // Proc; uFlags are UIFIND_ flags. With UIFIND_HITTEST, pData points at a POINT.
  virtual CControlUI* FindControl(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags);

  virtual void Initialize();
  virtual void OnInit();
  // Runs the event delegates; when all accept, HandleEvent.
  virtual void DispatchEvent(TUIEvent& event);
  virtual void HandleEvent(TUIEvent& event);
  virtual void ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue);
  virtual SIZE MeasureSize(SIZE szAvailable);

  virtual void Paint(HDC hDC, const RECT& rcPaint);
  virtual void PaintBkColor(HDC hDC);
  virtual void PaintBkImage(HDC hDC);
  virtual void PaintStatusImage(HDC hDC);
  virtual void PaintText(HDC hDC);
  virtual void PaintBorder(HDC hDC);
  virtual void PaintOverlay(HDC hDC, const RECT& rcPaint);

  // Applies a list name="value" name="value" ... (one space between pairs); stops at the first
  // malformed spot, keeping what was applied before.
  void ApplyAttributes(LPCWSTR pstrList);
  // A control whose mouse is switched off hands mouse events on to pTarget (by default its
  // parent; without one they get the base reaction). True when the event was handed on: the
  // caller's own handling is skipped.
  bool PassOnMouseWhenDisabled(TUIEvent& event);
  bool PassOnMouseWhenDisabled(TUIEvent& event, CControlUI* pTarget);
  void Repaint();
  void RequestLayout();
  void RequestParentLayout();
  bool IsLayoutStale() const;

  // Draws an image attribute string over this control (modifier may be null).
  bool DrawImageAttr(HDC hDC, LPCWSTR pStrImage, LPCWSTR pStrModify = nullptr);
  DWORD AdjustedColor(DWORD dwColor) const;

  DWORD GetBkColor() const;
  void SetBkColor(DWORD dwColor);
  DWORD GetBkColor2() const;
  void SetBkColor2(DWORD dwColor);
  DWORD GetBkColor3() const;
  void SetBkColor3(DWORD dwColor);
  LPCWSTR GetBkImage() const;
  void SetBkImage(LPCWSTR pStrImage);
  DWORD GetBorderColor() const;
  void SetBorderColor(DWORD dwColor);
  DWORD GetFocusBorderColor() const;
  void SetFocusBorderColor(DWORD dwColor);
  bool IsColorHSL() const;
  void SetColorHSL(bool bColorHSL);
  int GetBorderSize() const;
  void SetBorderSize(int nSize);
  SIZE GetBorderRound() const;
  void SetBorderRound(SIZE cxyRound);

  CDelegateList<CControlUI*> OnInitDelegates;
  CDelegateList<CControlUI*> OnDestroyDelegates;
  CDelegateList<CControlUI*> OnSizeDelegates;
  // A false answer from any delegate swallows the event.
  CDelegateList<TUIEvent&> OnEventDelegates;
  CDelegateList<TNotifyMsg&> OnNotifyDelegates;

 protected:
  // Stores a setting that changes the control's look and repaints it; the Change form does
  // nothing when the setting already has that value.
  template <typename T, typename V>
  void SetAndRepaint(T& field, const V& value) {
    field = value;
    Repaint();
  }
  template <typename T, typename V>
  void ChangeAndRepaint(T& field, const V& value) {
    if (field == value) return;
    SetAndRepaint(field, value);
  }

  CPaintManagerUI* m_pManager = nullptr;
  CControlUI* m_pParent = nullptr;
  CUIString m_sName;
  bool m_bUpdateNeeded = true;  // layout is stale
  bool m_bMenuUsed = false;
  RECT m_rcItem = {0, 0, 0, 0};
  RECT m_rcPadding = {0, 0, 0, 0};
  SIZE m_cXY = {0, 0};
  SIZE m_cxyFixed = {0, 0};
  SIZE m_cxyMin = {0, 0};
  SIZE m_cxyMax = {9999, 9999};
  bool m_bVisible = true;
  bool m_bInternVisible = true;  // false while an ancestor is hidden
  bool m_bEnabled = true;
  bool m_bMouseEnabled = true;
  bool m_bKeyboardEnabled = true;
  bool m_bFocused = false;
  bool m_bFloat = false;
  bool m_bSetPos = false;  // guards OnSizeDelegates against re-entry
  TRelativePosUI m_tRelativePos;

  CUIString m_sText;
  CUIString m_sToolTip;
  WCHAR m_chShortcut = 0;
  CUIString m_sUserData;
  UINT_PTR m_pTag = 0;

  DWORD m_dwBackColor = 0;
  DWORD m_dwBackColor2 = 0;
  DWORD m_dwBackColor3 = 0;
  CUIString m_sBkImage;
  DWORD m_dwBorderColor = 0;
  DWORD m_dwFocusBorderColor = 0;
  bool m_bColorHSL = false;
  int m_nBorderSize = 0;
  SIZE m_cxyBorderRound = {0, 0};
  RECT m_rcPaint = {0, 0, 0, 0};
};

}  // namespace SkinUI

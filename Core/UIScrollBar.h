#pragma once
// CScrollBarUI: a scroll bar drawn from skin images (background, two arrow buttons, thumb and a
// rail centred on the thumb, each in normal, hot, pushed and disabled looks). A container that
// owns it scrolls itself through the bar; a bar without owner moves its own position and sends
// "scroll". Presses repeat on a 50 ms timer. It lives beside the container base because every
// container can own two of them.

#include "Core/UIControl.h"

namespace SkinUI {

class CContainerUI;

class CScrollBarUI : public CControlUI {
 public:
  CScrollBarUI();
  ~CScrollBarUI() override;

  LPCWSTR GetClassName() const override;
  LPVOID GetInterfaceByName(LPCWSTR pstrName) override;

  CContainerUI* GetOwner() const;
  void SetOwner(CContainerUI* pOwner);
  bool IsHorizontal() const;
  void SetHorizontal(bool bHorizontal = true);
  int GetScrollRange() const;
  void SetScrollRange(int nRange);
  int GetScrollPos() const;
  void SetScrollPos(int nPos);
  int GetLineSize() const;
  void SetLineSize(int nSize);
  bool GetShowButton1() const;
  void SetShowButton1(bool bShow);
  bool GetShowButton2() const;
  void SetShowButton2(bool bShow);
  const RECT& GetButton1Rect() const { return m_rcButton1; }
  const RECT& GetButton2Rect() const { return m_rcButton2; }
  const RECT& GetThumbRect() const { return m_rcThumb; }

  void SetPos(RECT rc) override;
  void SetVisible(bool bVisible = true) override;
  void SetEnabled(bool bEnable = true) override;
  void SetFocus() override;
  void HandleEvent(TUIEvent& event) override;
  void ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) override;
  void Paint(HDC hDC, const RECT& rcPaint) override;

 protected:
  // Images in the order normal, hot, pushed, disabled.
  enum { kNormal, kHot, kPushed, kDisabled, kLooks };

  void PaintBk(HDC hDC);
  void PaintButton1(HDC hDC);
  void PaintButton2(HDC hDC);
  void PaintThumb(HDC hDC);
  void PaintRail(HDC hDC);

  // The steps of a press: the press itself, its release, pointer moves (thumb hover or drag) and
  // the repeat timer's ticks.
  void OnPress(POINT pt);
  void OnRelease();
  void OnMouseMove(POINT pt);
  void OnRepeatTick();
  // One line forward or back: through the owner, else the bar's own position.
  void StepLine(bool bForward);
  // One page toward a point on the track (nothing when the point is on the thumb).
  void StepPageToward(POINT pt);
  // "scroll" to the listeners, for a bar without owner that is attached.
  void NotifyScroll();

  bool m_bHorizontal = false;
  int m_nRange = 100;
  int m_nScrollPos = 0;
  int m_nLineSize = 8;
  CContainerUI* m_pOwner = nullptr;
  POINT m_ptLastMouse = {0, 0};
  int m_nLastScrollPos = 0;
  int m_nLastScrollOffset = 0;
  int m_nScrollRepeatDelay = 0;

  CUIString m_sBkLookImage[kLooks];
  bool m_bShowButton1 = true;
  RECT m_rcButton1 = {0, 0, 0, 0};
  UINT m_uButton1State = 0;
  CUIString m_sButton1Image[kLooks];
  bool m_bShowButton2 = true;
  RECT m_rcButton2 = {0, 0, 0, 0};
  UINT m_uButton2State = 0;
  CUIString m_sButton2Image[kLooks];
  RECT m_rcThumb = {0, 0, 0, 0};
  UINT m_uThumbState = 0;
  CUIString m_sThumbImage[kLooks];
  CUIString m_sRailImage[kLooks];
  CUIString m_sImageModify;
};

// A bar that exists and is visible (hidden bars take no room and have no position).
inline bool IsBarShown(const CScrollBarUI* pBar) { return pBar != nullptr && pBar->IsVisible(); }

}  // namespace SkinUI

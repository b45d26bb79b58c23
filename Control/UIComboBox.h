#pragma once
// CComboBoxUI: a combo that also draws an arrow at its right end. The arrow image holds five
// states side by side (normal, hot, pushed, focused, disabled); one fifth is drawn.

#include "Control/UICombo.h"

namespace SkinUI {

class CComboBoxUI : public CComboUI {
 public:
  LPCWSTR GetClassName() const override;
  void ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) override;
  void PaintStatusImage(HDC hDC) override;

  LPCWSTR GetArrowImage() const { return m_sArrowImage; }
  void SetArrowImage(LPCWSTR pstrImage);
  // The width of one arrow state, as found by the last paint.
  int GetArrowWidth() const { return m_nArrowWidth; }

 protected:
  RECT TextRect() const override;

 private:
  // The arrow image string with source and dest set to the state's fifth; empty when the
  // source cannot be found.
  CUIString ArrowForState(int iState);

  CUIString m_sArrowImage;
  int m_nArrowWidth = 0;
};

}  // namespace SkinUI

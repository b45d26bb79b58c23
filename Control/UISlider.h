#pragma once
// CSliderUI: a progress bar with a thumb the user drags, clicks to, steps with the wheel or the
// arrow keys. Each change made by the user is reported once as "valuechanged" (parameters 0, 0),
// and only when the value really changed. UI thread only.

#include "Control/UIOption.h"

namespace SkinUI {

class CSliderUI : public CProgressUI {
 public:
  CSliderUI();

  LPCWSTR GetClassName() const override;
  LPVOID GetInterfaceByName(LPCWSTR pstrName) override;
  // Wants set-cursor events while enabled.
  UINT GetInputFlags() const override;
  // Disabling drops the hot and captured states.
  void SetEnabled(bool bEnable = true) override;
  void HandleEvent(TUIEvent& event) override;
  void ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) override;
  // The progress bar's fill, then the thumb in its current state.
  void PaintStatusImage(HDC hDC) override;

  int GetChangeStep() const { return m_nStep; }
  void SetChangeStep(int nStep) { m_nStep = nStep; }
  SIZE GetThumbSize() const { return m_szThumb; }
  void SetThumbSize(SIZE szXY) { m_szThumb = szXY; }
  // The thumb in window coordinates for the current value.
  RECT GetThumbRect() const;
  // The value the thumb would show when centred on `pt` (window coordinates), within min..max.
  int ValueAtPoint(POINT pt) const;

  // The thumb's images: normal, hot, and pushed (while it is dragged).
  LPCWSTR GetThumbImage() const { return m_thumb.GetImage(CStateImagesUI::Normal); }
  void SetThumbImage(LPCWSTR pStrImage) { SetThumb(CStateImagesUI::Normal, pStrImage); }
  LPCWSTR GetThumbHotImage() const { return m_thumb.GetImage(CStateImagesUI::Hot); }
  void SetThumbHotImage(LPCWSTR pStrImage) { SetThumb(CStateImagesUI::Hot, pStrImage); }
  LPCWSTR GetThumbPushedImage() const { return m_thumb.GetImage(CStateImagesUI::Pushed); }
  void SetThumbPushedImage(LPCWSTR pStrImage) { SetThumb(CStateImagesUI::Pushed, pStrImage); }

 protected:
  // Sets the value clamped to min..max; "valuechanged" when it differs from before.
  void ChangeValueByUser(long long nValue);
  // The value one step up (1) or down (-1), unclamped.
  long long Stepped(int nDirection) const;
  void SetThumb(CStateImagesUI::Image which, LPCWSTR pStrImage);

  CStateImagesUI m_thumb;  // captured while dragged, hot under the mouse
  int m_nStep = 1;
  int m_nValueAtPress = 0;  // the value when the thumb was caught
  SIZE m_szThumb = {10, 10};
  CUIString m_sImageModify;
};

}  // namespace SkinUI

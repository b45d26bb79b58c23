#pragma once
// Text-drawing controls: CLabelUI (one line of plain or rich text), CTextUI (word-wrapped text
// whose rich-text links can be clicked) and CButtonUI (a label with state images and colours that
// reports "click"). Like every control they belong to their window's thread.

#include "Core/UIControl.h"
#include "Core/UIStateImages.h"

namespace SkinUI {

class CLabelUI : public CControlUI {
 public:
  CLabelUI();

  LPCWSTR GetClassName() const override;
  LPVOID GetInterfaceByName(LPCWSTR pstrName) override;
  void HandleEvent(TUIEvent& event) override;
  void ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) override;
  // The fixed size; without a fixed height, the fixed width and the font's height plus 4.
  SIZE MeasureSize(SIZE szAvailable) override;
  void PaintText(HDC hDC) override;

  // DT_ flags the text is drawn with.
  UINT GetTextStyle() const { return m_uTextStyle; }
  void SetTextStyle(UINT uStyle);
  // Colours 0xAARRGGBB; 0 takes the manager's default at the next paint.
  DWORD GetTextColor() const { return m_dwTextColor; }
  void SetTextColor(DWORD dwColor);
  DWORD GetDisabledTextColor() const { return m_dwDisabledTextColor; }
  void SetDisabledTextColor(DWORD dwColor);
  // Index into the manager's fonts; -1 (or any index outside the list) is the default font.
  int GetFont() const { return m_iFont; }
  void SetFont(int index);
  RECT GetTextPadding() const { return m_rcTextPadding; }
  void SetTextPadding(RECT rc);
  // The text is rich-text markup.
  bool IsShowHtml() const { return m_bShowHtml; }
  void SetShowHtml(bool bShowHtml = true);

 protected:
  // Takes the manager's colours for the ones not set (stored, so they stay).
  void DefaultTextColors();
  RECT TextRect() const;
  // Draws the text into rc with the label's font (plain) or as markup without links.
  void DrawLabelText(HDC hDC, RECT rc, DWORD dwColor, UINT uStyle);

  DWORD m_dwTextColor = 0;
  DWORD m_dwDisabledTextColor = 0;
  int m_iFont = -1;
  UINT m_uTextStyle = DT_VCENTER;
  RECT m_rcTextPadding = {0, 0, 0, 0};
  bool m_bShowHtml = false;
};

class CTextUI : public CLabelUI {
 public:
  static constexpr int kMaxLinks = 8;

  CTextUI();

  LPCWSTR GetClassName() const override;
  LPVOID GetInterfaceByName(LPCWSTR pstrName) override;
  // Wants the cursor while enabled with links.
  UINT GetInputFlags() const override;
  void HandleEvent(TUIEvent& event) override;
  // The measured text plus the padding; a fixed height replaces the measured one.
  SIZE MeasureSize(SIZE szAvailable) override;
  void PaintText(HDC hDC) override;

  // The links drawn by the last paint (at most kMaxLinks).
  int GetLinkCount() const { return m_nLinks; }
  const RECT& GetLinkRect(int i) const { return m_rcLinks[i]; }
  const CUIString& GetLinkName(int i) const { return m_sLinks[i]; }
  // The link under the mouse, -1 for none.
  int GetHoverLink() const { return m_nHoverLink; }

 protected:
  int LinkAt(POINT pt) const;

  int m_nLinks = 0;
  RECT m_rcLinks[kMaxLinks] = {};
  CUIString m_sLinks[kMaxLinks];
  int m_nHoverLink = -1;
};

class CButtonUI : public CLabelUI {
 public:
  CButtonUI();

  LPCWSTR GetClassName() const override;
  LPVOID GetInterfaceByName(LPCWSTR pstrName) override;
  UINT GetInputFlags() const override;
  // Sends "click" when the button is visible and enabled.
  bool Activate() override;
  // Disabling clears every state bit.
  void SetEnabled(bool bEnable = true) override;
  void HandleEvent(TUIEvent& event) override;
  void ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) override;
  // The fixed size; without a fixed height, the fixed width and the font's height plus 8.
  SIZE MeasureSize(SIZE szAvailable) override;
  void PaintStatusImage(HDC hDC) override;
  void PaintText(HDC hDC) override;

  // UISTATE_ bits.
  UINT GetButtonState() const { return m_images.GetState(); }

  void SetNormalImage(LPCWSTR pStrImage) { SetImage(CStateImagesUI::Normal, pStrImage); }
  void SetHotImage(LPCWSTR pStrImage) { SetImage(CStateImagesUI::Hot, pStrImage); }
  void SetHotForeImage(LPCWSTR pStrImage) { SetImage(CStateImagesUI::HotFore, pStrImage); }
  void SetPushedImage(LPCWSTR pStrImage) { SetImage(CStateImagesUI::Pushed, pStrImage); }
  void SetFocusedImage(LPCWSTR pStrImage) { SetImage(CStateImagesUI::Focused, pStrImage); }
  void SetDisabledImage(LPCWSTR pStrImage) { SetImage(CStateImagesUI::Disabled, pStrImage); }
  void SetForeImage(LPCWSTR pStrImage) { SetImage(CStateImagesUI::Fore, pStrImage); }
  LPCWSTR GetNormalImage() const { return m_images.GetImage(CStateImagesUI::Normal); }
  LPCWSTR GetHotImage() const { return m_images.GetImage(CStateImagesUI::Hot); }
  LPCWSTR GetPushedImage() const { return m_images.GetImage(CStateImagesUI::Pushed); }
  LPCWSTR GetFocusedImage() const { return m_images.GetImage(CStateImagesUI::Focused); }
  LPCWSTR GetDisabledImage() const { return m_images.GetImage(CStateImagesUI::Disabled); }
  LPCWSTR GetForeImage() const { return m_images.GetImage(CStateImagesUI::Fore); }

  void SetHotBkColor(DWORD dwColor) { m_dwHotBkColor = dwColor; }
  DWORD GetHotBkColor() const { return m_dwHotBkColor; }
  void SetHotTextColor(DWORD dwColor) { m_dwHotTextColor = dwColor; }
  DWORD GetHotTextColor() const { return m_dwHotTextColor; }
  void SetPushedTextColor(DWORD dwColor) { m_dwPushedTextColor = dwColor; }
  DWORD GetPushedTextColor() const { return m_dwPushedTextColor; }
  void SetFocusedTextColor(DWORD dwColor) { m_dwFocusedTextColor = dwColor; }
  DWORD GetFocusedTextColor() const { return m_dwFocusedTextColor; }

 protected:
  // Sets one of the state images (the image attributes go here too) and repaints.
  void SetImage(CStateImagesUI::Image which, LPCWSTR pStrImage);

  CStateImagesUI m_images;
  DWORD m_dwHotBkColor = 0;
  DWORD m_dwHotTextColor = 0;
  DWORD m_dwPushedTextColor = 0;
  DWORD m_dwFocusedTextColor = 0;
};

}  // namespace SkinUI

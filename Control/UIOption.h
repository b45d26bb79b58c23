#pragma once
// COptionUI (a button with a selected state: a toggle alone, a radio button in a named group of
// the window), CCheckBoxUI (an option with check-box wording) and CProgressUI (a label that fills
// part of itself with a fore image to show a value). UI thread only.

#include "Control/UILabel.h"

namespace SkinUI {

class COptionUI : public CButtonUI {
 public:
  COptionUI();
  // Leaves its group.
  ~COptionUI() override;

  LPCWSTR GetClassName() const override;
  LPVOID GetInterfaceByName(LPCWSTR pstrName) override;
  // Joins its group when attached with initialisation.
  void AttachManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit = true) override;
  // "click", then selects (in a group) or toggles (alone).
  bool Activate() override;
  // Disabling keeps only the selected bit.
  void SetEnabled(bool bEnable = true) override;
  void ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) override;
  void PaintStatusImage(HDC hDC) override;
  void PaintText(HDC hDC) override;

  bool IsSelected() const { return m_bSelected; }
  // Selecting a grouped option deselects the rest of the group; "selectchanged" is sent for
  // every change of a lone option and only for the selection of a grouped one.
  virtual void SetSelected(bool bSelected);

  LPCWSTR GetGroupName() const { return m_sGroupName; }
  // Moves the option to another group (empty: none); the selection is kept.
  void SetGroupName(LPCWSTR pStrGroupName);

  void SetSelectedImage(LPCWSTR pStrImage) { SetImage(CStateImagesUI::Selected, pStrImage); }
  void SetSelectedHotImage(LPCWSTR pStrImage) { SetImage(CStateImagesUI::SelectedHot, pStrImage); }
  LPCWSTR GetSelectedImage() const { return m_images.GetImage(CStateImagesUI::Selected); }
  LPCWSTR GetSelectedHotImage() const { return m_images.GetImage(CStateImagesUI::SelectedHot); }
  void SetSelectedBkColor(DWORD dwColor) { m_dwSelectedBkColor = dwColor; }
  DWORD GetSelectedBkColor() const { return m_dwSelectedBkColor; }
  void SetSelectedTextColor(DWORD dwColor) { m_dwSelectedTextColor = dwColor; }
  DWORD GetSelectedTextColor() const { return m_dwSelectedTextColor; }

 protected:
  bool m_bSelected = false;
  CUIString m_sGroupName;
  DWORD m_dwSelectedBkColor = 0;
  DWORD m_dwSelectedTextColor = 0;
};

class CCheckBoxUI : public COptionUI {
 public:
  LPCWSTR GetClassName() const override;
  void SetChecked(bool bChecked) { SetSelected(bChecked); }
  bool IsChecked() const { return IsSelected(); }
};

class CProgressUI : public CLabelUI {
 public:
  CProgressUI();

  LPCWSTR GetClassName() const override;
  LPVOID GetInterfaceByName(LPCWSTR pstrName) override;
  void ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) override;
  // Brings min, max and value into order, then draws the fore image over the filled part.
  void PaintStatusImage(HDC hDC) override;

  // Left to right when true, bottom to top when false.
  bool IsHorizontal() const { return m_bHorizontal; }
  void SetHorizontal(bool bHorizontal = true);
  // Stretch the fore image into the filled part (true) or show the part of it that lies there.
  bool IsStretchForeImage() const { return m_bStretchForeImage; }
  void SetStretchForeImage(bool bStretch = true);
  // Not checked against each other here; painting puts them in order.
  int GetMinValue() const { return m_nMin; }
  void SetMinValue(int nMin);
  int GetMaxValue() const { return m_nMax; }
  void SetMaxValue(int nMax);
  int GetValue() const { return m_nValue; }
  void SetValue(int nValue);
  LPCWSTR GetForeImage() const { return m_sForeImage; }
  void SetForeImage(LPCWSTR pStrImage);
  // The filled part relative to the control's top-left corner, for the current values.
  RECT FilledRect() const;

 protected:
  bool m_bHorizontal = true;
  bool m_bStretchForeImage = true;
  int m_nMax = 100;
  int m_nMin = 0;
  int m_nValue = 0;
  CUIString m_sForeImage;
  CUIString m_sForeImageModify;
};

}  // namespace SkinUI

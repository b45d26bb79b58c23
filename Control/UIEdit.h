#pragma once
// CEditUI: a single-line text box. Closed, it paints its text like a label, with a state image
// and a background. When it takes the focus it opens CEditWnd, a native child edit window over
// its text area; typing happens there and every change is copied back into the control's text.
// The native editor closes itself when it loses the focus.
//
// Everything runs on the thread that owns the paint manager's window.

#include "Control/UILabel.h"
#include "Core/UIBase.h"

namespace SkinUI {

class CEditUI;

// The native editor of one CEditUI: a superclass of the platform's "Edit" window class. It
// deletes itself when its window is gone.
class CEditWnd : public CWindowWnd {
 public:
  CEditWnd() = default;
  ~CEditWnd() override;

  // Creates the native window over the owner's text area and gives it the focus. False (and
  // no window) when the window cannot be created; the caller deletes the object then.
  bool OpenEditor(CEditUI* pOwner);
  // The owner's text area shrunk vertically to the height of its font.
  RECT EditorRect() const;
  // Called by an owner that goes away while the editor is open: the editor no longer reports
  // to it.
  void ForgetOwner() { m_pOwner = nullptr; }

 protected:
  LPCWSTR WindowClassName() const override;
  LPCWSTR SuperclassName() const override;
  UINT WindowClassStyle() const override;
  LRESULT OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
  void OnWindowGone(HWND hWnd) override;

 private:
  void CopyTextToOwner();
  LRESULT AnswerColorMessage(HDC hDC);

  CEditUI* m_pOwner = nullptr;
  HBRUSH m_hBkBrush = nullptr;
  bool m_bInit = false;
};

class CEditUI : public CLabelUI {
  friend class CEditWnd;

 public:
  CEditUI();
  ~CEditUI() override;

  LPCWSTR GetClassName() const override;
  LPVOID GetInterfaceByName(LPCWSTR pstrName) override;
  UINT GetInputFlags() const override;

  void SetEnabled(bool bEnable = true) override;
  void SetText(LPCWSTR pstrText) override;
  void SetMaxChar(UINT uMax);
  UINT GetMaxChar() const { return m_uMaxChar; }
  void SetReadOnly(bool bReadOnly);
  bool IsReadOnly() const { return m_bReadOnly; }
  void SetNumberOnly(bool bNumberOnly);
  bool IsNumberOnly() const;
  void SetPasswordMode(bool bPasswordMode);
  bool IsPasswordMode() const { return m_bPasswordMode; }
  void SetPasswordChar(WCHAR cPasswordChar);
  WCHAR GetPasswordChar() const { return m_cPasswordChar; }

  LPCWSTR GetNormalImage() const { return m_images.GetImage(CStateImagesUI::Normal); }
  void SetNormalImage(LPCWSTR pStrImage) { SetImage(CStateImagesUI::Normal, pStrImage); }
  LPCWSTR GetHotImage() const { return m_images.GetImage(CStateImagesUI::Hot); }
  void SetHotImage(LPCWSTR pStrImage) { SetImage(CStateImagesUI::Hot, pStrImage); }
  LPCWSTR GetFocusedImage() const { return m_images.GetImage(CStateImagesUI::Focused); }
  void SetFocusedImage(LPCWSTR pStrImage) { SetImage(CStateImagesUI::Focused, pStrImage); }
  LPCWSTR GetDisabledImage() const { return m_images.GetImage(CStateImagesUI::Disabled); }
  void SetDisabledImage(LPCWSTR pStrImage) { SetImage(CStateImagesUI::Disabled, pStrImage); }
  // 0xFFFFFFFF (the default) leaves the native editor's background to the platform.
  void SetNativeBkColor(DWORD dwBkColor) { m_dwEditbkColor = dwBkColor; }
  DWORD GetNativeBkColor() const { return m_dwEditbkColor; }
  // The open native editor, or null.
  HWND GetEditorWindow() const;

  void SetPos(RECT rc) override;
  void SetVisible(bool bVisible = true) override;
  void SetParentVisible(bool bVisible) override;
  SIZE MeasureSize(SIZE szAvailable) override;
  void HandleEvent(TUIEvent& event) override;
  void ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) override;

  void PaintStatusImage(HDC hDC) override;
  void PaintText(HDC hDC) override;

 private:
  // Opens the native editor unless one is open; false when it could not be made.
  bool OpenEditor();
  void SelectAllInEditor();
  void SetImage(CStateImagesUI::Image which, LPCWSTR pStrImage);

  CEditWnd* m_pWindow = nullptr;
  UINT m_uMaxChar = 255;
  bool m_bReadOnly = false;
  bool m_bPasswordMode = false;
  WCHAR m_cPasswordChar = TEXT('*');
  CStateImagesUI m_images;
  DWORD m_dwEditbkColor = 0xFFFFFFFF;
  UINT m_uExtraStyles = 0;  // native style bits added when the editor opens
};

}  // namespace SkinUI

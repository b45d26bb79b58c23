#pragma once
// CDateTimeUI: a label that shows a date as "yyyy-mm-dd". When it takes the focus (or is
// clicked while focused) it opens CDateTimeWnd, the platform's date picker as a native child
// window over itself. Losing the focus takes the picked date; Delete or Backspace in the picker
// empties the text; Escape closes it leaving the text as it was.
//
// Everything runs on the thread that owns the paint manager's window.

#include "Control/UILabel.h"
#include "Core/UIBase.h"

namespace SkinUI {

class CDateTimeUI;

// The native picker of one CDateTimeUI: a superclass of "SysDateTimePick32". It deletes itself
// when its window is gone.
class CDateTimeWnd : public CWindowWnd {
 public:
  CDateTimeWnd() = default;

  // Creates the native window over the owner when missing, hands it the owner's date (today
  // when the owner's text is empty) and gives it the focus. False when no window could be made.
  bool OpenPicker(CDateTimeUI* pOwner);
  // Called by an owner that goes away while the picker is open.
  void ForgetOwner() { m_pOwner = nullptr; }

 protected:
  LPCWSTR WindowClassName() const override;
  LPCWSTR SuperclassName() const override;
  LRESULT OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
  void OnWindowGone(HWND hWnd) override;

 private:
  // Sets the owner's update state, refreshes its text and closes the picker.
  void Finish(int nUpdateState);

  CDateTimeUI* m_pOwner = nullptr;
};

class CDateTimeUI : public CLabelUI {
  friend class CDateTimeWnd;

 public:
  // What the next RefreshDateText does with the text.
  enum UpdateState { kNone = 0, kFromDate = 1, kClear = 2, kKeep = 3 };

  // Starts with today's local date as its text.
  CDateTimeUI();
  // Closes an open picker first.
  ~CDateTimeUI() override;

  LPCWSTR GetClassName() const override;
  LPVOID GetInterfaceByName(LPCWSTR pstrName) override;
  UINT GetInputFlags() const override;
  void HandleEvent(TUIEvent& event) override;

  const SYSTEMTIME& GetTime() const { return m_sysTime; }
  // Stores the date and shows it.
  void SetTime(const SYSTEMTIME& st);
  int GetUpdateState() const { return m_nUpdateState; }
  // Applies the update state to the text (see UpdateState).
  void RefreshDateText();
  // The open picker's window, or null.
  HWND GetPickerWindow() const;

 private:
  // Creates the picker when missing and opens it; false when it could not be made.
  bool OpenPicker();

  SYSTEMTIME m_sysTime = {};
  int m_nUpdateState = kNone;
  CDateTimeWnd* m_pWindow = nullptr;
};

}  // namespace SkinUI

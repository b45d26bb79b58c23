#pragma once
// CWindowWnd: one object bound to one native window. It registers the window class (its own or
// a superclass of an existing one), creates the window with itself as the creation parameter,
// finds itself again on every message and hears when the window is gone.

#include "Platform/Win32.h"

namespace SkinUI {

class CWindowWnd {
 public:
  CWindowWnd();
  virtual ~CWindowWnd();
  CWindowWnd(const CWindowWnd&) = delete;
  CWindowWnd& operator=(const CWindowWnd&) = delete;

  HWND Handle() const { return m_hWnd; }
  operator HWND() const { return m_hWnd; }

  // Registers WindowClassName() (or the superclass when SuperclassName() names one). Counts as
  // done when the class already exists.
  bool RegisterWindowClass();
  bool RegisterSuperclass();

  HWND Create(HWND hwndParent, LPCWSTR pstrName, DWORD dwStyle, DWORD dwExStyle,
              int x = CW_USEDEFAULT, int y = CW_USEDEFAULT, int cx = CW_USEDEFAULT,
              int cy = CW_USEDEFAULT, HMENU hMenu = nullptr);
  HWND Create(HWND hwndParent, LPCWSTR pstrName, DWORD dwStyle, DWORD dwExStyle, const RECT& rc,
              HMENU hMenu = nullptr);

  void Show(bool bShow = true, bool bTakeFocus = true);
  void Close(UINT nRet = IDOK);
  void CenterOnOwner();
  LRESULT Send(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0);
  void Post(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0);

  // The module windows are registered and created in.
  static HINSTANCE ModuleInstance();

 protected:
  virtual LPCWSTR WindowClassName() const = 0;
  virtual LPCWSTR SuperclassName() const;
  virtual UINT WindowClassStyle() const;
  virtual LRESULT OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam);
  virtual void OnWindowGone(HWND hWnd);

  LRESULT DefaultProcessing(UINT uMsg, WPARAM wParam, LPARAM lParam);

  static LRESULT CALLBACK ClassWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK SuperclassWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
  // Where a window keeps the object it belongs to.
  struct ObjectSlot {
    CWindowWnd* (*get)(HWND hWnd);
    void (*set)(HWND hWnd, CWindowWnd* object);
  };
  // The two window procedures, apart from their slot: the object is stored at WM_NCCREATE,
  // every message goes to it, and it is let go after WM_NCDESTROY.
  static LRESULT RouteToObject(const ObjectSlot& slot, HWND hWnd, UINT uMsg, WPARAM wParam,
                               LPARAM lParam);

  HWND m_hWnd;
  WNDPROC m_OldWndProc;
};

}  // namespace SkinUI

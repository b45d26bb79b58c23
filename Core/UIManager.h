#pragma once
// CPaintManagerUI: the one object between a native window and the tree of controls drawn in it.
// It routes the window's messages to controls as events, carries the controls' notifications to
// listeners, lays the tree out and paints it through an offscreen surface, and keeps the
// resources controls draw with (fonts, images, colours, default attribute lists, option groups).
// It also holds the process-wide skin settings that say where skin files and images come from.
//
// Everything here runs on the thread that owns the window; nothing locks. Other threads post or
// send messages to the window instead of calling in.
//
// The class spans several files, one per responsibility:
//   UIManagerSkinSettings.cpp  skin settings (process-wide)
//   UIManagerLifetime.cpp   construction, destruction, window attachment, control lifetime,
//                           clearing the resource tables
//   UIManagerNotify.cpp     listeners, filters, accelerators, notifications and their queue
//   UIManagerTimers.cpp     control timers
//   UIManagerResources.cpp  window attributes, colours, fonts, images, default attributes,
//                           option groups
//   UIManagerPaint.cpp      the tree, names, layout pass and painting
//   UIManagerRoute.cpp      RouteMessage and the messages that are not input
//   UIManagerInput.cpp      mouse and keyboard routing, hover, capture, tooltip, focus moves,
//                           PreRoute, PreTranslate, MessageLoop

#include "Core/UIDefine.h"
#include "Platform/Win32.h"
#include "Utils/Utils.h"

namespace SkinUI {

struct SkinArchive;
struct TImageEntry;

// A font of the manager's tables. The manager owns the handle. Metrics are measured lazily: a
// zero tm.tmHeight means "not measured yet"; every entry the manager hands out is measured.
struct TFontEntry {
  HFONT hFont = nullptr;
  CUIString sFontName;
  int iSize = 0;  // absolute character height in pixels
  bool bBold = false;
  bool bUnderline = false;
  bool bItalic = false;
  TEXTMETRICW tm = {};
};

class CPaintManagerUI {
 public:
  CPaintManagerUI();
  ~CPaintManagerUI();
  CPaintManagerUI(const CPaintManagerUI&) = delete;
  CPaintManagerUI& operator=(const CPaintManagerUI&) = delete;

  // --- Window ------------------------------------------------------------------------------

  // Stores the window, takes its device context and joins the process-wide list of managers.
  void AttachWindow(HWND hWnd);
  HWND GetPaintWindow() const { return m_hWndPaint; }
  // The long-lived device context of the window (null before AttachWindow).
  HDC GetPaintDC() const { return m_hDcPaint; }
  POINT LastMousePos() const { return m_ptLastMousePos; }

  // --- Window attributes (from the skin's Window element) -------------------------------------

  SIZE InitialSize() const { return m_szInitWindowSize; }
  void SetInitialSize(int cx, int cy);
  RECT SizeBox() const { return m_rcSizeBox; }
  void SetSizeBox(const RECT& rcSizeBox);
  RECT CaptionArea() const { return m_rcCaption; }
  void SetCaptionArea(const RECT& rcCaption);
  SIZE RoundCorner() const { return m_szRoundCorner; }
  void SetRoundCorner(int cx, int cy);
  SIZE MinTrackSize() const { return m_szMinWindow; }
  void SetMinTrackSize(int cx, int cy);
  SIZE MaxTrackSize() const { return m_szMaxWindow; }
  void SetMaxTrackSize(int cx, int cy);
  bool IsShowDirty() const { return m_bShowDirty; }
  void SetShowDirty(bool bShow);
  BYTE Opacity() const { return m_nOpacity; }
  void SetOpacity(int nOpacity);
  bool IsLayeredBackground() const { return m_bLayeredBackground; }
  void SetLayeredBackground(bool bLayered);

  // --- Default colours (AARRGGBB); the parent resource manager decides when one is set ---------

  DWORD DisabledTextColor() const;
  void SetDisabledTextColor(DWORD dwColor);
  DWORD TextColor() const;
  void SetTextColor(DWORD dwColor);
  DWORD LinkColor() const;
  void SetLinkColor(DWORD dwColor);
  DWORD LinkHoverColor() const;
  void SetLinkHoverColor(DWORD dwColor);
  DWORD SelectedBackColor() const;
  void SetSelectedBackColor(DWORD dwColor);

  CPaintManagerUI* ParentResourceManager() const { return m_pParentResourceMgr; }
  // False (and nothing changes) when pManager is this manager or has it among its parents.
  bool SetParentResourceManager(CPaintManagerUI* pManager);

  // --- Fonts ---------------------------------------------------------------------------------

  const TFontEntry& DefaultFont();
  void SetDefaultFont(LPCWSTR pStrFontName, int nSize, bool bBold, bool bUnderline, bool bItalic);
  // Appends a custom font (addressed by its index from then on); null when it cannot be created.
  HFONT AddFont(LPCWSTR pStrFontName, int nSize, bool bBold, bool bUnderline, bool bItalic);
  // The custom font at index; any index outside the list gives the default font.
  HFONT FontAt(int index);
  HFONT FindFont(LPCWSTR pStrFontName, int nSize, bool bBold, bool bUnderline, bool bItalic);
  const TFontEntry& FontInfoAt(int index);
  const TFontEntry& FontInfoOf(HFONT hFont);
  int FontCount() const { return m_aCustomFonts.GetSize(); }
  void ClearFonts();

  // --- Images (not shared with the parent resource manager) -----------------------------------

  // The cached entry for the name, loading it on first use; null when it cannot be had. The
  // cache is keyed by name alone.
  const TImageEntry* ImageFor(LPCWSTR bitmap, LPCWSTR type = nullptr, DWORD mask = 0);
  // Loads and caches; null on failure or when the name is already cached.
  const TImageEntry* LoadImageEntry(LPCWSTR bitmap, LPCWSTR type = nullptr, DWORD mask = 0);
  void ClearImages();

  // --- Default attribute lists per control class (the first definition wins) ----------------

  void SetDefaultAttributes(LPCWSTR pStrControlName, LPCWSTR pStrAttributes);
  LPCWSTR DefaultAttributes(LPCWSTR pStrControlName) const;
  void ClearDefaultAttributes();

  // --- Option groups ---------------------------------------------------------------------------

  bool JoinGroup(LPCWSTR pStrGroupName, CControlUI* pControl);
  CPtrArrayUI* GetGroup(LPCWSTR pStrGroupName) const;
  void LeaveGroup(LPCWSTR pStrGroupName, CControlUI* pControl);
  void ClearGroups();

  // --- The control tree ------------------------------------------------------------------------

  // Replaces the root (the old one is deleted after the current message) and registers the tree.
  bool AttachRoot(CControlUI* pControl);
  bool RegisterControls(CControlUI* pControl, CControlUI* pParent = nullptr);
  CControlUI* GetRoot() const { return m_pRoot; }
  // The topmost visible, hit-testable control at the point; null without a root.
  CControlUI* FindControlAt(POINT pt) const;
  // Null without a root or when no control has the name.
  CControlUI* FindControlByName(LPCWSTR pstrName) const;
  void MarkLayoutStale();
  bool IsLayoutPending() const { return m_bLayoutPending; }
  void InvalidateArea(const RECT& rcItem);
  bool AddOverlayControl(CControlUI* pControl);
  bool RemoveOverlayControl(CControlUI* pControl);

  // --- Messages ------------------------------------------------------------------------------

  // True when the message was handled; lRes is then its answer.
  bool RouteMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes);
  // Pre-translation of a queued message; true consumes it.
  bool PreRoute(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes);
  bool RunAccelerators(LPMSG pMsg);
  static bool PreTranslate(LPMSG pMsg);
  // Runs the thread's message loop until WM_QUIT.
  static void MessageLoop();

  bool AddListener(INotifyUI* pNotifier);
  bool RemoveListener(INotifyUI* pNotifier);
  bool AddPreFilter(IMessageFilterUI* pFilter);
  bool RemovePreFilter(IMessageFilterUI* pFilter);
  bool AddFilter(IMessageFilterUI* pFilter);
  bool RemoveFilter(IMessageFilterUI* pFilter);
  bool AddAccelerator(ITranslateAccelerator* pTranslateAccelerator);
  bool RemoveAccelerator(ITranslateAccelerator* pTranslateAccelerator);

  // --- Notifications -----------------------------------------------------------------------

  void SendNotification(CControlUI* pControl, LPCWSTR pstrMessage, WPARAM wParam = 0,
                        LPARAM lParam = 0, bool bAsync = false);
  void SendNotification(TNotifyMsg& msg, bool bAsync = false);

  // --- Focus ---------------------------------------------------------------------------------

  CControlUI* GetFocusControl() const { return m_pFocus; }
  void SetFocusControl(CControlUI* pControl);
  // The control that has the focus after the next layout pass; null: none, the first paint
  // then gives the focus to no control.
  void SetInitialFocus(CControlUI* pControl);
  bool MoveFocus(bool bForward);

  // --- Timers and capture --------------------------------------------------------------------

  bool StartTimer(CControlUI* pControl, UINT nTimerID, UINT uElapse);
  bool StopTimer(CControlUI* pControl, UINT nTimerID);
  void StopTimers(CControlUI* pControl);
  void StopAllTimers();
  void CaptureMouse();
  void ReleaseMouse();
  bool IsMouseCaptured() const { return m_bMouseCapture; }

  // --- Control lifetime ------------------------------------------------------------------------

  // Drops every reference the manager holds to the control (its destructor calls this).
  void ForgetControl(CControlUI* pControl);
  // Drops the focus, input state and timers that point at a control leaving the manager; its
  // name stays registered, for a control lent to another window (a drop-down) comes back.
  void ReleaseControl(CControlUI* pControl);
  // Detaches the control and deletes it when WM_UI_DEFERRED_DELETE is routed.
  void DeferDelete(CControlUI* pControl);

  // --- Skin settings: process-wide, shared by every manager, written during start-up. ---

  // The module whose file locates the skin folder and in which windows are registered.
  static HINSTANCE Instance();
  static void SetInstance(HINSTANCE hInst);
  // The instance module's folder, with its trailing backslash; empty without a module.
  static CUIString InstanceFolder();
  // The module whose embedded resources hold skin files.
  static HINSTANCE ResourceModule();

  // Folder of loose skin files; ends in a separator once set to anything but "".
  static const CUIString& ResourceFolder();
  static void SetResourceFolder(LPCWSTR pStrPath);

  // The skin archive's file name relative to the folder; "membuffer" for one held in memory;
  // empty for loose files.
  static const CUIString& ResourceZipName();
  static bool IsZipKeptOpen();
  static SkinArchive* OpenZipHandle();
  // With bKeepOpen the archive is opened at once and kept until the setting changes.
  static void SetResourceZip(LPCWSTR pstrZip, bool bKeepOpen = false);
  // Selects an archive held in memory; the caller keeps the block alive for the process.
  static void SetResourceZipBuffer(LPVOID pVoid, unsigned int len);

  static void HueShift(short* H, short* S, short* L);

 private:
  struct TimerRecord {
    CControlUI* pSender;
    UINT nLocalID;
    HWND hWnd;
    UINT uWinTimer;
    bool bKilled;
  };

  static void CloseKeptZip();
  // Process-wide list of the managers attached to windows.
  static CPtrArrayUI& Managers();
  // The process-wide pen that outlines painted areas when show-dirty is on.
  static HPEN DirtyOutlinePen();

  void DrainNotifyQueue();
  TFontEntry* MeasuredFont(TFontEntry* pEntry);
  bool IsOwnedControl(CControlUI* pControl) const;

  // Painting (UIManagerPaint.cpp).
  bool OnPaint(LRESULT& lRes);
  void RunLayoutPass();
  void PrintClient(HDC hDC, LPARAM lParam);
  void GetMinMaxInfo(MINMAXINFO* pInfo) const;

  // Input (UIManagerInput.cpp). Each answers as RouteMessage does.
  bool RouteInput(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes);
  struct InputRouting;  // the per-message handlers, defined in UIManagerInput.cpp

  // Window.
  HWND m_hWndPaint = nullptr;
  HDC m_hDcPaint = nullptr;
  HDC m_hDcOffscreen = nullptr;
  HDC m_hDcBackground = nullptr;
  HBITMAP m_hbmpOffscreen = nullptr;
  HBITMAP m_hbmpBackground = nullptr;
  HBITMAP m_hbmpOffscreenOld = nullptr;
  HBITMAP m_hbmpBackgroundOld = nullptr;
  HWND m_hwndTooltip = nullptr;
  TOOLINFOW m_ToolTip = {};
  bool m_bShowDirty = false;
  bool m_bLayeredBackground = false;
  BYTE m_nOpacity = 255;

  // Tree and pointer state.
  CControlUI* m_pRoot = nullptr;
  CControlUI* m_pFocus = nullptr;
  CControlUI* m_pEventHover = nullptr;
  CControlUI* m_pEventClick = nullptr;
  CControlUI* m_pEventKey = nullptr;
  POINT m_ptLastMousePos = {-1, -1};
  bool m_bMouseTracking = false;
  bool m_bMouseCapture = false;
  bool m_bFirstLayout = true;
  bool m_bLayoutPending = false;  // "update needed"
  bool m_bFocusNeeded = false;
  UINT m_uTimerID = 0x1000;

  // Window attributes.
  SIZE m_szInitWindowSize = {0, 0};
  RECT m_rcSizeBox = {0, 0, 0, 0};
  RECT m_rcCaption = {0, 0, 0, 0};
  SIZE m_szRoundCorner = {0, 0};
  SIZE m_szMinWindow = {0, 0};
  SIZE m_szMaxWindow = {0, 0};

  // Lists. Only the timers, the deferred-delete list and the queue own their elements.
  CPtrArrayUI m_aNotifiers;
  CPtrArrayUI m_aPreMessageFilters;
  CPtrArrayUI m_aMessageFilters;
  CPtrArrayUI m_aTranslateAccelerator;
  CPtrArrayUI m_aTimers;
  CPtrArrayUI m_aDelayedCleanup;
  CPtrArrayUI m_aAsyncNotify;
  CPtrArrayUI m_aPostPaintControls;
  CStringMapUI m_mNameHash;
  CStringMapUI m_mOptionGroup;

  // Resources.
  CPaintManagerUI* m_pParentResourceMgr = nullptr;
  DWORD m_dwDefaultDisabledColor = 0xFFA7A6AA;
  DWORD m_dwDefaultFontColor = 0xFF000000;
  DWORD m_dwDefaultLinkFontColor = 0xFF0000FF;
  DWORD m_dwDefaultLinkHoverFontColor = 0xFFD3215F;
  DWORD m_dwDefaultSelectedBkColor = 0xFFBAE4FF;
  TFontEntry m_DefaultFontInfo;
  CPtrArrayUI m_aCustomFonts;
  CStringMapUI m_mImageHash;
  CStringMapUI m_DefaultAttrHash;
};

}  // namespace SkinUI

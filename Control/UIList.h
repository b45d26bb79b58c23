#pragma once
// The list: CListUI is a vertical layout that owns a column header (CListHeaderUI of
// CListHeaderItemUI) and a scrolling body (CListBodyUI) holding the items. Items share the
// list's drawing settings (TListInfoUI) and report selection to their owner. Everything here
// runs on the thread of the window that shows the list.

#include "Core/UIContainer.h"
#include "Core/UIStateImages.h"
#include "Layout/UIHorizontalLayout.h"
#include "Layout/UIVerticalLayout.h"

namespace SkinUI {

constexpr int kMaxListColumns = 32;
constexpr int kMaxListItemLinks = 8;
// Input flag of a list item: it wants the Return key (activation).
constexpr UINT kListItemWantsReturn = 0x04;

// Drawing settings shared by every item of one list (or combo).
struct TListInfoUI {
  int nColumns = 0;
  RECT rcColumn[kMaxListColumns] = {};
  int nFont = -1;
  UINT uTextStyle = DT_VCENTER;
  RECT rcTextPadding = {0, 0, 0, 0};
  DWORD dwTextColor = 0xFF000000;
  DWORD dwBkColor = 0;
  CUIString sBkImage;
  // Only even-indexed items get the background colour and their own background image.
  bool bAlternateBk = false;
  DWORD dwSelectedTextColor = 0xFF000000;
  DWORD dwSelectedBkColor = 0xFFC1E3FF;
  CUIString sSelectedImage;
  DWORD dwHotTextColor = 0xFF000000;
  DWORD dwHotBkColor = 0xFFE9F5FF;
  CUIString sHotImage;
  DWORD dwDisabledTextColor = 0xFFCCCCCC;
  DWORD dwDisabledBkColor = 0xFFFFFFFF;
  CUIString sDisabledImage;
  DWORD dwLineColor = 0;  // 0: no separator line under the items
  bool bShowHtml = false;
  bool bMultiExpandable = false;
};

// Applies one of the shared "item..." attributes to the settings, then repaints the owner or
// lays it out again as the change needs; false when the name is not one of them.
bool ApplyListInfoAttribute(CControlUI& owner, TListInfoUI& info, LPCWSTR pstrName,
                            LPCWSTR pstrValue);

// Returns the text of one column of one item; owned by the application.
class IListTextProviderUI {
 public:
  virtual LPCWSTR GetItemText(CControlUI* pControl, int iIndex, int iSubItem) = 0;

 protected:
  ~IListTextProviderUI() = default;
};

class IListOwnerUI {
 public:
  virtual TListInfoUI* GetListInfo() = 0;
  virtual int GetCurSel() const = 0;
  virtual bool SelectItem(int iIndex, bool bTakeFocus = false) = 0;
  virtual void OwnerHandleEvent(TUIEvent& event) = 0;

 protected:
  ~IListOwnerUI() = default;
};

class CListHeaderUI;
class CListBodyUI;

class IListUI : public IListOwnerUI {
 public:
  virtual CListHeaderUI* GetHeader() const = 0;
  virtual CContainerUI* GetBody() const = 0;
  virtual IListTextProviderUI* GetTextProvider() const = 0;
  virtual void SetTextProvider(IListTextProviderUI* pProvider) = 0;
  virtual bool ExpandItem(int iIndex, bool bExpand = true) = 0;
  virtual int GetExpandedItem() const = 0;

 protected:
  ~IListUI() = default;
};

class IListItemUI {
 public:
  virtual int GetIndex() const = 0;
  virtual void SetIndex(int iIndex) = 0;
  virtual IListOwnerUI* GetOwner() = 0;
  virtual void SetListOwner(CControlUI* pOwner) = 0;
  virtual bool IsItemSelected() const = 0;
  virtual bool SelectListItem(bool bSelect = true) = 0;
  virtual bool IsExpanded() const = 0;
  virtual bool Expand(bool bExpand = true) = 0;
  virtual void DrawItemText(HDC hDC, const RECT& rcItem) = 0;

 protected:
  ~IListItemUI() = default;
};

// Item bookkeeping shared by the list and the combo: owners, indexes and the selection that
// follows its item. `pItems` is the container holding the items.
namespace ListItems {
IListItemUI* AsItem(CControlUI* pControl);
// Gives every item from iFrom on its index.
void Renumber(IContainerUI* pItems, int iFrom);
// The selection after an item moved from iOld to iNew (-1: inserted at iNew / removed at iOld).
int FollowSelection(int iCurSel, int iOld, int iNew);
// The row background from the shared settings: colour by state, state image or background
// image, separator line. uState holds UISTATE_ bits (hot, selected, disabled).
void PaintBackground(HDC hDC, CControlUI* pItem, const TListInfoUI& info, int iIndex, UINT uState);
// The text colour for the state.
DWORD TextColor(const TListInfoUI& info, UINT uState);
// Click, hot and swallowed moves common to the label, text and container elements; true when
// the event was consumed. uState is the item's button state.
bool HandleMouse(CControlUI* pItem, IListItemUI* pListItem, CStateImagesUI& state, TUIEvent& event);
// Scrolls the layout vertically just enough to show the item's rectangle (its bottom edge wins
// when the item is taller than the view).
void ScrollIntoView(CContainerUI& layout, const RECT& rcItem);
}  // namespace ListItems

class CListUI : public CVerticalLayoutUI, public IListUI {
 public:
  CListUI();

  LPCWSTR GetClassName() const override;
  LPVOID GetInterfaceByName(LPCWSTR pstrName) override;
  UINT GetInputFlags() const override;

  // The items live in the body; header items and a replacement header go to the header.
  CControlUI* GetItemAt(int iIndex) const override;
  int GetItemIndex(CControlUI* pControl) const override;
  bool SetItemIndex(CControlUI* pControl, int iIndex) override;
  int GetCount() const override;
  bool Add(CControlUI* pControl) override;
  bool AddAt(CControlUI* pControl, int iIndex) override;
  bool Remove(CControlUI* pControl) override;
  bool RemoveAt(int iIndex) override;
  void RemoveAll() override;

  TListInfoUI* GetListInfo() override { return &m_ListInfo; }
  int GetCurSel() const override { return m_iCurSel; }
  bool SelectItem(int iIndex, bool bTakeFocus = false) override;
  void OwnerHandleEvent(TUIEvent& event) override { HandleEvent(event); }
  CListHeaderUI* GetHeader() const override { return m_pHeader; }
  CContainerUI* GetBody() const override;
  IListTextProviderUI* GetTextProvider() const override { return m_pTextProvider; }
  void SetTextProvider(IListTextProviderUI* pProvider) override;
  bool ExpandItem(int iIndex, bool bExpand = true) override;
  int GetExpandedItem() const override { return m_iExpandedItem; }

  // Scrolls the body so the item is inside its visible area (only while something is selected).
  void EnsureVisible(int iIndex);
  void ScrollBy(int dx, int dy);
  bool IsScrollSelect() const { return m_bScrollSelect; }
  void SetScrollSelect(bool bScrollSelect) { m_bScrollSelect = bScrollSelect; }
  // Recomputes the column rectangles from the header items (at most kMaxListColumns).
  void UpdateColumns();

  void SetPos(RECT rc) override;
  void HandleEvent(TUIEvent& event) override;
  void ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) override;

  int GetChildPadding() const override;
  void SetChildPadding(int iPadding) override;
  SIZE GetScrollPos() const override;
  SIZE GetScrollRange() const override;
  void SetScrollPos(SIZE szPos) override;
  void LineUp() override;
  void LineDown() override;
  void PageUp() override;
  void PageDown() override;
  void ScrollToTop() override;
  void ScrollToBottom() override;
  void LineLeft() override;
  void LineRight() override;
  void PageLeft() override;
  void PageRight() override;
  void ScrollToLeftEnd() override;
  void ScrollToRightEnd() override;
  void EnableScrollBars(bool bEnableVertical = true, bool bEnableHorizontal = false) override;
  CScrollBarUI* GetVerticalScrollBar() const override;
  CScrollBarUI* GetHorizontalScrollBar() const override;

 private:
  bool AddItemAt(CControlUI* pControl, int iIndex);
  bool AddHeader(CControlUI* pControl);
  void ItemRemoved(int iIndex);

  bool m_bScrollSelect = false;
  int m_iCurSel = -1;
  int m_iExpandedItem = -1;
  IListTextProviderUI* m_pTextProvider = nullptr;
  CListBodyUI* m_pList = nullptr;
  CListHeaderUI* m_pHeader = nullptr;
  TListInfoUI m_ListInfo;
};

class CListBodyUI : public CVerticalLayoutUI {
 public:
  explicit CListBodyUI(CListUI* pOwner);

  void SetScrollPos(SIZE szPos) override;
  void SetPos(RECT rc) override;
  void HandleEvent(TUIEvent& event) override;

 protected:
  LONGLONG CrossLength(const CControlUI* child, const RECT& pad,
                       LONGLONG crossAvailable) const override;

 private:
  // The width every row gets: the widest row, or the header's measured width when it has items.
  LONG NeededWidth(SIZE available) const;
  // Shows the horizontal bar when the rows are wider than the area; answers the area's bottom.
  LONG UpdateHorizontalBar(const RECT& area, LONG cxNeeded);

  CListUI* m_pOwner;
  LONG m_cxRow = 0;  // the rows' width, from the last layout
};

class CListHeaderUI : public CHorizontalLayoutUI {
 public:
  CListHeaderUI();

  LPCWSTR GetClassName() const override;
  LPVOID GetInterfaceByName(LPCWSTR pstrName) override;
  // The items' widths summed; the fixed height, else the tallest item, at least the default
  // font's height plus 6.
  SIZE MeasureSize(SIZE szAvailable) override;
};

class CListHeaderItemUI : public CControlUI {
 public:
  CListHeaderItemUI();

  LPCWSTR GetClassName() const override;
  LPVOID GetInterfaceByName(LPCWSTR pstrName) override;
  UINT GetInputFlags() const override;

  void SetEnabled(bool bEnable = true) override;
  bool IsDragable() const { return m_bDragable; }
  void SetDragable(bool bDragable);
  // Negative puts the separator on the left edge.
  int GetSepWidth() const { return m_iSepWidth; }
  void SetSepWidth(int iWidth) { m_iSepWidth = iWidth; }
  UINT GetTextStyle() const { return m_uTextStyle; }
  void SetTextStyle(UINT uStyle) { m_uTextStyle = uStyle; }
  DWORD GetTextColor() const { return m_dwTextColor; }
  void SetTextColor(DWORD dwColor) { m_dwTextColor = dwColor; }
  void SetFont(int iFont) { m_iFont = iFont; }
  void SetShowHtml(bool bShowHtml) { m_bShowHtml = bShowHtml; }
  RECT GetTextPadding() const { return m_rcTextPadding; }
  void SetTextPadding(RECT rc);
  UINT GetButtonState() const { return m_images.GetState(); }
  // The state images (normal, hot, pushed, focused) and the separator image.
  void SetImage(CStateImagesUI::Image which, LPCWSTR pStrImage);
  void SetSepImage(LPCWSTR pStrImage);
  // The separator, in window coordinates.
  RECT GetSepRect() const;

  void HandleEvent(TUIEvent& event) override;
  void ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) override;
  SIZE MeasureSize(SIZE szAvailable) override;
  void PaintStatusImage(HDC hDC) override;
  void PaintText(HDC hDC) override;

 private:
  // The separator widened by 4 pixels toward the inside, for hit-testing.
  RECT SepHitRect() const;
  void DragTo(POINT pt);
  void RelayoutList();

  POINT m_ptLastMouse = {0, 0};
  bool m_bDragable = true;
  CStateImagesUI m_images;
  int m_iSepWidth = 4;
  DWORD m_dwTextColor = 0;
  int m_iFont = -1;
  UINT m_uTextStyle = DT_VCENTER | DT_CENTER | DT_SINGLELINE;
  bool m_bShowHtml = false;
  RECT m_rcTextPadding = {2, 0, 2, 0};
  CUIString m_sSepImage;
  CUIString m_sSepImageModify;
};

// What both element kinds (a plain control and a container of controls) do alike as list
// items: index, owner, selection (a hidden item lets go of it), the hot state, activation by
// double click or Return ("itemactivate") and the "selected" attribute. Events an item does
// not take go to its owner.
template <class Base>
class CListItemBaseUI : public Base, public IListItemUI {
 public:
  LPVOID GetInterfaceByName(LPCWSTR pstrName) override;
  UINT GetInputFlags() const override { return kListItemWantsReturn; }

  int GetIndex() const override { return m_iIndex; }
  void SetIndex(int iIndex) override { m_iIndex = iIndex; }
  IListOwnerUI* GetOwner() override { return m_pOwner; }
  void SetListOwner(CControlUI* pOwner) override;
  bool IsItemSelected() const override { return m_bSelected; }
  bool SelectListItem(bool bSelect = true) override;
  bool IsExpanded() const override { return false; }
  bool Expand(bool /*bExpand*/ = true) override { return false; }

  void SetVisible(bool bVisible = true) override;
  bool Activate() override;
  void HandleEvent(TUIEvent& event) override;
  void ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) override;
  UINT GetButtonState() const { return m_state.GetState(); }

 protected:
  // The item's own reaction to the mouse (click, hot); true when it took the event.
  virtual bool HandleItemMouse(TUIEvent& /*event*/) { return false; }
  // The UISTATE_ bits that choose the row's colours.
  UINT ItemState() const;
  // The row background from the owner's settings.
  void PaintItemBackground(HDC hDC);

  int m_iIndex = -1;
  bool m_bSelected = false;
  CStateImagesUI m_state;
  IListOwnerUI* m_pOwner = nullptr;
};

class CListElementUI : public CListItemBaseUI<CControlUI> {
 public:
  LPCWSTR GetClassName() const override;
  LPVOID GetInterfaceByName(LPCWSTR pstrName) override;
};

class CListLabelElementUI : public CListElementUI {
 public:
  LPCWSTR GetClassName() const override;
  LPVOID GetInterfaceByName(LPCWSTR pstrName) override;
  SIZE MeasureSize(SIZE szAvailable) override;
  void Paint(HDC hDC, const RECT& rcPaint) override;
  void DrawItemText(HDC hDC, const RECT& rcItem) override;

 protected:
  bool HandleItemMouse(TUIEvent& event) override;
};

class CListTextElementUI : public CListLabelElementUI {
 public:
  CListTextElementUI() = default;
  ~CListTextElementUI() override;

  LPCWSTR GetClassName() const override;
  LPVOID GetInterfaceByName(LPCWSTR pstrName) override;
  UINT GetInputFlags() const override;
  void SetListOwner(CControlUI* pOwner) override;

  // One text per column; an index past the end grows the list with empty texts. The control's
  // own text stays apart from the column texts.
  using CListLabelElementUI::GetText;
  using CListLabelElementUI::SetText;
  LPCWSTR GetText(int iIndex) const;
  void SetText(int iIndex, LPCWSTR pstrText);
  int GetLinkCount() const { return m_nLinks; }
  const RECT& GetLinkRect(int i) const { return m_rcLinks[i]; }

  void HandleEvent(TUIEvent& event) override;
  SIZE MeasureSize(SIZE szAvailable) override;
  void DrawItemText(HDC hDC, const RECT& rcItem) override;

 private:
  int LinkAt(POINT pt) const;

  int m_nLinks = 0;
  RECT m_rcLinks[kMaxListItemLinks] = {};
  CUIString m_sLinks[kMaxListItemLinks];
  int m_nHoverLink = -1;
  IListUI* m_pListOwner = nullptr;
  CPtrArrayUI m_aTexts;  // owned CUIString*
};

class CListContainerElementUI : public CListItemBaseUI<CContainerUI> {
 public:
  LPCWSTR GetClassName() const override;
  LPVOID GetInterfaceByName(LPCWSTR pstrName) override;
  void DrawItemText(HDC /*hDC*/, const RECT& /*rcItem*/) override {}
  void Paint(HDC hDC, const RECT& rcPaint) override;

 protected:
  bool HandleItemMouse(TUIEvent& event) override;
};

}  // namespace SkinUI

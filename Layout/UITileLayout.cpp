#include "Layout/UITileLayout.h"

#include "Core/UIAttributeTable.h"
#include "Core/UIScrollBar.h"
#include "Layout/UILayoutLimits.h"

namespace SkinUI {

namespace {

bool IsBarVisible(const CScrollBarUI* pBar) { return pBar && pBar->IsVisible(); }
bool IsTile(const CControlUI* child) { return child->IsVisible() && !child->IsFloat(); }
constexpr LONG kUnboundedHeight = 9999;

}  // namespace

CTileLayoutUI::CTileLayoutUI() = default;

LPCWSTR CTileLayoutUI::GetClassName() const { return TEXT("TileLayoutUI"); }

LPVOID CTileLayoutUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (UIStrEqual(pstrName, TEXT("TileLayout"))) return this;
  return CContainerUI::GetInterfaceByName(pstrName);
}

SIZE CTileLayoutUI::GetItemSize() const { return m_szItem; }

void CTileLayoutUI::SetItemSize(SIZE szItem) {
  if (m_szItem.cx == szItem.cx && m_szItem.cy == szItem.cy) return;
  m_szItem = szItem;
  RequestLayout();
}

int CTileLayoutUI::GetColumns() const { return m_nColumns; }

void CTileLayoutUI::SetColumns(int nCols) {
  if (nCols <= 0) return;
  m_nColumns = nCols;
  RequestLayout();
}

LONG CTileLayoutUI::MeasureRow(int iFirst, int placed, LONG cellWidth) const {
  const CControlUI* first = static_cast<CControlUI*>(m_items[iFirst]);
  LONGLONG rowHeight = 0;
  int k = placed;
  for (int j = iFirst; j < m_items.GetSize(); j++) {
    CControlUI* child = static_cast<CControlUI*>(m_items[j]);
    if (!IsTile(child)) continue;
    const RECT pad = child->GetPadding();
    const bool bEdge = k == placed || (k + 1) % m_nColumns == 0;
    const LONGLONG availWidth = LONGLONG{cellWidth} - pad.left - pad.right -
                                (bEdge ? m_iChildPadding / 2 : m_iChildPadding);
    const SIZE avail = {ClampWidth(first, Saturated(availWidth)), kUnboundedHeight};
    const SIZE tile = child->MeasureSize(avail);
    const LONGLONG height = LONGLONG{ClampHeight(first, tile.cy)} + pad.top + pad.bottom;
    if (height > rowHeight) rowHeight = height;
    k++;
    if (k % m_nColumns == 0) break;
  }
  return Saturated(rowHeight);
}

void CTileLayoutUI::SetPos(RECT rc) {
  CControlUI::SetPos(rc);
  RECT area = m_rcItem;
  area.left += m_rcInset.left;
  area.top += m_rcInset.top;
  area.right -= m_rcInset.right;
  area.bottom -= m_rcInset.bottom;
  if (m_items.GetSize() == 0) {
    UpdateScrollBars(area, 0, 0);
    return;
  }
  const bool bVBar = IsBarVisible(m_pVerticalScrollBar);
  const bool bHBar = IsBarVisible(m_pHorizontalScrollBar);
  if (bVBar) area.right -= m_pVerticalScrollBar->GetFixedWidth();
  if (bHBar) area.bottom -= m_pHorizontalScrollBar->GetFixedHeight();

  const LONG areaWidth = area.right - area.left;
  if (m_szItem.cx > 0) m_nColumns = areaWidth / m_szItem.cx;
  if (m_nColumns <= 0) m_nColumns = 1;
  const LONG cellWidth = Saturated(
      (LONGLONG{areaWidth} + (bHBar ? m_pHorizontalScrollBar->GetScrollRange() : 0)) / m_nColumns);

  const LONGLONG rowStart =
      LONGLONG{area.left} - (bHBar ? m_pHorizontalScrollBar->GetScrollPos() : 0);
  const LONG scrollY = bVBar ? m_pVerticalScrollBar->GetScrollPos() : 0;
  LONGLONG x = rowStart;
  LONGLONG y = LONGLONG{area.top} - scrollY;
  LONG rowHeight = 0;
  int placed = 0;
  LONGLONG needed = 0;
  const LONGLONG halfPadding = m_iChildPadding / 2;
  for (int i = 0; i < m_items.GetSize(); i++) {
    CControlUI* child = static_cast<CControlUI*>(m_items[i]);
    if (!child->IsVisible()) continue;
    if (child->IsFloat()) {
      PlaceFloatChild(i);
      continue;
    }
    if (placed % m_nColumns == 0) rowHeight = MeasureRow(i, placed, cellWidth);

    const RECT pad = child->GetPadding();
    LONGLONG left = x + pad.left + halfPadding, right = x + cellWidth - pad.right - halfPadding;
    if (placed % m_nColumns == 0) left -= halfPadding;
    if ((placed + 1) % m_nColumns == 0) right += halfPadding;
    const LONGLONG top = y + pad.top, bottom = y + rowHeight;

    const SIZE cellSize = {Saturated(right - left), Saturated(bottom - top)};
    SIZE tile = child->MeasureSize(cellSize);
    if (tile.cx == 0) tile.cx = cellSize.cx;
    if (tile.cy == 0) tile.cy = cellSize.cy;
    tile.cx = ClampWidth(child, tile.cx);
    tile.cy = ClampHeight(child, tile.cy);
    const LONGLONG tileLeft = (left + right - tile.cx) / 2;
    const LONGLONG tileTop = (top + bottom - tile.cy) / 2;
    child->SetPos(RECT{Saturated(tileLeft), Saturated(tileTop), Saturated(tileLeft + tile.cx),
                       Saturated(tileTop + tile.cy)});

    placed++;
    if (placed % m_nColumns != 0) {
      x += cellWidth;
    } else {
      x = rowStart;
      y += LONGLONG{rowHeight} + m_iChildPadding;
      rowHeight = 0;
    }
    needed = bottom - area.top + scrollY;
  }
  UpdateScrollBars(area, 0, Saturated(needed));
}

namespace {

const TAttributeUI<CTileLayoutUI> kTileAttributes[] = {
    {TEXT("itemsize"), Parsed<&CTileLayoutUI::SetItemSize, UIParseSize>},
    {TEXT("columns"), Parsed<&CTileLayoutUI::SetColumns, UIStrToInt>},
};

}  // namespace

void CTileLayoutUI::ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) {
  ApplyOrPass<CContainerUI>(kTileAttributes, *this, pstrName, pstrValue);
}

}  // namespace SkinUI

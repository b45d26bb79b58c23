#pragma once
// CTileLayoutUI: places its children in a grid of equal-width cells, row by row. The number of
// columns comes from "columns", or from the area's width divided by the width of "itemsize".
// A row is as tall as its tallest child; the limits of a row's first child apply to the whole
// row; each child is centred in its cell.

#include "Core/UIContainer.h"

namespace SkinUI {

class CTileLayoutUI : public CContainerUI {
 public:
  CTileLayoutUI();

  LPCWSTR GetClassName() const override;
  LPVOID GetInterfaceByName(LPCWSTR pstrName) override;

  SIZE GetItemSize() const;
  // Nothing when unchanged; otherwise stores and relayouts.
  void SetItemSize(SIZE szItem);
  int GetColumns() const;
  // Ignored when nCols <= 0.
  void SetColumns(int nCols);

  void SetPos(RECT rc) override;
  void ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) override;

 private:
  // The height of the row that starts with item iFirst (the placed-th visible tile).
  LONG MeasureRow(int iFirst, int placed, LONG cellWidth) const;

  SIZE m_szItem = {0, 0};
  int m_nColumns = 1;
};

}  // namespace SkinUI

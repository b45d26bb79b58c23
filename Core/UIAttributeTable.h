#pragma once
// Attribute tables: each control class lists the markup attributes it adds as one table of
// name and setter, and hands every other name to its base class. A setter is written as
// Parsed<&Class::SetX, UIParseColor> (the value parsed, then set), Verbatim<&Class::SetX> (the
// text set as it is) or a plain function for the few that do more.

#include "Core/UIAttrValue.h"
#include "Utils/Utils.h"

namespace SkinUI {

template <typename T>
struct TAttributeUI {
  LPCWSTR pstrName;
  void (*pfnApply)(T& control, LPCWSTR pstrValue);
};

namespace AttributeTable {

template <typename>
struct SetterOf;
template <typename T, typename R, typename A>
struct SetterOf<R (T::*)(A)> {
  using Class = T;
};

}  // namespace AttributeTable

template <auto Set, auto Parse>
void Parsed(typename AttributeTable::SetterOf<decltype(Set)>::Class& control, LPCWSTR pstrValue) {
  (control.*Set)(Parse(pstrValue));
}

template <auto Set>
void Verbatim(typename AttributeTable::SetterOf<decltype(Set)>::Class& control, LPCWSTR pstrValue) {
  (control.*Set)(pstrValue);
}

// The "align" words left, center and right (with bVertical also top, vcenter and bottom) found
// in the value change the DT_ style in turn; "vcenter" also contains "center".
UINT UIApplyAlign(UINT uStyle, LPCWSTR pstrValue, bool bVertical);
// "endellipsis": DT_END_ELLIPSIS on for "true", off otherwise.
UINT UIApplyEndEllipsis(UINT uStyle, LPCWSTR pstrValue);

// Applies the entry named pstrName (exact, case-sensitive); false when the table has none.
template <typename T, size_t N>
bool ApplyFromTable(const TAttributeUI<T> (&table)[N], T& control, LPCWSTR pstrName,
                    LPCWSTR pstrValue) {
  for (const TAttributeUI<T>& entry : table) {
    if (!UIStrEqual(entry.pstrName, pstrName)) continue;
    entry.pfnApply(control, pstrValue != nullptr ? pstrValue : TEXT(""));
    return true;
  }
  return false;
}

// Applies the table's entry, or hands the attribute to the class the control derives from.
template <typename Base, typename T, size_t N>
void ApplyOrPass(const TAttributeUI<T> (&table)[N], T& control, LPCWSTR pstrName,
                 LPCWSTR pstrValue) {
  if (!ApplyFromTable(table, control, pstrName, pstrValue))
    control.Base::ApplyAttribute(pstrName, pstrValue);
}

}  // namespace SkinUI

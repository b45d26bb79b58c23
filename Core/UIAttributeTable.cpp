#include "Core/UIAttributeTable.h"

namespace SkinUI {

namespace {

struct AlignWord {
  LPCWSTR pstrWord;
  UINT uClear;
  UINT uSet;
};

const AlignWord kHorizontal[] = {
    {TEXT("left"), DT_CENTER | DT_RIGHT, 0},
    {TEXT("center"), DT_RIGHT, DT_CENTER},
    {TEXT("right"), DT_CENTER, DT_RIGHT},
};
const AlignWord kVertical[] = {
    {TEXT("top"), DT_VCENTER | DT_BOTTOM, 0},
    {TEXT("vcenter"), DT_BOTTOM, DT_VCENTER},
    {TEXT("bottom"), DT_VCENTER, DT_BOTTOM},
};

template <size_t N>
UINT ApplyWords(UINT uStyle, const CUIString& sValue, const AlignWord (&words)[N]) {
  for (const AlignWord& word : words) {
    if (sValue.Find(word.pstrWord) >= 0) uStyle = (uStyle & ~word.uClear) | word.uSet;
  }
  return uStyle;
}

}  // namespace

UINT UIApplyAlign(UINT uStyle, LPCWSTR pstrValue, bool bVertical) {
  const CUIString sValue(pstrValue);
  uStyle = ApplyWords(uStyle, sValue, kHorizontal);
  return bVertical ? ApplyWords(uStyle, sValue, kVertical) : uStyle;
}

UINT UIApplyEndEllipsis(UINT uStyle, LPCWSTR pstrValue) {
  return UIParseBool(pstrValue) ? (uStyle | DT_END_ELLIPSIS) : (uStyle & ~DT_END_ELLIPSIS);
}

}  // namespace SkinUI

// One line per tag. A control family adds its tag here when it lands.

#include "Control/UIControlTags.h"

#include "Control/UIActiveX.h"
#include "Control/UIChildLayout.h"
#include "Control/UIComboBox.h"
#include "Control/UIDateTime.h"
#include "Control/UIEdit.h"
#include "Control/UILabel.h"
#include "Control/UIList.h"
#include "Control/UIOption.h"
#include "Control/UIRichEdit.h"
#include "Control/UISlider.h"
#include "Control/UITreeView.h"
#include "Core/UIContainer.h"
#include "Core/UIScrollBar.h"
#include "Layout/UIHorizontalLayout.h"
#include "Layout/UITabLayout.h"
#include "Layout/UITileLayout.h"
#include "Layout/UIVerticalLayout.h"

namespace SkinUI {

namespace {

template <typename T>
CControlUI* New() {
  return new T();
}

struct TagEntry {
  const WCHAR* pstrTag;
  CControlUI* (*pfnCreate)();
};

const TagEntry kTags[] = {
    {TEXT("Control"), New<CControlUI>},
    {TEXT("Label"), New<CLabelUI>},
    {TEXT("Text"), New<CTextUI>},
    {TEXT("Button"), New<CButtonUI>},
    {TEXT("Option"), New<COptionUI>},
    {TEXT("CheckBox"), New<CCheckBoxUI>},
    {TEXT("Progress"), New<CProgressUI>},
    {TEXT("Slider"), New<CSliderUI>},
    {TEXT("Edit"), New<CEditUI>},
    {TEXT("DateTime"), New<CDateTimeUI>},
    {TEXT("List"), New<CListUI>},
    {TEXT("ListHeader"), New<CListHeaderUI>},
    {TEXT("ListHeaderItem"), New<CListHeaderItemUI>},
    {TEXT("ListLabelElement"), New<CListLabelElementUI>},
    {TEXT("ListTextElement"), New<CListTextElementUI>},
    {TEXT("ListContainerElement"), New<CListContainerElementUI>},
    {TEXT("Combo"), New<CComboUI>},
    {TEXT("ComboBox"), New<CComboBoxUI>},
    {TEXT("TreeView"), New<CTreeViewUI>},
    {TEXT("Container"), New<CContainerUI>},
    {TEXT("ScrollBar"), New<CScrollBarUI>},
    {TEXT("VerticalLayout"), New<CVerticalLayoutUI>},
    {TEXT("HorizontalLayout"), New<CHorizontalLayoutUI>},
    {TEXT("TileLayout"), New<CTileLayoutUI>},
    {TEXT("TabLayout"), New<CTabLayoutUI>},
    {TEXT("ChildLayout"), New<CChildLayoutUI>},
    {TEXT("RichEdit"), New<CRichEditUI>},
    {TEXT("ActiveX"), New<CActiveXUI>},
    {TEXT("WebBrowser"), New<CWebBrowserUI>},
};

}  // namespace

CControlUI* CreateControlForTag(LPCWSTR pstrTag) {
  if (!pstrTag) return nullptr;
  for (const TagEntry& entry : kTags) {
    if (UIStrEqual(entry.pstrTag, pstrTag)) return entry.pfnCreate();
  }
  return nullptr;
}

}  // namespace SkinUI

#include "Control/UIDlgBuilder.h"

#include <vector>

#include "Control/UIControlTags.h"
#include "Control/UITreeView.h"
#include "Core/UIAttributeTable.h"
#include "Core/UIContainer.h"
#include "Core/UIManager.h"

namespace SkinUI {

namespace {

// How deep the element being built lies, counted across included documents. Every operation of
// a control tree (layout, painting, hit-testing, destruction) recurses along it, so a deeper
// markup would end in a stack overflow instead of a window. UI thread only.
int g_iTreeDepth = 0;

class TreeDepthScope {
 public:
  TreeDepthScope() { g_iTreeDepth++; }
  ~TreeDepthScope() { g_iTreeDepth--; }
  TreeDepthScope(const TreeDepthScope&) = delete;
  TreeDepthScope& operator=(const TreeDepthScope&) = delete;
};

bool IsResourceTag(LPCWSTR tag) {
  return UIStrEqual(tag, TEXT("Image")) || UIStrEqual(tag, TEXT("Font")) ||
         UIStrEqual(tag, TEXT("Default"));
}

// What names the source in the nesting guard: the file name, "#id:type" for a resource, and
// nothing for markup text.
CUIString NestingKey(LPCWSTR source, LPCWSTR type) {
  if (!IS_INTRESOURCE(source)) {
    return source[0] == TEXT('<') ? CUIString() : CUIString(source);
  }
  CUIString key;
  key.SmallFormat(TEXT("#%u:"), static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(source)));
  if (type && !IS_INTRESOURCE(type)) {
    key += type;
  } else {
    CUIString number;
    number.SmallFormat(TEXT("#%u"), static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(type)));
    key += number;
  }
  return key;
}

void RegisterImage(const CSkinMarkupNode& node, CPaintManagerUI* pManager) {
  LPCWSTR name = nullptr;
  LPCWSTR type = nullptr;
  DWORD mask = 0;
  for (int i = 0; i < node.GetAttributeCount(); i++) {
    LPCWSTR attr = node.GetAttributeName(i);
    LPCWSTR value = node.GetAttributeValue(i);
    if (UIStrEqual(attr, TEXT("name"))) {
      name = value;
    } else if (UIStrEqual(attr, TEXT("restype"))) {
      type = value;
    } else if (UIStrEqual(attr, TEXT("mask"))) {
      mask = UIParseColor(value);
    }
  }
  if (name) pManager->LoadImageEntry(name, type, mask);
}

void RegisterFont(const CSkinMarkupNode& node, CPaintManagerUI* pManager) {
  LPCWSTR name = nullptr;
  int size = 12;
  bool bold = false;
  bool underline = false;
  bool italic = false;
  bool isDefault = false;
  for (int i = 0; i < node.GetAttributeCount(); i++) {
    LPCWSTR attr = node.GetAttributeName(i);
    LPCWSTR value = node.GetAttributeValue(i);
    if (UIStrEqual(attr, TEXT("name"))) {
      name = value;
    } else if (UIStrEqual(attr, TEXT("size"))) {
      size = UIStrToInt(value);
    } else if (UIStrEqual(attr, TEXT("bold"))) {
      bold = UIParseBool(value);
    } else if (UIStrEqual(attr, TEXT("underline"))) {
      underline = UIParseBool(value);
    } else if (UIStrEqual(attr, TEXT("italic"))) {
      italic = UIParseBool(value);
    } else if (UIStrEqual(attr, TEXT("default"))) {
      isDefault = UIParseBool(value);
    }
  }
  if (!name) return;
  pManager->AddFont(name, size, bold, underline, italic);
  if (isDefault) pManager->SetDefaultFont(name, size, bold, underline, italic);
}

void RegisterDefault(const CSkinMarkupNode& node, CPaintManagerUI* pManager) {
  LPCWSTR name = nullptr;
  LPCWSTR value = nullptr;
  for (int i = 0; i < node.GetAttributeCount(); i++) {
    LPCWSTR attr = node.GetAttributeName(i);
    if (UIStrEqual(attr, TEXT("name"))) {
      name = node.GetAttributeValue(i);
    } else if (UIStrEqual(attr, TEXT("value"))) {
      value = node.GetAttributeValue(i);
    }
  }
  if (name) pManager->SetDefaultAttributes(name, value ? value : TEXT(""));
}

// The images, fonts and class defaults among the root's direct children, in document order.
void RegisterResources(const CSkinMarkupNode& root, CPaintManagerUI* pManager) {
  for (CSkinMarkupNode node = root.GetFirstChild(); node.IsValid(); node = node.GetNextSibling()) {
    LPCWSTR tag = node.GetName();
    if (UIStrEqual(tag, TEXT("Image"))) {
      RegisterImage(node, pManager);
    } else if (UIStrEqual(tag, TEXT("Font"))) {
      RegisterFont(node, pManager);
    } else if (UIStrEqual(tag, TEXT("Default"))) {
      RegisterDefault(node, pManager);
    }
  }
}

// The window attributes that take a size ("cx,cy").
template <void (CPaintManagerUI::*Set)(int, int)>
void SizeSetting(CPaintManagerUI& manager, LPCWSTR pstrValue) {
  const SIZE sz = UIParseSize(pstrValue);
  (manager.*Set)(sz.cx, sz.cy);
}

const TAttributeUI<CPaintManagerUI> kWindowAttributes[] = {
    {TEXT("size"), SizeSetting<&CPaintManagerUI::SetInitialSize>},
    {TEXT("sizebox"), Parsed<&CPaintManagerUI::SetSizeBox, UIParseRect>},
    {TEXT("caption"), Parsed<&CPaintManagerUI::SetCaptionArea, UIParseRect>},
    {TEXT("roundcorner"), SizeSetting<&CPaintManagerUI::SetRoundCorner>},
    {TEXT("mininfo"), SizeSetting<&CPaintManagerUI::SetMinTrackSize>},
    {TEXT("maxinfo"), SizeSetting<&CPaintManagerUI::SetMaxTrackSize>},
    {TEXT("showdirty"), Parsed<&CPaintManagerUI::SetShowDirty, UIParseBool>},
    {TEXT("alpha"), Parsed<&CPaintManagerUI::SetOpacity, UIStrToInt>},
    {TEXT("bktrans"), Parsed<&CPaintManagerUI::SetLayeredBackground, UIParseBool>},
    {TEXT("disabledfontcolor"), Parsed<&CPaintManagerUI::SetDisabledTextColor, UIParseColor>},
    {TEXT("defaultfontcolor"), Parsed<&CPaintManagerUI::SetTextColor, UIParseColor>},
    {TEXT("linkfontcolor"), Parsed<&CPaintManagerUI::SetLinkColor, UIParseColor>},
    {TEXT("linkhoverfontcolor"), Parsed<&CPaintManagerUI::SetLinkHoverColor, UIParseColor>},
    {TEXT("selectedcolor"), Parsed<&CPaintManagerUI::SetSelectedBackColor, UIParseColor>},
};

}  // namespace

CLayoutBuilder::CLayoutBuilder() = default;
CLayoutBuilder::~CLayoutBuilder() = default;

bool CLayoutBuilder::LoadResource(LPCWSTR id, LPCWSTR type) {
  HMODULE hModule = CPaintManagerUI::ResourceModule();
  HRSRC hResource = FindResourceW(hModule, id, type);
  if (!hResource) return false;
  HGLOBAL hGlobal = ::LoadResource(hModule, hResource);
  if (!hGlobal) return false;
  const BYTE* data = static_cast<const BYTE*>(LockResource(hGlobal));
  const DWORD size = SizeofResource(hModule, hResource);
  if (!data) return false;
  // The reader may change its buffer; resource memory is read-only.
  std::vector<BYTE> bytes(data, data + size);
  return m_xml.LoadBytes(bytes.data(), size, MarkupEncoding::Utf8);
}

CControlUI* CLayoutBuilder::Create(LPCWSTR source, LPCWSTR type, IDialogBuilderCallback* pCallback,
                                   CPaintManagerUI* pManager, CControlUI* pParent) {
  if (!source) return nullptr;
  CBuildNestingScope nesting(NestingKey(source, type));
  if (nesting.IsRefused()) return nullptr;
  if (IS_INTRESOURCE(source)) {
    m_pCallback = pCallback;
    if (!LoadResource(source, type)) return nullptr;
    m_pstrType = type;
  } else if (source[0] == TEXT('<')) {
    if (!m_xml.LoadText(source)) return nullptr;
  } else if (!m_xml.LoadFile(source, MarkupEncoding::Utf8)) {
    return nullptr;
  }
  return Build(pCallback, pManager, pParent);
}

CControlUI* CLayoutBuilder::Build(IDialogBuilderCallback* pCallback, CPaintManagerUI* pManager,
                                  CControlUI* pParent) {
  m_pCallback = pCallback;
  const CSkinMarkupNode root = m_xml.GetRoot();
  if (!root.IsValid()) return nullptr;
  if (pManager) {
    RegisterResources(root, pManager);
    if (UIStrEqual(root.GetName(), TEXT("Window")) && pManager->GetPaintWindow()) {
      for (int i = 0; i < root.GetAttributeCount(); i++) {
        ApplyFromTable(kWindowAttributes, *pManager, root.GetAttributeName(i),
                       root.GetAttributeValue(i));
      }
    }
  }
  return ParseChildren(root, pParent, pManager);
}

void CLayoutBuilder::BuildInclude(const CSkinMarkupNode& node, CControlUI* pParent,
                                  CPaintManagerUI* pManager) {
  if (!node.HasAttributes()) return;
  constexpr SIZE_T kCapacity = 499;
  WCHAR szCount[kCapacity + 1] = {};
  int count = 1;
  if (node.CopyAttributeValue(TEXT("count"), szCount, kCapacity)) count = UIStrToInt(szCount);
  WCHAR szValue[kCapacity + 1] = {};
  if (!node.CopyAttributeValue(TEXT("source"), szValue, kCapacity)) return;
  for (int i = 0; i < count; i++) {
    CLayoutBuilder builder;
    CControlUI* pResult = m_pstrType
                              ? builder.Create(MAKEINTRESOURCE(UIStrToInt(szValue)), m_pstrType,
                                               m_pCallback, pManager, pParent)
                              : builder.Create(szValue, nullptr, m_pCallback, pManager, pParent);
    // With a parent the included controls are in its tree; without one nothing owns them.
    if (!pParent) delete pResult;
  }
}

CControlUI* CLayoutBuilder::ParseChildren(const CSkinMarkupNode& node, CControlUI* pParent,
                                          CPaintManagerUI* pManager) {
  TreeDepthScope depth;
  if (g_iTreeDepth > kMaxTreeDepth) {
    Trace(TEXT("Layout: elements nested deeper than %d under <%s>; skipped"), kMaxTreeDepth,
          node.GetName());
    return nullptr;
  }
  IContainerUI* pContainer = nullptr;
  bool bContainerLooked = false;
  CControlUI* pReturn = nullptr;
  for (CSkinMarkupNode child = node.GetFirstChild(); child.IsValid();
       child = child.GetNextSibling()) {
    LPCWSTR tag = child.GetName();
    if (IsResourceTag(tag)) continue;
    if (UIStrEqual(tag, TEXT("Include"))) {
      BuildInclude(child, pParent, pManager);
      continue;
    }
    if (UIStrEqual(tag, TEXT("TreeNode"))) {
      if (!pParent) continue;
      if (!BuildTreeNode(child, pParent, pManager)) return nullptr;
      continue;
    }
    CControlUI* pControl = CreateControlForTag(tag);
    if (!pControl && m_pCallback) pControl = m_pCallback->CreateCustomControl(tag);
    if (!pControl) {
      Trace(TEXT("未知控件:%s"), tag);
      continue;
    }
    if (child.HasChildren()) ParseChildren(child, pControl, pManager);

    if (pParent && pParent->GetInterfaceByName(TEXT("TreeNode"))) {
      // Controls inside a tree node go into its row.
      static_cast<CTreeNodeUI*>(pParent->GetInterfaceByName(TEXT("TreeNode")))
          ->GetTreeNodeHoriznotal()
          ->Add(pControl);
    } else if (pParent) {
      if (!bContainerLooked) {
        pContainer = static_cast<IContainerUI*>(pParent->GetInterfaceByName(TEXT("IContainer")));
        bContainerLooked = true;
      }
      if (!pContainer) {
        delete pControl;
        return nullptr;
      }
      if (!pContainer->Add(pControl)) {
        delete pControl;
        continue;
      }
    } else if (pReturn) {
      // Only the first top-level control is handed back; nothing would own the others.
      delete pControl;
      continue;
    }

    if (pManager) {
      pControl->AttachManager(pManager, nullptr, false);
      LPCWSTR defaults = pManager->DefaultAttributes(tag);
      if (defaults) pControl->ApplyAttributes(defaults);
    }
    for (int i = 0; i < child.GetAttributeCount(); i++) {
      pControl->ApplyAttribute(child.GetAttributeName(i), child.GetAttributeValue(i));
    }
    if (pManager) pControl->AttachManager(nullptr, nullptr, false);
    if (!pReturn) pReturn = pControl;
  }
  return pReturn;
}

}  // namespace SkinUI

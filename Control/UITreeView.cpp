// CTreeNodeUI and CTreeViewUI.
#include "Control/UITreeView.h"

#include "Core/UIAttributeTable.h"

namespace SkinUI {

namespace {

constexpr int kIndent = 16;

CTreeNodeUI* AsTreeNode(CControlUI* pControl) {
  if (pControl == nullptr) return nullptr;
  if (CUIString(pControl->GetClassName()).CompareNoCase(TEXT("TreeNodeUI")) != 0) return nullptr;
  return static_cast<CTreeNodeUI*>(pControl);
}

// The node whose row holds `pButton` (row layout, then node).
CTreeNodeUI* NodeOfButton(CControlUI* pButton) {
  if (pButton == nullptr || pButton->GetParent() == nullptr) return nullptr;
  return AsTreeNode(pButton->GetParent()->GetParent());
}

}  // namespace

// --- CTreeNodeUI ------------------------------------------------------------------------------

CTreeNodeUI::CTreeNodeUI(CTreeNodeUI* pParent) {
  m_pHoriz = new CHorizontalLayoutUI();
  m_pFolderButton = new CCheckBoxUI();
  m_pDottedLine = new CLabelUI();
  m_pCheckBox = new CCheckBoxUI();
  m_pItemButton = new COptionUI();
  SetFixedHeight(18);
  m_pFolderButton->SetFixedWidth(GetFixedHeight());
  m_pDottedLine->SetFixedWidth(2);
  m_pCheckBox->SetFixedWidth(GetFixedHeight());
  m_pItemButton->ApplyAttribute(TEXT("align"), TEXT("left"));
  m_pDottedLine->SetVisible(false);
  m_pCheckBox->SetVisible(false);
  m_pItemButton->SetMouseEnabled(false);
  if (AsTreeNode(pParent) != nullptr) {
    m_pDottedLine->SetVisible(pParent->m_pDottedLine->IsVisible());
    m_pDottedLine->SetFixedWidth(pParent->m_pDottedLine->GetFixedWidth() + kIndent);
    m_pParentTreeNode = pParent;
  }
  m_pHoriz->Add(m_pDottedLine);
  m_pHoriz->Add(m_pFolderButton);
  m_pHoriz->Add(m_pCheckBox);
  m_pHoriz->Add(m_pItemButton);
  CContainerUI::Add(m_pHoriz);
}

CTreeNodeUI::~CTreeNodeUI() {
  if (m_pParentTreeNode != nullptr) m_pParentTreeNode->Unlink(this);
  for (int i = 0; i < m_aTreeNodes.GetSize(); i++)
    static_cast<CTreeNodeUI*>(m_aTreeNodes[i])->m_pParentTreeNode = nullptr;
}

LPCWSTR CTreeNodeUI::GetClassName() const { return TEXT("TreeNodeUI"); }

LPVOID CTreeNodeUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (UIStrEqual(pstrName, TEXT("TreeNode"))) return static_cast<CTreeNodeUI*>(this);
  return CListContainerElementUI::GetInterfaceByName(pstrName);
}

bool CTreeNodeUI::Add(CControlUI* pControl) {
  if (CTreeNodeUI* pNode = AsTreeNode(pControl)) return AddChildNode(pNode);
  return CListContainerElementUI::Add(pControl);
}

bool CTreeNodeUI::AddAt(CControlUI*, int) { return false; }

bool CTreeNodeUI::Remove(CControlUI* pControl) { return RemoveChildNode(AsTreeNode(pControl)); }

CTreeNodeUI* CTreeNodeUI::GetChildNode(int iIndex) const {
  return static_cast<CTreeNodeUI*>(m_aTreeNodes.GetAt(iIndex));
}

int CTreeNodeUI::GetTreeLevel() const {
  int nLevel = 0;
  for (CTreeNodeUI* p = m_pParentTreeNode; p != nullptr; p = p->m_pParentTreeNode) nLevel++;
  return nLevel;
}

bool CTreeNodeUI::AddChildNode(CTreeNodeUI* pNode) {
  if (AsTreeNode(pNode) == nullptr || pNode == this || m_aTreeNodes.Find(pNode) >= 0) return false;
  if (pNode->m_pParentTreeNode != nullptr && pNode->m_pParentTreeNode != this)
    pNode->m_pParentTreeNode->Unlink(pNode);
  pNode->m_pDottedLine->SetVisible(true);
  pNode->m_pDottedLine->SetFixedWidth(m_pDottedLine->GetFixedWidth() + kIndent);
  pNode->m_pParentTreeNode = this;
  pNode->m_pItemButton->SetGroupName(m_pItemButton->GetGroupName());
  m_aTreeNodes.Add(pNode);
  m_bHasChild = true;
  return true;
}

bool CTreeNodeUI::RemoveChildNode(CTreeNodeUI* pNode) {
  if (pNode == nullptr || m_aTreeNodes.Find(pNode) < 0) return false;
  while (pNode->GetCountChild() > 0) pNode->RemoveChildNode(pNode->GetChildNode(0));
  Unlink(pNode);
  return true;
}

void CTreeNodeUI::Unlink(CTreeNodeUI* pNode) {
  const int iIndex = m_aTreeNodes.Find(pNode);
  if (iIndex < 0) return;
  m_aTreeNodes.Remove(iIndex);
  pNode->m_pParentTreeNode = nullptr;
  m_bHasChild = m_aTreeNodes.GetSize() > 0;
}

namespace {

// "...attr" attributes pass an attribute list on to one of the node's parts.
template <auto Part>
void PartAttributes(CTreeNodeUI& node, LPCWSTR pstrValue) {
  (node.*Part)()->ApplyAttributes(pstrValue);
}

void ApplyNodeText(CTreeNodeUI& node, LPCWSTR pstrValue) {
  node.GetItemButton()->SetText(pstrValue);
}

const TAttributeUI<CTreeNodeUI> kNodeAttributes[] = {
    {TEXT("text"), ApplyNodeText},
    {TEXT("horizattr"), PartAttributes<&CTreeNodeUI::GetTreeNodeHoriznotal>},
    {TEXT("dotlineattr"), PartAttributes<&CTreeNodeUI::GetDottedLine>},
    {TEXT("folderattr"), PartAttributes<&CTreeNodeUI::GetFolderButton>},
    {TEXT("checkboxattr"), PartAttributes<&CTreeNodeUI::GetCheckBox>},
    {TEXT("itemattr"), PartAttributes<&CTreeNodeUI::GetItemButton>},
};

}  // namespace

void CTreeNodeUI::ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) {
  ApplyOrPass<CListContainerElementUI>(kNodeAttributes, *this, pstrName, pstrValue);
}

// --- CTreeViewUI ------------------------------------------------------------------------------

CTreeViewUI::CTreeViewUI() { GetHeader()->SetVisible(false); }

LPCWSTR CTreeViewUI::GetClassName() const { return TEXT("TreeViewUI"); }

LPVOID CTreeViewUI::GetInterfaceByName(LPCWSTR pstrName) {
  if (UIStrEqual(pstrName, TEXT("TreeView"))) return static_cast<CTreeViewUI*>(this);
  return CListUI::GetInterfaceByName(pstrName);
}

void CTreeViewUI::Adopt(CTreeNodeUI* pNode) {
  if (pNode->m_pTreeView != this) {
    pNode->m_pFolderButton->OnNotifyDelegates.Add(
        [this](TNotifyMsg& msg) { return OnFolderChanged(msg); });
    pNode->m_pCheckBox->OnNotifyDelegates.Add(
        [this](TNotifyMsg& msg) { return OnCheckBoxChanged(msg); });
  }
  pNode->m_pFolderButton->SetVisible(m_bVisibleFolderBtn);
  pNode->m_pCheckBox->SetVisible(m_bVisibleCheckBtn);
  pNode->m_pTreeView = this;
}

bool CTreeViewUI::AddNode(CTreeNodeUI* pNode) {
  if (AsTreeNode(pNode) == nullptr) return false;
  Adopt(pNode);
  if (!CListUI::Add(pNode)) return false;
  for (int i = 0; i < pNode->GetCountChild(); i++) AddNode(pNode->GetChildNode(i));
  return true;
}

int CTreeViewUI::AddNodeAt(CTreeNodeUI* pNode, int iIndex) {
  if (AsTreeNode(pNode) == nullptr || GetItemAt(iIndex) == nullptr) return -1;
  Adopt(pNode);
  if (!CListUI::AddAt(pNode, iIndex)) return -1;
  int iNext = iIndex + 1;
  for (int i = 0; i < pNode->GetCountChild(); i++) {
    const int iAfter = AddNodeAt(pNode->GetChildNode(i), iNext);
    if (iAfter < 0) break;
    iNext = iAfter;
  }
  return iNext;
}

bool CTreeViewUI::RemoveNode(CTreeNodeUI* pNode) {
  if (AsTreeNode(pNode) == nullptr || GetItemIndex(pNode) < 0) return false;
  // The subtree goes first, deepest last-added rows included, while the links still hold.
  while (pNode->GetCountChild() > 0) {
    CTreeNodeUI* pChild = pNode->GetChildNode(0);
    if (!RemoveNode(pChild)) pNode->Unlink(pChild);
  }
  if (pNode->m_pParentTreeNode != nullptr) pNode->m_pParentTreeNode->Unlink(pNode);
  // By index: the list's Remove comes back through RemoveAt, which this class routes here.
  return CListUI::RemoveAt(GetItemIndex(pNode));
}

bool CTreeViewUI::Remove(CControlUI* pControl) {
  if (CTreeNodeUI* pNode = AsTreeNode(pControl)) return RemoveNode(pNode);
  return CListUI::Remove(pControl);
}

bool CTreeViewUI::RemoveAt(int iIndex) {
  if (CTreeNodeUI* pNode = AsTreeNode(GetItemAt(iIndex))) return RemoveNode(pNode);
  return CListUI::RemoveAt(iIndex);
}

bool CTreeViewUI::OnCheckBoxChanged(TNotifyMsg& msg) {
  if (msg.sType != TEXT("selectchanged")) return true;
  auto* pCheckBox = static_cast<CCheckBoxUI*>(msg.pSender);
  CTreeNodeUI* pNode = NodeOfButton(pCheckBox);
  if (pNode != nullptr) SetItemCheckBox(pCheckBox->IsChecked(), pNode);
  return true;
}

bool CTreeViewUI::OnFolderChanged(TNotifyMsg& msg) {
  if (msg.sType != TEXT("selectchanged")) return true;
  auto* pFolder = static_cast<CCheckBoxUI*>(msg.pSender);
  CTreeNodeUI* pNode = NodeOfButton(pFolder);
  if (pNode == nullptr) return true;
  pNode->m_bExpanded = !pFolder->IsChecked();
  SetItemExpand(!pFolder->IsChecked(), pNode);
  return true;
}

void CTreeViewUI::SetItemCheckBox(bool bSelected, CTreeNodeUI* pNode) {
  const int nCount = pNode != nullptr ? pNode->GetCountChild() : GetCount();
  for (int i = 0; i < nCount; i++) {
    CTreeNodeUI* pItem = pNode != nullptr ? pNode->GetChildNode(i) : AsTreeNode(GetItemAt(i));
    if (pItem == nullptr) continue;
    pItem->m_pCheckBox->SetChecked(bSelected);
    if (pItem->HasChild()) SetItemCheckBox(bSelected, pItem);
  }
}

void CTreeViewUI::SetItemExpand(bool bExpanded, CTreeNodeUI* pNode) {
  const int nCount = pNode != nullptr ? pNode->GetCountChild() : GetCount();
  for (int i = 0; i < nCount; i++) {
    CTreeNodeUI* pItem = pNode != nullptr ? pNode->GetChildNode(i) : AsTreeNode(GetItemAt(i));
    if (pItem == nullptr) continue;
    pItem->SetVisible(bExpanded);
    if (pItem->HasChild() && !pItem->m_pFolderButton->IsChecked()) SetItemExpand(bExpanded, pItem);
  }
}

void CTreeViewUI::SetVisibleFolderBtn(bool bVisible) {
  m_bVisibleFolderBtn = bVisible;
  for (int i = 0; i < GetCount(); i++) {
    if (CTreeNodeUI* pItem = AsTreeNode(GetItemAt(i))) pItem->m_pFolderButton->SetVisible(bVisible);
  }
}

void CTreeViewUI::SetVisibleCheckBtn(bool bVisible) {
  m_bVisibleCheckBtn = bVisible;
  for (int i = 0; i < GetCount(); i++) {
    if (CTreeNodeUI* pItem = AsTreeNode(GetItemAt(i))) pItem->m_pCheckBox->SetVisible(bVisible);
  }
}

namespace {

const TAttributeUI<CTreeViewUI> kTreeAttributes[] = {
    {TEXT("visiblefolderbtn"), Parsed<&CTreeViewUI::SetVisibleFolderBtn, UIParseBool>},
    {TEXT("visiblecheckbtn"), Parsed<&CTreeViewUI::SetVisibleCheckBtn, UIParseBool>},
};

}  // namespace

void CTreeViewUI::ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) {
  ApplyOrPass<CListUI>(kTreeAttributes, *this, pstrName, pstrValue);
}

}  // namespace SkinUI

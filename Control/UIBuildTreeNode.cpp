// The layout builder's rule for "TreeNode" elements.
#include "Control/UIDlgBuilder.h"
#include "Control/UITreeView.h"
#include "Core/UIManager.h"

namespace SkinUI {

namespace {

// Child nodes are not owned by their node; a subtree that never reached a view is deleted here.
void DeleteDetachedSubtree(CTreeNodeUI* pNode) {
  while (pNode->GetCountChild() > 0) {
    CTreeNodeUI* pChild = pNode->GetChildNode(0);
    pNode->RemoveChildNode(pChild);
    DeleteDetachedSubtree(pChild);
  }
  delete pNode;
}

}  // namespace

bool CLayoutBuilder::BuildTreeNode(const CSkinMarkupNode& node, CControlUI* pParent,
                                   CPaintManagerUI* pManager) {
  auto* pParentNode = static_cast<CTreeNodeUI*>(pParent->GetInterfaceByName(TEXT("TreeNode")));
  auto* pNode = new CTreeNodeUI();
  if (pParentNode && !pParentNode->Add(pNode)) {
    delete pNode;
    return true;
  }
  if (pManager) {
    pNode->AttachManager(pManager, nullptr, false);
    LPCWSTR defaults = pManager->DefaultAttributes(TEXT("TreeNode"));
    if (defaults) pNode->ApplyAttributes(defaults);
  }
  for (int i = 0; i < node.GetAttributeCount(); i++)
    pNode->ApplyAttribute(node.GetAttributeName(i), node.GetAttributeValue(i));
  if (node.HasChildren()) ParseChildren(node, pNode, pManager);
  if (pParentNode) return true;
  auto* pView = static_cast<CTreeViewUI*>(pParent->GetInterfaceByName(TEXT("TreeView")));
  if (!pView) {
    DeleteDetachedSubtree(pNode);
    return false;
  }
  if (!pView->AddNode(pNode)) DeleteDetachedSubtree(pNode);
  return true;
}

}  // namespace SkinUI

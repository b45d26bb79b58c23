#pragma once
// CTreeNodeUI and CTreeViewUI: a hierarchy shown as a flat list. Each node is one list row (an
// indentation line, a folder button, a check box and the item's option button); parent-child
// links live in the nodes, and the view puts every node of a subtree into its list, hides and
// shows subtrees when a folder button changes (checked means collapsed) and carries check boxes
// down a subtree. UI thread only.

#include "Control/UIList.h"
#include "Control/UIOption.h"
#include "Layout/UIHorizontalLayout.h"

namespace SkinUI {

class CTreeViewUI;

class CTreeNodeUI : public CListContainerElementUI {
 public:
  // A node under `pParent` (null: a root) starts indented one level deeper than it; it is not
  // yet in the parent's child list (see AddChildNode).
  explicit CTreeNodeUI(CTreeNodeUI* pParent = nullptr);
  // Leaves its parent's child list; its children forget it as their parent.
  ~CTreeNodeUI() override;

  LPCWSTR GetClassName() const override;
  LPVOID GetInterfaceByName(LPCWSTR pstrName) override;
  // A tree node becomes a child node; any other control an ordinary child of the node.
  bool Add(CControlUI* pControl) override;
  // Refused: child nodes have no position of their own.
  bool AddAt(CControlUI* pControl, int iIndex) override;
  // Drops a child node (and its subtree's links) from the child list.
  bool Remove(CControlUI* pControl) override;
  void ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) override;

  // The child list is not owned: the view's list owns every node.
  bool AddChildNode(CTreeNodeUI* pNode);
  bool RemoveChildNode(CTreeNodeUI* pNode);
  int GetCountChild() const { return m_aTreeNodes.GetSize(); }
  CTreeNodeUI* GetChildNode(int iIndex) const;
  CTreeNodeUI* GetParentNode() const { return m_pParentTreeNode; }
  bool HasChild() const { return m_bHasChild; }
  // True unless the node's folder button collapsed it.
  bool IsExpandedNode() const { return m_bExpanded; }
  CTreeViewUI* GetTreeView() const { return m_pTreeView; }
  void SetTreeView(CTreeViewUI* pView) { m_pTreeView = pView; }
  // Depth in the tree: 0 for a node without a parent.
  int GetTreeLevel() const;

  CHorizontalLayoutUI* GetTreeNodeHoriznotal() const { return m_pHoriz; }
  CCheckBoxUI* GetFolderButton() const { return m_pFolderButton; }
  CLabelUI* GetDottedLine() const { return m_pDottedLine; }
  CCheckBoxUI* GetCheckBox() const { return m_pCheckBox; }
  COptionUI* GetItemButton() const { return m_pItemButton; }

 private:
  friend class CTreeViewUI;
  void Unlink(CTreeNodeUI* pNode);

  CTreeViewUI* m_pTreeView = nullptr;
  bool m_bExpanded = true;
  bool m_bHasChild = false;
  CHorizontalLayoutUI* m_pHoriz = nullptr;
  CCheckBoxUI* m_pFolderButton = nullptr;
  CLabelUI* m_pDottedLine = nullptr;
  CCheckBoxUI* m_pCheckBox = nullptr;
  COptionUI* m_pItemButton = nullptr;
  CTreeNodeUI* m_pParentTreeNode = nullptr;
  CPtrArrayUI m_aTreeNodes;
};

class CTreeViewUI : public CListUI {
 public:
  CTreeViewUI();

  LPCWSTR GetClassName() const override;
  LPVOID GetInterfaceByName(LPCWSTR pstrName) override;
  // Tree nodes leave through RemoveNode, with their subtrees.
  bool Remove(CControlUI* pControl) override;
  bool RemoveAt(int iIndex) override;
  void ApplyAttribute(LPCWSTR pstrName, LPCWSTR pstrValue) override;

  // Appends the node and its whole subtree; false for anything but a tree node.
  virtual bool AddNode(CTreeNodeUI* pNode);
  // Inserts the node and its subtree at iIndex (an existing row); the row after the last one
  // inserted, or -1 when refused.
  virtual int AddNodeAt(CTreeNodeUI* pNode, int iIndex);
  // Removes the node with its subtree from the view and from its parent's child list; the
  // nodes are destroyed. False when the node is not in this view.
  virtual bool RemoveNode(CTreeNodeUI* pNode);
  // Sets the check box of every descendant of pNode (of every row when null).
  virtual void SetItemCheckBox(bool bSelected, CTreeNodeUI* pNode = nullptr);
  // Shows or hides the children of pNode (every row when null), going into open branches only.
  virtual void SetItemExpand(bool bExpanded, CTreeNodeUI* pNode = nullptr);
  virtual void SetVisibleFolderBtn(bool bVisible);
  virtual bool GetVisibleFolderBtn() const { return m_bVisibleFolderBtn; }
  virtual void SetVisibleCheckBtn(bool bVisible);
  virtual bool GetVisibleCheckBtn() const { return m_bVisibleCheckBtn; }

 private:
  // Hooks the node's buttons to this view and shows them per the view's flags.
  void Adopt(CTreeNodeUI* pNode);
  bool OnCheckBoxChanged(TNotifyMsg& msg);
  bool OnFolderChanged(TNotifyMsg& msg);

  bool m_bVisibleFolderBtn = true;
  bool m_bVisibleCheckBtn = false;
};

}  // namespace SkinUI

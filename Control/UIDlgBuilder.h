#pragma once
// CLayoutBuilder: turns a skin document into a tree of controls. It loads the markup, registers
// the document's images, fonts and per-class default attribute lists with the paint manager,
// applies the window settings written on a "Window" root, then creates one control per element
// below the root (by tag through the tag table, else through the callback), nests them as the
// markup nests them and applies each element's attributes, class defaults first.
//
// A builder serves one document: create it, call Create (or load GetMarkup() and call Build)
// once, destroy it. The controls it builds belong to the tree they were added to; the returned
// top-level control belongs to the caller. UI thread only.

#include "Core/SkinMarkup.h"
#include "Core/UIControl.h"

namespace SkinUI {

class CPaintManagerUI;

// Creates controls for tags the builder does not know; null leaves the tag unknown.
class IDialogBuilderCallback {
 public:
  virtual CControlUI* CreateCustomControl(LPCWSTR pstrClass) = 0;

 protected:
  ~IDialogBuilderCallback() = default;
};

class CLayoutBuilder {
 public:
  CLayoutBuilder();
  ~CLayoutBuilder();
  CLayoutBuilder(const CLayoutBuilder&) = delete;
  CLayoutBuilder& operator=(const CLayoutBuilder&) = delete;

  // source is markup text when it starts with '<', an embedded resource of type `type` when it
  // is a numeric identifier (MAKEINTRESOURCE), otherwise a skin file name (loose file or
  // archive entry). The manager and the parent may be null. Null when the markup cannot be
  // loaded, has no root, builds no control at its top level, or nests too deep (see below).
  CControlUI* Create(LPCWSTR source, LPCWSTR type = nullptr,
                     IDialogBuilderCallback* pCallback = nullptr,
                     CPaintManagerUI* pManager = nullptr, CControlUI* pParent = nullptr);
  // Builds from the markup already loaded into GetMarkup().
  CControlUI* Build(IDialogBuilderCallback* pCallback = nullptr,
                    CPaintManagerUI* pManager = nullptr, CControlUI* pParent = nullptr);
  CSkinMarkup* GetMarkup() { return &m_xml; }

  // Elements nested deeper than this below the root (included documents count with their
  // place of inclusion) are skipped with one debug line.
  static constexpr int kMaxTreeDepth = 256;

 private:
  CControlUI* ParseChildren(const CSkinMarkupNode& node, CControlUI* pParent,
                            CPaintManagerUI* pManager);
  void BuildInclude(const CSkinMarkupNode& node, CControlUI* pParent, CPaintManagerUI* pManager);
  // A "TreeNode" element: joins the parent node's children, or the parent tree view with its
  // subtree. False when the parent is neither (building at this level stops).
  bool BuildTreeNode(const CSkinMarkupNode& node, CControlUI* pParent, CPaintManagerUI* pManager);
  bool LoadResource(LPCWSTR id, LPCWSTR type);

  CSkinMarkup m_xml;
  IDialogBuilderCallback* m_pCallback = nullptr;
  LPCWSTR m_pstrType = nullptr;  // not owned; set when the markup came from a resource
};

// Guards the builds that nest inside one another (Include elements, child layouts loading
// their file): a source that is already being built further out, or a nesting deeper than
// kMaxDepth, is refused with one debug line. The key names the source ("" for markup text,
// which cannot contain itself). UI thread only.
class CBuildNestingScope {
 public:
  explicit CBuildNestingScope(const CUIString& sKey);
  ~CBuildNestingScope();
  CBuildNestingScope(const CBuildNestingScope&) = delete;
  CBuildNestingScope& operator=(const CBuildNestingScope&) = delete;

  bool IsRefused() const { return m_bRefused; }

  static constexpr int kMaxDepth = 16;

 private:
  bool m_bRefused = false;
};

}  // namespace SkinUI

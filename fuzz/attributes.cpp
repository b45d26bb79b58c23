// Applies an arbitrary attribute list to one control of any class of the tag table (or a tree
// node) inside a headless window, lays it out and paints it, then tears it down. The first input
// byte picks the class; the rest, read as UTF-16 text, is the attribute list. No attribute value
// may crash a control or leave it unpaintable.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "Control/UIControlTags.h"
#include "Control/UITreeView.h"
#include "Core/UIBase.h"
#include "Core/UIManager.h"
#include "Layout/UIVerticalLayout.h"
#include "Platform/Host/Headless/Headless.h"

using namespace SkinUI;

namespace {

class FuzzWindow : public CWindowWnd {
 public:
  CPaintManagerUI manager;

 protected:
  LPCWSTR WindowClassName() const override { return u"SkinUIFuzzAttributes"; }
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_CREATE) manager.AttachWindow(Handle());
    LRESULT result = 0;
    if (manager.RouteMessage(msg, wParam, lParam, result)) return result;
    return DefaultProcessing(msg, wParam, lParam);
  }
};

const WCHAR* const kTags[] = {u"Control",
                              u"Label",
                              u"Text",
                              u"Button",
                              u"Option",
                              u"CheckBox",
                              u"Progress",
                              u"Slider",
                              u"Edit",
                              u"DateTime",
                              u"List",
                              u"ListHeader",
                              u"ListHeaderItem",
                              u"ListLabelElement",
                              u"ListTextElement",
                              u"ListContainerElement",
                              u"Combo",
                              u"ComboBox",
                              u"TreeView",
                              u"Container",
                              u"ScrollBar",
                              u"VerticalLayout",
                              u"HorizontalLayout",
                              u"TileLayout",
                              u"TabLayout",
                              u"ChildLayout",
                              u"RichEdit",
                              u"TreeNode"};
constexpr size_t kTagCount = sizeof(kTags) / sizeof(kTags[0]);

CControlUI* MakeControl(size_t iTag) {
  if (iTag == kTagCount - 1) return new CTreeNodeUI();
  return CreateControlForTag(kTags[iTag]);
}

// A tree view gets a small subtree so its node operations run over the attributes too.
void AddSampleNodes(CControlUI* pControl) {
  auto* pView = static_cast<CTreeViewUI*>(pControl->GetInterfaceByName(u"TreeView"));
  if (pView == nullptr) return;
  auto* pRoot = new CTreeNodeUI();
  pRoot->Add(new CTreeNodeUI(pRoot));
  pView->AddNode(pRoot);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("SKINUI_HOST", "headless", 0);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 4096) return -1;
  const size_t iTag = data[0] % kTagCount;
  std::vector<WCHAR> text((size - 1) / 2 + 1, 0);
  for (size_t i = 1; i + 1 < size; i += 2)
    text[(i - 1) / 2] = static_cast<WCHAR>(data[i] | (data[i + 1] << 8));

  FuzzWindow window;
  if (!window.Create(nullptr, u"fuzz", WS_POPUP | WS_VISIBLE, 0, 0, 0, 200, 150)) return 0;
  CControlUI* pControl = MakeControl(iTag);
  if (pControl != nullptr) {
    auto* pRoot = new CVerticalLayoutUI();
    pRoot->Add(pControl);
    AddSampleNodes(pControl);
    window.manager.AttachRoot(pRoot);
    pControl->ApplyAttributes(text.data());
    InvalidateRect(window.Handle(), nullptr, FALSE);
    Platform::Headless::RunUntilIdle();
  }
  DestroyWindow(window.Handle());
  Platform::Headless::RunUntilIdle();
  return 0;
}

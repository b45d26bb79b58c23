// Feeds the input, read as UTF-16 text, to a container as an attribute list, then lays the
// container and a child out and hit-tests them. The list syntax and every value reader must
// stop at the terminator whatever the text, and no value may leave the tree unusable.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "Core/UIContainer.h"
#include "Platform/Win32.h"

namespace {

SkinUI::CControlUI* CALLBACK AcceptAny(SkinUI::CControlUI* pControl, LPVOID) { return pControl; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<WCHAR> text(size / 2 + 1, 0);
  for (size_t i = 0; i + 1 < size; i += 2) {
    text[i / 2] = static_cast<WCHAR>(data[i] | (data[i + 1] << 8));
  }
  SkinUI::CContainerUI root;
  auto* child = new SkinUI::CControlUI;
  root.Add(child);
  root.ApplyAttributes(text.data());
  child->ApplyAttributes(text.data());
  root.SetPos(RECT{0, 0, 518, 345});
  for (int y = 0; y < 345; y += 23) {
    POINT pt = {y + 40, y};
    root.FindControl(AcceptAny, &pt,
                     SkinUI::UIFIND_VISIBLE | SkinUI::UIFIND_HITTEST | SkinUI::UIFIND_TOP_FIRST);
  }
  return 0;
}

// The nesting guard of the layout builder: a stack of the sources being built right now.

#include <vector>

#include "Control/UIDlgBuilder.h"

namespace SkinUI {

namespace {

std::vector<CUIString>& ActiveSources() {
  static std::vector<CUIString> sources;
  return sources;
}

}  // namespace

CBuildNestingScope::CBuildNestingScope(const CUIString& sKey) {
  std::vector<CUIString>& sources = ActiveSources();
  if (static_cast<int>(sources.size()) >= kMaxDepth) {
    Trace(TEXT("Layout: nesting deeper than %d at '%s'; skipped"), kMaxDepth, sKey.GetData());
    m_bRefused = true;
    return;
  }
  if (!sKey.IsEmpty()) {
    for (const CUIString& active : sources) {
      if (active.CompareNoCase(sKey) == 0) {
        Trace(TEXT("Layout: '%s' includes itself; skipped"), sKey.GetData());
        m_bRefused = true;
        return;
      }
    }
  }
  sources.push_back(sKey);
}

CBuildNestingScope::~CBuildNestingScope() {
  if (!m_bRefused) ActiveSources().pop_back();
}

}  // namespace SkinUI

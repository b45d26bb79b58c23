#include "support/SkinSettingsScope.h"

#include "Core/UIManager.h"

namespace TestSupport {

void SkinSettingsScope::Reset() {
  using SkinUI::CPaintManagerUI;
  CPaintManagerUI::SetResourceZip(u"", false);
  CPaintManagerUI::SetResourceFolder(u"");
  CPaintManagerUI::SetInstance(nullptr);
}

}  // namespace TestSupport

#include "support/SkinSettingsScope.h"

#include "Core/UIManager.h"

namespace TestSupport {

void SkinSettingsScope::Reset() {
  using SkinUI::CPaintManagerUI;
  CPaintManagerUI::SetResourceZip(TEXT(""), false);
  CPaintManagerUI::SetResourceFolder(TEXT(""));
  CPaintManagerUI::SetInstance(nullptr);
}

}  // namespace TestSupport

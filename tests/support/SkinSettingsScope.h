#pragma once
// Puts the process-wide skin settings back to "loose files, no folder, no module" when a test
// ends, closing any archive a test left open.

namespace TestSupport {

class SkinSettingsScope {
 public:
  SkinSettingsScope() { Reset(); }
  ~SkinSettingsScope() { Reset(); }
  SkinSettingsScope(const SkinSettingsScope&) = delete;
  SkinSettingsScope& operator=(const SkinSettingsScope&) = delete;

  static void Reset();
};

}  // namespace TestSupport

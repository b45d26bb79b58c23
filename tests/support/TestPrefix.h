#pragma once
// Points SKINUI_PREFIX at a fresh temporary folder for the lifetime of the object and restores
// the previous value afterwards, so a test gets its own drives, temp folder and registry.

#include <filesystem>
#include <optional>
#include <string>

#include "support/TempDir.h"

namespace TestSupport {

class TestPrefix {
 public:
  TestPrefix();
  ~TestPrefix();
  TestPrefix(const TestPrefix&) = delete;
  TestPrefix& operator=(const TestPrefix&) = delete;

  // The prefix folder (not created until the platform first asks for it).
  std::filesystem::path Path() const { return m_dir.Path() / "prefix"; }
  // drive_c inside it.
  std::filesystem::path DriveC() const { return Path() / "drive_c"; }
  // A scratch folder beside the prefix, for files that live outside every drive but Z:.
  std::filesystem::path Scratch() const { return m_dir.Path() / "scratch"; }

 private:
  TempDir m_dir{"prefix"};
  std::optional<std::string> m_previous;
};

}  // namespace TestSupport

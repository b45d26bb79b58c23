#pragma once
// Mounts a small file system (tmpfs, ramfs, ...) on a folder for one test and unmounts it
// afterwards. Needs the right to mount; Mounted() says whether it worked so a test can skip.

#include <filesystem>
#include <string>

namespace TestSupport {

class ScratchMount {
 public:
  ScratchMount(const std::filesystem::path& dir, const std::string& type,
               const std::string& options = "");
  ~ScratchMount();
  ScratchMount(const ScratchMount&) = delete;
  ScratchMount& operator=(const ScratchMount&) = delete;

  bool Mounted() const { return m_mounted; }
  // Why mounting failed, for the skip message.
  const std::string& Error() const { return m_error; }

 private:
  std::filesystem::path m_dir;
  bool m_mounted = false;
  std::string m_error;
};

}  // namespace TestSupport

#pragma once
// A real FUSE mount of a given type name ("fuse.sshfs", ...) served by a tiny in-process
// file system: an empty root folder that answers attribute and statfs requests. Lets tests
// see how code classifies FUSE mounts without the programs behind them. Needs /dev/fuse and
// the right to mount; Mounted() says whether it worked.

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>

namespace TestSupport {

class FuseMount {
 public:
  // `subtype` is the part after "fuse.": "sshfs" mounts as type "fuse.sshfs".
  FuseMount(const std::filesystem::path& dir, const std::string& subtype);
  ~FuseMount();
  FuseMount(const FuseMount&) = delete;
  FuseMount& operator=(const FuseMount&) = delete;

  bool Mounted() const { return m_mounted; }
  const std::string& Error() const { return m_error; }

 private:
  void Serve();

  std::filesystem::path m_dir;
  int m_fd = -1;
  bool m_mounted = false;
  std::string m_error;
  std::atomic<bool> m_stop{false};
  std::thread m_server;
};

}  // namespace TestSupport

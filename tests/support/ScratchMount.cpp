#include "support/ScratchMount.h"

#include <errno.h>
#include <string.h>
#include <sys/mount.h>

namespace TestSupport {

ScratchMount::ScratchMount(const std::filesystem::path& dir, const std::string& type,
                           const std::string& options)
    : m_dir(dir) {
  std::filesystem::create_directories(dir);
  if (mount(type.c_str(), dir.c_str(), type.c_str(), 0,
            options.empty() ? nullptr : options.c_str()) == 0)
    m_mounted = true;
  else
    m_error = "cannot mount " + type + ": " + strerror(errno);
}

ScratchMount::~ScratchMount() {
  if (m_mounted) umount2(m_dir.c_str(), MNT_DETACH);
}

}  // namespace TestSupport

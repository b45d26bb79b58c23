#include "support/FuseMount.h"

#include <errno.h>
#include <fcntl.h>
#include <linux/fuse.h>
#include <poll.h>
#include <string.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace TestSupport {
namespace {

void Reply(int fd, uint64_t unique, int error, const void* body, size_t size) {
  std::vector<char> out(sizeof(fuse_out_header) + size);
  fuse_out_header header = {};
  header.len = static_cast<uint32_t>(out.size());
  header.error = -error;
  header.unique = unique;
  memcpy(out.data(), &header, sizeof header);
  if (size) memcpy(out.data() + sizeof header, body, size);
  ssize_t written = write(fd, out.data(), out.size());
  (void)written;  // the kernel may have given up on the request; nothing to do then
}

fuse_attr RootAttributes() {
  fuse_attr attr = {};
  attr.ino = FUSE_ROOT_ID;
  attr.mode = S_IFDIR | 0755;
  attr.nlink = 2;
  attr.blksize = 4096;
  return attr;
}

}  // namespace

FuseMount::FuseMount(const std::filesystem::path& dir, const std::string& subtype) : m_dir(dir) {
  std::filesystem::create_directories(dir);
  m_fd = open("/dev/fuse", O_RDWR | O_CLOEXEC);
  if (m_fd < 0) {
    m_error = std::string("cannot open /dev/fuse: ") + strerror(errno);
    return;
  }
  const std::string type = "fuse." + subtype;
  const std::string options = "fd=" + std::to_string(m_fd) +
                              ",rootmode=40000,user_id=" + std::to_string(getuid()) +
                              ",group_id=" + std::to_string(getgid());
  if (mount("skinui-test", dir.c_str(), type.c_str(), MS_NOSUID | MS_NODEV, options.c_str()) != 0) {
    m_error = "cannot mount " + type + ": " + strerror(errno);
    close(m_fd);
    m_fd = -1;
    return;
  }
  m_mounted = true;
  m_server = std::thread([this] { Serve(); });
}

FuseMount::~FuseMount() {
  if (m_mounted) umount2(m_dir.c_str(), MNT_DETACH);
  m_stop = true;
  if (m_server.joinable()) m_server.join();
  if (m_fd >= 0) close(m_fd);
}

void FuseMount::Serve() {
  std::vector<char> buffer(FUSE_MIN_READ_BUFFER + 65536);
  while (!m_stop) {
    pollfd ready = {m_fd, POLLIN, 0};
    if (poll(&ready, 1, 50) <= 0) continue;  // wakes up now and then to see whether to stop
    ssize_t n = read(m_fd, buffer.data(), buffer.size());
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n < static_cast<ssize_t>(sizeof(fuse_in_header))) return;  // unmounted or aborted
    fuse_in_header in;
    memcpy(&in, buffer.data(), sizeof in);
    switch (in.opcode) {
      case FUSE_INIT: {
        fuse_init_in request;
        memcpy(&request, buffer.data() + sizeof in, sizeof request);
        fuse_init_out init = {};
        init.major = FUSE_KERNEL_VERSION;
        init.minor =
            request.minor < FUSE_KERNEL_MINOR_VERSION ? request.minor : FUSE_KERNEL_MINOR_VERSION;
        init.max_readahead = request.max_readahead;
        init.max_write = 4096;
        init.time_gran = 1;
        Reply(m_fd, in.unique, 0, &init, sizeof init);
        break;
      }
      case FUSE_GETATTR: {
        fuse_attr_out out = {};
        out.attr_valid = 1;
        out.attr = RootAttributes();
        Reply(m_fd, in.unique, 0, &out, sizeof out);
        break;
      }
      case FUSE_STATFS: {
        fuse_statfs_out out = {};
        out.st.bsize = 4096;
        out.st.frsize = 4096;
        out.st.namelen = 255;
        Reply(m_fd, in.unique, 0, &out, sizeof out);
        break;
      }
      case FUSE_LOOKUP: Reply(m_fd, in.unique, ENOENT, nullptr, 0); break;
      case FUSE_FORGET:
      case FUSE_BATCH_FORGET:
      case FUSE_INTERRUPT: break;  // no answer expected
      case FUSE_DESTROY: Reply(m_fd, in.unique, 0, nullptr, 0); return;
      default: Reply(m_fd, in.unique, ENOSYS, nullptr, 0); break;
    }
  }
}

}  // namespace TestSupport

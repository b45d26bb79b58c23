#include "Platform/Kernel/FileObject.h"

#include <unistd.h>

#include "Platform/Kernel/FileAttributeStore.h"

namespace Platform {

FileObject::~FileObject() {
  if (m_deleteOnClose && unlink(m_posix.c_str()) == 0) ForgetStoredAttributes(m_posix);
  close(m_fd);
}

}  // namespace Platform

#pragma once
// An open file behind a HANDLE from CreateFileW.

#include <string>

#include "Platform/Kernel/Handles.h"

namespace Platform {

class FileObject : public KernelObject {
 public:
  FileObject(int fd, std::string posix, bool canRead, bool canWrite, bool deleteOnClose)
      : m_fd(fd),
        m_posix(std::move(posix)),
        m_canRead(canRead),
        m_canWrite(canWrite),
        m_deleteOnClose(deleteOnClose) {}
  ~FileObject() override;
  FileObject(const FileObject&) = delete;
  FileObject& operator=(const FileObject&) = delete;

  int Fd() const { return m_fd; }
  const std::string& PosixPath() const { return m_posix; }
  // The Windows access the handle was opened with (the descriptor may allow more).
  bool CanRead() const { return m_canRead; }
  bool CanWrite() const { return m_canWrite; }

 private:
  int m_fd;
  std::string m_posix;
  bool m_canRead;
  bool m_canWrite;
  bool m_deleteOnClose;
};

}  // namespace Platform

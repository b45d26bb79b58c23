#include "setup/MemoryArchiveStream.h"

#include "Platform/Win32Ext.h"

bool MemoryArchiveStream::Read(const void** data, size_t* count) {
  ULONGLONG remaining = m_size - m_position;
  size_t n = remaining < kStagingSize ? static_cast<size_t>(remaining) : kStagingSize;
  *count = 0;
  if (n == 0) return false;
  // The file under the view may have been cut short by another process since it was mapped.
  if (!Platform::CopyFromView(m_staging, m_view + m_position, n)) return false;
  static const BYTE kSignatureStart[2] = {0x37, 0x7A};
  for (ULONGLONG at = m_position; at < 2 && at < m_position + n; ++at)
    m_staging[at - m_position] = kSignatureStart[at];
  m_position += n;
  if (m_position - m_released >= kReleaseStep) {
    Platform::ReleaseViewPages(m_view + m_released, m_position - m_released);
    m_released = m_position;
  }
  *data = m_staging;
  *count = n;
  return true;
}

bool MemoryArchiveStream::Seek(uint64_t position) {
  if (position >= m_size) return false;
  m_position = position;
  m_released = position;
  return true;
}

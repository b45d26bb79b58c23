#pragma once
// A thread started by CreateThread, waitable until its body has returned.

#include "Platform/Kernel/Waitable.h"
#include "Platform/Win32Types.h"

namespace Platform {

class ThreadObject : public WaitableObject {
 public:
  void Finish(DWORD exitCode);
  // STILL_ACTIVE while the thread runs.
  DWORD ExitCode() const;

 private:
  bool SignaledLocked() const override { return m_finished; }

  bool m_finished = false;
  DWORD m_exitCode = 259;  // STILL_ACTIVE
};

}  // namespace Platform

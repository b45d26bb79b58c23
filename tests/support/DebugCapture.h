#pragma once
// Collects what the program writes to the debugger (OutputDebugStringW) while it is alive, from
// any thread.

#include <memory>
#include <vector>

#include "support/WideString.h"

namespace TestSupport {

class DebugOutputCapture {
 public:
  DebugOutputCapture();
  ~DebugOutputCapture();
  DebugOutputCapture(const DebugOutputCapture&) = delete;
  DebugOutputCapture& operator=(const DebugOutputCapture&) = delete;

  // Each OutputDebugString call's text, in the order written.
  std::vector<WString> Pieces() const;
  // Everything written, joined.
  WString Text() const;
  void Clear();

  struct Channel;  // where the text goes, per build

 private:
  std::unique_ptr<Channel> m_channel;
};

}  // namespace TestSupport

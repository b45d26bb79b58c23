#pragma once
// The debug-output channel behind OutputDebugStringW. Text goes to standard error when
// SKINUI_DEBUG=1; a DebugOutputCapture (used by tests) collects every piece written while it is
// alive, from any thread.

#include <mutex>
#include <string>
#include <vector>

namespace Platform {

class DebugOutputCapture {
 public:
  DebugOutputCapture();
  ~DebugOutputCapture();
  DebugOutputCapture(const DebugOutputCapture&) = delete;
  DebugOutputCapture& operator=(const DebugOutputCapture&) = delete;

  // Each OutputDebugString call's text, in the order written.
  std::vector<std::u16string> Pieces() const;
  // Everything written, joined.
  std::u16string Text() const;
  void Clear();

  void Append(const std::u16string& text);

 private:
  mutable std::mutex m_mutex;
  std::vector<std::u16string> m_pieces;
};

}  // namespace Platform

// Debug output on Linux: the platform's own debug channel.
#include "support/DebugCapture.h"

#include "Platform/DebugOutput.h"

namespace TestSupport {

struct DebugOutputCapture::Channel {
  Platform::DebugOutputCapture capture;
};

DebugOutputCapture::DebugOutputCapture() : m_channel(std::make_unique<Channel>()) {}
DebugOutputCapture::~DebugOutputCapture() = default;

std::vector<WString> DebugOutputCapture::Pieces() const { return m_channel->capture.Pieces(); }
WString DebugOutputCapture::Text() const { return m_channel->capture.Text(); }
void DebugOutputCapture::Clear() { m_channel->capture.Clear(); }

}  // namespace TestSupport

// Debug output on Windows: OutputDebugStringW raises DBG_PRINTEXCEPTION_WIDE_C for a debugger to
// see; a vectored handler sees it first, records the text and lets the program go on.
#include "support/DebugCapture.h"

#include <algorithm>
#include <mutex>

namespace TestSupport {

struct DebugOutputCapture::Channel {
  std::vector<WString> pieces;
};

namespace {

constexpr DWORD kPrintWide = 0x4001000A;  // DBG_PRINTEXCEPTION_WIDE_C
constexpr DWORD kPrintAnsi = 0x40010006;  // DBG_PRINTEXCEPTION_C

std::mutex& Lock() {
  static std::mutex lock;
  return lock;
}

std::vector<DebugOutputCapture::Channel*>& Channels() {
  static std::vector<DebugOutputCapture::Channel*> channels;
  return channels;
}

WString Widen(const char* text, size_t bytes) {
  const int length = static_cast<int>(bytes);
  const int units = MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
  WString wide(static_cast<size_t>(units > 0 ? units : 0), 0);
  if (units > 0) MultiByteToWideChar(CP_ACP, 0, text, length, wide.data(), units);
  return wide;
}

LONG CALLBACK OnException(EXCEPTION_POINTERS* info) {
  const EXCEPTION_RECORD* record = info->ExceptionRecord;
  const DWORD code = record->ExceptionCode;
  if ((code != kPrintWide && code != kPrintAnsi) || record->NumberParameters < 2)
    return EXCEPTION_CONTINUE_SEARCH;
  // Parameters: the length with its terminator, then the text. Systems that raise only the
  // ANSI form (Wine) pass the text in the active code page, UTF-8 for these programs.
  const size_t length = static_cast<size_t>(record->ExceptionInformation[0]);
  const size_t units = length > 0 ? length - 1 : 0;
  const WString piece =
      code == kPrintWide
          ? WString(reinterpret_cast<const WCHAR*>(record->ExceptionInformation[1]), units)
          : Widen(reinterpret_cast<const char*>(record->ExceptionInformation[1]), units);
  std::lock_guard<std::mutex> guard(Lock());
  for (DebugOutputCapture::Channel* channel : Channels()) channel->pieces.push_back(piece);
  return EXCEPTION_CONTINUE_EXECUTION;
}

}  // namespace

DebugOutputCapture::DebugOutputCapture() : m_channel(std::make_unique<Channel>()) {
  static PVOID handler = AddVectoredExceptionHandler(1, OnException);
  (void)handler;
  std::lock_guard<std::mutex> guard(Lock());
  Channels().push_back(m_channel.get());
}

DebugOutputCapture::~DebugOutputCapture() {
  std::lock_guard<std::mutex> guard(Lock());
  std::vector<Channel*>& channels = Channels();
  channels.erase(std::remove(channels.begin(), channels.end(), m_channel.get()), channels.end());
}

std::vector<WString> DebugOutputCapture::Pieces() const {
  std::lock_guard<std::mutex> guard(Lock());
  return m_channel->pieces;
}

void DebugOutputCapture::Clear() {
  std::lock_guard<std::mutex> guard(Lock());
  m_channel->pieces.clear();
}

WString DebugOutputCapture::Text() const {
  WString text;
  for (const WString& piece : Pieces()) text += piece;
  return text;
}

}  // namespace TestSupport

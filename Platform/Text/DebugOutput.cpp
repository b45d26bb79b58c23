#include "Platform/DebugOutput.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "Platform/Text/Utf.h"
#include "Platform/Win32.h"

namespace Platform {
namespace {

std::mutex g_capturesMutex;
std::vector<DebugOutputCapture*> g_captures;

bool DebugToStderr() {
  static const bool enabled = [] {
    const char* v = std::getenv("SKINUI_DEBUG");
    return v && std::strcmp(v, "1") == 0;
  }();
  return enabled;
}

void Publish(const std::u16string& text) {
  {
    std::lock_guard<std::mutex> lock(g_capturesMutex);
    for (DebugOutputCapture* c : g_captures) c->Append(text);
  }
  if (DebugToStderr()) {
    std::string utf8 = Utf16ToUtf8(text);
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
    if (utf8.empty() || utf8.back() != '\n') std::fputc('\n', stderr);
    std::fflush(stderr);
  }
}

}  // namespace

DebugOutputCapture::DebugOutputCapture() {
  std::lock_guard<std::mutex> lock(g_capturesMutex);
  g_captures.push_back(this);
}

DebugOutputCapture::~DebugOutputCapture() {
  std::lock_guard<std::mutex> lock(g_capturesMutex);
  g_captures.erase(std::remove(g_captures.begin(), g_captures.end(), this), g_captures.end());
}

std::vector<std::u16string> DebugOutputCapture::Pieces() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_pieces;
}

std::u16string DebugOutputCapture::Text() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  std::u16string all;
  for (const auto& p : m_pieces) all += p;
  return all;
}

void DebugOutputCapture::Clear() {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_pieces.clear();
}

void DebugOutputCapture::Append(const std::u16string& text) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_pieces.push_back(text);
}

}  // namespace Platform

void WINAPI OutputDebugStringW(LPCWSTR text) {
  Platform::Publish(text ? std::u16string(text) : std::u16string());
}

void WINAPI OutputDebugStringA(LPCSTR text) { Platform::Publish(Platform::ToUtf16(text)); }

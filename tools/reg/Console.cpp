#include "Console.h"

#include <cstdio>

#include "Platform/Win32.h"

namespace RegTool {

std::u16string Widen(const char* text) {
  int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  if (n <= 0) return std::u16string();
  std::u16string out(static_cast<size_t>(n), u'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, out.data(), n);
  out.resize(static_cast<size_t>(n - 1));
  return out;
}

std::string Narrow(const std::u16string& text) {
  if (text.empty()) return std::string();
  int size = static_cast<int>(text.size());
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), n, nullptr, nullptr);
  return out;
}

void PrintLine(const std::u16string& text) {
  std::string line = Narrow(text) + "\n";
  std::fwrite(line.data(), 1, line.size(), stdout);
}

void PrintError(const std::u16string& text) {
  std::fflush(stdout);
  std::string line = Narrow(text) + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
}

bool AskYesNo(const std::u16string& question) {
  std::string prompt = Narrow(question) + " ";
  std::fwrite(prompt.data(), 1, prompt.size(), stdout);
  std::fflush(stdout);
  char answer[64];
  if (!std::fgets(answer, sizeof answer, stdin)) return false;
  return answer[0] == 'y' || answer[0] == 'Y';
}

}  // namespace RegTool

#include "Platform/Kernel/CommandLine.h"

namespace Platform {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// The program argument: quotes group, nothing escapes.
size_t ReadProgram(std::u16string_view line, std::u16string* out) {
  bool quoted = false;
  size_t i = 0;
  for (; i < line.size(); ++i) {
    char16_t c = line[i];
    if (c == u'"') {
      quoted = !quoted;
    } else if (!quoted && IsBlank(c)) {
      break;
    } else {
      *out += c;
    }
  }
  return i;
}

// One later argument starting at line[i] (not blank); returns the position after it.
size_t ReadArgument(std::u16string_view line, size_t i, std::u16string* out) {
  bool quoted = false;
  while (i < line.size()) {
    char16_t c = line[i];
    if (!quoted && IsBlank(c)) break;
    if (c == u'\\') {
      size_t count = 0;
      while (i < line.size() && line[i] == u'\\') ++count, ++i;
      if (i < line.size() && line[i] == u'"') {
        out->append(count / 2, u'\\');
        if (count % 2) {
          *out += u'"';
          ++i;
        }
      } else {
        out->append(count, u'\\');
      }
    } else if (c == u'"') {
      if (quoted && i + 1 < line.size() && line[i + 1] == u'"') {
        *out += u'"';
        i += 2;
      } else {
        quoted = !quoted;
        ++i;
      }
    } else {
      *out += c;
      ++i;
    }
  }
  return i;
}

}  // namespace

std::vector<std::u16string> SplitCommandLine(std::u16string_view line) {
  std::vector<std::u16string> args(1);
  size_t i = ReadProgram(line, &args[0]);
  while (true) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size()) break;
    args.emplace_back();
    i = ReadArgument(line, i, &args.back());
  }
  return args;
}

std::vector<std::u16string> ProgramCandidates(std::u16string_view line) {
  std::vector<std::u16string> candidates;
  if (!line.empty() && line[0] == u'"') {
    size_t end = line.find(u'"', 1);
    candidates.emplace_back(line.substr(1, end == std::u16string_view::npos ? end : end - 1));
    return candidates;
  }
  for (size_t i = 0; i <= line.size(); ++i) {
    if (i == line.size() || IsBlank(line[i])) {
      if (i > 0 && !IsBlank(line[i - 1])) candidates.emplace_back(line.substr(0, i));
    }
  }
  return candidates;
}

}  // namespace Platform

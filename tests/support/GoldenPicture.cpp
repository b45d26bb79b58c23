#include "support/GoldenPicture.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "support/PngFile.h"
#include "support/TestData.h"

namespace TestSupport {
namespace {

bool UpdateRequested() {
  const char* update = std::getenv("SKINUI_UPDATE_GOLDEN");
  return update != nullptr && std::strcmp(update, "1") == 0;
}

int ChannelDistance(uint32_t a, uint32_t b) {
  int worst = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    int d = std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
    if (d > worst) worst = d;
  }
  return worst;
}

std::string Hex(uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof(text), "0x%08X", v);
  return text;
}

// What differs beyond the tolerance, in words; empty when nothing does.
std::string Differences(const Picture& expected, const Picture& actual, int tolerance) {
  if (expected.width != actual.width || expected.height != actual.height) {
    return "the size is " + std::to_string(actual.width) + "x" + std::to_string(actual.height) +
           ", the golden's " + std::to_string(expected.width) + "x" +
           std::to_string(expected.height);
  }
  int count = 0, firstX = 0, firstY = 0;
  for (int y = 0; y < actual.height; ++y) {
    for (int x = 0; x < actual.width; ++x) {
      if (ChannelDistance(expected.At(x, y), actual.At(x, y)) <= tolerance) continue;
      if (count++ == 0) firstX = x, firstY = y;
    }
  }
  if (count == 0) return {};
  return std::to_string(count) + " of " + std::to_string(actual.pixels.size()) +
         " pixels differ by more than " + std::to_string(tolerance) + "; the first at (" +
         std::to_string(firstX) + "," + std::to_string(firstY) + ") is " +
         Hex(actual.At(firstX, firstY)) + ", the golden has " + Hex(expected.At(firstX, firstY));
}

}  // namespace

::testing::AssertionResult MatchesGolden(const Picture& actual, const std::string& name,
                                         int tolerance) {
  if (actual.Empty()) return ::testing::AssertionFailure() << "no picture to compare with " << name;
  std::filesystem::path golden = DataPath("golden/" + name + ".png");
  std::optional<Picture> expected = ReadPng(golden);
  std::string problem = expected ? Differences(*expected, actual, tolerance)
                                 : "there is no golden " + golden.string() +
                                       " (SKINUI_UPDATE_GOLDEN=1 stores the actual picture)";
  // A golden within the tolerance stays as it is, so that noise does not churn the files.
  if (!problem.empty() && UpdateRequested()) {
    if (!WritePng(actual, golden)) {
      return ::testing::AssertionFailure() << "cannot write the golden " << golden;
    }
    return ::testing::AssertionSuccess() << "stored the golden " << golden;
  }
  if (problem.empty()) return ::testing::AssertionSuccess();
  std::filesystem::path written = TestOutputPath(name + ".png");
  ::testing::AssertionResult failure = ::testing::AssertionFailure();
  failure << "picture " << name << ": " << problem << "; ";
  if (WritePng(actual, written)) {
    failure << "the actual picture is " << written.string();
  } else {
    failure << "the actual picture could not be written to " << written.string();
  }
  return failure;
}

}  // namespace TestSupport

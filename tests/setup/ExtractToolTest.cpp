// The extraction tool as a user runs it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/SevenZip.h"
#include "support/TempDir.h"
#include "support/TestPrefix.h"

namespace {

namespace fs = std::filesystem;
using TestSupport::ShellQuote;

TEST(ExtractTool, DestinationThatIsAFileIsAClearError) {
  TestSupport::TestPrefix prefix;
  TestSupport::TempDir work("extract-tool");
  TestSupport::WriteFile(work / "taken", "a file");
  const fs::path tool = TestSupport::BuildDir() / "tools/extract/extract_payload";
  std::string run =
      ShellQuote(tool.string()) + " " + ShellQuote(TestSupport::ShippedPayload().string()) + " ";
  std::string said = TestSupport::CaptureShell(run + ShellQuote((work / "taken").string()) +
                                               " 2>&1; echo \"exit $?\"");
  EXPECT_NE(said.find("is not a folder"), std::string::npos) << said;
  EXPECT_NE(said.find("exit 1"), std::string::npos) << said;
  EXPECT_EQ(TestSupport::ReadFile(work / "taken"), "a file");

  said = TestSupport::CaptureShell(run + ShellQuote((work / "out").string()) +
                                   " 2>&1; echo \"exit $?\"");
  EXPECT_EQ(said, "exit 0\n");
  EXPECT_TRUE(fs::exists(work / "out/PlayCrate.exe"));
}

}  // namespace

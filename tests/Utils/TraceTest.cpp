#include <gtest/gtest.h>

#include <string>

#include "Utils/Utils.h"
#include "support/DebugCapture.h"
#include "support/WideString.h"

namespace {

TEST(Trace, WritesOneTerminatedLineOfAtMost298Characters) {
  TestSupport::DebugOutputCapture capture;
  SkinUI::Trace(TEXT("未知控件:%s"), TEXT("Buton"));
  SkinUI::Trace(TEXT("文件总个数: %u \r\n"), 20u);
  WString longText(1000, TEXT('z'));
  SkinUI::Trace(TEXT("%s"), longText.c_str());
  SkinUI::Trace(TEXT("%s"), WString(298, TEXT('y')).c_str());
  auto pieces = capture.Pieces();
  ASSERT_EQ(pieces.size(), 4u);
  EXPECT_EQ(pieces[0], TEXT("未知控件:Buton\n"));
  EXPECT_EQ(pieces[1], TEXT("文件总个数: 20 \r\n\n"));
  EXPECT_EQ(pieces[2], WString(298, TEXT('z')) + TEXT("\n"));
  EXPECT_EQ(pieces[3], WString(298, TEXT('y')) + TEXT("\n"));
}

TEST(Assertion, ReportsExpressionFileAndLineAndChangesNothing) {
  TestSupport::DebugOutputCapture capture;
  int evaluated = 0;
  ASSERT(++evaluated == 1);
  EXPECT_TRUE(capture.Pieces().empty());
  const int line = __LINE__ + 1;
  ASSERT(evaluated > 5);
  EXPECT_EQ(evaluated, 1);
  auto pieces = capture.Pieces();
  ASSERT_EQ(pieces.size(), 1u);
  const std::string lineText = std::to_string(line);
  const WString expected = TEXT("TraceTest.cpp(") + WString(lineText.begin(), lineText.end()) +
                           TEXT("): Assertion failed: evaluated > 5\n");
  EXPECT_NE(pieces[0].find(expected), WString::npos);
}

}  // namespace

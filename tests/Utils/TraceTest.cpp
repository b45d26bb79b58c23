#include <gtest/gtest.h>

#include <string>

#include "Platform/DebugOutput.h"
#include "Utils/Utils.h"

namespace {

TEST(Trace, WritesOneTerminatedLineOfAtMost298Characters) {
  Platform::DebugOutputCapture capture;
  SkinUI::Trace(u"未知控件:%s", u"Buton");
  SkinUI::Trace(u"文件总个数: %u \r\n", 20u);
  std::u16string longText(1000, u'z');
  SkinUI::Trace(u"%s", longText.c_str());
  SkinUI::Trace(u"%s", std::u16string(298, u'y').c_str());
  auto pieces = capture.Pieces();
  ASSERT_EQ(pieces.size(), 4u);
  EXPECT_EQ(pieces[0], u"未知控件:Buton\n");
  EXPECT_EQ(pieces[1], u"文件总个数: 20 \r\n\n");
  EXPECT_EQ(pieces[2], std::u16string(298, u'z') + u"\n");
  EXPECT_EQ(pieces[3], std::u16string(298, u'y') + u"\n");
}

TEST(Assertion, ReportsExpressionFileAndLineAndChangesNothing) {
  Platform::DebugOutputCapture capture;
  int evaluated = 0;
  ASSERT(++evaluated == 1);
  EXPECT_TRUE(capture.Pieces().empty());
  const int line = __LINE__ + 1;
  ASSERT(evaluated > 5);
  EXPECT_EQ(evaluated, 1);
  auto pieces = capture.Pieces();
  ASSERT_EQ(pieces.size(), 1u);
  const std::string lineText = std::to_string(line);
  const std::u16string expected = u"TraceTest.cpp(" +
                                  std::u16string(lineText.begin(), lineText.end()) +
                                  u"): Assertion failed: evaluated > 5\n";
  EXPECT_NE(pieces[0].find(expected), std::u16string::npos);
}

}  // namespace

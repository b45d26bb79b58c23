#include <gtest/gtest.h>

#include "Platform/Kernel/CommandLine.h"

namespace {

using Args = std::vector<std::u16string>;
using Platform::SplitCommandLine;

TEST(CommandLine, TheDocumentedExamples) {
  // Each example follows a program name, as it would on a real command line.
  EXPECT_EQ(SplitCommandLine(uR"(prog "a b c" d e)"), (Args{u"prog", u"a b c", u"d", u"e"}));
  EXPECT_EQ(SplitCommandLine(uR"(prog "ab\"c" "\\" d)"),
            (Args{u"prog", uR"(ab"c)", uR"(\)", u"d"}));
  EXPECT_EQ(SplitCommandLine(uR"(prog a\\\b d"e f"g h)"),
            (Args{u"prog", uR"(a\\\b)", u"de fg", u"h"}));
  EXPECT_EQ(SplitCommandLine(uR"(prog a\\\"b c d)"), (Args{u"prog", uR"(a\"b)", u"c", u"d"}));
  EXPECT_EQ(SplitCommandLine(uR"(prog a\\\\"b c" d e)"), (Args{u"prog", uR"(a\\b c)", u"d", u"e"}));
  EXPECT_EQ(SplitCommandLine(uR"(prog a"b"" c d)"), (Args{u"prog", uR"(ab" c d)"}));
}

TEST(CommandLine, TheProgramNameOnlyGroupsWithQuotes) {
  // Backslashes before a quote escape nothing in the program name.
  EXPECT_EQ(SplitCommandLine(uR"("C:\Program Files\Halvane\PlayCrate.exe" C:\x)"),
            (Args{uR"(C:\Program Files\Halvane\PlayCrate.exe)", uR"(C:\x)"}));
  EXPECT_EQ(SplitCommandLine(uR"(C:\dir\"a b"\x.exe arg)"), (Args{uR"(C:\dir\a b\x.exe)", u"arg"}));
  EXPECT_EQ(SplitCommandLine(uR"(C:\Program Files\Halvane\PlayCrate.exe C:\Users\a b\setup.exe)"),
            (Args{uR"(C:\Program)", uR"(Files\Halvane\PlayCrate.exe)", uR"(C:\Users\a)",
                  uR"(b\setup.exe)"}));
}

TEST(CommandLine, BlanksQuotesAndEnds) {
  EXPECT_EQ(SplitCommandLine(u""), (Args{u""}));
  EXPECT_EQ(SplitCommandLine(u"  x y"), (Args{u"", u"x", u"y"}));  // leading blank: empty name
  EXPECT_EQ(SplitCommandLine(u"p \t a\t\tb  \t"), (Args{u"p", u"a", u"b"}));
  EXPECT_EQ(SplitCommandLine(uR"(p "" "")"), (Args{u"p", u"", u""}));
  EXPECT_EQ(SplitCommandLine(uR"(p "unclosed arg)"), (Args{u"p", u"unclosed arg"}));
  EXPECT_EQ(SplitCommandLine(uR"(p trailing\)"), (Args{u"p", uR"(trailing\)"}));
  EXPECT_EQ(SplitCommandLine(uR"(p \\\\)"), (Args{u"p", uR"(\\\\)"}));
  EXPECT_EQ(SplitCommandLine(u"p \u5B89\u88C5 \"\U0001F600 x\""),
            (Args{u"p", u"\u5B89\u88C5", u"\U0001F600 x"}));
}

TEST(CommandLine, ProgramCandidatesFollowTheDocumentedOrder) {
  EXPECT_EQ(
      Platform::ProgramCandidates(uR"(c:\program files\sub dir\program name)"),
      (Args{uR"(c:\program)", uR"(c:\program files\sub)", uR"(c:\program files\sub dir\program)",
            uR"(c:\program files\sub dir\program name)"}));
  EXPECT_EQ(Platform::ProgramCandidates(uR"("c:\a b\c.exe" d e)"), (Args{uR"(c:\a b\c.exe)"}));
  EXPECT_EQ(Platform::ProgramCandidates(u"x  y"), (Args{u"x", u"x  y"}));
  EXPECT_TRUE(Platform::ProgramCandidates(u"").empty());
}

}  // namespace

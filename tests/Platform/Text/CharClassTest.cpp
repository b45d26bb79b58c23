#include <gtest/gtest.h>

#include "Platform/Win32.h"

TEST(CharClass, LettersAndDigitsOfEveryScript) {
  for (WCHAR c : std::u16string(u"aZ09\u00e9\u00df\u5b89\u0416\u0661"))
    EXPECT_TRUE(IsCharAlphaNumericW(c)) << int(c);
  for (WCHAR c : std::u16string(u" _:-.<\u3000\u00b7\u2014"))
    EXPECT_FALSE(IsCharAlphaNumericW(c)) << int(c);
  EXPECT_FALSE(IsCharAlphaNumericW(0));
  EXPECT_FALSE(IsCharAlphaNumericW(0xD83D));  // half of a supplementary letter is not one
  EXPECT_FALSE(IsCharAlphaNumericW(0xDE00));
}

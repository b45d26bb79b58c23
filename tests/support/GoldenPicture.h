#pragma once
// Whole pictures compared with stored ones: tests/data/golden/<name>.png.
//
//   EXPECT_TRUE(TestSupport::MatchesGolden(TestSupport::PictureOfWindow(hwnd), "edit-focused"));
//
// Every channel of every pixel may differ by up to `tolerance` (rounding of antialiased edges
// and of the PNG's straight alpha). On a mismatch the actual picture is written to the test
// output folder as <name>.png (see TestOutputPath) and the message names it. Run the test
// with SKINUI_UPDATE_GOLDEN=1 to store the actual picture as the golden instead of failing
// (a golden that matches within the tolerance is left as it is).

#include <gtest/gtest.h>

#include <string>

#include "support/Picture.h"

namespace TestSupport {

// name: a file name without ".png" (it may contain '/' for a subfolder of golden/).
::testing::AssertionResult MatchesGolden(const Picture& actual, const std::string& name,
                                         int tolerance = 2);

}  // namespace TestSupport

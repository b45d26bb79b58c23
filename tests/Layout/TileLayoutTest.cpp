// The tile layout: columns from "itemsize" or "columns", equal cells, rows as tall as their
// tallest child under the row's first child's limits, children centred in their cells.
#include <gtest/gtest.h>

#include "Layout/SkinHostWindow.h"
#include "Layout/UITileLayout.h"

using namespace SkinUI;
using LayoutTest::Box;
using LayoutTest::SkinHostWindow;

namespace {

TEST(TileLayout, ItemSizeGivesTheColumnsAndTheCellWidth) {
  SkinHostWindow window(350, 200);
  ASSERT_TRUE(window.Load(
      TEXT("<Window><TileLayout name=\"t\" itemsize=\"100,0\"><Control name=\"a\" height=\"40\"/>")
          TEXT("<Control name=\"b\" height=\"40\"/><Control name=\"c\" height=\"40\"/>")
              TEXT("<Control name=\"d\" height=\"30\" width=\"50\"/></TileLayout></Window>")));
  EXPECT_EQ(3, static_cast<CTileLayoutUI*>(window.Find(TEXT("t")))->GetColumns());
  EXPECT_EQ(Box(0, 0, 116, 40), Box(window.Rect(TEXT("a"))));
  EXPECT_EQ(Box(116, 0, 232, 40), Box(window.Rect(TEXT("b"))));
  EXPECT_EQ(Box(232, 0, 348, 40), Box(window.Rect(TEXT("c"))));
  // Centred in its cell of the second row.
  EXPECT_EQ(Box(33, 40, 83, 70), Box(window.Rect(TEXT("d"))));
}

TEST(TileLayout, ColumnsAttributeAndChildPaddingSplitBetweenCells) {
  SkinHostWindow window(300, 200);
  ASSERT_TRUE(
      window.Load(TEXT("<Window><TileLayout columns=\"2\" childpadding=\"10\" inset=\"10,0,10,0\">")
                      TEXT("<Control name=\"a\" height=\"50\"/><Control name=\"b\" height=\"50\"/>")
                          TEXT("<Control name=\"c\" height=\"20\"/></TileLayout></Window>")));
  // Cells of 140: the first column loses half the padding on its right, the last on its left.
  EXPECT_EQ(Box(10, 0, 145, 50), Box(window.Rect(TEXT("a"))));
  EXPECT_EQ(Box(155, 0, 290, 50), Box(window.Rect(TEXT("b"))));
  EXPECT_EQ(Box(10, 60, 145, 80), Box(window.Rect(TEXT("c"))));
}

TEST(TileLayout, PaddingsAtTheEndOfTheIntegerRangeSaturate) {
  SkinHostWindow window(300, 200);
  ASSERT_TRUE(window.Load(
      TEXT("<Window><TileLayout columns=\"1\" childpadding=\"2147483647\"><Control name=\"a\" ")
          TEXT("height=\"40\" padding=\"0,2147483647,0,2147483647\"/><Control name=\"b\" "
               "height=\"40\"/>") TEXT("</TileLayout></Window>")));
  // The row is as tall as the saturated sum; the tile sits in its middle.
  EXPECT_EQ(Box(0, 2147483627, 300, 2147483647), Box(window.Rect(TEXT("a"))));
  EXPECT_EQ(Box(0, 2147483647, 300, 2147483647), Box(window.Rect(TEXT("b"))));
}

TEST(TileLayout, TheRowsFirstChildLimitsTheWholeRow) {
  SkinHostWindow window(200, 200);
  ASSERT_TRUE(window.Load(
      TEXT("<Window><TileLayout columns=\"2\"><Control name=\"a\" height=\"10\" maxheight=\"20\"/>")
          TEXT("<Control name=\"b\" height=\"40\"/><Control name=\"c\" height=\"30\"/>")
              TEXT("</TileLayout></Window>")));
  // Row height 20 (b's 40 clamped by a's limit); b keeps its own 40, centred on the row.
  EXPECT_EQ(Box(0, 5, 100, 15), Box(window.Rect(TEXT("a"))));
  EXPECT_EQ(Box(100, -10, 200, 30), Box(window.Rect(TEXT("b"))));
  EXPECT_EQ(Box(0, 20, 100, 50), Box(window.Rect(TEXT("c"))));
}

TEST(TileLayout, SettersIgnoreNonsenseAndTooNarrowAreasKeepOneColumn) {
  CTileLayoutUI tile;
  tile.SetColumns(0);
  tile.SetColumns(-3);
  EXPECT_EQ(1, tile.GetColumns());
  tile.SetColumns(4);
  EXPECT_EQ(4, tile.GetColumns());

  SkinHostWindow window(80, 100);
  ASSERT_TRUE(window.Load(
      TEXT("<Window><TileLayout name=\"t\" itemsize=\"100,0\"><Control name=\"a\" height=\"10\"/>")
          TEXT("<Control name=\"b\" height=\"10\"/></TileLayout></Window>")));
  EXPECT_EQ(1, static_cast<CTileLayoutUI*>(window.Find(TEXT("t")))->GetColumns());
  EXPECT_EQ(Box(0, 10, 80, 20), Box(window.Rect(TEXT("b"))));
}

}  // namespace

// The gravity field and the sand glass as their title cards draw them, over
// the whole 800 x 600 window under the unit projection: cells land where
// their coordinates put them, in their own colours.
#include <gtest/gtest.h>

#include "scenes/fields/gravityScene.h"
#include "scenes/fields/sandScene.h"
#include "sim/fields/gravity.h"
#include "sim/fields/sand.h"
#include "tests/gl/glProbe.h"

namespace {

TEST(FieldCards, GravityFieldEveryOddCellAsATwoPixelPointInItsOwnGrey) {
  // Cell (i, j) sits at x = 2 (i / 300 - 0.5): window x = 4 i / 3, y = i.
  // A 2-pixel point covers the pixels x - 1 and x rounded to the nearest.
  freshCanvas(0.2f);
  gravity = {};
  gravity.field[149][149] = 0.5f;  // at (397.3, 298)
  gravity.field[151][151] = 4.0f;  // at (402.7, 302): clamped to white
  gravity.field[1][1] = 1.0f;      // at (2.7, 2), the first one drawn
  gravity.field[297][297] = 1.0f;  // at (792, 594), the last one drawn
  gravity.field[150][150] = 1.0f;  // even cells are not drawn
  gravity.field[299][149] = 1.0f;
  drawGravityCard();
  const ReadBack picture = readBackBuffer();
  EXPECT_TRUE(near(picture.at(396, 297), 128, 128, 128) && near(picture.at(397, 298), 128, 128, 128));
  EXPECT_TRUE(near(picture.at(402, 301), 255, 255, 255) && near(picture.at(403, 302), 255, 255, 255));
  EXPECT_TRUE(near(picture.at(2, 1), 255, 255, 255) && near(picture.at(792, 594), 255, 255, 255));
  // A cell of value 0 is a black point; between the points the background.
  EXPECT_TRUE(near(picture.at(391, 297), 0, 0, 0));
  for (const auto& [x, y] : {std::pair{398, 297}, {400, 300}, {797, 298}, {394, 300}}) {
    EXPECT_TRUE(near(picture.at(x, y), 51, 51, 51)) << x << ", " << y;
  }
}

TEST(FieldCards, SandGridOpaqueWallsOverGrainsOverEmptyCells) {
  // Cell (i, j) sits at window (40 i / 7, 30 j / 7); a 3-pixel round point
  // covers the 2 x 2 pixels around a cell that lands on a pixel corner.
  freshCanvas(0.0f);
  sandGrid = {};
  sandGrid.wall[70][70] = 1;  // (400, 300): a grain hidden in a wall
  sandGrid.sand[70][70] = 1;
  sandGrid.sand[35][105] = 1;  // (200, 450): a grain at its reddest and bluest
  sandGrid.redOffset[35][105] = 1.0f / 14.0f;
  sandGrid.blueOffset[35][105] = 1.0f / 18.0f;
  // The scene's fade does not reach the card.
  sandTimers.fadeIn = 1.0f;
  sandTimers.fadeOut = 0.5f;
  drawSandCard();
  const ReadBack picture = readBackBuffer();
  EXPECT_TRUE(near(picture.at(399, 299), 153, 158, 161) && near(picture.at(400, 300), 153, 158, 161));
  // (0.3 + 1/14, 0.2, 0.1 + 1/18)
  EXPECT_TRUE(near(picture.at(199, 449), 95, 51, 40) && near(picture.at(200, 450), 95, 51, 40));
  EXPECT_TRUE(near(picture.at(599, 149), 230, 230, 230) && near(picture.at(600, 150), 230, 230, 230));
  EXPECT_TRUE(near(picture.at(402, 299), 0, 0, 0) && near(picture.at(403, 300), 0, 0, 0));
}

}  // namespace

// The falling-sand automaton: single grains, sliding, hesitating pairs,
// walls, conservation, and the hourglass the set-up builds.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "effects/fields/sand.h"
#include "platform/random.h"
#include "tests/support/stateHash.h"

namespace {

class SandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sandGrid = {};
    resetDemoRand();
  }
};

int grainCount() {
  int count = 0;
  for (const auto& row : sandGrid.sand) {
    for (const int32_t cell : row) count += cell;
  }
  return count;
}

TEST_F(SandTest, LoneGrainFallsOneCellPerStepUnderBothParities) {
  // Odd steps pair columns (99, 100), even steps (98, 99): the grain is an
  // upper cell either way.
  for (const int row : {50, 51}) {
    sandGrid = {};
    sandGrid.sand[row][100] = 1;
    for (int step = 1; step <= 10; ++step) {
      sandStep();
      ASSERT_EQ(sandGrid.sand[row][100 - step], 1) << "row " << row << " step " << step;
      ASSERT_EQ(grainCount(), 1);
    }
  }
  EXPECT_EQ(demoRandDraws(), 0u);
}

TEST_F(SandTest, GrainOnAGrainSlidesDiagonally) {
  // Step 1 takes the block with rows 50, 51 and columns 99 (lower), 100.
  sandGrid.sand[50][100] = 1;
  sandGrid.sand[50][99] = 1;
  sandStep();
  EXPECT_EQ(sandGrid.sand[50][100], 0);
  EXPECT_EQ(sandGrid.sand[51][99], 1);
  EXPECT_EQ(sandGrid.sand[50][99], 1);

  // The mirror case: from the upper right to the lower left.
  sandGrid = {};
  sandGrid.sand[51][100] = 1;
  sandGrid.sand[51][99] = 1;
  sandStep();
  EXPECT_EQ(sandGrid.sand[51][100], 0);
  EXPECT_EQ(sandGrid.sand[50][99], 1);
  EXPECT_EQ(sandGrid.sand[51][99], 1);
}

// Two grains side by side over two empty cells; returns whether they fell.
bool pairFalls() {
  sandGrid = {};
  sandGrid.sand[50][100] = 1;
  sandGrid.sand[51][100] = 1;
  sandStep();
  const bool fell = sandGrid.sand[50][99] == 1 && sandGrid.sand[51][99] == 1;
  const bool stayed = sandGrid.sand[50][100] == 1 && sandGrid.sand[51][100] == 1;
  EXPECT_NE(fell, stayed);
  EXPECT_EQ(grainCount(), 2);
  return fell;
}

TEST_F(SandTest, SideBySidePairFallsWithProbabilityPointEightyFive) {
  // u1 then u2: (41, 18467) gives 0.3 * 0.5636 > 0.0013, the pair waits;
  // (6334, 26500): 0.2426 > 0.1933, waits; (19169, 15724): 0.1440 < 0.5850,
  // falls. Drawn the other way round the first pair would fall.
  EXPECT_FALSE(pairFalls());
  EXPECT_FALSE(pairFalls());
  EXPECT_TRUE(pairFalls());
  EXPECT_EQ(demoRandDraws(), 6u);

  // P(0.3 u2 < u1) = 1 - 0.3 / 2 = 0.85; binomial sd over 4000 trials 22.6.
  int falls = 0;
  for (int trial = 0; trial < 4000; ++trial) falls += pairFalls() ? 1 : 0;
  EXPECT_NEAR(falls, 3400, 4 * 22.6);
  EXPECT_EQ(demoRandDraws(), 6u + 2 * 4000);
}

TEST_F(SandTest, BlockWithAWallAboveNeverChanges) {
  for (const auto& [wallRow, grainRow] : {std::pair{50, 51}, std::pair{51, 50}}) {
    sandGrid = {};
    sandGrid.wall[wallRow][100] = 1;
    sandGrid.sand[grainRow][100] = 1;
    sandStep();
    EXPECT_EQ(sandGrid.sand[grainRow][100], 1);
    EXPECT_EQ(grainCount(), 1);
  }
}

TEST_F(SandTest, HourglassOpeningsFollowTheSineProfile) {
  buildGlassWalls();
  struct Opening {
    int c, first, last;
  };
  // v = c sin(95 - c degrees); rows strictly between 70 - v and 70 + v stay
  // open, so c = 5 (v exactly 5) leaves rows 65 and 75 open.
  const Opening openings[] = {{2, 69, 71},   {3, 68, 72},   {5, 65, 75},   {20, 51, 89},
                              {41, 37, 103}, {53, 35, 105}, {61, 36, 104}, {71, 42, 98}};
  for (const Opening& o : openings) {
    for (const int column : {68 + o.c, 72 - o.c}) {
      for (int row = 0; row < sandGridSize; ++row) {
        const bool open = row >= o.first && row <= o.last;
        EXPECT_EQ(sandGrid.wall[row][column] == 0, open) << "c " << o.c << " column " << column << " row " << row;
      }
    }
  }
  // Column 0 only gets the wall of c = 72 (v = 72 sin 23 = 28.13): rows 42..98 open.
  EXPECT_EQ(sandGrid.wall[41][0], 1);
  EXPECT_EQ(sandGrid.wall[42][0], 0);
  EXPECT_EQ(sandGrid.wall[98][0], 0);
  EXPECT_EQ(sandGrid.wall[99][0], 1);
}

TEST_F(SandTest, ColoursTakeThreeDrawsPerCellInRowMajorOrder) {
  paintGrainColours();
  EXPECT_EQ(demoRandDraws(), 3u * 140 * 140);
  // The first draws 41, 18467, 6334 colour cell (0, 0); 26500 is the red of
  // cell (0, 1).
  EXPECT_FLOAT_EQ(sandGrid.redOffset[0][0], 41 / 32767.0f / 14.0f);
  EXPECT_FLOAT_EQ(sandGrid.greenOffset[0][0], 18467 / 32767.0f / 16.0f);
  EXPECT_FLOAT_EQ(sandGrid.blueOffset[0][0], 6334 / 32767.0f / 18.0f);
  EXPECT_FLOAT_EQ(sandGrid.redOffset[0][1], 26500 / 32767.0f / 14.0f);
  // The last draw colours the blue of cell (139, 139).
  const float last = sandGrid.blueOffset[139][139];
  resetDemoRand();
  int draw = 0;
  for (int n = 0; n < 3 * 140 * 140; ++n) draw = demoRand();
  EXPECT_FLOAT_EQ(last, static_cast<float>(draw) / 32767.0f / 18.0f);
}

TEST_F(SandTest, SetUpLeavesTheHeapInTheUpperBulbAndGrainsAreConserved) {
  buildHourglass();
  EXPECT_EQ(sandGrid.stepCounter, 100);
  const int grains = grainCount();
  // The band, columns 70..109 (c = 2..41), keeps the open rows of each
  // column: 3 + 5 + 7 + ... + 67 open cells, 1554 grains.
  EXPECT_EQ(grains, 1554);
  int lowestColumn = sandGridSize;
  int highestColumn = 0;
  for (int i = 0; i < sandGridSize; ++i) {
    for (int j = 0; j < sandGridSize; ++j) {
      if (sandGrid.sand[i][j] == 0) continue;
      lowestColumn = std::min(lowestColumn, j);
      highestColumn = std::max(highestColumn, j);
      // Rows 35, 36 and 105 would never move: no sand is put there.
      EXPECT_TRUE(i >= 37 && i <= 104) << i;
    }
  }
  // Settled onto the bottom of the glass, then turned over: nothing is below
  // the neck. The lowest blocks let grains drop into the frame's column 10,
  // where they rest hidden; turned over that is column 130.
  EXPECT_EQ(highestColumn, 130);
  EXPECT_GE(lowestColumn, sandNeckColumn);
  // The frame: columns 0..10 and 130..139 are wall in every row.
  for (int i = 0; i < sandGridSize; ++i) {
    EXPECT_TRUE(sandGrid.wall[i][10] != 0 && sandGrid.wall[i][130] != 0 && sandGrid.wall[i][0] != 0);
  }

  for (int step = 0; step < 1000; ++step) sandStep();
  EXPECT_EQ(grainCount(), grains);
  // By now sand has run through the neck into the lower bulb.
  int below = 0;
  for (int i = 0; i < sandGridSize; ++i) {
    for (int j = 11; j < sandNeckColumn; ++j) below += sandGrid.sand[i][j];
  }
  EXPECT_GT(below, 0);
}

TEST_F(SandTest, StateAfterSetUpAndTwoHundredStepsMatchesTheRecordedFingerprint) {
  buildHourglass();
  for (int step = 0; step < 200; ++step) sandStep();
  StateHash hash;
  hash.add(sandGrid.sand);
  hash.add(sandGrid.wall);
  hash.add(sandGrid.redOffset);
  hash.add(sandGrid.greenOffset);
  hash.add(sandGrid.blueOffset);
  hash.add(sandGrid.stepCounter);
  hash.add(demoRandState());
  EXPECT_EQ(hash.value, 5624423995780192353u);
}

}  // namespace

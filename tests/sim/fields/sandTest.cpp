// The falling-sand automaton and the hourglass its set-up builds.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "platform/random.h"
#include "sim/fields/sand.h"
#include "tests/support/stateHash.h"

namespace {

class SandTest : public testing::Test {
 protected:
  void SetUp() override { sandGrid = {}, resetDemoRand(); }
};

int grainCount() { return static_cast<int>(std::count(&sandGrid.sand[0][0], &sandGrid.sand[0][0] + 140 * 140, 1)); }

using Cells = std::initializer_list<std::pair<int, int>>;
// Grains at the given cells, one step (the first: odd parity, blocks of
// columns 99 and 100, rows 50 and 51); true if no grain is lost and the
// listed cells are full.
bool afterOneStep(Cells grains, Cells full) {
  sandGrid = {};
  for (const auto& [i, j] : grains) sandGrid.sand[i][j] = 1;
  sandStep();
  bool all = grainCount() == static_cast<int>(grains.size());
  for (const auto& [i, j] : full) all = all && sandGrid.sand[i][j] == 1;
  return all;
}

TEST_F(SandTest, GrainsFallSlideAndHesitate) {
  // A lone grain falls one cell per step, under both parities, drawing nothing.
  sandGrid.sand[51][100] = 1;
  for (int step = 1; step <= 4; ++step) sandStep();
  EXPECT_EQ(sandGrid.sand[51][96], 1);
  EXPECT_EQ(demoRandDraws(), 0u);
  // A grain on a grain slides diagonally, either way.
  EXPECT_TRUE(afterOneStep({{50, 100}, {50, 99}}, {{50, 99}, {51, 99}}));
  EXPECT_TRUE(afterOneStep({{51, 100}, {51, 99}}, {{50, 99}, {51, 99}}));
  // A wall in an upper cell holds the block, empty lower cells or not.
  sandGrid = {};
  sandGrid.wall[50][100] = sandGrid.sand[51][100] = 1;
  sandStep();
  EXPECT_EQ(sandGrid.sand[51][100], 1);
  // A pair over two free cells falls if 0.3 u2 < u1, u1 drawn first:
  // (41, 18467) and (6334, 26500) wait, (19169, 15724) falls.
  for (int stays : {1, 1, 0}) {
    EXPECT_TRUE(afterOneStep({{50, 100}, {51, 100}}, {{50, 99 + stays}, {51, 99 + stays}}));
  }
  // P(0.3 u2 < u1) = 1 - 0.3 / 2 = 0.85; binomial sd over 4000 pairs 22.6.
  int falls = 0;
  for (int trial = 0; trial < 4000; ++trial) falls += afterOneStep({{50, 100}, {51, 100}}, {{50, 99}, {51, 99}});
  EXPECT_NEAR(falls, 3400, 4 * 22.6);
  EXPECT_EQ(demoRandDraws(), 2u * 4003);
}

TEST_F(SandTest, GlassOpeningsAndColourDraws) {
  // v = c sin(95 - c degrees); rows strictly within 70 -+ v stay open, so c = 5
  // (v exactly 5) leaves rows 65 and 75 open. {c, first open row, last}.
  buildGlassWalls();
  const int openings[][3] = {{2, 69, 71},   {3, 68, 72},   {5, 65, 75},   {20, 51, 89},
                             {41, 37, 103}, {53, 35, 105}, {61, 36, 104}, {71, 42, 98}};
  for (const auto& [c, first, last] : openings) {
    for (int row = 0; row < sandGridSize; ++row) {
      const bool open = row >= first && row <= last;
      EXPECT_TRUE((sandGrid.wall[row][68 + c] == 0) == open && (sandGrid.wall[row][72 - c] == 0) == open) << c << " " << row;
    }
  }
  // Three draws per cell, row-major, red, green, blue: 41, 18467, 6334 for
  // cell (0, 0), 26500 for the red of cell (0, 1).
  paintGrainColours();
  EXPECT_EQ(demoRandDraws(), 3u * 140 * 140);
  EXPECT_FLOAT_EQ(sandGrid.redOffset[0][0], 41 / 32767.0f / 14.0f);
  EXPECT_FLOAT_EQ(sandGrid.greenOffset[0][0], 18467 / 32767.0f / 16.0f);
  EXPECT_FLOAT_EQ(sandGrid.blueOffset[0][0], 6334 / 32767.0f / 18.0f);
  EXPECT_FLOAT_EQ(sandGrid.redOffset[0][1], 26500 / 32767.0f / 14.0f);
}

TEST_F(SandTest, SetUpRebuildsTheUpperBulbAndGrainsLast) {
  // Whatever an earlier run left behind is rebuilt.
  std::fill(&sandGrid.sand[0][0], &sandGrid.sand[0][0] + 140 * 140, 1);
  sandGrid.wall[70][70] = 1;
  sandGrid.stepCounter = 57;
  buildHourglass();
  EXPECT_TRUE(sandGrid.stepCounter == 100 && sandGrid.wall[70][70] == 0);
  // The band, columns 70..109 (c = 2..41), keeps the open rows of each
  // column: 3 + 5 + ... + 67 grains.
  EXPECT_EQ(grainCount(), 1554);
  for (int step = 0; step < 1000; ++step) sandStep();
  EXPECT_EQ(grainCount(), 1554);
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

// The majority vote: the twisted rule, the in-place sweep, change ages, the
// random fill.
#include <gtest/gtest.h>

#include "effects/fields/vote.h"
#include "platform/random.h"
#include "tests/support/stateHash.h"

namespace {

class VoteTest : public ::testing::Test {
 protected:
  void SetUp() override { vote = {}, resetDemoRand(); }
  void TearDown() override { vote = {}, resetDemoRand(); }
};

TEST_F(VoteTest, FourOnesWinFiveLoseForEveryNeighbourhoodSum) {
  const int32_t expected[10] = {0, 0, 0, 0, 1, 0, 1, 1, 1, 1};
  // The ones fill the neighbourhood of (10, 10) in reading order, with the
  // cell itself among them (from a sum of 5) and without it.
  for (int withCell = 0; withCell <= 1; ++withCell) {
    for (int sum = 0; sum <= 8 + withCell; ++sum) {
      vote = {};
      for (int k = 0, placed = 0; placed < sum; ++k) {
        if (k == 4 && !withCell) continue;
        vote.state[9 + k / 3][9 + k % 3] = 1, ++placed;
      }
      EXPECT_EQ(voteRule(10, 10), expected[sum]) << sum << " " << withCell;
    }
  }
}

TEST_F(VoteTest, TheSweepSeesTheNewStateOfEarlierCells) {
  // (75, 75) counts three ones and clears; the next cell, (75, 76), then
  // counts three, not four, and stays 0; the pattern dies in one sweep.
  const std::pair<int, int> ones[] = {{75, 75}, {76, 75}, {76, 76}, {76, 77}};
  for (auto [i, j] : ones) vote.state[i][j] = 1;
  voteSweep();
  int left = 0;
  for (auto& row : vote.state) {
    for (int32_t cell : row) left += cell;
  }
  EXPECT_EQ(left, 0);
  for (auto [i, j] : ones) EXPECT_EQ(vote.changeAge[i][j], 14);
  EXPECT_EQ(vote.changeAge[75][76], 0);
}

TEST_F(VoteTest, ChangeAgesCountDownFromFourteen) {
  // A lone one clears in the first sweep and the grid then stays quiet.
  vote.state[40][60] = 1;
  voteSweep();
  EXPECT_EQ(vote.changeAge[40][60], 14);
  for (int sweep = 0; sweep < 13; ++sweep) voteSweep();
  EXPECT_EQ(vote.changeAge[40][60], 1);
  voteSweep();
  voteSweep();
  EXPECT_EQ(vote.changeAge[40][60], 0);
  // A cell that changes in every sweep stays at 14.
  for (int sweep = 0; sweep < 3; ++sweep) {
    vote.state[40][60] = 1;
    voteSweep();
    EXPECT_EQ(vote.changeAge[40][60], 14);
  }
}

TEST_F(VoteTest, TheFillDrawsOncePerCellAndTheBorderKeepsItsNoise) {
  voteFill();
  EXPECT_EQ(demoRandDraws(), 22500u);
  // Draws 41 and 18467 against 0.5 * 32767 = 16383.5.
  EXPECT_EQ(vote.state[0][0] * 10 + vote.state[0][1], 10);
  const VoteState start = vote;
  for (int sweep = 0; sweep < 20; ++sweep) voteSweep();
  for (int k = 0; k < voteSize; ++k) {
    for (auto [i, j] : {std::pair{0, k}, {149, k}, {k, 0}, {k, 149}}) {
      EXPECT_EQ(vote.state[i][j], start.state[i][j]);
      EXPECT_EQ(vote.changeAge[i][j], 0);
    }
  }
  // The state after 20 sweeps from a fresh generator, as last known good.
  StateHash hash;
  hash.add(vote.state);
  hash.add(vote.changeAge);
  EXPECT_EQ(hash.value, 6989782934348870299u);
}

}  // namespace

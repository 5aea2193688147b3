// The majority vote: the twisted rule, the in-place sweep, change ages, the
// random fill.
#include <gtest/gtest.h>

#include <cstring>
#include <numeric>
#include <vector>

#include "platform/random.h"
#include "sim/fields/vote.h"
#include "tests/support/stateHash.h"

namespace {

class VoteTest : public testing::Test {
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
        if (k != 4 || withCell) vote.state[9 + k / 3][9 + k % 3] = 1, ++placed;
      }
      EXPECT_EQ(voteRule(10, 10), expected[sum]) << sum << " " << withCell;
    }
  }
}

TEST_F(VoteTest, TheSweepSeesTheNewStateOfEarlierCellsAndAgesChanges) {
  // (75, 75) counts three ones and clears; the next cell, (75, 76), then
  // counts three, not four, and stays 0; the pattern dies in one sweep.
  for (auto [i, j] : {std::pair{75, 75}, {76, 75}, {76, 76}, {76, 77}}) vote.state[i][j] = 1;
  voteSweep();
  EXPECT_EQ(std::accumulate(&vote.state[0][0], &vote.state[0][0] + voteSize * voteSize, 0), 0);
  EXPECT_TRUE(vote.changeAge[75][75] == 14 && vote.changeAge[76][77] == 14 && vote.changeAge[75][76] == 0);
  // A cell set 14 times counts down to 0 over 14 quiet sweeps, and one that
  // changes in every sweep stays at 14.
  for (int sweep = 1; sweep <= 14; ++sweep) {
    voteSweep();
    EXPECT_EQ(vote.changeAge[75][75], 14 - sweep);
  }
  vote.state[75][75] = 1;
  voteSweep();
  EXPECT_EQ(vote.changeAge[75][75], 14);
}

TEST_F(VoteTest, TheFillDrawsOncePerCellAndTheBorderKeepsItsNoise) {
  voteFill();
  EXPECT_EQ(demoRandDraws(), 22500u);
  const VoteState start = vote;
  for (int sweep = 0; sweep < 20; ++sweep) voteSweep();
  for (int k = 0; k < voteSize; ++k) {
    for (auto [i, j] : {std::pair{0, k}, {149, k}, {k, 0}, {k, 149}}) {
      EXPECT_TRUE(vote.state[i][j] == start.state[i][j] && vote.changeAge[i][j] == 0) << i << ", " << j;
    }
  }
  // The state after 20 sweeps from a fresh generator, as last known good.
  StateHash hash;
  hash.add(vote.state);
  hash.add(vote.changeAge);
  EXPECT_EQ(hash.value, 6989782934348870299u);
}

// The refills make no draws: the grid takes the fill's noise again, shifted
// by (37, 71) cells a round with wrap-around. The noise is worked out from
// the shared generator's recurrence (state * 214013 + 2531011, draw = bits
// 16..30), not read back from the fill.
TEST_F(VoteTest, RefillsReuseTheFillsDrawsShiftedAndDrawNothing) {
  std::vector<int32_t> noise;
  uint32_t lcg = 1;
  for (int k = 0; k < voteSize * voteSize; ++k) {
    lcg = lcg * 214013u + 2531011u;
    noise.push_back(static_cast<float>((lcg >> 16) & 0x7FFF) / 32767.0f <= 0.5f ? 1 : 0);
  }
  voteFill();
  for (int sweep = 0; sweep < 5; ++sweep) voteSweep();
  const VoteState swept = vote;
  for (const int round : {1, 2}) {
    voteRefill(round);
    EXPECT_EQ(demoRandDraws(), 22500u);
    for (auto [i, j] : {std::pair{0, 0}, {112, 78}, {113, 79}, {149, 149}, {3, 140}, {76, 8}}) {
      const int si = (i + 37 * round) % 150;
      const int sj = (j + 71 * round) % 150;
      EXPECT_EQ(vote.state[i][j], noise[static_cast<size_t>(si * 150 + sj)]) << round << ": " << i << ", " << j;
    }
    int same = 0;
    for (int i = 0; i < voteSize; ++i) {
      for (int j = 0; j < voteSize; ++j) same += vote.state[i][j] == noise[static_cast<size_t>(i * 150 + j)];
    }
    // Independent noise agrees with the first in about half the cells.
    EXPECT_NEAR(same, 11250, 600) << round;
    EXPECT_EQ(std::memcmp(vote.changeAge, swept.changeAge, sizeof vote.changeAge), 0);
  }
}

}  // namespace

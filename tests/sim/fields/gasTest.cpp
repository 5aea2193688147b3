// The lattice gas: collisions, walls, streaming, the set-up's walls and fill,
// and the colour of a cell.
#include <gtest/gtest.h>

#include <array>

#include "platform/random.h"
#include "sim/fields/gas.h"
#include "tests/support/stateHash.h"

namespace {

using Slots = std::array<int32_t, 4>;
constexpr int32_t R = gasRed;
constexpr int32_t B = gasBlue;
// Where slot s heads: row - 1, column + 1, row + 1, column - 1.
constexpr int rowStep[4] = {-1, 0, 1, 0};
constexpr int columnStep[4] = {0, 1, 0, -1};

class GasTest : public testing::Test {
 protected:
  void SetUp() override { gas = {}, resetDemoRand(); }
  void TearDown() override { gas = {}, resetDemoRand(); }
};

Slots at(int i, int j) { return {gas.particle[i][j][0], gas.particle[i][j][1], gas.particle[i][j][2], gas.particle[i][j][3]}; }
// Slots holding the value, over the whole grid or over open cells only.
int count(int32_t value, bool openOnly = false) {
  int n = 0;
  for (int i = 0; i < gasSize; ++i) {
    for (int j = 0; j < gasSize; ++j) {
      for (int32_t slot : gas.particle[i][j]) n += slot == value && !(openOnly && gas.wall[i][j]) ? 1 : 0;
    }
  }
  return n;
}

TEST_F(GasTest, HeadOnPairsScatterSidewaysOthersPassAndWallsPreventIt) {
  // {slots before, a wall at (i + di, j + dj) or none, slots after}.
  struct Case { Slots before; int di, dj; Slots after; };
  const Case cases[] = {{{R, 0, B, 0}, 0, 0, {0, R, 0, B}}, {{0, B, 0, R}, 0, 0, {B, 0, R, 0}},
                        {{R, 0, B, 0}, -1, -1, {0, R, 0, B}},  // a diagonal wall does not count
                        {{R, 0, B, 0}, 0, 1, {R, 0, B, 0}},    // beside a wall: no collision
                        {{1, 1, 1, 0}, 0, 0, {1, 1, 1, 0}}, {{0, 2, 1, 1}, 0, 0, {0, 2, 1, 1}},
                        {{1, 1, 0, 0}, 0, 0, {1, 1, 0, 0}}, {{0, 0, 2, 2}, 0, 0, {0, 0, 2, 2}},
                        {{1, 2, 1, 2}, 0, 0, {1, 2, 1, 2}}, {{0, 1, 0, 0}, 0, 0, {0, 1, 0, 0}}};
  for (const Case& c : cases) {
    gas = {};
    std::copy(c.before.begin(), c.before.end(), gas.particle[75][75]);
    if (c.di != 0 || c.dj != 0) gas.wall[75 + c.di][75 + c.dj] = 1;
    gasCollide();
    EXPECT_EQ(at(75, 75), c.after) << &c - cases;
  }
}

TEST_F(GasTest, AParticleAtAWallReversesAndLandsOneCellBackThenStreamsOn) {
  for (int slot = 0; slot < 4; ++slot) {
    gas = {};
    const int i = 40 + 20 * slot, j = 75, di = rowStep[slot], dj = columnStep[slot];
    gas.wall[i + di][j + dj] = 1;
    gas.particle[i][j][slot] = B;
    gasCollide();
    EXPECT_EQ(at(i, j), Slots{}) << slot;
    EXPECT_EQ(gas.particle[i - di][j - dj][(slot + 2) % 4], B) << slot;
    gasStream();
    EXPECT_EQ(count(B), 1) << slot;
    EXPECT_EQ(gas.particle[i - 2 * di][j - 2 * dj][(slot + 2) % 4], B) << slot;
  }
}

TEST_F(GasTest, StreamingMovesEveryParticleExactlyOneCell) {
  // {i, j, slot}: from the middle and the first and last sending rows and
  // columns. Where the cell upstream of the source lies on the border it
  // never sends, so the source keeps its copy (the last four).
  const int moves[][3] = {{75, 75, 0},  {75, 75, 2},  {75, 75, 1},    {75, 75, 3},    {1, 30, 0},  {148, 30, 2},
                          {30, 148, 1}, {30, 1, 3},   {148, 148, 0},  {1, 1, 2},      {1, 1, 1},   {148, 148, 3}};
  for (int k = 0; k < 12; ++k) {
    const auto [i, j, slot] = moves[k];
    gas = {};
    gas.particle[i][j][slot] = B;
    gasStream();
    EXPECT_EQ(gas.particle[i + rowStep[slot]][j + columnStep[slot]][slot], B) << k;
    EXPECT_EQ(count(B), k < 8 ? 1 : 2) << k;
  }
  // Wall cells never send: a wall behind a wall keeps what it holds.
  gas = {};
  gas.wall[49][50] = gas.wall[50][50] = 1;
  gas.particle[50][50][2] = R;
  gasStream();
  EXPECT_TRUE(count(R) == 1 && gas.particle[50][50][2] == R);
}

TEST_F(GasTest, SetUpBuildsFrameAndBoxAndTheHolesOpenWhereTheyShould) {
  auto walls = [] { return std::count(&gas.wall[0][0], &gas.wall[0][0] + gasSize * gasSize, 1); };
  gasSetUp();
  // Frame: rows 0, 1, 149 (450) and columns 0, 1, 149 of rows 2..148 (441).
  // Box: four rows of 76 and four columns of 50, sharing (50, 21); its
  // corners stay open.
  EXPECT_EQ(walls(), 891 + 503);
  EXPECT_EQ(gas.wall[2][2] + gas.wall[148][148] + gas.wall[49][20] + gas.wall[101][98], 0);
  gasOpenHoles();
  gasOpenHoles();
  EXPECT_EQ(walls(), 891 + 503 - 44);
  for (int j = 25; j <= 70; ++j) {
    EXPECT_EQ(gas.wall[49][j] + gas.wall[50][j], j >= 54 && j <= 64 ? 0 : 2) << j;
    EXPECT_EQ(gas.wall[100][j] + gas.wall[101][j], j >= 29 && j <= 39 ? 0 : 2) << j;
  }
}

TEST_F(GasTest, TheFillDrawsFourTimesPerQualifyingCellInOrder) {
  gasSetUp();
  // Red: rows 52..98 x columns 37..95 in the box (2773 cells) and rows
  // 50..99 x columns 100..112 beside it (650). Blue: rows 3..36 and 113..147
  // x columns 3..147 (69 x 145 = 10005).
  EXPECT_EQ(demoRandDraws(), 4u * (2773 + 650 + 10005));
  // The first qualifying cell is (50, 100): draws 41, 18467, 6334, 26500
  // against 0.375 * 32767 = 12287.6; then (50, 101): 19169, 15724, 11478,
  // 29358. Cell (51, 40), beside the box's wall, is left alone.
  EXPECT_EQ(at(50, 100), (Slots{R, 0, R, 0}));
  EXPECT_EQ(at(50, 101), (Slots{0, 0, R, 0}));
  EXPECT_EQ(at(51, 40), Slots{});
}

TEST_F(GasTest, CellColourReadsTheOutgoingSlotsAndPrefersRed) {
  gas.particle[76][75][0] = R;  // incoming, not outgoing
  gas.particle[76][75][2] = B;
  EXPECT_EQ(gasCellColour(75, 75), GasColour::Blue);
  gas.particle[75][74][3] = R;
  EXPECT_EQ(gasCellColour(75, 75), GasColour::Red);
  gas.wall[75][75] = 1;
  EXPECT_EQ(gasCellColour(75, 75), GasColour::Wall);
  // Border cells of a grid without walls read nothing beyond it.
  EXPECT_EQ(gasCellColour(0, 0), GasColour::Empty);
  EXPECT_EQ(gasCellColour(149, 149), GasColour::Empty);
}

TEST_F(GasTest, ParticlesAreConservedAndTheRunIsReproducible) {
  gasSetUp();
  gasOpenHoles();
  const int red = count(R, true), blue = count(B, true);
  for (int step = 0; step < 300; ++step) gasCollide(), gasStream();
  EXPECT_EQ(count(R, true), red);
  EXPECT_EQ(count(B, true), blue);
  // The state after 300 steps from a fresh generator, as last known good.
  StateHash hash;
  hash.add(gas.wall);
  hash.add(gas.particle);
  EXPECT_EQ(hash.value, 4918833868346343156u);
}

}  // namespace

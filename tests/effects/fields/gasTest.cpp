// The lattice gas: collisions, walls, streaming, the set-up's walls and fill,
// and the colour of a cell.
#include <gtest/gtest.h>

#include <array>

#include "effects/fields/gas.h"
#include "platform/random.h"
#include "tests/support/stateHash.h"

namespace {

using Slots = std::array<int32_t, 4>;
constexpr int32_t R = gasRed;
constexpr int32_t B = gasBlue;

class GasTest : public ::testing::Test {
 protected:
  void SetUp() override { gas = {}, resetDemoRand(); }
  void TearDown() override { gas = {}, resetDemoRand(); }
  static Slots at(int i, int j) {
    const int32_t* c = gas.particle[i][j];
    return {c[0], c[1], c[2], c[3]};
  }
  static void put(int i, int j, Slots s) { std::copy(s.begin(), s.end(), gas.particle[i][j]); }
  // Slots holding the value, over the whole grid or over open cells only.
  static int count(int32_t value, bool openOnly = false) {
    int n = 0;
    for (int i = 0; i < gasSize; ++i) {
      for (int j = 0; j < gasSize; ++j) {
        for (int32_t slot : gas.particle[i][j]) n += slot == value && !(openOnly && gas.wall[i][j]) ? 1 : 0;
      }
    }
    return n;
  }
  static int particles() { return count(R) + count(B); }
};

TEST_F(GasTest, HeadOnPairsScatterSidewaysOthersPassAndWallsPreventIt) {
  put(75, 75, {R, 0, B, 0});  // along the rows: 0 -> 1, 2 -> 3
  put(40, 90, {0, B, 0, R});  // along the columns: 1 -> 0, 3 -> 2
  put(31, 30, {R, 0, B, 0});  // a wall on the diagonal does not count
  gas.wall[30][29] = 1;
  put(20, 20, {R, 0, B, 0});  // beside a wall across the columns: no collision
  gas.wall[20][21] = 1;
  const Slots passing[] = {{1, 1, 1, 0}, {0, 2, 1, 1}, {1, 1, 0, 0}, {0, 0, 2, 2}, {1, 2, 1, 2}, {0, 1, 0, 0}};
  for (int k = 0; k < 6; ++k) put(100, 10 + 10 * k, passing[k]);
  gasCollide();
  EXPECT_EQ(at(75, 75), (Slots{0, R, 0, B}));
  EXPECT_EQ(at(40, 90), (Slots{B, 0, R, 0}));
  EXPECT_EQ(at(31, 30), (Slots{0, R, 0, B}));
  EXPECT_EQ(at(20, 20), (Slots{R, 0, B, 0}));
  for (int k = 0; k < 6; ++k) EXPECT_EQ(at(100, 10 + 10 * k), passing[k]) << k;
}

TEST_F(GasTest, AParticleAtAWallReversesAndLandsOneCellBack) {
  gas.wall[80][75] = 1, put(79, 75, {0, 0, R, 0});    // heading to row + 1
  gas.wall[20][40] = 1, put(21, 40, {B, 0, 0, 0});    // to row - 1
  gas.wall[60][121] = 1, put(60, 120, {0, R, 0, 0});  // to column + 1
  gas.wall[110][9] = 1, put(110, 10, {0, 0, 0, B});   // to column - 1
  gasCollide();
  EXPECT_EQ(at(79, 75), Slots{});
  EXPECT_EQ(at(78, 75), (Slots{R, 0, 0, 0}));
  EXPECT_EQ(at(22, 40), (Slots{0, 0, B, 0}));
  EXPECT_EQ(at(60, 119), (Slots{0, 0, 0, R}));
  EXPECT_EQ(at(110, 11), (Slots{0, B, 0, 0}));
  // Streaming then carries each a further cell away from its wall.
  gasStream();
  EXPECT_EQ(particles(), 4);
  EXPECT_EQ(at(77, 75)[0] + at(23, 40)[2] + at(60, 118)[3] + at(110, 12)[1], R + B + R + B);
}

TEST_F(GasTest, StreamingMovesEveryParticleExactlyOneCell) {
  // {i, j, slot, to i, to j}; from the middle and the first and last sending
  // rows and columns. Where the cell upstream of the source lies on the
  // border it never sends, so the source keeps its copy.
  const int moves[][5] = {{75, 75, 0, 74, 75},  {75, 75, 2, 76, 75},   {75, 75, 1, 75, 76},   {75, 75, 3, 75, 74},
                          {1, 30, 0, 0, 30},    {148, 30, 2, 149, 30}, {30, 148, 1, 30, 149}, {30, 1, 3, 30, 0},
                          {148, 148, 0, 147, 148}, {1, 1, 2, 2, 1},    {1, 1, 1, 1, 2},       {148, 148, 3, 148, 147}};
  for (int k = 0; k < 12; ++k) {
    const int* m = moves[k];
    gas = {};
    gas.particle[m[0]][m[1]][m[2]] = B;
    gasStream();
    EXPECT_EQ(gas.particle[m[3]][m[4]][m[2]], B) << k;
    EXPECT_EQ(particles(), k < 8 ? 1 : 2) << k;
  }
  // Wall cells never send: a wall behind a wall keeps what it holds.
  gas = {};
  gas.wall[49][50] = gas.wall[50][50] = 1;
  gas.particle[50][50][2] = R;
  gasStream();
  EXPECT_EQ(particles(), 1);
  EXPECT_EQ(gas.particle[50][50][2], R);
}

TEST_F(GasTest, SetUpBuildsFrameAndBoxAndTheHolesOpenWhereTheyShould) {
  auto walls = [] {
    int n = 0;
    for (auto& row : gas.wall) {
      for (int32_t w : row) n += w;
    }
    return n;
  };
  gasSetUp();
  // Frame: rows 0, 1, 149 (450) and columns 0, 1, 149 of rows 2..148 (441).
  // Box: four rows of 76 and four columns of 50, sharing (50, 21).
  EXPECT_EQ(walls(), 891 + 503);
  EXPECT_EQ(gas.wall[2][2] + gas.wall[148][148] + gas.wall[49][20] + gas.wall[101][98], 0);  // box corners open
  EXPECT_EQ(gas.wall[49][21] + gas.wall[101][96] + gas.wall[50][20] + gas.wall[99][98], 4);
  gasOpenHoles();
  gasOpenHoles();
  EXPECT_EQ(walls(), 891 + 503 - 44);
  for (int j = 50; j <= 70; ++j) EXPECT_EQ(gas.wall[49][j] + gas.wall[50][j], j >= 54 && j <= 64 ? 0 : 2) << j;
  for (int j = 25; j <= 45; ++j) EXPECT_EQ(gas.wall[100][j] + gas.wall[101][j], j >= 29 && j <= 39 ? 0 : 2) << j;
  gasSetUp();
  EXPECT_EQ(walls(), 891 + 503);
}

TEST_F(GasTest, TheFillDrawsForQualifyingCellsOnlyInOrder) {
  // A marker in every slot shows which cells the fill touched.
  for (auto& row : gas.particle) {
    for (auto& cell : row) std::fill(cell, cell + 4, 7);
  }
  gasSetUp();
  // Red: rows 52..98 x columns 37..95 in the box (2773 cells) and rows
  // 50..99 x columns 100..112 beside it (650). Blue: rows 3..36 and 113..147
  // x columns 3..147 (69 x 145 = 10005). Four draws per cell.
  EXPECT_EQ(demoRandDraws(), 4u * (2773 + 650 + 10005));
  EXPECT_EQ(count(7), 4 * (gasSize * gasSize - 2773 - 650 - 10005));
  for (int i = 0; i < gasSize; ++i) {
    for (int j = 0; j < gasSize; ++j) {
      for (int32_t slot : gas.particle[i][j]) {
        ASSERT_TRUE(slot == 7 || slot == 0 || slot == (i >= 50 && i <= 99 ? R : B)) << i << "," << j;
      }
    }
  }
  EXPECT_EQ(at(51, 40), (Slots{7, 7, 7, 7}));
  // The first qualifying cell is (50, 100): draws 41, 18467, 6334, 26500
  // against 0.375 * 32767 = 12287.6; then (50, 101): 19169, 15724, 11478,
  // 29358.
  EXPECT_EQ(at(50, 100), (Slots{R, 0, R, 0}));
  EXPECT_EQ(at(50, 101), (Slots{0, 0, R, 0}));
}

TEST_F(GasTest, CellColourReadsTheOutgoingSlotsAndPrefersRed) {
  EXPECT_EQ(gasCellColour(75, 75), GasColour::Empty);
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
  const int red = count(R, true);
  const int blue = count(B, true);
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

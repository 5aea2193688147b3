// The lattice gas: collisions, walls, streaming, the set-up's walls and fill,
// and the colour of a cell.
#include <gtest/gtest.h>

#include <array>

#include "effects/fields/gas.h"
#include "platform/random.h"
#include "tests/support/stateHash.h"

namespace {

using Slots = std::array<int32_t, 4>;

class GasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gas = {};
    resetDemoRand();
  }
  void TearDown() override {
    gas = {};
    resetDemoRand();
  }
  static Slots slots(int i, int j) {
    const int32_t* c = gas.particle[i][j];
    return {c[0], c[1], c[2], c[3]};
  }
  static void put(int i, int j, Slots s) {
    for (int k = 0; k < 4; ++k) gas.particle[i][j][k] = s[k];
  }
  // Every particle slot in the grid that is not empty.
  static int occupied() {
    int count = 0;
    for (auto& row : gas.particle) {
      for (auto& cell : row) {
        for (int32_t slot : cell) count += slot != gasEmpty ? 1 : 0;
      }
    }
    return count;
  }
};

TEST_F(GasTest, HeadOnPairsScatterSidewaysKeepingTheirColours) {
  // Along the rows: slot 0 goes to slot 1, slot 2 to slot 3.
  put(75, 75, {gasRed, 0, gasBlue, 0});
  // Along the columns: slot 1 goes to slot 0, slot 3 to slot 2.
  put(40, 90, {0, gasBlue, 0, gasRed});
  gasCollide();
  EXPECT_EQ(slots(75, 75), (Slots{0, gasRed, 0, gasBlue}));
  EXPECT_EQ(slots(40, 90), (Slots{gasBlue, 0, gasRed, 0}));
}

TEST_F(GasTest, ThreeParticlesRightAnglePairsAndFullCellsPassUnchanged) {
  const Slots cases[] = {{1, 1, 1, 0}, {0, 2, 1, 1}, {1, 1, 0, 0}, {0, 0, 2, 2}, {1, 2, 1, 2}, {0, 1, 0, 0}};
  for (const Slots& s : cases) {
    put(60, 60, s);
    gasCollide();
    EXPECT_EQ(slots(60, 60), s);
  }
}

TEST_F(GasTest, ACellBesideAWallNeverCollides) {
  // The wall is across the columns, so nothing heads into it.
  gas.wall[75][76] = 1;
  put(75, 75, {gasRed, 0, gasBlue, 0});
  gas.wall[30][29] = 1;
  put(31, 30, {gasRed, 0, gasBlue, 0});
  gas.wall[99][100] = 1;
  put(100, 100, {0, gasRed, 0, gasBlue});
  gasCollide();
  EXPECT_EQ(slots(75, 75), (Slots{gasRed, 0, gasBlue, 0}));
  // A wall on the diagonal does not count.
  EXPECT_EQ(slots(31, 30), (Slots{0, gasRed, 0, gasBlue}));
  EXPECT_EQ(slots(100, 100), (Slots{0, gasRed, 0, gasBlue}));
}

TEST_F(GasTest, AParticleAtAWallReversesAndLandsOneCellBack) {
  gas.wall[80][75] = 1;  // heading to row + 1
  put(79, 75, {0, 0, gasRed, 0});
  gas.wall[20][40] = 1;  // heading to row - 1
  put(21, 40, {gasBlue, 0, 0, 0});
  gas.wall[60][121] = 1;  // heading to column + 1
  put(60, 120, {0, gasRed, 0, 0});
  gas.wall[110][9] = 1;  // heading to column - 1
  put(110, 10, {0, 0, 0, gasBlue});
  gasCollide();
  EXPECT_EQ(slots(79, 75), (Slots{}));
  EXPECT_EQ(slots(78, 75), (Slots{gasRed, 0, 0, 0}));
  EXPECT_EQ(slots(22, 40), (Slots{0, 0, gasBlue, 0}));
  EXPECT_EQ(slots(60, 119), (Slots{0, 0, 0, gasRed}));
  EXPECT_EQ(slots(110, 11), (Slots{0, gasBlue, 0, 0}));
  // Streaming then carries each one a further cell away from its wall.
  gasStream();
  EXPECT_EQ(occupied(), 4);
  EXPECT_EQ(gas.particle[77][75][gasToRowDown], gasRed);
  EXPECT_EQ(gas.particle[23][40][gasToRowUp], gasBlue);
  EXPECT_EQ(gas.particle[60][118][gasToColumnDown], gasRed);
  EXPECT_EQ(gas.particle[110][12][gasToColumnUp], gasBlue);
}

TEST_F(GasTest, StreamingMovesEveryParticleExactlyOneCell) {
  struct Move {
    int i, j, slot, toI, toJ;
    // The cell upstream of the source does not send (it lies on the grid's
    // border), so the source keeps its copy.
    bool sourceKeeps;
  };
  // In the middle and from the first and last sending rows and columns.
  const Move moves[] = {
      {75, 75, gasToRowDown, 74, 75, false},     {75, 75, gasToRowUp, 76, 75, false},
      {75, 75, gasToColumnUp, 75, 76, false},    {75, 75, gasToColumnDown, 75, 74, false},
      {1, 30, gasToRowDown, 0, 30, false},       {148, 30, gasToRowUp, 149, 30, false},
      {30, 148, gasToColumnUp, 30, 149, false},  {30, 1, gasToColumnDown, 30, 0, false},
      {148, 148, gasToRowDown, 147, 148, true},  {1, 1, gasToRowUp, 2, 1, true},
      {1, 1, gasToColumnUp, 1, 2, true},         {148, 148, gasToColumnDown, 148, 147, true},
  };
  for (const Move& m : moves) {
    gas = {};
    gas.particle[m.i][m.j][m.slot] = gasBlue;
    gasStream();
    EXPECT_EQ(occupied(), m.sourceKeeps ? 2 : 1) << m.i << "," << m.j << " slot " << m.slot;
    EXPECT_EQ(gas.particle[m.toI][m.toJ][m.slot], gasBlue) << m.i << "," << m.j << " slot " << m.slot;
  }
  // Wall cells never send; a wall behind a wall keeps what it holds.
  gas = {};
  gas.wall[49][50] = 1;
  gas.wall[50][50] = 1;
  gas.particle[50][50][gasToRowUp] = gasRed;
  gasStream();
  EXPECT_EQ(occupied(), 1);
  EXPECT_EQ(gas.particle[50][50][gasToRowUp], gasRed);
}

TEST_F(GasTest, SetUpBuildsTheFrameAndTheBoxAndOpenHolesTheTwoGaps) {
  gasSetUp();
  auto wallCount = [] {
    int count = 0;
    for (auto& row : gas.wall) {
      for (int32_t w : row) count += w;
    }
    return count;
  };
  // Frame: rows 0, 1, 149 (450 cells) and columns 0, 1, 149 of rows 2..148
  // (441). Box: four rows of 76 and four columns of 50, sharing (50, 21).
  EXPECT_EQ(wallCount(), 891 + 503);
  for (int k : {0, 75, 149}) {
    for (int edge : {0, 1, 149}) EXPECT_EQ(gas.wall[edge][k] + gas.wall[k][edge], 2) << k << " " << edge;
  }
  EXPECT_EQ(gas.wall[2][2] + gas.wall[148][148], 0);
  for (int row : {49, 50, 100, 101}) {
    EXPECT_EQ(gas.wall[row][21] + gas.wall[row][96], 2) << row;
  }
  for (int column : {20, 21, 97, 98}) EXPECT_EQ(gas.wall[50][column] + gas.wall[99][column], 2) << column;
  // The box's corners stay open.
  EXPECT_EQ(gas.wall[49][20] + gas.wall[101][20] + gas.wall[49][98] + gas.wall[101][98], 0);

  gasOpenHoles();
  EXPECT_EQ(wallCount(), 891 + 503 - 44);
  for (int row : {49, 50}) {
    EXPECT_EQ(gas.wall[row][53] + gas.wall[row][65], 2);
    for (int j = 54; j <= 64; ++j) EXPECT_EQ(gas.wall[row][j], 0);
  }
  for (int row : {100, 101}) {
    EXPECT_EQ(gas.wall[row][28] + gas.wall[row][40], 2);
    for (int j = 29; j <= 39; ++j) EXPECT_EQ(gas.wall[row][j], 0);
  }
  gasOpenHoles();
  EXPECT_EQ(wallCount(), 891 + 503 - 44);
  // A new set-up closes them again.
  gasSetUp();
  EXPECT_EQ(wallCount(), 891 + 503);
}

TEST_F(GasTest, TheFillDrawsForQualifyingCellsOnlyInOrder) {
  // A marker in every slot shows which cells the fill touched.
  for (auto& row : gas.particle) {
    for (auto& cell : row) {
      for (int32_t& slot : cell) slot = 7;
    }
  }
  gasSetUp();
  // Red: rows 52..98 x columns 37..95 inside the box (2773 cells) and rows
  // 50..99 x columns 100..112 beside it (650). Blue: rows 3..36 and 113..147
  // x columns 3..147 (69 x 145 = 10005). Four draws per cell.
  EXPECT_EQ(demoRandDraws(), 4u * (2773 + 650 + 10005));
  int red = 0;
  int blue = 0;
  for (int i = 0; i < gasSize; ++i) {
    for (int j = 0; j < gasSize; ++j) {
      if (slots(i, j) == Slots{7, 7, 7, 7}) continue;
      const bool inRed = i >= 50 && i <= 99;
      (inRed ? red : blue) += 1;
      for (int32_t slot : slots(i, j)) EXPECT_TRUE(slot == gasEmpty || slot == (inRed ? gasRed : gasBlue));
    }
  }
  EXPECT_EQ(red, 3423);
  EXPECT_EQ(blue, 10005);
  EXPECT_EQ(slots(51, 40), (Slots{7, 7, 7, 7}));
  // The first qualifying cell is (50, 100): draws 41, 18467, 6334, 26500
  // against 0.375 * 32767 = 12287.6; then (50, 101): 19169, 15724, 11478,
  // 29358.
  EXPECT_EQ(slots(50, 100), (Slots{gasRed, 0, gasRed, 0}));
  EXPECT_EQ(slots(50, 101), (Slots{0, 0, gasRed, 0}));
}

TEST_F(GasTest, CellColourPrefersRedAndReadsTheOutgoingSlots) {
  EXPECT_EQ(gasCellColour(75, 75), GasColour::Empty);
  gas.particle[76][75][gasToRowUp] = gasBlue;
  EXPECT_EQ(gasCellColour(75, 75), GasColour::Blue);
  gas.particle[75][74][gasToColumnDown] = gasRed;
  EXPECT_EQ(gasCellColour(75, 75), GasColour::Red);
  gas.particle[74][75][gasToRowDown] = gasBlue;
  gas.particle[75][76][gasToColumnUp] = gasBlue;
  EXPECT_EQ(gasCellColour(75, 75), GasColour::Red);
  // An incoming particle (slot 0 of the cell at row + 1) does not count.
  gas = {};
  gas.particle[76][75][gasToRowDown] = gasRed;
  EXPECT_EQ(gasCellColour(75, 75), GasColour::Empty);
  gas.wall[75][75] = 1;
  EXPECT_EQ(gasCellColour(75, 75), GasColour::Wall);
  // Border cells of a grid without walls read nothing beyond it.
  EXPECT_EQ(gasCellColour(0, 0), GasColour::Empty);
  EXPECT_EQ(gasCellColour(149, 149), GasColour::Empty);
}

TEST_F(GasTest, ParticlesAreConservedAndTheRunIsReproducible) {
  gasSetUp();
  gasOpenHoles();
  auto count = [](int32_t colour) {
    int n = 0;
    for (int i = 0; i < gasSize; ++i) {
      for (int j = 0; j < gasSize; ++j) {
        for (int32_t slot : gas.particle[i][j]) n += gas.wall[i][j] == 0 && slot == colour ? 1 : 0;
      }
    }
    return n;
  };
  const int red = count(gasRed);
  const int blue = count(gasBlue);
  for (int step = 0; step < 300; ++step) {
    gasCollide();
    gasStream();
  }
  EXPECT_EQ(count(gasRed), red);
  EXPECT_EQ(count(gasBlue), blue);
  // The state after 300 steps from a fresh generator, as last known good.
  StateHash hash;
  hash.add(gas.wall);
  hash.add(gas.particle);
  EXPECT_EQ(hash.value, 4918833868346343156u);
}

}  // namespace

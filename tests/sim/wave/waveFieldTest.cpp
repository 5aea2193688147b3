// The ripple tank against its layout, hand-worked steps and the speed the
// wave equation gives.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "sim/wave/waveField.h"
#include "tests/support/stateHash.h"

namespace {

class WaveFieldTest : public testing::Test {
 protected:
  void SetUp() override { field = {}; }
  WaveField field;
};

// A field without walls or sources.
void clearWalls(WaveField& f) {
  for (auto& row : f.flags) row.fill(CellOrdinary);
}

std::vector<double> stepsOfFrame(int32_t frameMs) {
  std::vector<double> steps;
  forEachWaveStep(waveFrameTime(frameMs), [&](double dt) { steps.push_back(dt); });
  return steps;
}

TEST_F(WaveFieldTest, SlitsSourceAndSpacing) {
  // {row, column, flags}: the single slit is rows 34..36 of column 30, the
  // double slit rows 26..27 and 43..44 of column 55.
  struct Cell { int i, j, flags; };
  const Cell cells[] = {{0, 30, 3},  {33, 30, 3}, {34, 30, 1}, {36, 30, 1}, {37, 30, 3}, {70, 30, 3},
                        {25, 55, 3}, {26, 55, 1}, {27, 55, 1}, {28, 55, 3}, {42, 55, 3}, {43, 55, 1},
                        {44, 55, 1}, {45, 55, 3}, {70, 55, 3}, {34, 16, 5}, {35, 17, 5}, {33, 16, 1},
                        {34, 18, 1}, {35, 29, 1}, {35, 31, 1}};
  for (const Cell& c : cells) EXPECT_EQ(field.flags[c.i][c.j], c.flags) << c.i << ", " << c.j;
  int walls = 0, sources = 0;
  for (const auto& row : field.flags) {
    for (int32_t f : row) walls += (f & CellWall) ? 1 : 0, sources += (f & CellSource) ? 1 : 0;
  }
  EXPECT_EQ(walls, (71 - 3) + (71 - 4));
  EXPECT_EQ(sources, 4);
  EXPECT_NEAR(field.h, 22.2222, 1e-4);
  EXPECT_NEAR(field.h * field.h, 493.827, 1e-3);
}

TEST_F(WaveFieldTest, FramesSplitIntoStepsOfAtMostHalfAUnit) {
  EXPECT_EQ(stepsOfFrame(40), (std::vector<double>{0.5, 0.5}));
  const std::vector<double> steps = stepsOfFrame(41);
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_EQ(steps[0] + steps[1], 1.0);
  EXPECT_NEAR(steps[2], 0.025, 1e-12);
  EXPECT_EQ(stepsOfFrame(0), std::vector<double>{0.0});  // one step of no length
  ASSERT_EQ(stepsOfFrame(17).size(), 1u);
  EXPECT_NEAR(stepsOfFrame(17)[0], 0.425, 1e-12);
  EXPECT_EQ(stepsOfFrame(1000).size(), 50u);
}

TEST_F(WaveFieldTest, OneStepFromASingleRaisedCell) {
  // v += 2 dt (0.667 L4 + 0.333 LX) / h^2, then u += dt v.
  clearWalls(field);
  field.u[35][35] = 1.0f;
  waveStep(field, 0.0f, 0.5);
  const double h2 = static_cast<double>(field.h) * field.h;
  EXPECT_FLOAT_EQ(field.v[35][35], static_cast<float>(-4.0 / h2));
  EXPECT_FLOAT_EQ(field.u[35][35], static_cast<float>(1.0 - 2.0 / h2));
  for (auto [i, j] : {std::pair{34, 35}, {36, 35}, {35, 34}, {35, 36}}) {
    EXPECT_FLOAT_EQ(field.v[i][j], static_cast<float>(0.667 / h2)) << i << ", " << j;
  }
  for (auto [i, j] : {std::pair{34, 34}, {36, 36}, {34, 36}, {36, 34}}) {
    EXPECT_FLOAT_EQ(field.u[i][j], static_cast<float>(0.5 * 0.333 / h2)) << i << ", " << j;
  }
  EXPECT_EQ(field.v[33][35], 0.0f);
}

TEST_F(WaveFieldTest, SourceSwingsWithAmplitudeOneTenthAndBorderAndWallsStayAtRest) {
  float phase = 0.0f;
  float highest = 0.0f;
  for (int n = 0; n < 3000; ++n) {
    phase += 0.01f;
    waveStep(field, phase, 0.5);
    ASSERT_EQ(field.u[34][16], static_cast<float>(0.1 * std::sin(static_cast<double>(phase))));
    highest = std::max(highest, field.u[35][17]);
  }
  EXPECT_NEAR(highest, 0.1f, 1e-5f);
  // The three-cell border and the walls hold still; the tank beyond the
  // double slit has been reached.
  for (int i = 0; i < waveGridSize; ++i) {
    for (int k : {0, 1, 2, 68, 69, 70}) {
      ASSERT_TRUE(field.u[i][k] == 0 && field.v[i][k] == 0 && field.u[k][i] == 0 && field.v[k][i] == 0) << i;
    }
    for (int j : {30, 55}) {
      const bool still = field.u[i][j] == 0 && field.v[i][j] == 0;
      ASSERT_TRUE(still || !(field.flags[i][j] & CellWall)) << i << ", " << j;
    }
  }
  EXPECT_GT(std::abs(field.u[35][62]) + std::abs(field.u[20][60]), 1e-4f);
}

TEST_F(WaveFieldTest, CornersTouchingAWallLieOnTheFloor) {
  for (auto& row : field.u) row.fill(0.25f);
  // Cell (10, 30) is a wall: its four corners (10..11, 30..31) lie at 0.
  for (auto [a, b] : {std::pair{10, 30}, {11, 30}, {10, 31}, {11, 31}, {34, 31}, {37, 31}}) {
    EXPECT_EQ(waveCornerHeight(field, a, b), 0.0f) << a << ", " << b;
  }
  // Beside the slit and in the open: half the sum of four cells.
  EXPECT_EQ(waveCornerHeight(field, 35, 31), 0.5f);
  EXPECT_EQ(waveCornerHeight(field, 36, 31), 0.5f);
  field.u[20][20] = 1.0f;
  EXPECT_EQ(waveCornerHeight(field, 20, 20), 0.875f);
  EXPECT_EQ(waveCornerHeight(field, 21, 21), 0.875f);
  EXPECT_EQ(waveCornerHeight(field, 21, 22), 0.5f);
}

// Where the largest displacement lies along a line of cells, to a fraction
// of a cell (a parabola through the largest and its two neighbours).
template <typename Height>
double crestAt(int from, int to, Height height) {
  int best = from + 1;
  for (int k = from + 1; k < to; ++k) {
    if (std::abs(height(k)) > std::abs(height(best))) best = k;
  }
  const double l = height(best - 1), m = height(best), r = height(best + 1);
  return best + 0.5 * (l - r) / (l - 2 * m + r);
}

// The axis stencil weighs 0.667, the diagonal one 0.333 but spans cells
// sqrt(2) apart, so it counts double: lap(u) = 1.333 u_xx along an axis and
// the waves run at sqrt(2 * 1.333) / h = 0.0735 cells per unit of time.
const double stencilSpeed = std::sqrt(2.0 * (0.667 + 2 * 0.333)) / (2000 * 0.011111111);

TEST_F(WaveFieldTest, APlaneWaveRunsAtTheSpeedOfTheStencil) {
  // A ridge along the rows at column 30 splits into two halves running east
  // and west. Dispersion lets the eastern crest lag a little and sheds
  // ripples behind it, but the centre of its displacement moves at exactly
  // the long-wave speed: 30 + c t.
  clearWalls(field);
  for (auto& row : field.u) {
    for (int j = 20; j <= 40; ++j) row[j] = static_cast<float>(std::exp(-(j - 30) * (j - 30) / 8.0));
  }
  double area = 0.0;
  for (float u : field.u[35]) area += u;
  for (int n = 0; n < 600; ++n) waveStep(field, 0.0f, 0.5);
  double half = 0.0, moment = 0.0;
  for (int j = 34; j < 67; ++j) half += field.u[35][j], moment += j * field.u[35][j];
  EXPECT_NEAR(half, area / 2, 0.01);
  EXPECT_NEAR(moment / half, 30 + stencilSpeed * 300, 0.05);
  EXPECT_NEAR(crestAt(34, 66, [&](int j) { return field.u[35][j]; }), 30 + stencilSpeed * 300, 0.8);
}

TEST_F(WaveFieldTest, ARingSpreadsAsFastAlongTheDiagonalAsAlongTheAxes) {
  clearWalls(field);
  for (int i = 25; i <= 45; ++i) {
    for (int j = 25; j <= 45; ++j) {
      field.u[i][j] = static_cast<float>(std::exp(-((i - 35) * (i - 35) + (j - 35) * (j - 35)) / 8.0));
    }
  }
  for (int n = 0; n < 500; ++n) waveStep(field, 0.0f, 0.5);
  const double axis = crestAt(40, 66, [&](int j) { return field.u[35][j]; }) - 35;
  const double diagonal = crestAt(4, 30, [&](int k) { return field.u[35 + k][35 + k]; }) * std::sqrt(2.0);
  EXPECT_NEAR(axis, stencilSpeed * 250, 2.0);
  EXPECT_NEAR(diagonal, axis, 0.5);
}

TEST_F(WaveFieldTest, StateAfterManyStepsMatchesTheRecordedOne) {
  float phase = 0.0f;
  for (int n = 0; n < 800; ++n) waveStep(field, phase += 0.0174533f, n % 3 == 0 ? 0.425 : 0.5);
  StateHash hash;
  hash.add(field);
  EXPECT_EQ(hash.value, 0x220748a3e8e03b65ull);
}

}  // namespace

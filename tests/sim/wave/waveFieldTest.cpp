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
  void clearWalls() {
    for (auto& row : field.flags) row.fill(CellOrdinary);
  }
  WaveField field;
};

std::vector<double> stepsOfFrame(int32_t frameMs) {
  std::vector<double> steps;
  forEachWaveStep(waveFrameTime(frameMs), [&](double dt) { steps.push_back(dt); });
  return steps;
}

TEST_F(WaveFieldTest, SlitsSourceAndSpacing) {
  // Column 30 open at rows 34..36, column 55 at 26..27 and 43..44.
  for (int i = 0; i < waveGridSize; ++i) {
    EXPECT_EQ(field.flags[i][30], i >= 34 && i <= 36 ? 1 : 3) << i;
    EXPECT_EQ(field.flags[i][55], (i >= 26 && i <= 27) || (i >= 43 && i <= 44) ? 1 : 3) << i;
  }
  int sources = 0;
  for (const auto& row : field.flags) {
    for (int32_t f : row) sources += (f & CellSource) ? 1 : 0;
  }
  EXPECT_EQ(sources, 4);
  EXPECT_TRUE(field.flags[34][16] == 5 && field.flags[35][17] == 5 && field.flags[33][16] == 1);
  EXPECT_NEAR(field.h * field.h, 493.827, 1e-3);
}

TEST_F(WaveFieldTest, FramesSplitIntoStepsOfAtMostHalfAUnit) {
  EXPECT_EQ(stepsOfFrame(40), (std::vector<double>{0.5, 0.5}));
  const std::vector<double> steps = stepsOfFrame(41);
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_TRUE(steps[0] == 0.5 && steps[1] == 0.5);
  EXPECT_NEAR(steps[2], 0.025, 1e-12);
  EXPECT_EQ(stepsOfFrame(0), std::vector<double>{0.0});  // one step of no length
  EXPECT_NEAR(stepsOfFrame(17).at(0), 0.425, 1e-12);
  EXPECT_EQ(stepsOfFrame(1000).size(), 50u);
}

TEST_F(WaveFieldTest, OneStepFromASingleRaisedCell) {
  // v += 2 dt (0.667 L4 + 0.333 LX) / h^2, then u += dt v.
  clearWalls();
  field.u[35][35] = 1.0f;
  waveStep(field, 0.0f, 0.5);
  const double h2 = static_cast<double>(field.h) * field.h;
  EXPECT_FLOAT_EQ(field.v[35][35], static_cast<float>(-4.0 / h2));
  EXPECT_FLOAT_EQ(field.u[35][35], static_cast<float>(1.0 - 2.0 / h2));
  EXPECT_FLOAT_EQ(field.v[34][35], static_cast<float>(0.667 / h2));
  EXPECT_FLOAT_EQ(field.v[35][36], static_cast<float>(0.667 / h2));
  EXPECT_FLOAT_EQ(field.u[36][34], static_cast<float>(0.5 * 0.333 / h2));
  EXPECT_EQ(field.v[33][35], 0.0f);
}

TEST_F(WaveFieldTest, SourceSwingsWithAmplitudeOneTenthAndBorderAndWallsStayAtRest) {
  float phase = 0.0f, highest = 0.0f;
  for (int n = 0; n < 3000; ++n) {
    waveStep(field, phase += 0.01f, 0.5);
    ASSERT_EQ(field.u[34][16], static_cast<float>(0.1 * std::sin(static_cast<double>(phase))));
    highest = std::max(highest, field.u[35][17]);
  }
  EXPECT_NEAR(highest, 0.1f, 1e-5f);
  for (int i = 0; i < waveGridSize; ++i) {
    for (int k : {0, 1, 2, 68, 69, 70}) {
      ASSERT_TRUE(field.u[i][k] == 0 && field.v[i][k] == 0 && field.u[k][i] == 0 && field.v[k][i] == 0) << i;
    }
    ASSERT_TRUE(field.u[i][30] == 0 || i == 34 || i == 35 || i == 36) << i;
  }
  // Waves have passed both walls.
  EXPECT_GT(std::abs(field.u[35][62]) + std::abs(field.u[20][60]), 1e-4f);
}

TEST_F(WaveFieldTest, CornersTouchingAWallLieOnTheFloor) {
  // A corner (a, b) touches cells a-1..a, b-1..b; (10, 30) and (33, 30)
  // are walls, rows 34..36 of column 30 the slit.
  for (auto& row : field.u) row.fill(0.25f);
  for (auto [a, b] : {std::pair{10, 30}, {11, 31}, {34, 31}, {37, 31}}) {
    EXPECT_EQ(waveCornerHeight(field, a, b), 0.0f) << a << ", " << b;
  }
  field.u[20][20] = 1.0f;
  EXPECT_EQ(waveCornerHeight(field, 35, 31), 0.5f);
  EXPECT_EQ(waveCornerHeight(field, 21, 21), 0.875f);
  EXPECT_EQ(waveCornerHeight(field, 21, 22), 0.5f);
}

TEST_F(WaveFieldTest, APlaneWaveRunsAtTheSpeedOfTheStencil) {
  // The diagonal stencil spans cells sqrt(2) apart and so counts double:
  // along an axis lap(u) = (0.667 + 2 x 0.333) u_xx, and the waves run at
  // sqrt(2 x 1.333) / h = 0.0735 cells per unit of time. A ridge at
  // column 30 splits into two halves; dispersion lets the eastern crest
  // lag and shed ripples, but the centre of its displacement moves at
  // exactly the long-wave speed.
  clearWalls();
  for (auto& row : field.u) {
    for (int j = 20; j <= 40; ++j) row[j] = static_cast<float>(std::exp(-(j - 30) * (j - 30) / 8.0));
  }
  double area = 0.0;
  for (float u : field.u[35]) area += u;
  for (int n = 0; n < 600; ++n) waveStep(field, 0.0f, 0.5);
  double half = 0.0, moment = 0.0;
  for (int j = 34; j < 67; ++j) half += field.u[35][j], moment += j * field.u[35][j];
  EXPECT_NEAR(half, area / 2, 0.01);
  const double speed = std::sqrt(2.0 * (0.667 + 2 * 0.333)) / 22.2222;
  EXPECT_NEAR(moment / half, 30 + speed * 300, 0.05);
}

TEST_F(WaveFieldTest, StateAfterManyStepsMatchesTheRecordedOne) {
  float phase = 0.0f;
  for (int n = 0; n < 800; ++n) waveStep(field, phase += 0.0174533f, n % 3 == 0 ? 0.425 : 0.5);
  StateHash hash;
  hash.add(field);
  EXPECT_EQ(hash.value, 0x220748a3e8e03b65ull);
}

}  // namespace

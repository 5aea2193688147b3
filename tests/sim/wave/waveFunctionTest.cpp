// The wave-function solver against its layout, the implicit equation it
// solves, and what the Schroedinger equation says a free packet does.
#include <gtest/gtest.h>

#include <cmath>

#include "sim/wave/waveFunction.h"
#include "tests/support/stateHash.h"

namespace {

class WaveFunctionTest : public testing::Test {
 protected:
  void SetUp() override { wf = {}; }
  void removeBarrier(WaveFunction& w) {
    for (auto& row : w.cellFlags) row.fill(CellOrdinary);
    for (auto& row : w.potential) row.fill(1.0f);
  }
  WaveFunction wf;
};

double probability(const Complex& p) { return p.re * p.re + p.im * p.im; }

// Mean row and column of |psi|^2, the columns' spread, and the probability
// on the wedge's cells.
struct Moments {
  double row = 0.0, column = 0.0, columnSpread = 0.0, onWedge = 0.0;
};
Moments momentsOf(const WaveFunction& w) {
  const SquareGrid<int32_t, wfGridSize> wedge = wedgeFlags();
  Moments m;
  double total = 0.0, squares = 0.0;
  for (int r = 0; r < wfGridSize; ++r) {
    for (int c = 0; c < wfGridSize; ++c) {
      const double p = probability(w.psi[r][c]);
      total += p, m.row += r * p, m.column += c * p, squares += c * c * p;
      m.onWedge += (wedge[r][c] & CellWall) ? p : 0.0;
    }
  }
  m.row /= total, m.column /= total, m.onWedge /= total;
  m.columnSpread = std::sqrt(squares / total - m.column * m.column);
  return m;
}

double onBorder(const WaveFunction& w) {
  double sum = 0.0;
  for (int k = 0; k < wfGridSize; ++k) {
    sum += probability(w.psi[0][k]) + probability(w.psi[75][k]) + probability(w.psi[k][0]) + probability(w.psi[k][75]);
  }
  return sum;
}

TEST_F(WaveFunctionTest, WedgeFromItsTipAtRow42ToItsBaseRow59) {
  int count = 0;
  for (int r = 0; r < wfGridSize; ++r) {
    for (int c = 0; c < wfGridSize; ++c) {
      // Row r spans |c - 37| <= floor(r / 2) - 21.
      const bool inside = r >= 42 && r < 60 && std::abs(c - 37) <= r / 2 - 21;
      EXPECT_EQ(wf.cellFlags[r][c], inside ? 3 : 1) << r << ", " << c;
      EXPECT_EQ(wf.potential[r][c], r == 75 || c == 75 ? 0.0f : inside ? 2.0f : 1.0f) << r << ", " << c;
      count += inside ? 1 : 0;
    }
  }
  EXPECT_TRUE((wf.cellFlags[42][37] & wf.cellFlags[59][29] & wf.cellFlags[59][45] & CellWall) != 0);
  EXPECT_EQ(count, 2 * (1 + 3 + 5 + 7 + 9 + 11 + 13 + 15 + 17));
}

TEST_F(WaveFunctionTest, PacketStartsAtRow18AndColumn39MovingAlongTheRows) {
  // A(18, 38) = exp(-3 (0.75^2 + 0.75^2) / 18.75^2), the phase 18 radians.
  EXPECT_NEAR(wf.psi[18][38].re, 0.6540079981044268, 1e-15);
  EXPECT_NEAR(wf.psi[18][38].im, -0.7438122642226845, 1e-15);
  EXPECT_EQ(onBorder(wf), 0.0);
  const Moments m = momentsOf(wf);
  EXPECT_NEAR(m.row, 18.75, 0.01);
  EXPECT_NEAR(m.column, 38.75, 1e-6);
  EXPECT_NEAR(m.columnSpread, 18.75 / std::sqrt(12.0), 1e-4);  // |psi|^2 ~ exp(-6 d^2 / 18.75^2)
}

TEST_F(WaveFunctionTest, FreePacketKeepsItsNormAndMovesAtItsGroupVelocity) {
  // The step is psi' = (1 + 2ikS) / (1 - 2ikS) psi: unitary, so the total
  // probability stays. A plane wave e^{i(qr + pc)} turns by 2 atan(A) per
  // step, A = 2k (2 cos q + 2 cos p), so the rows move at 8k sin q /
  // (1 + A^2): 0.3074 cells a step at q = 1, p = 0, 0.3064 averaged over
  // the packet's spread of wave numbers.
  removeBarrier(wf);
  const double norm = wfNorm(wf);
  const Moments start = momentsOf(wf);
  for (int n = 0; n < 60; ++n) {
    wfStep(wf);
    ASSERT_NEAR(wfNorm(wf) / norm, 1.0, 1e-9) << "step " << n;
  }
  EXPECT_NEAR(momentsOf(wf).row - start.row, 60 * 0.3064, 0.2);
}

TEST_F(WaveFunctionTest, EachStepSolvesTheImplicitEquation) {
  // chi = psi' + psi, and (1 - 2ikS) chi = 2 psi, so 2 psi' = (1 + 2ikS) chi,
  // S the sum of the four neighbours.
  for (int n = 0; n < 5; ++n) wfStep(wf);
  const auto& x = wf.chi;
  double largest = 0.0;
  for (int a = 1; a <= 73; ++a) {
    for (int b = 1; b <= 73; ++b) {
      const double sRe = x[a + 1][b].re + x[a - 1][b].re + x[a][b + 1].re + x[a][b - 1].re;
      const double sIm = x[a + 1][b].im + x[a - 1][b].im + x[a][b + 1].im + x[a][b - 1].im;
      largest = std::max(largest, std::abs(2 * wf.psi[a][b].re - (x[a][b].re - 0.1 * sIm)));
      largest = std::max(largest, std::abs(2 * wf.psi[a][b].im - (x[a][b].im + 0.1 * sRe)));
    }
  }
  EXPECT_LT(largest, 1e-12);
}

TEST_F(WaveFunctionTest, TheBarrierTurnsThePhaseUsingTheTurnedRealPart) {
  // chi - psi' is the wave function the sweeps started from: in the
  // barrier re' = cos 0.3, im' = sin(-0.3) re'; elsewhere unchanged.
  wf.psi[50][37] = {1.0, 0.0};
  const Complex free = wf.psi[18][38];
  wfStep(wf);
  const auto before = [&](int r, int c) {
    return Complex{wf.chi[r][c].re - wf.psi[r][c].re, wf.chi[r][c].im - wf.psi[r][c].im};
  };
  EXPECT_NEAR(before(50, 37).re, 0.955336489125606, 1e-14);
  EXPECT_NEAR(before(50, 37).im, -0.28232123669751763, 1e-14);
  EXPECT_NEAR(before(18, 38).re, free.re, 1e-14);
  EXPECT_NEAR(before(18, 38).im, free.im, 1e-14);
}

TEST_F(WaveFunctionTest, DensityIsDrawnAtZeroOnEveryCornerOfTheBarrier) {
  // Density (r, c) belongs to the corner shared by cells r-1..r, c-1..c;
  // (60, 46) touches the wedge's base only diagonally.
  wf.psi[42][37] = wf.psi[43][38] = wf.psi[41][37] = wf.psi[42][36] = wf.psi[60][46] = {0.5, 0.5};
  wfDensity(wf);
  for (auto [r, c] : {std::pair{42, 37}, {42, 38}, {43, 37}, {43, 38}, {60, 46}, {59, 46}}) {
    EXPECT_EQ(wf.density[r][c], 0.0f) << r << ", " << c;
  }
  EXPECT_TRUE(wf.density[41][37] == 0.5f / 1.3f && wf.density[42][36] == 0.5f / 1.3f);
  EXPECT_FLOAT_EQ(wf.density[18][38], static_cast<float>(probability(wf.psi[18][38]) / 1.3));
  wfMarkPotential(wf);
  EXPECT_TRUE(wf.potential[50][37] == 5.0f && wf.potential[41][37] == 1.0f && wf.potential[75][10] == 0.0f);
}

TEST_F(WaveFunctionTest, TheWedgeKeepsThePacketOutAndSplitsItSideways) {
  WaveFunction free = wf;
  removeBarrier(free);
  const double norm = wfNorm(wf);
  for (int n = 0; n < 120; ++n) wfStep(wf), wfStep(free);
  // By now the free packet lies largely where the wedge stands; the wedge's
  // phase turns keep all but a little out (and take some of that away), and
  // the packet runs past on both sides.
  EXPECT_GT(momentsOf(free).onWedge, 0.3);
  EXPECT_LT(momentsOf(wf).onWedge, 0.02);
  EXPECT_GT(momentsOf(wf).columnSpread, 1.4 * momentsOf(free).columnSpread);
  EXPECT_LT(wfNorm(wf), 0.99 * norm);
  StateHash hash;
  hash.add(wf);
  EXPECT_EQ(hash.value, 0x318bab545c9eb080ull);
  // The free packet has run into the far border and is on its way back.
  const double deepest = momentsOf(free).row;
  for (int n = 0; n < 180; ++n) wfStep(free);
  EXPECT_LT(momentsOf(free).row, deepest - 15);
  EXPECT_EQ(onBorder(free), 0.0);
}

}  // namespace

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
  WaveFunction wf;
};

// Mean row and column of |psi|^2.
struct Centre {
  double row = 0.0, column = 0.0;
};
Centre centreOf(const WaveFunction& w) {
  Centre c;
  double total = 0.0;
  for (int r = 0; r < wfGridSize; ++r) {
    for (int col = 0; col < wfGridSize; ++col) {
      const double p = w.psi[r][col].re * w.psi[r][col].re + w.psi[r][col].im * w.psi[r][col].im;
      total += p, c.row += r * p, c.column += col * p;
    }
  }
  return {c.row / total, c.column / total};
}

void removeBarrier(WaveFunction& w) {
  for (auto& row : w.cellFlags) row.fill(CellOrdinary);
  for (auto& row : w.potential) row.fill(1.0f);
}

TEST_F(WaveFunctionTest, WedgeFromItsTipAtRow42ToItsBaseRow59) {
  int count = 0;
  for (int r = 0; r < wfGridSize; ++r) {
    int first = -1, last = -1;
    for (int c = 0; c < wfGridSize; ++c) {
      const bool wall = (wf.cellFlags[r][c] & CellWall) != 0;
      EXPECT_EQ(wf.cellFlags[r][c] & ~CellWall, CellOrdinary);
      EXPECT_EQ(wf.potential[r][c], r == 75 || c == 75 ? 0.0f : wall ? 2.0f : 1.0f) << r << ", " << c;
      if (!wall) continue;
      ++count;
      if (first < 0) first = c;
      last = c;
    }
    // Row r spans |c - 37| <= floor(r / 2) - 21.
    if (r < 42 || r >= 60) {
      EXPECT_EQ(first, -1) << r;
    } else {
      EXPECT_EQ(first, 37 - (r / 2 - 21)) << r;
      EXPECT_EQ(last, 37 + (r / 2 - 21)) << r;
    }
  }
  EXPECT_EQ(wf.cellFlags[42][37], CellOrdinary | CellWall);
  EXPECT_EQ(wf.cellFlags[59][29] & wf.cellFlags[59][45] & CellWall, CellWall);
  EXPECT_EQ(count, 2 * (1 + 3 + 5 + 7 + 9 + 11 + 13 + 15 + 17));
}

TEST_F(WaveFunctionTest, PacketStartsAtRow18AndColumn39MovingAlongTheRows) {
  // exp(-3 (0.75^2 + 0.25^2)... at (18, 38): A = exp(-6 * 0.5625 / 351.5625).
  EXPECT_NEAR(wf.psi[18][38].re, 0.6540079981044268, 1e-15);
  EXPECT_NEAR(wf.psi[18][38].im, -0.7438122642226845, 1e-15);
  EXPECT_NEAR(wf.psi[1][38].re, 0.0365541775041159, 1e-15);
  EXPECT_NEAR(wf.psi[1][38].im, 0.05692975841331655, 1e-15);
  for (int k = 0; k < wfGridSize; ++k) {
    for (const Complex& p : {wf.psi[0][k], wf.psi[75][k], wf.psi[k][0], wf.psi[k][75]}) {
      EXPECT_TRUE(p.re == 0.0 && p.im == 0.0) << k;
    }
  }
  const Centre c = centreOf(wf);
  EXPECT_NEAR(c.row, 18.75, 0.01);
  EXPECT_NEAR(c.column, 38.75, 1e-6);
  for (const auto& row : wf.chi) {
    for (const Complex& x : row) ASSERT_TRUE(x.re == 0.0 && x.im == 0.0);
  }
}

TEST_F(WaveFunctionTest, FreePacketKeepsItsNormAndMovesAtItsGroupVelocity) {
  // The step is psi' = (1 + 2ikS) / (1 - 2ikS) psi: unitary, so the total
  // probability stays. A plane wave e^{i(qr + pc)} turns by 2 atan(A) per
  // step, A = 2k (2 cos q + 2 cos p), so the packet's rows move at
  // 8k sin q / (1 + A^2), 0.3074 cells per step at q = 1, p = 0, and 0.3064
  // averaged over the packet's spread of wave numbers.
  removeBarrier(wf);
  const double norm = wfNorm(wf);
  const Centre start = centreOf(wf);
  for (int n = 0; n < 60; ++n) {
    wfStep(wf);
    ASSERT_NEAR(wfNorm(wf) / norm, 1.0, 1e-9) << "step " << n;
  }
  const Centre end = centreOf(wf);
  EXPECT_NEAR(end.row - start.row, 60 * 0.3064, 0.2);
  EXPECT_NEAR(end.column, start.column, 0.01);
}

TEST_F(WaveFunctionTest, EachStepSolvesTheImplicitEquation) {
  // chi = psi' + psi, and (1 - 2ikS) chi = 2 psi, so 2 psi' = (1 + 2ikS) chi,
  // S the sum of the four neighbours.
  for (int n = 0; n < 5; ++n) wfStep(wf);
  const auto& chi = wf.chi;
  double largest = 0.0;
  for (int a = 1; a <= 73; ++a) {
    for (int b = 1; b <= 73; ++b) {
      const double sRe = chi[a + 1][b].re + chi[a - 1][b].re + chi[a][b + 1].re + chi[a][b - 1].re;
      const double sIm = chi[a + 1][b].im + chi[a - 1][b].im + chi[a][b + 1].im + chi[a][b - 1].im;
      largest = std::max(largest, std::abs(2 * wf.psi[a][b].re - (chi[a][b].re - 2 * 0.05 * sIm)));
      largest = std::max(largest, std::abs(2 * wf.psi[a][b].im - (chi[a][b].im + 2 * 0.05 * sRe)));
    }
  }
  EXPECT_LT(largest, 1e-12);
}

TEST_F(WaveFunctionTest, TheBarrierTurnsThePhaseUsingTheTurnedRealPart) {
  // psi = chi - psi' is the wave function the sweeps started from.
  wf.psi[50][37] = {1.0, 0.0};
  const Complex free = wf.psi[18][38];
  wfStep(wf);
  const auto before = [&](int r, int c) {
    return Complex{wf.chi[r][c].re - wf.psi[r][c].re, wf.chi[r][c].im - wf.psi[r][c].im};
  };
  // re' = cos 0.3, im' = sin(-0.3) re'.
  EXPECT_NEAR(before(50, 37).re, 0.955336489125606, 1e-14);
  EXPECT_NEAR(before(50, 37).im, -0.28232123669751763, 1e-14);
  EXPECT_NEAR(before(18, 38).re, free.re, 1e-14);
  EXPECT_NEAR(before(18, 38).im, free.im, 1e-14);
}

TEST_F(WaveFunctionTest, DensityIsDrawnAtZeroOnEveryCornerOfTheBarrier) {
  wf.psi[42][37] = wf.psi[43][38] = wf.psi[41][37] = wf.psi[42][36] = {0.5, 0.5};
  wfDensity(wf);
  // Density (r, c) belongs to the corner shared by cells (r-1..r, c-1..c).
  for (auto [r, c] : {std::pair{42, 37}, {42, 38}, {43, 37}, {43, 38}, {60, 30}, {59, 46}}) {
    EXPECT_EQ(wf.density[r][c], 0.0f) << r << ", " << c;
  }
  EXPECT_FLOAT_EQ(wf.density[41][37], 0.5f / 1.3f);
  EXPECT_FLOAT_EQ(wf.density[42][36], 0.5f / 1.3f);
  const double p = wf.psi[18][38].re * wf.psi[18][38].re + wf.psi[18][38].im * wf.psi[18][38].im;
  EXPECT_FLOAT_EQ(wf.density[18][38], static_cast<float>(p / 1.3));
  EXPECT_EQ(wf.density[0][0], 0.0f);

  wfMarkPotential(wf);
  EXPECT_EQ(wf.potential[50][37], 5.0f);
  EXPECT_EQ(wf.potential[41][37], 1.0f);
  EXPECT_EQ(wf.potential[75][10], 0.0f);
}

// Probability on the wedge's cells, and the spread of the columns.
double onTheWedge(const WaveFunction& w, const WaveFunction& layout) {
  double p = 0.0;
  for (int r = 0; r < wfGridSize; ++r) {
    for (int c = 0; c < wfGridSize; ++c) {
      if (layout.cellFlags[r][c] & CellWall) p += w.psi[r][c].re * w.psi[r][c].re + w.psi[r][c].im * w.psi[r][c].im;
    }
  }
  return p;
}
double columnSpread(const WaveFunction& w) {
  double total = 0.0, sum = 0.0, squares = 0.0;
  for (int r = 0; r < wfGridSize; ++r) {
    for (int c = 0; c < wfGridSize; ++c) {
      const double p = w.psi[r][c].re * w.psi[r][c].re + w.psi[r][c].im * w.psi[r][c].im;
      total += p, sum += c * p, squares += c * c * p;
    }
  }
  return std::sqrt(squares / total - (sum / total) * (sum / total));
}

TEST_F(WaveFunctionTest, TheWedgeKeepsThePacketOutAndSplitsItSideways) {
  WaveFunction free = wf;
  removeBarrier(free);
  const double norm = wfNorm(wf);
  for (int n = 0; n < 120; ++n) wfStep(wf), wfStep(free);
  // By now the free packet lies largely where the wedge stands; the wedge's
  // phase turns keep all but a little out (and take some of that away), and
  // the packet runs past on both sides.
  EXPECT_GT(onTheWedge(free, wf) / norm, 0.3);
  EXPECT_LT(onTheWedge(wf, wf) / norm, 0.02);
  EXPECT_GT(columnSpread(wf), 1.4 * columnSpread(free));
  EXPECT_LT(wfNorm(wf), 0.99 * norm);
  StateHash hash;
  hash.add(wf);
  EXPECT_EQ(hash.value, 0x318bab545c9eb080ull);
}

TEST_F(WaveFunctionTest, TheBorderStaysAtZeroAndSendsThePacketBack) {
  removeBarrier(wf);
  for (int n = 0; n < 180; ++n) wfStep(wf);
  const double deepest = centreOf(wf).row;
  for (int n = 0; n < 120; ++n) wfStep(wf);
  EXPECT_LT(centreOf(wf).row, deepest - 20);
  for (int k = 0; k < wfGridSize; ++k) {
    for (const Complex& p : {wf.psi[0][k], wf.psi[75][k], wf.psi[k][0], wf.psi[k][75]}) {
      EXPECT_TRUE(p.re == 0.0 && p.im == 0.0) << k;
    }
  }
}

}  // namespace

#include "sim/wave/waveFunction.h"

#include <cmath>

WaveFunction waveFunction;

namespace {

// The grid's interior, without the border rows and columns 0 and 75 and the
// row and column 74 next to them.
constexpr int inner = wfGridSize - 3;  // 73

void clearBorder(SquareGrid<Complex, wfGridSize>& psi) {
  for (int k = 0; k < wfGridSize - 1; ++k) {
    psi[k][0] = psi[k][wfGridSize - 1] = Complex{};
    psi[0][k] = psi[wfGridSize - 1][k] = Complex{};
  }
}

bool insideWedge(int r, int c) { return r / 2 - std::abs(c - 37) > 20 && r < 60; }

// chi(a, b) = 2 (psi + i k sum of the four neighbours of chi), the real part
// first, so that the imaginary part already sees it.
inline void relax(SquareGrid<Complex, wfGridSize>& chi, const SquareGrid<Complex, wfGridSize>& psi, int a, int b) {
  Complex& x = chi[a][b];
  x.re = 2 * (psi[a][b].re - wfCoupling * (chi[a + 1][b].im + chi[a - 1][b].im + chi[a][b + 1].im + chi[a][b - 1].im));
  x.im = 2 * (psi[a][b].im + wfCoupling * (chi[a + 1][b].re + chi[a - 1][b].re + chi[a][b + 1].re + chi[a][b - 1].re));
}

}  // namespace

SquareGrid<Complex, wfGridSize> startPacket(double width) {
  SquareGrid<Complex, wfGridSize> psi{};
  for (int c = 0; c < wfGridSize - 1; ++c) {
    for (int r = 0; r < wfGridSize - 1; ++r) {
      const double dc = c - width - 20;
      const double dr = r - width;
      const double a = std::exp(-3 * dc * dc / (width * width)) * std::exp(-3 * dr * dr / (width * width));
      psi[r][c] = {a * std::cos(r), a * std::sin(r)};
    }
  }
  clearBorder(psi);
  return psi;
}

SquareGrid<int32_t, wfGridSize> wedgeFlags() {
  SquareGrid<int32_t, wfGridSize> flags{};
  for (auto& row : flags) {
    for (int32_t& cell : row) cell = CellOrdinary;
  }
  for (int c = 0; c < wfGridSize - 1; ++c) {
    for (int r = 0; r < wfGridSize - 1; ++r) {
      if (insideWedge(r, c)) flags[r][c] |= CellWall;
    }
  }
  return flags;
}

SquareGrid<float, wfGridSize> wedgePotential() {
  SquareGrid<float, wfGridSize> potential{};
  for (int c = 0; c < wfGridSize - 1; ++c) {
    for (int r = 0; r < wfGridSize - 1; ++r) potential[r][c] = insideWedge(r, c) ? 2.0f : 1.0f;
  }
  return potential;
}

void wfStep(WaveFunction& wf) {
  ++engineWork.substeps;
  auto& psi = wf.psi;
  auto& chi = wf.chi;

  // Inside the barrier the potential only turns the phase.
  const double cosTheta = std::cos(wfBarrierPhase);
  const double sinTheta = std::sin(wfBarrierPhase);
  for (int r = 1; r <= inner; ++r) {
    for (int c = 1; c <= inner; ++c) {
      if (wf.potential[r][c] == 1.0f) continue;
      Complex& p = psi[r][c];
      p.re = cosTheta * p.re - sinTheta * p.im;
      p.im = cosTheta * p.im + sinTheta * p.re;
    }
  }

  // (1 - 2ik S) chi = 2 psi, S the sum of the four neighbours: symmetric
  // Gauss-Seidel, a forward and a backward sweep per round, chi kept from
  // the step before as the first guess.
  for (int n = 1; n < wf.packetWidth; ++n) {
    for (int a = 1; a <= inner; ++a) {
      for (int b = 1; b <= inner; ++b) relax(chi, psi, a, b);
    }
    for (int a = inner + 1; a >= 2; --a) {
      for (int b = inner + 1; b >= 2; --b) relax(chi, psi, a, b);
    }
  }

  // psi' = chi - psi = (1 + 2ik S) / (1 - 2ik S) psi.
  for (int r = 1; r <= inner; ++r) {
    for (int c = 1; c <= inner; ++c) psi[r][c] = {chi[r][c].re - psi[r][c].re, chi[r][c].im - psi[r][c].im};
  }
  clearBorder(psi);
}

void wfDensity(WaveFunction& wf) {
  auto wall = [&](int r, int c) { return r >= 0 && c >= 0 && (wf.cellFlags[r][c] & CellWall) != 0; };
  for (int r = 0; r < wfGridSize; ++r) {
    for (int c = 0; c < wfGridSize; ++c) {
      const Complex& p = wf.psi[r][c];
      const bool nearWall = wall(r - 1, c - 1) || wall(r - 1, c) || wall(r, c - 1) || wall(r, c);
      wf.density[r][c] = nearWall ? 0.0f : static_cast<float>((p.re * p.re + p.im * p.im) * wfDensityScale);
    }
  }
}

void wfMarkPotential(WaveFunction& wf) {
  for (int r = 0; r < wfGridSize - 1; ++r) {
    for (int c = 0; c < wfGridSize - 1; ++c) wf.potential[r][c] = (wf.cellFlags[r][c] & CellWall) ? 5.0f : 1.0f;
  }
}

double wfNorm(const WaveFunction& wf) {
  double sum = 0.0;
  for (const auto& row : wf.psi) {
    for (const Complex& p : row) sum += p.re * p.re + p.im * p.im;
  }
  return sum;
}

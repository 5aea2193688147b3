#pragma once
// A wave packet scattering from a wedge: the time-dependent Schroedinger
// equation on a 76 x 76 grid, stepped by an implicit (Crank-Nicolson type)
// scheme whose linear system is solved by Gauss-Seidel sweeps. The packet is
// built once at program start and scatters on through every scene that shows
// it.
#include <cstdint>

#include "sim/engine/frameBound.h"
#include "sim/wave/cellGrid.h"

inline constexpr int wfGridSize = 76;

struct Complex {
  double re = 0.0;
  double im = 0.0;
};

// The packet: a Gaussian of width 18.75 centred at row 18.75, column 38.75,
// with the phase e^{i r} that sends it along the rows towards the wedge.
SquareGrid<Complex, wfGridSize> startPacket(double width);
// The wedge: cells with floor(r / 2) - |c - 37| > 20 and r < 60, its tip at
// (42, 37), its base row 59 over columns 29..45. Rows and columns 0..74.
SquareGrid<int32_t, wfGridSize> wedgeFlags();
// 2 inside the wedge, 1 elsewhere; row and column 75 hold 0.
SquareGrid<float, wfGridSize> wedgePotential();

struct WaveFunction {
  double packetWidth = 18.75;
  SquareGrid<Complex, wfGridSize> psi = startPacket(packetWidth);
  // The work array of the implicit step: the new plus the old wave function.
  SquareGrid<Complex, wfGridSize> chi{};
  // |psi|^2 / 1.3 for drawing.
  SquareGrid<float, wfGridSize> density{};
  SquareGrid<float, wfGridSize> potential = wedgePotential();
  SquareGrid<int32_t, wfGridSize> cellFlags = wedgeFlags();
};

extern WaveFunction waveFunction;

// Phase turned inside the barrier each step: speed factor 0.5 times 0.1
// times the barrier strength 6.
inline constexpr double wfBarrierPhase = -0.5 * 0.1 * 6.0;
// Neighbour coupling of the implicit step: speed factor 0.5 times 0.1.
inline constexpr double wfCoupling = 0.5 * 0.1;
// 1 / 1.3 as the density scale takes it.
inline constexpr double wfDensityScale = 0.7692307974459868;

// One time step of fixed length: the barrier's phase turn, 2 x 18 sweeps for
// chi, psi = chi - psi, the border held at 0.
void wfStep(WaveFunction& wf);

// The packet's time for a frame: 0.0015625 time units per millisecond, in
// steps of 0.5. A frame after a long pause covers only the longest simulated
// frame's time: an hour would be 11,250 steps, a stall of many seconds.
inline double wfFrameTime(int32_t frameMs) { return simulatedFrameMs(frameMs) * 0.05 * 0.5 * 0.0625; }
// density from psi; 0 where any of the four cells that share the corner
// with the cell's lower end is a wall.
void wfDensity(WaveFunction& wf);
// potential 5 on wall cells and 1 elsewhere, rows and columns 0..74.
void wfMarkPotential(WaveFunction& wf);
// Total probability sum |psi|^2 over the grid.
double wfNorm(const WaveFunction& wf);

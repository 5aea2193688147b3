#pragma once
// The ripple tank: the wave equation u_tt = 2 lap(u) on a 71 x 71 grid with a
// driven source, a wall with one slit and a wall with two slits. The field is
// built once at program start and runs on through every scene that shows it.
#include <cstdint>

#include "sim/engine/frameBound.h"
#include "sim/wave/cellGrid.h"

inline constexpr int waveGridSize = 71;
// Largest time step; longer frames are split into steps of this length.
inline constexpr double waveLongestStep = 0.5;

// Walls along columns 30 (slit at rows 34..36) and 55 (slits at rows 26..27
// and 43..44); the four source cells at rows 34..35, columns 16..17.
constexpr SquareGrid<int32_t, waveGridSize> rippleTankFlags() {
  SquareGrid<int32_t, waveGridSize> flags{};
  for (auto& row : flags) {
    for (int32_t& cell : row) cell = CellOrdinary;
  }
  for (int i = 0; i < waveGridSize; ++i) {
    if (i <= 33 || i >= 37) flags[i][30] |= CellWall;
    if (i <= 25 || (i >= 28 && i <= 42) || i >= 45) flags[i][55] |= CellWall;
  }
  for (int i : {34, 35}) {
    for (int j : {16, 17}) flags[i][j] |= CellSource;
  }
  return flags;
}

struct WaveField {
  // Displacement and its rate of change.
  SquareGrid<float, waveGridSize> u{};
  SquareGrid<float, waveGridSize> v{};
  SquareGrid<int32_t, waveGridSize> flags = rippleTankFlags();
  // Grid spacing, about 22.22 (h^2 about 493.8).
  float h = static_cast<float>(2000 * 0.011111111);
};

extern WaveField waveField;

// One semi-implicit Euler step of length dt; the source cells then take
// u = 0.1 sin(sourceTime), walls and the three-cell border u = v = 0.
void waveStep(WaveField& field, float sourceTime, double dt);

// The simulation time of a frame: 0.025 time units per millisecond.
inline double waveFrameTime(int32_t frameMs) { return simulatedFrameMs(frameMs) * 0.05 * 0.5; }

// Calls step(dt) for the steps that make up `time`: steps of 0.5 and a last,
// shorter one for the rest; at least one step, of length 0 for no time.
template <typename Step>
void forEachWaveStep(double time, Step step) {
  do {
    step(time < waveLongestStep ? time : waveLongestStep);
    time -= waveLongestStep;
    ++engineWork.substeps;
  } while (time > 0.0);
}

// Height of the mesh at grid corner (a, b), a and b in 1..70: the corner
// touches cells (a-1, b-1), (a-1, b), (a, b) and (a, b-1); it lies on the
// floor next to a wall, else at half the sum of their displacements.
float waveCornerHeight(const WaveField& field, int a, int b);

#pragma once
// The gravity potential of two wandering point sources, sampled on a 300 x 300
// grid over the unit square and recomputed in full every frame. The state
// lives for the whole run: no scene resets it, so the title card later picks
// up the walk where the first scene left it.

inline constexpr int gravityGridSize = 300;
// Grid spacing: cell (i, j) samples the point (i * h, j * h).
inline constexpr float gravityCellSize = 0.0033333334f;

struct GravitySource {
  float x = 0.0f;
  float y = 0.0f;
  float strength = 0.0f;
};

struct GravityField {
  // Row i goes with x, column j with y.
  float field[gravityGridSize][gravityGridSize] = {};
  GravitySource sourceA{0.73f, 0.57f, 0.03f};
  GravitySource sourceB{0.5f, 0.45f, 0.02f};
};

extern GravityField gravity;

// Amplitudes of one random-walk step.
struct GravityWalk {
  double position;
  double strength;
};
inline constexpr GravityWalk sceneWalk{0.01, 0.001};
inline constexpr GravityWalk cardWalk{0.025, 0.0025};

// Fills the grid with |V|, V = -A.strength / rA^2 - B.strength / rB^2, in
// double precision. A cell exactly on a source takes the value 1 instead of
// that source's term, and a cell exactly on B drops A's term as well.
void computeGravityField();

// Moves A.x, A.y, A.strength, B.x, B.y, B.strength, in this order, each by
// (r1 - r2) / 32767 * amplitude with two draws of the shared generator.
void walkGravitySources(const GravityWalk& walk);

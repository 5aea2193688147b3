#pragma once
// The water surface: the height of a free surface over a flat bottom, sampled
// at 201 points along one column, moved by a height-field form of the
// shallow-water equations. The vertical acceleration of the surface is
// proportional to the depth-weighted curvature of the surface.

inline constexpr int fluidPoints = 201;
// First and last element that a step moves; 2 and 197 copy their neighbours.
inline constexpr int fluidFirstMoving = 3;
inline constexpr int fluidLastMoving = 196;

inline constexpr double fluidGravity = 10.0;
inline constexpr double fluidTimeStep = 0.5;

struct FluidState {
  // Height of the water surface.
  double surface[fluidPoints] = {};
  // Height of the ground under the water: flat (all 0), but stepped as a profile.
  double bottom[fluidPoints] = {};
  // Vertical speed of the surface.
  double riseSpeed[fluidPoints] = {};
  // Surface minus bottom, never negative.
  double depth[fluidPoints] = {};
};

extern FluidState fluid;

// The start shape: one slow cosine swell along the column, highest at the far
// end (element 200) and lowest near element 87; element 0 stays at the rest
// level 0.35. Element 200 of the arrays is not cleared first.
void fluidInit();

// One time step of the surface: depths, speeds, heights, then the zero-slope
// ends. Elements 0, 1 and 198 to 200 never move.
void fluidStep();

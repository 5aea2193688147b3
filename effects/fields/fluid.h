#pragma once
// The water surface: the height of a free surface over a flat bottom, sampled
// at 201 points along one column, moved by a height-field form of the
// shallow-water equations. The vertical acceleration of the surface is
// proportional to the depth-weighted curvature of the surface.
#include <string>

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

// The display timers of the water scenes, zeroed together by every init.
struct FluidTimers {
  // The veil: rises to 1 (the scene clears), then the second rises to 1.
  float veilIn = 0.0f;
  float veilOut = 0.0f;
  // The credit caption darkens, then returns.
  float captionIn = 0.0f;
  float captionOut = 0.0f;
  // Half-width of the picture strip at the foot of the glass, 0 to 1.
  float strip = 0.0f;
};

extern FluidTimers fluidTimers;

// The start shape: one slow cosine swell along the column, highest at the far
// end (element 200) and lowest near element 87; element 0 stays at the rest
// level 0.35. Element 200 of the arrays is not cleared first.
void fluidInit();

// One time step of the surface: depths, speeds, heights, then the zero-slope
// ends. Elements 0, 1 and 198 to 200 never move.
void fluidStep();

// The state as it is now, into the frame's folder.
void dumpFluid(const std::string& frameDirectory);

#pragma once
// The springy surface that heavy balls are dropped on: a 10 x 10 grid of
// particles in the plane y = 0, every one carrying a small collision sphere,
// joined by doubled slack springs, its border pinned, and one or two balls
// with big spheres above it. The open step (stepOpenWorld) runs it: a swept
// sphere-pair test after every substep of 0.002 is what stops the balls on
// the grid's spheres; the springs themselves never collide.
#include <array>
#include <cstdint>

#include "sim/spatial/world.h"

// A pinned border particle that the scenes may let go.
inline constexpr uint32_t ParticleReleasable = 32;
// A ball drawn apart from the rolling ones.
inline constexpr uint32_t SphereMarked = 16;

inline constexpr int surfaceSide = 10;

// The balls each surface scene drops.
enum class SurfaceLoad {
  OneBall,     // one ball of mass 16 at rest above the grid
  TwoBalls,    // that ball, and a second one 1.1 higher already falling
  SmallBalls,  // two lighter, smaller balls
  CardBall,    // one ball starting lower, already falling
};

// Starts new lists in the World: the heads, the grid particles row by row
// (i outer, j inner), each followed by its sphere, the springs, the balls.
// First it sets what the open step needs: substeps and time unit 0.002,
// gravity (0, -20, 0), and a floor and ceiling (30 and 10) that only later
// boxed scenes would meet.
void buildSurface(SurfaceLoad load);

// Grid particle (i, j): the (10 i + j)-th behind the particle head. Where the
// list is shorter, the head stands in, as particleAt has it.
using SurfaceGrid = std::array<std::array<Particle*, surfaceSide>, surfaceSide>;
SurfaceGrid surfaceGrid();

// Every releasable particle loses ParticleFixed: the border lets go but for
// the j = 9 edge, which was never releasable.
void releaseSurfaceBorder();

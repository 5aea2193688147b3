#pragma once
// Advances the World by the time of the last frame: spring and gravity
// forces, the midpoint integrator in substeps of at most stepSize, and the
// collision passes. Every pass walks its lists from the head in list order;
// heads take part wherever their flags let them.
//
// Arithmetic between two single-precision values (radii, masses, box walls)
// is done in single precision, everything that involves a position, velocity
// or force in double precision; values are rounded to single precision where
// the comments say so.
#include <cstdint>

#include "sim/spatial/world.h"

// The boxed step for a frame of frameMs milliseconds: all substeps, then one
// collision pass with the box walls. Used by the pendulum and human-body
// scenes.
void stepBoxedWorld(int32_t frameMs);
// The open step: a collision pass without walls after every substep. Used by
// the colliding-surface scenes.
void stepOpenWorld(int32_t frameMs);

// Gravity on every free particle, then the springs.
void computeForces(Particle* particles, Spring* springs);
void integrateHalf(Particle* particles, float h);
void integrateFull(Particle* particles, float h);
// Every active sphere with a carrier takes the carrier's position.
void updateSpheres(Sphere* spheres);
// Sphere walls, particle walls with fixed-sphere obstacles, sphere pairs.
void collideBoxed(Particle* particles, Sphere* spheres);
// Particles against fixed spheres, sphere pairs; no walls.
void collideOpen(Particle* particles, Sphere* spheres);

#pragma once
// The planar particle engine: particles joined by damped springs under
// gravity, integrated with the midpoint scheme of the spatial engine, kept in
// a square box, and colliding through circles that ride on particles. All
// motion stays in the xy plane (z is 0 throughout).
//
// Lists are singly linked from head records made by the scene init; builders
// append behind the last record.
#include <cstdint>

#include "sim/engine/recordArena.h"
#include "sim/engine/springLaw.h"
#include "sim/vector3.h"

// Particle flags; bit 16 belongs to the scenes.
inline constexpr uint32_t PlanarParticleCollides = 1;  // walls and fixed circles
inline constexpr uint32_t PlanarParticleFixed = 2;     // never integrated
inline constexpr uint32_t PlanarParticleCarrier = 4;   // a circle rides on it
inline constexpr uint32_t PlanarParticleHidden = 8;    // list heads

// Circle flags: a circle with any flag set takes no part in the pair test.
inline constexpr uint32_t PlanarCircleIgnored = 1;  // list heads

struct PlanarParticle {
  float mass = 0.0f;
  uint32_t flags = 0;
  Vector3 position;
  Vector3 velocity;
  Vector3 force;
  Vector3 savedPosition;
  Vector3 savedVelocity;
  PlanarParticle* next = nullptr;
};

struct PlanarSpring {
  uint32_t kind = 0;
  PlanarParticle* a = nullptr;
  PlanarParticle* b = nullptr;
  float stiffness = 0.0f;
  float damping = 0.0f;
  float restLength = 0.0f;
  PlanarSpring* next = nullptr;
};

struct PlanarCircle {
  uint32_t flags = 0;
  PlanarParticle* carrier = nullptr;  // none for a fixed circle
  Vector3 position;
  float radius = 0.0f;
  float bounce = 0.0f;
  PlanarCircle* next = nullptr;
};

struct PlanarWorld {
  PlanarParticle* particles = nullptr;
  PlanarSpring* springs = nullptr;
  PlanarCircle* circles = nullptr;
  Vector3 gravity{0.0, -1.0, 0.0};
  float minX = -0.9f;
  float maxX = 0.9f;
  float minY = -0.9f;
  float maxY = 0.9f;
  // Share of the velocity across a wall that a hit keeps, reversed; a double,
  // unlike the single-precision walls.
  double wallBounce = 0.8;
  // Simulated time per millisecond (times 0.05) and the longest substep.
  float timeFactor = 0.013f;
  float substep = 0.006f;

  RecordArena<PlanarParticle> particleRecords;
  RecordArena<PlanarSpring> springRecords;
  RecordArena<PlanarCircle> circleRecords;
};

extern PlanarWorld planarWorld;

// Frees every record of the current lists and sets the heads to none; a
// scene init that builds calls it first.
void releasePlanarLists();

PlanarParticle* newPlanarParticle(float mass, uint32_t flags, Vector3 position, Vector3 velocity);
PlanarSpring* newPlanarSpring(PlanarParticle* a, PlanarParticle* b, SpringLaw law, uint32_t kind);
PlanarCircle* newPlanarCircle(uint32_t flags, PlanarParticle* carrier, Vector3 position, float radius,
                              float bounce);

// The same, linked behind the last record of the list that starts at head.
PlanarParticle* appendPlanarParticle(PlanarParticle* head, float mass, uint32_t flags, Vector3 position,
                                     Vector3 velocity);
PlanarSpring* appendPlanarSpring(PlanarSpring* head, PlanarParticle* a, PlanarParticle* b, SpringLaw law,
                                 uint32_t kind);
// Also marks the carrier, if any, with PlanarParticleCarrier.
PlanarCircle* appendPlanarCircle(PlanarCircle* head, uint32_t flags, PlanarParticle* carrier, Vector3 position,
                                 float radius, float bounce);

// Advances the world by a frame of frameMs milliseconds: substeps of at most
// 0.006, each followed by a collision pass. Called once per idle cycle.
void planarStep(int32_t frameMs);

void planarForces(PlanarParticle* particles, PlanarSpring* springs);
void planarHalf(PlanarParticle* particles, float h);
void planarFull(PlanarParticle* particles, float h);
void planarUpdateCircles(PlanarCircle* circles);
// Circle walls, particle walls each followed by that particle's fixed
// circles, then circle pairs.
void planarCollide(PlanarParticle* particles, PlanarCircle* circles);

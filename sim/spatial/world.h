#pragma once
// The spatial particle engine's records and its one World: point masses
// (particles) joined by damped springs, and spheres that ride on particles or
// stand fixed. Every list is singly linked and starts with a head record
// whose flags keep it out of the simulation and the pictures; builders append
// behind the last record and nothing is removed while a list is in use.
//
// The step, forces and collisions are in worldStep.h; no drawing here.
#include <cstdint>

#include "sim/engine/recordArena.h"
#include "sim/engine/springLaw.h"
#include "sim/vector3.h"

// Particle flags; bits from 16 up belong to the scenes.
inline constexpr uint32_t ParticleCollides = 1;  // walls and fixed spheres; drawn
inline constexpr uint32_t ParticleFixed = 2;     // never integrated, force never reset
inline constexpr uint32_t ParticleCarried = 4;   // a sphere rides on it
inline constexpr uint32_t ParticleHidden = 8;    // never drawn; list heads

// Sphere flags; 8 and 16 are carried for the scenes.
inline constexpr uint32_t SphereActive = 1;   // collides and is drawn
inline constexpr uint32_t SphereIgnored = 2;  // not an obstacle for particles; list heads
inline constexpr uint32_t SphereWire = 4;     // drawn as a wire sphere

// Spring tag bit the scenes share: a link that is never drawn. The engine
// itself never reads tags.
inline constexpr uint32_t SpringHidden = 4;

struct Particle {
  float mass = 0.0f;
  uint32_t flags = 0;
  Vector3 position;
  Vector3 velocity;
  Vector3 force;
  // Start of the current substep, kept by the first integrator stage.
  Vector3 savedPosition;
  Vector3 savedVelocity;
  // Only the particle-against-fixed-sphere test of the boxed pass reads it.
  double radius = 0.0;
  Particle* next = nullptr;
};

struct Spring {
  uint32_t tag = 0;  // the scenes' bits; the engine never reads them
  Particle* a = nullptr;
  Particle* b = nullptr;
  float stiffness = 0.0f;
  float damping = 0.0f;
  float restLength = 0.0f;
  Spring* next = nullptr;
};

struct Sphere {
  uint32_t flags = 0;
  Particle* carrier = nullptr;  // none makes a fixed sphere
  Vector3 position;
  float radius = 0.0f;
  float bounce = 0.0f;  // applied to the velocity of whatever hits this sphere
  float colour[3] = {0.0f, 0.0f, 0.0f};
  Sphere* next = nullptr;
};

struct World {
  Particle* particles = nullptr;
  Spring* springs = nullptr;
  Sphere* spheres = nullptr;
  Vector3 gravity;
  int32_t pendulumCount = 0;
  float boxMinX = -0.9f;
  float boxMaxX = 0.9f;
  float boxMinY = -0.9f;
  float boxMaxY = 1.0f;
  float boxMinZ = -0.9f;
  float boxMaxZ = 0.9f;
  float timeScale = 0.005f;
  float stepSize = 0.005f;
  float wallBounce = 0.8f;

  // Every record made since the lists were last released.
  RecordArena<Particle> particleRecords;
  RecordArena<Spring> springRecords;
  RecordArena<Sphere> sphereRecords;
};

extern World world;

// Frees every record of the current lists and sets the three heads to none.
// An init that builds new lists calls it (or startWorldLists) first; settings
// such as gravity, the box and pendulumCount stay as they are.
void releaseWorldLists();
// Releases the lists and makes the three heads every engine scene starts
// from, in this order: a hidden particle of mass 1 at the origin, a spring
// joining it to itself with the given tag, an ignored sphere without carrier.
void startWorldLists(uint32_t springHeadTag);

// Records, not yet linked into any list.
Particle* newParticle(float mass, uint32_t flags, Vector3 position, Vector3 velocity, double radius);
Spring* newSpring(Particle* a, Particle* b, SpringLaw law);
// A rest length of exactly 0 becomes the present distance of a and b.
Spring* newSpringMeasured(Particle* a, Particle* b, SpringLaw law, uint32_t tag);
// A rest length of exactly 0 becomes 10/11 of the present distance, so the
// spring starts stretched.
Spring* newSpringSlack(Particle* a, Particle* b, SpringLaw law, uint32_t tag);
// The colour is drawn from the shared generator: red, green, blue.
Sphere* newSphere(float radius, Vector3 position, float bounce, uint32_t flags, Particle* carrier);

// The same, linked behind the last record of the list that starts at head.
// With no head the record is made but belongs to no list.
Particle* appendParticle(Particle* head, float mass, uint32_t flags, Vector3 position, Vector3 velocity,
                         double radius);
Spring* appendSpring(Spring* head, Particle* a, Particle* b, SpringLaw law);
Spring* appendSpringMeasured(Spring* head, Particle* a, Particle* b, SpringLaw law, uint32_t tag);
Spring* appendSpringSlack(Spring* head, Particle* a, Particle* b, SpringLaw law, uint32_t tag);
// Also marks the carrier, if any, with ParticleCarried.
Sphere* appendSphere(Sphere* head, float radius, Vector3 position, float bounce, uint32_t flags,
                     Particle* carrier);

// The last record of the chain that starts at node.
Particle* lastParticle(Particle* node);
// The record n links further on; node itself when n < 1 or the chain is shorter.
Particle* particleAfter(Particle* node, int n);
// The index-th particle behind the World's head, from 0; the head itself when
// index is negative or not less than the number of particles behind it.
Particle* particleAt(int index);

// One pendulum each, standing pendulumCount x 2/19 - 0.5 along x after the
// count went up: a fixed pivot at height 0.9, a bob carrying a wire ball of
// radius 0.05, and two equal springs of rest length 0.4 between them. The
// hanging bob starts 0.5 below the pivot, the raised one level with it and
// 0.3 to its right.
void addHangingPendulum();
void addRaisedPendulum();

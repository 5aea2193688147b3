#pragma once
// A stick figure in the spatial engine's World: thirteen joints joined by
// thirty-four springs, a sphere riding on the head, and seven of the springs
// acting as muscles whose rest lengths swing with a running phase. The
// figure is built standing in the plane z = 0 with its arms stretched out
// sideways (Right is the +x side), its feet a little below the floor, so the
// first collision pass sets it down and it settles from there.
//
// The World's settings (gravity, box, step) and the camera are the scenes'
// business; building only replaces the three lists.
#include <cstdint>

#include "sim/spatial/world.h"

// Particle bit of the human scenes: the joint is drawn with a velocity arrow.
inline constexpr uint32_t ParticleShowVelocity = 16;
// Spring tag bit: the spring is drawn as a limb, unless it is also hidden.
inline constexpr uint32_t SpringShown = 1;

// The joints in the order they stand in the particle list behind its head.
enum class Joint : int {
  shoulderRight,
  shoulderLeft,
  neck,
  pelvis,
  kneeRight,
  kneeLeft,
  elbowRight,
  elbowLeft,
  footRight,
  footLeft,
  head,
  handRight,
  handLeft,
};
inline constexpr int jointCount = 13;
inline constexpr int bodySpringCount = 34;
inline constexpr int muscleCount = 7;

// The start lengths the muscle laws swing about, taken from the
// single-precision rest lengths of springs 0, 1, 3 and 5.
struct MuscleBase {
  double baseThigh = 0.0;
  double baseKnees = 0.0;
  double baseArm = 0.0;
  double baseFeet = 0.0;
};

struct HumanBody {
  MuscleBase muscleBase;
  // Seconds of frame time since the body was built.
  double musclePhase = 0.0;
  // The first spring behind the list head; the seven muscles follow it.
  Spring* muscles = nullptr;
};

extern HumanBody humanBody;

// New World lists holding the body at rest in its start pose, the muscle
// base measured from it and the phase at 0. Draws six random numbers: the
// colours of the sphere list head and of the head sphere.
void buildHumanBody();

// The joint as it stands in the World's particle list.
Particle* jointParticle(Joint joint);

// The rest lengths of the seven muscles at phase t, muscle 0 first.
struct MuscleLengths {
  double length[muscleCount] = {};
};
MuscleLengths muscleLengthsAt(const MuscleBase& base, double t);

// One idle cycle of frameMs milliseconds: the World's boxed step with the
// rest lengths of the previous cycle, then the muscles set for the phase
// before this cycle, then the phase moves on by frameMs / 1000 seconds.
void stepHumanBody(int32_t frameMs);

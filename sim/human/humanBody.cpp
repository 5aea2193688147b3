#include "sim/human/humanBody.h"

#include <cmath>

#include "sim/spatial/worldStep.h"

HumanBody humanBody;

namespace {

struct JointRecord {
  float mass;
  Vector3 position;
};

// Mass and start position of each joint, in list order. The feet carry just
// over half of the 11.062 in all; hands and elbows are the lightest.
constexpr JointRecord joints[jointCount] = {
    {1.0f, {0.182, 0.0, 0.0}},       // shoulderRight
    {1.0f, {-0.182, 0.0, 0.0}},      // shoulderLeft
    {0.1f, {0.0, 0.00325, 0.0}},     // neck
    {1.0f, {0.0, -0.325, 0.0}},      // pelvis
    {1.0f, {0.195, -0.585, 0.0}},    // kneeRight
    {1.0f, {-0.195, -0.585, 0.0}},   // kneeLeft
    {0.081f, {0.364, 0.013, 0.0}},   // elbowRight
    {0.081f, {-0.364, 0.013, 0.0}},  // elbowLeft
    {2.8f, {0.26, -0.975, 0.0}},     // footRight
    {2.8f, {-0.26, -0.975, 0.0}},    // footLeft
    {0.1f, {0.0, 0.1625, 0.0}},      // head
    {0.05f, {0.481, 0.039, 0.0}},    // handRight
    {0.05f, {-0.481, 0.039, 0.0}},   // handLeft
};

struct SpringRecord {
  Joint a;
  Joint b;
  float stiffness;
  float damping;
  uint32_t tag;
};

constexpr uint32_t limb = SpringShown;
constexpr uint32_t tie = SpringShown | SpringHidden;

using enum Joint;

// Every spring is measured: its rest length is the start distance of its
// ends. The first seven are the muscles, found by walking the list. Springs
// 27 and 29 repeat the thigh muscles with a fixed length, and left and right
// differ in 13/14, 20/21, 22/23 and 32/33, so the figure is not
// mirror-symmetric.
constexpr SpringRecord springs[bodySpringCount] = {
    {kneeRight, pelvis, 180.0f, 14.0f, limb},           // 0 muscle: right thigh
    {kneeRight, kneeLeft, 14.0f, 6.0f, tie},            // 1 muscle: knees
    {kneeLeft, pelvis, 180.0f, 14.0f, limb},            // 2 muscle: left thigh
    {elbowRight, shoulderRight, 67.0f, 4.0f, limb},     // 3 muscle: right arm
    {elbowLeft, shoulderLeft, 67.0f, 4.0f, limb},       // 4 muscle: left arm
    {footRight, footLeft, 180.0f, 4.0f, tie},           // 5 muscle: feet
    {footRight, footLeft, 180.0f, 4.0f, tie},           // 6 muscle: feet
    {elbowRight, pelvis, 1.0f, 1.0f, tie},              // 7
    {elbowLeft, pelvis, 1.0f, 1.0f, tie},               // 8
    {handRight, elbowRight, 173.0f, 4.0f, limb},        // 9
    {handLeft, elbowLeft, 173.0f, 4.0f, limb},          // 10
    {handRight, head, 173.0f, 4.0f, tie},               // 11
    {handLeft, head, 173.0f, 4.0f, tie},                // 12
    {kneeLeft, head, 160.0f, 1.0f, tie},                // 13
    {head, kneeRight, 170.0f, 1.0f, tie},               // 14
    {footRight, kneeLeft, 180.0f, 4.0f, tie},           // 15
    {footLeft, kneeRight, 180.0f, 4.0f, tie},           // 16
    {kneeRight, footRight, 180.0f, 4.0f, limb},         // 17
    {kneeLeft, footLeft, 180.0f, 4.0f, limb},           // 18
    {neck, head, 180.0f, 4.0f, limb},                   // 19
    {shoulderLeft, head, 120.0f, 4.0f, tie},            // 20
    {shoulderRight, head, 110.0f, 4.0f, tie},           // 21
    {shoulderLeft, neck, 110.0f, 4.0f, limb},           // 22
    {shoulderRight, neck, 120.0f, 4.0f, limb},          // 23
    {pelvis, neck, 180.0f, 14.0f, limb},                // 24
    {shoulderLeft, pelvis, 180.0f, 14.0f, tie},         // 25
    {pelvis, shoulderRight, 180.0f, 14.0f, tie},        // 26
    {kneeRight, pelvis, 180.0f, 14.0f, limb},           // 27
    {kneeRight, shoulderRight, 180.0f, 14.0f, tie},     // 28
    {kneeLeft, pelvis, 180.0f, 14.0f, tie},             // 29
    {kneeLeft, shoulderLeft, 180.0f, 14.0f, tie},       // 30
    {footRight, footLeft, 80.0f, 4.0f, tie},            // 31
    {footRight, pelvis, 90.0f, 4.0f, tie},              // 32
    {footLeft, pelvis, 20.0f, 4.0f, tie},               // 33
};

constexpr uint32_t jointFlags = ParticleCollides | ParticleShowVelocity;

// The head sphere keeps the head its radius inside the walls; its colour is
// drawn but never shown.
constexpr float headRadius = 0.09f;
constexpr float headBounce = 0.5f;

}  // namespace

Particle* jointParticle(Joint joint) { return particleAt(static_cast<int>(joint)); }

void buildHumanBody() {
  startWorldLists(0);
  for (int i = 0; i < jointCount; ++i) {
    Particle* p = appendParticle(world.particles, joints[i].mass, jointFlags, joints[i].position, {}, 0.0);
    if (static_cast<Joint>(i) == head) appendSphere(world.spheres, headRadius, {}, headBounce, SphereActive | SphereWire, p);
  }
  for (const SpringRecord& s : springs) {
    appendSpringMeasured(world.springs, jointParticle(s.a), jointParticle(s.b),
                         {.stiffness = s.stiffness, .damping = s.damping, .restLength = 0.0f}, s.tag);
  }
  HumanBody& body = humanBody;
  body.muscles = world.springs->next;
  const Spring* knees = body.muscles->next;
  const Spring* arm = knees->next->next;
  const Spring* feet = arm->next->next;
  body.muscleBase = {.baseThigh = body.muscles->restLength,
                     .baseKnees = knees->restLength,
                     .baseArm = arm->restLength,
                     .baseFeet = feet->restLength};
  body.musclePhase = 0.0;
}

MuscleLengths muscleLengthsAt(const MuscleBase& base, double t) {
  // Right thigh, knees, arms and feet swing with a period of 2 pi seconds,
  // the left thigh 0.4 times as fast; the arms a quarter period apart. The
  // knee tie starts at length 0 and pulls the knees together at once.
  constexpr double thighSwing = 0.6666666666666666;
  constexpr double armSwing = 0.2272727223467237;
  const double sine = std::sin(t);
  const double cosine = std::cos(t);
  const double feet = base.baseFeet - sine * base.baseFeet * 0.5;
  return {{
      base.baseThigh - sine * base.baseThigh * thighSwing,
      base.baseKnees - cosine * base.baseKnees,
      (std::sin(0.4 * t) * thighSwing + 1.0) * base.baseThigh,
      base.baseArm - cosine * base.baseArm * armSwing,
      base.baseArm - sine * base.baseArm * armSwing,
      feet,
      feet,
  }};
}

void stepHumanBody(int32_t frameMs) {
  HumanBody& body = humanBody;
  // The step integrates with the lengths written in the previous cycle.
  stepBoxedWorld(frameMs);
  const MuscleLengths lengths = muscleLengthsAt(body.muscleBase, body.musclePhase);
  Spring* muscle = body.muscles;
  for (int i = 0; i < muscleCount && muscle != nullptr; ++i, muscle = muscle->next) {
    muscle->restLength = static_cast<float>(lengths.length[i]);
  }
  // frameMs * 0.1 * 0.01 with the single-precision 0.1: seconds of frame time.
  body.musclePhase += static_cast<double>(static_cast<float>(frameMs) * 0.1f) * 0.01;
}

// The stick figure as it is built, its muscle laws and its first cycles,
// against the joint and spring tables and the closed forms of the laws.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/random.h"
#include "sim/human/humanBody.h"
#include "tests/support/listLength.h"
#include "tests/support/stateHash.h"

namespace {

const Spring* springAt(int index) {
  const Spring* s = world.springs->next;
  for (int i = 0; i < index; ++i) s = s->next;
  return s;
}

const Particle& joint(Joint j) { return *jointParticle(j); }

class HumanBodyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    world = {};
    world.gravity = {0.0, -4.0, 0.0};
    resetDemoRand();
    buildHumanBody();
  }
  void TearDown() override { world = {}, humanBody = {}; }
};

TEST_F(HumanBodyTest, BuiltInTheOrderOfTheTables) {
  // Heads plus 13 joints, 34 springs and the head sphere; three colour draws
  // for each sphere, the list head's included.
  EXPECT_TRUE(listLength(world.particles) == 14 && listLength(world.springs) == 35 && listLength(world.spheres) == 2);
  EXPECT_EQ(demoRandDraws(), 6u);
  for (int i = 0; i < jointCount; ++i) EXPECT_EQ(joint(Joint(i)).flags, i == int(Joint::head) ? 21u : 17u) << i;
  const Sphere& ball = *world.spheres->next;
  EXPECT_TRUE(ball.carrier == &joint(Joint::head) && ball.flags == 5u && ball.radius == 0.09f && ball.bounce == 0.5f);
  // The measured lengths, rounded as in the table.
  constexpr double lengths[bodySpringCount] = {
      0.325,    0.39,     0.325,    0.182464, 0.182464, 0.52,     0.52,     0.496729, 0.496729, 0.119854,
      0.119854, 0.496602, 0.496602, 0.772516, 0.772516, 0.599270, 0.599270, 0.395380, 0.395380, 0.15925,
      0.243988, 0.243988, 0.182029, 0.182029, 0.32825,  0.372490, 0.372490, 0.325,    0.585144, 0.325,
      0.585144, 0.52,     0.700071, 0.700071};
  float stiffness = 0.0f, damping = 0.0f;
  int limbs = 0;
  for (int i = 0; i < bodySpringCount; ++i) {
    const Spring& s = *springAt(i);
    EXPECT_NEAR(s.restLength, lengths[i], 1e-6) << i;
    stiffness += s.stiffness, damping += s.damping, limbs += s.tag == 1u;
  }
  EXPECT_TRUE(stiffness == 4702.0f && damping == 216.0f && limbs == 13);
  EXPECT_TRUE(springAt(19)->restLength == 0.15925f && springAt(24)->restLength == 0.32825f);
  EXPECT_TRUE(springAt(4)->a == &joint(Joint::elbowLeft) && springAt(4)->b == &joint(Joint::shoulderLeft));
  const MuscleBase& base = humanBody.muscleBase;
  EXPECT_EQ(base.baseThigh, 0.32499998807907104);
  EXPECT_TRUE(base.baseKnees == 0.39f && base.baseFeet == 0.52f);
  EXPECT_EQ(base.baseArm, static_cast<float>(std::hypot(0.182, 0.013)));
}

TEST_F(HumanBodyTest, MuscleLawsAtTheStartAndAQuarterPeriodOn) {
  const MuscleBase& b = humanBody.muscleBase;
  const double arm = 1.0 - 0.2272727223467237;
  const double law[2][muscleCount] = {
      {b.baseThigh, 0.0, b.baseThigh, b.baseArm * arm, b.baseArm, b.baseFeet, b.baseFeet},
      {b.baseThigh / 3.0, b.baseKnees, (std::sin(0.2 * std::numbers::pi) * 2.0 / 3.0 + 1.0) * b.baseThigh,
       b.baseArm, b.baseArm * arm, b.baseFeet / 2.0, b.baseFeet / 2.0}};
  // A cycle of 0 ms writes the lengths of the phase as it stands.
  for (int k = 0; k < 2; ++k) {
    humanBody.musclePhase = k * std::numbers::pi / 2.0;
    stepHumanBody(0);
    EXPECT_EQ(humanBody.musclePhase, k * std::numbers::pi / 2.0);
    for (int i = 0; i < muscleCount; ++i) EXPECT_NEAR(springAt(i)->restLength, law[k][i], 1e-7) << k << " " << i;
  }
  // The passive twins of the thigh muscles keep their lengths.
  EXPECT_TRUE(springAt(27)->restLength == 0.325f && springAt(29)->restLength == 0.325f);
}

TEST_F(HumanBodyTest, FirstCyclesSetTheFeetDownAndCountSecondsOfFrameTime) {
  // The step comes first, with every spring at rest: all joints fall alike,
  // by g h^2 = 0.0001 in a substep, and the feet are put on the floor.
  Vector3 start[jointCount];
  for (int i = 0; i < jointCount; ++i) start[i] = joint(Joint(i)).position;
  stepHumanBody(20);
  for (int i = 0; i < jointCount; ++i) {
    const Vector3& p = joint(Joint(i)).position;
    const bool foot = i == int(Joint::footRight) || i == int(Joint::footLeft);
    EXPECT_TRUE(std::fabs(p.x - start[i].x) < 1e-9 && std::fabs(p.y - (foot ? -0.9f : start[i].y - 1e-4)) < 1e-9) << i;
  }
  EXPECT_TRUE(springAt(1)->restLength == 0.0f && joint(Joint::footLeft).velocity.y > 0.0);
  EXPECT_NEAR(humanBody.musclePhase, 0.02, 1e-9);
  // 200 ms are ten substeps of h = 0.005; the hidden list head falls freely,
  // each substep with the velocity at its end: v0 10 h + g h^2 (1 + ... + 10).
  const double y0 = world.particles->position.y, v0 = world.particles->velocity.y;
  stepHumanBody(200);
  EXPECT_NEAR(world.particles->position.y - y0, v0 * 0.05 - 4.0 * 0.005 * 0.005 * 55.0, 1e-9);
  EXPECT_NEAR(humanBody.musclePhase, 0.22, 1e-9);
}

TEST_F(HumanBodyTest, BuildingAgainGivesTheSameBodyAndTheSameMotion) {
  for (int cycle = 0; cycle < 50; ++cycle) stepHumanBody(20);
  const auto fingerprint = [] {
    StateHash hash;
    for (const Particle* p = world.particles; p != nullptr; p = p->next) hash.add(p->position), hash.add(p->velocity);
    for (const Spring* s = world.springs; s != nullptr; s = s->next) hash.add(s->restLength);
    hash.add(humanBody.musclePhase);
    return hash.value;
  };
  buildHumanBody();
  const uint64_t first = fingerprint();
  buildHumanBody();
  EXPECT_TRUE(fingerprint() == first && humanBody.musclePhase == 0.0);
  for (int cycle = 0; cycle < 100; ++cycle) stepHumanBody(20);
  EXPECT_EQ(fingerprint(), 0x4cfa7cf367ba3693ull);  // as last known good
}

TEST_F(HumanBodyTest, AWholeEntryStaysInTheBoxStandsAndTheFeetFollowTheirMuscles) {
  // 5.3 s at 60 frames a second, as long as the title card.
  double torso = 1.0, feetHeight = -1.0, narrowest = 1.0, widest = 0.0;
  for (int cycle = 0; cycle < 318; ++cycle) {
    stepHumanBody(cycle % 3 == 2 ? 16 : 17);
    for (int i = 0; i < jointCount; ++i) {
      const Vector3& p = joint(Joint(i)).position;
      ASSERT_TRUE(std::fabs(p.x) <= 0.9f && p.y >= -0.9f && p.y <= 1.0f && std::fabs(p.z) <= 0.9f) << i;
      ASSERT_TRUE(std::isfinite(joint(Joint(i)).velocity.length())) << i;
    }
    const Vector3& right = joint(Joint::footRight).position;
    const Vector3& left = joint(Joint::footLeft).position;
    torso = std::min(torso, joint(Joint::head).position.y - joint(Joint::pelvis).position.y);
    feetHeight = std::max({feetHeight, right.y, left.y});
    narrowest = std::min(narrowest, right.x - left.x);
    widest = std::max(widest, right.x - left.x);
  }
  EXPECT_NEAR(humanBody.musclePhase, 5.3, 1e-5);
  // The heavy feet stay on the floor, the head above the pelvis (0.49 at first).
  EXPECT_TRUE(feetHeight < -0.89 && torso > 0.35);
  // Muscles 5 and 6 (180 each) swing between 0.26 and 0.78 beside spring 31
  // (80) at 0.52: together they hold the feet (360 x 0.26 + 80 x 0.52) / 440
  // = 0.307 apart at t = pi/2 and 0.733 at 3 pi/2, reached with some lag.
  EXPECT_TRUE(narrowest > 0.28 && narrowest < 0.33) << narrowest;
  EXPECT_TRUE(widest > 0.72 && widest < 0.78) << widest;
}

}  // namespace

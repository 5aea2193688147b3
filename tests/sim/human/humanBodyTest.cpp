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

int jointIndex(const Particle* p) {
  for (int i = 0; i < jointCount; ++i) {
    if (jointParticle(static_cast<Joint>(i)) == p) return i;
  }
  return -1;
}

bool insideBox(const Particle& p) {
  const World& w = world;
  return p.position.x >= w.boxMinX && p.position.x <= w.boxMaxX && p.position.y >= w.boxMinY &&
         p.position.y <= w.boxMaxY && p.position.z >= w.boxMinZ && p.position.z <= w.boxMaxZ;
}

class HumanBodyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    world = {};
    world.gravity = {0.0, -4.0, 0.0};
    humanBody = {};
    resetDemoRand();
    buildHumanBody();
  }
  void TearDown() override {
    world = {};
    humanBody = {};
  }
};

TEST_F(HumanBodyTest, BuiltInTheOrderOfTheTables) {
  // Heads plus 13 joints, 34 springs, the head sphere; three colour draws for
  // each sphere, the list head's included.
  EXPECT_TRUE(listLength(world.particles) == 14 && listLength(world.springs) == 35 && listLength(world.spheres) == 2);
  EXPECT_EQ(demoRandDraws(), 6u);
  float mass = 0.0f;
  for (int i = 0; i < jointCount; ++i) {
    const Particle& p = *jointParticle(static_cast<Joint>(i));
    EXPECT_EQ(p.flags, i == static_cast<int>(Joint::head) ? 21u : 17u) << i;
    mass += p.mass;
  }
  EXPECT_NEAR(mass, 11.062f, 1e-5);
  const Sphere& ball = *world.spheres->next;
  EXPECT_TRUE(ball.carrier == jointParticle(Joint::head) && ball.flags == 5u && ball.radius == 0.09f && ball.bounce == 0.5f);
  EXPECT_EQ(jointParticle(Joint::footLeft)->position.y, -0.975);

  // Ends (as joint numbers) and measured lengths of every spring.
  constexpr int ends[bodySpringCount][2] = {
      {4, 3}, {4, 5},  {5, 3},  {6, 0}, {7, 1}, {8, 9}, {8, 9}, {6, 3},  {7, 3},  {11, 6}, {12, 7}, {11, 10},
      {12, 10}, {5, 10}, {10, 4}, {8, 5}, {9, 4}, {4, 8}, {5, 9}, {2, 10}, {1, 10}, {0, 10}, {1, 2}, {0, 2},
      {3, 2}, {1, 3},  {3, 0},  {4, 3}, {4, 0}, {5, 3}, {5, 1}, {8, 9},  {8, 3},  {9, 3}};
  constexpr double lengths[bodySpringCount] = {
      0.325,    0.39,     0.325,    0.182464, 0.182464, 0.52,     0.52,     0.496729, 0.496729, 0.119854,
      0.119854, 0.496602, 0.496602, 0.772516, 0.772516, 0.599270, 0.599270, 0.395380, 0.395380, 0.15925,
      0.243988, 0.243988, 0.182029, 0.182029, 0.32825,  0.372490, 0.372490, 0.325,    0.585144, 0.325,
      0.585144, 0.52,     0.700071, 0.700071};
  float stiffness = 0.0f, damping = 0.0f;
  int limbs = 0;
  for (int i = 0; i < bodySpringCount; ++i) {
    const Spring& s = *springAt(i);
    EXPECT_TRUE(jointIndex(s.a) == ends[i][0] && jointIndex(s.b) == ends[i][1]) << i;
    EXPECT_NEAR(s.restLength, lengths[i], 1e-6) << i;
    EXPECT_TRUE(s.tag == 1u || s.tag == 5u) << i;
    limbs += s.tag == 1u;
    stiffness += s.stiffness;
    damping += s.damping;
  }
  EXPECT_EQ(springAt(19)->restLength, 0.15925f);
  EXPECT_EQ(springAt(24)->restLength, 0.32825f);
  EXPECT_TRUE(stiffness == 4702.0f && damping == 216.0f && limbs == 13);
  // Left and right differ in these pairs.
  EXPECT_TRUE(springAt(13)->stiffness == 160.0f && springAt(14)->stiffness == 170.0f);
  EXPECT_TRUE(springAt(32)->stiffness == 90.0f && springAt(33)->stiffness == 20.0f);

  const MuscleBase& base = humanBody.muscleBase;
  EXPECT_EQ(base.baseThigh, 0.32499998807907104);
  EXPECT_TRUE(base.baseKnees == 0.39f && base.baseFeet == 0.52f);
  EXPECT_EQ(base.baseArm, static_cast<float>(std::sqrt(0.182 * 0.182 + 0.013 * 0.013)));
  EXPECT_TRUE(humanBody.muscles == world.springs->next && humanBody.musclePhase == 0.0);
}

TEST_F(HumanBodyTest, MuscleLawsAtTheStartAndAQuarterPeriodOn) {
  const MuscleBase& b = humanBody.muscleBase;
  const double arm = 0.2272727223467237;
  const double start[muscleCount] = {b.baseThigh, 0.0,       b.baseThigh, b.baseArm * (1.0 - arm),
                                     b.baseArm,   b.baseFeet, b.baseFeet};
  const double quarter[muscleCount] = {b.baseThigh / 3.0,
                                       b.baseKnees,
                                       (std::sin(0.2 * std::numbers::pi) * 2.0 / 3.0 + 1.0) * b.baseThigh,
                                       b.baseArm,
                                       b.baseArm * (1.0 - arm),
                                       b.baseFeet / 2.0,
                                       b.baseFeet / 2.0};
  // A cycle of 0 ms writes the lengths of the phase as it stands and leaves
  // the phase alone.
  for (const double t : {0.0, std::numbers::pi / 2.0}) {
    humanBody.musclePhase = t;
    stepHumanBody(0);
    EXPECT_EQ(humanBody.musclePhase, t);
    for (int i = 0; i < muscleCount; ++i) {
      EXPECT_NEAR(springAt(i)->restLength, (t == 0.0 ? start : quarter)[i], 1e-7) << t << " muscle " << i;
    }
  }
  // The passive twins of the thigh muscles keep their lengths.
  EXPECT_TRUE(springAt(27)->restLength == 0.325f && springAt(29)->restLength == 0.325f);
}

TEST_F(HumanBodyTest, FirstCyclesSetTheFeetDownAndCountSecondsOfFrameTime) {
  // The step comes first, with the measured lengths: every spring is at
  // rest, so all joints fall alike, by g h^2 = 0.0001 in one substep (the
  // knee muscle is 0 only after the step), and only the feet are put back.
  Vector3 start[jointCount];
  for (int i = 0; i < jointCount; ++i) start[i] = jointParticle(static_cast<Joint>(i))->position;
  stepHumanBody(20);
  for (int i = 0; i < jointCount; ++i) {
    const Vector3& p = jointParticle(static_cast<Joint>(i))->position;
    const bool foot = i == static_cast<int>(Joint::footRight) || i == static_cast<int>(Joint::footLeft);
    EXPECT_NEAR(p.x, start[i].x, 1e-9) << i;
    EXPECT_TRUE(foot || std::fabs(p.y - start[i].y + 0.0001) < 1e-9) << i;
  }
  EXPECT_EQ(springAt(1)->restLength, 0.0f);
  for (const Joint foot : {Joint::footRight, Joint::footLeft}) {
    const Particle& p = *jointParticle(foot);
    EXPECT_EQ(p.position.y, static_cast<double>(-0.9f));  // put on the floor
    EXPECT_GT(p.velocity.y, 0.0);                         // thrown back up
  }
  EXPECT_NEAR(humanBody.musclePhase, 0.02, 1e-9);

  // 200 ms are ten substeps of h = 0.005. The hidden list head falls
  // freely, and each substep moves it with the velocity at the substep's
  // end: after n substeps it has fallen v0 n h + g h^2 n (n + 1) / 2.
  const double y0 = world.particles->position.y;
  const double v0 = world.particles->velocity.y;
  stepHumanBody(200);
  EXPECT_NEAR(world.particles->position.y - y0, v0 * 0.05 - 4.0 * 0.005 * 0.005 * 55.0, 1e-9);
  EXPECT_NEAR(world.particles->velocity.y - v0, -4.0 * 0.05, 1e-7);
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
  EXPECT_EQ(fingerprint(), first);
  EXPECT_EQ(humanBody.musclePhase, 0.0);
  // Two seconds of motion, as when the body was last known good.
  for (int cycle = 0; cycle < 100; ++cycle) stepHumanBody(20);
  EXPECT_EQ(fingerprint(), 0x4cfa7cf367ba3693ull);
}

TEST_F(HumanBodyTest, AWholeEntryStaysInTheBoxStandsAndTheFeetFollowTheirMuscles) {
  // 5.3 s of 60 frames a second (17, 17, 16 ms), as long as the title card.
  double torso = 1.0, feetHeight = -1.0, narrowest = 1.0, widest = 0.0;
  for (int cycle = 0; cycle < 318; ++cycle) {
    stepHumanBody(cycle % 3 == 2 ? 16 : 17);
    for (int i = 0; i < jointCount; ++i) {
      const Particle& p = *jointParticle(static_cast<Joint>(i));
      ASSERT_TRUE(insideBox(p) && std::isfinite(p.velocity.length())) << "joint " << i << " cycle " << cycle;
    }
    const Particle& right = *jointParticle(Joint::footRight);
    const Particle& left = *jointParticle(Joint::footLeft);
    torso = std::min(torso, jointParticle(Joint::head)->position.y - jointParticle(Joint::pelvis)->position.y);
    feetHeight = std::max({feetHeight, right.position.y, left.position.y});
    narrowest = std::min(narrowest, right.position.x - left.position.x);
    widest = std::max(widest, right.position.x - left.position.x);
  }
  EXPECT_NEAR(humanBody.musclePhase, 5.3, 1e-5);
  // The heavy feet stay on the floor and the head above the pelvis (0.49 at
  // the start).
  EXPECT_LT(feetHeight, -0.89);
  EXPECT_GT(torso, 0.35);
  // Three springs tie the feet: muscles 5 and 6 (180 each) swinging between
  // 0.26 and 0.78, and spring 31 (80) at 0.52. Together they hold the feet
  // (360 x 0.26 + 80 x 0.52) / 440 = 0.307 apart at t = pi/2 and 0.733 at
  // 3 pi/2; the figure stands on them with some lag and overshoot.
  EXPECT_TRUE(narrowest > 0.28 && narrowest < 0.33) << narrowest;
  EXPECT_TRUE(widest > 0.72 && widest < 0.78) << widest;
}

}  // namespace

// The logo scenes' pendulum, stepped alone and through the shared idle.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "runtime/sequencer.h"
#include "runtime/sharedCallbacks.h"
#include "sim/pendulum.h"
#include "tests/runtime/recordingSeam.h"

namespace {

// The short pendulum of the logo scenes, released from `angle` at `speed`.
void logoStart(double angle, double speed = 0.0) {
  pendulum = {angle, speed, 9.800000190734863, 0.2, 0.0010000000474974513};
}

TEST(Pendulum, OneStepOfTheSharedIdleUsesTheCyclesFrameTime) {
  installRecordingSeam();
  logoStart(2.5);
  SequencerState cycle;
  cycle.frameMs = 17;
  resetSequencer(cycle);
  idlePendulum();
  resetSequencer();
  // step = 17 * 0.1f * 0.001f = 0.00170000014 (single precision)
  // speed = sin(2.5) * 9.8 / 0.2 * step = 0.0498527346...
  // angle = 2.5 + step * speed = 2.50008474965...
  // bob = (sin, cos)(angle) * 0.2 = (0.119680852, -0.160238862)
  EXPECT_FLOAT_EQ(pendulum.pendulumStep, 0.0017000001f);
  EXPECT_NEAR(pendulum.pendulumSpeed, 0.049852734648955545, 1e-15);
  EXPECT_NEAR(pendulum.pendulumAngle, 2.5000847496558305, 1e-15);
  EXPECT_FLOAT_EQ(pendulum.pendulumX, 0.11968085f);
  EXPECT_FLOAT_EQ(pendulum.pendulumY, -0.16023886f);
  EXPECT_EQ(seamRecord.redisplays, 1);
}

TEST(Pendulum, StillAndBackwardStepsAndRestBeforeItIsSetUp) {
  // At the bottom (pi) there is no pull: a 0 ms step changes nothing, a
  // negative one moves back by step * speed.
  logoStart(std::numbers::pi, 5.0);
  stepPendulum(0);
  EXPECT_TRUE(pendulum.pendulumAngle == std::numbers::pi && pendulum.pendulumSpeed == 5.0);
  EXPECT_NEAR(pendulum.pendulumX, 0.0f, 1e-7f);
  EXPECT_FLOAT_EQ(pendulum.pendulumY, -0.2f);
  stepPendulum(-17);
  EXPECT_NEAR(pendulum.pendulumAngle, std::numbers::pi - 0.0085, 1e-8);
  // No length yet: it stays at rest instead of dividing zero by zero.
  pendulum = {};
  for (int n = 0; n < 10; ++n) stepPendulum(17);
  EXPECT_TRUE(pendulum.pendulumAngle == 0.0 && pendulum.pendulumX == 0.0f && pendulum.pendulumY == 0.0f);
}

TEST(Pendulum, SwingsOutAsFarOnTheOtherSide) {
  // About six full swings: the small-angle period is 2 pi sqrt(0.2 / 9.8) =
  // 0.9 s of pendulum time, and each step is 0.0017 s of it.
  logoStart(2.5);
  double low = 2.5, high = 2.5;
  for (int n = 0; n < 3000; ++n) {
    stepPendulum(17);
    low = std::min(low, pendulum.pendulumAngle);
    high = std::max(high, pendulum.pendulumAngle);
  }
  EXPECT_GT(low, 2.5 - 2e-3);
  EXPECT_NEAR(high, 2.0 * std::numbers::pi - 2.5, 2e-3);
}

}  // namespace

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "runtime/sequencer.h"
#include "runtime/sharedCallbacks.h"
#include "sim/pendulum.h"
#include "tests/runtime/recordingSeam.h"

namespace {

class PendulumTest : public testing::Test {
 protected:
  void SetUp() override {
    resetSequencer();
    pendulum = {};
    installRecordingSeam();
  }
  // The short pendulum of the logo scenes, released from 2.5 rad at rest.
  static void logoStart() {
    pendulum.pendulumGravity = 9.800000190734863;
    pendulum.pendulumLength = 0.2;
    pendulum.pendulumTimeScale = 0.0010000000474974513;
    pendulum.pendulumSpeed = 0.0;
    pendulum.pendulumAngle = 2.5;
  }
};

TEST_F(PendulumTest, OneStepFromTheLogoStart) {
  logoStart();
  // The shared idle steps by the cycle's frameMs.
  SequencerState cycle;
  cycle.frameMs = 17;
  resetSequencer(cycle);
  idlePendulum();
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

TEST_F(PendulumTest, StillCycleChangesNothingButStillRedraws) {
  logoStart();
  pendulum.pendulumAngle = std::numbers::pi;
  pendulum.pendulumSpeed = 3.0;
  stepPendulum(0);
  EXPECT_EQ(pendulum.pendulumAngle, std::numbers::pi);
  EXPECT_EQ(pendulum.pendulumSpeed, 3.0);
  // Straight down at pi.
  EXPECT_NEAR(pendulum.pendulumX, 0.0f, 1e-7f);
  EXPECT_FLOAT_EQ(pendulum.pendulumY, -0.2f);
}

TEST_F(PendulumTest, NegativeStepRunsBackwards) {
  logoStart();
  pendulum.pendulumAngle = std::numbers::pi;
  pendulum.pendulumSpeed = 5.0;
  stepPendulum(-17);
  EXPECT_FLOAT_EQ(pendulum.pendulumStep, -0.0017000001f);
  // At the bottom there is no pull, so it moves back by step * speed.
  EXPECT_NEAR(pendulum.pendulumAngle, std::numbers::pi - 0.0085, 1e-8);
}

TEST_F(PendulumTest, AtRestBeforeAnyLogoScene) {
  for (int n = 0; n < 10; ++n) stepPendulum(17);
  EXPECT_EQ(pendulum.pendulumAngle, 0.0);
  EXPECT_EQ(pendulum.pendulumSpeed, 0.0);
  EXPECT_EQ(pendulum.pendulumX, 0.0f);
  EXPECT_EQ(pendulum.pendulumY, 0.0f);
}

TEST_F(PendulumTest, SwingsBetweenItsTurningPoints) {
  logoStart();
  double low = pendulum.pendulumAngle;
  double high = low;
  // About six full swings: the small-angle period is 2 pi sqrt(0.2 / 9.8) =
  // 0.9 s of pendulum time, and each step is 0.0017 s of it.
  for (int n = 0; n < 3000; ++n) {
    stepPendulum(17);
    ASSERT_FALSE(std::isnan(pendulum.pendulumAngle));
    low = std::min(low, pendulum.pendulumAngle);
    high = std::max(high, pendulum.pendulumAngle);
  }
  // Energy is kept: it swings out as far on the other side of pi.
  const double mirror = 2.0 * std::numbers::pi - 2.5;
  EXPECT_GT(low, 2.5 - 2e-3);
  EXPECT_NEAR(high, mirror, 2e-3);
}

}  // namespace

// The water surface against values worked out by hand from its rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "scenes/fields/fluidScene.h"
#include "sim/fields/fluid.h"
#include "tests/runtime/recordingSeam.h"
#include "tests/support/stateHash.h"

namespace {

class FluidTest : public testing::Test {
 protected:
  void SetUp() override { fluid = {}, fluidInit(); }
};

double inner(const double* values) { return std::accumulate(values + 3, values + 197, 0.0); }
// The start shape at element k: the swell 0.125 cos((200 - k) / 36) + 0.344.
double swell(int k) { return 0.125 * std::cos((200 - k) / 36.0) + 0.344; }

TEST_F(FluidTest, StartShapeIsTheSwellOverTheRestLevel) {
  EXPECT_EQ(fluid.surface[0], 0.35);
  EXPECT_NEAR(fluid.surface[200], 0.469, 1e-15);
  EXPECT_NEAR(fluid.surface[1], 0.434999, 1e-6);  // cos(199 / 36) = 0.728392
  // The cosine's trough lies 36 pi = 113.1 points from the far end.
  EXPECT_EQ(std::min_element(fluid.surface, fluid.surface + fluidPoints) - fluid.surface, 87);
  EXPECT_NEAR(fluid.surface[87], 0.219, 1e-6);
  // A restart clears elements 0..199 only.
  fluid.riseSpeed[199] = fluid.riseSpeed[200] = 3.0;
  fluidInit();
  EXPECT_TRUE(fluid.riseSpeed[199] == 0.0 && fluid.riseSpeed[200] == 3.0);
}

TEST_F(FluidTest, OuterPointsHoldAndTheEndsCopyTheirNeighbours) {
  const FluidState start = fluid;
  for (int n = 0; n < 400; ++n) {
    fluidStep();
    ASSERT_TRUE(fluid.surface[2] == fluid.surface[3] && fluid.surface[197] == fluid.surface[196]) << "step " << n;
  }
  for (int k : {0, 1, 198, 199, 200}) EXPECT_EQ(fluid.surface[k], start.surface[k]) << k;
  EXPECT_EQ(fluid.depth[2] + fluid.depth[197] + fluid.riseSpeed[1] + fluid.riseSpeed[198], 0.0);
}

TEST_F(FluidTest, OneStepAtElement100) {
  // Depth = surface over a flat bottom, so the fluxes are differences of
  // squares: v = g dt / 8 (s99^2 - 2 s100^2 + s101^2) = 2.75057e-5.
  fluidStep();
  EXPECT_NEAR(fluid.riseSpeed[100], 2.7505676805060497e-05, 1e-16);
  EXPECT_NEAR(fluid.surface[100], 0.22718173321111895 + 0.5 * 2.7505676805060497e-05, 1e-16);
}

TEST_F(FluidTest, PointPushedUnderTheGroundSitsJustBelowItAndRunsDry) {
  std::fill(fluid.surface, fluid.surface + fluidPoints, 0.3);
  fluid.riseSpeed[100] = -1.0;
  fluidStep();  // flat water carries no flux; 0.3 - 0.5 is under the ground
  EXPECT_EQ(fluid.surface[100], -1e-6);
  // Dry now: the faces beside it weigh only the neighbour's depth 0.3, so each
  // neighbour gains 0.625 * 0.3 * (0.3 + 1e-6) towards it.
  fluidStep();
  EXPECT_EQ(fluid.depth[100], 0.0);
  for (int k : {99, 101}) EXPECT_NEAR(fluid.riseSpeed[k], -0.0562501875, 1e-15) << k;
  EXPECT_NEAR(fluid.riseSpeed[100], -1.0 + 2 * 0.0562501875, 1e-15);
}

TEST_F(FluidTest, SummedRiseSpeedIsFixedAfterTheFirstStep) {
  // The fluxes telescope to the two end faces. Depth 2 is never set and the
  // first step sees the start shape's unequal ends; after that the copied
  // ends close both faces, and the volume drifts by dt times that sum a step.
  const double first = 0.625 * ((swell(197) - swell(196)) * swell(196) - (swell(3) - swell(2)) * swell(3));
  fluidStep();
  EXPECT_NEAR(inner(fluid.riseSpeed), first, 1e-15);
  const double volume = inner(fluid.surface);
  for (int n = 0; n < 2000; ++n) fluidStep();
  EXPECT_NEAR(inner(fluid.riseSpeed), first, 1e-12);
  EXPECT_NEAR(inner(fluid.surface) - volume, 2000 * 0.5 * first, 1e-9);
}

TEST_F(FluidTest, TheCardStepsTwicePerCycleTheScenesOnce) {
  installRecordingSeam();
  fluidStep();
  const FluidState once = fluid;
  fluidStep();
  const FluidState twice = fluid;
  fluidInit();
  fluidIdle();
  EXPECT_TRUE(std::equal(once.surface, once.surface + fluidPoints, fluid.surface));
  fluidInit();
  fluidCardIdle();
  EXPECT_TRUE(std::equal(twice.surface, twice.surface + fluidPoints, fluid.surface));
  EXPECT_EQ(seamRecord.redisplays, 2);
}

TEST_F(FluidTest, StateAfterAThousandStepsMatchesTheRecordedOne) {
  for (int n = 0; n < 1000; ++n) fluidStep();
  StateHash hash;
  hash.add(fluid);
  EXPECT_EQ(hash.value, 0x9ed115505d3360d7ull);
}

}  // namespace

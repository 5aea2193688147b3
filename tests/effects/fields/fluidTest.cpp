// The water surface: its start shape, the fixed and copied ends, one step
// worked by hand, a point that runs dry, and the telescoping flux that keeps
// the summed rise speed constant.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "effects/fields/fluid.h"
#include "effects/fields/fluidScene.h"
#include "platform/clock.h"
#include "runtime/sequencer.h"
#include "tests/support/fileContents.h"
#include "tests/support/stateHash.h"

namespace {

class FluidTest : public testing::Test {
 protected:
  void SetUp() override {
    fluid = {};
    fluidInit();
  }
  static void steps(int count) {
    for (int n = 0; n < count; ++n) fluidStep();
  }
  static double riseSpeedSum() {
    double sum = 0.0;
    for (int k = 3; k <= 196; ++k) sum += fluid.riseSpeed[k];
    return sum;
  }
  static double volume() {
    double sum = 0.0;
    for (int k = 3; k <= 196; ++k) sum += fluid.surface[k];
    return sum;
  }
};

TEST_F(FluidTest, StartShapeIsTheSwellOverTheRestLevel) {
  EXPECT_EQ(fluid.surface[0], 0.35);
  EXPECT_NEAR(fluid.surface[200], 0.469, 1e-15);
  // cos(199 / 36) = 0.72839...
  EXPECT_NEAR(fluid.surface[1], 0.434999, 1e-6);
  // The trough of the cosine, 36 pi = 113.1 points from the far end.
  int lowest = 0;
  for (int k = 1; k < fluidPoints; ++k) {
    if (fluid.surface[k] < fluid.surface[lowest]) lowest = k;
  }
  EXPECT_EQ(lowest, 87);
  EXPECT_NEAR(fluid.surface[87], 0.219, 1e-6);
  for (int k = 0; k < fluidPoints; ++k) EXPECT_EQ(fluid.riseSpeed[k] + fluid.depth[k] + fluid.bottom[k], 0.0);

  // A restart clears elements 0..199 and leaves element 200 of the speeds.
  fluid.riseSpeed[199] = 2.0;
  fluid.riseSpeed[200] = 3.0;
  fluidInit();
  EXPECT_EQ(fluid.riseSpeed[199], 0.0);
  EXPECT_EQ(fluid.riseSpeed[200], 3.0);
}

TEST_F(FluidTest, OuterPointsHoldAndTheEndsCopyTheirNeighbours) {
  const FluidState start = fluid;
  for (int n = 0; n < 400; ++n) {
    fluidStep();
    ASSERT_EQ(fluid.surface[2], fluid.surface[3]) << "step " << n;
    ASSERT_EQ(fluid.surface[197], fluid.surface[196]) << "step " << n;
  }
  for (int k : {0, 1, 198, 199, 200}) {
    EXPECT_EQ(fluid.surface[k], start.surface[k]) << k;
    EXPECT_EQ(fluid.riseSpeed[k], 0.0) << k;
  }
  // Depths 2 and 197 are never computed; the water inside has moved.
  EXPECT_EQ(fluid.depth[2], 0.0);
  EXPECT_EQ(fluid.depth[197], 0.0);
  EXPECT_GT(std::fabs(fluid.surface[100] - start.surface[100]), 1e-3);
}

TEST_F(FluidTest, OneStepAtElement100) {
  // With the bottom at 0 the depth is the surface, and the two fluxes are
  // differences of squares: v = g dt / 8 (s99^2 - 2 s100^2 + s101^2).
  const double s99 = 0.2259913955070979;
  const double s100 = 0.22718173321111895;
  const double s101 = 0.22846220267094203;
  ASSERT_NEAR(fluid.surface[99], s99, 1e-15);
  ASSERT_NEAR(fluid.surface[101], s101, 1e-15);
  fluidStep();
  EXPECT_NEAR(fluid.riseSpeed[100], 2.7505676805060497e-05, 1e-16);
  EXPECT_NEAR(fluid.surface[100], s100 + 0.5 * 2.7505676805060497e-05, 1e-16);
  EXPECT_NEAR(fluid.depth[100], s100, 1e-16);
}

TEST_F(FluidTest, PointPushedUnderTheGroundSitsJustBelowIt) {
  for (double& s : fluid.surface) s = 0.3;
  fluid.riseSpeed[100] = -1.0;
  // Flat water: no flux; 0.3 - 0.5 would be under the ground.
  fluidStep();
  EXPECT_EQ(fluid.surface[100], -1e-6);
  EXPECT_EQ(fluid.riseSpeed[99], 0.0);
  // Next step it is dry: the faces beside it carry only the neighbour's depth,
  // 0.625 * 0.3 * (0.3 + 1e-6) towards it.
  fluidStep();
  EXPECT_EQ(fluid.depth[100], 0.0);
  EXPECT_NEAR(fluid.riseSpeed[99], -0.0562501875, 1e-15);
  EXPECT_NEAR(fluid.riseSpeed[101], -0.0562501875, 1e-15);
  EXPECT_NEAR(fluid.riseSpeed[100], -1.0 + 2 * 0.0562501875, 1e-15);
}

TEST_F(FluidTest, SummedRiseSpeedIsFixedAfterTheFirstStep) {
  // The fluxes telescope; only the end faces remain, and the zero-slope ends
  // close them from the second step on. The first step sees the start shape's
  // unequal ends: 0.625 ((s197 - s196) s196 - (s3 - s2) s3).
  auto start = [](int k) { return 0.125 * std::cos((200 - k) / 36.0) + 0.344; };
  const double first =
      0.625 * ((start(197) - start(196)) * start(196) - (start(3) - start(2)) * start(3));
  fluidStep();
  EXPECT_NEAR(riseSpeedSum(), first, 1e-15);
  const double volumeAfterOne = volume();
  steps(2000);
  EXPECT_NEAR(riseSpeedSum(), first, 1e-12);
  // So the volume drifts linearly, by dt times that sum per step.
  EXPECT_NEAR(volume() - volumeAfterOne, 2000 * 0.5 * first, 1e-9);
}

TEST_F(FluidTest, StateAfterAThousandStepsMatchesTheRecordedOne) {
  steps(1000);
  StateHash hash;
  hash.add(fluid.surface);
  hash.add(fluid.bottom);
  hash.add(fluid.riseSpeed);
  hash.add(fluid.depth);
  EXPECT_EQ(hash.value, 0x9ed115505d3360d7ull);
}

TEST_F(FluidTest, InitsSetTheClockAndZeroTheTimers) {
  useVirtualClock(9000);
  sequencer = {};
  sequencer.startTick = 1000;
  sequencer.forceAdvance = true;
  fluidTimers = {1.0f, 0.5f, 800.0f, 10.0f, 1.0f};
  fluid.surface[50] = 5.0;
  fluidIntroInit();
  EXPECT_EQ(sequencer.loadOffsetMs, 8000);
  EXPECT_FALSE(sequencer.forceAdvance);
  EXPECT_EQ(fluidTimers.veilIn + fluidTimers.veilOut + fluidTimers.captionIn + fluidTimers.captionOut +
                fluidTimers.strip, 0.0f);
  EXPECT_LT(fluid.surface[50], 0.5);

  fluidTimers.strip = 0.5f;
  fluidResetTimers();
  EXPECT_EQ(fluidTimers.strip, 0.0f);

  sequencer.forceAdvance = true;
  fluidTimers.veilIn = 0.5f;
  fluidInit2();
  EXPECT_FALSE(sequencer.forceAdvance);
  EXPECT_EQ(fluidTimers.veilIn, 0.0f);
  EXPECT_EQ(sequencer.loadOffsetMs, 8000);
  useRealClock();
}

TEST_F(FluidTest, DumpWritesTheFourArraysAsDoubles) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "vorranFluidDump";
  std::filesystem::create_directories(folder);
  fluidTimers = {};
  fluidTimers.captionIn = 2.5f;
  dumpFluid(folder.string());
  for (const char* name : {"fluidSurface", "fluidBottom", "fluidRiseSpeed", "fluidDepth"}) {
    const std::string file = fileContents(folder / (std::string(name) + ".npy"));
    EXPECT_NE(file.find("'descr': '<f8'"), std::string::npos) << name;
    EXPECT_NE(file.find("'shape': (201,)"), std::string::npos) << name;
    ASSERT_GT(file.size(), 10u) << name;
    const size_t header = 10 + (static_cast<unsigned char>(file[8]) | static_cast<size_t>(file[9]) << 8);
    EXPECT_EQ(file.size(), header + 201 * 8) << name;
  }
  const std::string json = fileContents(folder / "fluid.json");
  EXPECT_NE(json.find("\"captionIn\": 2.5"), std::string::npos) << json;
}

}  // namespace

#include <gtest/gtest.h>

#include <cstdint>

#include "show/virtualRun.h"

namespace {

uint32_t sumOfSteps(int64_t frames, int fps, int64_t denominator = 1) {
  uint32_t sum = 0;
  for (int64_t frame = 0; frame < frames; ++frame) sum += frameStepMs(frame, {fps, denominator});
  return sum;
}

// The virtual clock stands on the whole millisecond at or after each exact
// frame time k * 1000 / fps, so no drift builds up over a long capture.
TEST(FrameStep, SixtyFramesASecondStepSeventeenSeventeenSixteen) {
  for (int64_t frame = 0; frame < 60; ++frame) {
    const uint32_t expected = frame % 3 == 2 ? 16u : 17u;
    EXPECT_EQ(frameStepMs(frame, {60, 1}), expected) << "frame " << frame;
  }
  EXPECT_EQ(sumOfSteps(60, 60), 1000u);
  // Still on the grid an hour later: 216000 frames are 3600 s.
  EXPECT_EQ(sumOfSteps(216000, 60), 3600000u);
}

TEST(FrameStep, OtherRates) {
  EXPECT_EQ(frameStepMs(0, {30, 1}), 34u);
  EXPECT_EQ(frameStepMs(1, {30, 1}), 33u);
  EXPECT_EQ(frameStepMs(2, {30, 1}), 33u);
  EXPECT_EQ(frameStepMs(3, {30, 1}), 34u);
  for (int64_t frame = 0; frame < 5; ++frame) EXPECT_EQ(frameStepMs(frame, {1000, 1}), 1u);
  // 1000 / 7 = 142.857...: steps of 143 and 142 that add up to one second.
  EXPECT_EQ(frameStepMs(0, {7, 1}), 143u);
  EXPECT_EQ(sumOfSteps(7, 7), 1000u);
  EXPECT_EQ(sumOfSteps(14, 7), 2000u);
}

// NTSC rates: 30000 frames at 30000/1001 a second last exactly 1001 s, and
// every frame's clock is the first whole millisecond at or after its exact
// time (frame 0 of 60000/1001 ends at 16.683 ms: 17).
TEST(FrameStep, FractionalRatesStayOnTheExactGrid) {
  EXPECT_EQ(sumOfSteps(30000, 30000, 1001), 1001000u);
  EXPECT_EQ(sumOfSteps(60000, 60000, 1001), 1001000u);
  EXPECT_EQ(frameStepMs(0, {60000, 1001}), 17u);
  EXPECT_EQ(sumOfSteps(3, 60000, 1001), 51u);  // ceil(3 x 16.683) = ceil(50.05)
}

}  // namespace

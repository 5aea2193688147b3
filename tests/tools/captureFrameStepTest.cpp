#include <gtest/gtest.h>

#include <cstdint>

#include "tools/capture/captureDriver.h"

namespace {

uint32_t sumOfSteps(int64_t frames, int fps) {
  uint32_t sum = 0;
  for (int64_t frame = 0; frame < frames; ++frame) sum += captureFrameStep(frame, fps);
  return sum;
}

// The virtual clock stands on the whole millisecond at or after each exact
// frame time k * 1000 / fps, so no drift builds up over a long capture.
TEST(CaptureFrameStep, SixtyFramesASecondStepSeventeenSeventeenSixteen) {
  for (int64_t frame = 0; frame < 60; ++frame) {
    const uint32_t expected = frame % 3 == 2 ? 16u : 17u;
    EXPECT_EQ(captureFrameStep(frame, 60), expected) << "frame " << frame;
  }
  EXPECT_EQ(sumOfSteps(60, 60), 1000u);
  // Still on the grid an hour later: 216000 frames are 3600 s.
  EXPECT_EQ(sumOfSteps(216000, 60), 3600000u);
}

TEST(CaptureFrameStep, OtherRates) {
  EXPECT_EQ(captureFrameStep(0, 30), 34u);
  EXPECT_EQ(captureFrameStep(1, 30), 33u);
  EXPECT_EQ(captureFrameStep(2, 30), 33u);
  EXPECT_EQ(captureFrameStep(3, 30), 34u);
  for (int64_t frame = 0; frame < 5; ++frame) EXPECT_EQ(captureFrameStep(frame, 1000), 1u);
  // 1000 / 7 = 142.857...: steps of 143 and 142 that add up to one second.
  EXPECT_EQ(captureFrameStep(0, 7), 143u);
  EXPECT_EQ(sumOfSteps(7, 7), 1000u);
  EXPECT_EQ(sumOfSteps(14, 7), 2000u);
}

}  // namespace

// The fade and caption timers of the grid scenes: in, then out, then held.
#include <gtest/gtest.h>

#include "runtime/sceneTimers.h"

TEST(SceneTimers, FadeRisesThenFallsAndHoldsAtExactlyOne) {
  float first = 0.0f, second = 0.0f;
  // 100 ms frames at rate 0.0025 add 0.025: 40 frames to reach 1.
  int rising = 0;
  while (advanceFadePair(first, second, 0.0025f, 100)) ++rising;
  EXPECT_NEAR(rising, 40, 1);
  EXPECT_EQ(first, 1.0f);
  EXPECT_FLOAT_EQ(second, 0.025f);
  for (int frame = 0; frame < 45; ++frame) advanceFadePair(first, second, 0.0025f, 100);
  EXPECT_TRUE(first == 1.0f && second == 1.0f);
}

TEST(SceneTimers, CaptionDarkensThenReturnsAndMayOvershoot) {
  float first = 0.0f, second = 0.0f;
  // 30 ms frames add 7.5; 700 is passed after 94 frames (705), not clamped.
  for (int frame = 0; frame < 94; ++frame) advanceCaptionPair(first, second, 700.0f, 30);
  EXPECT_FLOAT_EQ(first, 705.0f);
  EXPECT_EQ(second, 0.0f);
  for (int frame = 0; frame < 200; ++frame) advanceCaptionPair(first, second, 700.0f, 30);
  EXPECT_FLOAT_EQ(first, 705.0f);
  EXPECT_FLOAT_EQ(second, 705.0f);
}

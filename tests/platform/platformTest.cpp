#include <gtest/gtest.h>

#include <cstdint>

#include "platform/clock.h"
#include "platform/errorLine.h"
#include "platform/random.h"

namespace {

TEST(DemoRand, FromStateOneGivesTheKnownSequence) {
  resetDemoRand();
  const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
  for (int value : expected) EXPECT_EQ(demoRand(), value);
  EXPECT_EQ(demoRandDraws(), 10u);
}

TEST(DemoRand, ResetRestartsTheSequenceAndTheCount) {
  resetDemoRand();
  for (int n = 0; n < 3; ++n) demoRand();
  // 1 -> 2745024 -> 3357800067 -> 415139642 (mod 2^32); the draws are bits 16-30.
  EXPECT_EQ(demoRandState(), 415139642u);

  resetDemoRand();
  EXPECT_EQ(demoRandDraws(), 0u);
  EXPECT_EQ(demoRandState(), 1u);
  EXPECT_EQ(demoRand(), 41);

  // From state 0 the first state is the increment 2531011 = 38 * 65536 + 40643.
  resetDemoRand(0);
  EXPECT_EQ(demoRand(), 38);
  resetDemoRand();
}

TEST(VirtualClock, MovesOnlyWhenMovedAndWrapsAt32Bits) {
  useVirtualClock(5);
  EXPECT_TRUE(virtualClockActive());
  EXPECT_EQ(getTickCount(), 5u);
  EXPECT_EQ(getTickCount(), 5u);
  advanceVirtualClock(10);
  EXPECT_EQ(getTickCount(), 15u);
  setVirtualTick(0xFFFFFFFEu);
  advanceVirtualClock(3);
  EXPECT_EQ(getTickCount(), 1u);
}

TEST(ErrorLine, WritesOneLineOnStandardError) {
  testing::internal::CaptureStderr();
  showErrorLine("Brak pilku muzycznego w katalogu muzyka.");
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Error: Brak pilku muzycznego w katalogu muzyka.\n");
}

}  // namespace

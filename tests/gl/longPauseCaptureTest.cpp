// A viewer pauses the show with 'p' for an hour or for three days, then
// resumes it. While paused no cycle runs and the clock goes on; the first
// cycle after the pause reports the whole gap as its frame, and the Timeline,
// far past the paused entry, activates the next entry, which steps its
// simulation with that frame. Each engine scene family is resumed into here,
// on the virtual clock: the resumed frame does a one-second frame's work,
// every simulation value stays finite and the show goes on.
#include <gtest/gtest.h>

#include <cstdint>

#include "runtime/sequencer.h"
#include "runtime/stateDump.h"
#include "sim/engine/frameBound.h"
#include "tests/gl/sceneCapture.h"
#include "tools/capture/captureDriver.h"

namespace {

constexpr uint32_t oneHourMs = 3600u * 1000u;
constexpr uint32_t threeDaysMs = 3u * 24u * oneHourMs;

struct Resume {
  // The entry on screen when the viewer pauses, and the one the resumed
  // frame activates.
  int pausedIn;
  int resumedInto;
  uint32_t gapMs;
  // The substeps of one second of simulated time: 1000 ms x 0.05 x the
  // engine's time factor, over its substep. Spatial engine (the figure, the
  // pendulums): 0.25 / 0.005 = 50; surfaces: 0.1 / 0.002 = 50; planar engine
  // (the rope): 0.65 / 0.006, 108.3 -> 109; ripple tank: 25 / 0.5 = 50 steps.
  // The wave packet: 1000 x 0.05 x 0.5 x 0.0625 in steps of 0.5.
  // Unbounded, an hour would be 3600 times as many.
  int substeps;
};

// In Timeline order: once a long pause has passed, every later entry of the
// same clock phase is current for one cycle, so each row pauses there. The
// second track's clock starts with entry 91, so entries 92 to 96 play on
// time after the first track's pauses.
constexpr Resume resumes[] = {
    {22, 23, oneHourMs, 50},     // the figure
    {24, 25, threeDaysMs, 50},   // the figure's panels
    {34, 35, oneHourMs, 50},     // the pendulum row with the heavy ball
    {35, 36, threeDaysMs, 50},   // two heavy balls
    {56, 57, oneHourMs, 50},     // the ripple tank, built anew
    {58, 59, threeDaysMs, 50},   // the ripple tank going on
    {72, 73, oneHourMs, 109},    // the rope
    {74, 75, oneHourMs, 50},     // the surface with one ball
    {75, 76, threeDaysMs, 50},   // the same surface going on
    {76, 77, oneHourMs, 50},     // the figure again
    {96, 97, oneHourMs, 50},     // the figure's card
    {97, 98, threeDaysMs, 109},  // the rope's card
    {99, 100, oneHourMs, 50},    // the pendulums' card
    {105, 106, threeDaysMs, 50}, // the surfaces' card
    {108, 109, oneHourMs, 4},    // the wave packet: 1.5625 / 0.5, one step and three more
};

void pressKey(unsigned char key) { keyboardHandler(key, 0, 0); }

// Cycles at 10 frames a second until `entry` is current; false if it is passed.
bool reach(int entry) {
  for (int cycle = 0; cycle < 5000 && current.entry < entry; ++cycle) current = captureCycle(10);
  return current.entry == entry;
}

TEST(LongPause, EveryEngineSceneResumesWithOneSecondOfWork) {
  ASSERT_TRUE(runUntil(22, 0, 10));
  for (const Resume& r : resumes) {
    SCOPED_TRACE(testing::Message() << "paused in entry " << r.pausedIn << " for " << r.gapMs << " ms");
    ASSERT_TRUE(reach(r.pausedIn));
    pressKey('p');
    ASSERT_TRUE(sequencer.paused);
    // The paused cycle: the clock moves on, no idle runs.
    captureCycleMs(r.gapMs);
    pressKey('p');
    ASSERT_FALSE(sequencer.paused);
    const uint64_t before = engineWork.substeps;
    current = captureCycle(60);
    EXPECT_EQ(current.entry, r.resumedInto);
    EXPECT_GE(current.frameMs, static_cast<int32_t>(r.gapMs));
    EXPECT_TRUE(current.displayed);
    const auto work = static_cast<int64_t>(engineWork.substeps - before);
    EXPECT_GE(work, r.substeps);
    EXPECT_LE(work, r.substeps + 1);
    EXPECT_EQ(firstNonFiniteState(), "");
  }

  // The show goes on: the pauses left the rest of the second
  // track behind, so each entry takes one cycle up to the closing scroll,
  // which then runs as usual, every frame with finite state.
  ASSERT_TRUE(reach(116));
  for (int cycle = 0; cycle < 120; ++cycle) {
    current = captureCycle(60);
    ASSERT_EQ(current.entry, 116);
    ASSERT_TRUE(current.frameMs == 16 || current.frameMs == 17) << current.frameMs;
    ASSERT_EQ(firstNonFiniteState(), "");
  }
}

}  // namespace

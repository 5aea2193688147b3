// The Sequencer on the virtual clock with a recording stand-in for GLUT:
// switching, the three clock phases, the decoration draws, Escape, the keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <numeric>
#include <vector>

#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/random.h"
#include "runtime/sequencer.h"
#include "runtime/sharedCallbacks.h"
#include "runtime/viewControls.h"
#include "scenes/titles/titleCards.h"
#include "show/timeline.h"
#include "tests/runtime/recordingSeam.h"

namespace {

float unit(int draw) { return static_cast<float>(draw) * randScale; }
long countOf(const std::vector<int>& log, int number) { return std::count(log.begin(), log.end(), number); }

class SequencerTest : public testing::Test {
 protected:
  void SetUp() override {
    resetSequencer();
    viewControls = {};
    titleCards = {};
    resetDemoRand();
    useVirtualClock(50000);
    audioSetVolume(100);
    installRecordingSeam();
  }

  // The real Timeline with every scene replaced by recorders; the inits of
  // entries 2, 5, 90 and 91 stay, they only set clocks, music and card state.
  void bootRealTimeline() {
    buildTimeline();
    for (size_t i = 0; i < timeline.size(); ++i) {
      const size_t number = i + 1;
      if (number != 2 && number != 5 && number != 90 && number != 91) timeline[i].init = recordInit;
      timeline[i] = {timeline[i].init, recordIdle, recordReshape, recordDisplay, timeline[i].endMs};
    }
    start();
  }
  void bootTimeline(const std::vector<int32_t>& endTimes) {
    timeline.clear();
    for (int32_t end : endTimes) timeline.push_back({recordInit, recordIdle, recordReshape, recordDisplay, end});
    start();
  }
  // As start-up does: entry 1 is activated, then the clock starts.
  static void start() {
    activateNextEntry();
    startClock();
  }
  static void moveCursorTo(size_t next) {
    SequencerState state = sequencer;
    state.nextEntry = next;
    resetSequencer(state);
  }
  static void cycle(uint32_t ms) {
    advanceVirtualClock(ms);
    idleTrampoline();
  }
  static bool runUntil(int number, uint32_t ms = 20) {
    for (int n = 0; n < 100000 && sequencer.currentNumber < number; ++n) cycle(ms);
    return sequencer.currentNumber == number;
  }
  // Cycles of 20 ms after an Escape until the exit; the volume after each.
  static std::vector<int> quitVolumes() {
    keyboardHandler(27, 0, 0);
    std::vector<int> volumes;
    while (seamRecord.exits == 0 && volumes.size() < 400) {
      cycle(20);
      volumes.push_back(audioVolume());
    }
    return volumes;
  }
};

TEST_F(SequencerTest, EndTimeItselfKeepsTheEntryAcrossTheTickWrap) {
  useVirtualClock(0xFFFFFFF6u);
  bootTimeline({14, 1000});
  cycle(7);
  cycle(7);
  EXPECT_EQ(getTickCount(), 4u);
  EXPECT_TRUE(sequencer.nowMs == 14 && sequencer.frameMs == 7 && sequencer.currentNumber == 1);
  cycle(1);
  EXPECT_EQ(sequencer.currentNumber, 2);
  EXPECT_EQ(seamRecord.idles, (std::vector<int>{1, 1, 2}));
}

TEST_F(SequencerTest, ForcedSwitchEveryCycleWhileEntriesRemainAndNothingAfterTheLast) {
  bootTimeline({1000, 1000, 1000});
  requestForcedAdvance();
  for (int n = 0; n < 5; ++n) cycle(0);
  EXPECT_EQ(seamRecord.inits, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(seamRecord.idles, (std::vector<int>{2, 3, 3, 3, 3}));
  cycle(20000000);
  EXPECT_TRUE(sequencer.currentNumber == 3 && sequencer.nextEntry == 3u);
}

TEST_F(SequencerTest, WholeTimelineInOrderWithTheOneCycleEntries) {
  bootRealTimeline();
  ASSERT_TRUE(runUntil(116));
  std::vector<int> seen = seamRecord.idles;
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
  std::vector<int> all(116);
  std::iota(all.begin(), all.end(), 1);
  EXPECT_EQ(seen, all);
  // 78 and 79 end together, so 79 is left on the cycle after it came; the
  // zero-length entries last one cycle each.
  for (int number : {5, 79, 90, 91}) EXPECT_EQ(countOf(seamRecord.idles, number), 1) << number;
  EXPECT_GT(countOf(seamRecord.idles, 78), 1);
}

TEST_F(SequencerTest, LongPauseWalksTheRealTimelineWithoutSkipping) {
  bootRealTimeline();
  ASSERT_TRUE(runUntil(6));
  seamRecord.idles.clear();
  cycle(300000);
  while (sequencer.currentNumber < 92 && seamRecord.idles.size() < 200) cycle(1);
  cycle(1);
  // Entry 91 offsets the clock to the start of track 2, so 92 stays.
  std::vector<int> expected(86);
  std::iota(expected.begin(), expected.end(), 7);
  expected.push_back(92);
  EXPECT_EQ(seamRecord.idles, expected);
}

TEST_F(SequencerTest, LoadingEndsAtEntryTwoAndTrackOneRestartsTheClock) {
  bootRealTimeline();
  audioSetVolume(37);
  requestForcedAdvance();  // all pictures loaded
  cycle(1234);
  EXPECT_TRUE(sequencer.currentNumber == 2 && sequencer.loadOffsetMs == 1234 && !sequencer.forceAdvance);
  EXPECT_EQ(timelineMs(), 0);
  // In 20 ms steps entries 2 to 4 end at 4520, 9020 and 13020 ms after loading.
  ASSERT_TRUE(runUntil(5));
  EXPECT_EQ(sequencer.nowMs, 1234 + 13020);
  EXPECT_TRUE(sequencer.loadOffsetMs == 0 && sequencer.startTick == getTickCount());
  EXPECT_TRUE(audioVolume() == 100 && seamRecord.cursorHides == 1);
  // The one negative step, then the normal ones.
  cycle(20);
  EXPECT_TRUE(sequencer.currentNumber == 6 && sequencer.frameMs == 20 - (1234 + 13020));
  cycle(20);
  EXPECT_EQ(sequencer.frameMs, 20);
}

TEST_F(SequencerTest, TrackTwoOffsetsTheClockAndCardsStartAfresh) {
  bootRealTimeline();
  moveCursorTo(88);
  activateNextEntry();
  titleCards.card.cardFade = 0.7f;
  titleCards.card.spare[6] = 2.0f;
  titleCards.countdownSeconds = 12.0f;
  titleCards.bonusCountdown = 5.0f;
  cycle(230000);  // exactly entry 89's end: it stays
  cycle(20);
  EXPECT_EQ(sequencer.currentNumber, 90);
  EXPECT_TRUE(titleCards.card.cardFade == 0.0f && titleCards.card.spare[6] == 0.0f);
  EXPECT_TRUE(titleCards.countdownSeconds == 0.0f && titleCards.bonusCountdown == 5.0f);
  cycle(20);
  EXPECT_TRUE(sequencer.currentNumber == 91 && sequencer.trackTwoOffsetMs == 230040);
  cycle(20);
  EXPECT_TRUE(sequencer.currentNumber == 92 && timelineMs() == 20);
}

TEST_F(SequencerTest, DecorIsDrawnAfterTheInitInItsOrderAndKeptForTheEntry) {
  // The init takes the first draw (41); the decoration the next fifteen:
  // growX 1-3, growY 1-3, then base, centreX, centreY of each rectangle.
  timeline = {{+[] { demoRand(); }, recordIdle, recordReshape, recordDisplay, 1000}};
  start();
  const int d[15] = {18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962,
                     24464, 5705, 28145, 23281, 16827, 9961,  491};
  const DecorRect* rect = sequencer.decor.rect;
  for (int n = 0; n < 3; ++n) {
    const double size = n == 0 ? 0.7 : 0.4;
    EXPECT_EQ(rect[n].growX, unit(d[n]));
    EXPECT_EQ(rect[n].growY, unit(d[3 + n]));
    EXPECT_EQ(rect[n].base, static_cast<float>(unit(d[6 + 3 * n]) * size));
    EXPECT_EQ(rect[n].centreX, static_cast<float>((unit(d[7 + 3 * n]) - 0.5) * size));
    EXPECT_EQ(rect[n].centreY, static_cast<float>((unit(d[8 + 3 * n]) - 0.5) * size));
  }
  EXPECT_NEAR(rect[2].centreY, (491 / 32767.0 - 0.5) * 0.4, 1e-6);
  for (int n = 0; n < 3; ++n) cycle(20);
  EXPECT_EQ(rect[0].growX, unit(18467));
  EXPECT_EQ(demoRandDraws(), 16u);
}

TEST_F(SequencerTest, EscapeFadesTheVolumeOutThenExitsEvenAcrossAClockRestart) {
  bootTimeline({INT32_MAX});
  cycle(20);
  // 20 ms steps add 20 * 0.1f * 0.005 ~ 0.01 a cycle; single precision holds
  // 0.0099999998, so 100 cycles fall just short of 1 and the 101st reaches it.
  // The exit is the cycle after that, without the scene's idle.
  std::vector<int> volumes = quitVolumes();
  ASSERT_EQ(volumes.size(), 102u);
  EXPECT_TRUE(volumes.front() == 99 && volumes[98] == 1 && volumes[99] == 0);
  EXPECT_TRUE(std::is_sorted(volumes.rbegin(), volumes.rend()));
  EXPECT_TRUE(seamRecord.exits == 1 && seamRecord.exitStatus == 0);
  EXPECT_EQ(seamRecord.idles.size(), 1u + 101u);

  // Entry 2 restarts the clock 100 ms into the fade, as entry 5 does: its
  // step of 20 - 1020 ms holds the fade still rather than winding it back,
  // so the exit comes one cycle later.
  SetUp();
  bootTimeline({1000, INT32_MAX});
  timeline[1].init = startClock;
  for (int n = 0; n < 45; ++n) cycle(20);
  volumes = quitVolumes();
  EXPECT_EQ(sequencer.currentNumber, 2);
  EXPECT_EQ(volumes.size(), 103u);
  EXPECT_TRUE(std::is_sorted(volumes.rbegin(), volumes.rend()));
}

TEST_F(SequencerTest, EachKeyMovesItsViewValueAndEveryKeyAsksForARedraw) {
  using V = ViewControls;
  constexpr std::array<double V::*, 9> fields = {&V::viewScaleX, &V::viewScaleY, &V::viewScaleZ,
                                                 &V::viewAngleX, &V::viewAngleY, &V::viewAngleZ,
                                                 &V::viewShiftX, &V::viewShiftY, &V::viewShiftZ};
  struct KeyStep {
    unsigned char key;
    std::array<double, 9> delta;
  };
  const KeyStep steps[] = {
      {'+', {0.03, 0.03, 0.03}}, {'-', {-0.03, -0.03, -0.03}}, {',', {0, 0, 0, 0, 0, 0, -0.02}},
      {'/', {0, 0, 0, 0, 0, 0, 0.02}},  {'.', {0, 0, 0, 0, 0, 0, 0, -0.02}}, {';', {0, 0, 0, 0, 0, 0, 0, 0.02}},
      {'k', {0, 0, 0, 0, 0, 0, 0, 0, 0.02}}, {'l', {0, 0, 0, 0, 0, 0, 0, 0, -0.02}},
      {'8', {0, 0, 0, 1}}, {'2', {0, 0, 0, -1}}, {'6', {0, 0, 0, 0, 1}}, {'4', {0, 0, 0, 0, -1}},
      {'7', {0, 0, 0, 0, 0, 1}}, {'9', {0, 0, 0, 0, 0, -1}}, {'1', {}}, {'3', {}}, {'0', {}}, {'K', {}},
      {'P', {}}, {' ', {}}};
  const V resting{};
  for (const KeyStep& step : steps) {
    viewControls = resting;
    keyboardHandler(step.key, 0, 0);
    for (size_t i = 0; i < fields.size(); ++i) {
      EXPECT_DOUBLE_EQ(viewControls.*fields[i], resting.*fields[i] + step.delta[i]) << step.key << i;
    }
  }
  EXPECT_EQ(seamRecord.redisplays, 20);
  EXPECT_TRUE(!sequencer.quitRequested && !sequencer.paused && seamRecord.registeredIdle == nullptr);

  // Key 5 zeroes the angles and sets a tiny scale, leaving the shifts.
  keyboardHandler(',', 0, 0);
  keyboardHandler('5', 0, 0);
  keyboardHandler('+', 0, 0);
  for (double V::*field : fields) {
    const double expected = field == &V::viewShiftX ? -0.02 : field == &V::viewShiftY ? -0.4 : 0.0;
    const bool scale = field == &V::viewScaleX || field == &V::viewScaleY || field == &V::viewScaleZ;
    EXPECT_DOUBLE_EQ(viewControls.*field, scale ? 0.038 : expected);
  }
}

TEST_F(SequencerTest, PauseSwapsTheIdleAndBack) {
  keyboardHandler('p', 0, 0);
  EXPECT_TRUE(sequencer.paused && seamRecord.registeredIdle == &emptyCallback);
  keyboardHandler('p', 0, 0);
  EXPECT_TRUE(!sequencer.paused && seamRecord.registeredIdle == &idleTrampoline);
}

}  // namespace

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

constexpr uint32_t bootTick = 50000;

float unit(int draw) { return static_cast<float>(draw) * randScale; }

long countOf(const std::vector<int>& log, int number) {
  return std::count(log.begin(), log.end(), number);
}

class SequencerTest : public testing::Test {
 protected:
  void SetUp() override {
    resetSequencer();
    viewControls = {};
    titleCards = {};
    resetDemoRand();
    useVirtualClock(bootTick);
    audioSetVolume(100);
    installRecordingSeam();
  }

  // The real Timeline with its end times, every scene replaced by recorders.
  // The inits of entries 2, 5, 90 and 91 stay: they only set clocks, music and
  // title state, and they are what the clock tests are about.
  void bootRealTimeline() {
    buildTimeline();
    for (size_t i = 0; i < timeline.size(); ++i) {
      const int number = static_cast<int>(i) + 1;
      SceneEntry& entry = timeline[i];
      if (number != 2 && number != 5 && number != 90 && number != 91) entry.init = recordInit;
      entry.idle = recordIdle;
      entry.reshape = recordReshape;
      entry.display = recordDisplay;
    }
    start();
  }

  void bootTimeline(const std::vector<int32_t>& endTimes) {
    timeline.clear();
    for (int32_t end : endTimes) {
      timeline.push_back({recordInit, recordIdle, recordReshape, recordDisplay, end});
    }
    start();
  }

  // As start-up does: entry 1 is activated, then the clock starts.
  void start() {
    activateNextEntry();
    startClock();
  }

  // Moves the Timeline's cursor, as if the entries before it had run.
  static void moveCursorTo(size_t next) {
    SequencerState state = sequencer;
    state.nextEntry = next;
    resetSequencer(state);
  }

  void cycle(uint32_t ms) {
    advanceVirtualClock(ms);
    idleTrampoline();
  }

  bool runUntil(int number, uint32_t ms = 20) {
    for (int n = 0; n < 100000 && sequencer.currentNumber < number; ++n) cycle(ms);
    return sequencer.currentNumber == number;
  }
};

TEST_F(SequencerTest, EndTimeItselfKeepsTheEntryOneMillisecondMoreLeavesIt) {
  bootTimeline({100, 200, 1000});
  cycle(60);
  cycle(40);
  EXPECT_EQ(timelineMs(), 100);
  EXPECT_EQ(sequencer.currentNumber, 1);
  cycle(1);
  EXPECT_EQ(sequencer.currentNumber, 2);
  EXPECT_EQ(sequencer.nextEntry, 2u);
  EXPECT_EQ(seamRecord.idles, (std::vector<int>{1, 1, 2}));
}

TEST_F(SequencerTest, ClockKeepsCountingAcrossTheTickWrap) {
  useVirtualClock(0xFFFFFFF6u);
  bootTimeline({15, 1000});
  cycle(7);
  cycle(7);
  EXPECT_EQ(getTickCount(), 4u);
  EXPECT_EQ(sequencer.nowMs, 14);
  EXPECT_EQ(sequencer.frameMs, 7);
  EXPECT_EQ(sequencer.currentNumber, 1);
  cycle(7);
  EXPECT_EQ(sequencer.nowMs, 21);
  EXPECT_EQ(sequencer.frameMs, 7);
  EXPECT_EQ(sequencer.currentNumber, 2);
}

TEST_F(SequencerTest, ForcedSwitchEveryCycleWhileEntriesRemain) {
  bootTimeline({1000, 1000, 1000});
  requestForcedAdvance();
  for (int n = 0; n < 5; ++n) cycle(0);
  EXPECT_EQ(seamRecord.inits, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(seamRecord.idles, (std::vector<int>{2, 3, 3, 3, 3}));
  EXPECT_EQ(sequencer.nextEntry, 3u);
}

TEST_F(SequencerTest, NothingFollowsTheClosingScroll) {
  bootRealTimeline();
  moveCursorTo(115);
  activateNextEntry();
  ASSERT_EQ(sequencer.currentNumber, 116);
  cycle(20000000);  // far past its 11107940 ms
  requestForcedAdvance();
  cycle(20);
  EXPECT_EQ(sequencer.currentNumber, 116);
  EXPECT_EQ(sequencer.nextEntry, 116u);
  EXPECT_EQ(seamRecord.inits, (std::vector<int>{1, 116}));
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
  EXPECT_EQ(countOf(seamRecord.inits, 79), 1);
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
  EXPECT_EQ(sequencer.currentNumber, 2);
  EXPECT_EQ(sequencer.loadOffsetMs, 1234);
  EXPECT_FALSE(sequencer.forceAdvance);
  EXPECT_EQ(timelineMs(), 0);
  cycle(20);
  EXPECT_EQ(sequencer.currentNumber, 2);

  // In 20 ms steps entries 2 to 4 end at 4520, 9020 and 13020 ms after loading.
  ASSERT_TRUE(runUntil(5));
  EXPECT_EQ(sequencer.nowMs, 1234 + 13020);
  EXPECT_EQ(sequencer.loadOffsetMs, 0);
  EXPECT_EQ(sequencer.startTick, getTickCount());
  EXPECT_EQ(audioVolume(), 100);
  EXPECT_EQ(seamRecord.cursorHides, 1);
  cycle(20);
  EXPECT_EQ(sequencer.currentNumber, 6);
  EXPECT_EQ(sequencer.nowMs, 20);
  EXPECT_EQ(sequencer.frameMs, 20 - (1234 + 13020));
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
  EXPECT_EQ(sequencer.currentNumber, 89);
  cycle(20);
  EXPECT_EQ(sequencer.currentNumber, 90);
  EXPECT_EQ(titleCards.card.cardFade, 0.0f);
  EXPECT_EQ(titleCards.card.spare[6], 0.0f);
  EXPECT_EQ(titleCards.countdownSeconds, 0.0f);
  EXPECT_EQ(titleCards.bonusCountdown, 5.0f);
  cycle(20);
  EXPECT_EQ(sequencer.currentNumber, 91);
  EXPECT_EQ(sequencer.trackTwoOffsetMs, 230040);
  cycle(20);
  EXPECT_EQ(sequencer.currentNumber, 92);
  EXPECT_EQ(timelineMs(), 20);
}

TEST_F(SequencerTest, DecorFromAFreshGenerator) {
  bootTimeline({1000});
  // First draws from state 1, in drawing order.
  const int d[15] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358,
                     26962, 24464, 5705, 28145, 23281, 16827, 9961};
  const DecorRect* rect = sequencer.decor.rect;
  for (int n = 0; n < 3; ++n) {
    EXPECT_EQ(rect[n].growX, unit(d[n]));
    EXPECT_EQ(rect[n].growY, unit(d[3 + n]));
    const double size = n == 0 ? 0.7 : 0.4;
    EXPECT_EQ(rect[n].base, static_cast<float>(unit(d[6 + 3 * n]) * size));
    EXPECT_EQ(rect[n].centreX, static_cast<float>((unit(d[7 + 3 * n]) - 0.5) * size));
    EXPECT_EQ(rect[n].centreY, static_cast<float>((unit(d[8 + 3 * n]) - 0.5) * size));
  }
  EXPECT_NEAR(rect[0].base, 11478 / 32767.0 * 0.7, 1e-6);
  EXPECT_NEAR(rect[2].centreY, (9961 / 32767.0 - 0.5) * 0.4, 1e-6);
  EXPECT_EQ(demoRandDraws(), 15u);

  // The values stay for the entry's whole life.
  const float growX = rect[0].growX;
  for (int n = 0; n < 3; ++n) cycle(20);
  EXPECT_EQ(rect[0].growX, growX);
  EXPECT_EQ(demoRandDraws(), 15u);
}

TEST_F(SequencerTest, InitDrawsBeforeTheDecor) {
  timeline.clear();
  timeline.push_back({+[] { demoRand(); }, recordIdle, recordReshape, recordDisplay, 1000});
  start();
  EXPECT_EQ(sequencer.decor.rect[0].growX, unit(18467));
  EXPECT_EQ(sequencer.decor.rect[0].growY, unit(19169));
  EXPECT_EQ(sequencer.decor.rect[2].centreY, static_cast<float>((unit(491) - 0.5) * 0.4));
  EXPECT_EQ(demoRandDraws(), 16u);
}

TEST_F(SequencerTest, EscapeFadesTheVolumeOutThenExits) {
  bootTimeline({INT32_MAX});
  cycle(20);
  keyboardHandler(27, 0, 0);
  EXPECT_TRUE(sequencer.quitRequested);
  std::vector<int> volumes;
  int cycles = 0;
  float fadeBefore = 0.0f;
  while (seamRecord.exits == 0 && cycles < 200) {
    fadeBefore = sequencer.quitFade;
    cycle(20);
    ++cycles;
    volumes.push_back(audioVolume());
  }
  // 20 ms steps add 20 * 0.1f * 0.005 ~ 0.01 a cycle; single precision holds
  // 0.0099999998, so 100 cycles fall just short of 1 and the 101st reaches it.
  // The exit is the cycle after that, and the scene's idle does not run then.
  EXPECT_EQ(cycles, 102);
  EXPECT_GE(fadeBefore, 1.0f);
  EXPECT_EQ(seamRecord.exits, 1);
  EXPECT_EQ(seamRecord.exitStatus, 0);
  EXPECT_EQ(seamRecord.idles.size(), 1u + 101u);
  ASSERT_EQ(volumes.size(), 102u);
  EXPECT_EQ(volumes.front(), 99);
  EXPECT_TRUE(std::is_sorted(volumes.rbegin(), volumes.rend()));
  EXPECT_EQ(volumes[98], 1);
  EXPECT_EQ(volumes[99], 0);
}

TEST_F(SequencerTest, ARestartedClockDoesNotWindTheEscapeFadeBack) {
  // Entry 2 restarts the clock as entry 5 does; Escape comes 100 ms before
  // it. The cycle after the restart sees frameMs of 20 - 1020 = -1000: the
  // fade stands still for it instead of falling back by 0.5, so the exit
  // comes one cycle later than without a restart (102 + 1), and the volume
  // never rises on the way down.
  bootTimeline({1000, INT32_MAX});
  timeline[1].init = startClock;
  for (int n = 0; n < 45; ++n) cycle(20);
  keyboardHandler(27, 0, 0);
  std::vector<int> volumes;
  int cycles = 0;
  while (seamRecord.exits == 0 && cycles < 400) {
    cycle(20);
    ++cycles;
    volumes.push_back(audioVolume());
  }
  EXPECT_EQ(sequencer.currentNumber, 2);
  EXPECT_EQ(cycles, 103);
  EXPECT_TRUE(std::is_sorted(volumes.rbegin(), volumes.rend()));
  EXPECT_EQ(volumes.back(), 0);
}

// The keys that move one view value, and by how much.
struct KeyStep {
  unsigned char key;
  double ViewControls::*field;
  double delta;
};

constexpr std::array<double ViewControls::*, 9> viewFields = {
    &ViewControls::viewScaleX, &ViewControls::viewScaleY, &ViewControls::viewScaleZ,
    &ViewControls::viewAngleX, &ViewControls::viewAngleY, &ViewControls::viewAngleZ,
    &ViewControls::viewShiftX, &ViewControls::viewShiftY, &ViewControls::viewShiftZ};

TEST_F(SequencerTest, EachViewKeyMovesOneValue) {
  const KeyStep steps[] = {
      {',', &ViewControls::viewShiftX, -0.02}, {'/', &ViewControls::viewShiftX, 0.02},
      {'.', &ViewControls::viewShiftY, -0.02}, {';', &ViewControls::viewShiftY, 0.02},
      {'k', &ViewControls::viewShiftZ, 0.02},  {'l', &ViewControls::viewShiftZ, -0.02},
      {'8', &ViewControls::viewAngleX, 1.0},   {'2', &ViewControls::viewAngleX, -1.0},
      {'6', &ViewControls::viewAngleY, 1.0},   {'4', &ViewControls::viewAngleY, -1.0},
      {'7', &ViewControls::viewAngleZ, 1.0},   {'9', &ViewControls::viewAngleZ, -1.0}};
  const ViewControls initial{};
  for (const KeyStep& step : steps) {
    viewControls = initial;
    keyboardHandler(step.key, 0, 0);
    for (double ViewControls::*field : viewFields) {
      const double expected = initial.*field + (field == step.field ? step.delta : 0.0);
      EXPECT_DOUBLE_EQ(viewControls.*field, expected) << "key " << step.key;
    }
  }
  EXPECT_EQ(seamRecord.redisplays, 12);
}

TEST_F(SequencerTest, ScaleKeysAndTheResetKey) {
  keyboardHandler('+', 0, 0);
  EXPECT_DOUBLE_EQ(viewControls.viewScaleY, 0.93);
  keyboardHandler('-', 0, 0);
  keyboardHandler('-', 0, 0);
  EXPECT_DOUBLE_EQ(viewControls.viewScaleX, 0.87);
  EXPECT_DOUBLE_EQ(viewControls.viewScaleZ, 0.87);

  keyboardHandler(',', 0, 0);
  keyboardHandler('k', 0, 0);
  keyboardHandler('5', 0, 0);
  keyboardHandler('+', 0, 0);
  const ViewControls& v = viewControls;
  for (double scale : {v.viewScaleX, v.viewScaleY, v.viewScaleZ}) EXPECT_DOUBLE_EQ(scale, 0.038);
  for (double angle : {v.viewAngleX, v.viewAngleY, v.viewAngleZ}) EXPECT_EQ(angle, 0.0);
  EXPECT_DOUBLE_EQ(v.viewShiftX, -0.02);
  EXPECT_DOUBLE_EQ(v.viewShiftY, -0.4);
  EXPECT_DOUBLE_EQ(v.viewShiftZ, 0.02);
  EXPECT_EQ(seamRecord.redisplays, 7);
}

TEST_F(SequencerTest, OtherKeysLeaveTheRestingPoseAndOnlyAskForARedraw) {
  for (unsigned char key : {'1', '3', '0', 'K', 'P', 'a', ' '}) keyboardHandler(key, 0, 0);
  const double resting[9] = {0.9, 0.9, 0.9, -36.0, 8.7, 0.0, 0.0, -0.4, 0.0};
  for (size_t i = 0; i < viewFields.size(); ++i) EXPECT_EQ(viewControls.*viewFields[i], resting[i]);
  EXPECT_FALSE(sequencer.quitRequested);
  EXPECT_FALSE(sequencer.paused);
  EXPECT_EQ(seamRecord.registeredIdle, nullptr);
  EXPECT_EQ(seamRecord.redisplays, 7);
}

TEST_F(SequencerTest, PauseSwapsTheIdleAndBack) {
  keyboardHandler('p', 0, 0);
  EXPECT_TRUE(sequencer.paused);
  EXPECT_EQ(seamRecord.registeredIdle, &emptyCallback);
  keyboardHandler('p', 0, 0);
  EXPECT_FALSE(sequencer.paused);
  EXPECT_EQ(seamRecord.registeredIdle, &idleTrampoline);
  EXPECT_EQ(seamRecord.redisplays, 2);
}

}  // namespace

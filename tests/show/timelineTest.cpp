#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "runtime/music.h"
#include "runtime/sequencer.h"
#include "runtime/sharedCallbacks.h"
#include "scenes/fields/fluidScene.h"
#include "scenes/fields/gasScene.h"
#include "scenes/fields/gravityScene.h"
#include "scenes/fields/sandScene.h"
#include "scenes/fields/voteScene.h"
#include "scenes/loading/loadingScene.h"
#include "scenes/planar/ropeScene.h"
#include "scenes/spatial/cradleScene.h"
#include "scenes/titles/explanationScreens.h"
#include "scenes/titles/titleCards.h"
#include "scenes/wave/waveFunctionScenes.h"
#include "scenes/wave/waveScenes.h"
#include "show/timeline.h"

namespace {

class TimelineTest : public testing::Test {
 protected:
  void SetUp() override { buildTimeline(); }
  static const SceneEntry& entry(int number) { return timeline.at(static_cast<size_t>(number - 1)); }
};

TEST_F(TimelineTest, EndTimesOfAllEntries) {
  const int32_t endMs[timelineLength] = {
      33900,  4500,   9000,   13000,  0,      1200,   5000,   8000,   9000,   13000,     // 1
      16222,  20300,  21000,  31500,  33900,  36000,  40000,  53500,  54600,  55500,     // 11
      56800,  63300,  64300,  70700,  73500,  78300,  79800,  82431,  83700,  85100,     // 21
      85500,  86100,  86500,  87300,  87800,  89100,  90200,  91900,  92050,  92200,     // 31
      92350,  93450,  97500,  103000, 107000, 107420, 107940, 108250, 108630, 109440,    // 41
      109850, 110270, 110680, 111040, 111430, 112840, 117830, 118890, 119870, 121130,    // 51
      124420, 126790, 127630, 128960, 129247, 131520, 133420, 136000, 139960, 148000,    // 61
      157000, 166000, 175000, 184000, 188200, 189500, 191200, 196500, 196500, 197500,    // 71
      199000, 202000, 204000, 210000, 212000, 213000, 214000, 215000, 230000, 0,         // 81
      0,      3781,   7487,   11208,  12000,  14700,  20000,  25000,  30000,  35000,     // 91
      40000,  45000,  50000,  55000,  60000,  65000,  70000,  74000,  77493,  79393,     // 101
      80900,  82800,  83500,  84500,  93000,  11107940};                                 // 111
  ASSERT_EQ(timeline.size(), static_cast<size_t>(timelineLength));
  for (int n = 1; n <= timelineLength; ++n) EXPECT_EQ(entry(n).endMs, endMs[n - 1]) << "entry " << n;
}

// One letter per entry, in tens: P idlePendulum, R idleRedraw, U
// reshapeUnitOrtho, F reshapeFluidView, - nothing to do, o the scene's own.
// No slot is ever null.
TEST_F(TimelineTest, SharedIdleAndReshapeSlots) {
  const std::string idles = std::string("PoRR-PPoPP") + "PRRPPPPPoP" + "oPoRoPoooo" + "oooooooooo" +
                            "ooPPPPPPPP" + "PPPPPPRRRR" + "RRRRRRRRRo" + "oooooooooo" +
                            "ooooooooo-" + "-PPPPPooPo" + "ooooRoPPRR" + "RRRRRP";
  const std::string reshapes = std::string("UFFF-UUUUU") + "UooUUUUUUU" + "UUUoUUUUUU" +
                               "UUUUUUUUUU" + "UUUUUUUUUU" + "UUUUUUUUUU" + "UUUUUUUUUo" +
                               "oooFooUooo" + "ooooooooo-" + "-UUUUUUoUU" + "UUFUUoUUUU" + "UUUUUU";
  ASSERT_EQ(idles.size(), 116u);
  ASSERT_EQ(reshapes.size(), 116u);
  for (int n = 1; n <= timelineLength; ++n) {
    const SceneEntry& e = entry(n);
    EXPECT_TRUE(e.init && e.idle && e.reshape && e.display) << "entry " << n;
    switch (idles[static_cast<size_t>(n - 1)]) {
      case 'P': EXPECT_EQ(e.idle, &idlePendulum) << "entry " << n; break;
      case 'R': EXPECT_EQ(e.idle, &idleRedraw) << "entry " << n; break;
      case '-': EXPECT_EQ(e.idle, &emptyCallback) << "entry " << n; break;
      default: break;
    }
    switch (reshapes[static_cast<size_t>(n - 1)]) {
      case 'U': EXPECT_EQ(e.reshape, &reshapeUnitOrtho) << "entry " << n; break;
      case 'F': EXPECT_EQ(e.reshape, &reshapeFluidView) << "entry " << n; break;
      case '-': EXPECT_EQ(e.reshape, &emptyReshape) << "entry " << n; break;
      default: break;
    }
  }
}

TEST_F(TimelineTest, InitsOfTheClockEntriesAndTheEmptyInits) {
  EXPECT_EQ(entry(1).init, &loadingInit);
  EXPECT_EQ(entry(1).display, &loadingDisplay);
  EXPECT_EQ(entry(5).init, &startMusicOne);
  EXPECT_EQ(entry(90).init, &titleResetInit);
  EXPECT_EQ(entry(91).init, &startMusicTwo);
  for (int n : {5, 90, 91}) EXPECT_EQ(entry(n).display, &emptyCallback) << "entry " << n;
  for (int n : {3, 16, 18, 59, 60, 61, 63, 64, 66, 67}) {
    EXPECT_EQ(entry(n).init, &emptyCallback) << "entry " << n;
  }
}

// The grid and field scenes in all four slots, and the idles their title
// cards borrow in the second half.
TEST_F(TimelineTest, GridAndFieldScenesAndTheirCardIdles) {
  struct Slots { int number; InitFn init; IdleFn idle; ReshapeFn reshape; DisplayFn display; };
  const Slots scenes[] = {{2, fluidIntroInit, fluidIdle, reshapeFluidView, fluidIntroDisplay},
                          {3, emptyCallback, idleRedraw, reshapeFluidView, fluidLogoDisplay},
                          {4, fluidResetTimers, idleRedraw, reshapeFluidView, fluidOutroDisplay},
                          {8, gravityInit, gravityIdle, reshapeUnitOrtho, gravityDisplay},
                          {70, gasInit, gasIdle, gasReshape, gasDisplay},
                          {71, sandInit, sandIdle, sandReshape, sandDisplay},
                          {72, voteInit, voteIdle, voteReshape, voteDisplay},
                          {73, ropeInit, ropeIdle, ropeReshape, ropeDisplay},
                          {74, fluidInit2, fluidIdle, reshapeFluidView, fluidDisplay}};
  for (const Slots& s : scenes) {
    const SceneEntry& e = entry(s.number);
    EXPECT_TRUE(e.init == s.init && e.idle == s.idle && e.reshape == s.reshape && e.display == s.display)
        << "entry " << s.number;
  }
  EXPECT_EQ(entry(100).idle, &idleCradleCard);
  EXPECT_EQ(entry(101).idle, &gravityCardIdle);
  EXPECT_EQ(entry(102).idle, &gasIdle);
  EXPECT_EQ(entry(103).idle, &fluidCardIdle);
  EXPECT_EQ(entry(104).idle, &sandIdle);
}

// The wave views that later entries borrow, and the inits that restart them.
TEST_F(TimelineTest, WaveScenesAndTheirInits) {
  const std::pair<int, DisplayFn> views[] = {{57, waveViewA},  {58, waveViewB},  {60, waveViewC}, {61, waveViewD},
                                             {63, waveViewE},  {64, waveViewF},  {69, waveViewG}, {109, wfViewA},
                                             {110, wfViewB},   {111, wfViewD},   {113, wfViewC},  {115, wfViewE}};
  for (auto [number, display] : views) EXPECT_EQ(entry(number).display, display) << "entry " << number;
  for (int n : {57, 62, 65, 68, 109, 110, 111, 113, 114}) EXPECT_EQ(entry(n).init, &waveSceneInit) << "entry " << n;
  EXPECT_EQ(entry(112).init, &wfSceneInit);
}

// Entries that borrow a callback of an earlier entry: {entry, lender}.
using Borrowed = std::vector<std::pair<int, int>>;

void expectBorrowed(const Borrowed& pairs, auto slot, const char* name) {
  for (auto [number, lender] : pairs) {
    EXPECT_EQ(timeline[static_cast<size_t>(number - 1)].*slot,
              timeline[static_cast<size_t>(lender - 1)].*slot)
        << name << " of entry " << number << " is that of " << lender;
  }
}

TEST_F(TimelineTest, BorrowedCallbacksAreTheLendersOwn) {
  Borrowed inits = {{7, 6},   {10, 6},  {11, 9},  {13, 12}, {24, 12}, {17, 14}, {20, 15},
                    {22, 15}, {25, 23}, {31, 30}, {34, 30}, {38, 37}, {45, 44}, {56, 46},
                    {58, 57}, {69, 57}, {79, 76}, {83, 76}, {93, 92}, {108, 92}, {115, 57}};
  Borrowed idles = {{21, 19}, {42, 19}, {25, 23}, {77, 23}, {97, 23}, {74, 2},  {76, 75},
                    {89, 75}, {106, 75}, {98, 73}, {102, 70}, {104, 71}};
  Borrowed reshapes = {{13, 12}, {24, 12}, {76, 75}, {89, 75}, {106, 75}, {98, 73}};
  Borrowed displays = {{11, 9},  {29, 27}, {42, 27}, {35, 28}, {59, 57}, {65, 57}, {62, 60},
                       {68, 60}, {66, 58}, {67, 61}, {85, 79}, {88, 79}, {94, 93}, {95, 93},
                       {112, 109}, {114, 111}};
  expectBorrowed(inits, &SceneEntry::init, "init");
  expectBorrowed(idles, &SceneEntry::idle, "idle");
  expectBorrowed(reshapes, &SceneEntry::reshape, "reshape");
  expectBorrowed(displays, &SceneEntry::display, "display");
}

// The countdown and bonus cards start afresh; every effect card has an init
// of its own that installs its lines, and a display of its own.
TEST_F(TimelineTest, TitleCardsAndTheirExplanationInits) {
  for (int n : {92, 93, 94, 95, 96, 107, 108}) EXPECT_EQ(entry(n).init, &titleCardInit) << "entry " << n;
  const std::tuple<int, InitFn, DisplayFn> cards[] = {
      {92, titleCardInit, countdownDisplay},          {93, titleCardInit, pulsingCountdownDisplay},
      {96, titleCardInit, countdownGridDisplay},      {97, humanExplanationInit, humanCardDisplay},
      {98, ropeExplanationInit, ropeCardDisplay},     {99, bibliographyInit, bibliographyDisplay},
      {100, cradleExplanationInit, cradleCardDisplay}, {101, gravityExplanationInit, gravityCardDisplay},
      {102, gasExplanationInit, gasCardDisplay},      {103, fluidExplanationInit, fluidCardDisplay},
      {104, sandExplanationInit, sandCardDisplay},    {105, waveExplanationInit, waveCardDisplay},
      {106, surfaceExplanationInit, surfaceCardDisplay}, {107, titleCardInit, bonusCountdownDisplay},
      {108, titleCardInit, bonusTitleDisplay}};
  for (const auto& [number, init, display] : cards) {
    EXPECT_TRUE(entry(number).init == init && entry(number).display == display) << "entry " << number;
  }
}


}  // namespace

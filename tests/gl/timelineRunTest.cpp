// The whole presentation, entry 1 to 116 and a second of the closing scroll,
// on the virtual clock in steps of 100 ms, drawn for real.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>
#include <vector>

#include "runtime/pictures.h"
#include "scenes/loading/loadingScene.h"
#include "show/timeline.h"
#include "tools/capture/captureDriver.h"

namespace {

struct Cycle {
  CaptureCycle capture;
  GLenum error;
};

class WholeTimeline : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    captureStart();
    // About 370 s; the cap only stops a run that never reaches the end.
    for (int scroll = 0; scroll < 10 && cycles.size() < 5000 && !captureExitRequested(nullptr);) {
      cycles.push_back({captureCycle(10), glGetError()});
      while (glGetError() != GL_NO_ERROR) {
      }
      if (cycles.back().capture.entry == timelineLength) ++scroll;
    }
  }

  static inline std::vector<Cycle> cycles;
};

TEST_F(WholeTimeline, EveryEntryIsCurrentInOrder) {
  std::vector<int> order;
  for (const Cycle& cycle : cycles) {
    if (order.empty() || order.back() != cycle.capture.entry) order.push_back(cycle.capture.entry);
  }
  std::vector<int> expected;
  for (int n = 1; n <= timelineLength; ++n) expected.push_back(n);
  EXPECT_EQ(order, expected);
  EXPECT_FALSE(captureExitRequested(nullptr));
}

TEST_F(WholeTimeline, OpenGlReportsNoError) {
  for (const Cycle& cycle : cycles) {
    EXPECT_EQ(cycle.error, static_cast<GLenum>(GL_NO_ERROR))
        << "entry " << cycle.capture.entry << " at " << cycle.capture.virtualMs << " ms";
  }
}

TEST_F(WholeTimeline, EveryPictureSlotHoldsItsPicture) {
  // The run starts beside the pictures the build painted.
  const auto width = [](unsigned texture) {
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint w = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    return w;
  };
  for (int slot = 1; slot <= pictureSlotCount; ++slot) {
    EXPECT_GE(width(pictures.texture[slot - 1]), 256) << pictureFiles[slot - 1];
  }
  EXPECT_EQ(width(loadingScreen.loadingTexture), 256);
  glBindTexture(GL_TEXTURE_2D, 0);
}

TEST_F(WholeTimeline, EveryEntryWithAPictureIsDisplayed) {
  // Entries 5, 90 and 91 only start the music or reset state, for one cycle,
  // and ask for no redraw.
  std::set<int> displayed;
  for (const Cycle& cycle : cycles) {
    if (cycle.capture.displayed) displayed.insert(cycle.capture.entry);
  }
  for (int n = 1; n <= timelineLength; ++n) {
    EXPECT_EQ(displayed.count(n), (n == 5 || n == 90 || n == 91) ? 0u : 1u) << "entry " << n;
  }
}

TEST_F(WholeTimeline, ThreeClockPhases) {
  // Loading takes 52 frames: entry 2 starts with the 53rd cycle (5300 ms);
  // entries 2 to 4 run 4500, 9000 and 13000 ms from there. Entry 5 restarts
  // the clock at 18400, so entry 89's 230000 ms run out at 248500; entry 91
  // starts track 2 a cycle later, and entry 115's 93000 ms of it run out at
  // 341700.
  std::map<int, uint32_t> activated;
  for (const Cycle& cycle : cycles) activated.emplace(cycle.capture.entry, cycle.capture.virtualMs);
  const std::map<int, uint32_t> expected{{2, 5300},    {3, 9900},    {4, 14400},
                                         {5, 18400},   {6, 18500},   {90, 248500},
                                         {91, 248600}, {92, 248700}, {116, 341700}};
  for (const auto& [entry, ms] : expected) EXPECT_EQ(activated[entry], ms) << "entry " << entry;

  // The clock restart shows as one negative step, in entry 6's first cycle:
  // 100 ms after a restart 18400 ms past the old start. The pendulum rows of
  // entries 21 and 27 are built in a cycle that advances no time. Every
  // other step is 100 ms.
  std::vector<std::pair<int, int32_t>> unusualSteps;
  for (const Cycle& cycle : cycles) {
    if (cycle.capture.frameMs != 100) {
      unusualSteps.emplace_back(cycle.capture.entry, cycle.capture.frameMs);
    }
  }
  EXPECT_EQ(unusualSteps, (std::vector<std::pair<int, int32_t>>{{6, -18300}, {21, 0}, {27, 0}}));
}

}  // namespace

// The logo scenes' set-up and the closing scroll's text, without a window.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/random.h"
#include "scenes/credits.h"
#include "scenes/titles/closingScroll.h"
#include "scenes/titles/logoScenes.h"
#include "sim/pendulum.h"

namespace {

TEST(ClosingScrollText, RunsInTheirOrderWithTheFixedLinesAndOurCredits) {
  // The runs as counts and lines; "#" stands for a line of our own wording,
  // one to a run, "" for a blank line.
  const std::pair<int, std::string> expected[] = {
      {15, ""}, {1, "  .The End.  "}, {10, ""}, {1, "You have been watching"}, {3, ""}, {1, "#"}, {2, ""},
      {1, "by"}, {2, ""}, {1, "BRISKO"}, {5, ""}, {1, "credits:"}, {1, ""}, {4, "#"}, {1, ""}, {4, "#"}, {2, ""},
      {1, " (you can press esc now, scroll will be long...)"}, {3, ""}, {1, "#"}, {1, ""}, {10, "#"}, {6, ""},
      {722, " no scroll more"}, {216, ""}, {1, "...scroll restart..."}};
  std::vector<std::string> ours;
  size_t run = 0;
  int total = 0;
  for (const auto& [count, line] : expected) {
    for (int k = 0; k < (line == "#" ? count : 1) && run < scrollRuns.size(); ++k, ++run) {
      const std::string got = scrollRuns[run].line;
      EXPECT_EQ(scrollRuns[run].count, line == "#" ? 1 : count) << run;
      if (line == "#") {
        ours.push_back(got);
      } else {
        EXPECT_EQ(got.find_first_not_of(' ') == std::string::npos ? "" : got, line) << run;
      }
      total += scrollRuns[run].count;
    }
  }
  EXPECT_EQ(run, scrollRuns.size());
  EXPECT_EQ(total, 1016);
  // The title in quotes; a credit line per role naming the captions'
  // people; the heading names the author.
  ASSERT_EQ(ours.size(), 20u);
  EXPECT_EQ(ours[0], std::string(productionTitle));
  EXPECT_EQ(ours[0], std::string(titleWords[0]) + " " + titleWords[1]);
  EXPECT_EQ(ours[1], std::string("code, physics, math: ") + codeHandle);
  EXPECT_EQ(ours[2], std::string("graphics: ") + graphicsName);
  EXPECT_EQ(ours[3], std::string("textures: ") + texturesHandle);
  EXPECT_EQ(ours[4], std::string("music: ") + musicName);
  EXPECT_NE(ours[9].find(codeHandle), std::string::npos);
}

TEST(LogoInits, PendulumFromSinglePrecisionConstantsAndPivotsInDrawOrder) {
  pendulum = {.pendulumAngle = 1.0, .pendulumSpeed = 3.0};
  logoScenes.logoCounter = 7.0f;
  logoInitA();
  EXPECT_TRUE(logoScenes.logoCounter == 0.0f && pendulum.pendulumAngle == 2.5 && pendulum.pendulumSpeed == 0.0);
  EXPECT_TRUE(pendulum.pendulumLength == 0.2 && pendulum.pendulumGravity == 9.800000190734863);
  EXPECT_EQ(pendulum.pendulumTimeScale, 0.0010000000474974513);
  // A fresh generator gives 41, 18467, 6334, 26500, 19169, 15724: drawn for
  // P2 x, P2 y, P3 x, P3 y, P1 x, P1 y, each (r / 32767 - 0.5) x 0.9.
  resetDemoRand();
  logoInitB();
  const int draws[pivotOffsetCount] = {41, 18467, 6334, 26500, 19169, 15724};
  for (int k = 0; k < pivotOffsetCount; ++k) {
    EXPECT_NEAR(logoScenes.pivotOffset[k], (draws[k] / 32767.0 - 0.5) * 0.9, 1e-7) << k;
  }
  EXPECT_TRUE(demoRandDraws() == 6u && logoScenes.sloganX1 == 900.0f && logoScenes.sloganX2 == 3000.0f);
  EXPECT_TRUE(pendulum.pendulumLength == 0.3 && pendulum.pendulumTimeScale == 0.0020000000949949026);
  pendulum = {};
  logoScenes = {};
  resetDemoRand();
}

}  // namespace

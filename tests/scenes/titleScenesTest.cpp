// The logo scenes' set-up and the fixed texts of the word sequence and the
// closing scroll, without a window.
#include <gtest/gtest.h>

#include <string>

#include "platform/random.h"
#include "scenes/credits.h"
#include "scenes/titles/logoScenes.h"
#include "scenes/titles/closingScroll.h"
#include "scenes/titles/wordSequence.h"
#include "sim/pendulum.h"

namespace {

bool blank(const char* line) { return std::string(line).find_first_not_of(' ') == std::string::npos; }

TEST(ClosingScrollText, RunsInTheirOrderWithTheFixedLines) {
  // {count, the line, or nullptr for a line of our own wording}
  struct Run {
    int count;
    const char* line;
  };
  const char* const ours = nullptr;
  const char* const empty = "";
  const Run expected[] = {
      {15, empty}, {1, "  .The End.  "}, {10, empty}, {1, "You have been watching"}, {3, empty}, {1, ours},
      {2, empty},  {1, "by"},            {2, empty},  {1, "BRISKO"},                 {5, empty}, {1, "credits:"},
      {1, empty},  {4, ours},            {1, empty},  {4, ours},                     {2, empty},
      {1, " (you can press esc now, scroll will be long...)"},
      {3, empty},  {1, ours},            {1, empty},  {10, ours},                    {6, empty}, {722, " no scroll more"},
      {216, empty}, {1, "...scroll restart..."},
  };
  // Lines of our own wording come one to a run in the table.
  size_t run = 0;
  int total = 0;
  for (const Run& want : expected) {
    for (int k = 0; k < (want.line == ours ? want.count : 1); ++k, ++run) {
      ASSERT_LT(run, scrollRuns.size());
      const ScrollRun& got = scrollRuns[run];
      const int count = want.line == ours ? 1 : want.count;
      EXPECT_EQ(got.count, count) << "run " << run;
      if (want.line == empty) {
        EXPECT_TRUE(blank(got.line)) << "run " << run;
      } else if (want.line != ours) {
        EXPECT_STREQ(got.line, want.line) << "run " << run;
      } else {
        EXPECT_FALSE(blank(got.line)) << "run " << run;
      }
      total += got.count;
    }
  }
  EXPECT_EQ(run, scrollRuns.size());
  EXPECT_EQ(total, 1016);
  EXPECT_EQ(total, scrollLineCount);
}

TEST(ClosingScrollText, CreditsNameTheCaptionsPeopleAndTheTitleIsQuoted) {
  // The title follows "You have been watching" and three blanks; the credit
  // lines follow "credits:" and a blank; the heading names the author.
  auto lineAfter = [](const char* anchor, int skip) {
    for (size_t r = 0; r < scrollRuns.size(); ++r) {
      if (std::string(scrollRuns[r].line) == anchor) return std::string(scrollRuns[r + 1 + skip].line);
    }
    return std::string();
  };
  EXPECT_EQ(lineAfter("You have been watching", 1), std::string(productionTitle));
  EXPECT_EQ(std::string(productionTitle), std::string(titleWords[0]) + " " + titleWords[1]);
  EXPECT_EQ(productionTitle[0], '"');
  const char* const people[] = {codeHandle, graphicsName, texturesHandle, musicName};
  const char* const roles[] = {"code", "graphics", "textures", "music"};
  for (int k = 0; k < 4; ++k) {
    const std::string line = lineAfter("credits:", 1 + k);
    EXPECT_EQ(line.rfind(roles[k], 0), 0u) << line;
    EXPECT_EQ(line.substr(line.find(':')), std::string(": ") + people[k]) << line;
  }
  EXPECT_NE(lineAfter(" (you can press esc now, scroll will be long...)", 1).find(codeHandle), std::string::npos);
}

TEST(WordSequence, NineWordsTopToBottomEndingInTheQuestion) {
  std::string sentence;
  for (int n = 0; n < wordCount; ++n) {
    sentence += std::string(n == wordCount - 1 ? lastLineSteps[2] : shimmerWords[n].text) + " ";
    if (n > 0) {
      EXPECT_EQ(shimmerWords[n].y, shimmerWords[n - 1].y - 100.0f) << n;
    }
  }
  EXPECT_EQ(sentence, "Do you enjoy numerical solution of partial differential wave equation ??? ");
  EXPECT_STREQ(shimmerWords[wordCount - 1].text, lastLineSteps[0]);
}

TEST(LogoInits, PendulumFromSinglePrecisionConstantsAndPivotsInDrawOrder) {
  pendulum = {.pendulumAngle = 1.0, .pendulumSpeed = 3.0};
  logoScenes.logoCounter = 7.0f;
  logoInitA();
  EXPECT_EQ(logoScenes.logoCounter, 0.0f);
  EXPECT_TRUE(pendulum.pendulumAngle == 2.5 && pendulum.pendulumSpeed == 0.0 && pendulum.pendulumLength == 0.2);
  EXPECT_EQ(pendulum.pendulumGravity, 9.800000190734863);
  EXPECT_EQ(pendulum.pendulumTimeScale, 0.0010000000474974513);

  // A fresh generator gives 41, 18467, 6334, 26500, 19169, 15724: drawn for
  // P2 x, P2 y, P3 x, P3 y, P1 x, P1 y, each (r / 32767 - 0.5) x 0.9.
  resetDemoRand();
  logoInitB();
  EXPECT_EQ(demoRandDraws(), 6u);
  const int draws[pivotOffsetCount] = {41, 18467, 6334, 26500, 19169, 15724};
  for (int k = 0; k < pivotOffsetCount; ++k) {
    EXPECT_NEAR(logoScenes.pivotOffset[k], (draws[k] / 32767.0 - 0.5) * 0.9, 1e-7) << k;
  }
  EXPECT_TRUE(logoScenes.sloganX1 == 900.0f && logoScenes.sloganX2 == 3000.0f);
  EXPECT_TRUE(pendulum.pendulumLength == 0.3 && pendulum.pendulumAngle == 2.5);
  EXPECT_EQ(pendulum.pendulumTimeScale, 0.0020000000949949026);
  pendulum = {};
  logoScenes = {};
  resetDemoRand();
}

}  // namespace

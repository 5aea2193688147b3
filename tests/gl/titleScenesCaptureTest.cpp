// The logo scenes (entries 6 to 11), the word sequence (46 to 56) and the
// closing scroll (116) in captured frames, and the scroll run for two hours
// of virtual time.
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>
#include <vector>

#include "runtime/sequencer.h"
#include "runtime/text.h"
#include "scenes/titles/closingScroll.h"
#include "scenes/titles/logoScenes.h"
#include "scenes/titles/wordSequence.h"
#include "sim/pendulum.h"
#include "tests/gl/sceneCapture.h"

namespace {

int brightest(const ReadBack& f, int x0, int x1, int y0, int y1) {
  int most = 0;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) most = std::max<int>(most, f.at(x, y).r);
  }
  return most;
}
bool lit(Rgb c) { return c.r > 2; }
bool bright(Rgb c) { return c.r >= 120; }
int pixel(double unit, int half) { return static_cast<int>((unit + 1.0) * half); }

// The milliseconds the current entry has run, its first frame included.
double entryMs = 0.0;

// One cycle at `fps`; true while it is still a frame of the entry.
bool nextFrameOf(int entry, int fps) {
  const int before = current.entry;
  current = captureCycle(fps);
  entryMs = current.entry == before ? entryMs + current.frameMs : current.frameMs;
  return current.entry == entry;
}
// To the entry's first frame, then on until its clock reaches `ms`.
bool reach(int entry, int32_t ms = INT32_MIN, int fps = 30) {
  while (current.entry < entry) nextFrameOf(entry, fps);
  while (current.entry == entry && current.timelineMs < ms) nextFrameOf(entry, fps);
  return current.entry == entry;
}

TEST(LogoScenes, GridOf196PendulumsDarkensFromGreyToBlackInAbout1300Ms) {
  ASSERT_TRUE(runUntil(4, 12000, 2) && reach(6));
  // The first frame's time is minus the whole time since start-up (the clock
  // restarted with the music): the grid counts it as none and starts at 0.5.
  const double first = current.frameMs;
  ASSERT_LT(first, -10000);
  EXPECT_NEAR(brightest(capturedFrame(), 374, 426, 230, 292), 127.5, 4.0);
  float counter = 0.0f;
  int leftColumn = 0;
  while (current.timelineMs < 1150 && nextFrameOf(6, 30)) {
    // Each of the 196 pendulums darkens the grid by frameMs * 0.1 * 0.00002:
    // 0.000392 a millisecond, black after 1275.5 ms. The one at the centre
    // is drawn 120 pendulums before the last.
    counter = logoScenes.logoCounter;
    EXPECT_NEAR(counter, 0.000392 * (entryMs - first), 1e-4);
    const ReadBack f = capturedFrame();
    const double grey = 0.5 - counter + 120 * 0.1 * 0.00002 * current.frameMs;
    EXPECT_NEAR(brightest(f, 374, 426, 230, 292), std::max(0.0, grey) * 255.0, 4.0) << current.timelineMs;
    // A pivot every 0.2 from -1.0 on: from window x 0 every 80 pixels, from
    // y 0 every 60 (those from 1.2 on lie beyond the window).
    for (int k = 1; k < 10 && grey > 0.1; ++k) {
      EXPECT_GT(f.count(80 * k - 1, 80 * k + 2, 299, 302, lit), 0) << k;
      EXPECT_GT(f.count(399, 402, 60 * k - 1, 60 * k + 2, lit), 0) << k;
    }
    // The column at -1.0 itself shows while its bobs swing into the window.
    if (pendulum.pendulumX > 0.03f && grey > 0.1) {
      const int x = pixel(-1.0 + pendulum.pendulumX, 400), y = pixel(pendulum.pendulumY, 300);
      EXPECT_GT(f.count(x - 2, x + 3, y - 2, y + 3, lit), 0);
      ++leftColumn;
    }
  }
  EXPECT_GT(leftColumn, 0);
  // Near the end of the entry (1200 ms) almost black.
  EXPECT_LT(0.5 - counter, 0.06);
}

// Entries 7 and 10: each line large and dim (grey 0.25, 900 units across)
// and small and bright (0.75, 3000 units). The counter gains 0.003 degrees
// a millisecond, between the third pass and the fourth; the third, the
// bright first line from (1000, 2000), turns by it counter-clockwise in
// entry 7 (turn 1) and clockwise in entry 10 (-1) about the lower left.
// Entered with a frame of 500 ms, which moves the counter by 1.5 degrees
// after the third pass has drawn.
void expectTurningLines(int entry, int32_t at, double turn) {
  ASSERT_TRUE(reach(entry, INT32_MIN, 2) && current.frameMs == 500);
  const ReadBack first = capturedFrame();
  const Box start = first.extent(0, 800, 300, 600, bright);
  EXPECT_TRUE(start.left >= 265 && start.left <= 272 && start.bottom >= 396 && start.bottom <= 404)
      << start.left << ", " << start.bottom;
  EXPECT_NEAR(brightest(first, 0, 800, 150, 600), 191, 4);
  EXPECT_NEAR(brightest(first, 80, 250, 380, 480), 64, 4);
  const Box dim = first.extent(0, 250, 300, 600, [](Rgb c) { return c.r >= 40 && c.r <= 70; });
  EXPECT_TRUE(dim.left >= 86 && dim.left <= 96 && dim.bottom >= 396 && dim.bottom <= 404)
      << dim.left << ", " << dim.bottom;
  ASSERT_TRUE(reach(entry, at));
  EXPECT_NEAR(logoScenes.logoCounter, 0.003 * entryMs, 1e-3);
  const double a = turn * (logoScenes.logoCounter - 0.003 * current.frameMs) * std::numbers::pi / 180.0;
  EXPECT_GT(std::abs(a), 0.15);
  const double pen = (1000.0 * std::cos(a) - 2000.0 * std::sin(a)) * 800.0 / 3000.0;
  EXPECT_NEAR(capturedFrame().extent(0, 800, 300, 600, bright).left, pen, 6.0) << entry;
}

// Entries 9 and 11: bobs at pivot + the pendulum, P1 grey 0.3 and 10
// pixels across, P2 0.4, P3 0.47 and 17 across. Both slogans enter at the
// right edge, the near one crossing its 900 units in 1000 ms, the far one
// its 3000 in 2000 ms, and move after each drawing.
void expectPendulumsAndSlogan(int entry, int32_t at) {
  ASSERT_TRUE(reach(entry) && reach(entry, at));
  EXPECT_NEAR(logoScenes.sloganX1, 900.0 - 0.9 * entryMs, 0.01);
  EXPECT_NEAR(logoScenes.sloganX2, 3000.0 - 1.5 * entryMs, 0.01);
  const ReadBack f = capturedFrame();
  const float* o = logoScenes.pivotOffset;
  const double x = pendulum.pendulumX, y = pendulum.pendulumY;
  const double bobs[3][3] = {{o[P1X] - 0.2 + x, o[P1Y] - 0.2 + y, 76.5},
                             {o[P2X] + 0.1 + x, o[P2Y] + 0.1 + y, 102.0},
                             {o[P3X] + 0.6 + x, o[P3Y] + y, 119.85}};
  for (int k = 0; k < 3; ++k) {
    const int bx = pixel(bobs[k][0], 400), by = pixel(bobs[k][1], 300);
    EXPECT_NEAR(f.at(bx, by).r, bobs[k][2], 3.0) << entry << " P" << k + 1;
    // Across the bob's middle row: its size, the rod standing only at the
    // centre.
    const int across = f.count(bx - 12, bx + 13, by, by + 1, [&](Rgb c) { return c.r >= bobs[k][2] - 8; });
    if (k != 1) {
      EXPECT_NEAR(across, k == 0 ? 9.5 : 16.5, 1.6) << entry << " P" << k + 1;
    }
  }
  // The far slogan in grey 0.75, from (sloganX2 as drawn, 400) of 3000.
  const double pen = (logoScenes.sloganX2 + 1.5 * current.frameMs) * 800.0 / 3000.0;
  const Box slogan = f.extent(0, 690, 60, 125, [](Rgb c) { return c.r >= 140; });
  EXPECT_TRUE(slogan.left >= pen - 1 && slogan.left <= pen + 8) << slogan.left << " " << pen;
}

TEST(LogoScenes, EventLinesPendulumsTitleAndPendulumsAgain) {
  expectTurningLines(7, 4500, 1.0);
  expectPendulumsAndSlogan(9, 8500);
  const std::vector<float> entryNine(logoScenes.pivotOffset, logoScenes.pivotOffset + pivotOffsetCount);
  expectTurningLines(10, 12500, -1.0);
  expectPendulumsAndSlogan(11, 15000);
  // Entry 11 draws its own pivots.
  EXPECT_FALSE(std::equal(entryNine.begin(), entryNine.end(), logoScenes.pivotOffset));
}

TEST(WordSequence, EachEntryAddsAWordAndTheLastLineGrows) {
  // Window x of the projection (0, 1700) across, y of (100, 1200) up.
  auto across = [](const char* text) { return static_cast<int>((300.0f + strokeTextWidth(text)) * 800.0f / 1700.0f); };
  auto baseline = [](float y) { return static_cast<int>((y - 100.0f) * 600.0f / 1100.0f); };
  auto ink = [](Rgb c) { return c.r >= 30 && c.r > c.b; };
  ASSERT_TRUE(runUntil(45, 106500, 2));
  for (int m = 0; m <= 10; ++m) {
    ASSERT_TRUE(reach(46 + m));
    const ReadBack f = capturedFrame();
    // Word n from entry 46 + n - 1 on: ink over its lower letters.
    for (int n = 0; n < wordCount; ++n) {
      const int y = baseline(shimmerWords[n].y);
      EXPECT_EQ(f.count(0, 690, y + 2, y + 30, ink) > 20, n <= m) << "entry " << 46 + m << ", word " << n + 1;
    }
    const int y = baseline(shimmerWords[wordCount - 1].y);
    EXPECT_EQ(f.count(across("wave ") + 8, across("wave equation") - 12, y + 2, y + 30, ink) > 20, m >= 9) << m;
    EXPECT_EQ(f.count(across("wave equation ") + 6, 690, y + 2, y + 30, ink) > 20, m == 10) << m;
    // The init's blending (source alpha, zero) makes each copy replace what
    // it covers: the brightest is the last copy alone, the beige x 0.4.
    EXPECT_NEAR(brightest(f, 0, 690, 120, 600), 76.5, 3.0) << "entry " << 46 + m;
  }
  // From the second frame on the spectrum's blending lets the copies add
  // up, never past the beige itself.
  ASSERT_TRUE(reach(56, 112000));
  const int most = brightest(capturedFrame(), 0, 690, 120, 600);
  EXPECT_TRUE(most > 90 && most <= 191) << most;
}

TEST(ClosingScroll, FirstFrameStartsAtTheSecondLine) {
  captureReadBack(false);
  ASSERT_TRUE(runUntil(115, 92000, 1));
  captureReadBack(true);
  ASSERT_TRUE(runUntil(116, INT32_MIN, 2) && current.frameMs == 500);
  const ClosingScroll& s = closingScroll;
  EXPECT_TRUE(s.scrollLines.size() == 1016u && s.scrollIndex == 0);
  // One frame of 50 ms x 0.1 units: breathing, scrolling, swaying and the
  // fade from 0.
  const double b = (std::sin(50 * 0.00942477796076938) + 1.0) / 6.0;
  EXPECT_EQ(s.scrollView[0], static_cast<int>((b + 1.0) * 2700.0));
  EXPECT_NEAR(s.state.scrollOffset, 0.05, 1e-6);
  EXPECT_NEAR(s.state.scrollFade, 25.0, 1e-4);
  // "  .The End.  ", the 16th line, is the 15th drawn: 14 lines of 150
  // units below the base at 3500, its beige copy 10 units higher, turned by
  // the sway about the screen's centre where the line is centred, and seen
  // through the fade at an eighth.
  const double height = static_cast<int>(2700.0 * b + 2700.0);
  const double sway = 20.0 * std::sin(50 * 0.0025) * std::numbers::pi / 180.0;
  auto lineY = [&](int drawn) {
    return pixel((2.0 * (100.0 + 3500.0 - 150.0 * drawn + 10.0) / height - 1.0) * std::cos(sway), 300);
  };
  auto ink = [](Rgb c) { return c.r >= 24 && c.r >= c.b; };
  const ReadBack f = capturedFrame();
  EXPECT_GT(f.count(300, 500, lineY(14) - 3, lineY(14) + 24, ink), 30);
  EXPECT_EQ(f.count(300, 500, lineY(15) - 3, lineY(15) + 22, ink), 0);
  EXPECT_EQ(f.count(300, 500, lineY(13) + 2, lineY(13) + 24, ink), 0);
}

// The scroll's display once more, with the given frame time.
void scrollFrameOf(int32_t frameMs) {
  SequencerState held = sequencer;
  held.frameMs = frameMs;
  resetSequencer(held);
  scrollDisplay();
}

TEST(ClosingScroll, ALineAdvancesOnlyPast0075AndARestartKeepsTheBase) {
  ClosingScroll& s = closingScroll;
  s.scrollIndex = 3;
  s.state.scrollOffset = 0.075f;
  const float base = s.scrollBase;
  scrollFrameOf(0);
  EXPECT_TRUE(s.scrollIndex == 3 && s.state.scrollOffset == 0.075f && s.scrollBase == base);
  // 1 ms more passes it: the base takes up 0.0751 x 2000 - 150 = 0.2.
  scrollFrameOf(1);
  EXPECT_TRUE(s.scrollIndex == 4 && s.state.scrollOffset == 0.0f);
  EXPECT_NEAR(s.scrollBase, base + 0.2, 1e-3);
  // The marker, the last of 1016 lines, is drawn 30th once 985 lines have
  // passed: all but the base starts again, and the frame goes black.
  s.scrollIndex = 984;
  s.state = {.scrollFade = 150.0f, .scrollOffset = 0.075f, .breathPhase = 2.0f};
  textState.swayPhase = 1.0f;
  scrollFrameOf(1);
  EXPECT_TRUE(s.restarts == 1 && s.scrollIndex == 0 && s.state.scrollOffset == 0.0f && s.state.breathPhase == 0.0f);
  EXPECT_TRUE(textState.swayPhase == 0.0f && s.state.scrollFade == 0.05f);
  EXPECT_NEAR(s.scrollBase, base + 0.4, 1e-3);
  EXPECT_LE(brightest(capturedFrame(), 0, 800, 0, 600), 1);
}

// Cycles at `rate`, at most `maxCycles`: each restart's virtual time and the
// heap in use after it.
std::vector<std::pair<int64_t, size_t>> restarts(FrameRate rate, int64_t maxCycles, size_t count = 100) {
  std::vector<std::pair<int64_t, size_t>> seen;
  for (int64_t n = 0, known = closingScroll.restarts; n < maxCycles && seen.size() < count; ++n) {
    current = captureCycle(rate);
    if (closingScroll.restarts != known) seen.emplace_back(current.virtualMs, mallinfo2().uordblks);
    known = closingScroll.restarts;
  }
  return seen;
}

TEST(ClosingScroll, RestartsAfterAbout12Point3MinutesAndRunsTwoHoursWithoutGrowing) {
  captureReadBack(false);
  // Frames of 751 ms move 0.0751 of a line each, one line a frame at the
  // scroll's own pace of 750 ms: the next restart 985 lines on, after 985 x
  // 751 ms = 12.33 minutes.
  int64_t from = current.virtualMs;
  const auto first = restarts({1000, 751}, 1000, 1);
  ASSERT_EQ(first.size(), 1u);
  EXPECT_EQ(first[0].first - from, 985 * 751);
  // Two hours at a frame every 3 s, one line a frame (never more): a
  // restart every 2955 s, two in all; the heap after the second as after
  // the first, the text laid out once.
  from = current.virtualMs;
  const char* const* lines = closingScroll.scrollLines.data();
  const auto seen = restarts({1, 3}, 2400);
  EXPECT_EQ(current.virtualMs - from, 7200 * 1000);
  ASSERT_EQ(seen.size(), 2u);
  for (size_t k = 0; k < seen.size(); ++k) EXPECT_EQ(seen[k].first - from, 2955000 * static_cast<int64_t>(k + 1));
  EXPECT_LE(seen[1].second, seen[0].second + 4096);
  EXPECT_TRUE(closingScroll.scrollLines.size() == 1016u && closingScroll.scrollLines.data() == lines);
  EXPECT_EQ(current.entry, 116);
  captureReadBack(true);
}

}  // namespace

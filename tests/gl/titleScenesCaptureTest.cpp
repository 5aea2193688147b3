// The logo scenes (entries 6 to 11), the word sequence (46 to 56) and the
// closing scroll (116) in captured frames, and the scroll run for two hours
// of virtual time.
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>
#include <tuple>
#include <utility>
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

bool lit(Rgb c) { return c.r > 2 || c.g > 2 || c.b > 2; }

// The window pixel of a point of the unit projection.
double pixelX(double x) { return (x + 1.0) * 400.0; }
double pixelY(double y) { return (y + 1.0) * 300.0; }

// The milliseconds the current entry has run, its first frame included.
double entryMs = 0.0;

// One cycle at `fps`; true while it is still a frame of the entry.
bool nextFrameOf(int entry, int fps) {
  const int before = current.entry;
  current = captureCycle(fps);
  entryMs = current.entry == before ? entryMs + current.frameMs : current.frameMs;
  return current.entry == entry;
}

// Runs to the first frame of the entry, or stays there if it is that frame.
bool firstFrameOf(int entry, int fps) {
  if (current.entry == 0) runUntil(1, INT32_MIN, fps);
  while (current.entry < entry) nextFrameOf(entry, fps);
  return current.entry == entry && entryMs == current.frameMs;
}

// Runs the entry on until its clock reaches `ms`.
bool runOnTo(int entry, int32_t ms, int fps) {
  while (current.entry == entry && current.timelineMs < ms) nextFrameOf(entry, fps);
  return current.entry == entry;
}

// --- Logo scenes ------------------------------------------------------------

// Each of the 196 pendulums darkens the grid by frameMs * 0.1 * 0.00002: the
// grid darkens by 0.000392 a millisecond and reaches black from grey 0.5
// after 1275.5 ms.
constexpr double gridDarkening = 196 * 0.1 * 0.00002;

TEST(LogoScenes, GridOf196PendulumsDarkensFromGreyToBlackInAbout1300Ms) {
  // Quickly through the water glass.
  ASSERT_TRUE(runUntil(4, 12000, 2));
  ASSERT_TRUE(firstFrameOf(6, 30));
  // Activated on the cycle after the clock restarted with the music: its
  // frame time is minus the whole time since start-up, which the grid
  // counts as no time. It starts at grey 0.5.
  ASSERT_LT(current.frameMs, -10000);
  EXPECT_EQ(logoScenes.logoCounter, 0.0f);
  EXPECT_NEAR(brightest(capturedFrame(), 374, 426, 230, 292), 127.5, 4.0);
  double elapsed = 0.0;
  float counter = 0.0f;
  bool probedRange = false;
  while (nextFrameOf(6, 30)) {
    elapsed += current.frameMs;
    counter = logoScenes.logoCounter;
    EXPECT_NEAR(counter, gridDarkening * elapsed, 1e-4) << elapsed;
    const ReadBack f = capturedFrame();
    // The pendulum at the centre is the 76th drawn, 120 pendulums before the
    // last: its grey is that much above the counter's end value.
    const double grey = 0.5 - counter + 120 * 0.1 * 0.00002 * current.frameMs;
    EXPECT_NEAR(brightest(f, 374, 426, 230, 292), std::max(0.0, grey) * 255.0, 4.0) << current.timelineMs;
    if (!probedRange && current.timelineMs >= 300) {
      probedRange = true;
      // A pivot every 0.2 from -1.0 on (from window x 0 and y 0, every 80
      // pixels across and 60 up; the rows and columns from 1.2 on lie
      // beyond the window's top and right edges).
      for (int k = 0; k < 10; ++k) {
        EXPECT_GT(f.count(std::max(0, 80 * k - 1), 80 * k + 2, 299, 302, lit), 0) << k;
        EXPECT_GT(f.count(399, 402, std::max(0, 60 * k - 1), 60 * k + 2, lit), 0) << k;
      }
    }
  }
  EXPECT_TRUE(probedRange);
  // The entry ends at 1200 ms, the grid almost black.
  EXPECT_GT(elapsed, 1150.0);
  EXPECT_LT(0.5 - counter, 0.05);
}

// The left end, in window x, of the bright copy of a line written from
// (1000, 2000) of a 3000-unit projection turned by `degrees` about its
// origin.
double turnedPen(double degrees) {
  const double a = degrees * std::numbers::pi / 180.0;
  return (1000.0 * std::cos(a) - 2000.0 * std::sin(a)) * 800.0 / 3000.0;
}
bool bright(Rgb c) { return c.r >= 120; }

// Entries 7 and 10: the counter gains 0.003 degrees a millisecond, between
// the third pass and the fourth; the third turns by it counter-clockwise in
// entry 7 (turn 1) and clockwise in entry 10 (turn -1).
void expectTurningLines(int entry, int32_t at, double turn) {
  ASSERT_TRUE(firstFrameOf(entry, 30));
  // Not yet turned: the small bright first line starts at window (266.7,
  // 400), the large dim one at (88.9, 400); grey 0.75 and 0.25.
  const ReadBack first = capturedFrame();
  const Box start = first.extent(0, 800, 300, 600, bright);
  EXPECT_TRUE(start.left >= 265 && start.left <= 272) << start.left;
  EXPECT_TRUE(start.bottom >= 396 && start.bottom <= 404) << start.bottom;
  EXPECT_NEAR(brightest(first, 0, 800, 150, 600), 191, 4);
  EXPECT_NEAR(brightest(first, 80, 250, 380, 480), 64, 4);
  ASSERT_TRUE(runOnTo(entry, at, 30));
  EXPECT_NEAR(logoScenes.logoCounter, 0.003 * entryMs, 1e-3);
  const double third = turn * (logoScenes.logoCounter - 0.003 * current.frameMs);
  EXPECT_GT(std::abs(third), 9.0);
  const Box box = capturedFrame().extent(0, 800, 300, 600, bright);
  EXPECT_NEAR(box.left, turnedPen(third), 6.0) << entry;
}

// Entries 9 and 11: three pendulums at random pivots and the slogan.
void expectPendulumsAndSlogan(int entry, int32_t at) {
  ASSERT_TRUE(firstFrameOf(entry, 30));
  ASSERT_TRUE(runOnTo(entry, at, 30));
  // Both slogans enter at the right edge, the near one crossing its 900
  // units in 1000 ms, the far one its 3000 in 2000 ms (moved after each
  // drawing).
  EXPECT_NEAR(logoScenes.sloganX1, 900.0 - 0.9 * entryMs, 0.01);
  EXPECT_NEAR(logoScenes.sloganX2, 3000.0 - 1.5 * entryMs, 0.01);
  const ReadBack f = capturedFrame();
  const float* o = logoScenes.pivotOffset;
  for (int k = 0; k < pivotOffsetCount; ++k) EXPECT_LE(std::abs(o[k]), 0.45f);
  // Bobs at pivot + the pendulum: P1 grey 0.3 and 10 pixels across, P2
  // 0.4, P3 0.47 and 17 across.
  const double bx = pendulum.pendulumX, by = pendulum.pendulumY;
  const double bobs[3][3] = {{o[P1X] - 0.2 + bx, o[P1Y] - 0.2 + by, 76.5},
                             {o[P2X] + 0.1 + bx, o[P2Y] + 0.1 + by, 102.0},
                             {o[P3X] + 0.6 + bx, o[P3Y] + by, 119.85}};
  auto bob = [&](int k, int dx) {
    return f.at(static_cast<int>(pixelX(bobs[k][0])) + dx, static_cast<int>(pixelY(bobs[k][1]))).r;
  };
  for (int k = 0; k < 3; ++k) EXPECT_NEAR(bob(k, 0), bobs[k][2], 3.0) << entry << " P" << k + 1;
  EXPECT_NEAR(bob(2, -6), 119.85, 3.0);
  EXPECT_LT(bob(0, -7), 60);
  // The far slogan in grey 0.75, from (sloganX2 as drawn, 400) of 3000.
  const double pen = (logoScenes.sloganX2 + 1.5 * current.frameMs) * 800.0 / 3000.0;
  const Box slogan = f.extent(0, 690, 60, 125, [](Rgb c) { return c.r >= 140; });
  EXPECT_TRUE(slogan.left >= pen - 1 && slogan.left <= pen + 8) << slogan.left << " " << pen;
}

TEST(LogoScenes, EventLinesPendulumsTitleAndPendulumsAgain) {
  expectTurningLines(7, 4500, 1.0);
  expectPendulumsAndSlogan(9, 8500);
  float entryNine[pivotOffsetCount] = {};
  std::copy(logoScenes.pivotOffset, logoScenes.pivotOffset + pivotOffsetCount, entryNine);
  expectTurningLines(10, 12500, -1.0);
  expectPendulumsAndSlogan(11, 15000);
  // Entry 11 draws its own pivots.
  EXPECT_FALSE(std::equal(entryNine, entryNine + pivotOffsetCount, logoScenes.pivotOffset));
}

// --- Word sequence ----------------------------------------------------------

// Word ink: the beige of the copies, left of the spectrum.
bool ink(Rgb c) { return c.r >= 30 && c.r > c.b; }

// Window y of a word's baseline in the projection (100, 1200) up.
int baseline(float y) { return static_cast<int>((y - 100.0f) * 600.0f / 1100.0f); }
// Window x of a point of the projection (0, 1700) across.
int across(float x) { return static_cast<int>(x * 800.0f / 1700.0f); }

TEST(WordSequence, EachEntryAddsAWordAndTheLastLineGrows) {
  const ShimmerWord& last = shimmerWords[wordCount - 1];
  const int wave = across(last.x + static_cast<float>(strokeTextWidth("wave ")));
  const int equation = across(last.x + static_cast<float>(strokeTextWidth("wave equation ")));
  ASSERT_TRUE(runUntil(45, 106500, 2));
  for (int m = 0; m <= 10; ++m) {
    ASSERT_TRUE(firstFrameOf(46 + m, 30));
    const ReadBack f = capturedFrame();
    // Word n shows from entry 46 + n - 1 on: ink over its lower letters,
    // above its baseline (plus up to 5.5 pixels of shaking).
    for (int n = 0; n < wordCount; ++n) {
      const int y = baseline(shimmerWords[n].y);
      EXPECT_EQ(f.count(0, 690, y + 2, y + 30, ink) > 20, n <= m) << "entry " << 46 + m << ", word " << n + 1;
    }
    const int y = baseline(last.y);
    EXPECT_EQ(f.count(wave + 8, equation - 20, y + 2, y + 30, ink) > 20, m >= 9) << "entry " << 46 + m;
    EXPECT_EQ(f.count(equation + 6, 690, y + 2, y + 30, ink) > 20, m == 10) << "entry " << 46 + m;
    // The first frame blends with (source alpha, zero): each copy replaces
    // what it covers and the brightest is the last copy alone, the beige
    // times 0.4.
    EXPECT_NEAR(brightest(f, 0, 690, 120, 600), 76.5, 3.0) << "entry " << 46 + m;
  }
  // After the first frame the spectrum has left blending over what is
  // drawn: copies add up (0.6976 of the beige where all four visible ones
  // meet once, more where strokes cross), never past the beige itself.
  ASSERT_TRUE(runUntil(56, 112000, 30));
  const int most = brightest(capturedFrame(), 0, 690, 120, 600);
  EXPECT_TRUE(most > 90 && most <= 191) << most;
}

// --- Closing scroll ---------------------------------------------------------

// Beige text of the scroll, told from its blue-grey background, from the
// black shadow and from the decoration's reddish greys.
bool scrollInk(Rgb c) { return c.r >= 24 && c.r >= c.b; }

TEST(ClosingScroll, FirstFrameStartsAtTheSecondLine) {
  // Quickly and unseen through the second half, then at 2 frames a second.
  captureReadBack(false);
  ASSERT_TRUE(runUntil(115, 92000, 1));
  captureReadBack(true);
  ASSERT_TRUE(runUntil(116, INT32_MIN, 2));
  ASSERT_EQ(current.frameMs, 500);
  const ClosingScroll& s = closingScroll;
  ASSERT_EQ(s.scrollLines.size(), 1016u);
  const double ms = current.frameMs;
  // One frame of breathing, scrolling and swaying, all from 0.
  const double b = (std::sin(ms * 0.1 * 0.00942477796076938) + 1.0) / 6.0;
  EXPECT_EQ(s.scrollView[0], static_cast<int>((b + 1.0) * 2700.0));
  EXPECT_EQ(s.scrollIndex, 0);
  EXPECT_NEAR(s.state.scrollOffset, ms * 1e-4, 1e-6);
  EXPECT_NEAR(s.state.scrollFade, ms * 0.05, 1e-4);
  // Drawn from the second line on, "  .The End.  " (the 16th line) is the
  // 15th drawn, 14 lines of 150 units below the base at 3500; its beige
  // copy 10 units higher. Turned by the sway about the screen's centre,
  // where the line is centred. Seen through the fade-in: ink at an eighth.
  const double height = static_cast<int>(2700.0 * b + 2700.0);
  const double sway = 20.0 * std::sin(ms * 0.1 * 0.0025) * std::numbers::pi / 180.0;
  auto lineY = [&](int drawn) {
    const double y = s.state.scrollOffset * 2000.0 + 3500.0 - 150.0 * drawn + 10.0;
    return static_cast<int>(pixelY((2.0 * y / height - 1.0) * std::cos(sway)));
  };
  const ReadBack f = capturedFrame();
  const int y = lineY(14);
  EXPECT_GT(f.count(300, 500, y - 3, y + 24, scrollInk), 30) << y;
  // Nothing where the line would stand one place lower or higher.
  EXPECT_EQ(f.count(300, 500, lineY(15) - 3, lineY(15) + 22, scrollInk), 0);
  EXPECT_EQ(f.count(300, 500, lineY(13) + 2, lineY(13) + 24, scrollInk), 0);
}

// Runs the scroll's display once with the given frame time.
void scrollFrameOf(int32_t frameMs) {
  SequencerState held = sequencer;
  held.frameMs = frameMs;
  resetSequencer(held);
  scrollDisplay();
}

TEST(ClosingScroll, ALineAdvancesOnlyPast0075AndARestartKeepsTheBase) {
  ClosingScroll& s = closingScroll;
  ASSERT_EQ(current.entry, 116);
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
  // passed: everything but the base starts again, and the frame goes black
  // with the fade.
  s.scrollIndex = 984;
  s.state = {.scrollFade = 150.0f, .scrollOffset = 0.075f, .breathPhase = 2.0f};
  textState.swayPhase = 1.0f;
  const int32_t restarts = s.restarts;
  const float before = s.scrollBase;
  scrollFrameOf(1);
  EXPECT_EQ(s.restarts, restarts + 1);
  EXPECT_TRUE(s.scrollIndex == 0 && s.state.scrollOffset == 0.0f && s.state.breathPhase == 0.0f);
  EXPECT_EQ(textState.swayPhase, 0.0f);
  EXPECT_NEAR(s.state.scrollFade, 0.05f, 1e-6f);
  EXPECT_NEAR(s.scrollBase, before + 0.2, 1e-3);
  EXPECT_LE(brightest(capturedFrame(), 0, 800, 0, 600), 1);
  EXPECT_EQ(s.scrollLines.size(), 1016u);
}

// A restart: its virtual time and the heap in use right after it.
struct Restart {
  int64_t virtualMs;
  size_t heap;
};

// Cycles at `rate`, at most `maxCycles`, until the scroll has restarted
// `count` more times.
std::vector<Restart> restarts(FrameRate rate, int count, int64_t maxCycles) {
  std::vector<Restart> seen;
  int32_t known = closingScroll.restarts;
  for (int64_t n = 0; n < maxCycles && static_cast<int>(seen.size()) < count; ++n) {
    current = captureCycle(rate);
    if (closingScroll.restarts != known) seen.push_back({current.virtualMs, mallinfo2().uordblks});
    known = closingScroll.restarts;
  }
  return seen;
}

TEST(ClosingScroll, RestartsAfterAbout12Point3Minutes) {
  ASSERT_EQ(closingScroll.scrollIndex, 0);
  captureReadBack(false);
  // Frames of 751 ms move each 0.0751 of a line, past 0.075: a line a frame
  // at the scroll's own pace of 150 units in 750 ms, and the restart 985
  // lines after the last, 985 x 751 ms = 12.33 minutes later.
  const int64_t from = current.virtualMs;
  const std::vector<Restart> seen = restarts({1000, 751}, 1, 1000);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].virtualMs - from, 985 * 751);
  captureReadBack(true);
}

TEST(ClosingScroll, RunsTwoHoursWithoutGrowingAndRestartsOnTime) {
  captureReadBack(false);
  // At a frame every 2 s every frame passes a line (but only one): a
  // restart every 1970 s, the first 1970 s after the last one, three in two
  // hours.
  const ClosingScroll& s = closingScroll;
  const char* const* lines = s.scrollLines.data();
  const int64_t from = current.virtualMs;
  const std::vector<Restart> seen = restarts({1, 2}, 1000, 3600);
  EXPECT_EQ(current.virtualMs - from, 7200 * 1000);
  ASSERT_EQ(seen.size(), 3u);
  int64_t previous = from;
  for (const Restart& r : seen) {
    EXPECT_EQ(r.virtualMs - previous, 985 * 2000);
    previous = r.virtualMs;
  }
  // The heap in use after the third restart as after the second (the first
  // hour also lets the music's last buffers go).
  EXPECT_LE(seen[2].heap, seen[1].heap + 4096);
  // The text is laid out once and nothing gathers while it runs.
  EXPECT_TRUE(s.scrollLines.size() == 1016u && s.scrollLines.data() == lines);
  EXPECT_EQ(current.entry, 116);
  captureReadBack(true);
}

}  // namespace

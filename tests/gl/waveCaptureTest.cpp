// The ripple tank (entries 57 to 69) and the wave packet (entries 109 to
// 115) in captured frames: where each view draws, its fades, the clocks the
// views move on, the frames around the packet's views, the checker.
#include <gtest/gtest.h>

#include <cmath>

#include "runtime/viewControls.h"
#include "scenes/wave/waveMesh.h"
#include "scenes/wave/waveScenes.h"
#include "tests/gl/sceneCapture.h"

namespace {

bool lit(Rgb c) { return c.r + c.g + c.b > 40; }
// Dark enough: the decoration of an overshooting fade may leave a faint trace.
bool black(Rgb c) { return c.r + c.g + c.b < 16; }
// Pixels of the rectangle [x0, x1) x [y0, y1) that are lit, as a share.
double litShare(const Shot& f, int x0, int x1, int y0, int y1) {
  return f.count(x0, x1, y0, y1, lit) / static_cast<double>((x1 - x0) * (y1 - y0));
}
// Nothing drawn in the rectangle.
void expectBlack(const Shot& f, int x0, int x1, int y0, int y1) {
  EXPECT_EQ(f.count(x0, x1, y0, y1, [](Rgb c) { return !black(c); }), 0) << x0 << ".." << x1 << " x " << y0 << ".." << y1;
}

// The wave scenes' clock moves 0.1 degree a millisecond.
constexpr double phasePerMs = 0.0017453292519943296;

TEST(WaveCapture, LargeViewFadesInAndTheFieldRunsOnTheSceneClock) {
  ASSERT_TRUE(runUntil(56, 112000, 2));
  ASSERT_TRUE(runUntil(57, 0, 30));
  // Fresh from the init: the fade is black.
  EXPECT_LT(litShare(Shot(), 0, 680, 0, 600), 0.001);
  const int32_t start = current.timelineMs;
  const float phase = waveScenes.wavePhase;
  ASSERT_TRUE(runUntil(57, start + 1200, 30));
  // The large view (100, 75, 500, 400): the mesh fills most of it, nothing
  // is drawn around it (the spectrum's corner aside).
  const Shot f;
  EXPECT_GT(litShare(f, 100, 600, 75, 475), 0.5);
  expectBlack(f, 0, 100, 0, 600);
  expectBlack(f, 600, 800, 130, 600);
  expectBlack(f, 100, 600, 475, 600);
  expectBlack(f, 100, 600, 0, 75);
  EXPECT_NEAR(waveScenes.wavePhase - phase, (current.timelineMs - start) * phasePerMs, 1e-3);
  EXPECT_EQ(waveScenes.waveTime, waveScenes.wavePhase);
}

TEST(WaveCapture, UpperViewBesideOnePanelAndLowerViewBesideThreeSpinningThreeTimesAsFast) {
  ASSERT_TRUE(runUntil(58, 0, 10));  // low frame rates let the fade overshoot
  const int32_t start = current.timelineMs - current.frameMs;
  ASSERT_TRUE(runUntil(58, start + 1000, 10));
  // The mesh in (200, 300, 533, 300); one panel in (400, 150, 400, 114)
  // showing the equation over its background.
  Shot f;
  EXPECT_GT(litShare(f, 200, 733, 300, 600), 0.5);
  EXPECT_GT(litShare(f, 410, 790, 160, 254), 0.3);
  expectBlack(f, 0, 200, 130, 600);
  expectBlack(f, 0, 400, 0, 300);
  expectBlack(f, 400, 680, 0, 150);
  expectBlack(f, 400, 800, 264, 300);
  const double oneRate = waveScenes.waveSpin / (current.timelineMs - start);
  EXPECT_NEAR(oneRate, 0.00005, 0.000003);

  // Entry 60 goes on without an init: the small view (44, 33, 200, 300) and
  // three panels from y = 150, 283 and 416, each 114 high.
  ASSERT_TRUE(runUntil(60, 119870, 10));
  const int32_t from = current.timelineMs;
  const float spin = waveScenes.waveSpin;
  ASSERT_TRUE(runUntil(60, from + 1000, 10));
  f = Shot();
  EXPECT_GT(litShare(f, 44, 244, 33, 333), 0.3);
  for (int bottom : {150, 283, 416}) EXPECT_GT(litShare(f, 410, 790, bottom + 10, bottom + 104), 0.3) << bottom;
  expectBlack(f, 0, 44, 0, 600);
  expectBlack(f, 44, 400, 333, 600);
  expectBlack(f, 244, 400, 0, 600);
  expectBlack(f, 400, 800, 530, 600);
  expectBlack(f, 400, 800, 264, 283);
  EXPECT_NEAR((waveScenes.waveSpin - spin) / (current.timelineMs - from), 3 * oneRate, 0.00001);
}

TEST(WaveCapture, QuarterViewDrawsTheStepItJustTook) {
  ASSERT_TRUE(runUntil(61, 122000, 10));
  const Shot f;
  EXPECT_GT(litShare(f, 400, 800, 300, 600), 0.5);
  expectBlack(f, 0, 400, 0, 600);
  expectBlack(f, 400, 680, 0, 300);
}

TEST(WaveCapture, LastViewTurnsTheCameraEightDegreesAndFadesToBlack) {
  ASSERT_TRUE(runUntil(68, 135800, 10));
  const float yaw = waveScenes.waveYaw;
  EXPECT_EQ(yaw, 90.0f);
  ASSERT_TRUE(runUntil(69, 137000, 10));
  EXPECT_GT(litShare(Shot(), 100, 600, 75, 475), 0.4);
  ASSERT_TRUE(runUntil(69, 139850, 10));
  // 0.002 degree a millisecond, 7.92 over the entry's 3960 ms; black from
  // 3.33 s on.
  EXPECT_NEAR(waveScenes.waveYaw - yaw, 0.002 * (current.timelineMs - 136000), 0.2);
  expectBlack(Shot(), 0, 800, 130, 600);
}

// Pixels of the column x (or of the row y) in [from, to) that have the
// frame's grey.
int frameColumn(const Shot& f, int x, int from, int to, int grey) {
  return f.count(x, x + 1, from, to, [grey](Rgb c) { return near(c, grey, grey + 3, grey + 5, 6); });
}
int frameRow(const Shot& f, int y, int from, int to, int grey) {
  return f.count(from, to, y, y + 1, [grey](Rgb c) { return near(c, grey, grey + 3, grey + 5, 6); });
}

TEST(WaveCapture, PacketViewFramedAt5And95PercentWithTheEquationsOverIt) {
  ASSERT_TRUE(runUntil(108, 73500, 2));
  ASSERT_TRUE(runUntil(109, 74000, 10));
  const int32_t start = current.timelineMs - current.frameMs;
  EXPECT_LT(litShare(Shot(), 0, 680, 0, 600), 0.01);
  ASSERT_TRUE(runUntil(109, start + 1500, 10));
  // The mesh glows inside (40, 30, 720, 540); a 2-pixel frame of (0.76,
  // 0.77, 0.78) runs along its edges, where the pictures leave it.
  const Shot f;
  EXPECT_GT(f.count(40, 760, 30, 570, [](Rgb c) { return c.r > c.b + 20; }), 40000);
  EXPECT_GT(frameColumn(f, 40, 30, 570, 194) + frameColumn(f, 759, 30, 570, 194), 700);
  EXPECT_GT(frameRow(f, 30, 40, 760, 194) + frameRow(f, 569, 40, 760, 194), 1000);
  // Two pictures a frame, each sliding 0.0001 a millisecond.
  EXPECT_NEAR(waveScenes.pictureSlide, 0.0002 * (current.timelineMs - start), 0.001);
  EXPECT_EQ(waveMesh.checker, 0);
}

TEST(WaveCapture, TwoQuarterViewsInDarkerFrames) {
  ASSERT_TRUE(runUntil(109, 77000, 2));
  ASSERT_TRUE(runUntil(110, 78600, 10));
  const Shot f;
  // Frames of (0.56, 0.57, 0.58) around (400, 300, 400, 300) and (0, 0,
  // 400, 300), where the equations' lettering leaves them (the lower view's
  // top edge runs under fraction bars); none a few pixels off.
  EXPECT_GT(frameColumn(f, 400, 300, 600, 143), 50);
  EXPECT_GT(frameColumn(f, 399, 0, 300, 143), 50);
  EXPECT_GT(frameRow(f, 300, 400, 800, 143), 50);
  EXPECT_LE(frameColumn(f, 396, 0, 600, 143) + frameColumn(f, 403, 0, 600, 143), 3);
  EXPECT_LE(frameRow(f, 296, 0, 800, 143) + frameRow(f, 303, 0, 800, 143), 3);
}

TEST(WaveCapture, CheckerViewIsBlackUnderAWhiteNetAndTheNextInitClearsIt) {
  ASSERT_TRUE(runUntil(110, 79000, 2));
  ASSERT_TRUE(runUntil(111, 80500, 10));
  EXPECT_EQ(waveMesh.checker, 1);
  const Shot f;
  const int white = f.count(100, 700, 100, 500, [](Rgb c) { return c.r > 200 && c.g > 200 && c.b > 200; });
  const int dark = f.count(100, 700, 100, 500, [](Rgb c) { return c.r + c.g + c.b < 60; });
  EXPECT_GT(white, 10000);
  EXPECT_GT(dark, 40000);
  EXPECT_EQ(f.count(100, 700, 100, 500, [](Rgb c) { return c.r > c.b + 60; }), 0);  // no glow
  // Entry 112 starts the slow turn again from 0.
  ASSERT_TRUE(runUntil(112, 0, 10));
  EXPECT_EQ(waveMesh.checker, 0);
  EXPECT_NEAR(viewControls.viewAngleY, current.frameMs * 0.01, 1e-5);
}

}  // namespace

// The ripple tank (entries 57 to 69) and the wave packet (entries 109 to
// 115) in captured frames: where each view draws, its fades, the clocks the
// views move on, the frames around the packet's views, the checker. Low
// frame rates let a fade overshoot and show its decoration, so the views
// run at 10 frames a second or more.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>

#include "runtime/viewControls.h"
#include "scenes/wave/waveMesh.h"
#include "scenes/wave/waveScenes.h"
#include "tests/gl/sceneCapture.h"

namespace {

bool lit(Rgb c) { return c.r + c.g + c.b > 40; }

struct Rect {
  int x, y, w, h;
  bool has(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
};
// Each rectangle mostly lit, and nothing drawn outside them (the spectrum's
// corner aside).
void expectDrawnIn(const ReadBack& f, std::initializer_list<Rect> rects, double share) {
  int outside = 0;
  for (int y = 0; y < captureHeight; ++y) {
    for (int x = 0; x < captureWidth; ++x) {
      bool in = x >= 680 && y < 130;
      for (const Rect& r : rects) in = in || r.has(x, y);
      const Rgb c = f.at(x, y);
      outside += !in && c.r + c.g + c.b >= 16 ? 1 : 0;
    }
  }
  EXPECT_EQ(outside, 0);
  for (const Rect& r : rects) {
    const double lighted = f.count(r.x, r.x + r.w, r.y, r.y + r.h, lit) / static_cast<double>(r.w * r.h);
    EXPECT_GT(lighted, share) << r.x << ", " << r.y;
  }
}

TEST(WaveCapture, LargeViewFadesInAndTheFieldRunsOnTheSceneClock) {
  ASSERT_TRUE(runUntil(56, 112000, 2));
  ASSERT_TRUE(runUntil(57, 0, 30));
  EXPECT_EQ(capturedFrame().count(0, 680, 0, 600, lit), 0);  // fresh from the init: black
  const int32_t start = current.timelineMs - current.frameMs;
  const float phase = waveScenes.wavePhase - static_cast<float>(current.frameMs * 0.0017453292519943296);
  // The fade from black takes 1 s.
  ASSERT_TRUE(runUntil(57, start + 500, 30));
  EXPECT_NEAR(waveScenes.waveFade, 0.2 * (current.timelineMs - start), 0.5);
  ASSERT_TRUE(runUntil(57, start + 1200, 30));
  expectDrawnIn(capturedFrame(), {{100, 75, 500, 400}}, 0.5);
  // 0.1 degree of phase a millisecond.
  EXPECT_NEAR(waveScenes.wavePhase - phase, (current.timelineMs - start) * 0.0017453292519943296, 1e-3);
  EXPECT_EQ(waveScenes.waveTime, waveScenes.wavePhase);
}

TEST(WaveCapture, UpperViewBesideOnePanelThenASmallViewBesideThreeSpinningThreeTimesAsFast) {
  ASSERT_TRUE(runUntil(58, 0, 10));
  const int32_t start = current.timelineMs - current.frameMs;
  ASSERT_TRUE(runUntil(58, start + 1000, 10));
  expectDrawnIn(capturedFrame(), {{200, 300, 533, 300}, {400, 150, 400, 114}}, 0.4);
  const double oneRate = waveScenes.waveSpin / (current.timelineMs - start);
  EXPECT_NEAR(oneRate, 0.00005, 0.000003);
  // Entry 60 goes on without an init.
  ASSERT_TRUE(runUntil(60, 119870, 10));
  const int32_t from = current.timelineMs;
  const float spin = waveScenes.waveSpin;
  ASSERT_TRUE(runUntil(60, from + 1000, 10));
  expectDrawnIn(capturedFrame(), {{44, 33, 200, 300}, {400, 150, 400, 114}, {400, 283, 400, 114}, {400, 416, 400, 114}}, 0.3);
  EXPECT_NEAR((waveScenes.waveSpin - spin) / (current.timelineMs - from), 3 * oneRate, 0.00001);
  ASSERT_TRUE(runUntil(61, 122000, 10));
  expectDrawnIn(capturedFrame(), {{400, 300, 400, 300}}, 0.5);
}

TEST(WaveCapture, LastViewTurnsTheCameraEightDegreesAndFadesToBlack) {
  ASSERT_TRUE(runUntil(68, 135800, 10));
  const float yaw = waveScenes.waveYaw;
  EXPECT_EQ(yaw, 90.0f);
  ASSERT_TRUE(runUntil(69, 137000, 10));
  EXPECT_GT(capturedFrame().count(100, 600, 75, 475, lit), 80000);  // the fade's decoration shows around it
  // 0.002 degree a millisecond, 7.92 over the entry's 3960 ms; black from
  // 3.33 s on.
  ASSERT_TRUE(runUntil(69, 139850, 10));
  EXPECT_NEAR(waveScenes.waveYaw - yaw, 0.002 * (current.timelineMs - 136000), 0.2);
  expectDrawnIn(capturedFrame(), {}, 0.0);
}

// Pixels of column x (or row y) over [from, to) in the grey of a frame.
int frameColumn(const ReadBack& f, int x, int from, int to, int grey) {
  return f.count(x, x + 1, from, to, [grey](Rgb c) { return near(c, grey, grey + 3, grey + 5, 6); });
}
int frameRow(const ReadBack& f, int y, int from, int to, int grey) {
  return f.count(from, to, y, y + 1, [grey](Rgb c) { return near(c, grey, grey + 3, grey + 5, 6); });
}

TEST(WaveCapture, PacketViewsInTheirFramesUnderTheEquations) {
  ASSERT_TRUE(runUntil(108, 73500, 2));
  ASSERT_TRUE(runUntil(109, 74000, 10));
  const int32_t start = current.timelineMs - current.frameMs;
  // Fresh from the init the fade leaves a tenth at most.
  EXPECT_EQ(capturedFrame().count(0, 680, 0, 600, [](Rgb c) { return c.r + c.g + c.b > 80; }), 0);
  ASSERT_TRUE(runUntil(109, start + 1500, 10));
  // The density glows inside (40, 30, 720, 540); a 2-pixel frame of (0.76,
  // 0.77, 0.78) runs along its edges where the pictures leave it.
  ReadBack f = capturedFrame();
  EXPECT_GT(f.count(40, 760, 30, 570, [](Rgb c) { return c.r > c.b + 20; }), 40000);
  EXPECT_GT(frameColumn(f, 40, 30, 570, 194) + frameColumn(f, 759, 30, 570, 194), 700);
  EXPECT_GT(frameRow(f, 30, 40, 760, 194) + frameRow(f, 569, 40, 760, 194), 1000);
  // Two pictures a frame, each sliding 0.0001 a millisecond.
  EXPECT_NEAR(waveScenes.pictureSlide, 0.0002 * (current.timelineMs - start), 0.001);

  // Frames of (0.56, 0.57, 0.58) around (400, 300, 400, 300) and (0, 0,
  // 400, 300), where the lettering leaves them (the lower view's top edge
  // runs under fraction bars); none a few pixels off.
  ASSERT_TRUE(runUntil(109, 77000, 2));
  ASSERT_TRUE(runUntil(110, 78600, 10));
  f = capturedFrame();
  EXPECT_GT(
      std::min({frameColumn(f, 400, 300, 600, 143), frameColumn(f, 399, 0, 300, 143), frameRow(f, 300, 400, 800, 143)}),
      50);
  EXPECT_LE(frameColumn(f, 396, 0, 600, 143) + frameColumn(f, 403, 0, 600, 143) + frameRow(f, 296, 0, 800, 143), 3);
}

TEST(WaveCapture, CheckerViewIsBlackUnderAWhiteNetAndTheNextInitClearsIt) {
  ASSERT_TRUE(runUntil(110, 79000, 2));
  ASSERT_TRUE(runUntil(111, 80500, 10));
  EXPECT_EQ(waveMesh.checker, 1);
  const ReadBack f = capturedFrame();
  EXPECT_GT(f.count(100, 700, 100, 500, [](Rgb c) { return c.r > 200 && c.g > 200 && c.b > 200; }), 10000);
  EXPECT_GT(f.count(100, 700, 100, 500, [](Rgb c) { return c.r + c.g + c.b < 60; }), 40000);
  EXPECT_EQ(f.count(100, 700, 100, 500, [](Rgb c) { return c.r > c.b + 60; }), 0);  // no glow
  // Entry 112 starts the slow turn again from 0.
  ASSERT_TRUE(runUntil(112, 0, 10));
  EXPECT_EQ(waveMesh.checker, 0);
  EXPECT_NEAR(viewControls.viewAngleY, current.frameMs * 0.01, 1e-5);
}

}  // namespace

// The lattice gas (entry 70) and the majority vote (entry 72) in captured
// frames: panel places, colours, fades and captions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "scenes/fields/gasScene.h"
#include "scenes/fields/voteScene.h"
#include "sim/fields/gas.h"
#include "sim/fields/vote.h"
#include "tests/gl/sceneCapture.h"

namespace {

bool red(Rgb c) { return c.r > c.b + 60; }
bool blue(Rgb c) { return c.b > c.r + 60; }
bool dark(Rgb c) { return c.r + c.g + c.b < 30; }
bool notBackground(Rgb c) { return !background(c); }

// Nothing drawn just around the 150 x 150 panel from (x, 225).
void expectClearAround(const ReadBack& f, int x) {
  for (int k = 0; k < 150; ++k) {
    EXPECT_TRUE(background(f.at(x - 1, 225 + k), 2) && background(f.at(x + 150, 225 + k), 2)) << k;
    EXPECT_TRUE(background(f.at(x + k, 224), 2) && background(f.at(x + k, 375), 2)) << k;
  }
}

// Gas 3.3 s in and 3.3 s out, its caption down over 2.8 s and back.
TEST(GridScenesInCapture, GasRedInTheBoxBlueOutsideFadingWithItsCaption) {
  ASSERT_TRUE(runUntil(69, 139200, 2));
  ASSERT_TRUE(runUntil(70, 0, 30));
  // The screen fade starts black (the spectrum corner aside).
  EXPECT_EQ(capturedFrame().count(0, 800, 125, 600, [](Rgb c) { return c.r + c.g + c.b > 30; }), 0);
  int frames = 0;
  float alpha = 0.0f;
  bool half = false, full = false, darkest = false;
  do {
    const ReadBack f = capturedFrame();
    const int t = current.timelineMs - 139960;
    alpha = gasTimers.fadeIn - gasTimers.fadeOut;
    const float caption = 1.0f - (gasTimers.captionIn - gasTimers.captionOut) / 700.0f;
    expectFades(t, alpha, 0.0003, caption, 0.25 / 700.0);
    // The corner pixel is four black wall points blended at the panel alpha,
    // which the colour clamps to [0, 1] when a timer overshoots; seen once
    // the screen fade is over.
    if (++frames > 40) {
      EXPECT_NEAR(f.at(500, 225).r, 178.5 * std::pow(1.0 - std::clamp(alpha, 0.0f, 1.0f), 4.0), 4.0) << t;
    }
    // Half-way in (about 50 steps): red in the box, blue where the red gas
    // has not reached yet (rows 5-34, columns 5-39).
    if (!half && alpha >= 0.5f) {
      half = true;
      const int inside = f.count(555, 595, 265, 315, red);
      EXPECT_GT(inside, 400);
      EXPECT_LT(f.count(555, 595, 265, 315, blue), inside / 10);
      EXPECT_GT(f.count(505, 535, 230, 265, blue), 100);
      EXPECT_EQ(f.count(505, 535, 230, 265, red), 0);
    }
    // Window pixels 500..649 x 225..374. Pixel (k, l) shows cell (k + 1,
    // l + 1), drawn last of the nine 3-pixel points over it: the walls of
    // rows 49-50 and 100-101 lie on pixel columns 548-549 and 599-600, open
    // at the holes.
    if (!full && alpha >= 1.0f) {
      full = true;
      expectClearAround(f, 500);
      EXPECT_TRUE(dark(f.at(500, 225)) && dark(f.at(649, 374)));
      for (int y = 247; y <= 320; ++y) {
        EXPECT_EQ(dark(f.at(548, y)) && dark(f.at(549, y)), y < 278 || y > 288) << y;
        EXPECT_EQ(dark(f.at(599, y)) && dark(f.at(600, y)), y < 253 || y > 263) << y;
      }
    }
    // "gfx" from (50, 555) of 1200 x 1200; five copies at alphas 0 to 0.4
    // leave 0.3 of the grey where all overlap.
    if (std::fabs(caption) < 0.02f) {
      darkest = true;
      EXPECT_LT(f.darkest(25, 160, 270, 345), 70);
      expectCaptionFrom(f, 50.0 / 1200.0 * 800.0, 0, 490);
    }
    // Faded out, and the caption back to the grey.
    if (t > 6800) {
      EXPECT_EQ(f.count(490, 660, 215, 385, notBackground), 0) << t;
      EXPECT_GE(f.darkest(25, 160, 270, 345), 176) << t;
    }
  } while (runUntil(70, 0, 30));
  EXPECT_GT(frames, 200);
  EXPECT_TRUE(half && full && darkest);
  EXPECT_EQ(alpha, 0.0f);
}

// The panel's cells inside its frame, as seen through the fade: lighter
// than the background grey for a settled one, darker for a zero or a cell
// that changed lately.
std::vector<bool> votePanel(const ReadBack& f) {
  std::vector<bool> panel;
  for (int y = 227; y < 373; ++y) {
    for (int x = 77; x < 223; ++x) panel.push_back(f.at(x, y).g > 182);
  }
  return panel;
}

double shareChanged(const std::vector<bool>& a, const std::vector<bool>& b) {
  int changed = 0;
  for (size_t i = 0; i < a.size(); ++i) changed += a[i] != b[i];
  return static_cast<double>(changed) / static_cast<double>(a.size());
}

// The vote 4 s in and 4 s out, its caption down over 3.2 s and back. The
// grid settles within about 1.5 s, and starts again from noise when the
// fade-in passes 0.4 and 0.8 (1.6 s and 3.2 s in): across each refill a
// quarter second changes far more of the panel than the 2-3 % that the
// settled domains' borders do.
TEST(GridScenesInCapture, VoteAtTheLeftInALightFrameFadingWithItsCaption) {
  ASSERT_TRUE(runUntil(71, 156200, 2));
  ASSERT_TRUE(runUntil(72, 0, 30));
  int frames = 0;
  float alpha = 0.0f;
  bool full = false;
  std::vector<bool> before;
  std::vector<double> refillChange;
  do {
    const ReadBack f = capturedFrame();
    const int t = current.timelineMs - 157000;
    for (const int refill : {1600, 3200}) {
      if (t >= refill - 150 && t < refill - 100) before = votePanel(f);
      if (t >= refill + 100 && t < refill + 150 && !before.empty()) {
        refillChange.push_back(shareChanged(before, votePanel(f)));
        before.clear();
      }
    }
    alpha = voteTimers.fadeIn - voteTimers.fadeOut;
    const float caption = 1.0f - (voteTimers.captionIn - voteTimers.captionOut) / 800.0f;
    expectFades(t, alpha, 0.00025, caption, 0.25 / 800.0);
    ++frames;
    // The panel's frame, over the background alone along its top row.
    EXPECT_NEAR(f.at(150, 374).r, 178.5 + (229.5 - 178.5) * riseAndFall(t, 0.00025), 4.0) << t;
    if (!full && alpha >= 1.0f) {
      full = true;
      expectClearAround(f, 75);
      for (int k = 0; k < 150; ++k) {
        for (Rgb c : {f.at(75, 225 + k), f.at(224, 225 + k), f.at(75 + k, 225), f.at(75 + k, 374)}) {
          EXPECT_TRUE(c.r >= 200 && c.r == c.g && c.g == c.b) << k;
        }
      }
      // Black and white domains, olive where cells were set lately.
      EXPECT_GT(f.count(77, 223, 227, 373, [](Rgb c) { return c.b > 240; }), 3000);
      EXPECT_GT(f.count(77, 223, 227, 373, [](Rgb c) { return c.r < 20; }), 3000);
      EXPECT_GT(f.count(77, 223, 227, 373, [](Rgb c) { return c.r > 60 && c.r < 140 && c.b < c.r - 30; }), 20);
    }
    if (std::fabs(caption) < 0.02f) expectCaptionFrom(f, 350.0 / 1200.0 * 800.0, 230, 800);
    if (t > 8100) {
      EXPECT_EQ(f.count(65, 235, 215, 385, notBackground), 0) << t;
    }
  } while (runUntil(72, 0, 30));
  EXPECT_GT(frames, 200);
  EXPECT_TRUE(full);
  EXPECT_EQ(alpha, 0.0f);
  ASSERT_EQ(refillChange.size(), 2u);
  for (const double share : refillChange) EXPECT_GT(share, 0.25);
}

}  // namespace

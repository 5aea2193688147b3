// The lattice gas (entry 70) and the majority vote (entry 72) in captured
// frames: panel places, colours, fades and the gas caption.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "effects/fields/gas.h"
#include "effects/fields/vote.h"
#include "tools/capture/captureDriver.h"

namespace {

struct Frame {
  std::vector<uint8_t> rgb;
  float alpha;    // panel alpha the frame was drawn with
  float caption;  // caption fade: 1 background grey, 0 black
  int ms;         // since the entry began
  Rgb at(int x, int y) const {
    const size_t k = 3 * (static_cast<size_t>(y) * captureWidth + static_cast<size_t>(x));
    return {rgb[k], rgb[k + 1], rgb[k + 2]};
  }
  bool background(int x, int y) const {
    return std::abs(at(x, y).r - 178) + std::abs(at(x, y).g - 184) + std::abs(at(x, y).b - 186) <= 6;
  }
  // Pixels of the rectangle for which the test holds.
  template <typename Test>
  int count(int x0, int x1, int y0, int y1, Test test) const {
    int n = 0;
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x) n += test(at(x, y)) ? 1 : 0;
    }
    return n;
  }
};

class GasAndVoteFrames : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    captureStart();
    for (int entry = 1; entry <= 72;) {
      // Quickly up to the gas, at 30 frames a second from there.
      const CaptureCycle cycle = captureCycle(entry >= 69 ? 30 : 2);
      entry = cycle.entry;
      if (!cycle.displayed) continue;
      if (entry == 70) {
        gas_.push_back({capturedPixels(), gas.fadeIn - gas.fadeOut,
                        1.0f - (gas.captionIn - gas.captionOut) / 700.0f, cycle.timelineMs - 139960});
      }
      if (entry == 72) {
        vote_.push_back({capturedPixels(), vote.fadeIn - vote.fadeOut,
                         1.0f - (vote.captionIn - vote.captionOut) / 800.0f, cycle.timelineMs - 157000});
      }
    }
  }
  static const Frame& firstAt(const std::vector<Frame>& frames, float alpha) {
    for (const Frame& f : frames) {
      if (f.alpha >= alpha) return f;
    }
    return frames.back();
  }
  static inline std::vector<Frame> gas_;
  static inline std::vector<Frame> vote_;
};

bool red(Rgb c) { return c.r > c.b + 60; }
bool blue(Rgb c) { return c.b > c.r + 60; }
bool dark(Rgb c) { return c.r + c.g + c.b < 30; }

// A timer pair that rises at `rate` per ms to 1, then falls back as fast:
// the value at t ms, 0 before and after.
double riseAndFall(int t, double rate) {
  return std::clamp(std::min(t, static_cast<int>(2.0 / rate) - t) * rate, 0.0, 1.0);
}

// Bounding box of the caption's grey strokes (clearly darker than the
// background) left of or right of a panel.
struct Box {
  int left = captureWidth, right = -1, bottom = captureHeight, top = -1;
};
Box captionBox(const Frame& f, int x0, int x1) {
  Box box;
  for (int y = 150; y < 450; ++y) {
    for (int x = x0; x < x1; ++x) {
      const Rgb c = f.at(x, y);
      if (c.r > 150 || std::abs(c.r - c.b) > 12) continue;
      box = {std::min(box.left, x), std::max(box.right, x), std::min(box.bottom, y), std::max(box.top, y)};
    }
  }
  return box;
}

TEST_F(GasAndVoteFrames, GasPanelRedInTheBoxBlueOutsideWallsBlack) {
  ASSERT_GT(gas_.size(), 200u);
  const Frame& f = firstAt(gas_, 1.0f);
  // Window pixels 500..649 x 225..374; nothing drawn around them.
  for (int k = 0; k < 150; ++k) {
    EXPECT_TRUE(f.background(499, 225 + k) && f.background(650, 225 + k)) << k;
    EXPECT_TRUE(f.background(500 + k, 224) && f.background(500 + k, 375)) << k;
  }
  EXPECT_TRUE(dark(f.at(500, 225)) && dark(f.at(649, 374)));
  // Half-way in (about 50 steps): red in the box, blue where the red gas
  // has not reached yet (rows 5-34, columns 5-39).
  const Frame& early = firstAt(gas_, 0.5f);
  const int inside = early.count(555, 595, 265, 315, red);
  EXPECT_GT(inside, 400);
  EXPECT_LT(early.count(555, 595, 265, 315, blue), inside / 10);
  EXPECT_GT(early.count(505, 535, 230, 265, blue), 100);
  EXPECT_EQ(early.count(505, 535, 230, 265, red), 0);
  // Pixel (k, l) of the panel shows cell (k + 1, l + 1), drawn last of the
  // nine 3-pixel points over it: the walls of rows 49-50 and 100-101 lie on
  // pixel columns 548-549 and 599-600, open at the holes.
  for (int y = 247; y <= 320; ++y) {
    const bool leftHole = y >= 225 + 53 && y <= 225 + 63;
    const bool rightHole = y >= 225 + 28 && y <= 225 + 38;
    EXPECT_EQ(dark(f.at(548, y)) && dark(f.at(549, y)), !leftHole) << y;
    EXPECT_EQ(dark(f.at(599, y)) && dark(f.at(600, y)), !rightHole) << y;
  }
}

TEST_F(GasAndVoteFrames, GasFadesFromBlackAndInAndOutWithItsTimers) {
  // The screen fade starts black (the spectrum corner aside).
  EXPECT_EQ(gas_.front().count(0, 800, 125, 600, [](Rgb c) { return c.r + c.g + c.b > 30; }), 0);
  // The corner pixel is four black wall points blended at the panel alpha,
  // which the colour clamps to [0, 1] when a timer overshoots.
  for (size_t k = 40; k < gas_.size(); ++k) {
    const double expected = 178.5 * std::pow(1.0 - std::clamp(gas_[k].alpha, 0.0f, 1.0f), 4.0);
    EXPECT_NEAR(gas_[k].at(500, 225).r, expected, 4.0) << "frame " << k << " alpha " << gas_[k].alpha;
  }
  EXPECT_EQ(gas_.back().alpha, 0.0f);
  EXPECT_EQ(gas_.back().count(490, 660, 215, 385, [](Rgb c) { return c.r != 178 || c.g != 184 || c.b != 186; }), 0);
}

TEST_F(GasAndVoteFrames, GasCaptionDarkensToBlackAndReturnsToTheGrey) {
  // "gfx" at (50, 555) of 1200 x 1200: from window pixel (33, 277) up.
  auto darkest = [](const Frame& f) {
    int least = 255;
    for (int y = 270; y < 345; ++y) {
      for (int x = 25; x < 160; ++x) least = std::min<int>(least, f.at(x, y).r);
    }
    return least;
  };
  int blackest = 255;
  for (const Frame& f : gas_) {
    if (std::fabs(f.caption) < 0.02f) blackest = std::min(blackest, darkest(f));
  }
  // Five copies at alphas 0 to 0.4 leave 0.3 of the grey where all overlap.
  EXPECT_LT(blackest, 70);
  EXPECT_GE(darkest(gas_.back()), 176);
}

TEST_F(GasAndVoteFrames, VotePanelAtTheLeftWithALightFrameFadingOut) {
  ASSERT_GT(vote_.size(), 200u);
  const Frame& f = firstAt(vote_, 1.0f);
  for (int k = 0; k < 150; ++k) {
    EXPECT_TRUE(f.background(74, 225 + k) && f.background(225, 225 + k)) << k;
    EXPECT_TRUE(f.background(75 + k, 224) && f.background(75 + k, 375)) << k;
    for (Rgb c : {f.at(75, 225 + k), f.at(224, 225 + k), f.at(75 + k, 225), f.at(75 + k, 374)}) {
      EXPECT_TRUE(c.r >= 200 && c.r == c.g && c.g == c.b) << k;
    }
  }
  // Black and white domains, olive where cells were set lately.
  const int white = f.count(77, 223, 227, 373, [](Rgb c) { return c.b > 240; });
  const int black = f.count(77, 223, 227, 373, [](Rgb c) { return c.r < 20; });
  EXPECT_GT(white, 3000);
  EXPECT_GT(black, 3000);
  EXPECT_GT(f.count(77, 223, 227, 373, [](Rgb c) { return c.r > 60 && c.r < 140 && c.b < c.r - 30; }), 20);
  EXPECT_EQ(vote_.back().alpha, 0.0f);
  EXPECT_EQ(vote_.back().count(65, 235, 215, 385, [](Rgb c) { return c.r != 178 || c.g != 184 || c.b != 186; }), 0);
}

// Gas 3.3 s in and 3.3 s out, caption down over 2.8 s and back; vote 4 s
// and 3.2 s. The caption's pen stands at (x, 555) of 1200 x 1200 units: the
// tops of its letters 100 units higher, at window y 327.5 plus the shake.
TEST_F(GasAndVoteFrames, FadesAndCaptionsKeepTheirTimesAndPlaces) {
  struct Scene {
    const std::vector<Frame>& frames;
    double fadeRate, captionRate;
    int captionX0, captionX1;
    double penX;
  };
  for (const Scene& scene : {Scene{gas_, 0.0003, 0.25 / 700.0, 0, 490, 50.0 / 1200.0 * 800.0},
                             Scene{vote_, 0.00025, 0.25 / 800.0, 230, 800, 350.0 / 1200.0 * 800.0}}) {
    const Frame* darkest = nullptr;
    for (const Frame& f : scene.frames) {
      EXPECT_NEAR(f.alpha, riseAndFall(f.ms, scene.fadeRate), 0.025) << f.ms;
      EXPECT_NEAR(f.caption, 1.0 - riseAndFall(f.ms, scene.captionRate), 0.025) << f.ms;
      if (!darkest || f.caption < darkest->caption) darkest = &f;
    }
    const Box box = captionBox(*darkest, scene.captionX0, scene.captionX1);
    EXPECT_GE(box.left, scene.penX);
    EXPECT_LE(box.left, scene.penX + 12);
    EXPECT_GE(box.top, 327);
    EXPECT_LE(box.top, 333);
  }
  // The vote panel's frame, over the background alone along its top row.
  for (const Frame& f : vote_) {
    EXPECT_NEAR(f.at(150, 374).r, 178.5 + (229.5 - 178.5) * riseAndFall(f.ms, 0.00025), 4.0) << f.ms;
  }
}

}  // namespace

// The water scenes in captured frames: the glass of the opening (entries 2 to
// 4) and the water panel with its credit caption (entry 74).
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "scenes/fields/fluidScene.h"
#include "sim/fields/fluid.h"
#include "tests/gl/sceneCapture.h"

namespace {

int brightness(int x, int y) {
  const Rgb c = capturedPixel(x, y);
  return c.r + c.g + c.b;
}
// The water scenes clear to (0.71, 0.72, 0.73).
bool clear(int x, int y) { return near(capturedPixel(x, y), 181, 184, 186, 8); }
bool white(int x, int y) { return near(capturedPixel(x, y), 255, 255, 255, 8); }
bool red(int x, int y) { return capturedPixel(x, y).r > 200 && capturedPixel(x, y).g < 90; }
// The label strip's band is a darker red than the water.
int stripPixels(int row, int from, int to) {
  return capturedFrame().count(from, to + 1, row, row + 1, [](Rgb c) { return c.r < 215 && c.r > c.g + 60; });
}

// The glass viewport: 150 x 300 pixels from (325, 75) under the unit
// projection. Columns rise from the ground (y = 0) to the surface lifted by
// `lift` - 0.2.
int glassRow(double y) { return static_cast<int>(75.0 + (y + 1.0) * 150.0); }
void expectColumns(double lift) {
  for (int x : {340, 370, 400, 430, 460}) {
    const int top = glassRow(fluid.surface[static_cast<int>((x - 325) / 0.75 + 0.5)] + lift - 0.2);
    EXPECT_TRUE(red(x, top - 4) && white(x, top + 4) && red(x, glassRow(0.0) + 3)) << x;
  }
}

TEST(FluidCapture, IntroGlassFillsUpAsTheVeilClears) {
  ASSERT_TRUE(runUntil(2, 0, 10));
  EXPECT_LT(brightness(400, 360), 30);  // veil and black at 0.975
  ASSERT_TRUE(runUntil(2, 2000, 10));
  EXPECT_TRUE(brightness(400, 360) > 200 && brightness(400, 360) < 600);
  ASSERT_TRUE(runUntil(2, 4300, 10));
  // The glass fills its viewport from the top down to y = -0.15 (window row
  // 202.5), where the 3-pixel rim takes rows 201 to 203.
  for (int k : {0, 1, 2}) {
    const int y = 210 + 80 * k, x = 330 + 70 * k;
    EXPECT_TRUE(white(325, y) && white(474, y) && clear(324, y) && clear(475, y)) << y;
    EXPECT_TRUE(white(x, 374) && white(x, 206) && white(x, 201) && clear(x, 375) && clear(x, 200)) << x;
  }
  expectColumns(1.0 / 3.0);
  for (int x : {340, 400, 460}) EXPECT_TRUE(white(x, glassRow(0.0) - 5)) << x;
}

TEST(FluidCapture, LabelStripGrowsFromTheCentreAtTheFootOfTheGlass) {
  ASSERT_TRUE(runUntil(3, 4900, 10));
  // Four frames in: half-width 0.4 (30 pixels), 9 pixels high.
  EXPECT_GT(stripPixels(221, 372, 428), 30);
  EXPECT_EQ(stripPixels(221, 332, 366) + stripPixels(221, 434, 468) + stripPixels(210, 372, 428), 0);
  ASSERT_TRUE(runUntil(3, 6000, 10));
  // Full width from 202.5 to 225, lettered in the middle.
  EXPECT_GT(stripPixels(210, 327, 473), 100);
  EXPECT_GT(stripPixels(221, 327, 473), 100);
  EXPECT_EQ(stripPixels(227, 327, 473), 0);
}

TEST(FluidCapture, FullGlassFadesToBlackOverFourSeconds) {
  ASSERT_TRUE(runUntil(4, 9000, 10));
  int previous = brightness(400, 360);
  EXPECT_GT(previous, 700);
  expectColumns(0.3333);
  for (int32_t ms : {10000, 11000, 12000}) {
    ASSERT_TRUE(runUntil(4, ms, 10));
    EXPECT_LT(brightness(400, 360), previous - 60) << ms;
    previous = brightness(400, 360);
  }
  ASSERT_TRUE(runUntil(4, 13000, 10));  // the entry's last frame
  const std::vector<uint8_t>& pixels = capturedPixels();
  EXPECT_LE(*std::max_element(pixels.begin(), pixels.end()), 1);
}

bool panelBlue(int x, int y) { return capturedPixel(x, y).b > 200 && capturedPixel(x, y).r < 150; }

TEST(FluidCapture, WaterPanelAppearsBesideADarkeningCaption) {
  ASSERT_TRUE(runUntil(73, 0, 2));
  ASSERT_TRUE(runUntil(74, 0, 10));
  const int32_t start = current.timelineMs;
  // The opaque veil hides the panel; the caption "code ..." from (400, 555)
  // of 1200 has the veil's grey.
  EXPECT_TRUE(clear(75, 300) && clear(150, 270));
  EXPECT_GT(capturedFrame().darkest(265, 760, 270, 345), 147);
  // The caption darkens for 3.2 s, then returns over as long.
  ASSERT_TRUE(runUntil(74, start + 3200, 10));
  EXPECT_NEAR(fluidTimers.captionIn - fluidTimers.captionOut, 800.0f, 30.0f);
  EXPECT_LT(capturedFrame().darkest(265, 760, 270, 345), 81);
  expectCaptionFrom(capturedFrame(), 400.0 / 1200.0 * 800.0, 240, 800);
  // Panel viewport 150 x 150 from (75, 188) under the unit projection: the
  // frame spans rows 263 to 338, the water rises from its foot.
  ASSERT_TRUE(runUntil(74, start + 4100, 10));
  EXPECT_LT(brightness(75, 300) + brightness(224, 300) + brightness(150, 337), 150);
  EXPECT_TRUE(panelBlue(150, 266) && panelBlue(100, 270));
  EXPECT_TRUE(clear(150, 230) && clear(150, 195) && clear(150, 345) && clear(60, 300));
  ASSERT_TRUE(runUntil(74, start + 6450, 10));
  EXPECT_NEAR(fluidTimers.captionIn - fluidTimers.captionOut, 0.0f, 30.0f);
  ASSERT_TRUE(runUntil(74, start + 8300, 10));  // opaque again
  EXPECT_TRUE(clear(75, 300));
}

}  // namespace

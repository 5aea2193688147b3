// The water scenes in captured frames: the glass that opens the presentation
// (entries 2 to 4) and the water panel with its credit caption (entry 74).
// Each test drives the Timeline on from wherever the previous one left it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstdint>
#include <vector>

#include "effects/fields/fluid.h"
#include "tools/capture/captureDriver.h"

namespace {

CaptureCycle current;

// Runs cycles until `entry` is current with its clock at `ms` or later.
bool runUntil(int entry, int32_t ms, int fps) {
  static bool started = false;
  if (!started) {
    // The pictures are found beside the executables.
    if (chdir(VORRAN_BUILD_DIR) != 0) return false;
    captureStart();
    started = true;
  }
  for (int cycle = 0; cycle < 20000; ++cycle) {
    if (current.entry == entry && current.timelineMs >= ms && current.displayed) return true;
    if (current.entry > entry) return false;
    current = captureCycle(fps);
  }
  return false;
}

bool near(Rgb c, int r, int g, int b, int tolerance = 3) {
  return std::abs(c.r - r) <= tolerance && std::abs(c.g - g) <= tolerance && std::abs(c.b - b) <= tolerance;
}

int brightness(int x, int y) {
  const Rgb c = capturedPixel(x, y);
  return c.r + c.g + c.b;
}

bool red(Rgb c) { return c.r > 200 && c.g < 90 && c.b < 90; }
bool white(Rgb c) { return near(c, 255, 255, 255, 4); }

// The glass viewport is 150 x 300 pixels from (325, 75); its projection spans
// -1..1, so the water's ground (y = 0) is row 225 and the foot (-0.15) 202.5.
int glassRow(double y) { return static_cast<int>(75.0 + (y + 1.0) * 150.0); }

TEST(FluidCapture, IntroGlassFillsUpBehindAClearingVeil) {
  ASSERT_TRUE(runUntil(2, 0, 10));
  // Veil and black fade at 0.975: close to black.
  EXPECT_LT(brightness(400, 360), 30);
  ASSERT_TRUE(runUntil(2, 2000, 10));
  const int halfway = brightness(400, 360);
  EXPECT_GT(halfway, 200);
  EXPECT_LT(halfway, 600);

  ASSERT_TRUE(runUntil(2, 4300, 10));
  EXPECT_TRUE(white(capturedPixel(400, 360)));
  EXPECT_TRUE(near(capturedPixel(100, 100), 181, 184, 186));
  EXPECT_TRUE(near(capturedPixel(320, 300), 181, 184, 186));
  EXPECT_TRUE(near(capturedPixel(480, 300), 181, 184, 186));
  EXPECT_TRUE(near(capturedPixel(400, 385), 181, 184, 186));
  // Each column rises from the ground to its point's surface, lifted by a
  // third and lowered by 0.2; below the ground the glass is empty.
  const double lift = static_cast<double>(fluidTimers.veilIn * 0.33333334f);
  EXPECT_NEAR(lift, 1.0 / 3.0, 1e-6);
  for (int x : {340, 370, 400, 430, 460}) {
    const int point = static_cast<int>((x - 325) / 0.75 + 0.5);
    const int top = glassRow(fluid.surface[point] + lift - 0.2);
    EXPECT_TRUE(red(capturedPixel(x, top - 4))) << x;
    EXPECT_TRUE(white(capturedPixel(x, top + 4))) << x;
    EXPECT_TRUE(red(capturedPixel(x, glassRow(0.0) + 3))) << x;
    EXPECT_TRUE(white(capturedPixel(x, glassRow(0.0) - 5))) << x;
  }
}

// Pixels of the label strip in one row: the picture's band is a darker red
// than the water.
int stripPixels(int row, int from, int to) {
  int count = 0;
  for (int x = from; x <= to; ++x) {
    const Rgb c = capturedPixel(x, row);
    count += c.r > c.g + 60 && c.r < 215 ? 1 : 0;
  }
  return count;
}

TEST(FluidCapture, LabelStripGrowsFromTheCentreAtTheFootOfTheGlass) {
  ASSERT_TRUE(runUntil(3, 4900, 10));
  // Four frames in: half-width 0.4, 30 pixels, and 9 pixels high.
  EXPECT_GT(stripPixels(221, 372, 428), 30);
  EXPECT_EQ(stripPixels(221, 332, 366) + stripPixels(221, 434, 468), 0);
  EXPECT_EQ(stripPixels(210, 372, 428), 0);
  std::vector<uint8_t> water;
  for (int y = 226; y < 370; ++y) water.push_back(capturedPixel(400, y).r);

  ASSERT_TRUE(runUntil(3, 6000, 10));
  // Full width from 202.5 to 225, lettered in the middle.
  EXPECT_GT(stripPixels(210, 327, 473), 100);
  EXPECT_GT(stripPixels(221, 327, 473), 100);
  EXPECT_EQ(stripPixels(227, 327, 473), 0);
  // The water stands still while the strip opens.
  std::vector<uint8_t> later;
  for (int y = 226; y < 370; ++y) later.push_back(capturedPixel(400, y).r);
  EXPECT_EQ(water, later);
}

TEST(FluidCapture, FullGlassFadesToBlackOverFourSeconds) {
  ASSERT_TRUE(runUntil(4, 9000, 10));
  int previous = brightness(400, 360);
  EXPECT_GT(previous, 700);
  for (int32_t ms : {10000, 11000, 12000}) {
    ASSERT_TRUE(runUntil(4, ms, 10));
    const int now = brightness(400, 360);
    EXPECT_LT(now, previous - 60) << ms;
    previous = now;
  }
  // The last frame of the entry, 4 s after its start, is black everywhere.
  ASSERT_TRUE(runUntil(4, 13000, 10));
  const std::vector<uint8_t>& pixels = capturedPixels();
  EXPECT_LE(*std::max_element(pixels.begin(), pixels.end()), 1);
}

// The panel viewport is 150 x 150 pixels from (75, 188) under the unit
// projection: its frame spans rows 263 (y = 0) to 338 (y = 1).
bool panelBlue(Rgb c) { return c.b > 200 && c.r < 150 && c.g < 120; }

int darkestCaptionPixel() {
  int darkest = 765;
  for (int y = 270; y < 345; ++y) {
    for (int x = 265; x < 760; x += 1) darkest = std::min(darkest, brightness(x, y));
  }
  return darkest;
}

TEST(FluidCapture, WaterPanelAppearsBesideADarkeningCaption) {
  // Fast through the middle of the presentation.
  ASSERT_TRUE(runUntil(73, 0, 2));
  ASSERT_TRUE(runUntil(74, 0, 10));
  const int32_t start = current.timelineMs;
  EXPECT_LE(start, 175100);
  // Under the opaque veil the panel is hidden; the caption has the veil's grey.
  EXPECT_GT(brightness(75, 300), 450);
  EXPECT_FALSE(panelBlue(capturedPixel(150, 270)));
  const int captionAtStart = darkestCaptionPixel();
  EXPECT_GT(captionAtStart, 450);

  ASSERT_TRUE(runUntil(74, start + 3300, 10));
  EXPECT_LT(darkestCaptionPixel(), 250);

  ASSERT_TRUE(runUntil(74, start + 4100, 10));
  // Frame in the upper half of the viewport, water rising from its middle.
  EXPECT_LT(brightness(75, 300), 60);
  EXPECT_LT(brightness(224, 300), 60);
  EXPECT_LT(brightness(150, 337), 60);
  EXPECT_TRUE(panelBlue(capturedPixel(150, 266)));
  EXPECT_TRUE(panelBlue(capturedPixel(100, 270)));
  EXPECT_TRUE(near(capturedPixel(150, 230), 181, 184, 186, 8));
  EXPECT_TRUE(near(capturedPixel(150, 195), 181, 184, 186, 8));
  EXPECT_TRUE(near(capturedPixel(150, 345), 181, 184, 186, 8));
  EXPECT_TRUE(near(capturedPixel(60, 300), 181, 184, 186, 8));

  // After 8 s the veil is opaque again.
  ASSERT_TRUE(runUntil(74, start + 8300, 10));
  EXPECT_GT(brightness(75, 300), 450);
}

}  // namespace

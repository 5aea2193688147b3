// The gravity field and the sand hourglass in captured 800 x 600 frames: each
// picture where it belongs, in its colours, fading as it should.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>

#include "effects/fields/gravity.h"
#include "effects/fields/sand.h"
#include "tools/capture/captureDriver.h"

namespace {

// Runs cycles at fps until the given entry is current (or has passed).
CaptureCycle runUntilEntry(int entry, int fps) {
  CaptureCycle cycle;
  do {
    cycle = captureCycle(fps);
  } while (cycle.entry < entry);
  return cycle;
}

bool near(Rgb pixel, int r, int g, int b, int tolerance) {
  return std::abs(pixel.r - r) <= tolerance && std::abs(pixel.g - g) <= tolerance &&
         std::abs(pixel.b - b) <= tolerance;
}

// Grey level of a gravity cell at half brightness, as the scene draws it.
int halfGrey(int i, int j) { return static_cast<int>(std::min(1.0f, gravity.field[i][j] / 2.0f) * 255.0f + 0.5f); }

// Whether the cells around (i, j) show nearly the same grey, so that the
// overlapping points of neighbouring cells do not matter.
bool smoothAround(int i, int j) {
  for (int di = -4; di <= 4; ++di) {
    for (int dj = -4; dj <= 4; ++dj) {
      if (std::abs(halfGrey(i + di, j + dj) - halfGrey(i, j)) > 2) return false;
    }
  }
  return true;
}

// Window pixel of a point at unit coordinate (x, y) in the 800 x 600 window.
int windowX(float x) { return static_cast<int>((x + 1.0f) * 400.0f); }
int windowY(float y) { return static_cast<int>((y + 1.0f) * 300.0f); }

// Mean red level over the large image of the gravity field.
double largeImageMean() {
  double sum = 0.0;
  int count = 0;
  for (int y = 160; y < 440; y += 4) {
    for (int x = 320; x < 700; x += 4, ++count) sum += capturedPixel(x, y).r;
  }
  return sum / count;
}

class FieldScenes : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    // Beside the painted pictures and the soundtrack, as the presentation runs.
    ASSERT_EQ(chdir(VORRAN_BUILD_DIR), 0);
    captureStart();
  }
};

TEST_F(FieldScenes, GravityShowsThreeImagesAfterAFadeInFromBlack) {
  // Quickly to the end of entry 7, then at 30 frames a second.
  CaptureCycle cycle = runUntilEntry(7, 2);
  while (cycle.timelineMs < 4700) cycle = captureCycle(2);
  cycle = runUntilEntry(8, 30);
  ASSERT_EQ(cycle.entry, 8);
  ASSERT_TRUE(cycle.displayed);

  // First frame: the fade has run frameMs * 0.1, about 3; the black overlay
  // still has alpha 0.8 and more.
  EXPECT_FLOAT_EQ(gravity.fade, static_cast<float>(cycle.frameMs) * 0.1f);
  const double firstMean = largeImageMean();
  double previousMean = firstMean;
  while (cycle.timelineMs < 5000 + 150) {
    cycle = captureCycle(30);
    const double mean = largeImageMean();
    EXPECT_GE(mean, previousMean - 1.0);
    previousMean = mean;
  }
  // Past 200 ms of the scene no overlay is drawn any more.
  while (cycle.timelineMs < 5000 + 250) cycle = captureCycle(30);
  const double fullMean = largeImageMean();
  EXPECT_LT(firstMean, 0.3 * fullMean);

  // Every smooth part of the field shows its half-brightness grey in all three
  // images: large at the right, half size above and below at the left.
  int probed = 0;
  for (int i = 11; i < 290; i += 20) {
    for (int j = 11; j < 290; j += 20) {
      if (!smoothAround(i, j)) continue;
      ++probed;
      const int grey = halfGrey(i, j);
      const float px = (static_cast<float>(i) / 1200.0f - 0.5f) * 4.0f + 1.78f;
      const float py = (static_cast<float>(j) / 1200.0f - 0.5f) * 4.0f + 1.5f;
      EXPECT_TRUE(near(capturedPixel(windowX(px), windowY(py)), grey, grey, grey, 6)) << i << ", " << j;
      EXPECT_TRUE(near(capturedPixel(windowX(px / 2 - 0.6f), windowY(py / 2 - 0.25f)), grey, grey, grey, 6));
      EXPECT_TRUE(near(capturedPixel(windowX(px / 2 - 0.6f), windowY(py / 2 + 0.25f)), grey, grey, grey, 6));
    }
  }
  EXPECT_GT(probed, 50);

  // The large image spans x -0.217..0.770 (pixels 313..708) and y
  // -0.497..0.490 (151..447); the half copies x -0.708..-0.215 (117..314),
  // y 151..298 and 301..448. Every cell is above zero; around them, black.
  for (int y = 154; y < 446; y += 6) {
    EXPECT_GT(capturedPixel(705, y).r, 0) << y;
    EXPECT_GT(capturedPixel(120, y).r, 0) << y;
    EXPECT_TRUE(near(capturedPixel(712, y), 0, 0, 0, 0)) << y;
    EXPECT_TRUE(near(capturedPixel(113, y), 0, 0, 0, 0)) << y;
  }
  for (int x = 120; x < 706; x += 6) {
    EXPECT_GT(capturedPixel(x, 154).r, 0) << x;
    EXPECT_GT(capturedPixel(x, 444).r, 0) << x;
    EXPECT_TRUE(near(capturedPixel(x, 146), 0, 0, 0, 0)) << x;
    EXPECT_TRUE(near(capturedPixel(x, 453), 0, 0, 0, 0)) << x;
  }
}

// The sand panel: viewport 590..729 x 230..369, one cell per pixel.
constexpr int panelLeft = 590;
constexpr int panelBottom = 230;
const Rgb background{178, 184, 186};

// A cell whose 5 x 5 neighbourhood is all of one kind: overlapping points
// of that kind alone cover its pixel.
template <typename Kind>
bool findUniformCell(Kind kind, int& cellI, int& cellJ) {
  for (int i = 10; i < 130; ++i) {
    for (int j = 10; j < 130; ++j) {
      bool uniform = true;
      for (int di = -2; di <= 2 && uniform; ++di) {
        for (int dj = -2; dj <= 2 && uniform; ++dj) uniform = kind(i + di, j + dj);
      }
      if (uniform) {
        cellI = i;
        cellJ = j;
        return true;
      }
    }
  }
  return false;
}

// Pixels around the panel, outside its viewport, that differ from the
// background.
int pixelsAroundThePanel() {
  int count = 0;
  for (int y = 200; y < 400; ++y) {
    for (int x = 560; x < 760; ++x) {
      const bool inside = x >= panelLeft && x < panelLeft + 140 && y >= panelBottom && y < panelBottom + 140;
      if (!inside && !near(capturedPixel(x, y), background.r, background.g, background.b, 0)) ++count;
    }
  }
  return count;
}

TEST_F(FieldScenes, SandPanelFadesInAndOutInItsViewport) {
  CaptureCycle cycle = runUntilEntry(70, 2);
  cycle = runUntilEntry(71, 10);
  ASSERT_EQ(cycle.entry, 71);
  const int32_t start = cycle.timelineMs;
  // First frame: alpha 0.0025 * frameMs * 0.1 = 0.025 per point; even where
  // nine overlapping wall points add up, it stays near the background.
  EXPECT_TRUE(near(capturedPixel(panelLeft + 20, panelBottom + 70), background.r, background.g, background.b, 6));
  EXPECT_EQ(pixelsAroundThePanel(), 0);

  // 4 s in: fully faded in.
  while (cycle.timelineMs < start + 4100) cycle = captureCycle(10);
  ASSERT_EQ(cycle.entry, 71);
  EXPECT_EQ(pixelsAroundThePanel(), 0);
  int i = 0;
  int j = 0;
  auto pixelOf = [](int cellI, int cellJ) { return capturedPixel(panelLeft + cellI, panelBottom + cellJ); };
  ASSERT_TRUE(findUniformCell([](int a, int b) { return sandGrid.wall[a][b] != 0; }, i, j));
  EXPECT_TRUE(near(pixelOf(i, j), 153, 158, 161, 3)) << "wall " << i << ", " << j;
  ASSERT_TRUE(findUniformCell([](int a, int b) { return sandGrid.wall[a][b] == 0 && sandGrid.sand[a][b] == 0; }, i, j));
  EXPECT_TRUE(near(pixelOf(i, j), 230, 230, 230, 3)) << "empty " << i << ", " << j;
  ASSERT_TRUE(findUniformCell([](int a, int b) { return sandGrid.wall[a][b] == 0 && sandGrid.sand[a][b] == 1; }, i, j));
  // Grains: (0.3 + 0..1/14, 0.2 + 0..1/16, 0.1 + 0..1/18).
  const Rgb grain = pixelOf(i, j);
  EXPECT_TRUE(grain.r >= 75 && grain.r <= 97 && grain.g >= 49 && grain.g <= 69 && grain.b >= 24 && grain.b <= 41)
      << "grain " << int{grain.r} << " " << int{grain.g} << " " << int{grain.b};
  // The dark frame along the viewport's edges.
  EXPECT_TRUE(near(capturedPixel(panelLeft, 300), 76, 76, 76, 3));
  EXPECT_TRUE(near(capturedPixel(panelLeft + 139, 300), 76, 76, 76, 3));
  EXPECT_TRUE(near(capturedPixel(660, panelBottom), 76, 76, 76, 3));
  EXPECT_TRUE(near(capturedPixel(660, panelBottom + 139), 76, 76, 76, 3));

  // 7.6 s in: fading out, the wall between its grey and the background's.
  while (cycle.timelineMs < start + 7600) cycle = captureCycle(10);
  ASSERT_TRUE(findUniformCell([](int a, int b) { return sandGrid.wall[a][b] != 0; }, i, j));
  EXPECT_GT(pixelOf(i, j).r, 153 + 3);
  EXPECT_LT(pixelOf(i, j).r, 178 - 3);

  // Past 8 s: faded out, the panel shows the background alone.
  while (cycle.timelineMs < start + 8300) cycle = captureCycle(10);
  ASSERT_EQ(cycle.entry, 71);
  for (int y = panelBottom; y < panelBottom + 140; y += 7) {
    for (int x = panelLeft; x < panelLeft + 140; x += 7) {
      EXPECT_TRUE(near(capturedPixel(x, y), background.r, background.g, background.b, 1)) << x << ", " << y;
    }
  }
  EXPECT_EQ(pixelsAroundThePanel(), 0);
}

}  // namespace

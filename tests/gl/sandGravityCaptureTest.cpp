// The gravity field and the sand hourglass in captured 800 x 600 frames.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "effects/fields/gravity.h"
#include "effects/fields/sand.h"
#include "runtime/text.h"
#include "texts/credits.h"
#include "tools/capture/captureDriver.h"

namespace {

// Both tests share the one window and run the Timeline on from where it is.
CaptureCycle runUntil(int entry, int32_t timelineMs, int fps) {
  static bool started = false;
  if (!started) {
    // Beside the pictures and the soundtrack, as the presentation runs.
    started = chdir(VORRAN_BUILD_DIR) == 0;
    captureStart();
  }
  CaptureCycle cycle;
  do cycle = captureCycle(fps);
  while (cycle.entry < entry || (cycle.entry == entry && cycle.timelineMs < timelineMs));
  return cycle;
}

bool near(Rgb p, int r, int g, int b, int tolerance) {
  return std::abs(p.r - r) <= tolerance && std::abs(p.g - g) <= tolerance && std::abs(p.b - b) <= tolerance;
}

// Half-brightness grey of a gravity cell; where its neighbours within 4 cells
// differ by more than 2 levels, -1 (overlapping points blur such pixels).
int smoothGrey(int i, int j) {
  auto grey = [](int a, int b) { return static_cast<int>(std::min(1.0f, gravity.field[a][b] / 2.0f) * 255.0f + 0.5f); };
  for (int di = -4; di <= 4; ++di) {
    for (int dj = -4; dj <= 4; ++dj) {
      if (std::abs(grey(i + di, j + dj) - grey(i, j)) > 2) return -1;
    }
  }
  return grey(i, j);
}

Rgb at(float x, float y) { return capturedPixel(static_cast<int>((x + 1) * 400), static_cast<int>((y + 1) * 300)); }

double largeImageMean() {
  double sum = 0.0;
  for (int y = 160; y < 440; y += 4) {
    for (int x = 320; x < 700; x += 4) sum += capturedPixel(x, y).r;
  }
  return sum / (70.0 * 95.0);
}

// Smooth parts of the field at least `least` grey show their grey times
// `scale` in all three images: {cells probed, cells matching}.
std::pair<int, int> greyProbes(float scale, int least) {
  int probed = 0;
  int matching = 0;
  for (int i = 11; i < 290; i += 20) {
    for (int j = 11; j < 290; j += 20) {
      const int g = smoothGrey(i, j);
      if (g < least) continue;
      ++probed;
      const int e = static_cast<int>(static_cast<float>(g) * scale + 0.5f);
      const float x = (i / 1200.0f - 0.5f) * 4.0f + 1.78f;
      const float y = (j / 1200.0f - 0.5f) * 4.0f + 1.5f;
      matching += near(at(x, y), e, e, e, 6) && near(at(x / 2 - 0.6f, y / 2 - 0.25f), e, e, e, 6) &&
                  near(at(x / 2 - 0.6f, y / 2 + 0.25f), e, e, e, 6);
    }
  }
  return {probed, matching};
}

TEST(FieldScenesInCapture, GravityFadesInAndShowsThreeImages) {
  runUntil(7, 4700, 2);
  CaptureCycle cycle = runUntil(8, 0, 30);
  // First frame: fade frameMs * 0.1, black overlay of alpha 1 - 0.05 * fade.
  EXPECT_FLOAT_EQ(gravity.fade, static_cast<float>(cycle.frameMs) * 0.1f);
  const double firstMean = largeImageMean();

  // Mid-fade (fade past 12, overlay alpha about 1/3): the images at 0.05 *
  // fade of their brightness, crossed by the decoration rectangles in their
  // reddish grey (0.6, 0.5, 0.5), where the field itself is neutral grey.
  while (gravity.fade <= 12.0f) captureCycle(30);
  ASSERT_LE(gravity.fade, 20.0f);
  const auto [dimProbed, dimMatching] = greyProbes(0.05f * gravity.fade, 40);
  EXPECT_GT(dimProbed, 10);
  EXPECT_GE(dimMatching, dimProbed * 8 / 10);
  int reddish = 0;
  for (int y = 125; y < captureHeight; ++y) {
    for (int x = 0; x < captureWidth; ++x) reddish += capturedPixel(x, y).r >= capturedPixel(x, y).g + 4;
  }
  EXPECT_GT(reddish, 100);

  cycle = runUntil(8, 5250, 30);
  EXPECT_LT(firstMean, 0.3 * largeImageMean());
  // Past 200 ms no overlay: every smooth part shows its grey.
  const auto [probed, matching] = greyProbes(1.0f, 0);
  EXPECT_GT(probed, 50);
  EXPECT_EQ(matching, probed);
  // Edges: 3-pixel points centred at window x 116.7 (cell 1, half-size
  // copies) and 708.0 (cell 297, large image) cover x 115..709; at y 150.5
  // and 448.5 (copies), 151.0 and 447.0 (large image) they cover y 149..449
  // and 150..448. Every cell is above zero, the rest is black.
  for (int y = 150; y <= 448; y += 6) {
    EXPECT_TRUE(capturedPixel(709, y).r > 0 && capturedPixel(115, y).r > 0) << y;
    EXPECT_TRUE(near(capturedPixel(710, y), 0, 0, 0, 0) && near(capturedPixel(114, y), 0, 0, 0, 0)) << y;
  }
  for (int x = 115; x <= 709; x += 6) {
    EXPECT_TRUE(capturedPixel(x, 150).r > 0 && capturedPixel(x, 448).r > 0) << x;
    EXPECT_TRUE(near(capturedPixel(x, 148), 0, 0, 0, 0) && near(capturedPixel(x, 450), 0, 0, 0, 0)) << x;
  }
}

// The sand panel: viewport 590..729 x 230..369, one cell per pixel, on the
// background grey.
const Rgb background{178, 184, 186};

// The pixel of a cell whose 5 x 5 neighbourhood is all of one kind.
template <typename Kind>
Rgb uniformCellPixel(Kind kind) {
  for (int i = 10; i < 130; ++i) {
    for (int j = 10; j < 130; ++j) {
      bool uniform = true;
      for (int d = 0; d < 25 && uniform; ++d) uniform = kind(i + d / 5 - 2, j + d % 5 - 2);
      if (uniform) return capturedPixel(590 + i, 230 + j);
    }
  }
  ADD_FAILURE() << "no such cell";
  return {};
}
bool isWall(int i, int j) { return sandGrid.wall[i][j] != 0; }
bool isEmpty(int i, int j) { return !isWall(i, j) && sandGrid.sand[i][j] == 0; }
bool isGrain(int i, int j) { return !isWall(i, j) && sandGrid.sand[i][j] == 1; }

int pixelsAroundThePanel() {
  int count = 0;
  for (int y = 200; y < 400; ++y) {
    for (int x = 560; x < 760; ++x) {
      const bool inside = x >= 590 && x < 730 && y >= 230 && y < 370;
      count += !inside && !near(capturedPixel(x, y), background.r, background.g, background.b, 0);
    }
  }
  return count;
}

// The music caption at (50, 655) of 1400 x 1400: baseline at window (28.6,
// 280.7), 0.57 pixel a unit across and 0.43 up, the copies shifted by up to
// 4 pixels right and 3 up. Caption ink left of the panel, in and out of the
// box that holds it.
struct CaptionInk {
  int inBox = 0;
  int outside = 0;
  int darkest = 255;
  int rightmost = 0;
};
int captionEnd() { return static_cast<int>(28.6f + static_cast<float>(strokeTextWidth(musicCaption)) * 800.0f / 1400.0f); }
CaptionInk captionInk() {
  CaptionInk ink;
  for (int y = 0; y < captureHeight; ++y) {
    for (int x = 0; x < 560; ++x) {
      const Rgb p = capturedPixel(x, y);
      if (near(p, background.r, background.g, background.b, 2)) continue;
      if (x < 24 || x > captionEnd() + 8 || y < 272 || y > 342) {
        ++ink.outside;
        continue;
      }
      ++ink.inBox;
      ink.darkest = std::min<int>(ink.darkest, p.r);
      ink.rightmost = std::max(ink.rightmost, x);
    }
  }
  return ink;
}

TEST(FieldScenesInCapture, SandPanelFadesInAndOutInItsViewport) {
  runUntil(70, 0, 2);
  const int32_t start = runUntil(71, 0, 10).timelineMs;
  // Alpha 0.025 in the first frame: near the background, even where nine
  // overlapping wall points add up.
  EXPECT_TRUE(near(uniformCellPixel(isWall), background.r, background.g, background.b, 6));
  EXPECT_EQ(pixelsAroundThePanel(), 0);

  // At 3.3 s the caption's first timer has stopped at 800 and the second has
  // risen to 50: fade 0.0625, and where the copies overlap only 0.3 of the
  // grey is left.
  runUntil(71, start + 3300, 10);
  const CaptionInk dark = captionInk();
  EXPECT_EQ(dark.outside, 0);
  EXPECT_LT(dark.darkest, 70);
  EXPECT_GE(dark.rightmost, captionEnd() - 8);

  runUntil(71, start + 4100, 10);
  EXPECT_EQ(pixelsAroundThePanel(), 0);
  EXPECT_TRUE(near(uniformCellPixel(isWall), 153, 158, 161, 3));
  EXPECT_TRUE(near(uniformCellPixel(isEmpty), 230, 230, 230, 3));
  // Grains: (0.3 + 0..1/14, 0.2 + 0..1/16, 0.1 + 0..1/18).
  const Rgb grain = uniformCellPixel(isGrain);
  EXPECT_TRUE(grain.r >= 75 && grain.r <= 97 && grain.g >= 49 && grain.g <= 69 && grain.b >= 24 && grain.b <= 41);
  // The dark frame along the viewport's edges.
  for (const auto& [x, y] : {std::pair{590, 300}, {729, 300}, {660, 230}, {660, 369}}) {
    EXPECT_TRUE(near(capturedPixel(x, y), 76, 76, 76, 3)) << x << ", " << y;
  }

  runUntil(71, start + 7600, 10);
  const Rgb fading = uniformCellPixel(isWall);
  EXPECT_TRUE(fading.r > 153 + 3 && fading.r < 178 - 3);
  // Past 8 s the glass has faded out and the caption has returned to the
  // grey since 6.4 s: the background alone.
  runUntil(71, start + 8300, 10);
  EXPECT_EQ(pixelsAroundThePanel(), 0);
  EXPECT_EQ(captionInk().inBox + captionInk().outside, 0);
  for (int y = 230; y < 370; y += 7) {
    for (int x = 590; x < 730; x += 7) EXPECT_TRUE(near(capturedPixel(x, y), 178, 184, 186, 1)) << x << ", " << y;
  }
}

}  // namespace

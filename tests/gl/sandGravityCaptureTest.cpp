// The gravity field (entry 8) and the sand hourglass (entry 71) in captured
// frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "runtime/text.h"
#include "scenes/credits.h"
#include "scenes/fields/gravityScene.h"
#include "sim/fields/gravity.h"
#include "sim/fields/sand.h"
#include "tests/gl/sceneCapture.h"

namespace {

// Half-brightness grey of a gravity cell; where its neighbours within 4 cells
// differ by more than 2 levels, -1 (overlapping points blur such pixels).
int smoothGrey(int i, int j) {
  auto grey = [](int a, int b) { return static_cast<int>(std::min(1.0f, gravity.field[a][b] / 2.0f) * 255.0f + 0.5f); };
  for (int d = 0; d < 81; ++d) {
    if (std::abs(grey(i + d / 9 - 4, j + d % 9 - 4) - grey(i, j)) > 2) return -1;
  }
  return grey(i, j);
}

Rgb at(float x, float y) { return capturedPixel(static_cast<int>((x + 1) * 400), static_cast<int>((y + 1) * 300)); }

// Smooth parts of the field at least `least` grey show their grey times
// `scale` in all three images: {cells probed, cells matching}.
std::pair<int, int> greyProbes(float scale, int least) {
  int probed = 0, matching = 0;
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
  ASSERT_TRUE(runUntil(7, 4700, 2));
  ASSERT_TRUE(runUntil(8, 0, 30));
  // First frame: fade frameMs * 0.1, black overlay of alpha 1 - 0.05 * fade.
  EXPECT_FLOAT_EQ(gravityTimers.fade, static_cast<float>(current.frameMs) * 0.1f);

  // Mid-fade (fade past 12, overlay alpha about 1/3): the images at 0.05 *
  // fade of their brightness, crossed by the decoration rectangles in their
  // reddish grey (0.6, 0.5, 0.5), where the field itself is neutral grey.
  while (gravityTimers.fade <= 12.0f) runUntil(8, 0, 30);
  ASSERT_LE(gravityTimers.fade, 20.0f);
  const auto [dimProbed, dimMatching] = greyProbes(0.05f * gravityTimers.fade, 40);
  EXPECT_GT(dimProbed, 10);
  // The rectangles are drawn afresh for each entry, so where they cross
  // depends on every draw before: three in four probes are clear of them.
  EXPECT_GE(dimMatching, dimProbed * 3 / 4);
  EXPECT_GT(capturedFrame().count(0, captureWidth, 125, captureHeight, [](Rgb c) { return c.r >= c.g + 4; }), 100);

  ASSERT_TRUE(runUntil(8, 5250, 30));
  // Past 200 ms no overlay: every smooth part shows its grey.
  const auto [probed, matching] = greyProbes(1.0f, 0);
  EXPECT_GT(probed, 50);
  EXPECT_EQ(matching, probed);
  // Edges: 3-pixel points centred at window x 116.7 (cell 1, half-size
  // copies) and 708.0 (cell 297, large image) cover x 115..709; at y 150.5
  // and 448.5 (copies), 151.0 and 447.0 (large image) they cover y 149..449
  // and 150..448. Every cell is above zero, the rest is black.
  for (int k = 0; k <= 594; k += 6) {
    const int x = 115 + k, y = 150 + k / 2;
    EXPECT_TRUE(capturedPixel(709, y).r > 0 && capturedPixel(115, y).r > 0) << y;
    EXPECT_TRUE(near(capturedPixel(710, y), 0, 0, 0, 0) && near(capturedPixel(114, y), 0, 0, 0, 0)) << y;
    EXPECT_TRUE(capturedPixel(x, 150).r > 0 && capturedPixel(x, 448).r > 0) << x;
    EXPECT_TRUE(near(capturedPixel(x, 148), 0, 0, 0, 0) && near(capturedPixel(x, 450), 0, 0, 0, 0)) << x;
  }
}

// The sand panel: viewport 590..729 x 230..369, one cell per pixel.
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
  const ReadBack f = capturedFrame();
  auto drawn = [](Rgb c) { return !background(c); };
  return f.count(560, 760, 200, 400, drawn) - f.count(590, 730, 230, 370, drawn);
}

// The music caption at (50, 655) of 1400 x 1400: baseline at window (28.6,
// 280.7), 0.57 pixel a unit across and 0.43 up, the copies shifted by up to
// 4 pixels right and 3 up. Its ink left of the panel stays in the box
// x 24..end + 8, y 272..342.
int captionEnd() { return static_cast<int>(28.6f + static_cast<float>(strokeTextWidth(musicCaption)) * 800.0f / 1400.0f); }
bool ink(Rgb c) { return !background(c, 2); }

TEST(FieldScenesInCapture, SandPanelFadesInAndOutInItsViewport) {
  ASSERT_TRUE(runUntil(70, 0, 2));
  ASSERT_TRUE(runUntil(71, 0, 10));
  const int32_t start = current.timelineMs;
  // Alpha 0.025 in the first frame: near the background, even where nine
  // overlapping wall points add up.
  EXPECT_TRUE(background(uniformCellPixel(isWall), 6));
  EXPECT_EQ(pixelsAroundThePanel(), 0);

  // At 3.3 s the caption's first timer has stopped at 800 and the second has
  // risen to 50: fade 0.0625, and where the copies overlap only 0.3 of the
  // grey is left.
  ASSERT_TRUE(runUntil(71, start + 3300, 10));
  const ReadBack f = capturedFrame();
  const int end = captionEnd() + 9;
  EXPECT_EQ(f.count(0, 560, 0, captureHeight, ink), f.count(24, end, 272, 343, ink));
  EXPECT_LT(f.darkest(24, end, 272, 343), 70);
  EXPECT_GE(f.extent(24, end, 272, 343, ink).right, captionEnd() - 8);
  // Its first stroke, the m's stem, about 8 units right of the pen: x 33.
  EXPECT_NEAR(f.extent(0, end, 272, 343, ink).left, 33, 2);

  ASSERT_TRUE(runUntil(71, start + 4100, 10));
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

  ASSERT_TRUE(runUntil(71, start + 7600, 10));
  const Rgb fading = uniformCellPixel(isWall);
  EXPECT_TRUE(fading.r > 153 + 3 && fading.r < 178 - 3);
  // Past 8 s the glass has faded out and the caption has returned to the
  // grey since 6.4 s: the background alone.
  ASSERT_TRUE(runUntil(71, start + 8300, 10));
  EXPECT_EQ(pixelsAroundThePanel(), 0);
  EXPECT_EQ(capturedFrame().count(0, 560, 0, captureHeight, ink), 0);
  EXPECT_EQ(capturedFrame().count(590, 730, 230, 370, [](Rgb c) { return !background(c, 1); }), 0);
}

}  // namespace

// Stroke-font text: its measure, where it lands, what it leaves behind.
#include <gtest/gtest.h>

#include <numbers>
#include <tuple>

#include "platform/random.h"
#include "runtime/screen.h"
#include "runtime/text.h"
#include "scenes/credits.h"
#include "scenes/titles/wordSequence.h"
#include "tests/gl/glProbe.h"

namespace {

TEST(StrokeTextWidth, SumsTheRoundedAdvanceOfEachGlyph) {
  EXPECT_EQ(strokeTextWidth(""), 0);
  // The Roman font's M is 97.21 units wide, m 123.96 and I 21.30; the
  // library rounds each advance to the nearest unit before they are summed.
  EXPECT_EQ(strokeTextWidth("M"), 97);
  EXPECT_EQ(strokeTextWidth("mmmm"), 496);
  EXPECT_EQ(strokeTextWidth("IIII"), 84);
  EXPECT_EQ(strokeTextWidth("Vorran"), strokeTextWidth("Vor") + strokeTextWidth("ran"));
}

TEST(CreditCaptions, EachFitsOnScreenFromWhereItsSceneStartsIt) {
  // {caption, its start, the right bound of its scene's projection}
  const std::tuple<const char*, int, int> placed[] = {{graphicsCaption, 50, 1200}, {musicCaption, 50, 1400},
                                                      {codeCaption, 400, 1200}, {texturesCaption, 350, 1200},
                                                      {designCaption, 50, 1200}};
  for (const auto& [text, x, right] : placed) EXPECT_LT(x + strokeTextWidth(text), right - 10) << text;
}

TEST(JitterText, ConsumesTenDrawsOfTheSharedGeneratorPerCall) {
  freshCanvas(0.0f);
  const uint64_t before = demoRandDraws();
  const TextLayout layout{.view = {0.0f, 1000.0f, 0.0f, 1000.0f}, .x = 100.0f, .dx = 10.0f, .y = 500.0f};
  drawJitterText(layout, "jitter");
  EXPECT_EQ(demoRandDraws() - before, 10u);
  drawJitterText(layout, "");
  EXPECT_EQ(demoRandDraws() - before, 20u);
}

TEST(ShimmerWord, TenDrawsTheLastCopyMovedByTheNinthUpAndTheTenthRight) {
  // Over black with the word scenes' blending each copy replaces what it
  // covers: only the last (alpha 0.4) leaves the beige x 0.4, (76, 71, 66).
  // From state 170 its draws are 32140 and 1248: 32140 / 32767 / 55 of the
  // half-screen up (5.35 pixels), 1248 / 32767 / 55 right (0.28).
  Box boxes[2];
  for (int shaken = 0; shaken < 2; ++shaken) {
    freshCanvas(0.0f);
    glBlendFunc(GL_SRC_ALPHA, GL_ZERO);
    layoutLineWidth(4.0f);
    resetDemoRand(170);
    if (shaken == 1) drawShimmerWord(600.0f, 500.0f, "H");
    const TextLayout still{.colour = {0.3f, 0.28f, 0.26f}, .view = {0.0f, 1700.0f, 100.0f, 1200.0f}, .x = 600.0f, .y = 500.0f};
    if (shaken == 0) drawPlainText(still, "H");
    EXPECT_EQ(demoRandDraws(), shaken == 1 ? 10u : 0u);
    boxes[shaken] = readBackBuffer().extent(0, captureWidth, 0, captureHeight, [](Rgb c) { return near(c, 76, 71, 66, 2); });
  }
  EXPECT_GT(boxes[0].right - boxes[0].left, 10);
  EXPECT_NEAR(boxes[1].left - boxes[0].left, 0.28, 0.75);
  EXPECT_NEAR(boxes[1].bottom - boxes[0].bottom, 5.35, 0.75);
  EXPECT_NEAR(boxes[1].top - boxes[0].top, 5.35, 0.75);
  resetDemoRand();
}

TEST(PlainText, LandsWhereItsProjectionSaysAndRestoresTheCallers) {
  freshCanvas(0.0f);
  glMatrixMode(GL_PROJECTION);
  glOrtho(-3.0, 5.0, -2.0, 7.0, -1.0, 1.0);
  const auto callersProjection = matrixOf(GL_PROJECTION_MATRIX);
  glMatrixMode(GL_MODELVIEW);

  // In a 1000 x 1000 projection the I starts at x + dx = 500 units; its one
  // stroke stands in the middle of its 21.3-unit advance (510.65 units, window
  // x 408.5) from the baseline at 200 units (window y 120) up 100 units (180).
  drawPlainText({.colour = {0.9f, 0.7f, 0.5f}, .view = {0.0f, 1000.0f, 0.0f, 1000.0f}, .x = 400.0f, .dx = 100.0f, .y = 200.0f},
                "I");
  const ReadBack picture = readBackBuffer();
  int left = captureWidth, right = -1, bottom = captureHeight, top = -1;
  for (int y = 0; y < captureHeight; ++y) {
    for (int x = 0; x < captureWidth; ++x) {
      if (!picture.lit(x, y)) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      bottom = std::min(bottom, y);
      top = std::max(top, y);
    }
  }
  EXPECT_GE(left, 406);
  EXPECT_LE(right, 411);
  EXPECT_NEAR(bottom, 120, 2);
  EXPECT_NEAR(top, 179, 2);
  EXPECT_TRUE(near(picture.at(408, 150), 230, 179, 128, 2));

  EXPECT_EQ(glInteger(GL_MATRIX_MODE), GL_PROJECTION);
  EXPECT_EQ(matrixOf(GL_PROJECTION_MATRIX), callersProjection);
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_LINE_SMOOTH));
}

TEST(SwayingText, TurnsCounterClockwiseBy20DegreesAtTheTopOfTheSway) {
  // In a 200 x 200 projection an I starting at 89.35 units has its stroke on
  // the vertical centre line, from y = 50 to 150 units (-0.5 to 0.5). The turn
  // is about the screen centre, in the unit square: a point (0, v) goes to
  // (-v sin 20, v cos 20), so at window rows 420 and 180 (v cos 20 = +-0.4) the
  // stroke stands 0.4 tan 20 x 400 = 58.2 pixels left and right of x = 400.
  const auto strokeAt = [](float phase, int row) {
    textState.swayPhase = phase;
    freshCanvas(0.0f);
    glLineWidth(2.0f);
    drawSwayingText({.view = {0.0f, 200.0f, 0.0f, 200.0f}, .x = 89.35f, .y = 50.0f}, "I");
    textState.swayPhase = 0.0f;
    const ReadBack picture = readBackBuffer();
    double sum = 0.0;
    int count = 0;
    for (int x = 0; x < captureWidth; ++x) {
      if (picture.lit(x, row)) sum += x, ++count;
    }
    return count > 0 ? sum / count : -1.0;
  };
  EXPECT_NEAR(strokeAt(0.0f, 420), 400.0, 1.5);
  EXPECT_NEAR(strokeAt(0.0f, 180), 400.0, 1.5);
  const float top = std::numbers::pi_v<float> / 2.0f;
  EXPECT_NEAR(strokeAt(top, 420), 341.8, 2.0);
  EXPECT_NEAR(strokeAt(top, 180), 458.2, 2.0);
}

}  // namespace

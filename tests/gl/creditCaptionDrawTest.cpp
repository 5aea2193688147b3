// The flickering credit caption, read back in feedback mode: where each of
// its five copies lands, in what colour, and what it leaves behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/random.h"
#include "scenes/fields/creditCaption.h"
#include "tests/gl/glProbe.h"

namespace {

// One stroke of the caption as the pipeline saw it: window coordinates of its
// lower and upper end, and its colour.
struct Stroke {
  float x, bottom, top;
  float rgba[4];
};

// Draws an "I" (a single vertical stroke) as the caption and returns one
// stroke per copy, in drawing order.
std::vector<Stroke> captionStrokes(float f) {
  std::vector<GLfloat> buffer(4096);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
  glRenderMode(GL_FEEDBACK);
  drawCreditCaption({.fade = f, .view = {0.0f, 1200.0f, 0.0f, 1200.0f}, .x = 400.0f, .y = 600.0f}, "I");
  const GLint size = glRenderMode(GL_RENDER);
  std::vector<Stroke> strokes;
  // A line token, then two vertices of x, y, z and RGBA.
  for (GLint k = 0; k + 15 <= size; k += 15) {
    EXPECT_TRUE(buffer[k] == GL_LINE_RESET_TOKEN || buffer[k] == GL_LINE_TOKEN);
    const GLfloat* a = &buffer[static_cast<size_t>(k) + 1];
    const GLfloat* b = a + 7;
    strokes.push_back({a[0], std::min(a[1], b[1]), std::max(a[1], b[1]), {a[3], a[4], a[5], a[6]}});
  }
  return strokes;
}

TEST(CreditCaption, FiveCopiesShakenByTwoDrawsEachTheSecondAlongX) {
  freshCanvas(0.5f);
  resetDemoRand();
  const std::vector<Stroke> strokes = captionStrokes(0.5f);
  ASSERT_EQ(strokes.size(), 5u);
  EXPECT_EQ(demoRandDraws(), 10u);
  // The first ten draws of a fresh generator, two per copy: the first moves
  // the copy up, the second to the right, each by draw / 32767 / 95 of the
  // half-window (400 x 300 pixels).
  const int draws[10] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
  const double unit = 1.0 / 32767.0 / 95.0;
  // The pen stands at 400 of 1200 units (window x 266.67); the I's stroke
  // lies inside its 21.3-unit advance, at the same place in every copy.
  const double strokeInGlyph = strokes[0].x - 400.0 / 1200.0 * 800.0 - draws[1] * unit * 400.0;
  EXPECT_GT(strokeInGlyph, 0.0);
  EXPECT_LT(strokeInGlyph, 21.3 / 1200.0 * 800.0);
  for (int k = 0; k < 5; ++k) {
    const Stroke& s = strokes[static_cast<size_t>(k)];
    EXPECT_NEAR(s.x, 400.0 / 1200.0 * 800.0 + strokeInGlyph + draws[2 * k + 1] * unit * 400.0, 0.01) << k;
    // Its foot is on the line at 600 of 1200 units (window y 300), its head
    // 100 units higher; the background grey at half strength, ever more
    // opaque.
    EXPECT_NEAR(s.bottom, 300.0 + draws[2 * k] * unit * 300.0, 0.02) << k;
    EXPECT_NEAR(s.top - s.bottom, 50.0, 0.02) << k;
    const float expected[4] = {0.35f, 0.36f, 0.365f, 0.1f * static_cast<float>(k)};
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(s.rgba[c], expected[c], 1e-4) << k << " " << c;
  }
}

TEST(CreditCaption, LeavesTheCallersProjectionSelectedAndSmoothWideLinesOn) {
  freshCanvas(0.5f);
  glMatrixMode(GL_PROJECTION);
  glOrtho(-3.0, 5.0, -2.0, 7.0, -1.0, 1.0);
  const auto callersProjection = matrixOf(GL_PROJECTION_MATRIX);
  glMatrixMode(GL_MODELVIEW);
  drawCreditCaption({.view = {0.0f, 1200.0f, 0.0f, 1200.0f}, .x = 50.0f, .y = 555.0f}, "gfx");
  EXPECT_EQ(glInteger(GL_MATRIX_MODE), GL_PROJECTION);
  EXPECT_EQ(matrixOf(GL_PROJECTION_MATRIX), callersProjection);
  EXPECT_EQ(glFloat(GL_LINE_WIDTH), 2.0f);
  EXPECT_TRUE(glIsEnabled(GL_BLEND) && glIsEnabled(GL_LINE_SMOOTH));
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
}

}  // namespace

// The shared reshape callbacks, and the stand-in scene as the capture sees it.
#include <gtest/gtest.h>

#include <string>

#include "runtime/sharedCallbacks.h"
#include "runtime/text.h"
#include "scenes/placeholder.h"
#include "show/timeline.h"
#include "tests/gl/glProbe.h"

namespace {

std::array<GLint, 4> viewport() {
  std::array<GLint, 4> v{};
  glGetIntegerv(GL_VIEWPORT, v.data());
  return v;
}

TEST(Reshape, UnitOrthoKeepsTheModelView) {
  freshCanvas(0.0f);
  glTranslatef(0.3f, -0.2f, 0.0f);
  glMatrixMode(GL_PROJECTION);
  glOrtho(0.0, 4.0, 0.0, 3.0, -1.0, 1.0);
  reshapeUnitOrtho(640, 480);
  EXPECT_EQ(viewport(), (std::array<GLint, 4>{0, 0, 640, 480}));
  EXPECT_EQ(glInteger(GL_MATRIX_MODE), GL_MODELVIEW);
  EXPECT_EQ(matrixOf(GL_PROJECTION_MATRIX), affine(1, 1, -1, 0, 0, 0));
  EXPECT_EQ(matrixOf(GL_MODELVIEW_MATRIX), affine(1, 1, 1, 0.3f, -0.2f, 0));
  glViewport(0, 0, captureWidth, captureHeight);
}

TEST(Reshape, FluidViewSpansTheUpperHalfPlaneAndResetsTheModelView) {
  freshCanvas(0.0f);
  glTranslatef(0.3f, -0.2f, 0.0f);
  reshapeFluidView(captureWidth, captureHeight);
  EXPECT_EQ(viewport(), (std::array<GLint, 4>{0, 0, captureWidth, captureHeight}));
  EXPECT_EQ(glInteger(GL_MATRIX_MODE), GL_MODELVIEW);
  // x from -1 to 1, y from 0 to 1: y' = 2y - 1.
  EXPECT_EQ(matrixOf(GL_PROJECTION_MATRIX), affine(1, 2, -1, 0, -1, 0));
  EXPECT_EQ(matrixOf(GL_MODELVIEW_MATRIX), affine(1, 1, 1, 0, 0, 0));
}

TEST(Placeholder, DarkGreyScreenWithTheEntryNumberInTheMiddle) {
  // Every entry has its scene now: the placeholder is drawn directly, once
  // the first track plays (from entry 6 on, with the spectrum), numbering the
  // current entry.
  CaptureCycle cycle = captureCycle(10);
  for (int n = 0; n < 400 && cycle.entry < 6; ++n) cycle = captureCycle(10);
  ASSERT_GE(cycle.entry, 6);
  placeholderDisplay();
  // Grey 0.2 is 51; the entry's number in grey 0.8 (204) is centred on a
  // 1000 x 750 area at 325 to 425 units up: 0.8 pixel a unit across, window
  // y 260 to 340. Nothing else is drawn but the music's spectrum in the lower
  // right corner (x from 685, y below 125).
  const std::string number = std::to_string(cycle.entry);
  const int half = static_cast<int>(strokeTextWidth(number.c_str()) * 0.8f / 2.0f);
  int bright = 0;
  int strayBright = 0;
  int other = 0;
  for (int y = 0; y < captureHeight; ++y) {
    for (int x = 0; x < captureWidth; ++x) {
      const Rgb p = capturedPixel(x, y);
      if (near(p, 204, 204, 204)) {
        ++bright;
        strayBright += (x < 397 - half || x > 403 + half || y < 257 || y > 343) ? 1 : 0;
      } else if (!near(p, 51, 51, 51, 1) && !(x >= 685 && y < 125)) {
        ++other;
      }
    }
  }
  EXPECT_GT(bright, 100);
  EXPECT_EQ(strayBright, 0);
  EXPECT_EQ(other, 0);
}

}  // namespace

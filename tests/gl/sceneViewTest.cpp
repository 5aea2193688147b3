// The shared reshape callbacks.
#include <gtest/gtest.h>

#include <array>

#include "runtime/sharedCallbacks.h"
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

}  // namespace

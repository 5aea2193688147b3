#include "tests/gl/glProbe.h"

#include <gtest/gtest.h>

#include <cstdlib>

Rgb ReadBack::at(int x, int y) const {
  const size_t i = (static_cast<size_t>(y) * captureWidth + static_cast<size_t>(x)) * 3;
  return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

ReadBack readBackBuffer() {
  ReadBack picture;
  picture.rgb.resize(static_cast<size_t>(captureWidth) * captureHeight * 3);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, captureWidth, captureHeight, GL_RGB, GL_UNSIGNED_BYTE, picture.rgb.data());
  return picture;
}

void freshCanvas(float grey) {
  glViewport(0, 0, captureWidth, captureHeight);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  for (GLenum capability : {GL_BLEND, GL_LINE_SMOOTH, GL_DEPTH_TEST, GL_CULL_FACE, GL_TEXTURE_2D}) {
    glDisable(capability);
  }
  glLineWidth(1.0f);
  glClearColor(grey, grey, grey, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
}

GLint glInteger(GLenum name) {
  GLint value = 0;
  glGetIntegerv(name, &value);
  return value;
}

float glFloat(GLenum name) {
  float value = 0.0f;
  glGetFloatv(name, &value);
  return value;
}

std::array<float, 16> matrixOf(GLenum which) {
  std::array<float, 16> m{};
  glGetFloatv(which, m.data());
  return m;
}

std::array<float, 16> affine(float sx, float sy, float sz, float tx, float ty, float tz) {
  return {sx, 0, 0, 0, 0, sy, 0, 0, 0, 0, sz, 0, tx, ty, tz, 1};
}

bool near(Rgb actual, int r, int g, int b, int tolerance) {
  return std::abs(actual.r - r) <= tolerance && std::abs(actual.g - g) <= tolerance &&
         std::abs(actual.b - b) <= tolerance;
}

int pixelsOtherThan(const ReadBack& picture, int level, int tolerance) {
  int count = 0;
  for (int y = 0; y < captureHeight; ++y) {
    for (int x = 0; x < captureWidth; ++x)
      count += near(picture.at(x, y), level, level, level, tolerance) ? 0 : 1;
  }
  return count;
}

// GLUT opens one window per process: every drawing test shares it.
int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  captureStart();
  return RUN_ALL_TESTS();
}

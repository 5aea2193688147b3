#include "tests/gl/glProbe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

Rgb ReadBack::at(int x, int y) const {
  const size_t i = (static_cast<size_t>(y) * captureWidth + static_cast<size_t>(x)) * 3;
  return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

int ReadBack::count(int x0, int x1, int y0, int y1, const std::function<bool(Rgb)>& test) const {
  int n = 0;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) n += test(at(x, y)) ? 1 : 0;
  }
  return n;
}

Box ReadBack::extent(int x0, int x1, int y0, int y1, const std::function<bool(Rgb)>& test) const {
  Box box;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      if (test(at(x, y))) {
        box = {std::min(box.left, x), std::max(box.right, x), std::min(box.bottom, y), std::max(box.top, y)};
      }
    }
  }
  return box;
}

int ReadBack::darkest(int x0, int x1, int y0, int y1) const {
  int least = 255;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) least = std::min<int>(least, at(x, y).r);
  }
  return least;
}

ReadBack readBackBuffer() {
  ReadBack picture;
  picture.rgb.resize(static_cast<size_t>(captureWidth) * captureHeight * 3);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, captureWidth, captureHeight, GL_RGB, GL_UNSIGNED_BYTE, picture.rgb.data());
  return picture;
}

std::vector<FeedbackPrimitive> feedbackPrimitives(const std::function<void()>& draw) {
  std::vector<GLfloat> buffer(1 << 20);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  const GLint size = glRenderMode(GL_RENDER);
  std::vector<FeedbackPrimitive> out;
  for (GLint k = 0; k < size;) {
    const auto token = static_cast<GLint>(buffer[static_cast<size_t>(k++)]);
    if (token == GL_PASS_THROUGH_TOKEN) {
      ++k;
      continue;
    }
    size_t count = token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN ? 2 : 1;
    if (token == GL_POLYGON_TOKEN) count = static_cast<size_t>(buffer[static_cast<size_t>(k++)]);
    out.emplace_back(count);
    for (FeedbackVertex& v : out.back()) std::copy_n(&buffer[static_cast<size_t>(k)], 7, v.begin()), k += 7;
  }
  return out;
}

ReadBack capturedFrame() { return {capturedPixels()}; }

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
  return picture.count(0, captureWidth, 0, captureHeight,
                       [&](Rgb c) { return !near(c, level, level, level, tolerance); });
}

void expectFramedView(const ReadBack& picture, const PixelRect& r, int red, int green, int blue) {
  const Box box = picture.extent(std::max(r.x, 0), std::min(r.x + r.width, captureWidth), std::max(r.y, 0),
                                 std::min(r.y + r.height, captureHeight),
                                 [&](Rgb c) { return near(c, red, green, blue, 1); });
  const int left = std::max(r.x + 1, 0), right = std::min(r.x + r.width - 2, captureWidth - 1);
  const int bottom = std::max(r.y + 1, 0), top = std::min(r.y + r.height - 2, captureHeight - 1);
  EXPECT_TRUE(std::abs(box.left - left) <= 1 && std::abs(box.right - right) <= 1)
      << "x " << r.x << ": " << box.left << " to " << box.right;
  EXPECT_TRUE(std::abs(box.bottom - bottom) <= 1 && std::abs(box.top - top) <= 1)
      << "y " << r.y << ": " << box.bottom << " to " << box.top;
}

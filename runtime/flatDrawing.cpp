#include "runtime/flatDrawing.h"

#include <GL/gl.h>

#include <cmath>

#include "runtime/screen.h"

void windowViewport() {
  layoutViewport(0, 0, static_cast<int>(screenWidth), static_cast<int>(screenHeight));
}

void setViewport(float left, float bottom, float width, float height) {
  layoutViewport(static_cast<int>(left), static_cast<int>(bottom), static_cast<int>(width), static_cast<int>(height));
}

void blendOverScene() {
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDisable(GL_CULL_FACE);
}

void loadUnitView() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-1.0, 1.0, -1.0, 1.0, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void leave3DView() {
  glDisable(GL_LIGHTING);
  glDisable(GL_FOG);
  glDisable(GL_BLEND);
  loadUnitView();
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void drawRectangle(float left, float bottom, float right, float top) {
  glBegin(GL_QUADS);
  glVertex2f(left, bottom);
  glVertex2f(left, top);
  glVertex2f(right, top);
  glVertex2f(right, bottom);
  glEnd();
}

namespace {

// Whether the picture bound to GL_TEXTURE_2D is enlarged everywhere on the
// quad under the current matrices and viewport, by a margin: fewer than 0.9
// texels to a pixel along either window axis (the sum of both texture
// directions, never less than the filter's own measure). Only affine
// mappings qualify: there the measure is the same all over the quad.
bool enlargedEverywhere(const TexturedCorner (&quad)[4]) {
  if (glIsEnabled(GL_TEXTURE_2D) == GL_FALSE) return false;
  GLint minFilter = 0, magFilter = 0, width = 0, height = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
  if (minFilter != GL_LINEAR_MIPMAP_LINEAR || magFilter != GL_LINEAR) return false;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  if (width <= 0 || height <= 0) return false;
  GLdouble modelView[16], projection[16];
  GLint viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  double m[16] = {};  // projection x model-view, column-major
  for (int c = 0; c < 4; ++c) {
    for (int r = 0; r < 4; ++r) {
      for (int k = 0; k < 4; ++k) m[c * 4 + r] += projection[k * 4 + r] * modelView[c * 4 + k];
    }
  }
  if (m[3] != 0.0 || m[7] != 0.0 || m[11] != 0.0 || m[15] != 1.0) return false;
  const auto window = [&](const TexturedCorner& q, double& x, double& y) {
    x = (m[0] * q.x + m[4] * q.y + m[12] + 1.0) * 0.5 * viewport[2];
    y = (m[1] * q.x + m[5] * q.y + m[13] + 1.0) * 0.5 * viewport[3];
  };
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0, x3 = 0, y3 = 0;
  window(quad[0], x0, y0);
  window(quad[1], x1, y1);
  window(quad[3], x3, y3);
  // Window steps along two sides, and the texel steps along them.
  const double ax = x1 - x0, ay = y1 - y0, bx = x3 - x0, by = y3 - y0;
  const double det = ax * by - bx * ay;
  if (std::abs(det) < 1.0) return false;
  const double as = (quad[1].s - quad[0].s) * width, at = (quad[1].t - quad[0].t) * height;
  const double bs = (quad[3].s - quad[0].s) * width, bt = (quad[3].t - quad[0].t) * height;
  // Texels per window pixel along x and along y.
  const double sx = (as * by - bs * ay) / det, tx = (at * by - bt * ay) / det;
  const double sy = (bs * ax - as * bx) / det, ty = (bt * ax - at * bx) / det;
  return std::abs(sx) + std::abs(tx) < 0.9 && std::abs(sy) + std::abs(ty) < 0.9;
}

}  // namespace

void drawTexturedQuad(const TexturedCorner (&quad)[4]) {
  // An enlarged picture reads only its full-size image, whatever the filter
  // for reducing it says; saying so spares llvmpipe the level of detail of
  // every pixel, for the same picture.
  const bool enlarged = enlargedEverywhere(quad);
  if (enlarged) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glBegin(GL_QUADS);
  for (const TexturedCorner& q : quad) {
    glTexCoord2f(q.s, q.t);
    glVertex2f(q.x, q.y);
  }
  glEnd();
  if (enlarged) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
}

void drawTexturedRectangle(float left, float bottom, float right, float top, float low, float high) {
  drawTexturedQuad({{low, low, left, bottom}, {low, high, left, top}, {high, high, right, top}, {high, low, right, bottom}});
}

void drawOutline(float left, float bottom, float right, float top) {
  glBegin(GL_LINE_STRIP);
  glVertex2f(left, bottom);
  glVertex2f(left, top);
  glVertex2f(right, top);
  glVertex2f(right, bottom);
  glVertex2f(left, bottom);
  glEnd();
}

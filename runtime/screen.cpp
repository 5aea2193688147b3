#include "runtime/screen.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace {

// Where the layout lies in the window: its lower left corner and its scale.
struct ScreenLayout {
  int windowWidth = 800;
  int windowHeight = 600;
  int originX = 0;
  int originY = 0;
  float scale = 1.0f;
  bool unseen = false;
};

ScreenLayout layout;

// A layout coordinate in window pixels, rounded so that viewports that meet
// in the layout still meet in the window.
int toWindow(int v) { return static_cast<int>(std::floor(static_cast<float>(v) * layout.scale + 0.5f)); }

}  // namespace

void setWindowSize(int width, int height) {
  layout.windowWidth = width;
  layout.windowHeight = height;
  layout.scale = std::min(static_cast<float>(width) / screenWidth, static_cast<float>(height) / screenHeight);
  layout.originX = (width - toWindow(static_cast<int>(screenWidth))) / 2;
  layout.originY = (height - toWindow(static_cast<int>(screenHeight))) / 2;
}

int windowWidth() { return layout.windowWidth; }
int windowHeight() { return layout.windowHeight; }
float layoutScale() { return layout.scale; }

void layoutViewport(int x, int y, int width, int height) {
  const int left = toWindow(x);
  const int bottom = toWindow(y);
  glViewport(layout.originX + left, layout.originY + bottom, toWindow(x + width) - left, toWindow(y + height) - bottom);
}

void layoutViewport(const PixelRect& r) { layoutViewport(r.x, r.y, r.width, r.height); }

void layoutLineWidth(float width) { glLineWidth(width * layout.scale); }

void layoutPointSize(float size) { glPointSize(size * layout.scale); }

void setFramesUnseen(bool unseen) { layout.unseen = unseen; }

void prepareWindowFrame() {
  if (layout.unseen) {
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 0, 0);
    return;
  }
  const int width = toWindow(static_cast<int>(screenWidth));
  const int height = toWindow(static_cast<int>(screenHeight));
  if (width == layout.windowWidth && height == layout.windowHeight) {
    glDisable(GL_SCISSOR_TEST);
    return;
  }
  GLfloat clear[4] = {};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glEnable(GL_SCISSOR_TEST);
  // Left and right bars, then the bars below and above the area.
  const int right = layout.originX + width;
  const int top = layout.originY + height;
  const int bars[4][4] = {{0, 0, layout.originX, layout.windowHeight},
                          {right, 0, layout.windowWidth - right, layout.windowHeight},
                          {0, 0, layout.windowWidth, layout.originY},
                          {0, top, layout.windowWidth, layout.windowHeight - top}};
  for (const auto& bar : bars) {
    if (bar[2] <= 0 || bar[3] <= 0) continue;
    glScissor(bar[0], bar[1], bar[2], bar[3]);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  glClearColor(clear[0], clear[1], clear[2], clear[3]);
  glScissor(layout.originX, layout.originY, width, height);
}

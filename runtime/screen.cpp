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

void layoutLineWidth(float width) { glLineWidth(width * layout.scale); }

void layoutPointSize(float size) { glPointSize(size * layout.scale); }

// The two wave meshes over the whole 800 x 600 window, probed at the window
// points where their cells land through the camera the meshes describe: a
// look from (5, 10, 15) at the origin, the mesh turned 80 degrees about x
// and scaled.
#include <gtest/gtest.h>

#include <GL/glu.h>

#include <cmath>

#include "scenes/wave/waveMesh.h"
#include "sim/wave/waveField.h"
#include "sim/wave/waveFunction.h"
#include "tests/gl/glProbe.h"

namespace {

struct WindowPoint {
  int x, y;
  // Distance in front of the eye, along its line of sight.
  double depth;
};

// Where the mesh point (x, y, z) lands, for a lens of `fieldOfView`
// degrees and a mesh scaled by `scale` in all (the camera's turns at 0).
WindowPoint land(double fieldOfView, double scale, double x, double y, double z) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(fieldOfView, 800.0 / 600.0, 1.0, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(5.0, 10.0, 15.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
  glRotated(80.0, 1.0, 0.0, 0.0);
  glScaled(scale, scale, scale);
  double model[16], projection[16], wx = 0, wy = 0, wz = 0;
  glGetDoublev(GL_MODELVIEW_MATRIX, model);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  const GLint viewport[4] = {0, 0, 800, 600};
  gluProject(x, y, z, model, projection, viewport, &wx, &wy, &wz);
  const double eyeZ = model[2] * x + model[6] * y + model[10] * z + model[14];
  return {static_cast<int>(wx), static_cast<int>(wy), -eyeZ};
}

int brightness(Rgb c) { return c.r + c.g + c.b; }

// A colour seen through the ripple tank's fog: squared exponential with
// density 0.039 over the depth, towards (0.2, 0.5, 0.5).
bool fogged(Rgb seen, double r, double g, double b, double depth) {
  const double f = std::exp(-(0.039 * depth) * (0.039 * depth));
  const auto level = [f](double c, double fog) { return static_cast<int>(255 * (f * c + (1 - f) * fog) + 0.5); };
  return near(seen, level(r, 0.2), level(g, 0.5), level(b, 0.5), 5);
}

class WaveMeshDraw : public testing::Test {
 protected:
  void SetUp() override { freshCanvas(0.5f), waveMesh = {}, waveField = {}, waveFunction = {}; }
  void TearDown() override { waveMesh = {}, glDisable(GL_FOG), glDisable(GL_DEPTH_TEST); }
};

TEST_F(WaveMeshDraw, RippleTankCheckerAlternatesFromCellToCellAndColumnToColumn) {
  // Zoom 0: the mesh scaled by 1.45 x 6. Cell (i, j) is centred at x =
  // (i - 35) / 35, y = (j - 35) / 35 of the mesh, flat at rest. Cell (1, 1)
  // is black, so black cells are those with i + j even.
  waveMesh.checker = 1;
  drawWaveField(0.0, {.aspect = 800.0 / 600.0, .zoom = 0.0f}, 0.0f);
  const ReadBack picture = readBackBuffer();
  for (int i = 30; i <= 42; i += 3) {
    for (int j = 38; j <= 50; j += 1) {
      const WindowPoint p = land(30.0, 1.45 * 6, (i - 35) / 35.0, (j - 35) / 35.0, 0.0);
      ASSERT_TRUE(p.x > 0 && p.x < 800 && p.y > 0 && p.y < 600) << i << ", " << j;
      // Fog dims the white towards (0.2, 0.5, 0.5) and lifts the black.
      const int b = brightness(picture.at(p.x, p.y));
      EXPECT_TRUE((i + j) % 2 == 0 ? b < 200 : b > 400) << i << ", " << j << ": " << b;
    }
  }
}

TEST_F(WaveMeshDraw, RippleTankAtRestIsPaleBlueVioletAndItsSourceYellowThroughTheFog) {
  drawWaveField(0.0, {.aspect = 800.0 / 600.0, .zoom = 0.0f}, 0.0f);
  const ReadBack picture = readBackBuffer();
  // Open water at rest is (0.6, 0.6, 0.8); the four source cells (34..35,
  // 16..17) are (1, 1, 0.1).
  for (auto [x, y] : {std::pair{5.0, 10.0}, {-20.0, 5.0}, {15.0, -25.0}}) {
    const WindowPoint open = land(30.0, 1.45 * 6, x / 35.0, y / 35.0, 0.0);
    EXPECT_TRUE(fogged(picture.at(open.x, open.y), 0.6, 0.6, 0.8, open.depth)) << x << ", " << y;
  }
  const WindowPoint source = land(30.0, 1.45 * 6, -0.5 / 35.0, -18.5 / 35.0, 0.0);
  EXPECT_TRUE(fogged(picture.at(source.x, source.y), 1.0, 1.0, 0.1, source.depth));
}

TEST_F(WaveMeshDraw, DensityGlowsRedOrangeAndTheCheckerIsBlackUnderAWhiteNet) {
  // Zoom 10 and a 50-degree lens; cell (i, j) centred at x = i / 37 - 1,
  // y = j / 37 - 1. A density of 0.02 is drawn in (20, 15, 10) x 0.03.
  const double scale = 16.0;
  for (auto& row : waveFunction.density) row.fill(0.02f);
  drawWaveFunction({.aspect = 800.0 / 600.0, .zoom = 10.0f});
  ReadBack picture = readBackBuffer();
  for (int i : {28, 31, 34}) {
    const WindowPoint cell = land(50.0, scale, i / 37.0 - 1, 34 / 37.0 - 1, 0.02);
    EXPECT_TRUE(near(picture.at(cell.x, cell.y), 153, 115, 77, 4)) << i;
  }

  freshCanvas(0.5f);
  waveMesh.checker = 1;
  drawWaveFunction({.aspect = 800.0 / 600.0, .zoom = 10.0f});
  picture = readBackBuffer();
  for (int i : {28, 31, 34}) {
    // Between the lines of the net, 0.04 above the cells, the black below
    // shows; along the grid line between rows i and i + 1 the net is white.
    const WindowPoint gap = land(50.0, scale, i / 37.0 - 1, 34 / 37.0 - 1, 0.06);
    EXPECT_TRUE(near(picture.at(gap.x, gap.y), 0, 0, 0, 4)) << i;
    int whites = 0;
    for (int k = 0; k < 8; ++k) {
      const WindowPoint line = land(50.0, scale, (i + 0.5) / 37.0 - 1, (33.5 + k / 8.0) / 37.0 - 1, 0.06);
      bool white = false;  // a one-pixel line: within a pixel of where it lands
      for (auto [dx, dy] : {std::pair{0, 0}, {1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
        white = white || near(picture.at(line.x + dx, line.y + dy), 255, 255, 255, 8);
      }
      whites += white ? 1 : 0;
    }
    EXPECT_EQ(whites, 8) << i;
  }
}

}  // namespace

// The two wave meshes over the whole 800 x 600 window, probed where their
// cells land through the camera the meshes describe: a look from (5, 10,
// 15) at the origin, the mesh turned 80 degrees about x and scaled.
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>

#include "runtime/sequencer.h"
#include "scenes/wave/waveMesh.h"
#include "scenes/wave/waveScenes.h"
#include "sim/wave/waveField.h"
#include "sim/wave/waveFunction.h"
#include "tests/gl/glProbe.h"

namespace {

// The window pixel under the mesh point (x, y, z), for a lens of
// `fieldOfView` degrees and a mesh scaled by `scale` (no turns), and the
// point's depth in front of the eye.
struct Landing {
  int x, y;
  double depth;
};
Landing land(double fieldOfView, double scale, double x, double y, double z) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(fieldOfView, 800.0 / 600.0, 1.0, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(5.0, 10.0, 15.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
  glRotated(80.0, 1.0, 0.0, 0.0);
  glScaled(scale, scale, scale);
  double m[16], p[16], wx = 0, wy = 0, wz = 0;
  glGetDoublev(GL_MODELVIEW_MATRIX, m);
  glGetDoublev(GL_PROJECTION_MATRIX, p);
  const GLint viewport[4] = {0, 0, 800, 600};
  gluProject(x, y, z, m, p, viewport, &wx, &wy, &wz);
  return {static_cast<int>(wx), static_cast<int>(wy), -(m[2] * x + m[6] * y + m[10] * z + m[14])};
}
// Ripple tank cell (i, j), centred at ((i - 35) / 35, (j - 35) / 35), at
// zoom 0; wave-function cell (i, j) at (i / 37 - 1, j / 37 - 1), zoom 10.
Landing rippleCell(double i, double j) { return land(30.0, 1.45 * 6, (i - 35) / 35, (j - 35) / 35, 0.0); }
Landing densityPoint(double i, double j, double z) { return land(50.0, 16.0, i / 37 - 1, j / 37 - 1, z); }

// A colour through the ripple tank's fog: squared exponential, density
// 0.039 over the depth, towards (0.2, 0.5, 0.5).
bool fogged(Rgb seen, double r, double g, double b, double depth) {
  const double f = std::exp(-(0.039 * depth) * (0.039 * depth));
  const auto level = [f](double c, double fog) { return static_cast<int>(255 * (f * c + (1 - f) * fog) + 0.5); };
  return near(seen, level(r, 0.2), level(g, 0.5), level(b, 0.5), 5);
}

class WaveMeshDraw : public testing::Test {
 protected:
  void SetUp() override { freshCanvas(0.5f), waveMesh = {}, waveField = {}, waveFunction = {}; }
  void TearDown() override { waveMesh = {}, glDisable(GL_FOG), glDisable(GL_DEPTH_TEST); }
  static constexpr double aspect = 800.0 / 600.0;
};

TEST_F(WaveMeshDraw, RippleTankAtRestThroughTheFogAndItsChecker) {
  // Open water at rest is (0.6, 0.6, 0.8), the source cells (34..35,
  // 16..17) are (1, 1, 0.1).
  drawWaveField(0.0, {.aspect = aspect}, 0.0f);
  ReadBack picture = readBackBuffer();
  for (auto [i, j] : {std::pair{40.0, 45.0}, {15.0, 40.0}, {50.0, 10.0}}) {
    const Landing p = rippleCell(i, j);
    EXPECT_TRUE(fogged(picture.at(p.x, p.y), 0.6, 0.6, 0.8, p.depth)) << i << ", " << j;
  }
  const Landing source = rippleCell(34.5, 16.5);
  EXPECT_TRUE(fogged(picture.at(source.x, source.y), 1.0, 1.0, 0.1, source.depth));

  // Cell (1, 1) is black and the colour alternates in drawing order, 69
  // cells a column: black wherever i + j is even.
  freshCanvas(0.5f);
  waveMesh.checker = 1;
  drawWaveField(0.0, {.aspect = aspect}, 0.0f);
  picture = readBackBuffer();
  for (int i = 30; i <= 42; i += 3) {
    for (int j = 38; j <= 50; ++j) {
      const Landing p = rippleCell(i, j);
      const double white = (i + j) % 2;
      EXPECT_TRUE(fogged(picture.at(p.x, p.y), white, white, white, p.depth)) << i << ", " << j;
    }
  }
}

TEST_F(WaveMeshDraw, DensityGlowsRedOrangeAndTheCheckerIsBlackUnderAWhiteNet) {
  // A density of 0.02 is drawn in (20, 15, 10) x 0.03.
  for (auto& row : waveFunction.density) row.fill(0.02f);
  drawWaveFunction({.aspect = aspect, .zoom = 10.0f});
  ReadBack picture = readBackBuffer();
  for (int i : {28, 31, 34}) {
    const Landing p = densityPoint(i, 34, 0.02);
    EXPECT_TRUE(near(picture.at(p.x, p.y), 153, 115, 77, 4)) << i;
  }
  // Between the lines of the net, 0.04 above the cells, the black shows;
  // along the grid line between rows i and i + 1 the one-pixel net is white.
  freshCanvas(0.5f);
  waveMesh.checker = 1;
  drawWaveFunction({.aspect = aspect, .zoom = 10.0f});
  picture = readBackBuffer();
  for (int i : {28, 31, 34}) {
    const Landing gap = densityPoint(i, 34, 0.06);
    EXPECT_TRUE(near(picture.at(gap.x, gap.y), 0, 0, 0, 4)) << i;
    for (int k = 0; k < 8; ++k) {
      const Landing line = densityPoint(i + 0.5, 33.5 + k / 8.0, 0.06);
      bool white = false;
      for (auto [dx, dy] : {std::pair{0, 0}, {1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
        white = white || near(picture.at(line.x + dx, line.y + dy), 255, 255, 255, 8);
      }
      EXPECT_TRUE(white) << i << ", " << k;
    }
  }
}

TEST_F(WaveMeshDraw, TitleCardDrawsShadedThenAsANetAndStepsTheFieldForEach) {
  // A 40 ms frame: two steps of 0.5 per drawing, four in all.
  const SequencerState saved = sequencer;
  SequencerState frame = saved;
  frame.frameMs = 40;
  resetSequencer(frame);
  waveScenes = {};
  WaveField expected = waveField;
  float phase = 0.0f;
  for (int n = 0; n < 4; ++n) {
    if (n % 2 == 0) phase = static_cast<float>(phase + 4.0 * 0.017453292519943295);
    waveStep(expected, phase, 0.5);
  }
  drawWaveCard();
  EXPECT_EQ(waveMesh.wireframe, 0);
  EXPECT_GT(pixelsOtherThan(readBackBuffer(), 128, 2), 100000);
  freshCanvas(0.5f);
  drawWaveCardWire();
  const ReadBack net = readBackBuffer();
  EXPECT_EQ(waveMesh.wireframe, 1);
  // White lines through the fog, the grey canvas between them.
  EXPECT_GT(net.count(0, 800, 0, 600, [](Rgb c) { return c.r > 150 && c.g > 180 && c.g == c.b; }), 5000);
  EXPECT_GT(net.count(0, 800, 0, 600, [](Rgb c) { return near(c, 128, 128, 128, 1); }), 200000);
  EXPECT_EQ(waveScenes.wavePhase, phase);
  EXPECT_TRUE(waveField.u == expected.u && waveField.v == expected.v);
  resetSequencer(saved);
}

}  // namespace

// The spatial engine's body drawings, read back in feedback mode (what each
// one sends down the pipeline, in window coordinates) and as pixels, and the
// two title-card drawings of the engine scenes.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/random.h"
#include "runtime/sequencer.h"
#include "runtime/viewControls.h"
#include "scenes/planar/ropeScene.h"
#include "scenes/spatial/bodyDrawing.h"
#include "scenes/spatial/cradleScene.h"
#include "sim/planar/planarWorld.h"
#include "sim/spatial/world.h"
#include "tests/gl/glProbe.h"

namespace {

// A primitive as the feedback buffer gives it: vertices of x, y, z (window,
// depth from 0 to 1) and RGBA.
struct Primitive {
  GLfloat token;
  std::vector<std::array<float, 7>> vertices;
};

template <typename Draw>
std::vector<Primitive> feedback(Draw draw) {
  std::vector<GLfloat> buffer(1 << 16);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  const GLint size = glRenderMode(GL_RENDER);
  std::vector<Primitive> out;
  for (GLint k = 0; k < size;) {
    Primitive p{buffer[static_cast<size_t>(k++)], {}};
    int count = p.token == GL_POLYGON_TOKEN ? static_cast<int>(buffer[static_cast<size_t>(k++)])
                : (p.token == GL_LINE_TOKEN || p.token == GL_LINE_RESET_TOKEN) ? 2
                                                                                 : 1;
    for (; count > 0; --count, k += 7) {
      std::array<float, 7> v{};
      for (int i = 0; i < 7; ++i) v[static_cast<size_t>(i)] = buffer[static_cast<size_t>(k + i)];
      p.vertices.push_back(v);
    }
    out.push_back(p);
  }
  return out;
}

// World units are window pixels; depth z maps to window depth (1 - z/1000)/2.
void pixelSpace() {
  freshCanvas(0.5f);
  glMatrixMode(GL_PROJECTION);
  glOrtho(0.0, 800.0, 0.0, 600.0, -1000.0, 1000.0);
  glMatrixMode(GL_MODELVIEW);
}

double depthOf(float windowZ) { return (1.0 - 2.0 * windowZ) * 1000.0; }

class BodyDrawing : public testing::Test {
 protected:
  void SetUp() override {
    world = {};
    resetDemoRand();
    startWorldLists(0);
    pixelSpace();
  }
  void TearDown() override {
    world = {};
    glDisable(GL_LIGHTING);
  }
};

TEST_F(BodyDrawing, ArrowHeadAtThirtyFiveDegreesAQuarterOfTheShaftLong) {
  // Shaft (10, 0) lengthened 30 times; the head strokes are 75 long.
  const auto lines = feedback([] { drawArrow(100, 100, 0, 110, 100, 0, 30.0); });
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_NEAR(lines[0].vertices[1][0], 400.0f, 0.01f);
  double turns[2];
  for (int k = 1; k <= 2; ++k) {
    const auto& v = lines[static_cast<size_t>(k)].vertices;
    EXPECT_NEAR(v[0][0], 400.0f, 0.01f);
    const double dx = v[1][0] - v[0][0], dy = v[1][1] - v[0][1];
    EXPECT_NEAR(std::hypot(dx, dy), 75.0, 0.01);
    // Measured from the way back along the shaft, (-1, 0).
    turns[k - 1] = std::atan2(-dy, -dx) * 180.0 / M_PI;
  }
  // The first stroke turned clockwise, the second counter-clockwise.
  EXPECT_NEAR(turns[0], -35.0, 0.01);
  EXPECT_NEAR(turns[1], 35.0, 0.01);
}

TEST_F(BodyDrawing, ArrowHeadLiesInThePlaneAtTheTipAndShrinksWithDepth) {
  // Along (3, 4, 5) from depth 0, 10 times: the tip at depth 50; the strokes
  // stay at that depth and are 0.25 x 10 x |(3, 4)| = 12.5 long.
  const auto lines = feedback([] { drawArrow(100, 100, 0, 103, 104, 5, 10.0); });
  ASSERT_EQ(lines.size(), 3u);
  for (int k = 1; k <= 2; ++k) {
    const auto& v = lines[static_cast<size_t>(k)].vertices;
    EXPECT_NEAR(depthOf(v[0][2]), 50.0, 0.1);
    EXPECT_NEAR(depthOf(v[1][2]), 50.0, 0.1);
    EXPECT_NEAR(std::hypot(v[1][0] - v[0][0], v[1][1] - v[0][1]), 12.5, 0.01);
  }
  // Start and end on one vertical line draw nothing, whatever the depths.
  EXPECT_TRUE(feedback([] { drawArrow(100, 100, 0, 100, 100, 5, 10.0); }).empty());
  EXPECT_TRUE(feedback([] { drawArrow(100, 100, -3, 100, 100, 0, 1.0); }).empty());
}

TEST_F(BodyDrawing, ArrowsAndPointsOnlyForMovingDrawnParticles) {
  // At rest, moving along z only, hidden, not colliding: no arrow. Only the
  // last one has an arrow, 0.005 x 30 x 1000 = 150 long.
  Particle* head = world.particles;
  appendParticle(head, 1.0f, ParticleCollides, {100, 100, 0}, {}, 0.0);
  appendParticle(head, 1.0f, ParticleCollides, {200, 100, 0}, {0, 0, 500}, 0.0);
  appendParticle(head, 1.0f, ParticleCollides | ParticleHidden, {300, 100, 0}, {500, 0, 0}, 0.0);
  appendParticle(head, 1.0f, ParticleFixed, {400, 100, 0}, {500, 0, 0}, 0.0);
  appendParticle(head, 1.0f, ParticleCollides | 16, {400, 300, 0}, {1000, 0, 0}, 0.0);
  const auto arrows = feedback(drawVelocityArrows);
  ASSERT_EQ(arrows.size(), 3u);
  EXPECT_NEAR(arrows[0].vertices[0][0], 400.0f, 0.01f);
  EXPECT_NEAR(arrows[0].vertices[1][0], 550.0f, 0.01f);
  EXPECT_NEAR(arrows[0].vertices[0][3], 1.0f, 0.01f);  // (1, 0.6, 0.5)
  EXPECT_NEAR(arrows[0].vertices[0][4], 0.6f, 0.01f);
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  const auto points = feedback(drawParticlePoints);
  ASSERT_EQ(points.size(), 3u);
  EXPECT_NEAR(points[1].vertices[0][0], 200.0f, 0.01f);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST) && glIsEnabled(GL_BLEND));
}

TEST_F(BodyDrawing, FourWallsOnTheBoxPlanesInTheirColours) {
  // A shear shows every wall with an area: window (x + z/2, y + z/4), depth z.
  World& w = world;
  w.boxMinX = 100, w.boxMaxX = 500, w.boxMinY = 50, w.boxMaxY = 350, w.boxMinZ = -200, w.boxMaxZ = 200;
  const GLfloat shear[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0.5f, 0.25f, 1, 0, 0, 0, 0, 1};
  glLoadMatrixf(shear);
  struct Wall { int axis; float at; float r, g, b; };
  const Wall walls[] = {{1, w.boxMaxY, 0.4f, 0.4f, 0.3f}, {1, w.boxMinY, 0.4f, 0.3f, 0.2f},
                        {0, w.boxMinX, 0.4f, 0.4f, 0.45f}, {0, w.boxMaxX, 0.4f, 0.3f, 0.2f}};
  const auto polygons = feedback(drawBox);
  ASSERT_FALSE(polygons.empty());
  // The quads may come as triangles, in drawing order: each lies on the
  // plane of its wall, in the wall's colour.
  int wall = 0;
  int corners[4] = {};
  for (const Primitive& p : polygons) {
    const auto onWall = [&](int n) {
      for (const auto& v : p.vertices) {
        const double z = depthOf(v[2]);
        const double xyz[3] = {v[0] - z / 2.0, v[1] - z / 4.0, z};
        if (std::fabs(xyz[walls[n].axis] - walls[n].at) > 0.5 || std::fabs(std::fabs(z) - 200.0) > 0.5) return false;
      }
      return true;
    };
    while (wall < 4 && !onWall(wall)) ++wall;
    ASSERT_LT(wall, 4);
    for (const auto& v : p.vertices) {
      EXPECT_TRUE(std::fabs(v[3] - walls[wall].r) < 0.01f && std::fabs(v[4] - walls[wall].g) < 0.01f &&
                  std::fabs(v[5] - walls[wall].b) < 0.01f)
          << wall;
    }
    corners[wall] += static_cast<int>(p.vertices.size());
  }
  for (int n = 0; n < 4; ++n) EXPECT_GE(corners[n], 4) << n;
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
}

TEST_F(BodyDrawing, HeavyBallsSolidPendulumBallsWireAllDarkUnderTheirMaterial) {
  // Radius 60 pixels; no light is on, so the dark material shows black.
  Particle* heavy = appendParticle(world.particles, 93.0f, ParticleCollides, {200, 300, 0}, {}, 0.0);
  Particle* bob = appendParticle(world.particles, 0.1f, ParticleCollides, {600, 300, 0}, {}, 0.0);
  appendSphere(world.spheres, 60.0f, {200, 300, 0}, 1.0f, SphereActive | 8, heavy);
  appendSphere(world.spheres, 60.0f, {600, 300, 0}, 1.0f, SphereActive | SphereWire, bob);
  appendSphere(world.spheres, 60.0f, {400, 300, 0}, 1.0f, SphereWire, nullptr);  // not active
  drawSpheres();
  const ReadBack picture = readBackBuffer();
  const auto darkWithin = [&](int cx) {
    int dark = 0;
    for (int y = 250; y < 350; ++y) {
      for (int x = cx - 50; x < cx + 50; ++x) dark += (std::hypot(x - cx, y - 300) < 50 && picture.at(x, y).r < 20);
    }
    return dark;
  };
  EXPECT_GT(darkWithin(200), 7800);  // the disc of radius 50 is 7854 pixels
  EXPECT_LT(darkWithin(600), 7000);
  EXPECT_GT(darkWithin(600), 500);
  EXPECT_EQ(darkWithin(400), 0);
  // The model-view is back where it was, up to rounding.
  const auto m = matrixOf(GL_MODELVIEW_MATRIX);
  EXPECT_NEAR(m[12], 0.0f, 1e-3f);
  EXPECT_NEAR(m[13], 0.0f, 1e-3f);
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
}

TEST(EngineCards, PendulumRowTurnsWithTheCardAndLeavesTheFlatState) {
  freshCanvas(0.5f);
  resetDemoRand();
  buildCradle();
  cradle.cardSpin = 0.5f;
  drawCradleCardView();
  // The row, lit and fogged, somewhere in the window; its turn is taken up
  // for the next frame.
  const ReadBack picture = readBackBuffer();
  EXPECT_GT(pixelsOtherThan(picture, 128, 2), 2000);
  EXPECT_NEAR(viewControls.viewAngleY, 8.7 + 15.0 * std::sin(0.5), 1e-6);
  for (GLenum off : {GL_LIGHTING, GL_FOG, GL_BLEND}) EXPECT_FALSE(glIsEnabled(off)) << off;
  EXPECT_EQ(matrixOf(GL_MODELVIEW_MATRIX), affine(1, 1, 1, 0, 0, 0));
  EXPECT_EQ(matrixOf(GL_PROJECTION_MATRIX), affine(1, 1, -1, 0, 0, 0));
  EXPECT_EQ(world.pendulumCount, 8);
  viewControls = {};
  cradle = {};
  world = {};
}

TEST(EngineCards, RopeWithTwoBallsInBlackSpringsOnWhite) {
  // The card's inset: a 300 x 300 viewport, the unit projection.
  freshCanvas(0.5f);
  glViewport(100, 100, 300, 300);
  ropeInitCard();
  planarStep(0);  // the circles onto their beads
  drawRopeCard();
  const ReadBack picture = readBackBuffer();
  // White inside, grey outside; the rope at y = 0.1 (window 265), its
  // springs black between the beads.
  EXPECT_TRUE(near(picture.at(110, 110), 255, 255, 255) && near(picture.at(95, 110), 128, 128, 128));
  int black = 0;
  for (int x = 110; x < 390; ++x) black += near(picture.at(x, 264), 0, 0, 0, 10) || near(picture.at(x, 265), 0, 0, 0, 10);
  EXPECT_GT(black, 30);
  // The first ball's wire circle of radius 0.2 around (-0.36, 0.8): grey
  // strokes in its box, none of the rope's black there.
  int grey = 0;
  for (int y = 340; y < 400; ++y) {
    for (int x = 166, end = 226; x < end; ++x) grey += near(picture.at(x, y), 128, 128, 128, 10);
  }
  EXPECT_GT(grey, 20);
  EXPECT_EQ(planarWorld.particles->flags, PlanarParticleHidden);
  planarWorld = {};
}

}  // namespace

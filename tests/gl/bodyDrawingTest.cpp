// The spatial engine's body drawings as the pipeline receives them (feedback
// mode, window coordinates) and as pixels, and the pendulum card's view.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/random.h"
#include "runtime/viewControls.h"
#include "scenes/spatial/bodyDrawing.h"
#include "scenes/spatial/cradleScene.h"
#include "sim/spatial/world.h"
#include "tests/gl/glProbe.h"

namespace {

double length(const FeedbackPrimitive& line) { return std::hypot(line[1][0] - line[0][0], line[1][1] - line[0][1]); }

// World units are window pixels; depth z lies at window depth (1 - z/1000)/2.
class BodyDrawing : public testing::Test {
 protected:
  void SetUp() override {
    world = {};
    resetDemoRand();
    startWorldLists(0);
    freshCanvas(0.5f);
    glMatrixMode(GL_PROJECTION);
    glOrtho(0.0, 800.0, 0.0, 600.0, -1000.0, 1000.0);
    glMatrixMode(GL_MODELVIEW);
  }
  void TearDown() override {
    world = {};
    glDisable(GL_LIGHTING);
  }
};

TEST_F(BodyDrawing, ArrowHeadsAtThirtyFiveDegreesInThePlaneOfTheTip) {
  // Shaft (10, 0) lengthened 30 times to x = 400; strokes 75 long, the first
  // turned clockwise from the way back (-1, 0), the second the other way.
  const auto flat = feedbackPrimitives([] { drawArrow(100, 100, 0, 110, 100, 0, 30.0); });
  ASSERT_EQ(flat.size(), 3u);
  EXPECT_NEAR(flat[0][1][0], 400.0f, 0.01f);
  for (int k : {1, 2}) {
    const auto& s = flat[static_cast<size_t>(k)];
    EXPECT_NEAR(length(s), 75.0, 0.01);
    const double turn = std::atan2(-(s[1][1] - s[0][1]), -(s[1][0] - s[0][0])) * 180.0 / M_PI;
    EXPECT_NEAR(turn, k == 1 ? -35.0 : 35.0, 0.01);
  }
  // Along (3, 4, 5) 10 times: strokes at the tip's depth 50, a quarter of
  // the drawn shaft's xy length, 0.25 x 10 x 5.
  const auto deep = feedbackPrimitives([] { drawArrow(100, 100, 0, 103, 104, 5, 10.0); });
  ASSERT_EQ(deep.size(), 3u);
  EXPECT_NEAR(deep[2][1][2], (1.0 - 50.0 / 1000.0) / 2.0, 1e-5);
  EXPECT_NEAR(length(deep[2]), 12.5, 0.01);
  // Start and end on one line of sight draw nothing, whatever the depths.
  EXPECT_TRUE(feedbackPrimitives([] { drawArrow(100, 100, -3, 100, 100, 5, 10.0); }).empty());
}

TEST_F(BodyDrawing, ArrowsAndPointsOnlyForMovingDrawnParticles) {
  // At rest, along z only, hidden, not colliding: the last alone has an
  // arrow, 0.005 x 30 x 1000 = 150 long. Points for the three colliders.
  Particle* head = world.particles;
  appendParticle(head, 1.0f, ParticleCollides, {100, 100, 0}, {}, 0.0);
  appendParticle(head, 1.0f, ParticleCollides, {200, 100, 0}, {0, 0, 500}, 0.0);
  appendParticle(head, 1.0f, ParticleCollides | ParticleHidden, {300, 100, 0}, {500, 0, 0}, 0.0);
  appendParticle(head, 1.0f, ParticleFixed, {400, 100, 0}, {500, 0, 0}, 0.0);
  appendParticle(head, 1.0f, ParticleCollides | 16, {400, 300, 0}, {1000, 0, 0}, 0.0);
  const auto arrows = feedbackPrimitives(drawVelocityArrows);
  ASSERT_EQ(arrows.size(), 3u);
  EXPECT_TRUE(arrows[0][0][0] == 400.0f && std::fabs(length(arrows[0]) - 150.0) < 0.01);
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_EQ(feedbackPrimitives(drawParticlePoints).size(), 3u);
}

TEST_F(BodyDrawing, HeavyBallsSolidPendulumBallsWireBothDarkUnderTheirMaterial) {
  // Radius 60 pixels, no light on: the dark material shows black.
  Particle* heavy = appendParticle(world.particles, 93.0f, ParticleCollides, {200, 300, 0}, {}, 0.0);
  Particle* bob = appendParticle(world.particles, 0.1f, ParticleCollides, {600, 300, 0}, {}, 0.0);
  appendSphere(world.spheres, 60.0f, {200, 300, 0}, 1.0f, SphereActive | 8, heavy);
  appendSphere(world.spheres, 60.0f, {600, 300, 0}, 1.0f, SphereActive | SphereWire, bob);
  appendSphere(world.spheres, 60.0f, {400, 300, 0}, 1.0f, SphereWire, nullptr);  // not active
  drawSpheres();
  const ReadBack picture = readBackBuffer();
  const auto darkWithin50 = [&](int cx) {
    return picture.count(cx - 50, cx + 50, 250, 350, [](Rgb c) { return c.r < 20; });
  };
  EXPECT_GT(darkWithin50(200), 7800);  // the whole disc, 7854 pixels
  EXPECT_TRUE(darkWithin50(600) > 500 && darkWithin50(600) < 7000);
  EXPECT_EQ(darkWithin50(400), 0);
  EXPECT_NEAR(matrixOf(GL_MODELVIEW_MATRIX)[12], 0.0f, 1e-3f);  // translated back
}

TEST(EngineCards, PendulumRowTurnsWithTheCardAndLeavesTheFlatState) {
  freshCanvas(0.5f);
  resetDemoRand();
  buildCradle();
  cradle.cardSpin = 0.5f;
  drawCradleCardView();
  EXPECT_GT(pixelsOtherThan(readBackBuffer(), 128, 2), 2000);
  EXPECT_NEAR(viewControls.viewAngleY, 8.7 + 15.0 * std::sin(0.5), 1e-6);  // for the next frame
  for (GLenum off : {GL_LIGHTING, GL_FOG, GL_BLEND}) EXPECT_FALSE(glIsEnabled(off)) << off;
  EXPECT_EQ(matrixOf(GL_PROJECTION_MATRIX), affine(1, 1, -1, 0, 0, 0));
  viewControls = {};
  cradle = {};
  world = {};
}

}  // namespace

// The springy surface as its builders lay it out, and the balls dropped on
// it under the open step, without a window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "platform/random.h"
#include "sim/spatial/worldStep.h"
#include "sim/surfaces/surface.h"
#include "tests/support/stateHash.h"

namespace {

template <typename T>
std::vector<T*> listOf(T* head) {
  std::vector<T*> records;
  for (; head != nullptr; head = head->next) records.push_back(head);
  return records;
}

class Surface : public testing::Test {
 protected:
  void build(SurfaceLoad load) {
    world = {};
    resetDemoRand();
    buildSurface(load);
    particles = listOf(world.particles), springs = listOf(world.springs), spheres = listOf(world.spheres);
  }
  void TearDown() override { world = {}, resetDemoRand(); }
  // Grid particle (i, j) is the (10 i + j)-th behind the head; 10 i + j back.
  Particle* grid(int i, int j) const { return particles[static_cast<size_t>(10 * i + j + 1)]; }
  int cell(const Particle* p) const {
    return static_cast<int>(std::find(particles.begin(), particles.end(), p) - particles.begin()) - 1;
  }
  std::vector<Particle*> particles;
  std::vector<Spring*> springs;
  std::vector<Sphere*> spheres;
};

TEST_F(Surface, PinnedBorderCollidingInsideEachParticleWithItsSphere) {
  build(SurfaceLoad::TwoBalls);
  // Heads, 100 grid particles, 2 balls; 573 links twice; three colour draws
  // a sphere.
  EXPECT_TRUE(particles.size() == 103 && spheres.size() == 103 && springs.size() == 1147);
  EXPECT_TRUE(demoRandDraws() == 309u && springs[0]->tag == SpringHidden);
  EXPECT_TRUE(world.stepSize == 0.002f && world.timeScale == 0.002f && world.gravity.y == -20.0);
  EXPECT_TRUE(world.boxMinY == 30.0f && world.boxMaxY == 10.0f);
  // Carried (4) everywhere; colliding (1) inside, fixed (2) on the border,
  // releasable (32) but for the j = 9 edge.
  EXPECT_TRUE(grid(0, 9)->flags == 6 && grid(9, 0)->flags == 38 && grid(2, 2)->flags == 5);
  std::map<uint32_t, int> byFlags;
  for (int i = 0; i < 10; ++i) {
    for (int j = 0; j < 10; ++j) {
      ++byFlags[grid(i, j)->flags];
      EXPECT_TRUE(grid(i, j)->position == (Vector3{0.2 * (j - 5), 0.0, 0.2 * (i - 5)}) && grid(i, j)->mass == 0.4f);
      const Sphere* s = spheres[static_cast<size_t>(10 * i + j + 1)];
      EXPECT_TRUE(s->carrier == grid(i, j) && s->radius == 0.07f && s->flags == SphereActive && s->bounce == 1.0f);
    }
  }
  EXPECT_EQ(byFlags, (std::map<uint32_t, int>{{5, 49}, {6, 10}, {38, 41}}));
  // Let go, the border moves but for the j = 9 edge.
  releaseSurfaceBorder();
  for (int i = 0; i < 10; ++i) {
    for (int j = 0; j < 10; ++j) EXPECT_EQ(grid(i, j)->flags & ParticleFixed, j == 9 ? 2u : 0u) << i << j;
  }
}

// Link families by the step from end a to end b (10 di + dj) and tag: the
// counts of the table, twice over, at 10/11 of their start length; the
// first link of a family shows its loop order, absent links the short
// ranges.
TEST_F(Surface, DoubledSlackLinksOverTheirShortRanges) {
  build(SurfaceLoad::OneBall);
  std::map<std::pair<int, uint32_t>, int> families;
  std::vector<std::pair<int, int>> ends;
  for (size_t k = 1; k < springs.size(); ++k) {
    const Spring* s = springs[k];
    const int a = cell(s->a), b = cell(s->b);
    ++families[{b - a, s->tag}];
    ends.emplace_back(a, b);
    EXPECT_NEAR(s->restLength, 0.2 * std::hypot(b / 10 - a / 10, b % 10 - a % 10) * 10.0 / 11.0, 1e-7) << k;
    EXPECT_TRUE(s->stiffness == 190.0f && s->damping == 2.0f);
  }
  EXPECT_EQ(families, (std::map<std::pair<int, uint32_t>, int>{{{1, 0}, 180}, {{2, 4}, 144}, {{3, 4}, 112},
                                                               {{10, 0}, 180}, {{20, 4}, 140}, {{30, 4}, 100},
                                                               {{11, 0}, 162}, {{22, 4}, 128}}));
  EXPECT_FLOAT_EQ(springs[1]->restLength, 0.18181818f);
  EXPECT_TRUE(std::equal(ends.begin(), ends.begin() + 573, ends.begin() + 573));
  using Link = std::pair<int, int>;
  EXPECT_TRUE(ends[1] == Link(1, 2) && ends[90] == Link(0, 2) && ends[219] == Link(10, 20));
  EXPECT_TRUE(ends[429] == Link(10, 21) && ends[509] == Link(0, 22));
  const auto absent = [&](Link link) { return std::find(ends.begin(), ends.end(), link) == ends.end(); };
  for (const Link& l : {Link(90, 92), Link(80, 83), Link(70, 90), Link(50, 80), Link(1, 10)}) EXPECT_TRUE(absent(l));
  for (const Link& l : {Link(49, 79), Link(77, 99), Link(69, 89), Link(8, 19)}) EXPECT_FALSE(absent(l));
}

TEST_F(Surface, EachBuilderDropsItsBalls) {
  struct Ball {
    float mass;
    Vector3 position;
    double speed;  // downwards
    float radius;
    uint32_t flags;
  };
  const Ball first{16.0f, {-0.02, 1.2, 0.1}, 0.0, 0.4f, 5};
  const std::vector<std::pair<SurfaceLoad, std::vector<Ball>>> table = {
      {SurfaceLoad::OneBall, {first}},
      {SurfaceLoad::TwoBalls, {first, {13.0f, {-0.04, 2.3, 0.15}, 1.0, 0.4f, 21}}},
      {SurfaceLoad::SmallBalls, {{6.0f, {-0.08, 1.2, -0.1}, 0.0, 0.25f, 5}, {5.0f, {0.08, 2.3, 0.15}, 1.0, 0.25f, 21}}},
      {SurfaceLoad::CardBall, {{16.0f, {-0.02, 0.8, 0.1}, 1.0, 0.4f, 5}}},
  };
  for (const auto& [load, balls] : table) {
    build(load);
    ASSERT_EQ(particles.size(), 101 + balls.size());
    for (size_t n = 0; n < balls.size(); ++n) {
      const Ball& b = balls[n];
      const Particle* p = particles[101 + n];
      const Sphere* s = spheres[101 + n];
      EXPECT_TRUE(p->mass == b.mass && p->position == b.position && p->flags == 5u && s->carrier == p);
      EXPECT_TRUE(p->velocity == (Vector3{0.0, -b.speed, 0.0}) && s->radius == b.radius && s->flags == b.flags);
    }
  }
}

// Under gravity 20 the ball falls freely: after n substeps of h the
// midpoint rule gives v = -20 n h and y = 1.2 - 10 h^2 n (n + 1). On a flat
// grid its sphere (0.4) would meet the grid's (0.07) at height 0.47 in frame
// 135; the grid's own sag delays that by a few frames. From then on the grid
// spheres hold it, never sunk in by more than 0.01 after any substep, and
// throw it back up.
TEST_F(Surface, BallFallsFreelyAndIsThrownBackNeverPassingThrough) {
  build(SurfaceLoad::OneBall);
  const Particle* ball = particles.back();
  const double h = 0.002f;
  int contact = 0;
  double deepest = -1.0, lowest = 2.0, risen = -1.0;
  for (int n = 1; n <= 400; ++n) {
    stepOpenWorld(20);
    const bool falling = std::fabs(ball->position.y - (1.2 - 10.0 * h * h * n * (n + 1))) < 1e-12 &&
                         std::fabs(ball->velocity.y + 20.0 * h * n) < 1e-12;
    if (contact == 0 && !falling) contact = n;
    for (size_t k = 1; k <= 100; ++k) {
      const double gap = (spheres[k]->position - spheres.back()->position).length();
      deepest = std::max(deepest, 0.47 - gap);
    }
    lowest = std::min(lowest, ball->position.y);
    if (ball->velocity.y > 0.0) risen = std::max(risen, ball->position.y);
  }
  EXPECT_TRUE(contact >= 135 && contact <= 145) << contact;
  EXPECT_LT(deepest, 0.01);
  EXPECT_GT(lowest, -0.1);  // the grid gave way by a sphere's width
  EXPECT_GT(risen, 0.4);
}

// The open step resolves the same pairs in the same order whatever is done
// to make it fast: a fingerprint of two balls on the surface, with frames of
// one and two substeps, then with the border let go.
TEST_F(Surface, FingerprintOfTwoBallsOnTheSurface) {
  const auto motionHash = [] {
    StateHash hash;
    for (const Particle* p = world.particles; p != nullptr; p = p->next) hash.add(p->position), hash.add(p->velocity);
    return hash.value;
  };
  build(SurfaceLoad::TwoBalls);
  for (int n = 0; n < 300; ++n) stepOpenWorld(n % 7 == 3 ? 30 : 20);
  EXPECT_EQ(motionHash(), 0x5bebbf7529424acfull);
  releaseSurfaceBorder();
  for (int n = 0; n < 100; ++n) stepOpenWorld(20);
  EXPECT_EQ(motionHash(), 0x01ca0269af06d3aeull);
}

}  // namespace

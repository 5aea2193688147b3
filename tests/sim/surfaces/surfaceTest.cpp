// The springy surface as its builders lay it out, and the balls dropped on
// it under the open step, without a window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
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
    particles = listOf(world.particles);
    springs = listOf(world.springs);
    spheres = listOf(world.spheres);
  }
  void TearDown() override {
    world = {};
    resetDemoRand();
  }
  // Grid particle (i, j) by its place in the list, and its place back.
  Particle* grid(int i, int j) const { return particles[static_cast<size_t>(10 * i + j + 1)]; }
  std::pair<int, int> cell(const Particle* p) const {
    const auto at = static_cast<int>(std::find(particles.begin(), particles.end(), p) - particles.begin()) - 1;
    return {at / 10, at % 10};
  }
  // How far the sphere of the ball overlaps the nearest grid sphere.
  double deepestOverlap(const Sphere* ball) const {
    double deepest = -1.0;
    for (size_t k = 1; k <= 100; ++k) {
      const Sphere* s = spheres[k];
      deepest = std::max(deepest, s->radius + ball->radius - (s->position - ball->position).length());
    }
    return deepest;
  }

  std::vector<Particle*> particles;
  std::vector<Spring*> springs;
  std::vector<Sphere*> spheres;
};

uint64_t motionHash() {
  StateHash hash;
  for (const Particle* p = world.particles; p != nullptr; p = p->next) hash.add(p->position), hash.add(p->velocity);
  return hash.value;
}

TEST_F(Surface, GridOfPinnedAndCollidingParticlesEachWithItsSphere) {
  build(SurfaceLoad::TwoBalls);
  // Heads, 100 grid particles, 2 balls; 573 links twice; three colour draws
  // a sphere.
  EXPECT_TRUE(particles.size() == 103 && spheres.size() == 103 && springs.size() == 1147);
  EXPECT_EQ(demoRandDraws(), 309u);
  EXPECT_TRUE(world.stepSize == 0.002f && world.timeScale == 0.002f && world.gravity.y == -20.0);
  EXPECT_TRUE(world.boxMinY == 30.0f && world.boxMaxY == 10.0f && springs[0]->tag == SpringHidden);
  // Carried (4) everywhere; colliding (1) inside, fixed (2) on the border,
  // releasable (32) but for the j = 9 edge.
  EXPECT_TRUE(grid(0, 9)->flags == 6 && grid(9, 0)->flags == 38 && grid(2, 2)->flags == 5);
  std::map<uint32_t, int> byFlags;
  for (int i = 0; i < 10; ++i) {
    for (int j = 0; j < 10; ++j) {
      const Particle* p = grid(i, j);
      ++byFlags[p->flags];
      EXPECT_TRUE(p->position == (Vector3{0.2 * (j - 5), 0.0, 0.2 * (i - 5)}) && p->mass == 0.4f) << i << j;
      const Sphere* s = spheres[static_cast<size_t>(10 * i + j + 1)];
      EXPECT_TRUE(s->carrier == p && s->radius == 0.07f && s->flags == SphereActive && s->bounce == 1.0f);
    }
  }
  EXPECT_EQ(byFlags, (std::map<uint32_t, int>{{5, 49}, {6, 10}, {38, 41}}));
}

// Link families by their step (di, dj) and tag: the counts of the table,
// twice; 10/11 of the start length. The first links of a family show the
// loop order, a few absent ones the short ranges.
TEST_F(Surface, DoubledSlackLinksOverTheirShortRanges) {
  build(SurfaceLoad::OneBall);
  std::map<std::tuple<int, int, uint32_t>, int> families;
  std::vector<std::pair<std::pair<int, int>, std::pair<int, int>>> ends;
  for (size_t k = 1; k < springs.size(); ++k) {
    const Spring* s = springs[k];
    const auto [ia, ja] = cell(s->a);
    const auto [ib, jb] = cell(s->b);
    ++families[{ib - ia, jb - ja, s->tag}];
    ends.push_back({{ia, ja}, {ib, jb}});
    const double start = 0.2 * std::hypot(ib - ia, jb - ja);
    EXPECT_NEAR(s->restLength, start * 10.0 / 11.0, 1e-7) << k;
    EXPECT_TRUE(s->stiffness == 190.0f && s->damping == 2.0f);
  }
  const std::map<std::tuple<int, int, uint32_t>, int> table = {
      {{0, 1, 0}, 180}, {{0, 2, 4}, 144}, {{0, 3, 4}, 112}, {{1, 0, 0}, 180},
      {{2, 0, 4}, 140}, {{3, 0, 4}, 100}, {{1, 1, 0}, 162}, {{2, 2, 4}, 128}};
  EXPECT_EQ(families, table);
  EXPECT_FLOAT_EQ(springs[1]->restLength, 0.18181818f);
  for (size_t k = 0; k < 573; ++k) EXPECT_EQ(ends[k], ends[k + 573]) << k;
  using Link = std::pair<std::pair<int, int>, std::pair<int, int>>;
  const auto at = [&](size_t k) { return ends[k]; };
  EXPECT_EQ(at(1), (Link{{0, 1}, {0, 2}}));    // j inner along a row
  EXPECT_EQ(at(90), (Link{{0, 0}, {0, 2}}));   // two apart along j
  EXPECT_EQ(at(219), (Link{{1, 0}, {2, 0}}));  // along i, i inner
  EXPECT_EQ(at(429), (Link{{1, 0}, {2, 1}}));  // the diagonal, i inner
  EXPECT_EQ(at(509), (Link{{0, 0}, {2, 2}}));  // the long diagonal
  const auto absent = [&](Link link) { return std::find(ends.begin(), ends.end(), link) == ends.end(); };
  EXPECT_TRUE(absent({{9, 0}, {9, 2}}) && absent({{8, 0}, {8, 3}}) && absent({{7, 0}, {9, 0}}));
  EXPECT_TRUE(absent({{5, 0}, {8, 0}}) && absent({{0, 1}, {1, 0}}));
  EXPECT_FALSE(absent({{4, 9}, {7, 9}}) || absent({{7, 7}, {9, 9}}) || absent({{6, 9}, {8, 9}}) || absent({{0, 8}, {1, 9}}));
}

struct BallRow {
  float mass;
  Vector3 position;
  double speed;  // downwards
  float radius;
  uint32_t flags;
};

TEST_F(Surface, EachBuilderDropsItsBalls) {
  const std::vector<std::pair<SurfaceLoad, std::vector<BallRow>>> table = {
      {SurfaceLoad::OneBall, {{16.0f, {-0.02, 1.2, 0.1}, 0.0, 0.4f, 5}}},
      {SurfaceLoad::TwoBalls, {{16.0f, {-0.02, 1.2, 0.1}, 0.0, 0.4f, 5}, {13.0f, {-0.04, 2.3, 0.15}, 1.0, 0.4f, 21}}},
      {SurfaceLoad::SmallBalls,
       {{6.0f, {-0.08, 1.2, -0.1}, 0.0, 0.25f, 5}, {5.0f, {0.08, 2.3, 0.15}, 1.0, 0.25f, 21}}},
      {SurfaceLoad::CardBall, {{16.0f, {-0.02, 0.8, 0.1}, 1.0, 0.4f, 5}}},
  };
  for (const auto& [load, balls] : table) {
    build(load);
    ASSERT_EQ(particles.size(), 101 + balls.size());
    for (size_t n = 0; n < balls.size(); ++n) {
      const BallRow& b = balls[n];
      const Particle* p = particles[101 + n];
      const Sphere* s = spheres[101 + n];
      EXPECT_TRUE(p->mass == b.mass && p->position == b.position && p->flags == 5u);
      EXPECT_TRUE(p->velocity == (Vector3{0.0, -b.speed, 0.0}) && s->carrier == p);
      EXPECT_TRUE(s->radius == b.radius && s->flags == b.flags && s->bounce == 1.0f) << n;
    }
  }
}

TEST_F(Surface, ReleaseLetsTheBorderGoButTheFarEdge) {
  build(SurfaceLoad::TwoBalls);
  releaseSurfaceBorder();
  std::vector<std::pair<int, int>> pinned;
  for (int i = 0; i < 10; ++i) {
    for (int j = 0; j < 10; ++j) {
      if ((grid(i, j)->flags & ParticleFixed) != 0) pinned.emplace_back(i, j);
      EXPECT_EQ(grid(i, j)->flags & ~ParticleFixed, i >= 2 && i <= 8 && j >= 2 && j <= 8 ? 5u : j == 9 ? 4u : 36u);
    }
  }
  ASSERT_EQ(pinned.size(), 10u);
  for (const auto& [i, j] : pinned) EXPECT_EQ(j, 9);
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
    deepest = std::max(deepest, deepestOverlap(spheres.back()));
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
  build(SurfaceLoad::TwoBalls);
  for (int n = 0; n < 300; ++n) stepOpenWorld(n % 7 == 3 ? 30 : 20);
  EXPECT_EQ(motionHash(), 0x5bebbf7529424acfull);
  releaseSurfaceBorder();
  for (int n = 0; n < 100; ++n) stepOpenWorld(20);
  EXPECT_EQ(motionHash(), 0x01ca0269af06d3aeull);
}

}  // namespace

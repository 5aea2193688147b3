#include "sim/surfaces/surface.h"

#include <vector>

namespace {

// One ball: a colliding particle and, right behind it, its sphere.
struct Ball {
  float mass = 0.0f;
  Vector3 position;
  Vector3 velocity;
  float radius = 0.0f;
  uint32_t sphereFlags = 0;
};

constexpr uint32_t wireBall = SphereActive | SphereWire;
constexpr uint32_t markedBall = wireBall | SphereMarked;

std::vector<Ball> ballsOf(SurfaceLoad load) {
  const Ball first{.mass = 16.0f, .position = {-0.02, 1.2, 0.1}, .radius = 0.4f, .sphereFlags = wireBall};
  switch (load) {
    case SurfaceLoad::OneBall: return {first};
    case SurfaceLoad::TwoBalls:
      return {first,
              {.mass = 13.0f, .position = {-0.04, 2.3, 0.15}, .velocity = {0.0, -1.0, 0.0}, .radius = 0.4f,
               .sphereFlags = markedBall}};
    case SurfaceLoad::SmallBalls:
      return {{.mass = 6.0f, .position = {-0.08, 1.2, -0.1}, .radius = 0.25f, .sphereFlags = wireBall},
              {.mass = 5.0f, .position = {0.08, 2.3, 0.15}, .velocity = {0.0, -1.0, 0.0}, .radius = 0.25f,
               .sphereFlags = markedBall}};
    case SurfaceLoad::CardBall:
      return {{.mass = 16.0f, .position = {-0.02, 0.8, 0.1}, .velocity = {0.0, -1.0, 0.0}, .radius = 0.4f,
               .sphereFlags = wireBall}};
  }
  return {};
}

// The pinned border is two particles deep on the low-i and low-j sides and
// one deep on the high sides; of it only the j = 9 edge may never be let go.
uint32_t gridFlags(int i, int j) {
  if (i >= 2 && i <= 8 && j >= 2 && j <= 8) return ParticleCollides;
  if (j == 9) return ParticleFixed;
  return ParticleFixed | ParticleReleasable;
}

// One family of links from (i, j) to (i + di, j + dj), over the ranges as the
// surface has them: shorter than the grid allows for the two- and three-apart
// links (row 9 has no two-apart links along j, rows 8 and 9 no three-apart
// ones; along i the two-apart links stop at i = 6, the three-apart at i = 4).
struct LinkFamily {
  int di = 0;
  int dj = 0;
  bool rowsOuter = true;  // i in the outer loop, else j
  int outerLast = 0;
  int innerLast = 0;
  uint32_t tag = 0;
};

constexpr LinkFamily linkFamilies[] = {
    {.di = 0, .dj = 1, .rowsOuter = true, .outerLast = 9, .innerLast = 8, .tag = 0},
    {.di = 0, .dj = 2, .rowsOuter = true, .outerLast = 8, .innerLast = 7, .tag = SpringHidden},
    {.di = 0, .dj = 3, .rowsOuter = true, .outerLast = 7, .innerLast = 6, .tag = SpringHidden},
    {.di = 1, .dj = 0, .rowsOuter = false, .outerLast = 9, .innerLast = 8, .tag = 0},
    {.di = 2, .dj = 0, .rowsOuter = false, .outerLast = 9, .innerLast = 6, .tag = SpringHidden},
    {.di = 3, .dj = 0, .rowsOuter = false, .outerLast = 9, .innerLast = 4, .tag = SpringHidden},
    {.di = 1, .dj = 1, .rowsOuter = false, .outerLast = 8, .innerLast = 8, .tag = 0},
    {.di = 2, .dj = 2, .rowsOuter = false, .outerLast = 7, .innerLast = 7, .tag = SpringHidden},
};

// Every link is made with rest length 10/11 of its start length, so the whole
// surface starts stretched; the lower-numbered particle is its first end.
void appendLinks(const SurfaceGrid& grid) {
  const SpringLaw law{.stiffness = 190.0f, .damping = 2.0f, .restLength = 0.0f};
  for (const LinkFamily& f : linkFamilies) {
    for (int outer = 0; outer <= f.outerLast; ++outer) {
      for (int inner = 0; inner <= f.innerLast; ++inner) {
        const int i = f.rowsOuter ? outer : inner;
        const int j = f.rowsOuter ? inner : outer;
        appendSpringSlack(world.springs, grid[i][j], grid[i + f.di][j + f.dj], law, f.tag);
      }
    }
  }
}

}  // namespace

void buildSurface(SurfaceLoad load) {
  World& w = world;
  w.stepSize = 0.002f;
  w.timeScale = 0.002f;
  w.boxMaxY = 10.0f;
  w.boxMinY = 30.0f;
  w.gravity = {0.0, -20.0, 0.0};

  startWorldLists(SpringHidden);
  SurfaceGrid grid{};
  for (int i = 0; i < surfaceSide; ++i) {
    for (int j = 0; j < surfaceSide; ++j) {
      // x and z run from -1.0 to 0.8: the grid is not centred on the origin.
      const Vector3 start{0.2 * (j - 5), 0.0, 0.2 * (i - 5)};
      grid[i][j] = appendParticle(w.particles, 0.4f, gridFlags(i, j), start, {}, 0.0);
      appendSphere(w.spheres, 0.07f, {}, 1.0f, SphereActive, grid[i][j]);
    }
  }
  // Two identical passes: every link is a pair of equal springs.
  appendLinks(grid);
  appendLinks(grid);
  for (const Ball& ball : ballsOf(load)) {
    Particle* p = appendParticle(w.particles, ball.mass, ParticleCollides, ball.position, ball.velocity, 0.0);
    appendSphere(w.spheres, ball.radius, {}, 1.0f, ball.sphereFlags, p);
  }
}

SurfaceGrid surfaceGrid() {
  SurfaceGrid grid{};
  Particle* head = world.particles;
  Particle* p = head != nullptr ? head->next : nullptr;
  for (auto& row : grid) {
    for (Particle*& cell : row) {
      cell = p != nullptr ? p : head;
      if (p != nullptr) p = p->next;
    }
  }
  return grid;
}

void releaseSurfaceBorder() {
  for (Particle* p = world.particles; p != nullptr; p = p->next) {
    if ((p->flags & ParticleReleasable) != 0) p->flags &= ~ParticleFixed;
  }
}

#include "sim/fields/gravity.h"

#include <cfloat>
#include <cmath>
#include <limits>

#include "platform/random.h"

GravityField gravity;

namespace {

// |V| as a float; a magnitude beyond the float range (a source within about
// 1e-20 of a sample point) becomes infinity, as the drawing's clamp expects.
float magnitude(double v) {
  const double m = std::fabs(v);
  return m <= static_cast<double>(FLT_MAX) ? static_cast<float>(m) : std::numeric_limits<float>::infinity();
}

}  // namespace

void computeGravityField() {
  GravityField& g = gravity;
  const double h = gravityCellSize;
  const double ax = g.sourceA.x;
  const double ay = g.sourceA.y;
  const double as = g.sourceA.strength;
  const double bx = g.sourceB.x;
  const double by = g.sourceB.y;
  const double bs = g.sourceB.strength;

  // The y terms of both distances are the same for every row: work them out
  // once. The sums below add the same two squares as r^2 = dx^2 + dy^2.
  double dyA2[gravityGridSize];
  double dyB2[gravityGridSize];
  for (int j = 0; j < gravityGridSize; ++j) {
    const double y = static_cast<double>(j) * h;
    dyA2[j] = (y - ay) * (y - ay);
    dyB2[j] = (y - by) * (y - by);
  }

  for (int i = 0; i < gravityGridSize; ++i) {
    const double x = static_cast<double>(i) * h;
    const double dxA2 = (x - ax) * (x - ax);
    const double dxB2 = (x - bx) * (x - bx);
    float* row = g.field[i];
    for (int j = 0; j < gravityGridSize; ++j) {
      // V = -sA / rA^2 - sB / rB^2; on a source its term is replaced by 1,
      // and on B nothing of A remains.
      // Both quotients are formed whatever the distances (on a source one of
      // them is infinite and unused), so the loop runs without branches.
      const double rA = std::sqrt(dxA2 + dyA2[j]);
      const double rB = std::sqrt(dxB2 + dyB2[j]);
      const double termA = -as / (rA * rA);
      const double termB = bs / (rB * rB);
      double v = rA != 0.0 ? termA : 1.0;
      v = rB != 0.0 ? v - termB : 1.0;
      row[j] = magnitude(v);
    }
  }
}

void walkGravitySources(const GravityWalk& walk) {
  GravityField& g = gravity;
  // value += r1 * k * a - r2 * k * a: r1 is drawn before r2, and r * k is a
  // float product before the amplitude scales it.
  auto step = [](float& value, double amplitude) {
    const float first = static_cast<float>(demoRand()) * randScale;
    const float second = static_cast<float>(demoRand()) * randScale;
    value = static_cast<float>(static_cast<double>(value) +
                               (static_cast<double>(first) * amplitude - static_cast<double>(second) * amplitude));
  };
  step(g.sourceA.x, walk.position);
  step(g.sourceA.y, walk.position);
  step(g.sourceA.strength, walk.strength);
  step(g.sourceB.x, walk.position);
  step(g.sourceB.y, walk.position);
  step(g.sourceB.strength, walk.strength);
}

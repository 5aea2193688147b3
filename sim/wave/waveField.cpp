#include "sim/wave/waveField.h"

#include <cmath>

WaveField waveField;

namespace {

constexpr int last = waveGridSize - 1;

bool inBorder(int k) { return k <= 2 || k >= last - 2; }

}  // namespace

void waveStep(WaveField& field, float sourceTime, double dt) {
  auto& u = field.u;
  auto& v = field.v;
  const double h = field.h;

  // Accelerate: v += c^2 dt lap(u) / h^2 with c^2 = 2, where the nine-point
  // Laplacian weighs the axis and the diagonal neighbours 0.667 : 0.333.
  for (int j = 1; j < last; ++j) {
    for (int i = 1; i < last; ++i) {
      const double centre = u[i][j];
      const double axis = static_cast<double>(u[i + 1][j]) + u[i - 1][j] + u[i][j + 1] + u[i][j - 1] - 4 * centre;
      const double diagonal =
          static_cast<double>(u[i + 1][j + 1]) + u[i + 1][j - 1] + u[i - 1][j - 1] + u[i - 1][j + 1] - 4 * centre;
      v[i][j] = static_cast<float>(v[i][j] + 2 * dt * (0.667 * axis + 0.333 * diagonal) / (h * h));
    }
  }
  // Move with the new velocity.
  for (int j = 1; j < last; ++j) {
    for (int i = 1; i < last; ++i) u[i][j] = static_cast<float>(u[i][j] + dt * v[i][j]);
  }

  // Drive the source, hold the walls and the border at rest.
  const float drive = static_cast<float>(0.1 * std::sin(static_cast<double>(sourceTime)));
  for (int i = 0; i <= last; ++i) {
    for (int j = 0; j <= last; ++j) {
      if (field.flags[i][j] & CellSource) u[i][j] = drive;
    }
  }
  for (int i = 0; i <= last; ++i) {
    for (int j = 0; j <= last; ++j) {
      if ((field.flags[i][j] & CellWall) || inBorder(i) || inBorder(j)) u[i][j] = v[i][j] = 0.0f;
    }
  }
}

float waveCornerHeight(const WaveField& field, int a, int b) {
  const int cells[4][2] = {{a - 1, b - 1}, {a - 1, b}, {a, b}, {a, b - 1}};
  double sum = 0.0;
  for (const auto& c : cells) {
    if (field.flags[c[0]][c[1]] & CellWall) return 0.0f;
    sum += field.u[c[0]][c[1]];
  }
  return static_cast<float>(0.5 * sum);
}

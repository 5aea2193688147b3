#include "sim/fields/sand.h"

#include <cmath>
#include <initializer_list>
#include <utility>

#include "platform/random.h"

SandGrid sandGrid;

namespace {

constexpr double radiansPerDegree = 0.017453292519943295;

// Rows the step updates: blocks start at row 37 + p and reach row 104.
constexpr int firstBlockRow = 37;
constexpr int lastBlockRow = 103;

// Both walls of one ring of the glass: the columns 68 + c and 72 - c, which
// lie symmetrically about the neck, are closed outside the rows
// 70 - v .. 70 + v (strictly) with v = c * sin(95 - c degrees).
void buildGlassRing(SandGrid& s, int c) {
  const double v = c * std::sin((95 - c) * radiansPerDegree);
  for (const int column : {68 + c, 72 - c}) {
    if (column < 0 || column >= sandGridSize) continue;
    for (int i = 0; i < sandGridSize; ++i) {
      if (i < 70.0 - v || i > 70.0 + v) {
        s.wall[i][column] = 1;
        s.sand[i][column] = 0;
      }
    }
  }
}

}  // namespace

void paintGrainColours() {
  SandGrid& s = sandGrid;
  for (int i = 0; i < sandGridSize; ++i) {
    for (int j = 0; j < sandGridSize; ++j) {
      s.redOffset[i][j] = static_cast<float>(demoRand()) / 32767.0f * 0.071428575f;
      s.greenOffset[i][j] = static_cast<float>(demoRand()) / 32767.0f * 0.0625f;
      s.blueOffset[i][j] = static_cast<float>(demoRand()) / 32767.0f * 0.055555556f;
    }
  }
}

void buildGlassWalls() {
  for (int c = 2; c < 80; ++c) buildGlassRing(sandGrid, c);
}

void turnHourglass() {
  SandGrid& s = sandGrid;
  for (int i = 0; i < sandGridSize; ++i) {
    for (int q = 1; q < sandNeckColumn; ++q) {
      std::swap(s.wall[i][q], s.wall[i][2 * sandNeckColumn - q]);
      std::swap(s.sand[i][q], s.sand[i][2 * sandNeckColumn - q]);
    }
  }
}

void buildHourglass() {
  SandGrid& s = sandGrid;
  s.stepCounter = 0;

  // Dark brown grains with a little noise, fixed per cell.
  paintGrainColours();
  for (int i = 0; i < sandGridSize; ++i) {
    for (int j = 0; j < sandGridSize; ++j) {
      s.sand[i][j] = 0;
      s.wall[i][j] = 0;
    }
  }

  // A band of sand across the whole width, columns 70..109.
  for (int i = 0; i < sandGridSize; ++i) {
    for (int j = 70; j < 110; ++j) s.sand[i][j] = 1;
  }

  buildGlassWalls();

  // The frame at both ends of the glass.
  for (int i = 0; i < sandGridSize; ++i) {
    for (int j = 0; j <= 10; ++j) s.wall[i][j] = 1;
    for (int j = 130; j < sandGridSize; ++j) s.wall[i][j] = 1;
  }

  // Let the sand settle in the lower bulb, then turn the glass over.
  turnHourglass();
  for (int step = 0; step < 100; ++step) sandStep();
  turnHourglass();
}

void sandStep() {
  SandGrid& s = sandGrid;
  ++s.stepCounter;
  const int p = s.stepCounter % 2;

  // Block (r, u): lower left (r, u - 1), upper left (r, u), lower right
  // (r + 1, u - 1), upper right (r + 1, u). Upper columns from the top down,
  // rows ascending; the hesitation draws come in this order.
  for (int u = sandGridSize - 1 - p; u > 1; u -= 2) {
    for (int r = firstBlockRow + p; r <= lastBlockRow; r += 2) {
      // Only the upper cells are tested for walls: a grain may drop into a
      // lower wall cell and rest there, hidden.
      if (s.wall[r][u] != 0 || s.wall[r + 1][u] != 0) continue;
      int32_t& ll = s.sand[r][u - 1];
      int32_t& ul = s.sand[r][u];
      int32_t& lr = s.sand[r + 1][u - 1];
      int32_t& ur = s.sand[r + 1][u];

      // Two grains side by side over two free cells fall together with
      // probability 0.85, or both hesitate.
      if (ul == 1 && ur == 1 && ll != 1 && lr != 1) {
        const double u1 = demoRand() / 32767.0;
        const double u2 = demoRand() / 32767.0;
        if (0.3 * u2 < u1) {
          ll = ul;
          lr = ur;
          ul = 0;
          ur = 0;
        }
        continue;
      }

      // An upper grain falls straight into a free cell below, or slides
      // diagonally off a full one; grains are neither made nor lost.
      const bool oldLl = ll != 0;
      const bool oldUl = ul != 0;
      const bool oldLr = lr != 0;
      const bool oldUr = ur != 0;
      ul = oldUl && oldLl && (oldLr || oldUr);
      ur = oldUr && oldLr && (oldLl || oldUl);
      ll = oldLl || oldUl || (oldLr && oldUr);
      lr = oldLr || oldUr || (oldLl && oldUl);
    }
  }
}

#include "sim/fields/gas.h"

#include <initializer_list>

#include "platform/random.h"

GasState gas;

namespace {

constexpr int last = gasSize - 1;

bool isWall(int i, int j) { return gas.wall[i][j] != 0; }

// A cell takes part in the fill and in collisions only when it and its four
// neighbours are open.
bool openWithOpenNeighbours(int i, int j) {
  return !isWall(i, j) && !isWall(i - 1, j) && !isWall(i + 1, j) && !isWall(i, j - 1) && !isWall(i, j + 1);
}

// Each slot of a qualifying cell gets a particle of the given colour with the
// given probability, slots 0 to 3 in order, one draw each.
void fillRegion(int firstRow, int lastRow, int firstColumn, int lastColumn, int32_t colour, float probability) {
  for (int i = firstRow; i <= lastRow; ++i) {
    for (int j = firstColumn; j <= lastColumn; ++j) {
      if (!openWithOpenNeighbours(i, j)) continue;
      for (int32_t& slot : gas.particle[i][j]) {
        slot = static_cast<float>(demoRand()) * randScale <= probability ? colour : gasEmpty;
      }
    }
  }
}

}  // namespace

void gasSetUp() {
  // Outer frame: two cells thick on the low sides, one on the high sides.
  for (int k = 0; k < gasSize; ++k) {
    for (int edge : {0, 1, last}) {
      gas.wall[k][edge] = 1;
      gas.wall[edge][k] = 1;
    }
  }
  // The box, closed in the four-neighbour sense; its corner cells stay open.
  for (int j = 21; j <= 96; ++j) {
    for (int row : {49, 50, 100, 101}) gas.wall[row][j] = 1;
  }
  for (int i = 50; i <= 99; ++i) {
    for (int column : {20, 21, 97, 98}) gas.wall[i][column] = 1;
  }

  // Dense red gas in and beside the box, then thin blue gas above and below.
  fillRegion(50, 99, 37, 112, gasRed, 0.375f);
  fillRegion(1, 36, 1, last, gasBlue, 0.0625f);
  fillRegion(113, last, 1, last, gasBlue, 0.0625f);
}

void gasOpenHoles() {
  for (int j = 54; j <= 64; ++j) {
    gas.wall[49][j] = 0;
    gas.wall[50][j] = 0;
  }
  for (int j = 29; j <= 39; ++j) {
    gas.wall[100][j] = 0;
    gas.wall[101][j] = 0;
  }
}

void gasCollide() {
  // Reflection: a particle heading into a wall reverses and is set one cell
  // back at once, overwriting that slot. Wall cells are swept too.
  for (int i = 1; i < last; ++i) {
    for (int j = 1; j < last; ++j) {
      int32_t* c = gas.particle[i][j];
      if (isWall(i + 1, j) && c[gasToRowUp] != gasEmpty) {
        gas.particle[i - 1][j][gasToRowDown] = c[gasToRowUp];
        c[gasToRowUp] = gasEmpty;
      }
      if (isWall(i - 1, j) && c[gasToRowDown] != gasEmpty) {
        gas.particle[i + 1][j][gasToRowUp] = c[gasToRowDown];
        c[gasToRowDown] = gasEmpty;
      }
      if (isWall(i, j + 1) && c[gasToColumnUp] != gasEmpty) {
        gas.particle[i][j - 1][gasToColumnDown] = c[gasToColumnUp];
        c[gasToColumnUp] = gasEmpty;
      }
      if (isWall(i, j - 1) && c[gasToColumnDown] != gasEmpty) {
        gas.particle[i][j + 1][gasToColumnUp] = c[gasToColumnDown];
        c[gasToColumnDown] = gasEmpty;
      }
    }
  }
  // Head-on pairs leave at right angles, each keeping its colour; any other
  // occupation passes. Cells beside a wall never collide.
  for (int i = 1; i < last; ++i) {
    for (int j = 1; j < last; ++j) {
      if (!openWithOpenNeighbours(i, j)) continue;
      int32_t* c = gas.particle[i][j];
      const bool alongRows = c[gasToRowDown] != gasEmpty && c[gasToRowUp] != gasEmpty;
      const bool alongColumns = c[gasToColumnUp] != gasEmpty && c[gasToColumnDown] != gasEmpty;
      const bool rowsOnly = c[gasToColumnUp] == gasEmpty && c[gasToColumnDown] == gasEmpty;
      const bool columnsOnly = c[gasToRowDown] == gasEmpty && c[gasToRowUp] == gasEmpty;
      if (alongRows && rowsOnly) {
        c[gasToColumnUp] = c[gasToRowDown];
        c[gasToColumnDown] = c[gasToRowUp];
        c[gasToRowDown] = gasEmpty;
        c[gasToRowUp] = gasEmpty;
      } else if (alongColumns && columnsOnly) {
        c[gasToRowDown] = c[gasToColumnUp];
        c[gasToRowUp] = c[gasToColumnDown];
        c[gasToColumnUp] = gasEmpty;
        c[gasToColumnDown] = gasEmpty;
      }
    }
  }
}

void gasStream() {
  // Each sweep runs against the directions it moves, so every particle
  // advances exactly one cell. Open cells send; the source keeps its copy
  // until its own upstream neighbour overwrites it.
  for (int i = 1; i < last; ++i) {
    for (int j = 1; j < last; ++j) {
      if (isWall(i, j)) continue;
      gas.particle[i][j - 1][gasToColumnDown] = gas.particle[i][j][gasToColumnDown];
      gas.particle[i - 1][j][gasToRowDown] = gas.particle[i][j][gasToRowDown];
    }
  }
  for (int i = last - 1; i >= 1; --i) {
    for (int j = last - 1; j >= 1; --j) {
      if (isWall(i, j)) continue;
      gas.particle[i + 1][j][gasToRowUp] = gas.particle[i][j][gasToRowUp];
      gas.particle[i][j + 1][gasToColumnUp] = gas.particle[i][j][gasToColumnUp];
    }
  }
}

GasColour gasCellColour(int i, int j) {
  if (isWall(i, j)) return GasColour::Wall;
  // The slots this cell's particles filled; a neighbour beyond the grid (only
  // possible before the walls are built) holds nothing.
  const int32_t outgoing[4] = {
      i < last ? gas.particle[i + 1][j][gasToRowUp] : gasEmpty,
      i > 0 ? gas.particle[i - 1][j][gasToRowDown] : gasEmpty,
      j < last ? gas.particle[i][j + 1][gasToColumnUp] : gasEmpty,
      j > 0 ? gas.particle[i][j - 1][gasToColumnDown] : gasEmpty,
  };
  for (int32_t value : outgoing) {
    if (value == gasRed) return GasColour::Red;
  }
  for (int32_t value : outgoing) {
    if (value == gasBlue) return GasColour::Blue;
  }
  return GasColour::Empty;
}

#pragma once
// Falling sand in an hourglass: a block cellular automaton on a 140 x 140
// grid. Grains fall, slide off each other diagonally and sometimes hesitate,
// so they pile up and trickle through the three-cell neck. Row i runs along
// the screen's x, column j along y; gravity pulls towards column 0.
#include <cstdint>

inline constexpr int sandGridSize = 140;
// The neck: the column the hourglass is mirrored about.
inline constexpr int sandNeckColumn = 70;

struct SandGrid {
  // 1 = grain, 0 = empty.
  int32_t sand[sandGridSize][sandGridSize] = {};
  // Nonzero = wall.
  int32_t wall[sandGridSize][sandGridSize] = {};
  // Per-cell offsets of the grain colour (0.3, 0.2, 0.1); fixed per cell.
  float redOffset[sandGridSize][sandGridSize] = {};
  float greenOffset[sandGridSize][sandGridSize] = {};
  float blueOffset[sandGridSize][sandGridSize] = {};
  // Steps since set-up; its parity selects the block partition.
  int32_t stepCounter = 0;
};

extern SandGrid sandGrid;

// Builds the hourglass and lets the sand settle in the lower bulb, then turns
// the glass over: the heap starts upside down in the upper bulb. Zeroes the
// counter; draws 3 colour values per cell, then whatever the 100 settling
// steps draw.
void buildHourglass();

// One step of the automaton over the 2 x 2 blocks of the current parity.
void sandStep();

// Three draws of the shared generator per cell, row-major, in the order red,
// green, blue: the grain colour offsets.
void paintGrainColours();

// The walls of the glass (without the frame): for c = 2..79 the columns
// 68 + c and 72 - c are closed, and emptied of sand, outside the rows that
// lie strictly within 70 -+ c * sin(95 - c degrees).
void buildGlassWalls();

// Exchanges column q with column 140 - q for q = 1..69 in the wall and sand
// grids: the hourglass turned over.
void turnHourglass();

#pragma once
// A four-direction lattice gas on a 150 x 150 grid. Each cell holds up to four
// particles, one per direction of motion, red or blue. Particles stream to the
// neighbouring cell every step, bounce off walls and scatter sideways when two
// meet head-on. Dense red gas starts inside a walled box, thin blue gas
// outside; two holes in the box walls let the red gas out.
//
// Cell (i, j) has row i and column j; on screen the row runs along x and the
// column along y.
#include <cstdint>

inline constexpr int gasSize = 150;

// Particle slots: the index is the direction of motion.
inline constexpr int gasToRowDown = 0;     // row - 1, screen left
inline constexpr int gasToColumnUp = 1;    // column + 1, screen up
inline constexpr int gasToRowUp = 2;       // row + 1, screen right
inline constexpr int gasToColumnDown = 3;  // column - 1, screen down

// What a slot holds; the value travels with the particle.
inline constexpr int32_t gasEmpty = 0;
inline constexpr int32_t gasRed = 1;
inline constexpr int32_t gasBlue = 2;

struct GasState {
  // 1 = wall, 0 = open.
  int32_t wall[gasSize][gasSize] = {};
  int32_t particle[gasSize][gasSize][4] = {};
};

extern GasState gas;

// Rebuilds the outer walls and the closed box, and fills red gas around the box and blue gas above and below it. Only cells
// that are open with four open neighbours are filled, each with four draws of
// the shared generator; other cells keep what they held.
void gasSetUp();
// Opens a hole in the left wall of the box and a lower one in its right wall.
void gasOpenHoles();
// Walls reflect, then head-on pairs scatter.
void gasCollide();
// Every particle moves one cell in its direction.
void gasStream();

enum class GasColour { Wall, Red, Blue, Empty };
// Walls are black; an open cell shows the colour of the particles that left it
// in the last streaming, red before blue.
GasColour gasCellColour(int i, int j);

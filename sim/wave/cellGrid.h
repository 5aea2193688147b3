#pragma once
// What the two wave solvers share: square grids stored row-major (the first
// index is the row) and the bit field that marks each cell.
#include <array>
#include <cstddef>
#include <cstdint>

template <typename T, size_t N>
using SquareGrid = std::array<std::array<T, N>, N>;

// Cell flags: every cell is ordinary; walls reflect the wave, sources drive it.
inline constexpr int32_t CellOrdinary = 1;
inline constexpr int32_t CellWall = 2;
inline constexpr int32_t CellSource = 4;

// The first element of a grid, for writing it out as one row-major block.
template <typename T, size_t N>
const T* gridData(const SquareGrid<T, N>& grid) {
  static_assert(sizeof(grid) == sizeof(T) * N * N, "grid rows must lie back to back");
  return grid[0].data();
}

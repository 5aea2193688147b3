#pragma once
// The twisted majority vote on a 150 x 150 grid: a cell becomes 1 when its
// 3 x 3 neighbourhood, itself included, holds 4, 6, 7, 8 or 9 ones. From
// noise the grid coarsens into slowly shrinking domains whose borders keep
// moving. Cells that changed recently carry a change age and show dimmer.
//
// Cell (i, j) has row i and column j; on screen the row runs along x.
#include <cstdint>

inline constexpr int voteSize = 150;
// A cell that changes starts at this age; the same sweep takes one off.
inline constexpr int32_t voteFreshAge = 15;

struct VoteState {
  // 0 or 1.
  int32_t state[voteSize][voteSize] = {};
  // 0..15; never reset.
  int32_t changeAge[voteSize][voteSize] = {};
  // The noise of the last voteFill, kept for the refills.
  int32_t firstNoise[voteSize][voteSize] = {};
};

extern VoteState vote;

// One draw per cell, rows then columns: 1 when the draw is at most half the
// range. Change ages are left as they are.
void voteFill();
// Fresh noise without new draws: the state grid becomes the last fill's
// noise shifted cyclically by (37 round, 71 round) cells, round 1 or 2, so
// the shared generator is drawn exactly as often as for the one fill. Change
// ages are left as they are.
void voteRefill(int round);
// The new state of the inner cell (i, j), both 1..148, from the current grid.
int32_t voteRule(int i, int j);
// Updates the inner cells in place, rows then columns ascending: a cell sees
// the new state of the neighbours before it in the sweep. The border keeps
// its start values.
void voteSweep();

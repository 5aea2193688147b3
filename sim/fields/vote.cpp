#include "sim/fields/vote.h"

#include "platform/random.h"

VoteState vote;

void voteFill() {
  for (int i = 0; i < voteSize; ++i) {
    for (int j = 0; j < voteSize; ++j) {
      vote.state[i][j] = static_cast<float>(demoRand()) * randScale <= 0.5f ? 1 : 0;
      vote.firstNoise[i][j] = vote.state[i][j];
    }
  }
}

void voteRefill(int round) {
  for (int i = 0; i < voteSize; ++i) {
    for (int j = 0; j < voteSize; ++j)
      vote.state[i][j] = vote.firstNoise[(i + 37 * round) % voteSize][(j + 71 * round) % voteSize];
  }
}

int32_t voteRule(int i, int j) {
  int sum = 0;
  for (int di = -1; di <= 1; ++di) {
    for (int dj = -1; dj <= 1; ++dj) sum += vote.state[i + di][j + dj];
  }
  // Majority with a twist: four ones win, five lose.
  return sum == 4 || sum >= 6 ? 1 : 0;
}

void voteSweep() {
  for (int i = 1; i < voteSize - 1; ++i) {
    for (int j = 1; j < voteSize - 1; ++j) {
      const int32_t next = voteRule(i, j);
      int32_t& age = vote.changeAge[i][j];
      if (vote.state[i][j] != next) age = voteFreshAge;
      vote.state[i][j] = next;
      if (age != 0) --age;
    }
  }
}

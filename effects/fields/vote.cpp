#include "effects/fields/vote.h"

#include "platform/random.h"
#include "runtime/stateDump.h"

VoteState vote;

void voteFill() {
  for (auto& row : vote.state) {
    for (int32_t& cell : row) cell = static_cast<float>(demoRand()) * randScale <= 0.5f ? 1 : 0;
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

void dumpVote(const std::string& frameDirectory) {
  writeNpy(frameDirectory + "/voteState.npy", &vote.state[0][0], {voteSize, voteSize});
  writeNpy(frameDirectory + "/voteChangeAge.npy", &vote.changeAge[0][0], {voteSize, voteSize});
  JsonScalars json;
  json.add("fadeIn", vote.fadeIn);
  json.add("fadeOut", vote.fadeOut);
  json.add("captionIn", vote.captionIn);
  json.add("captionOut", vote.captionOut);
  json.write(frameDirectory + "/vote.json");
}

namespace {
const bool voteDumpRegistered = (registerStateDump("vote", dumpVote), true);
}  // namespace

#include "platform/random.h"

namespace {

struct RandomState {
  uint32_t state = 1;
  uint64_t draws = 0;
};

RandomState randomState;

}  // namespace

int demoRand() {
  randomState.state = randomState.state * 214013u + 2531011u;
  ++randomState.draws;
  return static_cast<int>((randomState.state >> 16) & 0x7FFFu);
}

uint32_t demoRandState() { return randomState.state; }

uint64_t demoRandDraws() { return randomState.draws; }

void resetDemoRand(uint32_t state) { randomState = {state, 0}; }

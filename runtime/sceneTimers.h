#pragma once
// The float timers that fade the grid scenes and their credit captions in and
// out. They advance by frameMs * 0.1 * a rate and stop at fixed limits.
#include <cstdint>

#include "runtime/sequencer.h"

// A fade pair: the first timer rises to 1 (fade in), then the second rises to
// 1 (fade out); a scene draws with alpha first - second. Each timer that has
// passed its limit is set to exactly 1 on the following call.
// Returns true while the first timer was still rising in this call.
inline bool advanceFadePair(float& first, float& second, float rate, int32_t frameMs) {
  if (first < 1.0f) {
    first += static_cast<float>(frameMs) * frameScale * rate;
    return true;
  }
  first = 1.0f;
  if (second < 1.0f) {
    second += static_cast<float>(frameMs) * frameScale * rate;
  } else {
    second = 1.0f;
  }
  return false;
}

// A caption pair: the first timer darkens the caption up to the limit, the
// second brings it back. Neither is clamped, so the last step may overshoot.
inline void advanceCaptionPair(float& first, float& second, float limit, int32_t frameMs) {
  const float step = static_cast<float>(frameMs) * frameScale * 2.5f;
  if (first < limit) {
    first += step;
  } else if (second < limit) {
    second += step;
  }
}

// The fade counter of the 3D engine scenes (the pendulum rows, the human
// body, the colliding surfaces), one for all of them: their inits set it to
// 0, their displays advance it and fade by counter * 0.005, in or out.
struct EngineFade {
  float fadeCounter = 0.0f;
};

inline EngineFade engineFade;

// counter += frameMs * 0.1 * rate while it is at most 200; at rate 2 it
// passes 200 one second after a reset, and then stands still. The product
// frameMs * 0.1 is single precision, the rate and the sum double precision,
// rounded to single precision when stored.
inline void advanceFadeCounter(float& counter, double rate, int32_t frameMs) {
  if (counter <= 200.0f) {
    counter = static_cast<float>(counter + static_cast<double>(static_cast<float>(frameMs) * frameScale) * rate);
  }
}
inline void advanceFadeCounter(double rate, int32_t frameMs) {
  advanceFadeCounter(engineFade.fadeCounter, rate, frameMs);
}

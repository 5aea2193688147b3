#pragma once
// From a song's buses to the finished stereo track: reverb and echo on their
// sends, the sum, a DC blocker, loudness levelling and a look-ahead limiter
// that keeps every sample below the ceiling.
#include <cstddef>
#include <vector>

#include "tools/soundtrack/synth.h"

struct StereoTrack {
  std::vector<float> left;
  std::vector<float> right;
  // The smallest gain the limiter applied (1 = it never acted).
  float limiterFloor = 1.0f;
  // The gain that levelled the loudness.
  float levelGain = 1.0f;
  // The voices mixed in, and those that start or end with a click.
  int voices = 0;
  int clickingVoices = 0;
};

struct MixdownLevels {
  float peak = 0.0f;         // largest absolute sample after limiting
  float loudRms = 0.0f;      // RMS of the loud passages (90th percentile of 0.4 s blocks)
  float mean = 0.0f;         // DC offset: the mean sample value
};

inline constexpr float limiterCeiling = 0.841f;  // -1.5 dBFS: true peaks stay under -1 dBTP

// Mixes the song down; the song's buses are consumed. The final seconds fade
// out over `fadeSeconds` so the reverb tail ends in silence. The loudness is
// levelled to the target, or, with a levelGain above 0, scaled by that gain
// (a song rendered with some instruments only, at the full mix's level).
StereoTrack mixdown(Song& song, float targetLoudRms, double fadeSeconds, float levelGain = 0.0f);

MixdownLevels measureLevels(const StereoTrack& track);
// Mean of both channels, for the DC check; RMS of (left + right) / 2 blocks.
float loudBlockRms(const std::vector<float>& left, const std::vector<float>& right);

// The soundtrack generator's timing and mastering: swing moves only the
// off-beat sixteenths; the mixdown levels the loudness, removes any offset
// and never lets a sample past the ceiling.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/soundtrack/mixdown.h"
#include "tools/soundtrack/synth.h"

namespace {

TEST(SoundtrackTiming, SwingDelaysOnlyTheOffBeatSixteenths) {
  // 120 beats a minute: a sixteenth is 0.125 s, 5512.5 frames.
  const Song song = makeSong(120.0, 0.5, 1.0);
  EXPECT_EQ(frameOfStep(song, 0.0), 0u);
  EXPECT_EQ(frameOfStep(song, 1.0), 8268u);  // 1.5 sixteenths = 8268.75 frames
  EXPECT_EQ(frameOfStep(song, 2.0), 11025u);
  EXPECT_EQ(frameOfStep(song, 3.0), 19293u);  // 3.5 sixteenths
  EXPECT_EQ(frameOfStep(song, 16.0), 88200u);
}

// Two seconds of a sine of `amplitude` at 441 Hz riding on an offset.
StereoTrack mixedSine(float amplitude, float offset, float target) {
  Song song = makeSong(120.0, 0.0, 2.0);
  std::vector<float> voice(song.frames);
  for (size_t i = 0; i < voice.size(); ++i) {
    voice[i] = offset + amplitude * static_cast<float>(std::sin(2.0 * std::numbers::pi * 441.0 * static_cast<double>(i) / sampleRate));
  }
  mixVoice(song, 0, voice, Send{});
  return mixdown(song, target, 0.0);
}

TEST(SoundtrackMixdown, LevelsTheLoudnessAndRemovesTheOffset) {
  const StereoTrack track = mixedSine(0.05f, 0.0f, 0.1f);
  const MixdownLevels levels = measureLevels(track);
  EXPECT_NEAR(levels.loudRms, 0.1f, 0.002f);
  EXPECT_NEAR(levels.peak, 0.1f * std::numbers::sqrt2_v<float>, 0.003f);
  EXPECT_EQ(track.limiterFloor, 1.0f);

  // An offset of six times the sine decays through the high pass within
  // the first second; then the sine swings evenly about zero.
  const StereoTrack offset = mixedSine(0.05f, 0.3f, 0.1f);
  double sum = 0.0;
  for (size_t i = sampleRate; i < offset.left.size(); ++i) sum += offset.left[i];
  EXPECT_LT(std::fabs(sum / sampleRate), 1e-4);
}

TEST(SoundtrackMixdown, TheLimiterHoldsEverySampleUnderTheCeiling) {
  // Levelled to an RMS of 0.8, the sine would peak at 1.13.
  const StereoTrack track = mixedSine(0.5f, 0.0f, 0.8f);
  const MixdownLevels levels = measureLevels(track);
  EXPECT_LE(levels.peak, limiterCeiling);
  EXPECT_GT(levels.peak, limiterCeiling * 0.99f);
  EXPECT_NEAR(track.limiterFloor, limiterCeiling / (0.8f * std::numbers::sqrt2_v<float>), 0.02f);
}

}  // namespace

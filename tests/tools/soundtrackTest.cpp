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
  // the first second; then the sine swings evenly about zero (up to the
  // voice's last 6 ms, where it fades out, offset and all).
  const StereoTrack offset = mixedSine(0.05f, 0.3f, 0.1f);
  double sum = 0.0;
  const size_t end = static_cast<size_t>(1.9 * sampleRate);
  for (size_t i = sampleRate; i < end; ++i) sum += offset.left[i];
  EXPECT_LT(std::fabs(sum / static_cast<double>(end - sampleRate)), 1e-4);
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

// Every instrument once, its note cut off in the middle of its sound: no
// voice may start or stop with a step, and where each one ends the mix moves
// by no more than the voice's own waveform does.
TEST(SoundtrackVoices, NoneStartsOrStopsWithAClick) {
  Song song = makeSong(120.0, 0.0, 6.0);
  const Send send{0.8f, 0.0f, 0.0f, 0.0f, false};
  kick(song, 0.0, 1.0f);
  snare(song, 5.0, 1.0f);
  clap(song, 6.0, 1.0f);
  hat(song, 8.0, 1.0f, true);
  bass(song, 10.0, 1.0, 40, 1.0f, BassTone{}, send);
  pad(song, 12.0, 2.0, {57, 60, 64}, 1.0f, 2000.0f, 2000.0f, send);
  pluck(song, 16.0, 1.0, 72, 1.0f, 1.0f, send);
  lead(song, 18.0, 1.0, 76, 1.0f, 1.0f, send);
  keys(song, 20.0, 1.0, {60, 64, 67}, 1.0f, send);
  bell(song, 24.0, 1.0, 84, 1.0f, send);
  riser(song, 26.0, 8.0, 1.0f);
  EXPECT_EQ(song.voices, 11);
  EXPECT_EQ(song.clickingVoices, 0);
  // The kick's half-second sample ends while its body still sounds: its last
  // frames fade, so no step there is larger than a tenth of its loudest.
  float loudest = 0.0f, lastStep = 0.0f;
  const size_t end = static_cast<size_t>(0.5 * sampleRate);
  for (size_t i = 1; i < end; ++i) loudest = std::max(loudest, std::fabs(song.dryL[i] - song.dryL[i - 1]));
  for (size_t i = end - 8; i < end + 8; ++i) lastStep = std::max(lastStep, std::fabs(song.dryL[i] - song.dryL[i - 1]));
  EXPECT_LT(lastStep, 0.1f * loudest);
}

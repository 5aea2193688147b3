#pragma once
// Short MP3s of known content for the audio tests, encoded like the
// soundtrack: stereo, 44.1 kHz, with the gapless header.
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "platform/audio.h"
#include "tools/soundtrack/mp3Encoder.h"

// The frequency at the centre of spectrum bin k.
inline double binHz(double k) { return k * audioSampleRate / spectrumWindow; }

// `frames` frames: a sine on bin `firstBin` for the first half, on
// `secondBin` for the rest, of amplitude `amplitude` in both channels.
inline std::vector<uint8_t> toneMp3(size_t frames, double firstBin, double secondBin,
                                    int bitrate = 160, float amplitude = 0.5f) {
  std::vector<float> samples(frames);
  for (size_t i = 0; i < frames; ++i) {
    const double bin = i < frames / 2 ? firstBin : secondBin;
    samples[i] = amplitude * static_cast<float>(std::sin(2.0 * std::numbers::pi * binHz(bin) *
                                                         static_cast<double>(i) / audioSampleRate));
  }
  return encodeMp3(samples, samples, bitrate);
}

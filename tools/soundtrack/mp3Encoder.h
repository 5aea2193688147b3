#pragma once
// Stereo 44.1 kHz samples to an MP3 held in memory, with LAME's gapless
// header (encoder delay and padding) so that a decoder that honours it gives
// back exactly as many samples as went in.
#include <cstdint>
#include <vector>

// Samples in -1..1; `bitrate` in kbit/s, constant. Empty on failure.
std::vector<uint8_t> encodeMp3(const std::vector<float>& left, const std::vector<float>& right,
                               int bitrate);

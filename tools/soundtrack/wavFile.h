#pragma once
// 16-bit stereo WAV files, for listening to excerpts of the tracks.
#include <cstddef>
#include <string>

#include "tools/soundtrack/mixdown.h"

// Writes frames [from, from + count) of the track (clipped to its length).
bool writeWav(const std::string& path, const StereoTrack& track, size_t from, size_t count);

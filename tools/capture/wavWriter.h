#pragma once
// A 16-bit stereo WAV file at 44.1 kHz written block by block as a capture
// goes, its sizes filled in when it is closed.
#include <cstdint>
#include <cstdio>
#include <string>

struct WavWriter {
  FILE* file = nullptr;
  uint64_t frames = 0;
  bool failed = false;
};

// Opens the file and writes a header for an empty track; false when it
// cannot be written.
bool openWav(WavWriter& wav, const std::string& path);
// Appends interleaved stereo frames in [-1, 1].
void appendWav(WavWriter& wav, const float* stereo, size_t frames);
// Fills in the sizes and closes; false when anything could not be written.
bool closeWav(WavWriter& wav);

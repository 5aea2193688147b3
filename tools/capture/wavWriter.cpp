#include "tools/capture/wavWriter.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr uint32_t sampleRate = 44100;

void put32(unsigned char* at, uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

// The 44-byte header of a PCM file holding `frames` stereo 16-bit frames.
void header(unsigned char out[44], uint64_t frames) {
  const uint32_t dataBytes = static_cast<uint32_t>(std::min<uint64_t>(frames * 4, UINT32_MAX - 36));
  std::copy_n("RIFF\0\0\0\0WAVEfmt ", 16, out);
  put32(out + 4, 36 + dataBytes);
  put32(out + 16, 16);
  out[20] = 1;  // PCM
  out[21] = 0;
  out[22] = 2;  // stereo
  out[23] = 0;
  put32(out + 24, sampleRate);
  put32(out + 28, sampleRate * 4);
  out[32] = 4;  // bytes a frame
  out[33] = 0;
  out[34] = 16;  // bits a sample
  out[35] = 0;
  std::copy_n("data", 4, out + 36);
  put32(out + 40, dataBytes);
}

}  // namespace

bool openWav(WavWriter& wav, const std::string& path) {
  wav = {};
  wav.file = std::fopen(path.c_str(), "wb");
  if (wav.file == nullptr) return false;
  unsigned char empty[44];
  header(empty, 0);
  wav.failed = std::fwrite(empty, 1, sizeof empty, wav.file) != sizeof empty;
  return !wav.failed;
}

void appendWav(WavWriter& wav, const float* stereo, size_t frames) {
  if (wav.file == nullptr || wav.failed) return;
  std::vector<unsigned char> bytes(frames * 4);
  for (size_t i = 0; i < frames * 2; ++i) {
    const auto sample = static_cast<int16_t>(std::lround(std::clamp(stereo[i], -1.0f, 1.0f) * 32767.0f));
    bytes[2 * i] = static_cast<unsigned char>(sample & 0xFF);
    bytes[2 * i + 1] = static_cast<unsigned char>((sample >> 8) & 0xFF);
  }
  wav.failed = std::fwrite(bytes.data(), 1, bytes.size(), wav.file) != bytes.size();
  wav.frames += frames;
}

bool closeWav(WavWriter& wav) {
  if (wav.file == nullptr) return false;
  unsigned char sizes[44];
  header(sizes, wav.frames);
  bool ok = !wav.failed && std::fseek(wav.file, 0, SEEK_SET) == 0 &&
            std::fwrite(sizes, 1, sizeof sizes, wav.file) == sizeof sizes;
  ok = std::fclose(wav.file) == 0 && ok;
  wav.file = nullptr;
  return ok;
}

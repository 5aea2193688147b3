#include "tools/soundtrack/wavFile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

void put16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t value) {
  put16(out, value & 0xFFFF);
  put16(out, value >> 16);
}

int16_t toPcm(float sample) {
  return static_cast<int16_t>(std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767.0f));
}

}  // namespace

bool writeWav(const std::string& path, const StereoTrack& track, size_t from, size_t count) {
  from = std::min(from, track.left.size());
  count = std::min(count, track.left.size() - from);
  const auto dataBytes = static_cast<uint32_t>(count * 4);
  std::vector<uint8_t> bytes;
  bytes.reserve(44 + dataBytes);
  for (char c : {'R', 'I', 'F', 'F'}) bytes.push_back(static_cast<uint8_t>(c));
  put32(bytes, 36 + dataBytes);
  for (char c : {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '}) bytes.push_back(static_cast<uint8_t>(c));
  put32(bytes, 16);
  put16(bytes, 1);  // integer PCM
  put16(bytes, 2);
  put32(bytes, sampleRate);
  put32(bytes, sampleRate * 4);
  put16(bytes, 4);
  put16(bytes, 16);
  for (char c : {'d', 'a', 't', 'a'}) bytes.push_back(static_cast<uint8_t>(c));
  put32(bytes, dataBytes);
  for (size_t i = from; i < from + count; ++i) {
    put16(bytes, static_cast<uint16_t>(toPcm(track.left[i])));
    put16(bytes, static_cast<uint16_t>(toPcm(track.right[i])));
  }
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

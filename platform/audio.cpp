#include "platform/audio.h"

#include <algorithm>

namespace {

struct AudioState {
  int volume = 100;
};

AudioState audio;

}  // namespace

bool audioInit() { return true; }
void audioStart() {}
void audioStop() {}
void audioFree() {}

// No decoder is attached yet, so no stream can be created.
AudioStream audioStreamFromFile(const char*) { return 0; }
uint32_t audioStreamFileLength(AudioStream) { return 0; }
AudioStream audioStreamFromMemory(const void*, size_t) { return 0; }
bool audioStreamPlay(AudioStream) { return false; }
void audioStreamFree(AudioStream) {}

void audioSetVolume(int volume) { audio.volume = std::clamp(volume, 0, 100); }
int audioVolume() { return audio.volume; }

void audioSpectrum(AudioStream, float magnitudes[spectrumBins]) {
  std::fill(magnitudes, magnitudes + spectrumBins, 0.0f);
}

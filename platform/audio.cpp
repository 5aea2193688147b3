#include "platform/audio.h"

#include <SDL.h>
#include <kiss_fftr.h>
#include <mpg123.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <numbers>

#include "platform/clock.h"

namespace {

// Decoded frames kept per stream: far more than the output's latency plus a
// spectrum window, so the window being heard is always still there.
constexpr int64_t historyFrames = 1 << 16;
constexpr int decodeChunkFrames = 4096;

// The bytes of a memory stream, read by the decoder through this cursor.
struct MemorySource {
  const unsigned char* data = nullptr;
  size_t size = 0;
  size_t at = 0;
};

struct Stream {
  mpg123_handle* decoder = nullptr;
  MemorySource memory;
  uint32_t fileLength = 0;
  // Interleaved stereo history: frame f lives at (f % historyFrames) * 2.
  std::vector<float> history = std::vector<float>(historyFrames * 2, 0.0f);
  // The decoder's output before it enters the history (kept off the audio
  // thread's small stack).
  std::vector<float> chunk = std::vector<float>(decodeChunkFrames * 2, 0.0f);
  int64_t decodedFrames = 0;
  bool ended = false;
  int64_t knownLength = -1;
  bool playing = false;
  // Live: frames handed to the device, and when it last asked for more.
  int64_t deviceFrames = 0;
  uint64_t lastCallbackMicros = 0;
  // Virtual: the tick at which playing started.
  uint32_t startTick = 0;

  ~Stream() {
    if (decoder != nullptr) mpg123_delete(decoder);
  }
};

struct AudioState {
  bool initialised = false;
  bool virtualOutput = false;
  SDL_AudioDeviceID device = 0;
  int64_t latencyFrames = 0;
  std::map<AudioStream, std::unique_ptr<Stream>> streams;
  AudioStream lastHandle = 0;
  // The stream the device plays; read by the audio callback under the lock.
  Stream* playing = nullptr;
  std::atomic<int> volume{100};
  std::vector<VolumeChange> volumeChanges;
  kiss_fftr_cfg fft = nullptr;
};

// Never destroyed: the program ends through exit while a track plays, and
// SDL's audio thread goes on calling fillDevice until the process is gone, so
// the streams it reads must outlive every exit handler. The device, like the
// rest, is left to the end of the process.
AudioState& audio = *new AudioState;

ssize_t readMemory(void* handle, void* buffer, size_t count) {
  auto* source = static_cast<MemorySource*>(handle);
  const size_t n = std::min(count, source->size - source->at);
  if (n > 0) std::memcpy(buffer, source->data + source->at, n);
  source->at += n;
  return static_cast<ssize_t>(n);
}

off_t seekMemory(void* handle, off_t offset, int whence) {
  auto* source = static_cast<MemorySource*>(handle);
  off_t base = 0;
  if (whence == SEEK_CUR) base = static_cast<off_t>(source->at);
  if (whence == SEEK_END) base = static_cast<off_t>(source->size);
  const off_t target = base + offset;
  if (target < 0 || target > static_cast<off_t>(source->size)) return -1;
  source->at = static_cast<size_t>(target);
  return target;
}

// A decoder that gives 44.1 kHz stereo floats whatever the file holds, and
// drops the encoder's delay and padding (the gapless header) so the decoded
// length is the track's.
mpg123_handle* newDecoder() {
  static const bool ready = mpg123_init() == MPG123_OK;
  if (!ready) return nullptr;
  mpg123_handle* decoder = mpg123_new(nullptr, nullptr);
  if (decoder == nullptr) return nullptr;
  mpg123_param(decoder, MPG123_ADD_FLAGS, MPG123_FORCE_STEREO | MPG123_GAPLESS | MPG123_QUIET, 0.0);
  mpg123_param(decoder, MPG123_FORCE_RATE, audioSampleRate, 0.0);
  mpg123_format_none(decoder);
  if (mpg123_format(decoder, audioSampleRate, MPG123_STEREO, MPG123_ENC_FLOAT_32) != MPG123_OK) {
    mpg123_delete(decoder);
    return nullptr;
  }
  return decoder;
}

// True once the decoder has found a first MP3 frame and knows the format.
bool readHeader(Stream& stream) {
  long rate = 0;
  int channels = 0;
  int encoding = 0;
  if (mpg123_getformat(stream.decoder, &rate, &channels, &encoding) != MPG123_OK) return false;
  const off_t length = mpg123_length(stream.decoder);
  if (length > 0) stream.knownLength = length;
  return true;
}

AudioStream addStream(std::unique_ptr<Stream> stream) {
  do {
    ++audio.lastHandle;
  } while (audio.lastHandle == 0 || audio.streams.count(audio.lastHandle) != 0);
  audio.streams[audio.lastHandle] = std::move(stream);
  return audio.lastHandle;
}

Stream* findStream(AudioStream handle) {
  const auto found = audio.streams.find(handle);
  return found == audio.streams.end() ? nullptr : found->second.get();
}

// Decodes until frame `target` is in the history or the track has ended.
void decodeUntil(Stream& stream, int64_t target) {
  float* chunk = stream.chunk.data();
  while (!stream.ended && stream.decodedFrames < target) {
    size_t bytes = 0;
    const int result =
        mpg123_read(stream.decoder, chunk, stream.chunk.size() * sizeof(float), &bytes);
    const auto frames = static_cast<int64_t>(bytes / (2 * sizeof(float)));
    for (int64_t i = 0; i < frames; ++i) {
      const auto at = static_cast<size_t>((stream.decodedFrames + i) % historyFrames) * 2;
      stream.history[at] = chunk[2 * i];
      stream.history[at + 1] = chunk[2 * i + 1];
    }
    stream.decodedFrames += frames;
    // The end, or data the decoder cannot get past: what was decoded stands.
    if (result != MPG123_OK && result != MPG123_NEW_FORMAT) stream.ended = true;
    if (result == MPG123_OK && frames == 0) stream.ended = true;
  }
  if (stream.ended) stream.knownLength = stream.decodedFrames;
}

// Back to the first frame (the virtual clock can be set back).
void rewind(Stream& stream) {
  if (mpg123_seek(stream.decoder, 0, SEEK_SET) < 0) return;
  stream.decodedFrames = 0;
  stream.ended = false;
}

void startFromBeginning(Stream& stream) {
  if (stream.decodedFrames != 0 || stream.ended) rewind(stream);
  stream.deviceFrames = 0;
  stream.lastCallbackMicros = monotonicMicros();
  stream.startTick = getTickCount();
  stream.playing = true;
}

// SDL's audio thread: decode ahead, hand the frames over at the volume.
void SDLCALL fillDevice(void*, Uint8* bytes, int length) {
  auto* out = reinterpret_cast<float*>(bytes);
  const auto frames = static_cast<int64_t>(length) / static_cast<int64_t>(2 * sizeof(float));
  Stream* stream = audio.playing;
  if (stream == nullptr) {
    std::fill(out, out + frames * 2, 0.0f);
    return;
  }
  decodeUntil(*stream, stream->deviceFrames + frames + spectrumWindow);
  const float gain = static_cast<float>(audio.volume.load(std::memory_order_relaxed)) / 100.0f;
  for (int64_t i = 0; i < frames; ++i) {
    const int64_t frame = stream->deviceFrames + i;
    const auto at = static_cast<size_t>(frame % historyFrames) * 2;
    const bool decoded = frame < stream->decodedFrames;
    out[2 * i] = decoded ? std::clamp(stream->history[at] * gain, -1.0f, 1.0f) : 0.0f;
    out[2 * i + 1] = decoded ? std::clamp(stream->history[at + 1] * gain, -1.0f, 1.0f) : 0.0f;
  }
  stream->deviceFrames += frames;
  stream->lastCallbackMicros = monotonicMicros();
}

// The frame being heard. Live: the device has been handed deviceFrames; what
// leaves the speaker lags by the latency, and moves on with the time since
// the last callback. Virtual: the virtual time since playing started.
int64_t heardFrame(const Stream& stream) {
  if (audio.virtualOutput) {
    const uint32_t elapsedMs = getTickCount() - stream.startTick;
    return static_cast<int64_t>(elapsedMs) * audioSampleRate / 1000;
  }
  const auto sinceCallback = static_cast<int64_t>(monotonicMicros() - stream.lastCallbackMicros);
  const int64_t moved = std::min(sinceCallback * audioSampleRate / 1000000, audio.latencyFrames / 2);
  return std::max<int64_t>(0, stream.deviceFrames - audio.latencyFrames + moved);
}

// Copies the mono mix of the window starting at `first`; frames outside the
// decoded track are silence.
void monoWindow(const Stream& stream, int64_t first, float window[spectrumWindow]) {
  for (int i = 0; i < spectrumWindow; ++i) {
    const int64_t frame = first + i;
    const bool kept = frame < stream.decodedFrames && frame >= stream.decodedFrames - historyFrames;
    if (!kept) {
      window[i] = 0.0f;
      continue;
    }
    const auto at = static_cast<size_t>(frame % historyFrames) * 2;
    window[i] = 0.5f * (stream.history[at] + stream.history[at + 1]);
  }
}

// The sound libraries under SDL (ALSA above all) print their own lines on
// standard error while they look for a device; on a machine without sound
// that is a screenful of noise before our single message. Standard error is
// sent to /dev/null while the device is being opened and given back after.
class QuietStandardError {
 public:
  QuietStandardError() {
    std::fflush(stderr);
    saved_ = dup(STDERR_FILENO);
    const int sink = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved_ >= 0 && sink >= 0) dup2(sink, STDERR_FILENO);
    if (sink >= 0) close(sink);
  }
  ~QuietStandardError() {
    if (saved_ < 0) return;
    std::fflush(stderr);
    dup2(saved_, STDERR_FILENO);
    close(saved_);
  }
  QuietStandardError(const QuietStandardError&) = delete;
  QuietStandardError& operator=(const QuietStandardError&) = delete;

 private:
  int saved_ = -1;
};

// Opens the system's standard output device for the callback above.
bool openDevice() {
  QuietStandardError quiet;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  SDL_AudioSpec wanted{};
  wanted.freq = audioSampleRate;
  wanted.format = AUDIO_F32SYS;
  wanted.channels = 2;
  wanted.samples = 1024;
  wanted.callback = fillDevice;
  SDL_AudioSpec obtained{};
  // SDL converts to whatever the device really takes.
  audio.device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
  if (audio.device == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  // One buffer being played and one waiting: the frames last handed over are
  // heard about two buffers later.
  audio.latencyFrames = 2 * static_cast<int64_t>(obtained.samples);
  audio.virtualOutput = false;
  audio.initialised = true;
  return true;
}

}  // namespace

bool audioInit() {
  if (audio.initialised) return true;
  if (virtualClockActive()) {
    audio.virtualOutput = true;
    audio.initialised = true;
    return true;
  }
  return openDevice();
}

bool audioGoLive() {
  if (!audio.initialised || !audio.virtualOutput) return false;
  Stream* stream = audio.playing;
  const int64_t at = stream != nullptr ? heardFrame(*stream) : 0;
  audio.initialised = false;
  audio.virtualOutput = false;
  if (!openDevice()) {
    audio.playing = nullptr;
    return false;
  }
  if (stream != nullptr) {
    SDL_LockAudioDevice(audio.device);
    if (at < stream->decodedFrames - historyFrames) rewind(*stream);
    stream->deviceFrames = at;
    stream->lastCallbackMicros = monotonicMicros();
    SDL_UnlockAudioDevice(audio.device);
  }
  SDL_PauseAudioDevice(audio.device, 0);
  return true;
}

void audioMixVirtual(int64_t first, size_t frames, float* stereo) {
  std::fill(stereo, stereo + 2 * frames, 0.0f);
  Stream* stream = audio.playing;
  if (!audio.virtualOutput || stream == nullptr || !stream->playing) return;
  const int64_t start = static_cast<int64_t>(stream->startTick) * audioSampleRate / 1000;
  const int64_t from = std::max<int64_t>(first - start, 0);
  const int64_t to = first + static_cast<int64_t>(frames) - start;
  if (to <= 0) return;
  if (from < stream->decodedFrames - historyFrames) rewind(*stream);
  decodeUntil(*stream, to);
  const float gain = static_cast<float>(audio.volume.load(std::memory_order_relaxed)) / 100.0f;
  for (int64_t frame = from; frame < to && frame < stream->decodedFrames; ++frame) {
    const auto at = static_cast<size_t>(frame % historyFrames) * 2;
    const auto out = static_cast<size_t>(frame + start - first) * 2;
    stereo[out] = std::clamp(stream->history[at] * gain, -1.0f, 1.0f);
    stereo[out + 1] = std::clamp(stream->history[at + 1] * gain, -1.0f, 1.0f);
  }
}

void audioStart() {
  if (audio.device != 0) SDL_PauseAudioDevice(audio.device, 0);
}

void audioStop() {
  if (audio.device != 0) SDL_PauseAudioDevice(audio.device, 1);
}

void audioFree() {
  if (audio.device != 0) {
    SDL_CloseAudioDevice(audio.device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audio.device = 0;
  }
  audio.playing = nullptr;
  audio.streams.clear();
  audio.initialised = false;
  audio.virtualOutput = false;
}

bool audioOutputReady() { return audio.initialised; }

AudioStream audioStreamFromFile(const char* path) {
  struct stat info{};
  if (path == nullptr || stat(path, &info) != 0 || !S_ISREG(info.st_mode)) return 0;
  auto stream = std::make_unique<Stream>();
  stream->decoder = newDecoder();
  if (stream->decoder == nullptr || mpg123_open(stream->decoder, path) != MPG123_OK) return 0;
  if (!readHeader(*stream)) return 0;
  stream->fileLength = static_cast<uint32_t>(
      std::min<uint64_t>(static_cast<uint64_t>(info.st_size), UINT32_MAX));
  return addStream(std::move(stream));
}

uint32_t audioStreamFileLength(AudioStream handle) {
  const Stream* stream = findStream(handle);
  return stream == nullptr ? 0 : stream->fileLength;
}

AudioStream audioStreamFromMemory(const void* data, size_t length) {
  if (data == nullptr || length == 0) return 0;
  auto stream = std::make_unique<Stream>();
  stream->memory = {static_cast<const unsigned char*>(data), length, 0};
  stream->decoder = newDecoder();
  if (stream->decoder == nullptr ||
      mpg123_replace_reader_handle(stream->decoder, readMemory, seekMemory, nullptr) != MPG123_OK ||
      mpg123_open_handle(stream->decoder, &stream->memory) != MPG123_OK) {
    return 0;
  }
  if (!readHeader(*stream)) return 0;
  return addStream(std::move(stream));
}

bool audioStreamPlay(AudioStream handle) {
  Stream* stream = findStream(handle);
  if (stream == nullptr || !audio.initialised) return false;
  if (audio.virtualOutput) {
    if (audio.playing != nullptr) audio.playing->playing = false;
    startFromBeginning(*stream);
    audio.playing = stream;
    return true;
  }
  SDL_LockAudioDevice(audio.device);
  if (audio.playing != nullptr) audio.playing->playing = false;
  startFromBeginning(*stream);
  audio.playing = stream;
  SDL_UnlockAudioDevice(audio.device);
  SDL_PauseAudioDevice(audio.device, 0);
  return true;
}

void audioStreamFree(AudioStream handle) {
  const auto found = audio.streams.find(handle);
  if (found == audio.streams.end()) return;
  if (audio.playing == found->second.get()) {
    // The callback must be done with the stream before it goes.
    if (audio.device != 0) SDL_LockAudioDevice(audio.device);
    audio.playing = nullptr;
    if (audio.device != 0) SDL_UnlockAudioDevice(audio.device);
  }
  audio.streams.erase(found);
}

void audioSetVolume(int volume) {
  volume = std::clamp(volume, 0, 100);
  const int before = audio.volume.exchange(volume);
  if (virtualClockActive() && before != volume) {
    audio.volumeChanges.push_back({getTickCount(), volume});
  }
}

int audioVolume() { return audio.volume.load(); }

const std::vector<VolumeChange>& audioVolumeChanges() { return audio.volumeChanges; }

void spectrumOf(const float samples[spectrumWindow], float magnitudes[spectrumBins]) {
  if (audio.fft == nullptr) audio.fft = kiss_fftr_alloc(spectrumWindow, 0, nullptr, nullptr);
  static const auto hann = [] {
    std::vector<float> window(spectrumWindow);
    for (int i = 0; i < spectrumWindow; ++i) {
      window[static_cast<size_t>(i)] =
          static_cast<float>(0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * i / spectrumWindow));
    }
    return window;
  }();
  kiss_fft_scalar windowed[spectrumWindow];
  for (int i = 0; i < spectrumWindow; ++i) windowed[i] = samples[i] * hann[static_cast<size_t>(i)];
  kiss_fft_cpx bins[spectrumWindow / 2 + 1];
  kiss_fftr(audio.fft, windowed, bins);
  // A sine of amplitude A gives A * N / 4 through a Hann window of N points:
  // N / 2 from the window's sum, halved between the positive and negative
  // frequency.
  const float scale = 4.0f / spectrumWindow;
  for (int k = 0; k < spectrumBins; ++k) {
    magnitudes[k] = std::hypot(bins[k].r, bins[k].i) * scale;
  }
}

void audioSpectrum(AudioStream handle, float magnitudes[spectrumBins]) {
  std::fill(magnitudes, magnitudes + spectrumBins, 0.0f);
  Stream* stream = findStream(handle);
  if (stream == nullptr || !stream->playing || stream != audio.playing) return;
  float window[spectrumWindow];
  if (audio.virtualOutput) {
    const int64_t first = heardFrame(*stream);
    if (first < stream->decodedFrames - historyFrames) rewind(*stream);
    decodeUntil(*stream, first + spectrumWindow);
    if (stream->ended && first >= stream->decodedFrames) return;
    monoWindow(*stream, first, window);
  } else {
    SDL_LockAudioDevice(audio.device);
    const int64_t first = heardFrame(*stream);
    const bool over = stream->ended && first >= stream->decodedFrames;
    if (!over) monoWindow(*stream, first, window);
    SDL_UnlockAudioDevice(audio.device);
    if (over) return;
  }
  spectrumOf(window, magnitudes);
}

int64_t audioStreamPosition(AudioStream handle) {
  Stream* stream = findStream(handle);
  if (stream == nullptr || !stream->playing) return -1;
  const bool locked = !audio.virtualOutput && audio.device != 0;
  if (locked) SDL_LockAudioDevice(audio.device);
  int64_t frame = heardFrame(*stream);
  // Past the end the position stays at the end.
  if (stream->ended) frame = std::min(frame, stream->decodedFrames);
  if (locked) SDL_UnlockAudioDevice(audio.device);
  return frame;
}

int64_t audioStreamLength(AudioStream handle) {
  Stream* stream = findStream(handle);
  if (stream == nullptr) return -1;
  if (audio.device == 0) return stream->knownLength;
  SDL_LockAudioDevice(audio.device);
  const int64_t length = stream->knownLength;
  SDL_UnlockAudioDevice(audio.device);
  return length;
}

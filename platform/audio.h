#pragma once
// The audio layer: what the presentation needs of an audio back end.
//
// Streams are small integer handles; 0 is never a valid stream. A stream
// decodes an MP3 (from a file, or held in memory) at 44.1 kHz stereo; playing
// it sends it to the output at the master volume, and its spectrum can be
// taken at the position being heard.
//
// Live, the output is an SDL audio device whose callback runs on SDL's audio
// thread: the callback decodes ahead of the device and the two threads share
// only the playing stream's decoded history and counters, under the device
// lock, and the volume, as an atomic. Under the virtual clock no device is
// opened: a stream's position is the virtual time since it started playing,
// and volume changes are recorded with their virtual times.
#include <cstddef>
#include <cstdint>
#include <vector>

using AudioStream = uint32_t;

inline constexpr int spectrumBins = 1024;
inline constexpr int spectrumWindow = 2048;
inline constexpr int audioSampleRate = 44100;

// Opens the output: the system's standard device live, nothing under the
// virtual clock. False when no device can be opened (the layer then plays
// nothing; streams can still be created and measured).
bool audioInit();
void audioStart();
void audioStop();
// Closes the output and frees every stream.
void audioFree();
// Whether sound goes somewhere: a device is open, or the virtual clock stands in.
bool audioOutputReady();

// A stream that reads the MP3 file itself; it serves to measure the file's
// length and can also play. 0 when the file cannot be opened or holds no
// MP3 frame.
AudioStream audioStreamFromFile(const char* path);
// The file's length in bytes (saturated at 4 GiB - 1); 0 for a memory stream
// or an unknown handle.
uint32_t audioStreamFileLength(AudioStream stream);
// A stream over an MP3 held in memory (the memory must outlive the stream).
// 0 when the bytes hold no MP3 frame.
AudioStream audioStreamFromMemory(const void* data, size_t length);
// Starts the stream from its beginning; false without an output or for an
// unknown handle. One stream plays at a time.
bool audioStreamPlay(AudioStream stream);
// Freeing 0, an unknown or an already freed handle does nothing.
void audioStreamFree(AudioStream stream);

// Master volume, 0 to 100 (values outside are clamped), a linear gain.
void audioSetVolume(int volume);
int audioVolume();

struct VolumeChange {
  uint32_t tick = 0;  // virtual tick of the change
  int volume = 0;
};
// Every change of the volume made under the virtual clock, in order.
const std::vector<VolumeChange>& audioVolumeChanges();

// 1024 magnitudes of a 2048-frame Hann window of the mono mix, starting at
// the position being heard; a full-scale sine gives about 1.0 in its bin.
// Zeros for a stream that is not playing or has played to its end.
void audioSpectrum(AudioStream stream, float magnitudes[spectrumBins]);
// The same transform of any 2048 mono samples.
void spectrumOf(const float samples[spectrumWindow], float magnitudes[spectrumBins]);

// What the virtual output plays, for a recording of the presentation:
// `frames` stereo frames from virtual sample `first` on (sample n is heard
// n / 44.1 ms after virtual tick 0), interleaved left and right. The playing
// stream sounds from the virtual tick it started at, at the present volume,
// clipped to [-1, 1] as the device would; silence without one. Call it for
// each stretch of virtual time right after the cycles that lead up to it, so
// that it hears the starts and volume changes they made.
void audioMixVirtual(int64_t first, size_t frames, float* stereo);

// Leaves the virtual output for the system's device: the playing stream, if
// any, goes on from the frame the virtual clock had reached. False when no
// device can be opened (the presentation then plays on in silence).
bool audioGoLive();

// Frames of the stream heard so far (after the output's latency); -1 for an
// unknown or stopped stream.
int64_t audioStreamPosition(AudioStream stream);
// The stream's length in frames once known (from the encoder's header, or
// once decoded to the end); -1 while unknown.
int64_t audioStreamLength(AudioStream stream);

#pragma once
// The audio layer: what the presentation needs of an audio back end.
//
// Streams are small integer handles; 0 is never a valid stream. The layer
// plays an MP3 held in memory, sets a master volume from 0 to 100 and delivers
// 1024 FFT magnitudes of the playing stream.
//
// This build carries the interface with nothing playing yet: initialisation
// succeeds, no stream can be created, volume changes are recorded and the
// spectrum is all zeros.
#include <cstddef>
#include <cstdint>

using AudioStream = uint32_t;

inline constexpr int spectrumBins = 1024;

bool audioInit();
void audioStart();
void audioStop();
void audioFree();

// A stream from a file serves to measure the file's length; 0 on failure.
AudioStream audioStreamFromFile(const char* path);
uint32_t audioStreamFileLength(AudioStream stream);
// A stream over an MP3 held in memory (the memory must outlive the stream).
AudioStream audioStreamFromMemory(const void* data, size_t length);
bool audioStreamPlay(AudioStream stream);
// Freeing 0, an unknown or an already freed handle does nothing.
void audioStreamFree(AudioStream stream);

// Master volume, 0 to 100 (values outside are clamped).
void audioSetVolume(int volume);
int audioVolume();

// 1024 magnitudes of the stream's spectrum at the current play position;
// zeros without a playing stream.
void audioSpectrum(AudioStream stream, float magnitudes[spectrumBins]);

#pragma once
// The two music tracks under the presentation, and the clock they set.
#include <cstddef>

#include "platform/audio.h"

// The one block both tracks are read into in turn, allocated with the
// program and never released.
inline constexpr size_t musicBlockBytes = 5900000;
extern unsigned char musicBuffer[musicBlockBytes];

inline constexpr const char* trackOneFile = "muzyka/r.mp3";
inline constexpr const char* trackTwoFile = "muzyka/t.mp3";

struct MusicState {
  // The playing track's stream; 0 before entry 5.
  AudioStream musicStream = 0;
  // Bytes of the playing track held in musicBuffer; 0 when it plays from its
  // file (it did not fit the block) or nothing plays.
  size_t bufferedBytes = 0;
  // A missing audio device is reported once, and not looked for again.
  bool deviceFailureReported = false;
};

extern MusicState music;

// Plays one track: (re)opens the output, measures the file, reads it into
// the block and plays it from there. A file larger than the block is not
// cut short: it plays straight from the file. Failures are reported on the
// error line and leave the presentation silent; the volume is 100 after.
void playTrack(const char* file);

// Entry 5: track 1 starts and the clock restarts with it, so entries 6 to 89
// are timed from the first note.
void startMusicOne();
// Entry 91: track 1 stops, track 2 starts, and entries 92 to 116 are timed
// from its start.
void startMusicTwo();
// The presentation leaves the virtual clock for real time (after a fast
// start): the playing track goes on from where it was on the real output. A
// missing device is reported as at a track's start.
void continueMusicLive();
// Entry 44's display silences the music; entry 45's sets it again.
void muteMusic();
void setMusicVolume(int volume);

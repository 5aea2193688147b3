#pragma once
// The two music tracks under the presentation, and the clock they set.
#include "platform/audio.h"

struct MusicState {
  // The playing track's stream; 0 before entry 5.
  AudioStream musicStream = 0;
};

extern MusicState music;

// Entry 5: track 1 starts and the clock restarts with it, so entries 6 to 89
// are timed from the first note.
void startMusicOne();
// Entry 91: track 1 stops, track 2 starts, and entries 92 to 116 are timed
// from its start.
void startMusicTwo();
// Entry 44's display silences the music; entry 45's sets it again.
void muteMusic();
void setMusicVolume(int volume);

#include "runtime/music.h"

#include "platform/clock.h"
#include "platform/glutSeam.h"
#include "runtime/sequencer.h"

MusicState music;

namespace {

// The tracks are not decoded yet: starting one only resets the volume, so the
// presentation runs silent with its clocks set as they will be with music.
void playTrack() { audioSetVolume(100); }

}  // namespace

void startMusicOne() {
  sequencer.loadOffsetMs = 0;
  playTrack();
  hideCursor();
  sequencer.startTick = getTickCount();
}

void startMusicTwo() {
  audioStop();
  audioStreamFree(music.musicStream);
  audioFree();
  playTrack();
  sequencer.trackTwoOffsetMs = static_cast<int32_t>(getTickCount() - sequencer.startTick);
}

void muteMusic() { audioSetVolume(0); }

void setMusicVolume(int volume) { audioSetVolume(volume); }

#include "runtime/music.h"

#include <cstdio>

#include "platform/errorLine.h"
#include "platform/glutSeam.h"
#include "runtime/sequencer.h"

unsigned char musicBuffer[musicBlockBytes];
MusicState music;

void playTrack(const char* file) {
  // A machine without a sound device is told so once; the second track does
  // not try again (the audio libraries would only repeat their complaints).
  if (!music.deviceFailureReported && !audioInit()) {
    showErrorLine("Inicjacja diwajsu");
    music.deviceFailureReported = true;
  }
  audioStart();
  audioStreamFree(music.musicStream);
  music.bufferedBytes = 0;

  // A first stream on the file only measures it.
  music.musicStream = audioStreamFromFile(file);
  audioSetVolume(100);
  if (music.musicStream == 0) {
    showErrorLine("Brak pilku muzycznego w katalogu muzyka.");
    return;
  }
  const uint32_t length = audioStreamFileLength(music.musicStream);
  if (length > musicBlockBytes) {
    // Reading it into the block would cut the track off (or overrun the
    // block); the file stream plays it whole instead.
    audioStreamPlay(music.musicStream);
    return;
  }
  audioStreamFree(music.musicStream);
  music.musicStream = 0;

  // Raw bytes, never more than the block holds. A file that shrank since it
  // was measured plays what is left of it.
  size_t got = 0;
  if (FILE* input = std::fopen(file, "rb")) {
    got = std::fread(musicBuffer, 1, length, input);
    std::fclose(input);
  }
  music.musicStream = audioStreamFromMemory(musicBuffer, got);
  if (music.musicStream == 0) {
    showErrorLine("Brak pilku muzycznego w katalogu muzyka.");
    return;
  }
  music.bufferedBytes = got;
  audioStreamPlay(music.musicStream);
}

void startMusicOne() {
  playTrack(trackOneFile);
  hideCursor();
  // The clock starts once the track is playing, so the Timeline keeps time
  // with the music however long the read took.
  restartClockWithTrackOne();
}

void startMusicTwo() {
  audioStop();
  audioStreamFree(music.musicStream);
  audioFree();
  // playTrack frees the old handle once more; that does nothing.
  playTrack(trackTwoFile);
  offsetClockToTrackTwo();
}

void continueMusicLive() {
  // Nothing has started the output yet: the first track will, live.
  if (!audioOutputReady()) return;
  if (!audioGoLive() && !music.deviceFailureReported) {
    showErrorLine("Inicjacja diwajsu");
    music.deviceFailureReported = true;
  }
}

void muteMusic() { audioSetVolume(0); }

void setMusicVolume(int volume) { audioSetVolume(volume); }

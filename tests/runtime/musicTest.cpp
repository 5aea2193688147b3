// Starting the tracks: files found, missing, corrupt or too large for the
// block; the clock of entries 5 and 91; a missing device said once.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/audio.h"
#include "platform/clock.h"
#include "runtime/music.h"
#include "runtime/sequencer.h"
#include "tests/runtime/recordingSeam.h"
#include "tests/support/fileContents.h"
#include "tests/support/toneMp3.h"

namespace {

namespace fs = std::filesystem;

const char* const missingFile = "Error: Brak pilku muzycznego w katalogu muzyka.\n";

void writeFile(const fs::path& path, const std::vector<uint8_t>& bytes, size_t paddedTo = 0) {
  std::string contents(bytes.begin(), bytes.end());
  // Zeros after the last frame: the decoder finds no more frames there.
  if (paddedTo > contents.size()) contents.resize(paddedTo, '\0');
  ASSERT_TRUE(writeFileContents(path, contents));
}

float binLevel(int bin) {
  float m[spectrumBins];
  audioSpectrum(music.musicStream, m);
  return m[bin];
}

class MusicTest : public testing::Test {
 protected:
  void SetUp() override {
    home = fs::current_path();
    scratch = fs::path(testing::TempDir()) / ("vorran-music-" + std::to_string(getpid()));
    fs::create_directories(scratch / "muzyka");
    fs::current_path(scratch);
    resetSequencer();
    music = {};
    installRecordingSeam();
    useVirtualClock(70000);
    std::fill(musicBuffer, musicBuffer + musicBlockBytes, 0xA5);
  }
  void TearDown() override {
    audioFree();
    audioSetVolume(100);
    useRealClock();
    fs::current_path(home);
    fs::remove_all(scratch);
  }
  fs::path home;
  fs::path scratch;
};

TEST_F(MusicTest, TrackOneRestartsTheClockAndTrackTwoOffsetsIt) {
  // Track one a tone on bin 40, track two on bin 80.
  const std::vector<uint8_t> one = toneMp3(audioSampleRate * 3, 40, 40);
  writeFile("muzyka/r.mp3", one);
  writeFile("muzyka/t.mp3", toneMp3(audioSampleRate * 3, 80, 80));
  SequencerState loaded;
  loaded.loadOffsetMs = 1234;
  loaded.startTick = 100;
  resetSequencer(loaded);
  audioSetVolume(20);

  startMusicOne();
  EXPECT_EQ(sequencer.loadOffsetMs, 0);
  EXPECT_EQ(sequencer.startTick, 70000u);
  EXPECT_EQ(seamRecord.cursorHides, 1);
  EXPECT_EQ(audioVolume(), 100);
  EXPECT_EQ(music.bufferedBytes, one.size());
  EXPECT_TRUE(std::equal(one.begin(), one.end(), musicBuffer));
  EXPECT_EQ(musicBuffer[one.size()], 0xA5) << "read past the file";
  advanceVirtualClock(500);
  EXPECT_NEAR(binLevel(40), 0.5f, 0.03f);

  // 2.5 s later entry 91: track two from its start, the Timeline offset by
  // the time since the restart.
  advanceVirtualClock(2000);
  const AudioStream trackOne = music.musicStream;
  startMusicTwo();
  EXPECT_EQ(sequencer.trackTwoOffsetMs, 2500);
  EXPECT_NE(music.musicStream, trackOne);
  EXPECT_EQ(audioStreamPosition(music.musicStream), 0);
  advanceVirtualClock(100);
  EXPECT_NEAR(binLevel(80), 0.5f, 0.03f);
  EXPECT_LT(binLevel(40), 0.01f);
}

TEST_F(MusicTest, AMissingOrCorruptFileIsReportedAndTheClockRunsOn) {
  writeFile("muzyka/t.mp3", std::vector<uint8_t>(4096, 'x'));
  testing::internal::CaptureStderr();
  startMusicOne();
  EXPECT_EQ(testing::internal::GetCapturedStderr(), missingFile);
  EXPECT_EQ(music.musicStream, 0u);
  EXPECT_EQ(sequencer.startTick, 70000u);

  advanceVirtualClock(300);
  testing::internal::CaptureStderr();
  startMusicTwo();
  EXPECT_EQ(testing::internal::GetCapturedStderr(), missingFile);
  EXPECT_EQ(music.musicStream, 0u);
  EXPECT_EQ(sequencer.trackTwoOffsetMs, 300);
  EXPECT_EQ(audioVolume(), 100);
  EXPECT_EQ(binLevel(40), 0.0f);
  EXPECT_EQ(musicBuffer[0], 0xA5) << "nothing was read";
}

TEST_F(MusicTest, AFileFillingTheBlockIsReadIntoItALargerOnePlaysWholeFromTheFile) {
  writeFile("muzyka/r.mp3", toneMp3(audioSampleRate, 40, 40), musicBlockBytes);
  startMusicOne();
  EXPECT_EQ(music.bufferedBytes, musicBlockBytes);
  // A tone on bin 40, then one on bin 80 beyond the 5,900,000 bytes: at
  // 320 kbit/s, 150 s fill 6,000,000 bytes.
  std::fill(musicBuffer, musicBuffer + musicBlockBytes, 0xA5);
  const std::vector<uint8_t> mp3 = toneMp3(audioSampleRate * 150, 40, 80, 320);
  ASSERT_GT(mp3.size(), musicBlockBytes);
  writeFile("muzyka/r.mp3", mp3);
  testing::internal::CaptureStderr();
  startMusicOne();
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_TRUE(music.musicStream != 0u && music.bufferedBytes == 0u);
  EXPECT_EQ(std::count(musicBuffer, musicBuffer + musicBlockBytes, 0xA5), static_cast<long>(musicBlockBytes));
  advanceVirtualClock(1000);
  EXPECT_NEAR(binLevel(40), 0.5f, 0.03f);
  // The end of the track, past what the block could have held, is heard.
  advanceVirtualClock(148000);
  EXPECT_NEAR(binLevel(80), 0.5f, 0.03f);
}

TEST_F(MusicTest, EscapeFadesTheMusicOutOverTwoSeconds) {
  writeFile("muzyka/r.mp3", toneMp3(audioSampleRate * 4, 40, 40));
  startMusicOne();
  SequencerState playing = sequencer;
  playing.currentEntry.idle = recordIdle;
  resetSequencer(playing);
  const size_t before = audioVolumeChanges().size();
  keyboardHandler(27, 0, 0);
  while (seamRecord.exits == 0 && seamRecord.idles.size() < 200) {
    advanceVirtualClock(20);
    idleTrampoline();
  }
  // About one step down every 20 ms cycle (truncation repeats a value now
  // and then), at that cycle's virtual time, to silence after 2 s; the
  // track's own spectrum is unchanged by the volume.
  const std::vector<VolumeChange>& changes = audioVolumeChanges();
  ASSERT_GE(changes.size(), before + 90);
  for (size_t i = before + 1; i < changes.size(); ++i) {
    const uint32_t step = changes[i].tick - changes[i - 1].tick;
    EXPECT_TRUE(step == 20u || step == 40u) << step;
    EXPECT_LT(changes[i].volume, changes[i - 1].volume);
  }
  EXPECT_EQ(changes[before].tick, 70020u);
  EXPECT_EQ(changes.back().volume, 0);
  EXPECT_LE(changes.back().tick, 70000u + 2040u);
  EXPECT_EQ(seamRecord.exits, 1);
  EXPECT_NEAR(binLevel(40), 0.5f, 0.03f);
}

TEST_F(MusicTest, WithoutADeviceThePresentationRunsSilentAndSaysSoOnce) {
  writeFile("muzyka/r.mp3", toneMp3(audioSampleRate, 40, 40));
  writeFile("muzyka/t.mp3", toneMp3(audioSampleRate, 40, 40));
  useRealClock();
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  testing::internal::CaptureStderr();
  startMusicOne();
  startMusicTwo();
  const std::string errors = testing::internal::GetCapturedStderr();
  unsetenv("SDL_AUDIODRIVER");
  EXPECT_EQ(errors, "Error: Inicjacja diwajsu\n");
  EXPECT_FALSE(audioOutputReady());
  EXPECT_EQ(binLevel(40), 0.0f);
}

}  // namespace

// The audio layer: the spectrum's scale, decoding with the gapless header,
// positions on the virtual clock, handles, and the volume on a real output
// (SDL's disk driver writes what would have been heard to a file).
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <numbers>
#include <string>

#include "platform/audio.h"
#include "platform/clock.h"
#include "tests/support/fileContents.h"
#include "tests/support/toneMp3.h"

namespace {

std::vector<float> spectrumOfSine(double bin, float amplitude) {
  float samples[spectrumWindow];
  for (int i = 0; i < spectrumWindow; ++i) {
    samples[i] = amplitude * static_cast<float>(std::sin(2.0 * std::numbers::pi * bin * i / spectrumWindow));
  }
  std::vector<float> magnitudes(spectrumBins);
  spectrumOf(samples, magnitudes.data());
  return magnitudes;
}

TEST(Spectrum, AFullScaleSineOnABinGivesOne) {
  const std::vector<float> m = spectrumOfSine(100.0, 1.0f);
  EXPECT_NEAR(m[100], 1.0f, 0.01f);
  // The Hann window spreads it to the two neighbours at half height, and
  // nowhere else.
  EXPECT_NEAR(m[99], 0.5f, 0.01f);
  EXPECT_NEAR(m[101], 0.5f, 0.01f);
  EXPECT_LT(m[97], 1e-3f);
  EXPECT_LT(m[300], 1e-3f);
  EXPECT_NEAR(spectrumOfSine(7.0, 0.25f)[7], 0.25f, 0.0025f);
}

TEST(Spectrum, HalfwayBetweenBinsTheWindowLosesAFewDecibels) {
  // Through a Hann window a sine half a bin off centre reads
  // (8 / 3 pi) ~ 0.8488 in each neighbouring bin; without the window it
  // would read 2 / pi ~ 0.637.
  const std::vector<float> m = spectrumOfSine(200.5, 1.0f);
  EXPECT_NEAR(m[200], 8.0 / (3.0 * std::numbers::pi), 0.01);
  EXPECT_NEAR(m[201], 8.0 / (3.0 * std::numbers::pi), 0.01);
}

class VirtualAudio : public testing::Test {
 protected:
  void SetUp() override {
    useVirtualClock(1000);
    ASSERT_TRUE(audioInit());
  }
  void TearDown() override {
    audioFree();
    useRealClock();
  }
};

TEST_F(VirtualAudio, TheSpectrumFollowsThePlayPosition) {
  // One second on bin 40, then one on bin 80, and 123 frames more: the
  // gapless header must give back exactly that many frames.
  const size_t frames = 2 * audioSampleRate + 123;
  const std::vector<uint8_t> mp3 = toneMp3(frames, 40, 80);
  const AudioStream stream = audioStreamFromMemory(mp3.data(), mp3.size());
  ASSERT_NE(stream, 0u);
  EXPECT_EQ(audioStreamLength(stream), static_cast<int64_t>(frames));

  float m[spectrumBins];
  audioSpectrum(stream, m);
  EXPECT_EQ(*std::max_element(m, m + spectrumBins), 0.0f) << "not playing yet";

  ASSERT_TRUE(audioStreamPlay(stream));
  advanceVirtualClock(250);
  EXPECT_EQ(audioStreamPosition(stream), 11025);
  audioSpectrum(stream, m);
  EXPECT_NEAR(m[40], 0.5f, 0.03f);
  EXPECT_LT(m[80], 0.01f);

  advanceVirtualClock(1250);
  audioSpectrum(stream, m);
  EXPECT_LT(m[40], 0.01f);
  EXPECT_NEAR(m[80], 0.5f, 0.03f);

  // Back before the change (a test may set the clock back): decoded anew.
  setVirtualTick(1000 + 500);
  audioSpectrum(stream, m);
  EXPECT_NEAR(m[40], 0.5f, 0.03f);

  // From the end on: zeros.
  setVirtualTick(1000 + 2003);
  audioSpectrum(stream, m);
  EXPECT_EQ(*std::max_element(m, m + spectrumBins), 0.0f);
  EXPECT_EQ(audioStreamLength(stream), static_cast<int64_t>(frames));
  EXPECT_EQ(audioStreamPosition(stream), static_cast<int64_t>(frames));
}

TEST_F(VirtualAudio, HandlesFreedTwiceOrNeverMadeDoNothing) {
  const std::vector<uint8_t> mp3 = toneMp3(audioSampleRate, 60, 60);
  const AudioStream first = audioStreamFromMemory(mp3.data(), mp3.size());
  const AudioStream second = audioStreamFromMemory(mp3.data(), mp3.size());
  ASSERT_NE(first, 0u);
  ASSERT_NE(second, first);
  ASSERT_TRUE(audioStreamPlay(second));
  audioStreamFree(first);
  audioStreamFree(first);
  audioStreamFree(0);
  audioStreamFree(987654);
  EXPECT_FALSE(audioStreamPlay(first));
  advanceVirtualClock(100);
  float m[spectrumBins];
  audioSpectrum(second, m);
  EXPECT_NEAR(m[60], 0.5f, 0.03f);
  audioStreamFree(second);
  audioStreamFree(second);
  audioSpectrum(second, m);
  EXPECT_EQ(m[60], 0.0f);
}

TEST_F(VirtualAudio, BytesWithoutAnMp3FrameMakeNoStream) {
  const std::string text(20000, 'x');
  EXPECT_EQ(audioStreamFromMemory(text.data(), text.size()), 0u);
  EXPECT_EQ(audioStreamFromMemory(nullptr, 10), 0u);
  EXPECT_EQ(audioStreamFromFile("no/such/file.mp3"), 0u);
  EXPECT_EQ(audioStreamFromFile("."), 0u);
}

TEST_F(VirtualAudio, VolumeChangesAreRecordedWithTheirVirtualTimes) {
  const size_t before = audioVolumeChanges().size();
  audioSetVolume(100);
  setVirtualTick(5000);
  audioSetVolume(0);
  audioSetVolume(0);
  setVirtualTick(5100);
  audioSetVolume(140);
  const std::vector<VolumeChange>& changes = audioVolumeChanges();
  ASSERT_EQ(changes.size(), before + 2);
  EXPECT_EQ(changes[before].tick, 5000u);
  EXPECT_EQ(changes[before].volume, 0);
  EXPECT_EQ(changes[before + 1].tick, 5100u);
  EXPECT_EQ(changes[before + 1].volume, 100);
  EXPECT_EQ(audioVolume(), 100);
}

// Plays `mp3` at `volume` into SDL's disk driver and returns the RMS of the
// left channel of the written frames 4410 to 44100 (the tone's steady part).
double rmsHeardAt(const std::vector<uint8_t>& mp3, int volume, const std::string& file) {
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
  setenv("SDL_DISKAUDIODELAY", "1", 1);
  useRealClock();
  if (!audioInit()) return -1.0;
  const AudioStream stream = audioStreamFromMemory(mp3.data(), mp3.size());
  audioSetVolume(volume);
  audioStreamPlay(stream);
  for (int wait = 0; wait < 5000 && audioStreamPosition(stream) < 50000; ++wait) sleepMicros(1000);
  audioFree();
  unsetenv("SDL_AUDIODRIVER");
  const std::string bytes = fileContents(file);
  std::vector<float> samples(bytes.size() / sizeof(float));
  std::memcpy(samples.data(), bytes.data(), samples.size() * sizeof(float));
  if (samples.size() < 2 * 44100) return -2.0;
  double sum = 0.0;
  for (size_t frame = 4410; frame < 44100; ++frame) sum += samples[2 * frame] * samples[2 * frame];
  return std::sqrt(sum / (44100 - 4410));
}

TEST(AudioDevice, TheVolumeScalesWhatIsHeard) {
  // A tone of amplitude 0.5 on bin 30. The MP3 coding leaves it a little
  // quieter: its decoded amplitude is read from the spectrum first.
  const std::vector<uint8_t> mp3 = toneMp3(2 * audioSampleRate, 30, 30);
  useVirtualClock(0);
  ASSERT_TRUE(audioInit());
  const AudioStream stream = audioStreamFromMemory(mp3.data(), mp3.size());
  audioStreamPlay(stream);
  setVirtualTick(500);
  float m[spectrumBins];
  audioSpectrum(stream, m);
  audioFree();
  ASSERT_NEAR(m[30], 0.5f, 0.03f);

  const std::string file = testing::TempDir() + "vorran-disk-audio-" + std::to_string(getpid());
  const double full = rmsHeardAt(mp3, 100, file + "-100.raw");
  const double half = rmsHeardAt(mp3, 50, file + "-50.raw");
  const double none = rmsHeardAt(mp3, 0, file + "-0.raw");
  for (const char* volume : {"-100.raw", "-50.raw", "-0.raw"}) std::filesystem::remove(file + volume);
  audioSetVolume(100);
  EXPECT_NEAR(full, m[30] / std::numbers::sqrt2, 0.003);
  EXPECT_NEAR(half / full, 0.5, 0.005);
  EXPECT_EQ(none, 0.0);
}

// The presentation ends through exit while the music still plays (Escape,
// or the window closed): SDL's audio thread goes on asking for sound while
// the exit handlers run. With the disk driver asking without pause, a stream
// freed by those handlers is read at once.
TEST(AudioDevice, ExitWhileATrackPlaysEndsCleanly) {
  const std::vector<uint8_t> mp3 = toneMp3(3 * audioSampleRate, 30, 60);
  const auto playThenExit = [&mp3] {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    useRealClock();
    if (!audioInit()) std::_Exit(3);
    const AudioStream stream = audioStreamFromMemory(mp3.data(), mp3.size());
    if (!audioStreamPlay(stream)) std::_Exit(4);
    for (int wait = 0; wait < 5000 && audioStreamPosition(stream) < 20000; ++wait) sleepMicros(1000);
    std::exit(0);
  };
  EXPECT_EXIT(playThenExit(), testing::ExitedWithCode(0), "");
}

TEST(Soundtrack, BothTracksAreLongEnoughAndFitTheMusicBlock) {
  useVirtualClock(0);
  ASSERT_TRUE(audioInit());
  const struct { const char* name; double seconds; } tracks[] = {{"/r.mp3", 235.0}, {"/t.mp3", 100.0}};
  for (const auto& track : tracks) {
    const std::string path = std::string(VORRAN_MUSIC_DIR) + track.name;
    const AudioStream stream = audioStreamFromFile(path.c_str());
    ASSERT_NE(stream, 0u) << path;
    EXPECT_LT(audioStreamFileLength(stream), 5900000u) << path;
    EXPECT_GE(static_cast<double>(audioStreamLength(stream)), track.seconds * audioSampleRate) << path;
  }
  audioFree();
  useRealClock();
}

}  // namespace

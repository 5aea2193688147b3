// vorran-soundtrack: composes the presentation's two music tracks and writes
// them as DIR/r.mp3 and DIR/t.mp3; --excerpt also writes a WAV of a stretch
// of each for listening and measuring.
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>

#include "tools/soundtrack/mp3Encoder.h"
#include "tools/soundtrack/tracks.h"
#include "tools/soundtrack/wavFile.h"

namespace {

// What the presentation needs of each file: long enough for its part of the
// Timeline, small enough for the music block.
constexpr size_t musicBlockBytes = 5900000;
constexpr int bitrate = 160;

struct Rendered {
  StereoTrack track;
  std::vector<uint8_t> mp3;
};

void render(Rendered* out, StereoTrack (*compose)(uint32_t, float)) {
  out->track = compose(allParts, 0.0f);
  out->mp3 = encodeMp3(out->track.left, out->track.right, bitrate);
}

bool writeAtomically(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  const std::filesystem::path temporary = path.string() + ".tmp";
  FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (std::fclose(file) != 0 || !written) return false;
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  return !error;
}

double decibels(float level) { return 20.0 * std::log10(std::max(1e-9, static_cast<double>(level))); }

bool finish(const char* name, const Rendered& rendered, double minimumSeconds,
            const std::filesystem::path& directory, const std::string& excerptDirectory,
            double excerptFrom, double excerptSeconds) {
  const double seconds = static_cast<double>(rendered.track.left.size()) / sampleRate;
  const MixdownLevels levels = measureLevels(rendered.track);
  std::printf("%s: %.1f s, %zu bytes, peak %.2f dBFS, loud passages %.1f dBFS RMS, "
              "DC %.1e, limiter down to %.2f dB\n",
              name, seconds, rendered.mp3.size(), decibels(levels.peak), decibels(levels.loudRms),
              static_cast<double>(levels.mean), decibels(rendered.track.limiterFloor));
  if (rendered.mp3.empty()) {
    std::fprintf(stderr, "vorran-soundtrack: encoding %s failed\n", name);
    return false;
  }
  if (rendered.mp3.size() >= musicBlockBytes || seconds < minimumSeconds) {
    std::fprintf(stderr, "vorran-soundtrack: %s must last %.0f s and stay under %zu bytes\n", name,
                 minimumSeconds, musicBlockBytes);
    return false;
  }
  if (!writeAtomically(directory / name, rendered.mp3)) {
    std::fprintf(stderr, "vorran-soundtrack: cannot write %s\n", (directory / name).c_str());
    return false;
  }
  if (!excerptDirectory.empty()) {
    const auto from = static_cast<size_t>(excerptFrom * sampleRate);
    const auto count = static_cast<size_t>(excerptSeconds * sampleRate);
    const std::string wav = excerptDirectory + "/" + std::string(name, std::strlen(name) - 4) + ".wav";
    if (!writeWav(wav, rendered.track, from, count)) {
      std::fprintf(stderr, "vorran-soundtrack: cannot write %s\n", wav.c_str());
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  // An option where the folder belongs (--help, say) is a mistake, not a
  // folder to create.
  if ((argc != 2 && !(argc == 4 && std::strcmp(argv[2], "--excerpt") == 0)) || argv[1][0] == '-') {
    std::fprintf(stderr, "usage: vorran-soundtrack DIR [--excerpt WAVDIR]\n");
    return 2;
  }
  const std::filesystem::path directory = argv[1];
  const std::string excerpts = argc == 4 ? argv[3] : "";
  std::error_code error;
  std::filesystem::create_directories(directory, error);

  // The two tracks are independent: one each on two cores.
  Rendered one;
  Rendered two;
  std::thread second(render, &two, composeTrackTwo);
  render(&one, composeTrackOne);
  second.join();

  const bool ok = finish("r.mp3", one, 235.0, directory, excerpts, 30.0, 40.0) &&
                  finish("t.mp3", two, 100.0, directory, excerpts, 20.0, 40.0);
  return ok ? 0 : 1;
}

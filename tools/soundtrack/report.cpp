// vorran-music-report: measures the two tracks as a listener meets them, so a
// composer can see what a change does.
//   vorran-music-report MUSICDIR OUTDIR [--mix-only]
// It decodes MUSICDIR/r.mp3 (the first 230 s, the part the show plays) and
// MUSICDIR/t.mp3 and prints, for each: integrated loudness, loudness range
// and true peak (through ffmpeg's EBU R128 meter), the loudness of each
// section of the plan, the balance of the octave bands, the share of seconds
// that have a near-copy elsewhere, the loudness of each instrument in the
// mix, how far the lead stands out in its own band, and the voices that
// start or stop with a click. It writes a spectrogram and a self-similarity
// picture of each track into OUTDIR.
#include <fcntl.h>
#include <kiss_fftr.h>
#include <mpg123.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <numbers>
#include <string>
#include <thread>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb_image_write.h>

#include "tools/soundtrack/tracks.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// Interleaved stereo at 44.1 kHz.
using Samples = std::vector<float>;

Samples decode(const fs::path& file, double maxSeconds) {
  mpg123_init();
  mpg123_handle* decoder = mpg123_new(nullptr, nullptr);
  mpg123_param(decoder, MPG123_ADD_FLAGS, MPG123_FORCE_STEREO | MPG123_GAPLESS | MPG123_QUIET, 0.0);
  mpg123_format_none(decoder);
  mpg123_format(decoder, sampleRate, MPG123_STEREO, MPG123_ENC_FLOAT_32);
  Samples samples;
  if (mpg123_open(decoder, file.c_str()) == MPG123_OK) {
    float chunk[8192];
    size_t bytes = 0;
    for (int result = MPG123_OK; result == MPG123_OK || result == MPG123_NEW_FORMAT;) {
      result = mpg123_read(decoder, chunk, sizeof chunk, &bytes);
      samples.insert(samples.end(), chunk, chunk + bytes / sizeof(float));
    }
  }
  mpg123_delete(decoder);
  samples.resize(std::min(samples.size(), static_cast<size_t>(maxSeconds * sampleRate) * 2));
  return samples;
}

Samples interleave(const StereoTrack& track, size_t frames) {
  Samples out(2 * std::min(frames, track.left.size()));
  for (size_t i = 0; i < out.size() / 2; ++i) {
    out[2 * i] = track.left[i];
    out[2 * i + 1] = track.right[i];
  }
  return out;
}

struct Loudness {
  double integrated = -70.0;
  double range = 0.0;
  double truePeak = -70.0;
};

// ffmpeg's EBU R128 meter over the samples, fed through a pipe; its summary
// is read from the end of what it prints.
Loudness measureLoudness(const Samples& samples) {
  Loudness loudness;
  static std::atomic<int> runs{0};
  const std::string log = (fs::temp_directory_path() / ("vorran-loudness-" + std::to_string(getpid()) + "-" +
                                                         std::to_string(runs++)))
                              .string();
  int ends[2];
  if (samples.empty() || pipe(ends) != 0) return loudness;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, ends[0], STDIN_FILENO);
  posix_spawn_file_actions_addclose(&actions, ends[1]);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const char* argv[] = {"ffmpeg", "-hide_banner", "-nostats", "-f", "f32le", "-ar", "44100", "-ac", "2",
                        "-i", "pipe:0", "-af", "ebur128=peak=true", "-f", "null", "-", nullptr};
  pid_t process = -1;
  const int spawned =
      posix_spawnp(&process, "ffmpeg", &actions, nullptr, const_cast<char* const*>(argv), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(ends[0]);
  if (spawned == 0) {
    const auto* bytes = reinterpret_cast<const char*>(samples.data());
    size_t left = samples.size() * sizeof(float);
    while (left > 0) {
      const ssize_t n = write(ends[1], bytes, left);
      if (n <= 0) break;
      bytes += n;
      left -= static_cast<size_t>(n);
    }
  }
  close(ends[1]);
  int status = 0;
  if (spawned == 0) waitpid(process, &status, 0);
  std::FILE* file = std::fopen(log.c_str(), "r");
  if (file == nullptr) return loudness;
  char line[512];
  bool summary = false;
  while (std::fgets(line, sizeof line, file) != nullptr) {
    if (std::strstr(line, "Summary:") != nullptr) summary = true;
    if (!summary) continue;
    std::sscanf(line, " I: %lf LUFS", &loudness.integrated);
    std::sscanf(line, " LRA: %lf LU", &loudness.range);
    std::sscanf(line, " Peak: %lf dBFS", &loudness.truePeak);
  }
  std::fclose(file);
  std::remove(log.c_str());
  return loudness;
}

Samples slice(const Samples& samples, double from, double to) {
  const size_t a = std::min(samples.size(), static_cast<size_t>(from * sampleRate) * 2);
  const size_t b = std::min(samples.size(), static_cast<size_t>(to * sampleRate) * 2);
  return Samples(samples.begin() + static_cast<std::ptrdiff_t>(a), samples.begin() + static_cast<std::ptrdiff_t>(b));
}

// Power spectra of the mono mix: 2048-frame Hann windows every 1024 frames.
constexpr int fftSize = 2048;
constexpr int hop = 1024;

std::vector<std::vector<float>> spectra(const Samples& samples) {
  kiss_fftr_cfg fft = kiss_fftr_alloc(fftSize, 0, nullptr, nullptr);
  std::vector<std::vector<float>> out;
  std::vector<kiss_fft_scalar> frame(fftSize);
  std::vector<kiss_fft_cpx> bins(fftSize / 2 + 1);
  const size_t frames = samples.size() / 2;
  for (size_t start = 0; start + fftSize <= frames; start += hop) {
    for (int i = 0; i < fftSize; ++i) {
      const float hann = static_cast<float>(0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * i / fftSize));
      frame[static_cast<size_t>(i)] = 0.5f * (samples[2 * (start + static_cast<size_t>(i))] +
                                              samples[2 * (start + static_cast<size_t>(i)) + 1]) * hann;
    }
    kiss_fftr(fft, frame.data(), bins.data());
    std::vector<float> power(fftSize / 2 + 1);
    for (size_t k = 0; k < power.size(); ++k) power[k] = bins[k].r * bins[k].r + bins[k].i * bins[k].i;
    out.push_back(std::move(power));
  }
  kiss_fftr_free(fft);
  return out;
}

double binHz(size_t k) { return static_cast<double>(k) * sampleRate / fftSize; }

// Energy between two frequencies, summed over every window.
double bandEnergy(const std::vector<std::vector<float>>& power, double low, double high) {
  double sum = 0.0;
  for (const auto& frame : power) {
    for (size_t k = 1; k < frame.size(); ++k) {
      if (binHz(k) >= low && binHz(k) < high) sum += frame[k];
    }
  }
  return sum;
}

double decibels(double energy) { return 10.0 * std::log10(std::max(energy, 1e-20)); }

// Timbre of each second: the mean over its windows of 13 cepstral
// coefficients of 26 mel bands, without the first (the loudness).
std::vector<std::vector<double>> timbrePerSecond(const std::vector<std::vector<float>>& power) {
  constexpr int bands = 26;
  constexpr int coefficients = 13;
  const auto mel = [](double hz) { return 2595.0 * std::log10(1.0 + hz / 700.0); };
  const double top = mel(16000.0);
  std::vector<std::vector<double>> seconds;
  const size_t perSecond = sampleRate / hop;
  for (size_t start = 0; start + perSecond <= power.size(); start += perSecond) {
    std::vector<double> mean(coefficients - 1, 0.0);
    for (size_t w = start; w < start + perSecond; ++w) {
      double energies[bands] = {};
      for (size_t k = 1; k < power[w].size(); ++k) {
        const double m = mel(binHz(k)) / top * (bands + 1);
        const int band = static_cast<int>(m) - 1;
        if (band >= 0 && band < bands) energies[band] += power[w][k];
      }
      for (int c = 1; c < coefficients; ++c) {
        double sum = 0.0;
        for (int b = 0; b < bands; ++b) {
          sum += std::log(energies[b] + 1e-9) * std::cos(std::numbers::pi * c * (b + 0.5) / bands);
        }
        mean[static_cast<size_t>(c - 1)] += sum / static_cast<double>(perSecond);
      }
    }
    seconds.push_back(mean);
  }
  return seconds;
}

double cosine(const std::vector<double>& a, const std::vector<double>& b) {
  double ab = 0.0, aa = 0.0, bb = 0.0;
  for (size_t i = 0; i < a.size(); ++i) {
    ab += a[i] * b[i];
    aa += a[i] * a[i];
    bb += b[i] * b[i];
  }
  return aa > 0.0 && bb > 0.0 ? ab / std::sqrt(aa * bb) : 0.0;
}

// The share of seconds with a near-copy (cosine above 0.95) elsewhere, not
// counting the seconds right beside it; the similarity map as a picture.
// Each coefficient is first standardised over the track, so that what is
// compared is how a second differs from the track's usual sound.
double repetitionShare(std::vector<std::vector<double>> timbre, const fs::path& picture) {
  const size_t n = timbre.size();
  for (size_t c = 0; n > 1 && c < timbre[0].size(); ++c) {
    double mean = 0.0, square = 0.0;
    for (const auto& second : timbre) mean += second[c] / static_cast<double>(n);
    for (const auto& second : timbre) square += (second[c] - mean) * (second[c] - mean) / static_cast<double>(n);
    const double spread = std::sqrt(square) + 1e-9;
    for (auto& second : timbre) second[c] = (second[c] - mean) / spread;
  }
  std::vector<unsigned char> pixels(n * n * 3, 0);
  size_t copied = 0;
  for (size_t i = 0; i < n; ++i) {
    bool copy = false;
    for (size_t j = 0; j < n; ++j) {
      const double s = cosine(timbre[i], timbre[j]);
      if (j + 1 < i || j > i + 1) copy = copy || s > 0.95;
      const auto level = static_cast<unsigned char>(std::clamp((s - 0.5) * 2.0, 0.0, 1.0) * 255.0);
      unsigned char* p = &pixels[((n - 1 - j) * n + i) * 3];
      p[0] = level;
      p[1] = s > 0.95 ? level : static_cast<unsigned char>(level / 2);
      p[2] = static_cast<unsigned char>(level / 3);
    }
    copied += copy ? 1 : 0;
  }
  stbi_write_png(picture.c_str(), static_cast<int>(n), static_cast<int>(n), 3, pixels.data(), static_cast<int>(n) * 3);
  return n > 0 ? static_cast<double>(copied) / static_cast<double>(n) : 0.0;
}

struct TrackSpec {
  const char* name;
  const char* file;
  double seconds;  // how much of the file the show plays
  const std::vector<Section>& sections;
  StereoTrack (*compose)(uint32_t, float);
};

const char* const partNames[] = {"kick", "snare", "clap", "hats", "bass", "pad",
                                 "arpeggio", "lead", "keys", "bells", "riser"};

void report(const TrackSpec& spec, const fs::path& music, const fs::path& out, bool mixOnly) {
  const Samples mix = decode(music / spec.file, spec.seconds);
  const Loudness whole = measureLoudness(mix);
  std::printf("\n%s (%s, 0-%.0f s)\n", spec.name, spec.file, static_cast<double>(mix.size() / 2) / sampleRate);
  std::printf("  integrated %.1f LUFS, loudness range %.1f LU, true peak %.1f dBTP\n", whole.integrated,
              whole.range, whole.truePeak);

  std::printf("  sections:\n");
  for (const Section& section : spec.sections) {
    const Loudness part = measureLoudness(slice(mix, section.from, std::min(section.to, spec.seconds)));
    std::printf("    %6.1f-%6.1f s  %6.1f LUFS  %s\n", section.from, section.to, part.integrated, section.name);
  }

  const auto power = spectra(mix);
  const double total = bandEnergy(power, 20.0, 20000.0);
  std::printf("  octave bands (dB of the whole):");
  for (double centre : {63.0, 125.0, 250.0, 500.0, 1000.0, 2000.0, 4000.0, 8000.0}) {
    std::printf(" %.0f:%.1f", centre, decibels(bandEnergy(power, centre / std::numbers::sqrt2, centre * std::numbers::sqrt2) / total));
  }
  std::printf("\n  250 Hz octave over the 1 kHz octave: %.1f dB\n",
              decibels(bandEnergy(power, 177.0, 354.0)) - decibels(bandEnergy(power, 707.0, 1414.0)));
  const double share = repetitionShare(timbrePerSecond(power), out / (std::string(spec.file, 1) + "-similarity.png"));
  std::printf("  seconds with a near-copy elsewhere: %.1f %%\n", 100.0 * share);

  if (mixOnly) return;
  // The instruments as rendered alone at the full mix's level, two at a
  // time: the loudness of each, and the lead's band against the rest's.
  const StereoTrack full = spec.compose(allParts, 0.0f);
  std::printf("  voices %d, starting or ending with a click: %d\n", full.voices, full.clickingVoices);
  const size_t frames = static_cast<size_t>(spec.seconds * sampleRate);
  const uint32_t parts = static_cast<uint32_t>(Part::Count);
  std::vector<double> partLoudness(parts, -70.0);
  std::vector<double> leadBand, restBand;
  // Energy in 500-2000 Hz of each second.
  const auto perSecondBand = [](const Samples& samples) {
    const auto windows = spectra(samples);
    const size_t perSecond = sampleRate / hop;
    std::vector<double> seconds;
    for (size_t s = 0; s + perSecond <= windows.size(); s += perSecond) {
      seconds.push_back(bandEnergy({windows.begin() + static_cast<std::ptrdiff_t>(s),
                                    windows.begin() + static_cast<std::ptrdiff_t>(s + perSecond)},
                                   500.0, 2000.0));
    }
    return seconds;
  };
  const auto job = [&](uint32_t j) {
    if (j < parts) {
      partLoudness[j] = measureLoudness(interleave(spec.compose(1u << j, full.levelGain), frames)).integrated;
    } else if (j == parts) {
      leadBand = perSecondBand(interleave(spec.compose(partBit(Part::Lead), full.levelGain), frames));
    } else {
      restBand = perSecondBand(interleave(spec.compose(allParts & ~partBit(Part::Lead), full.levelGain), frames));
    }
  };
  std::thread other([&] {
    for (uint32_t j = 1; j <= parts + 1; j += 2) job(j);
  });
  for (uint32_t j = 0; j <= parts + 1; j += 2) job(j);
  other.join();
  std::printf("  instruments (LUFS):");
  for (uint32_t p = 0; p < parts; ++p) std::printf(" %s %.1f", partNames[p], partLoudness[p]);
  std::printf("\n");

  // The lead in its band against everything else, over the seconds where it
  // plays (within 20 dB of its loudest second).
  const double loudestLead = leadBand.empty() ? 0.0 : *std::max_element(leadBand.begin(), leadBand.end());
  std::vector<double> margins;
  for (size_t i = 0; i < std::min(leadBand.size(), restBand.size()); ++i) {
    if (leadBand[i] > loudestLead * 0.01) margins.push_back(decibels(leadBand[i]) - decibels(restBand[i]));
  }
  std::sort(margins.begin(), margins.end());
  if (!margins.empty()) {
    const double atLeast3 = static_cast<double>(std::count_if(margins.begin(), margins.end(), [](double m) { return m >= 3.0; }));
    std::printf("  lead over the rest in 500-2000 Hz, over %zu seconds of lead: median %.1f dB, lowest tenth %.1f dB, "
                "%.0f %% of them at least 3 dB\n",
                margins.size(), margins[margins.size() / 2], margins[margins.size() / 10],
                100.0 * atLeast3 / static_cast<double>(margins.size()));
  }

  const fs::path spectrogram = out / (std::string(spec.file, 1) + "-sound-over-time.png");
  const std::string command = "ffmpeg -v error -y -i " + (music / spec.file).string() + " -t " +
                              std::to_string(spec.seconds) +
                              " -lavfi aformat=channel_layouts=mono,aresample=22050,showspectrumpic=s=1200x400:legend=1:scale=log " + spectrogram.string();
  if (std::system(command.c_str()) != 0) std::printf("  (no spectrogram: ffmpeg failed)\n");
}

}  // namespace

int main(int argc, char** argv) {
  const bool mixOnly = argc == 4 && std::strcmp(argv[3], "--mix-only") == 0;
  if (argc != 3 && !mixOnly) {
    std::fprintf(stderr, "usage: vorran-music-report MUSICDIR OUTDIR [--mix-only]\n");
    return 2;
  }
  const fs::path music = argv[1];
  const fs::path out = argv[2];
  std::error_code error;
  fs::create_directories(out, error);
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  report({"Track one", "r.mp3", 230.0, trackOneSections, composeTrackOne}, music, out, mixOnly);
  report({"Track two", "t.mp3", trackTwoSeconds, trackTwoSections, composeTrackTwo}, music, out, mixOnly);
  std::printf("\nPictures: %s\n", out.c_str());
  return 0;
}

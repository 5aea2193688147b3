// vorran-capture: renders the presentation frame by frame on a virtual clock
// and writes the frames as video with the show's sound, as PNG files, or the
// simulations' state, for sharing, screenshots and the study of the
// simulations.
#include <GL/gl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cinttypes>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/programDirectory.h"
#include "runtime/stateDump.h"
#include "show/options.h"
#include "show/timeline.h"
#include "show/virtualRun.h"
#include "tools/capture/captureDriver.h"
#include "tools/capture/pngWriter.h"
#include "tools/capture/videoEncoder.h"
#include "tools/capture/wavWriter.h"

namespace {

const char* const usage =
    "usage: vorran-capture [--video FILE.mp4] [--wav FILE.wav] [--out DIR] [--timing FILE.csv]\n"
    "                      [--dump-state DIR2] [--size WxH] [--fps N|N/M] [--entries A-B]\n"
    "                      [--from ENTRY] [--from-ms X] [--to-ms Y] [--every K] [--scroll-ms S]\n"
    "                      [--random-steps SEED] [--check]\n"
    "\n"
    "Plays the presentation on a virtual clock and writes the selected frames.\n"
    "Frames are selected by their entry (1 to 116) and their virtual time since\n"
    "start-up; the capture stops once the last selected entry has ended or the\n"
    "virtual time has passed --to-ms, or at Ctrl-C, which still finishes the\n"
    "files. At least one output is needed.\n"
    "\n"
    "  --video FILE.mp4   the selected frames as H.264 video with the show's sound\n"
    "                     as AAC (needs the ffmpeg command)\n"
    "  --wav FILE.wav     the sound of the selected frames, 16-bit stereo 44.1 kHz\n"
    "  --out DIR          the frames as DIR/frame-NNNNNN.png with DIR/frames.csv\n"
    "                     (--png DIR is the same)\n"
    "  --timing FILE.csv  the time each selected frame took, one row per frame:\n"
    "                     frame,entry,idleMs,displayMs,cpuMs (the simulation step and\n"
    "                     the drawing up to the buffer swap in wall-clock ms, and the\n"
    "                     processor time of the show's own thread over both); a table\n"
    "                     per entry (median, p95, max of their sum) goes to stdout\n"
    "  --dump-state DIR2  the simulation state of every written frame\n"
    "  --size WxH         the window's size (default 800x600); the 4:3 picture is\n"
    "                     scaled to fit, centred between black bars\n"
    "  --fps N|N/M        frames per virtual second, 1 to 1000 (default 60), e.g. 50,\n"
    "                     30000/1001\n"
    "  --entries A-B      only frames whose current entry is within A..B\n"
    "  --from ENTRY       the same as --entries ENTRY-116\n"
    "  --from-ms X        only frames at or after X ms of virtual time\n"
    "  --to-ms Y          only frames at or before Y ms of virtual time\n"
    "  --every K          write every K-th selected frame as PNG and state (default 1)\n"
    "  --scroll-ms S      the closing scroll never ends: stop S ms after it\n"
    "                     began when nothing else ends the capture (default 60000)\n"
    "  --random-steps SEED  each frame moves the clock by a whole number of ms\n"
    "                     drawn evenly from 0 to 100, from a generator of the\n"
    "                     tool's own seeded with SEED (not with --video or --wav)\n"
    "  --check            after every frame, stop with one line at the first\n"
    "                     simulation value that is NaN or infinite, or at an\n"
    "                     OpenGL error; it may be the only output\n"
    "\n"
    "Without a display it runs itself under xvfb-run.\n";

struct Options {
  std::string out;
  std::string video;
  std::string wav;
  std::string timing;
  std::string dumpState;
  int width = captureWidth;
  int height = captureHeight;
  FrameRate rate;
  int firstEntry = 1;
  int lastEntry = timelineLength;
  int64_t fromMs = 0;
  int64_t toMs = -1;
  int64_t every = 1;
  int64_t scrollMs = 60000;
  bool randomSteps = false;
  uint64_t stepSeed = 0;
  bool check = false;
};

[[noreturn]] void badArguments(const std::string& message) {
  std::fprintf(stderr, "vorran-capture: %s (vorran-capture --help lists the options)\n", message.c_str());
  std::exit(2);
}

int64_t parseNumber(const char* option, const char* text, int64_t low, int64_t high) {
  int64_t value = 0;
  std::string why;
  if (!parseWhole(text, low, high, value, why)) {
    badArguments(std::string(option) + " wants " + why + ", not '" + text + "'");
  }
  return value;
}

Options parseOptions(int argc, char** argv) {
  Options options;
  bool msRangeGiven = false;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--help" || option == "-h") {
      std::fputs(usage, stdout);
      std::exit(0);
    }
    if (option == "--check") {
      options.check = true;
      continue;
    }
    if (i + 1 >= argc) badArguments(option + " needs a value");
    const char* value = argv[++i];
    std::string why;
    if (option == "--out" || option == "--png") {
      options.out = value;
    } else if (option == "--video") {
      options.video = value;
    } else if (option == "--wav") {
      options.wav = value;
    } else if (option == "--timing") {
      options.timing = value;
    } else if (option == "--dump-state") {
      options.dumpState = value;
    } else if (option == "--size") {
      if (!parseWindowSize(value, options.width, options.height, why)) {
        badArguments("--size wants " + why + ", not '" + std::string(value) + "'");
      }
    } else if (option == "--fps") {
      if (!parseFrameRate(value, options.rate, why)) {
        badArguments("--fps wants " + why + ", not '" + std::string(value) + "'");
      }
    } else if (option == "--every") {
      options.every = parseNumber("--every", value, 1, INT32_MAX);
    } else if (option == "--from") {
      options.firstEntry = static_cast<int>(parseNumber("--from", value, 1, timelineLength));
      options.lastEntry = timelineLength;
    } else if (option == "--from-ms") {
      options.fromMs = parseNumber("--from-ms", value, 0, UINT32_MAX);
      msRangeGiven = true;
    } else if (option == "--to-ms") {
      options.toMs = parseNumber("--to-ms", value, 0, UINT32_MAX);
      msRangeGiven = true;
    } else if (option == "--random-steps") {
      options.randomSteps = true;
      options.stepSeed = static_cast<uint64_t>(parseNumber("--random-steps", value, 0, INT64_MAX));
    } else if (option == "--scroll-ms") {
      options.scrollMs = parseNumber("--scroll-ms", value, 0, UINT32_MAX);
    } else if (option == "--entries") {
      const char* dash = std::strchr(value, '-');
      const std::string first = dash != nullptr ? std::string(value, dash) : std::string(value);
      const std::string last = dash != nullptr ? std::string(dash + 1) : std::string(value);
      options.firstEntry = static_cast<int>(parseNumber("--entries", first.c_str(), 1, timelineLength));
      options.lastEntry = static_cast<int>(parseNumber("--entries", last.c_str(), 1, timelineLength));
      if (options.firstEntry > options.lastEntry) badArguments("--entries wants A-B with A <= B");
    } else {
      badArguments("unknown option " + option);
    }
  }
  if (options.out.empty() && options.video.empty() && options.wav.empty() && options.timing.empty() &&
      options.dumpState.empty() && !options.check) {
    badArguments("give --video FILE.mp4, --wav FILE.wav, --out DIR, --timing FILE.csv, --dump-state DIR2 or --check");
  }
  // The sound follows the frames at the frame rate.
  if (options.randomSteps && (!options.video.empty() || !options.wav.empty())) {
    badArguments("--random-steps cannot go with --video or --wav");
  }
  if (msRangeGiven && options.toMs >= 0 && options.toMs < options.fromMs) {
    badArguments("--to-ms must not be less than --from-ms");
  }
  return options;
}

// Without a display the capture runs itself again under a virtual X server.
void ensureDisplay(char** argv) {
  const char* display = std::getenv("DISPLAY");
  if (display != nullptr && *display != '\0') return;
  if (std::getenv("VORRAN_CAPTURE_UNDER_XVFB") != nullptr) {
    std::fprintf(stderr, "vorran-capture: xvfb-run gave no display\n");
    std::exit(1);
  }
  setenv("VORRAN_CAPTURE_UNDER_XVFB", "1", 1);
  std::vector<char*> args;
  static char xvfbRun[] = "xvfb-run";
  static char autoNumber[] = "-a";
  static char serverFlag[] = "-s";
  static char serverArgs[] = "-screen 0 1024x768x24 -nolisten tcp";
  args = {xvfbRun, autoNumber, serverFlag, serverArgs};
  char self[4096];
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  if (length <= 0) {
    std::fprintf(stderr, "vorran-capture: cannot find its own executable\n");
    std::exit(1);
  }
  self[length] = '\0';
  args.push_back(self);
  for (char** arg = argv + 1; *arg != nullptr; ++arg) args.push_back(*arg);
  args.push_back(nullptr);
  execvp("xvfb-run", args.data());
  std::fprintf(stderr, "vorran-capture: no display, and xvfb-run cannot be started (%s)\n",
               std::strerror(errno));
  std::exit(1);
}

std::string framePath(const std::string& directory, int64_t frame, const char* suffix) {
  char name[64];
  std::snprintf(name, sizeof name, "/frame-%06" PRId64 "%s", frame, suffix);
  return directory + name;
}

void makeDirectory(const std::string& directory) {
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  if (error) {
    std::fprintf(stderr, "vorran-capture: cannot create %s: %s\n", directory.c_str(),
                 error.message().c_str());
    std::exit(1);
  }
}

// The virtual time at which entry `last` ends, roughly; the closing scroll
// runs for scrollMs.
double expectedEndMs(int last, FrameRate rate, int64_t scrollMs) {
  if (last < timelineLength) return entryStartVirtualMs(last + 1, rate);
  return entryStartVirtualMs(timelineLength, rate) + static_cast<double>(scrollMs);
}

void showProgress(double fraction, int entry, double elapsed, double framesPerSecond) {
  fraction = std::clamp(fraction, 0.0, 1.0);
  constexpr int barWidth = 30;
  char bar[barWidth + 1];
  const int filled = static_cast<int>(fraction * barWidth);
  for (int i = 0; i < barWidth; ++i) bar[i] = i < filled ? '#' : '.';
  bar[barWidth] = '\0';
  const double left = fraction > 0.01 ? elapsed * (1.0 - fraction) / fraction : 0.0;
  std::fprintf(stderr, "\r[%s] %3d%%  entry %3d  %5.1f frames/s  %4.0f s left ", bar,
               static_cast<int>(fraction * 100.0), entry, framesPerSecond, left);
}

// The steps of --random-steps come from a generator of the tool's own
// (SplitMix64), so that the show's random draws stay those of an even run.
uint32_t nextRandomStepMs(uint64_t& state) {
  state += 0x9E3779B97F4A7C15u;
  uint64_t z = state;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
  z ^= z >> 31;
  return static_cast<uint32_t>(z % 101);
}

const char* glErrorName(GLenum error) {
  switch (error) {
    case GL_INVALID_ENUM: return "GL_INVALID_ENUM";
    case GL_INVALID_VALUE: return "GL_INVALID_VALUE";
    case GL_INVALID_OPERATION: return "GL_INVALID_OPERATION";
    case GL_STACK_OVERFLOW: return "GL_STACK_OVERFLOW";
    case GL_STACK_UNDERFLOW: return "GL_STACK_UNDERFLOW";
    case GL_OUT_OF_MEMORY: return "GL_OUT_OF_MEMORY";
    default: return "an unknown error";
  }
}

// What --check finds wrong after a frame: an OpenGL error, or a simulation
// value that is not finite; empty when the frame is sound.
std::string frameFault() {
  const GLenum error = glGetError();
  if (error != GL_NO_ERROR) {
    char text[64];
    std::snprintf(text, sizeof text, "OpenGL error %s (0x%04X)", glErrorName(error), error);
    return text;
  }
  const std::string state = firstNonFiniteState();
  return state.empty() ? state : "state " + state;
}

// Ctrl-C or a termination request: the capture stops after the frame in
// hand and finishes its files.
volatile std::sig_atomic_t stopRequested = 0;
void requestStop(int) { stopRequested = 1; }

// Whether a file can be made at the path; a file made only to find out is
// removed again (never one that was there, a link to a device included).
bool canWrite(const std::string& path) {
  std::error_code error;
  const bool existed = std::filesystem::exists(std::filesystem::symlink_status(path, error));
  FILE* file = std::fopen(path.c_str(), "ab");
  if (file == nullptr) return false;
  std::fclose(file);
  if (!existed) std::remove(path.c_str());
  return true;
}

// Opens a file for writing, or ends the tool with a clear message.
FILE* openForWriting(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "w");
  if (file == nullptr) {
    std::fprintf(stderr, "vorran-capture: cannot write %s: %s\n", path.c_str(), std::strerror(errno));
    std::exit(1);
  }
  return file;
}

// Closes a written file; a full disk shows here at the latest.
void closeWritten(FILE* file, const std::string& path) {
  if (file == nullptr) return;
  const bool failed = std::ferror(file) != 0;
  if (std::fclose(file) != 0 || failed) {
    std::fprintf(stderr, "vorran-capture: cannot write %s\n", path.c_str());
    std::exit(1);
  }
}

// The value at fraction q (0 to 1) of the sorted values, by the nearest rank.
double quantile(const std::vector<double>& sorted, double q) {
  const size_t rank = static_cast<size_t>(std::ceil(q * static_cast<double>(sorted.size())));
  return sorted[std::min(sorted.size(), std::max<size_t>(rank, 1)) - 1];
}

// The times of an entry's frames: each one's idle plus display, and the
// presentation's own processor time in it (the rest is the rasteriser's).
struct EntryTimes {
  std::vector<double> frameMs;
  std::vector<double> cpuMs;
};

// Per entry: frames, the median, 95th percentile and maximum of the frame
// time, and the median of the processor time.
void printTimingTable(std::map<int, EntryTimes>& timesByEntry) {
  std::printf("entry  frames  medianMs   p95Ms   maxMs  cpuMs\n");
  for (auto& [entry, times] : timesByEntry) {
    std::sort(times.frameMs.begin(), times.frameMs.end());
    std::sort(times.cpuMs.begin(), times.cpuMs.end());
    std::printf("%5d  %6zu  %8.2f  %6.2f  %6.2f  %5.2f\n", entry, times.frameMs.size(),
                quantile(times.frameMs, 0.5), quantile(times.frameMs, 0.95), times.frameMs.back(),
                quantile(times.cpuMs, 0.5));
  }
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = parseOptions(argc, argv);
  ensureDisplay(argv);
  // Relative paths are taken from where the tool was started, before it
  // moves to its own directory to find the pictures and music.
  const auto absolute = [](const std::string& path) {
    return path.empty() ? path : std::filesystem::absolute(path).string();
  };
  const std::string out = absolute(options.out);
  const std::string dumpState = absolute(options.dumpState);
  const std::string timingPath = absolute(options.timing);
  const std::string videoPath = absolute(options.video);
  // The sound goes to the asked WAV file, or for a video to one beside it
  // that goes once the two are put together; the frames likewise.
  const std::string wavPath = !options.wav.empty() ? absolute(options.wav)
                              : videoPath.empty() ? std::string()
                                                  : videoPath + ".sound.wav";
  const std::string framesPath = videoPath.empty() ? std::string() : videoPath + ".frames.mp4";
  for (const std::string& path : {videoPath, absolute(options.wav), timingPath}) {
    if (!path.empty() && !canWrite(path)) {
      std::fprintf(stderr, "vorran-capture: cannot write %s: %s\n", path.c_str(), std::strerror(errno));
      return 1;
    }
  }
  // The state folder is tried first: a capture that cannot write its state
  // leaves no frames behind either.
  if (!dumpState.empty()) {
    makeDirectory(dumpState);
    if (!canWrite(dumpState + "/frames.probe")) {
      std::fprintf(stderr, "vorran-capture: cannot write %s: %s\n", dumpState.c_str(), std::strerror(errno));
      return 1;
    }
  }
  if (!out.empty()) makeDirectory(out);

  FILE* csv = out.empty() ? nullptr : openForWriting(out + "/frames.csv");
  if (csv != nullptr) std::fprintf(csv, "frame,entry,virtualMs,timelineMs,frameMs\n");
  FILE* timing = timingPath.empty() ? nullptr : openForWriting(timingPath);
  if (timing != nullptr) std::fprintf(timing, "frame,entry,idleMs,displayMs,cpuMs\n");
  std::map<int, EntryTimes> timesByEntry;
  WavWriter wav;
  if (!wavPath.empty() && !openWav(wav, wavPath)) {
    std::fprintf(stderr, "vorran-capture: cannot write %s\n", wavPath.c_str());
    return 1;
  }
  enterProgramDirectory();

  const bool terminal = isatty(STDERR_FILENO) != 0;
  const uint64_t wallStart = monotonicMicros();
  captureStart(options.width, options.height);
  VideoEncoder video;
  if (!videoPath.empty()) {
    std::string why;
    if (!startVideo(video, framesPath, options.width, options.height, options.rate, why)) {
      std::fprintf(stderr, "vorran-capture: %s\n", why.c_str());
      return 1;
    }
  }
  std::signal(SIGINT, requestStop);
  std::signal(SIGTERM, requestStop);
  // Pictures are read back only where something is made of them.
  const bool pictures = csv != nullptr || !videoPath.empty();
  // Random steps average 50 ms.
  const FrameRate averageRate = options.randomSteps ? FrameRate{20, 1} : options.rate;
  // Frames well before the first one asked for fill no pixel and are not
  // read back.
  drawUnseenUntil(
      std::max(static_cast<double>(options.fromMs), entryStartVirtualMs(options.firstEntry, averageRate)));
  const double endMs = expectedEndMs(options.toMs >= 0 ? timelineLength : options.lastEntry, averageRate,
                                     options.scrollMs);
  uint64_t stepState = options.stepSeed;
  // Sound: virtual sample n is heard n / 44.1 ms after start-up. Frame k's
  // cycle ends at (k + 1) / fps seconds, give or take a millisecond, and its
  // block of sound runs from there to the next frame's; the blocks' lengths
  // carry the fraction of a sample forward.
  const auto soundAt = [&options](int64_t frame) {
    return frame * audioSampleRate * options.rate.denominator / options.rate.numerator;
  };
  std::vector<float> sound;

  // Where the time goes: the cycles (stepping, drawing and reading back),
  // handing frames to the encoder (waiting while it is behind), and
  // writing pictures, state and sound.
  uint64_t cycleMicros = 0, encoderMicros = 0, fileMicros = 0;
  int64_t selected = 0;
  int64_t written = 0;
  int64_t recorded = 0;
  int64_t cycles = 0;
  int64_t scrollStartMs = -1;
  int firstWrittenEntry = 0;
  int lastWrittenEntry = 0;
  bool failed = false;
  while (stopRequested == 0 && !failed) {
    captureReadBack(pictures && !nextCycleUnseen());
    const uint64_t cycleStart = monotonicMicros();
    const CaptureCycle cycle =
        options.randomSteps ? captureCycleMs(nextRandomStepMs(stepState)) : captureCycle(options.rate);
    cycleMicros += monotonicMicros() - cycleStart;
    ++cycles;
    int status = 0;
    if (captureExitRequested(&status)) break;
    if (options.check) {
      const std::string fault = frameFault();
      if (!fault.empty()) {
        if (terminal) std::fputc('\n', stderr);
        std::fprintf(stderr, "vorran-capture: frame %" PRId64 " (entry %d, %u ms, frameMs %d): %s\n", cycle.frame,
                     cycle.entry, cycle.virtualMs, cycle.frameMs, fault.c_str());
        return 1;
      }
    }

    const int64_t ms = cycle.virtualMs;
    if (cycle.entry > options.lastEntry) break;
    if (options.toMs >= 0 && ms > options.toMs) break;
    if (cycle.entry == timelineLength) {
      if (scrollStartMs < 0) scrollStartMs = ms;
      if (options.toMs < 0 && ms - scrollStartMs > options.scrollMs) break;
    }

    const bool inRange = cycle.entry >= options.firstEntry && ms >= options.fromMs;
    if (inRange && timing != nullptr) {
      std::fprintf(timing, "%" PRId64 ",%d,%.3f,%.3f,%.3f\n", cycle.frame, cycle.entry, cycle.idleMs,
                   cycle.displayMs, cycle.cpuMs);
      EntryTimes& times = timesByEntry[cycle.entry];
      times.frameMs.push_back(cycle.idleMs + cycle.displayMs);
      times.cpuMs.push_back(cycle.cpuMs);
    }
    if (inRange && wav.file != nullptr) {
      const int64_t first = soundAt(cycle.frame + 1);
      const auto frames = static_cast<size_t>(soundAt(cycle.frame + 2) - first);
      sound.resize(2 * frames);
      audioMixVirtual(first, frames, sound.data());
      appendWav(wav, sound.data(), frames);
      failed = failed || wav.failed;
    }
    if (inRange && !videoPath.empty()) {
      const uint64_t start = monotonicMicros();
      failed = failed || !appendVideoFrame(video, capturedPixels());
      encoderMicros += monotonicMicros() - start;
      ++recorded;
    }
    if (inRange && (csv != nullptr || !dumpState.empty())) {
      const uint64_t filesStart = monotonicMicros();
      if (selected % options.every == 0) {
        if (csv != nullptr) {
          const std::string png = framePath(out, cycle.frame, ".png");
          if (!writePng(png, capturedPixels(), options.width, options.height)) {
            if (terminal) std::fputc('\n', stderr);
            std::fprintf(stderr, "vorran-capture: cannot write %s\n", png.c_str());
            return 1;
          }
          std::fprintf(csv, "%" PRId64 ",%d,%u,%d,%d\n", cycle.frame, cycle.entry, cycle.virtualMs,
                       cycle.timelineMs, cycle.frameMs);
        }
        if (!dumpState.empty()) {
          const std::string frameDirectory = framePath(dumpState, cycle.frame, "");
          makeDirectory(frameDirectory);
          if (!writeStateDumps(frameDirectory)) {
            if (terminal) std::fputc('\n', stderr);
            std::fprintf(stderr, "vorran-capture: cannot write the state to %s\n", frameDirectory.c_str());
            return 1;
          }
        }
        if (written == 0) firstWrittenEntry = cycle.entry;
        lastWrittenEntry = cycle.entry;
        ++written;
      }
      ++selected;
      fileMicros += monotonicMicros() - filesStart;
    }

    if (terminal && cycles % 10 == 0) {
      const double elapsed = static_cast<double>(monotonicMicros() - wallStart) * 1e-6;
      const double toMs = options.toMs >= 0 ? static_cast<double>(options.toMs) : endMs;
      showProgress(static_cast<double>(ms) / toMs, cycle.entry, elapsed,
                   elapsed > 0.0 ? static_cast<double>(cycles) / elapsed : 0.0);
    }
  }
  if (terminal) std::fputc('\n', stderr);
  if (stopRequested != 0) std::fprintf(stderr, "vorran-capture: stopped; finishing the files\n");
  closeWritten(csv, out + "/frames.csv");
  closeWritten(timing, timingPath);
  const bool soundWritten = wav.file == nullptr || closeWav(wav);
  if (!videoPath.empty()) {
    std::string why;
    if (!finishVideo(video) || (failed && !wav.failed)) {
      std::fprintf(stderr, "vorran-capture: cannot write %s: %s\n", videoPath.c_str(),
                   video.why.empty() ? "the video encoder stopped" : video.why.c_str());
      return 1;
    }
    if (!soundWritten || !muxVideoAndSound(framesPath, wavPath, videoPath, why)) {
      std::fprintf(stderr, "vorran-capture: cannot write %s: %s\n", videoPath.c_str(),
                   soundWritten ? why.c_str() : "the sound could not be written");
      return 1;
    }
    std::remove(framesPath.c_str());
    if (options.wav.empty()) std::remove(wavPath.c_str());
  } else if (!soundWritten || failed) {
    std::fprintf(stderr, "vorran-capture: cannot write %s\n", wavPath.c_str());
    return 1;
  }

  const double seconds = static_cast<double>(monotonicMicros() - wallStart) * 1e-6;
  if (timing != nullptr) printTimingTable(timesByEntry);
  int64_t timed = 0;
  for (const auto& [entry, times] : timesByEntry) timed += static_cast<int64_t>(times.frameMs.size());
  std::fputs("vorran-capture: ", stderr);
  if (!out.empty() || !dumpState.empty()) {
    const std::string where = !out.empty() && !dumpState.empty() ? out + " and their state to " + dumpState
                              : !out.empty()                       ? out
                                                                   : dumpState;
    std::fprintf(stderr, "wrote %s%" PRId64 " frame%s (entries %d-%d) to %s; ", out.empty() ? "the state of " : "",
                 written, written == 1 ? "" : "s", firstWrittenEntry, lastWrittenEntry, where.c_str());
  }
  if (!videoPath.empty()) {
    std::fprintf(stderr, "wrote %" PRId64 " frames and their sound to %s; ", recorded, videoPath.c_str());
  } else if (!wavPath.empty()) {
    std::fprintf(stderr, "wrote the sound to %s; ", wavPath.c_str());
  }
  if (!timingPath.empty()) std::fprintf(stderr, "timed %" PRId64 " frames to %s; ", timed, timingPath.c_str());
  if (options.check) std::fputs("checked every frame: no OpenGL error, every simulation value finite; ", stderr);
  std::fprintf(stderr, "rendered %" PRId64 " frames in %.1f s, %.1f frames per second\n", cycles, seconds,
               seconds > 0.0 ? static_cast<double>(cycles) / seconds : 0.0);
  // Where the time went, when more than stepping and drawing took it.
  if (pictures || !dumpState.empty()) {
    const double readBack = captureReadBackSeconds();
    std::fprintf(stderr,
                 "vorran-capture: %.1f s stepping and drawing, %.1f s reading pictures back, %.1f s handing frames "
                 "to the encoder, %.1f s writing pictures and state\n",
                 static_cast<double>(cycleMicros) * 1e-6 - readBack, readBack,
                 static_cast<double>(encoderMicros) * 1e-6, static_cast<double>(fileMicros) * 1e-6);
  }
  return 0;
}

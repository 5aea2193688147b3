// vorran-capture: renders the presentation frame by frame on a virtual clock
// and writes the frames as PNG files, for screenshots, video export and the
// study of the simulations.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/programDirectory.h"
#include "runtime/stateDump.h"
#include "show/timeline.h"
#include "tools/capture/captureDriver.h"
#include "tools/capture/pngWriter.h"

namespace {

const char* const usage =
    "usage: vorran-capture [--out DIR] [--timing FILE.csv] [--dump-state DIR2] [--fps N]\n"
    "                      [--entries A-B] [--from-ms X] [--to-ms Y] [--every K] [--scroll-ms S]\n"
    "\n"
    "Plays the presentation on a virtual clock and writes the selected frames as\n"
    "DIR/frame-NNNNNN.png with DIR/frames.csv. Frames are selected by their entry\n"
    "(1 to 116) and their virtual time since start-up; the capture stops once the\n"
    "last selected entry has ended or the virtual time has passed --to-ms. At\n"
    "least one of --out, --timing and --dump-state is needed.\n"
    "\n"
    "  --out DIR          where the frames go (created if missing)\n"
    "  --timing FILE.csv  the time each selected frame took, one row per frame:\n"
    "                     frame,entry,idleMs,displayMs (the simulation step and the\n"
    "                     drawing up to the buffer swap, in wall-clock ms); a table\n"
    "                     per entry (median, p95, max of their sum) goes to stdout\n"
    "  --fps N            frames per virtual second, 1 to 1000 (default 60)\n"
    "  --entries A-B      only frames whose current entry is within A..B\n"
    "  --from-ms X        only frames at or after X ms of virtual time\n"
    "  --to-ms Y          only frames at or before Y ms of virtual time\n"
    "  --every K          write every K-th selected frame (default 1)\n"
    "  --dump-state DIR2  write the simulation state of every written frame\n"
    "  --scroll-ms S      the closing scroll never ends: stop S ms after it\n"
    "                     began when nothing else ends the capture (default 60000)\n"
    "\n"
    "Without a display it runs itself under xvfb-run.\n";

struct Options {
  std::string out;
  std::string timing;
  std::string dumpState;
  int fps = 60;
  int firstEntry = 1;
  int lastEntry = timelineLength;
  int64_t fromMs = 0;
  int64_t toMs = -1;
  int64_t every = 1;
  int64_t scrollMs = 60000;
};

[[noreturn]] void badArguments(const std::string& message) {
  std::fprintf(stderr, "vorran-capture: %s\n\n%s", message.c_str(), usage);
  std::exit(2);
}

int64_t parseNumber(const char* option, const char* text, int64_t low, int64_t high) {
  errno = 0;
  char* end = nullptr;
  const long long value = std::strtoll(text, &end, 10);
  if (errno != 0 || end == text || *end != '\0' || value < low || value > high) {
    badArguments(std::string(option) + " wants a whole number from " + std::to_string(low) +
                 " to " + std::to_string(high) + ", not '" + text + "'");
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
    if (i + 1 >= argc) badArguments(option + " needs a value");
    const char* value = argv[++i];
    if (option == "--out") {
      options.out = value;
    } else if (option == "--timing") {
      options.timing = value;
    } else if (option == "--dump-state") {
      options.dumpState = value;
    } else if (option == "--fps") {
      options.fps = static_cast<int>(parseNumber("--fps", value, 1, 1000));
    } else if (option == "--every") {
      options.every = parseNumber("--every", value, 1, INT32_MAX);
    } else if (option == "--from-ms") {
      options.fromMs = parseNumber("--from-ms", value, 0, UINT32_MAX);
      msRangeGiven = true;
    } else if (option == "--to-ms") {
      options.toMs = parseNumber("--to-ms", value, 0, UINT32_MAX);
      msRangeGiven = true;
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
  if (options.out.empty() && options.timing.empty() && options.dumpState.empty()) {
    badArguments("give --out DIR, --timing FILE.csv or --dump-state DIR2");
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

void showProgress(double fraction, int64_t written, int entry, double elapsed) {
  if (fraction < 0.0) fraction = 0.0;
  if (fraction > 1.0) fraction = 1.0;
  constexpr int barWidth = 30;
  char bar[barWidth + 1];
  const int filled = static_cast<int>(fraction * barWidth);
  for (int i = 0; i < barWidth; ++i) bar[i] = i < filled ? '#' : '.';
  bar[barWidth] = '\0';
  const double eta = fraction > 0.01 ? elapsed * (1.0 - fraction) / fraction : 0.0;
  std::fprintf(stderr, "\r[%s] %3d%%  entry %3d  %6" PRId64 " frames  elapsed %5.0fs  ETA %5.0fs ",
               bar, static_cast<int>(fraction * 100.0), entry, written, elapsed, eta);
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

// Per entry: frames, and the median, 95th percentile and maximum of the time
// a frame took (idle plus display).
void printTimingTable(const std::map<int, std::vector<double>>& frameMsByEntry) {
  std::printf("entry  frames  medianMs   p95Ms   maxMs\n");
  for (const auto& [entry, times] : frameMsByEntry) {
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    std::printf("%5d  %6zu  %8.2f  %6.2f  %6.2f\n", entry, sorted.size(), quantile(sorted, 0.5),
                quantile(sorted, 0.95), sorted.back());
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
  if (!out.empty()) makeDirectory(out);
  if (!dumpState.empty()) makeDirectory(dumpState);

  FILE* csv = out.empty() ? nullptr : openForWriting(out + "/frames.csv");
  if (csv != nullptr) std::fprintf(csv, "frame,entry,virtualMs,timelineMs,frameMs\n");
  FILE* timing = timingPath.empty() ? nullptr : openForWriting(timingPath);
  if (timing != nullptr) std::fprintf(timing, "frame,entry,idleMs,displayMs\n");
  std::map<int, std::vector<double>> frameMsByEntry;
  enterProgramDirectory();

  const bool terminal = isatty(STDERR_FILENO) != 0;
  const uint64_t wallStart = monotonicMicros();
  captureStart();

  int64_t selected = 0;
  int64_t written = 0;
  int64_t cycles = 0;
  int64_t scrollStartMs = -1;
  int firstWrittenEntry = 0;
  int lastWrittenEntry = 0;
  for (;;) {
    const CaptureCycle cycle = captureCycle(options.fps);
    ++cycles;
    int status = 0;
    if (captureExitRequested(&status)) break;

    const int64_t ms = cycle.virtualMs;
    if (cycle.entry > options.lastEntry) break;
    if (options.toMs >= 0 && ms > options.toMs) break;
    if (cycle.entry == timelineLength) {
      if (scrollStartMs < 0) scrollStartMs = ms;
      if (options.toMs < 0 && ms - scrollStartMs > options.scrollMs) break;
    }

    const bool inRange = cycle.entry >= options.firstEntry && ms >= options.fromMs;
    if (inRange && timing != nullptr) {
      std::fprintf(timing, "%" PRId64 ",%d,%.3f,%.3f\n", cycle.frame, cycle.entry, cycle.idleMs,
                   cycle.displayMs);
      frameMsByEntry[cycle.entry].push_back(cycle.idleMs + cycle.displayMs);
    }
    if (inRange && (csv != nullptr || !dumpState.empty())) {
      if (selected % options.every == 0) {
        if (csv != nullptr) {
          const std::string png = framePath(out, cycle.frame, ".png");
          if (!writePng(png, capturedPixels(), captureWidth, captureHeight)) {
            std::fprintf(stderr, "\nvorran-capture: cannot write %s\n", png.c_str());
            return 1;
          }
          std::fprintf(csv, "%" PRId64 ",%d,%u,%d,%d\n", cycle.frame, cycle.entry, cycle.virtualMs,
                       cycle.timelineMs, cycle.frameMs);
        }
        if (!dumpState.empty()) {
          const std::string frameDirectory = framePath(dumpState, cycle.frame, "");
          makeDirectory(frameDirectory);
          writeStateDumps(frameDirectory);
        }
        if (written == 0) firstWrittenEntry = cycle.entry;
        lastWrittenEntry = cycle.entry;
        ++written;
      }
      ++selected;
    }

    if (terminal && cycles % 10 == 0) {
      double fraction = static_cast<double>(cycle.entry - options.firstEntry) /
                        static_cast<double>(options.lastEntry - options.firstEntry + 1);
      if (options.toMs > 0) fraction = static_cast<double>(ms) / static_cast<double>(options.toMs);
      showProgress(fraction, written, cycle.entry,
                   static_cast<double>(monotonicMicros() - wallStart) * 1e-6);
    }
  }
  closeWritten(csv, out + "/frames.csv");
  closeWritten(timing, timingPath);

  const double seconds = static_cast<double>(monotonicMicros() - wallStart) * 1e-6;
  if (terminal) std::fputc('\n', stderr);
  if (timing != nullptr) printTimingTable(frameMsByEntry);
  int64_t timed = 0;
  for (const auto& entryTimes : frameMsByEntry) timed += static_cast<int64_t>(entryTimes.second.size());
  std::string what;
  if (!out.empty()) what += " to " + out;
  if (!dumpState.empty()) what += (out.empty() ? " the state to " : " and their state to ") + dumpState;
  std::fputs("vorran-capture: ", stderr);
  if (!what.empty()) {
    std::fprintf(stderr, "wrote %" PRId64 " frame%s (entries %d-%d)%s; ", written, written == 1 ? "" : "s",
                 firstWrittenEntry, lastWrittenEntry, what.c_str());
  }
  if (!timingPath.empty()) std::fprintf(stderr, "timed %" PRId64 " frames to %s; ", timed, timingPath.c_str());
  std::fprintf(stderr, "rendered %" PRId64 " frames in %.1f s, %.1f frames per second\n", cycles, seconds,
               seconds > 0.0 ? static_cast<double>(cycles) / seconds : 0.0);
  return 0;
}

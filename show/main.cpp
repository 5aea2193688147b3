// The presentation: plays the Timeline from the loading screen to the closing
// scroll. Escape fades out and quits, p pauses, and a few keys move the view
// of the 3D scenes.
//
//   vorran [--window WxH | --size WxH] [--from ENTRY | --from-ms MS] [--dump-state DIR]
#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/clock.h"
#include "platform/programDirectory.h"
#include "runtime/sequencer.h"
#include "runtime/stateDump.h"
#include "show/options.h"
#include "show/startup.h"
#include "show/virtualRun.h"

namespace {

const char* const usage =
    "usage: vorran [--window WxH | --size WxH] [--from ENTRY | --from-ms MS] [--dump-state DIR]\n"
    "\n"
    "  --window WxH   play in a window of that size (e.g. 1280x720)\n"
    "  --size WxH     ask for a full-screen mode of that size (default 800x600);\n"
    "                 without one, the show fills the desktop\n"
    "  --from ENTRY   start at Timeline entry ENTRY (1 to 116)\n"
    "  --from-ms MS   start MS milliseconds into the show\n"
    "  --dump-state DIR  with --from: write the simulations' state where the show\n"
    "                 would start into DIR, and end there\n"
    "The picture keeps its 4:3 shape, centred between black bars.\n";

struct Options {
  DisplayKind kind = VORRAN_FULLSCREEN ? DisplayKind::FullScreen : DisplayKind::SmallWindow;
  int width = VORRAN_FULLSCREEN ? 800 : 300;
  int height = VORRAN_FULLSCREEN ? 600 : 300;
  StartPoint start;
  std::string dumpState;
};

[[noreturn]] void badArguments(const std::string& message) {
  std::fprintf(stderr, "vorran: %s (vorran --help lists the options)\n", message.c_str());
  std::exit(2);
}

Options parseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--help" || option == "-h") {
      std::fputs(usage, stdout);
      std::exit(0);
    }
    if (i + 1 >= argc) badArguments(option + " needs a value");
    const char* value = argv[++i];
    std::string why;
    if (option == "--window" || option == "--size") {
      if (!parseWindowSize(value, options.width, options.height, why)) {
        badArguments(option + " wants " + why + ", not '" + value + "'");
      }
      if (option == "--window" && options.kind == DisplayKind::FullScreen) options.kind = DisplayKind::Window;
    } else if (option == "--from") {
      int64_t entry = 0;
      if (!parseWhole(value, 1, 116, entry, why)) badArguments("--from wants " + why + ", not '" + value + "'");
      options.start = {static_cast<int>(entry), -1};
    } else if (option == "--from-ms") {
      int64_t ms = 0;
      if (!parseWhole(value, 0, UINT32_MAX, ms, why)) badArguments("--from-ms wants " + why + ", not '" + value + "'");
      options.start = {0, ms};
    } else if (option == "--dump-state") {
      options.dumpState = value;
    } else {
      badArguments("unknown option " + option);
    }
  }
  if (!options.dumpState.empty() && options.start.fromStart()) badArguments("--dump-state goes with --from");
  return options;
}

// Keys are not taken while the show runs ahead: a pause or an Escape there
// would stop the run before it arrives.
void noKeys(unsigned char, int, int) {}

// Runs the presentation ahead on the virtual clock at 60 frames a second,
// drawing but showing nothing, until the start point; then hands it over to
// the real clock, exactly where a run from the beginning would be.
void fastForward(const Options& options) {
  const uint64_t began = monotonicMicros();
  startVirtualRun(options.kind, options.width, options.height, 0, nullptr);
  const bool keyboard = options.kind == DisplayKind::FullScreen || options.kind == DisplayKind::Window;
  if (keyboard) glutKeyboardFunc(noKeys);
  const FrameRate rate{60, 1};
  drawUnseenUntil(options.start.entry > 0 ? entryStartVirtualMs(options.start.entry, rate)
                                          : static_cast<double>(options.start.ms));
  VirtualCycle cycle;
  do {
    cycle = runVirtualCycle(rate);
    // Now and then the window is let to answer (repaint, close).
    if (cycle.frame % 60 == 0) glutMainLoopEvent();
  } while (!options.start.reachedBy(cycle) && !virtualExitRequested(nullptr));
  drawUnseenUntil(0.0);
  std::fprintf(stderr, "vorran: reached entry %d at %.1f s of the show in %.1f s\n", cycle.entry,
               cycle.virtualMs / 1000.0, static_cast<double>(monotonicMicros() - began) * 1e-6);
  if (!options.dumpState.empty()) {
    std::error_code error;
    std::filesystem::create_directories(options.dumpState, error);
    if (error || !writeStateDumps(options.dumpState)) {
      std::fprintf(stderr, "vorran: cannot write the state to %s\n", options.dumpState.c_str());
      std::exit(1);
    }
    std::exit(0);
  }
  if (keyboard) glutKeyboardFunc(keyboardHandler);
  goLive();
}

}  // namespace

int main(int argc, char** argv) {
  Options options = parseOptions(argc, argv);
  // Relative to where the program was started, before it moves to its own
  // directory.
  if (!options.dumpState.empty()) options.dumpState = std::filesystem::absolute(options.dumpState).string();
  if (!enterProgramDirectory()) {
    std::fprintf(stderr, "vorran: cannot find the program's directory; looking for pictures and "
                         "music in the current one\n");
  }
  if (options.start.fromStart()) {
    startPresentation(options.kind, options.width, options.height);
  } else {
    fastForward(options);
  }
  glutMainLoop();
  return 0;
}

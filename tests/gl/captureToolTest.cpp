// The vorran-capture command line: the same stretch captured twice gives the
// same files, the files follow the tool's contract, the times are written.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "tests/support/fileContents.h"

namespace {

namespace fs = std::filesystem;

std::set<std::string> namesIn(const fs::path& directory) {
  std::set<std::string> names;
  for (const auto& item : fs::directory_iterator(directory)) {
    names.insert(item.path().filename().string());
  }
  return names;
}

std::string frameName(int frame, const char* suffix) {
  char name[32];
  std::snprintf(name, sizeof name, "frame-%06d%s", frame, suffix);
  return name;
}

struct Outcome {
  int status = -1;
  std::string errors;
  std::string output;
};

class CaptureTool : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    scratch = fs::temp_directory_path() / ("vorran-capture-test-" + std::to_string(getpid()));
    fs::remove_all(scratch);
    fs::create_directories(scratch);
    // Entries 1 to 6 at 10 frames a second: 196 cycles, every 12th written.
    const std::string stretch = "--fps 10 --entries 1-6 --every 12 --out " + scratch.string();
    first = run(stretch + "/first");
    // Writing the state and the times alongside must not change a picture.
    second = run(stretch + "/second --dump-state " + scratch.string() + "/state --timing " + scratch.string() +
                 "/timing.csv");
  }
  static void TearDownTestSuite() { fs::remove_all(scratch); }

  static Outcome run(const std::string& arguments) {
    const std::string errors = (scratch / "errors.txt").string();
    const std::string output = (scratch / "output.txt").string();
    const int raw = std::system(
        (std::string(VORRAN_CAPTURE_TOOL) + " " + arguments + " >" + output + " 2>" + errors).c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, fileContents(errors), fileContents(output)};
  }

  static inline fs::path scratch;
  static inline Outcome first;
  static inline Outcome second;
};

TEST_F(CaptureTool, TwoCapturesOfTheSameStretchAreIdentical) {
  ASSERT_EQ(first.status, 0) << first.errors;
  ASSERT_EQ(second.status, 0) << second.errors;
  const std::set<std::string> names = namesIn(scratch / "first");
  EXPECT_EQ(names, namesIn(scratch / "second"));
  for (const std::string& name : names) {
    EXPECT_TRUE(fileContents(scratch / "first" / name) == fileContents(scratch / "second" / name))
        << name;
  }
}

TEST_F(CaptureTool, FramesTableNamesEveryWrittenPicture) {
  ASSERT_EQ(first.status, 0) << first.errors;
  const std::string table = fileContents(scratch / "first" / "frames.csv");
  // Frame k is at (k + 1) x 100 ms. Loading took 52 frames, entries 2 to 4
  // 13100 ms; entry 6 began at 18500 ms, 100 ms after the clock restart;
  // entry 7 at 19700 ms ends the capture after frame 195.
  EXPECT_EQ(table.substr(0, table.find('\n', 0) + 1), "frame,entry,virtualMs,timelineMs,frameMs\n");
  EXPECT_EQ(table.substr(table.find('\n') + 1, 16), "0,1,100,100,100\n");
  EXPECT_TRUE(table.ends_with("\n192,6,19300,900,100\n")) << table;

  std::set<std::string> expected{"frames.csv"};
  int rows = 0;
  size_t at = table.find('\n') + 1;
  for (int frame = 0, entry = 0; at < table.size(); at = table.find('\n', at) + 1, ++rows) {
    ASSERT_EQ(std::sscanf(table.c_str() + at, "%d,%d", &frame, &entry), 2);
    EXPECT_EQ(frame, rows * 12);
    EXPECT_TRUE(entry >= 1 && entry <= 6) << entry;
    expected.insert(frameName(frame, ".png"));
  }
  EXPECT_EQ(rows, 17);
  EXPECT_EQ(namesIn(scratch / "first"), expected);
}

TEST_F(CaptureTool, StateIsDumpedForEveryWrittenFrame) {
  ASSERT_EQ(second.status, 0) << second.errors;
  std::set<std::string> expected;
  for (int frame = 0; frame <= 192; frame += 12) {
    const fs::path folder = scratch / "state" / frameName(frame, "");
    expected.insert(folder.filename().string());
    EXPECT_TRUE(fs::is_regular_file(folder / "rng.json")) << folder;
    EXPECT_TRUE(fs::is_regular_file(folder / "sequencer.json")) << folder;
  }
  EXPECT_EQ(namesIn(scratch / "state"), expected);
}

TEST_F(CaptureTool, TimesEveryFrameOfTheStretchAndSumsThemUpPerEntry) {
  ASSERT_EQ(second.status, 0) << second.errors;
  const std::string table = fileContents(scratch / "timing.csv");
  ASSERT_TRUE(table.starts_with("frame,entry,idleMs,displayMs,cpuMs\n")) << table;
  // Every cycle of the stretch, not only the pictures written: frames 0 to
  // 195, entry 1 for the 52 loading frames, then 2 to 6 in order.
  int rows = 0, previousEntry = 1;
  for (size_t at = table.find('\n') + 1; at < table.size(); at = table.find('\n', at) + 1, ++rows) {
    int frame = 0, entry = 0;
    double idleMs = -1.0, displayMs = -1.0, cpuMs = -1.0;
    ASSERT_EQ(std::sscanf(table.c_str() + at, "%d,%d,%lf,%lf,%lf", &frame, &entry, &idleMs, &displayMs, &cpuMs), 5);
    EXPECT_EQ(frame, rows);
    EXPECT_TRUE(entry == previousEntry || entry == previousEntry + 1 || (previousEntry == 4 && entry == 6));
    EXPECT_EQ(entry == 1, frame < 52) << frame;
    EXPECT_TRUE(idleMs >= 0.0 && displayMs >= 0.0 && idleMs + displayMs < 10000.0) << frame;
    EXPECT_TRUE(cpuMs >= 0.0 && cpuMs < 10000.0) << frame;
    previousEntry = entry;
  }
  EXPECT_EQ(rows, 196);
  // The table: a heading and one row per entry, 5 (one cycle, nothing drawn) included.
  EXPECT_TRUE(second.output.starts_with("entry  frames  medianMs   p95Ms   maxMs  cpuMs\n")) << second.output;
  for (const char* row : {"\n    1      52  ", "\n    5       1  ", "\n    6  "}) {
    EXPECT_NE(second.output.find(row), std::string::npos) << row << second.output;
  }
}

// Every file the capture writes, once at a time, goes to a full disk (a
// link to /dev/full, where every write fails for want of space): the capture
// stops with one line naming what it could not write, exit status 1, and no
// report of success. A state folder that cannot be made stops it before any
// frame is written.
TEST_F(CaptureTool, AFullDiskStopsTheCaptureWithOneLine) {
  const fs::path disk = scratch / "full";
  const std::string stretch = " --fps 10 --entries 1-1";
  struct Case {
    const char* name;
    const char* full;  // the file, below `disk`, that lands on the full disk
    std::string arguments;
  };
  const std::string out = " --out " + (disk / "out").string(), state = " --dump-state " + (disk / "state").string();
  const std::vector<Case> cases = {
      {"picture", "out/frame-000000.png", out},
      {"frame table", "out/frames.csv", out},
      {"the Sequencer's state", "state/frame-000000/sequencer.json", state},
      {"a scene's state", "state/frame-000000/pictureScenes.json", state},
      {"timing", "timing.csv", " --timing " + (disk / "timing.csv").string()},
      {"sound", "sound.wav", " --wav " + (disk / "sound.wav").string()},
      {"video", "video.mp4", " --video " + (disk / "video.mp4").string()},
  };
  for (const Case& c : cases) {
    fs::remove_all(disk);
    fs::create_directories((disk / c.full).parent_path());
    fs::create_symlink("/dev/full", disk / c.full);
    const Outcome outcome = run(c.arguments + stretch);
    EXPECT_EQ(outcome.status, 1) << c.name;
    EXPECT_TRUE(outcome.errors.starts_with("vorran-capture: ") && outcome.errors.find("cannot write") != std::string::npos &&
                outcome.errors.find('\n') == outcome.errors.size() - 1)
        << c.name << ": " << outcome.errors;
  }
  fs::remove_all(disk);
  fs::create_directories(disk);
  writeFileContents(disk / "file", "");
  const Outcome refused = run(out + " --dump-state " + (disk / "file" / "state").string() + stretch);
  EXPECT_EQ(refused.status, 1) << refused.errors;
  EXPECT_FALSE(fs::exists(disk / "out"));
  fs::remove_all(disk);
}

// Random steps come from the tool's own generator (SplitMix64 from the seed,
// each draw mod 101): for seed 5 its first draws are 71, 19, 46, 55, 15, 50,
// 36, 35, worked out apart from the tool; the same seed gives the same
// steps, another seed others. The check of every frame says so at the end.
TEST_F(CaptureTool, RandomStepsFollowTheSeedAndEveryFrameIsChecked) {
  const auto virtualTimes = [](const std::string& name, const std::string& seed) {
    const Outcome outcome = run("--to-ms 1500 --check --random-steps " + seed + " --out " + (scratch / name).string());
    EXPECT_EQ(outcome.status, 0) << outcome.errors;
    EXPECT_NE(outcome.errors.find("checked every frame: no OpenGL error, every simulation value finite;"),
              std::string::npos)
        << outcome.errors;
    const std::string table = fileContents(scratch / name / "frames.csv");
    std::vector<int> times;
    for (size_t at = table.find('\n') + 1; at > 0 && at < table.size(); at = table.find('\n', at) + 1) {
      int frame = 0, entry = 0;
      unsigned virtualMs = 0;
      if (std::sscanf(table.c_str() + at, "%d,%d,%u", &frame, &entry, &virtualMs) == 3) times.push_back(virtualMs);
    }
    return times;
  };
  const std::vector<int> five = virtualTimes("seed5", "5");
  ASSERT_GE(five.size(), 20u);
  EXPECT_EQ(std::vector<int>(five.begin(), five.begin() + 8), (std::vector<int>{71, 90, 136, 191, 206, 256, 292, 327}));
  for (size_t n = 1; n < five.size(); ++n) EXPECT_LE(five[n] - five[n - 1], 100) << n;
  EXPECT_EQ(virtualTimes("seed5again", "5"), five);
  EXPECT_NE(virtualTimes("seed6", "6"), five);
  // The sound follows the frame rate: random steps cannot make it.
  EXPECT_EQ(run("--random-steps 5 --wav " + (scratch / "sound.wav").string()).status, 2);
}

}  // namespace

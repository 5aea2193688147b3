// The presentation as video, sound and frames of any size, made by the
// capture tool as people run it: the sound against the pictures at the start
// and the end of both tracks, the video's streams, a capture cut short,
// larger windows, the fast start of the presentation, and refused options.
#include <gtest/gtest.h>
#include <mpg123.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#include <stb_image.h>

#include "tests/support/fileContents.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status = -1;
  std::string errors;
};

fs::path scratch() {
  static const fs::path folder = [] {
    const fs::path f = fs::temp_directory_path() / ("vorran-video-test-" + std::to_string(getpid()));
    fs::remove_all(f);
    fs::create_directories(f);
    return f;
  }();
  return folder;
}

Outcome run(const std::string& command) {
  const std::string errors = (scratch() / "errors.txt").string();
  const int raw = std::system((command + " >/dev/null 2>" + errors).c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, fileContents(errors)};
}

Outcome capture(const std::string& arguments) { return run(std::string(VORRAN_CAPTURE_TOOL) + " " + arguments); }

// frames.csv as rows of {frame, entry, virtualMs}.
struct Row {
  long frame, entry, virtualMs;
};
std::vector<Row> framesTable(const fs::path& folder) {
  std::istringstream lines(fileContents(folder / "frames.csv"));
  std::string line;
  std::getline(lines, line);
  std::vector<Row> rows;
  while (std::getline(lines, line)) {
    Row row{};
    if (std::sscanf(line.c_str(), "%ld,%ld,%ld", &row.frame, &row.entry, &row.virtualMs) == 3) rows.push_back(row);
  }
  return rows;
}

// The 16-bit stereo samples of a WAV file written by the tool (44-byte header).
std::vector<int16_t> wavSamples(const fs::path& path) {
  const std::string bytes = fileContents(path);
  std::vector<int16_t> samples(bytes.size() > 44 ? (bytes.size() - 44) / 2 : 0);
  if (!samples.empty()) std::memcpy(samples.data(), bytes.data() + 44, samples.size() * 2);
  return samples;
}

// A track decoded on its own, as 44.1 kHz stereo floats without the encoder's
// padding.
std::vector<float> decodeTrack(const char* name) {
  mpg123_init();
  mpg123_handle* decoder = mpg123_new(nullptr, nullptr);
  mpg123_param(decoder, MPG123_ADD_FLAGS, MPG123_FORCE_STEREO | MPG123_GAPLESS | MPG123_QUIET, 0.0);
  mpg123_format_none(decoder);
  mpg123_format(decoder, 44100, MPG123_STEREO, MPG123_ENC_FLOAT_32);
  std::vector<float> samples;
  if (mpg123_open(decoder, (std::string(VORRAN_BUILD_DIR) + "/muzyka/" + name).c_str()) == MPG123_OK) {
    float chunk[8192];
    size_t bytes = 0;
    for (int result = MPG123_OK; result == MPG123_OK || result == MPG123_NEW_FORMAT;) {
      result = mpg123_read(decoder, chunk, sizeof chunk, &bytes);
      samples.insert(samples.end(), chunk, chunk + bytes / sizeof(float));
    }
  }
  mpg123_delete(decoder);
  return samples;
}

// The sound of a capture against a track: the track starts at the virtual
// millisecond of the frame whose entry starts it, so WAV sample w holds
// track sample w + origin - start. Every sample of the stretch must match,
// to the rounding of 16 bits.
int mismatches(const std::vector<int16_t>& wav, const std::vector<float>& track, long originSample, long startMs,
               long from, long count) {
  const long start = startMs * 44100 / 1000;
  int wrong = 0;
  for (long w = from; w < from + count && 2 * w + 1 < static_cast<long>(wav.size()); ++w) {
    const long t = w + originSample - start;
    for (int c = 0; c < 2; ++c) {
      const float expected = t >= 0 && 2 * t + c < static_cast<long>(track.size()) ? track[2 * t + c] : 0.0f;
      wrong += std::abs(wav[2 * w + c] - std::lround(std::clamp(expected, -1.0f, 1.0f) * 32767.0f)) > 1 ? 1 : 0;
    }
  }
  return wrong;
}

// The first row of the table whose entry is `entry`.
Row firstOf(const std::vector<Row>& rows, long entry) {
  for (const Row& row : rows) {
    if (row.entry == entry) return row;
  }
  return {-1, -1, -1};
}

TEST(VideoExport, TrackOneStartsOnTheFrameOfEntryFiveAndStaysInStep) {
  // Ten frames a second: frame k's sound is samples 4410 (k + 1) onwards.
  const fs::path out = scratch() / "one";
  const Outcome made = capture("--fps 10 --entries 1-8 --out " + out.string() + " --wav " + (scratch() / "one.wav").string());
  ASSERT_EQ(made.status, 0) << made.errors;
  const std::vector<Row> rows = framesTable(out);
  const std::vector<int16_t> wav = wavSamples(scratch() / "one.wav");
  const std::vector<float> track = decodeTrack("r.mp3");
  ASSERT_TRUE(!rows.empty() && !track.empty());
  // Exactly one block of 4410 frames for every frame of the capture.
  EXPECT_EQ(wav.size(), 2 * 4410 * rows.size());
  const Row five = firstOf(rows, 5);
  ASSERT_GT(five.frame, 0);
  // Silence up to the frame of entry 5, the track from there: at its start,
  // five seconds in, and at the capture's last frame, where it sounds.
  const long origin = 4410;
  EXPECT_EQ(mismatches(wav, track, origin, five.virtualMs, 0, 4410 * five.frame), 0);
  const long last = static_cast<long>(wav.size() / 2 - 4410);
  for (long from : {4410 * five.frame, 4410 * (five.frame + 50), last}) {
    EXPECT_EQ(mismatches(wav, track, origin, five.virtualMs, from, 4410), 0) << from;
  }
  int loud = 0;
  for (long w = last; w < last + 4410; ++w) loud += std::abs(wav[2 * w]) > 1000 ? 1 : 0;
  EXPECT_GT(loud, 100);
  // A frame off would not do.
  EXPECT_GT(mismatches(wav, track, origin, five.virtualMs + 100, last, 4410), 1000);
}

TEST(VideoExport, TrackTwoStartsOnTheFrameOfEntryNinetyOneAfterAFastStart) {
  const fs::path out = scratch() / "two";
  const Outcome made = capture("--fps 10 --from 90 --entries 90-93 --out " + out.string() + " --wav " +
                           (scratch() / "two.wav").string());
  ASSERT_EQ(made.status, 0) << made.errors;
  const std::vector<Row> rows = framesTable(out);
  const std::vector<int16_t> wav = wavSamples(scratch() / "two.wav");
  const std::vector<float> track = decodeTrack("t.mp3");
  ASSERT_TRUE(rows.size() > 3 && !track.empty());
  EXPECT_EQ(wav.size(), 2 * 4410 * rows.size());
  const Row ninetyOne = firstOf(rows, 91);
  ASSERT_GT(ninetyOne.frame, rows.front().frame);
  const long origin = 4410 * (rows.front().frame + 1);
  const long at = 4410 * (ninetyOne.frame - rows.front().frame);
  EXPECT_EQ(mismatches(wav, track, origin, ninetyOne.virtualMs, at, static_cast<long>(wav.size() / 2) - at), 0);
}

// ffprobe's answer for one stream of the file: codec, pixel format, duration.
std::string probe(const fs::path& file, const char* stream) {
  const fs::path answer = scratch() / "probe.txt";
  std::system(("ffprobe -v error -select_streams " + std::string(stream) +
               " -show_entries stream=codec_name,pix_fmt,duration -of csv=p=0 " + file.string() + " > " +
               answer.string() + " 2>/dev/null")
                  .c_str());
  return fileContents(answer);
}

TEST(VideoExport, H264AndAacOfTheSameLengthAlsoWhenStoppedEarly) {
  const fs::path video = scratch() / "ten.mp4";
  const Outcome made = capture("--fps 10 --entries 1-10 --video " + video.string());
  ASSERT_EQ(made.status, 0) << made.errors;
  double picture = 0.0, sound = 0.0;
  char format[32] = {};
  EXPECT_EQ(std::sscanf(probe(video, "v:0").c_str(), "h264,%31[^,],%lf", format, &picture), 2);
  EXPECT_STREQ(format, "yuv420p");
  EXPECT_EQ(std::sscanf(probe(video, "a:0").c_str(), "aac,%lf", &sound), 1);
  EXPECT_GT(picture, 20.0);
  EXPECT_NEAR(picture, sound, 0.1);  // within one frame
  EXPECT_FALSE(fs::exists(video.string() + ".frames.mp4") || fs::exists(video.string() + ".sound.wav"));

  // A termination request stops the capture after a few seconds; the video
  // so far is finished and plays.
  const fs::path stopped = scratch() / "stopped.mp4";
  const pid_t child = fork();
  if (child == 0) {
    execl(VORRAN_CAPTURE_TOOL, VORRAN_CAPTURE_TOOL, "--fps", "10", "--video", stopped.c_str(), nullptr);
    _exit(127);
  }
  sleep(4);
  kill(child, SIGTERM);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(std::sscanf(probe(stopped, "v:0").c_str(), "h264,%31[^,],%lf", format, &picture), 2);
  EXPECT_EQ(std::sscanf(probe(stopped, "a:0").c_str(), "aac,%lf", &sound), 1);
  EXPECT_GT(picture, 0.5);
  EXPECT_NEAR(picture, sound, 0.1);
}

struct Image {
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;
  int at(int x, int y, int c) const { return rgb[static_cast<size_t>((y * width + x) * 3 + c)]; }
};
Image readPng(const fs::path& path) {
  Image image;
  int channels = 0;
  unsigned char* data = stbi_load(path.c_str(), &image.width, &image.height, &channels, 3);
  if (data != nullptr) image.rgb.assign(data, data + image.width * image.height * 3);
  stbi_image_free(data);
  return image;
}

TEST(VideoExport, LargerWindowsShowTheSamePictureSharperBetweenBlackBars) {
  // Entry 8's field at 1600 x 1200 and at 800 x 600: the larger frame,
  // averaged over 2 x 2 pixels, differs from the smaller only where the
  // points' round edges fall differently.
  const fs::path small = scratch() / "small", large = scratch() / "large", wide = scratch() / "wide";
  ASSERT_EQ(capture("--fps 10 --entries 8-8 --every 25 --out " + small.string()).status, 0);
  ASSERT_EQ(capture("--fps 10 --entries 8-8 --every 25 --size 1600x1200 --out " + large.string()).status, 0);
  const std::vector<Row> rows = framesTable(small);
  ASSERT_GE(rows.size(), 2u);
  char name[32];
  std::snprintf(name, sizeof name, "frame-%06ld.png", rows[1].frame);
  const Image a = readPng(small / name), b = readPng(large / name);
  ASSERT_TRUE(a.width == 800 && b.width == 1600 && b.height == 1200);
  double difference = 0.0;
  for (int y = 0; y < 600; ++y) {
    for (int x = 0; x < 800; ++x) {
      for (int c = 0; c < 3; ++c) {
        const int mean = (b.at(2 * x, 2 * y, c) + b.at(2 * x + 1, 2 * y, c) + b.at(2 * x, 2 * y + 1, c) +
                          b.at(2 * x + 1, 2 * y + 1, c) + 2) / 4;
        difference += std::abs(mean - a.at(x, y, c));
      }
    }
  }
  EXPECT_LT(difference / (800.0 * 600.0 * 3.0), 2.0);

  // 1920 x 1080: the 4:3 picture is 1440 x 1080 from x = 240; the bars are
  // black, the water glass's background grey (0.71, 0.72, 0.73) of entry 3
  // fills the middle.
  ASSERT_EQ(capture("--fps 10 --entries 3-3 --every 100 --size 1920x1080 --out " + wide.string()).status, 0);
  std::snprintf(name, sizeof name, "frame-%06ld.png", framesTable(wide).at(0).frame);
  const Image c = readPng(wide / name);
  ASSERT_EQ(c.width, 1920);
  for (int y = 0; y < 1080; y += 9) {
    EXPECT_TRUE(c.at(0, y, 0) == 0 && c.at(239, y, 1) == 0 && c.at(1680, y, 2) == 0 && c.at(1919, y, 0) == 0) << y;
    EXPECT_EQ(c.at(240, y, 0), 181) << y;
    EXPECT_EQ(c.at(1679, y, 2), 186) << y;
  }
}

TEST(VideoExport, AFastStartArrivesWhereARunFromTheBeginningIs) {
  const fs::path started = scratch() / "started", captured = scratch() / "captured";
  const Outcome fast = run(std::string(VORRAN_PROGRAM) + " --from 8 --dump-state " + started.string());
  ASSERT_EQ(fast.status, 0) << fast.errors;
  ASSERT_EQ(capture("--entries 8-8 --every 100000 --dump-state " + captured.string()).status, 0);
  const fs::path frame = fs::directory_iterator(captured)->path();
  int files = 0;
  for (const auto& item : fs::directory_iterator(started)) {
    ++files;
    EXPECT_TRUE(fileContents(item.path()) == fileContents(frame / item.path().filename())) << item.path();
  }
  EXPECT_GT(files, 20);
}

TEST(VideoExport, BadOptionsGiveOneLineAndWriteNothing) {
  const fs::path refused = scratch() / "refused";
  const std::string out = " --out " + refused.string();
  for (const std::string& arguments :
       {"--size 0x0" + out, "--size 10x10" + out, "--size 1920" + out, "--fps 0" + out, "--fps 1/0" + out,
        "--fps 2000" + out, "--from 0" + out, "--from 200" + out, std::string("--video /no/such/folder/v.mp4"),
        "--entries 9-3" + out, "--entries 0-4" + out, "--every 0" + out, "--frames 3" + out, out + " --fps",
        std::string("--fps 10"), std::string("--timing")}) {
    const Outcome outcome = capture(arguments);
    EXPECT_NE(outcome.status, 0) << arguments;
    EXPECT_TRUE(outcome.errors.starts_with("vorran-capture: ") && outcome.errors.find('\n') == outcome.errors.size() - 1)
        << arguments << ": " << outcome.errors;
    EXPECT_FALSE(fs::exists(refused)) << arguments;
  }
  const Outcome live = run(std::string(VORRAN_PROGRAM) + " --window 10x10");
  EXPECT_EQ(live.status, 2);
  EXPECT_TRUE(live.errors.starts_with("vorran: --window wants a size"));
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  fs::remove_all(scratch());
  return result;
}

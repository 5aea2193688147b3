#include "tools/capture/videoEncoder.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

extern char** environ;

namespace {

// A file, gone from its folder as soon as it is made, for what ffmpeg says
// on its standard error: the capture reports failures in one line of its
// own, with ffmpeg's first line as the reason.
int openFfmpegLog() {
  char name[] = "/tmp/vorran-ffmpeg-XXXXXX";
  const int log = mkostemp(name, O_CLOEXEC);
  if (log >= 0) unlink(name);
  return log;
}

// The first line ffmpeg wrote to the log, and the log closed.
std::string firstLogLine(int& log) {
  if (log < 0) return "ffmpeg gave no reason";
  char text[512] = {};
  const ssize_t got = pread(log, text, sizeof text - 1, 0);
  close(log);
  log = -1;
  std::string line(text, got > 0 ? static_cast<size_t>(got) : 0);
  line = line.substr(0, line.find('\n'));
  while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.pop_back();
  return line.empty() ? "ffmpeg gave no reason" : line;
}

// Runs ffmpeg with the arguments, in a process group of its own; its
// standard input is the read end of a new pipe when `input` is given, its
// standard error goes to `log` when that is open.
bool spawnFfmpeg(const std::vector<std::string>& arguments, int* input, int log, pid_t& process, std::string& why) {
  std::vector<char*> argv;
  static char name[] = "ffmpeg";
  argv.push_back(name);
  std::vector<std::string> copies = arguments;
  for (std::string& argument : copies) argv.push_back(argument.data());
  argv.push_back(nullptr);

  int ends[2] = {-1, -1};
  if (input != nullptr && pipe2(ends, O_CLOEXEC) != 0) {
    why = std::strerror(errno);
    return false;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (input != nullptr) posix_spawn_file_actions_adddup2(&actions, ends[0], STDIN_FILENO);
  if (log >= 0) posix_spawn_file_actions_adddup2(&actions, log, STDERR_FILENO);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);
  // Libraries preloaded into the capture (a sanitizer's runtime, in the
  // tests) are the capture's own, not the encoder's.
  std::vector<char*> environment;
  for (char** variable = environ; *variable != nullptr; ++variable) {
    if (std::strncmp(*variable, "LD_PRELOAD=", 11) != 0) environment.push_back(*variable);
  }
  environment.push_back(nullptr);
  const int result = posix_spawnp(&process, "ffmpeg", &actions, &attributes, argv.data(), environment.data());
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (input != nullptr) close(ends[0]);
  if (result != 0) {
    if (input != nullptr) close(ends[1]);
    why = std::string("cannot start ffmpeg: ") + std::strerror(result);
    return false;
  }
  if (input != nullptr) *input = ends[1];
  return true;
}

bool waitFor(pid_t process) {
  int status = 0;
  while (waitpid(process, &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string rateText(FrameRate rate) { return std::to_string(rate.numerator) + "/" + std::to_string(rate.denominator); }

}  // namespace

bool startVideo(VideoEncoder& video, const std::string& videoPath, int width, int height, FrameRate rate,
                std::string& why) {
  video = {};
  video.width = width;
  video.height = height;
  video.videoPath = videoPath;
  // A full pipe to an encoder that has died shows as an error, not a signal.
  std::signal(SIGPIPE, SIG_IGN);
  const std::string size = std::to_string(width) + "x" + std::to_string(height);
  return spawnFfmpeg({"-hide_banner", "-loglevel", "error", "-nostdin", "-y", "-f", "rawvideo", "-pix_fmt",
                      "rgb24", "-video_size", size, "-framerate", rateText(rate), "-i", "pipe:0", "-vf", "vflip",
                      "-c:v", "libx264", "-preset", "veryfast", "-crf", "18", "-pix_fmt", "yuv420p", "-fps_mode",
                      "cfr", "-movflags", "+faststart", videoPath},
                     &video.pipe, video.log = openFfmpegLog(), video.process, why);
}

bool appendVideoFrame(VideoEncoder& video, const std::vector<uint8_t>& rgb) {
  if (video.pipe < 0 || video.failed) return false;
  const size_t bytes = static_cast<size_t>(video.width) * static_cast<size_t>(video.height) * 3;
  size_t done = 0;
  while (done < bytes && done < rgb.size()) {
    const ssize_t written = write(video.pipe, rgb.data() + done, bytes - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      video.failed = true;
      return false;
    }
    done += static_cast<size_t>(written);
  }
  return true;
}

bool finishVideo(VideoEncoder& video) {
  if (video.pipe >= 0) close(video.pipe);
  video.pipe = -1;
  if (video.process < 0) return false;
  const bool encoded = waitFor(video.process);
  video.process = -1;
  if (encoded && !video.failed) {
    firstLogLine(video.log);
    return true;
  }
  video.why = "ffmpeg could not encode the frames: " + firstLogLine(video.log);
  return false;
}

bool muxVideoAndSound(const std::string& videoPath, const std::string& wavPath, const std::string& outPath,
                      std::string& why) {
  pid_t process = -1;
  int log = openFfmpegLog();
  if (!spawnFfmpeg({"-hide_banner", "-loglevel", "error", "-nostdin", "-y", "-i", videoPath, "-i", wavPath, "-map",
                    "0:v:0", "-map", "1:a:0", "-c:v", "copy", "-c:a", "aac", "-b:a", "192k", "-movflags",
                    "+faststart", outPath},
                   nullptr, log, process, why)) {
    firstLogLine(log);
    return false;
  }
  const bool muxed = waitFor(process);
  const std::string said = firstLogLine(log);
  if (!muxed) why = "ffmpeg could not put the picture and the sound together: " + said;
  return muxed;
}

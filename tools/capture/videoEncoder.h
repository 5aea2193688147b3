#pragma once
// A video file made by the ffmpeg command: the frames go to it through a
// pipe as raw RGB, to be encoded as H.264 (yuv420p, constant frame rate);
// the sound is added when the frames are done, from a WAV file, as AAC, so
// the file plays in ordinary players and browsers.
//
// The command runs in its own process group, so that a Ctrl-C meant for the
// capture leaves the encoder to finish what it has been given.
#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

#include "show/virtualRun.h"

struct VideoEncoder {
  pid_t process = -1;
  int pipe = -1;
  int width = 0;
  int height = 0;
  std::string videoPath;
  bool failed = false;
  // What ffmpeg said, kept to explain a failure in one line.
  int log = -1;
  std::string why;
};

// Starts ffmpeg writing the frames to `videoPath` (H.264 alone). False, with
// the reason in `why`, when it cannot be started.
bool startVideo(VideoEncoder& video, const std::string& videoPath, int width, int height, FrameRate rate,
                std::string& why);
// One frame: RGB rows from the bottom up, as OpenGL reads them back.
bool appendVideoFrame(VideoEncoder& video, const std::vector<uint8_t>& rgb);
// Closes the pipe and waits for ffmpeg to finish the file; on failure the
// reason is in video.why.
bool finishVideo(VideoEncoder& video);
// Puts the encoded frames and the WAV's sound into one file: the video
// copied, the sound as AAC.
bool muxVideoAndSound(const std::string& videoPath, const std::string& wavPath, const std::string& outPath,
                      std::string& why);

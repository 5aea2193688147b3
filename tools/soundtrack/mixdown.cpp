#include "tools/soundtrack/mixdown.h"

#include <algorithm>
#include <cmath>
#include <deque>

namespace {

struct Comb {
  std::vector<float> line;
  size_t at = 0;
  float store = 0.0f;
  float process(float in, float feedback, float damp) {
    const float out = line[at];
    store = out * (1.0f - damp) + store * damp;
    line[at] = in + store * feedback;
    if (++at == line.size()) at = 0;
    return out;
  }
};

struct Allpass {
  std::vector<float> line;
  size_t at = 0;
  float process(float in) {
    const float delayed = line[at];
    line[at] = in + delayed * 0.5f;
    if (++at == line.size()) at = 0;
    return delayed - in;
  }
};

// A Schroeder-Moorer reverb of eight damped combs and four allpasses per
// channel, the right channel's lines slightly longer for width.
struct Reverb {
  Comb combs[2][8];
  Allpass allpasses[2][4];
  explicit Reverb(int spread) {
    const int combLengths[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    const int allpassLengths[4] = {556, 441, 341, 225};
    for (int c = 0; c < 2; ++c) {
      for (int i = 0; i < 8; ++i) combs[c][i].line.assign(static_cast<size_t>(combLengths[i] + c * spread), 0.0f);
      for (int i = 0; i < 4; ++i) {
        allpasses[c][i].line.assign(static_cast<size_t>(allpassLengths[i] + c * spread), 0.0f);
      }
    }
  }
  float process(int channel, float in) {
    float out = 0.0f;
    for (Comb& comb : combs[channel]) out += comb.process(in, 0.86f, 0.28f);
    for (Allpass& allpass : allpasses[channel]) out = allpass.process(out);
    return out;
  }
};

// Ping-pong echo of a dotted eighth: the mono send enters on the left, each
// repeat crosses to the other side, darker than the one before.
void applyEcho(Song& song, std::vector<float>& wetL, std::vector<float>& wetR) {
  const size_t delay = static_cast<size_t>(3.0 * secondsPerStep(song) * sampleRate);
  std::vector<float> lineL(delay, 0.0f);
  std::vector<float> lineR(delay, 0.0f);
  float toneL = 0.0f;
  float toneR = 0.0f;
  size_t at = 0;
  wetL.assign(song.frames, 0.0f);
  wetR.assign(song.frames, 0.0f);
  for (size_t i = 0; i < song.frames; ++i) {
    const float outL = lineL[at];
    const float outR = lineR[at];
    toneL += 0.35f * (outL - toneL);
    toneR += 0.35f * (outR - toneR);
    lineL[at] = 0.5f * (song.echoL[i] + song.echoR[i]) + toneR * 0.42f;
    lineR[at] = toneL * 0.42f;
    if (++at == delay) at = 0;
    wetL[i] = outL;
    wetR[i] = outR;
    // The repeats sit in the same room as the rest.
    song.verbL[i] += outL * 0.25f;
    song.verbR[i] += outR * 0.25f;
  }
}

void applyReverb(Song& song, std::vector<float>& wetL, std::vector<float>& wetR) {
  Reverb reverb(23);
  const size_t preDelay = static_cast<size_t>(0.022 * sampleRate);
  float highL = 0.0f;
  float highR = 0.0f;
  wetL.assign(song.frames, 0.0f);
  wetR.assign(song.frames, 0.0f);
  for (size_t i = 0; i < song.frames; ++i) {
    const float inL = i >= preDelay ? song.verbL[i - preDelay] : 0.0f;
    const float inR = i >= preDelay ? song.verbR[i - preDelay] : 0.0f;
    // Keep the low end out of the room: it would only make mud.
    highL += 0.035f * (inL - highL);
    highR += 0.035f * (inR - highR);
    const float mono = ((inL - highL) + (inR - highR)) * 0.015f;
    wetL[i] = reverb.process(0, mono);
    wetR[i] = reverb.process(1, mono);
  }
}

// Look-ahead limiter: the gain reaches its floor before a peak arrives and
// recovers smoothly after it, so no sample exceeds the ceiling and nothing
// clips hard.
float limit(std::vector<float>& left, std::vector<float>& right, float ceiling) {
  const size_t frames = left.size();
  const size_t window = static_cast<size_t>(0.003 * sampleRate);
  std::vector<float> need(frames);
  for (size_t i = 0; i < frames; ++i) {
    const float peak = std::max(std::fabs(left[i]), std::fabs(right[i]));
    need[i] = peak > ceiling ? ceiling / peak : 1.0f;
  }
  // Minimum of the needed gain over the window ahead.
  std::vector<float> gain(frames);
  std::deque<size_t> candidates;
  for (size_t i = frames; i-- > 0;) {
    while (!candidates.empty() && need[candidates.back()] >= need[i]) candidates.pop_back();
    candidates.push_back(i);
    while (candidates.front() > i + window) candidates.pop_front();
    gain[i] = need[candidates.front()];
  }
  // Ramp down into each reduction, release over 80 ms after it.
  for (size_t i = frames - 1; i-- > 0;) gain[i] = std::min(gain[i], gain[i + 1] + 1.0f / window);
  const float release = 1.0f - std::exp(-1.0f / (0.08f * sampleRate));
  float current = 1.0f;
  float smallest = 1.0f;
  for (size_t i = 0; i < frames; ++i) {
    current = std::min(gain[i], current + (1.0f - current) * release);
    smallest = std::min(smallest, current);
    left[i] = std::clamp(left[i] * current, -ceiling, ceiling);
    right[i] = std::clamp(right[i] * current, -ceiling, ceiling);
  }
  return smallest;
}

}  // namespace

float loudBlockRms(const std::vector<float>& left, const std::vector<float>& right) {
  const size_t block = static_cast<size_t>(0.4 * sampleRate);
  std::vector<float> levels;
  for (size_t start = 0; start + block <= left.size(); start += block) {
    double sum = 0.0;
    for (size_t i = start; i < start + block; ++i) {
      const double mid = 0.5 * (static_cast<double>(left[i]) + right[i]);
      sum += mid * mid;
    }
    levels.push_back(static_cast<float>(std::sqrt(sum / static_cast<double>(block))));
  }
  if (levels.empty()) return 0.0f;
  std::sort(levels.begin(), levels.end());
  return levels[levels.size() * 9 / 10];
}

StereoTrack mixdown(Song& song, float targetLoudRms, double fadeSeconds, float levelGain) {
  std::vector<float> echoL;
  std::vector<float> echoR;
  applyEcho(song, echoL, echoR);
  std::vector<float> verbL;
  std::vector<float> verbR;
  applyReverb(song, verbL, verbR);

  StereoTrack track;
  track.left.assign(song.frames, 0.0f);
  track.right.assign(song.frames, 0.0f);
  // y[n] = x[n] - x[n-1] + r y[n-1]: a high pass at about 7 Hz removes any
  // offset the voices leave.
  const float r = 0.999f;
  float lastInL = 0.0f, lastInR = 0.0f, lastOutL = 0.0f, lastOutR = 0.0f;
  const size_t fade = static_cast<size_t>(fadeSeconds * sampleRate);
  for (size_t i = 0; i < song.frames; ++i) {
    const float inL = song.dryL[i] + echoL[i] * 0.6f + verbL[i] * 2.6f;
    const float inR = song.dryR[i] + echoR[i] * 0.6f + verbR[i] * 2.6f;
    lastOutL = inL - lastInL + r * lastOutL;
    lastOutR = inR - lastInR + r * lastOutR;
    lastInL = inL;
    lastInR = inR;
    float level = 1.0f;
    if (song.frames - i < fade) {
      const float x = static_cast<float>(song.frames - i) / static_cast<float>(fade);
      level = x * x;
    }
    track.left[i] = lastOutL * level;
    track.right[i] = lastOutR * level;
  }
  for (auto* bus : {&song.dryL, &song.dryR, &song.verbL, &song.verbR, &song.echoL, &song.echoR}) {
    std::vector<float>().swap(*bus);
  }

  const float loud = loudBlockRms(track.left, track.right);
  const float gain = levelGain > 0.0f ? levelGain : loud > 0.0f ? targetLoudRms / loud : 1.0f;
  track.levelGain = gain;
  track.voices = song.voices;
  track.clickingVoices = song.clickingVoices;
  for (size_t i = 0; i < song.frames; ++i) {
    track.left[i] *= gain;
    track.right[i] *= gain;
  }
  track.limiterFloor = limit(track.left, track.right, limiterCeiling);
  return track;
}

MixdownLevels measureLevels(const StereoTrack& track) {
  MixdownLevels levels;
  double sum = 0.0;
  for (size_t i = 0; i < track.left.size(); ++i) {
    levels.peak = std::max({levels.peak, std::fabs(track.left[i]), std::fabs(track.right[i])});
    sum += static_cast<double>(track.left[i]) + track.right[i];
  }
  if (!track.left.empty()) levels.mean = static_cast<float>(sum / (2.0 * static_cast<double>(track.left.size())));
  levels.loudRms = loudBlockRms(track.left, track.right);
  return levels;
}

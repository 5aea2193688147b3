#include "tools/soundtrack/synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double twoPi = 2.0 * std::numbers::pi;
constexpr float sr = static_cast<float>(sampleRate);

// Band-limited step correction for saw and square waves (polynomial BLEP).
float polyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return static_cast<float>(t + t - t * t - 1.0);
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return static_cast<float>(t * t + t + t + 1.0);
  }
  return 0.0f;
}

struct SawOsc {
  double phase = 0.0;
  float next(double hz) {
    const double dt = hz / sampleRate;
    phase += dt;
    if (phase >= 1.0) phase -= 1.0;
    return static_cast<float>(2.0 * phase - 1.0) - polyBlep(phase, dt);
  }
};

// sin(2 pi x) for x in cycles, from a table with linear interpolation
// (error below 1e-6, far under what an MP3 keeps).
class SineTable {
 public:
  SineTable() {
    for (int i = 0; i <= size; ++i) table[i] = static_cast<float>(std::sin(twoPi * i / size));
  }
  float operator()(double cycles) const {
    const double x = (cycles - std::floor(cycles)) * size;
    const auto i = static_cast<int>(x);
    const auto frac = static_cast<float>(x - i);
    return table[i] + (table[i + 1] - table[i]) * frac;
  }

 private:
  static constexpr int size = 4096;
  float table[size + 1];
};

const SineTable sine;

// An exponential decay exp(-t / tau), stepped one frame at a time.
struct Decay {
  float value = 1.0f;
  float factor;
  explicit Decay(float tau) : factor(std::exp(-1.0f / (tau * sr))) {}
  float next() {
    const float v = value;
    value *= factor;
    return v;
  }
};

// Linear attack, full level while the gate is open, exponential release,
// stepped one frame at a time; times in seconds.
struct Gate {
  size_t frame = 0;
  size_t attackFrames;
  size_t gateFrames;
  float releaseFactor;
  float level = 1.0f;
  Gate(float attack, float gate, float release)
      : attackFrames(std::max<size_t>(1, static_cast<size_t>(attack * sr))),
        gateFrames(static_cast<size_t>(std::max(0.0f, gate) * sr)),
        releaseFactor(std::exp(-1.0f / (release * sr))) {}
  float next() {
    const size_t f = frame++;
    if (f >= gateFrames) return level *= releaseFactor;
    level = f < attackFrames ? static_cast<float>(f) / static_cast<float>(attackFrames) : 1.0f;
    return level;
  }
};

struct SquareOsc {
  double phase = 0.0;
  float next(double hz) {
    const double dt = hz / sampleRate;
    phase += dt;
    if (phase >= 1.0) phase -= 1.0;
    double half = phase + 0.5;
    if (half >= 1.0) half -= 1.0;
    return (phase < 0.5 ? 1.0f : -1.0f) + polyBlep(phase, dt) - polyBlep(half, dt);
  }
};

size_t framesOf(double seconds) { return static_cast<size_t>(std::max(0.0, seconds) * sampleRate); }

float softClip(float x) { return std::tanh(x); }

double detune(double hz, double cents) { return hz * std::exp2(cents / 1200.0); }

// Drum samples are rendered once and then mixed at every hit.
std::vector<float> renderKick() {
  std::vector<float> out(framesOf(0.5));
  Noise noise{7};
  double phase = 0.0;
  float click = 0.0f;
  for (size_t i = 0; i < out.size(); ++i) {
    const float t = static_cast<float>(i) / sr;
    // The pitch falls fast from a knock to a low thump.
    const double hz = 46.0 + 115.0 * std::exp(-t / 0.04) + 260.0 * std::exp(-t / 0.005);
    phase += twoPi * hz / sampleRate;
    const float body = static_cast<float>(std::sin(phase)) * std::exp(-t / 0.3f) *
                       std::min(1.0f, t / 0.0008f);
    click += 0.35f * (noise.next() - click);
    out[i] = softClip(1.7f * (body + click * std::exp(-t / 0.002f) * 0.5f)) / std::tanh(1.7f);
  }
  return out;
}

std::vector<float> renderSnare() {
  std::vector<float> out(framesOf(0.4));
  Noise noise{11};
  Svf hp;
  hp.set(1900.0f, 0.7f);
  for (size_t i = 0; i < out.size(); ++i) {
    const float t = static_cast<float>(i) / sr;
    const double ts = t;
    const float tone = static_cast<float>(std::sin(twoPi * 182.0 * ts)) * std::exp(-t / 0.055f) * 0.55f +
                       static_cast<float>(std::sin(twoPi * 331.0 * ts)) * std::exp(-t / 0.035f) * 0.25f;
    hp.process(noise.next());
    out[i] = tone + hp.high * std::exp(-t / 0.14f) * 0.75f;
  }
  return out;
}

std::vector<float> renderClap() {
  std::vector<float> out(framesOf(0.45));
  Noise noise{13};
  Svf bp;
  bp.set(1150.0f, 1.4f);
  for (size_t i = 0; i < out.size(); ++i) {
    const float t = static_cast<float>(i) / sr;
    // Three quick hand slaps, then the room.
    float env = 0.0f;
    for (float start : {0.0f, 0.009f, 0.018f}) {
      if (t >= start) env += std::exp(-(t - start) / 0.005f);
    }
    if (t >= 0.027f) env += 0.8f * std::exp(-(t - 0.027f) / 0.13f);
    bp.process(noise.next());
    out[i] = bp.band * env * 1.6f;
  }
  return out;
}

std::vector<float> renderHat(float decay, uint32_t seed) {
  std::vector<float> out(framesOf(decay * 6.0f));
  Noise noise{seed};
  Svf hp;
  Svf bp;
  hp.set(7500.0f, 0.8f);
  bp.set(10500.0f, 1.2f);
  // Six detuned square partials give the metallic ring of a cymbal.
  const double partials[6] = {205.3, 304.4, 369.6, 522.7, 540.0, 800.0};
  double phases[6] = {};
  for (size_t i = 0; i < out.size(); ++i) {
    const float t = static_cast<float>(i) / sr;
    float metal = 0.0f;
    for (int p = 0; p < 6; ++p) {
      phases[p] += partials[p] * 2.6 / sampleRate;
      metal += phases[p] - std::floor(phases[p]) < 0.5 ? 1.0f : -1.0f;
    }
    const float source = noise.next() * 0.8f + metal * 0.12f;
    hp.process(source);
    bp.process(hp.high);
    out[i] = (hp.high * 0.5f + bp.band * 0.6f) * std::exp(-t / decay) * std::min(1.0f, t / 0.0005f);
  }
  return out;
}

std::vector<float> renderShaker() {
  std::vector<float> out(framesOf(0.12));
  Noise noise{17};
  Svf bp;
  bp.set(6200.0f, 1.0f);
  for (size_t i = 0; i < out.size(); ++i) {
    const float t = static_cast<float>(i) / sr;
    bp.process(noise.next());
    out[i] = bp.band * std::min(1.0f, t / 0.012f) * std::exp(-t / 0.035f);
  }
  return out;
}

void mixSample(Song& song, double step, const std::vector<float>& sample, float velocity,
               Send send, Part part) {
  send.gain *= velocity;
  mixVoice(song, frameOfStep(song, step), sample, send, part);
}

// The fade of frame i of a voice `length` frames long: in over 32 frames,
// out over 256 (shorter voices are shared between the two).
float edgeFade(size_t i, size_t length) {
  constexpr size_t in = 32;
  constexpr size_t out = 256;
  const size_t fromEnd = length - 1 - i;
  const float rise = i < in ? static_cast<float>(i) / in : 1.0f;
  const float fall = fromEnd < out ? static_cast<float>(fromEnd) / out : 1.0f;
  return std::min(rise, fall);
}

}  // namespace

void Svf::set(float cutoffHz, float q) {
  cutoffHz = std::clamp(cutoffHz, 20.0f, 0.45f * sr);
  g = std::tan(static_cast<float>(std::numbers::pi) * cutoffHz / sr);
  k = 1.0f / q;
  a1 = 1.0f / (1.0f + g * (g + k));
  a2 = g * a1;
  a3 = g * a2;
}

void Svf::process(float in) {
  const float v3 = in - ic2;
  const float v1 = a1 * ic1 + a2 * v3;
  const float v2 = ic2 + a2 * ic1 + a3 * v3;
  ic1 = 2.0f * v1 - ic1;
  ic2 = 2.0f * v2 - ic2;
  low = v2;
  band = v1;
  high = in - k * v1 - v2;
}

Song makeSong(double bpm, double swing, double seconds) {
  Song song;
  song.bpm = bpm;
  song.swing = swing;
  song.frames = framesOf(seconds);
  for (auto* bus : {&song.dryL, &song.dryR, &song.verbL, &song.verbR, &song.echoL, &song.echoR}) {
    bus->assign(song.frames, 0.0f);
  }
  song.duck.assign(song.frames, 1.0f);
  return song;
}

double secondsPerStep(const Song& song) { return 15.0 / song.bpm; }

size_t frameOfStep(const Song& song, double step) {
  const double whole = std::floor(step);
  const bool offBeat = static_cast<int64_t>(whole) % 2 != 0;
  const double seconds = (step + (offBeat ? song.swing : 0.0)) * secondsPerStep(song);
  return framesOf(seconds);
}

double midiToHz(double note) { return 440.0 * std::exp2((note - 69.0) / 12.0); }

void mixStereoVoice(Song& song, size_t start, const std::vector<float>& left,
                    const std::vector<float>& right, const Send& send, Part part) {
  if ((song.parts & partBit(part)) == 0 || left.empty()) return;
  // Constant-power panning, unity in both channels at the centre.
  const double angle = (static_cast<double>(send.pan) + 1.0) * std::numbers::pi / 4.0;
  const auto gainL = static_cast<float>(std::cos(angle) * std::numbers::sqrt2) * send.gain;
  const auto gainR = static_cast<float>(std::sin(angle) * std::numbers::sqrt2) * send.gain;
  const size_t length = left.size();
  ++song.voices;
  const float firstStep = std::max(std::fabs(left.front() * edgeFade(0, length) * gainL),
                                   std::fabs(right.front() * edgeFade(0, length) * gainR));
  const float lastStep = std::max(std::fabs(left.back() * edgeFade(length - 1, length) * gainL),
                                  std::fabs(right.back() * edgeFade(length - 1, length) * gainR));
  if (firstStep > clickStep || lastStep > clickStep) ++song.clickingVoices;
  const size_t count = std::min(length, start < song.frames ? song.frames - start : 0);
  for (size_t i = 0; i < count; ++i) {
    const size_t f = start + i;
    const float duck = (send.ducked ? song.duck[f] : 1.0f) * edgeFade(i, length);
    const float l = left[i] * gainL * duck;
    const float r = right[i] * gainR * duck;
    song.dryL[f] += l;
    song.dryR[f] += r;
    song.verbL[f] += l * send.reverb;
    song.verbR[f] += r * send.reverb;
    song.echoL[f] += l * send.echo;
    song.echoR[f] += r * send.echo;
  }
}

void mixVoice(Song& song, size_t start, const std::vector<float>& voice, const Send& send, Part part) {
  mixStereoVoice(song, start, voice, voice, send, part);
}

void kick(Song& song, double step, float velocity, float duckDepth) {
  static const std::vector<float> sample = renderKick();
  mixSample(song, step, sample, velocity, Send{0.85f, 0.0f, 0.02f, 0.0f, false}, Part::Kick);
  // Everything ducked dips under the kick and swells back over 220 ms.
  const size_t start = frameOfStep(song, step);
  const size_t length = framesOf(0.22);
  for (size_t i = 0; i < length && start + i < song.frames; ++i) {
    const float x = static_cast<float>(i) / static_cast<float>(length);
    const float rise = i < 40 ? static_cast<float>(i) / 40.0f : 1.0f;
    const float gain = 1.0f - duckDepth * velocity * rise * (1.0f - x * x * (3.0f - 2.0f * x));
    song.duck[start + i] = std::min(song.duck[start + i], gain);
  }
}

void snare(Song& song, double step, float velocity) {
  static const std::vector<float> sample = renderSnare();
  mixSample(song, step, sample, velocity, Send{0.5f, -0.05f, 0.22f, 0.0f, false}, Part::Snare);
}

void clap(Song& song, double step, float velocity) {
  static const std::vector<float> sample = renderClap();
  mixSample(song, step, sample, velocity, Send{0.7f, 0.08f, 0.3f, 0.03f, false}, Part::Clap);
}

void hat(Song& song, double step, float velocity, bool open, float pan) {
  static const std::vector<float> closedHat = renderHat(0.028f, 19);
  static const std::vector<float> openHat = renderHat(0.2f, 23);
  mixSample(song, step, open ? openHat : closedHat, velocity,
            Send{open ? 0.28f : 0.34f, pan, 0.08f, 0.0f, open}, Part::Hats);
}

void shaker(Song& song, double step, float velocity) {
  static const std::vector<float> sample = renderShaker();
  mixSample(song, step, sample, velocity, Send{0.3f, -0.35f, 0.1f, 0.0f, false}, Part::Hats);
}

void crash(Song& song, double step, float velocity) {
  static const std::vector<float> sample = renderHat(0.9f, 29);
  mixSample(song, step, sample, velocity, Send{0.3f, -0.15f, 0.25f, 0.0f, false}, Part::Hats);
}

void riser(Song& song, double step, double steps, float velocity) {
  const double seconds = steps * secondsPerStep(song);
  std::vector<float> left(framesOf(seconds));
  std::vector<float> right(left.size());
  Noise noise{31};
  Svf filterL;
  Svf filterR;
  for (size_t i = 0; i < left.size(); ++i) {
    const float x = static_cast<float>(i) / static_cast<float>(left.size());
    if (i % 32 == 0) {
      const float hz = 300.0f * std::pow(30.0f, x);
      filterL.set(hz, 2.5f);
      filterR.set(hz * 1.07f, 2.5f);
    }
    filterL.process(noise.next());
    filterR.process(noise.next());
    const float level = x * x * std::min(1.0f, (1.0f - x) * 40.0f);
    left[i] = filterL.band * level;
    right[i] = filterR.band * level;
  }
  mixStereoVoice(song, frameOfStep(song, step), left, right,
                 Send{0.35f * velocity, 0.0f, 0.35f, 0.1f, false}, Part::Riser);
}

void bass(Song& song, double step, double length, int note, float velocity, const BassTone& tone,
          const Send& send) {
  const float gate = static_cast<float>(length * secondsPerStep(song));
  std::vector<float> out(framesOf(gate + 0.12));
  const double hz = midiToHz(note);
  SawOsc saw;
  double subPhase = 0.0;
  Svf filter;
  Decay sweep(0.14f);
  Gate env(0.003f, gate, 0.025f);
  for (size_t i = 0; i < out.size(); ++i) {
    const float opening = sweep.next();
    if (i % 16 == 0) {
      filter.set(70.0f + static_cast<float>(hz) * 1.5f + tone.cutoff * opening, tone.resonance);
    }
    filter.process(saw.next(hz));
    subPhase += hz * 0.5 / sampleRate;
    const float sub = sine(subPhase) * tone.sub;
    out[i] = softClip(1.4f * (filter.low + sub)) * env.next() * velocity;
  }
  mixVoice(song, frameOfStep(song, step), out, send, Part::Bass);
}

void pad(Song& song, double step, double length, const std::vector<int>& notes, float velocity,
         float cutoffStart, float cutoffEnd, const Send& send) {
  const float gate = static_cast<float>(length * secondsPerStep(song));
  const float attack = std::min(0.6f, gate * 0.4f);
  std::vector<float> left(framesOf(gate + 1.4));
  std::vector<float> right(left.size());
  // Each note is two saws per side, detuned apart for a wide, slowly beating
  // chord.
  const double centsL[2] = {-12.0, 5.0};
  const double centsR[2] = {-5.0, 12.0};
  Noise phases{static_cast<uint32_t>(notes.empty() ? 1 : notes[0] * 97 + 5)};
  std::vector<SawOsc> oscL(notes.size() * 2);
  std::vector<SawOsc> oscR(notes.size() * 2);
  for (auto& osc : oscL) osc.phase = 0.5 + 0.5 * phases.next();
  for (auto& osc : oscR) osc.phase = 0.5 + 0.5 * phases.next();
  std::vector<double> hzL(oscL.size());
  std::vector<double> hzR(oscR.size());
  for (size_t n = 0; n < notes.size(); ++n) {
    for (int d = 0; d < 2; ++d) {
      hzL[n * 2 + d] = detune(midiToHz(notes[n]), centsL[d]);
      hzR[n * 2 + d] = detune(midiToHz(notes[n]), centsR[d]);
    }
  }
  const float level = velocity / std::sqrt(static_cast<float>(oscL.size()));
  Svf filterL;
  Svf filterR;
  Gate env(attack, gate, 0.45f);
  for (size_t i = 0; i < left.size(); ++i) {
    if (i % 32 == 0) {
      const float t = static_cast<float>(i) / sr;
      const float x = std::min(1.0f, t / std::max(gate, 0.001f));
      const float sweep = cutoffStart * std::pow(cutoffEnd / cutoffStart, x);
      const float wobble = 1.0f + 0.12f * sine(0.23 * t);
      filterL.set(sweep * wobble, 0.9f);
      filterR.set(sweep / wobble, 0.9f);
    }
    float l = 0.0f;
    float r = 0.0f;
    for (size_t o = 0; o < oscL.size(); ++o) {
      l += oscL[o].next(hzL[o]);
      r += oscR[o].next(hzR[o]);
    }
    filterL.process(l);
    filterR.process(r);
    const float e = env.next() * level;
    left[i] = filterL.low * e;
    right[i] = filterR.low * e;
  }
  mixStereoVoice(song, frameOfStep(song, step), left, right, send, Part::Pad);
}

void pluck(Song& song, double step, double length, int note, float velocity, float brightness,
           const Send& send) {
  const float gate = static_cast<float>(length * secondsPerStep(song));
  std::vector<float> out(framesOf(gate + 0.1));
  const double hz = midiToHz(note);
  SawOsc saw;
  SquareOsc square;
  Svf filter;
  Decay sweep(0.08f);
  Decay ring(0.32f);
  Gate env(0.001f, gate, 0.03f);
  for (size_t i = 0; i < out.size(); ++i) {
    const float opening = sweep.next();
    if (i % 16 == 0) filter.set(250.0f + brightness * 5500.0f * opening, 1.6f);
    filter.process(saw.next(hz) * 0.6f + square.next(detune(hz, 5.0)) * 0.4f);
    out[i] = filter.low * ring.next() * env.next() * velocity;
  }
  mixVoice(song, frameOfStep(song, step), out, send, Part::Arp);
}

void lead(Song& song, double step, double length, int note, float velocity, float brightness,
          const Send& send) {
  const float gate = static_cast<float>(length * secondsPerStep(song));
  std::vector<float> out(framesOf(gate + 0.4));
  const double hz = midiToHz(note);
  SawOsc sawA;
  SawOsc sawB;
  SquareOsc square;
  sawB.phase = 0.37;
  Svf filter;
  Decay sweep(0.15f);
  Decay settle(0.25f);
  Gate env(0.008f, gate, 0.12f);
  double bent = hz;
  for (size_t i = 0; i < out.size(); ++i) {
    const float opening = sweep.next();
    if (i % 16 == 0) {
      // Vibrato fades in once the note has settled.
      const float t = static_cast<float>(i) / sr;
      const float depth = std::clamp((t - 0.18f) / 0.4f, 0.0f, 1.0f) * 0.2f;
      bent = hz * std::exp2(depth * sine(5.4 * t) / 12.0f);
      filter.set(500.0f + brightness * 3800.0f * (0.65f + 0.35f * opening), 0.9f);
    }
    filter.process(sawA.next(bent * 0.99596) * 0.5f + sawB.next(bent * 1.00405) * 0.5f +
                   square.next(bent * 0.5) * 0.25f);
    const float decay = 0.72f + 0.28f * settle.next();
    out[i] = filter.low * env.next() * decay * velocity;
  }
  mixVoice(song, frameOfStep(song, step), out, send, Part::Lead);
}

void keys(Song& song, double step, double length, const std::vector<int>& notes, float velocity,
          const Send& send) {
  const float gate = static_cast<float>(length * secondsPerStep(song));
  std::vector<float> left(framesOf(gate + 0.5));
  std::vector<float> right(left.size());
  const float level = velocity / std::sqrt(static_cast<float>(std::max<size_t>(1, notes.size())));
  std::vector<float> chord(left.size(), 0.0f);
  for (int note : notes) {
    const double hz = midiToHz(note);
    double phase = 0.0;
    Decay brightness(0.45f);
    Decay bark(0.03f);
    Decay ring(1.8f);
    Gate env(0.002f, gate, 0.2f);
    for (size_t i = 0; i < left.size(); ++i) {
      // Two-operator electric piano: the modulation index falls as the note
      // rings, from bright bark to a round tone; a high tine adds the attack.
      phase += hz / sampleRate;
      const float index = 1.6f * brightness.next() * velocity + 0.25f;
      const float mod = index * sine(phase) + 0.6f * bark.next() * sine(phase * 14.0);
      chord[i] += sine(phase + mod / (2.0f * std::numbers::pi_v<float>)) * ring.next() * env.next() * level;
    }
  }
  // A slow tremolo moves the chord between the speakers.
  for (size_t i = 0; i < left.size(); ++i) {
    const float pan = 0.3f * sine(3.2 * static_cast<double>(i) / sampleRate);
    left[i] = chord[i] * (1.0f - pan);
    right[i] = chord[i] * (1.0f + pan);
  }
  mixStereoVoice(song, frameOfStep(song, step), left, right, send, Part::Keys);
}

void bell(Song& song, double step, double length, int note, float velocity, const Send& send) {
  const float gate = static_cast<float>(length * secondsPerStep(song));
  std::vector<float> out(framesOf(gate + 2.5));
  const double hz = midiToHz(note);
  double phase = 0.0;
  Decay brightness(0.7f);
  Decay ring(1.6f);
  Gate env(0.002f, gate, 0.9f);
  for (size_t i = 0; i < out.size(); ++i) {
    phase += hz / sampleRate;
    const float index = 2.2f * brightness.next();
    const float tone = sine(phase + index * sine(phase * 3.5) / (2.0f * std::numbers::pi_v<float>));
    out[i] = tone * ring.next() * env.next() * velocity;
  }
  mixVoice(song, frameOfStep(song, step), out, send, Part::Bells);
}

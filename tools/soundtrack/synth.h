#pragma once
// The soundtrack's instruments: oscillators, envelopes and filters, a drum
// kit, and the voices that play bass, chords, arpeggios and melodies into a
// song's mixing buses.
//
// Time is counted in sixteenth notes ("steps") from the start of the song;
// the song's tempo and swing turn steps into sample frames.
#include <cstddef>
#include <cstdint>
#include <vector>

inline constexpr int sampleRate = 44100;

// A deterministic noise source (its own linear congruential generator).
struct Noise {
  uint32_t state = 22222;
  float next() {
    state = state * 1664525u + 1013904223u;
    return static_cast<float>(static_cast<int32_t>(state)) * (1.0f / 2147483648.0f);
  }
};

// Topology-preserving state-variable filter: low, band and high pass at once.
struct Svf {
  float g = 0, k = 1, a1 = 0, a2 = 0, a3 = 0;
  float ic1 = 0, ic2 = 0;
  float low = 0, band = 0, high = 0;
  void set(float cutoffHz, float q);
  void process(float in);
};

// Where a voice goes: level, stereo position (-1 left .. 1 right), how much
// reaches the reverb and the echo, and whether the kick ducks it.
struct Send {
  float gain = 1.0f;
  float pan = 0.0f;
  float reverb = 0.0f;
  float echo = 0.0f;
  bool ducked = false;
};

// The instruments, so that a song can be rendered with only some of them
// (to measure each one's level in the mix).
enum class Part : uint32_t { Kick, Snare, Clap, Hats, Bass, Pad, Arp, Lead, Keys, Bells, Riser, Count };
inline constexpr uint32_t allParts = (1u << static_cast<uint32_t>(Part::Count)) - 1u;
inline constexpr uint32_t partBit(Part part) { return 1u << static_cast<uint32_t>(part); }

// A voice that starts or stops with a step larger than this (of full scale,
// after its send's gain) would click.
inline constexpr float clickStep = 0.001f;

struct Song {
  double bpm = 120.0;
  // Off-beat sixteenths come late by this fraction of a sixteenth.
  double swing = 0.0;
  size_t frames = 0;
  // Mixing buses, stereo: the dry sum, the reverb send and the echo send.
  std::vector<float> dryL, dryR, verbL, verbR, echoL, echoR;
  // Gain curve of the kick's side-chain (1 = untouched).
  std::vector<float> duck;
  Noise noise;
  // The instruments that sound; the others are played silently, so that the
  // rest of the song is the same sample for sample.
  uint32_t parts = allParts;
  // Voices mixed in so far, and those of them that start or end with a step
  // larger than clickStep.
  int voices = 0;
  int clickingVoices = 0;
};

// A song of `seconds` length, silent, with empty buses.
Song makeSong(double bpm, double swing, double seconds);
// The frame at which sixteenth `step` sounds (swing applied to odd steps).
size_t frameOfStep(const Song& song, double step);
double secondsPerStep(const Song& song);

double midiToHz(double note);

// Adds a mono voice (or a stereo pair) of an instrument into the buses from
// frame `start` on. Every voice fades in over its first 32 frames and out
// over its last 256 (6 ms), so none starts or stops with a click.
void mixVoice(Song& song, size_t start, const std::vector<float>& voice, const Send& send,
              Part part = Part::Pad);
void mixStereoVoice(Song& song, size_t start, const std::vector<float>& left,
                    const std::vector<float>& right, const Send& send, Part part = Part::Pad);

// Drum kit; velocity 0..1.
void kick(Song& song, double step, float velocity, float duckDepth = 0.6f);
void snare(Song& song, double step, float velocity);
void clap(Song& song, double step, float velocity);
void hat(Song& song, double step, float velocity, bool open, float pan = 0.2f);
void shaker(Song& song, double step, float velocity);
void crash(Song& song, double step, float velocity);
// A rising noise sweep into a section change, `steps` long.
void riser(Song& song, double step, double steps, float velocity);

// Pitched voices. Lengths are in steps; notes are MIDI numbers.
struct BassTone {
  float cutoff = 900.0f;    // filter opening at the note's attack, Hz
  float resonance = 1.2f;   // filter q
  float sub = 0.6f;         // level of the sine an octave below
};
void bass(Song& song, double step, double length, int note, float velocity, const BassTone& tone,
          const Send& send);

// Detuned-saw chord pad; the filter moves from cutoffStart to cutoffEnd.
void pad(Song& song, double step, double length, const std::vector<int>& notes, float velocity,
         float cutoffStart, float cutoffEnd, const Send& send);

// Plucked synth note with a snappy filter envelope.
void pluck(Song& song, double step, double length, int note, float velocity, float brightness,
           const Send& send);

// Lead synth: two detuned saws and a square, vibrato growing after the attack.
void lead(Song& song, double step, double length, int note, float velocity, float brightness,
          const Send& send);

// Electric-piano-like frequency-modulation keys, one call per chord.
void keys(Song& song, double step, double length, const std::vector<int>& notes, float velocity,
          const Send& send);

// Bell: inharmonic frequency modulation with a long ring.
void bell(Song& song, double step, double length, int note, float velocity, const Send& send);

#include "tools/soundtrack/tracks.h"

#include <vector>

#include "tools/soundtrack/synth.h"

namespace {

constexpr int barSteps = 16;

struct Chord {
  int bass;
  std::vector<int> notes;
};

using Progression = std::vector<Chord>;

struct Note {
  double step;
  double length;
  int note;
};

using Phrase = std::vector<Note>;

double barStep(int bar) { return bar * barSteps; }

const Chord& chordOf(const Progression& progression, int bar) {
  return progression[static_cast<size_t>(bar) % progression.size()];
}

// A small spread of velocities so repeated hits do not sound machine-stamped.
float humanise(Song& song, float velocity, float amount = 0.12f) {
  return velocity * (1.0f - amount * 0.5f + amount * 0.5f * (song.noise.next() + 1.0f));
}

Phrase shifted(Phrase phrase, int semitones) {
  for (Note& note : phrase) note.note += semitones;
  return phrase;
}

// The last bar of a four-bar phrase replaced by another ending.
Phrase withEnding(const Phrase& phrase, const Phrase& ending) {
  Phrase out;
  for (const Note& note : phrase) {
    if (note.step < 3 * barSteps) out.push_back(note);
  }
  for (const Note& note : ending) out.push_back(note);
  return out;
}

// ---- Track one: A minor, 120 beats a minute ----------------------------------

const Progression heroChords = {
    {45, {57, 60, 64, 67}},  // Am7
    {41, {57, 60, 64, 65}},  // Fmaj7
    {48, {55, 60, 64, 67}},  // C
    {43, {55, 59, 62, 67}},  // G
};
const Progression liftChords = {
    {41, {57, 60, 65, 69}},  // F
    {43, {55, 59, 62, 67}},  // G
    {40, {55, 59, 62, 64}},  // Em7
    {45, {57, 60, 64, 69}},  // Am
};
const Progression shadowChords = {
    {38, {57, 60, 62, 65}},  // Dm7
    {45, {57, 60, 64, 69}},  // Am
    {41, {57, 60, 65, 69}},  // F
    {40, {56, 59, 64, 68}},  // E
};

const Phrase themeA = {
    {0, 4, 76},  {4, 2, 72},  {6, 2, 74},  {8, 3, 76},  {11, 3, 79}, {14, 2, 76},
    {16, 4, 77}, {20, 2, 76}, {22, 2, 72}, {24, 6, 69}, {30, 2, 72},
    {32, 4, 76}, {36, 2, 79}, {38, 2, 76}, {40, 3, 72}, {43, 3, 74}, {46, 2, 76},
    {48, 6, 74}, {54, 2, 71}, {56, 4, 67}, {60, 2, 69}, {62, 2, 71},
};
const Phrase themeAEnding = {{48, 4, 74}, {52, 2, 72}, {54, 2, 71}, {56, 8, 69}};

const Phrase themeB = {
    {0, 2, 81},  {2, 2, 81},  {4, 2, 79},  {6, 3, 81},  {9, 3, 84},  {12, 4, 81},
    {16, 2, 79}, {18, 2, 79}, {20, 2, 77}, {22, 3, 79}, {25, 3, 83}, {28, 4, 86},
    {32, 3, 83}, {35, 3, 79}, {38, 2, 76}, {40, 3, 79}, {43, 3, 83}, {46, 2, 81},
    {48, 6, 81}, {54, 2, 76}, {56, 8, 81},
};
const Phrase themeBEnding = {{48, 3, 84}, {51, 3, 83}, {54, 2, 79}, {56, 8, 81}};

const Phrase shadowBells = {
    {0, 8, 74},  {8, 8, 72},  {16, 8, 72}, {24, 8, 69},
    {32, 12, 69}, {44, 4, 72}, {48, 8, 71}, {56, 8, 68},
};

const Phrase liftBells = {
    {0, 6, 81},  {6, 2, 79},  {8, 8, 77},  {16, 6, 79}, {22, 2, 81}, {24, 8, 83},
    {32, 6, 83}, {38, 2, 81}, {40, 8, 79}, {48, 8, 81}, {56, 8, 76},
};

const Send bassSend{0.62f, 0.0f, 0.0f, 0.0f, true};
const Send padSend{0.34f, 0.0f, 0.35f, 0.0f, true};
const Send arpSend{0.2f, 0.25f, 0.15f, 0.35f, true};
const Send leadSend{0.28f, -0.05f, 0.22f, 0.28f, false};
const Send bellSend{0.16f, -0.3f, 0.4f, 0.3f, false};

void playPhrase(Song& song, int bar, const Phrase& phrase, float velocity, float brightness,
                const Send& send) {
  for (const Note& note : phrase) {
    lead(song, barStep(bar) + note.step, note.length - 0.3, note.note, humanise(song, velocity, 0.1f),
         brightness, send);
  }
}

void playBells(Song& song, int bar, const Phrase& phrase, float velocity, int octave) {
  for (const Note& note : phrase) {
    bell(song, barStep(bar) + note.step, note.length, note.note + octave,
         humanise(song, velocity), bellSend);
  }
}

void fourOnTheFloor(Song& song, int bar, float velocity) {
  for (int beat = 0; beat < 4; ++beat) kick(song, barStep(bar) + beat * 4, velocity);
}

// Hats: closed sixteenths with accents on the off-beat, an open hat between
// the kicks when `open` is set.
void hats(Song& song, int bar, float velocity, bool sixteenths, bool open) {
  for (int s = 0; s < barSteps; ++s) {
    const bool offBeat = s % 4 == 2;
    if (!sixteenths && s % 2 != 0) continue;
    if (open && offBeat) {
      hat(song, barStep(bar) + s, humanise(song, velocity * 0.9f), true);
    } else {
      const float accent = offBeat ? 1.0f : (s % 2 == 0 ? 0.55f : 0.4f);
      hat(song, barStep(bar) + s, humanise(song, velocity * accent, 0.25f), false);
    }
  }
}

void backbeat(Song& song, int bar, float velocity) {
  clap(song, barStep(bar) + 4, humanise(song, velocity));
  clap(song, barStep(bar) + 12, humanise(song, velocity));
}

// Offbeat bass with a pickup: the classic pump against the kick.
void pumpBass(Song& song, int bar, const Chord& chord, float velocity, float cutoff) {
  const BassTone tone{cutoff, 1.3f, 0.55f};
  const int root = chord.bass;
  const struct { int step; double length; int offset; } pattern[] = {
      {2, 1.6, 0}, {6, 1.6, 0}, {7, 0.8, 12}, {10, 1.6, 0}, {14, 1.0, 0}, {15, 0.8, 7},
  };
  for (const auto& n : pattern) {
    bass(song, barStep(bar) + n.step, n.length, root + n.offset, humanise(song, velocity, 0.08f),
         tone, bassSend);
  }
}

// Rolling sixteenths between the kicks, for builds and the mechanical groove.
void rollingBass(Song& song, int bar, const Chord& chord, float velocity, float cutoff) {
  const BassTone tone{cutoff, 1.6f, 0.45f};
  for (int s = 0; s < barSteps; ++s) {
    if (s % 4 == 0) continue;
    const int offset = (s == 7 || s == 15) ? 12 : 0;
    bass(song, barStep(bar) + s, 0.7, chord.bass + offset,
         humanise(song, s % 2 == 0 ? velocity : velocity * 0.8f, 0.08f), tone, bassSend);
  }
}

// Sixteenth arpeggio over the chord and its octave.
void arpeggio(Song& song, int bar, const Chord& chord, float velocity, float brightness,
              int pattern = 0) {
  std::vector<int> tones = chord.notes;
  for (int n : chord.notes) tones.push_back(n + 12);
  const int orders[2][16] = {{0, 2, 4, 6, 5, 3, 1, 4, 0, 2, 4, 7, 6, 4, 2, 3},
                             {7, 4, 2, 0, 1, 3, 5, 2, 6, 4, 3, 1, 0, 2, 4, 5}};
  for (int s = 0; s < barSteps; ++s) {
    const int tone = tones[static_cast<size_t>(orders[pattern % 2][s]) % tones.size()];
    const float accent = s % 4 == 0 ? 1.0f : (s % 2 == 0 ? 0.75f : 0.6f);
    pluck(song, barStep(bar) + s, 0.9, tone, humanise(song, velocity * accent, 0.1f), brightness,
          arpSend);
  }
}

void snareRoll(Song& song, int bar, int bars, float velocity) {
  // Quarters, then eighths, then sixteenths, rising in level.
  const int total = bars * barSteps;
  for (int s = 0; s < total; ++s) {
    const float x = static_cast<float>(s) / static_cast<float>(total);
    const int every = x < 0.5f ? 4 : (x < 0.75f ? 2 : 1);
    if (s % every == 0) snare(song, barStep(bar) + s, velocity * (0.35f + 0.65f * x));
  }
}

// `shift` moves the progression against the bar count: chord n falls on the
// bars where (bar + shift) % 4 == n.
void chordPads(Song& song, int firstBar, int bars, const Progression& chords, float velocity,
               float cutoffStart, float cutoffEnd, bool ducked, int shift = 0) {
  Send send = padSend;
  send.ducked = ducked;
  for (int bar = firstBar; bar < firstBar + bars; ++bar) {
    const float x0 = static_cast<float>(bar - firstBar) / static_cast<float>(bars);
    const float x1 = static_cast<float>(bar - firstBar + 1) / static_cast<float>(bars);
    const float from = cutoffStart + (cutoffEnd - cutoffStart) * x0;
    const float to = cutoffStart + (cutoffEnd - cutoffStart) * x1;
    pad(song, barStep(bar), barSteps, chordOf(chords, bar + shift).notes, velocity, from, to, send);
  }
}

// A full drop: drums, pumping bass, pads, arpeggio; the melody is added by
// the caller.
void dropBars(Song& song, int firstBar, int bars, const Progression& chords, float energy) {
  for (int bar = firstBar; bar < firstBar + bars; ++bar) {
    const Chord& chord = chordOf(chords, bar);
    fourOnTheFloor(song, bar, 1.0f);
    backbeat(song, bar, 0.9f * energy);
    hats(song, bar, 0.8f * energy, true, true);
    pumpBass(song, bar, chord, 0.95f, 700.0f + 500.0f * energy);
    arpeggio(song, bar, chord, 0.55f * energy, 0.45f + 0.3f * energy, (bar / 4) % 2);
    // A fill in the last bar of every eight.
    if ((bar - firstBar) % 8 == 7) {
      for (int s : {10, 13, 14, 15}) snare(song, barStep(bar) + s, 0.45f + 0.04f * static_cast<float>(s - 10));
    }
  }
  chordPads(song, firstBar, bars, chords, 0.8f, 2200.0f, 2200.0f, true);
  crash(song, barStep(firstBar), 0.9f);
}

void composeOne(Song& song) {
  // Intro, bars 0-7: the pads open up, the arpeggio enters half way.
  chordPads(song, 0, 8, heroChords, 0.85f, 350.0f, 2400.0f, false);
  for (int bar = 4; bar < 8; ++bar) {
    arpeggio(song, bar, chordOf(heroChords, bar), 0.35f + 0.05f * static_cast<float>(bar - 4),
             0.15f + 0.06f * static_cast<float>(bar - 4));
  }
  bell(song, barStep(0), 16, 81, 0.5f, bellSend);
  bell(song, barStep(4), 16, 76, 0.45f, bellSend);
  riser(song, barStep(6), 32, 0.8f);

  // Drums and bass arrive, bars 8-15.
  for (int bar = 8; bar < 16; ++bar) {
    const Chord& chord = chordOf(heroChords, bar);
    fourOnTheFloor(song, bar, 0.95f);
    hats(song, bar, 0.7f, bar >= 12, false);
    pumpBass(song, bar, chord, 0.9f, 500.0f + 80.0f * static_cast<float>(bar - 8));
    arpeggio(song, bar, chord, 0.45f, 0.4f);
  }
  chordPads(song, 8, 8, heroChords, 0.75f, 1600.0f, 2600.0f, true);
  snareRoll(song, 14, 2, 0.8f);
  riser(song, barStep(12), 64, 0.9f);

  // First drop, bars 16-31: the main theme twice, the second time an octave
  // lower with bells above it.
  dropBars(song, 16, 16, heroChords, 1.0f);
  playPhrase(song, 16, themeA, 0.85f, 0.8f, leadSend);
  playPhrase(song, 20, withEnding(themeA, themeAEnding), 0.85f, 0.8f, leadSend);
  playPhrase(song, 24, shifted(themeA, -12), 0.9f, 0.9f, leadSend);
  playBells(song, 24, themeA, 0.25f, 12);
  playPhrase(song, 28, shifted(withEnding(themeA, themeAEnding), -12), 0.9f, 0.9f, leadSend);
  playBells(song, 28, withEnding(themeA, themeAEnding), 0.25f, 12);

  // Groove on the lifting chords, bars 32-39: no clap, a bell melody.
  for (int bar = 32; bar < 40; ++bar) {
    const Chord& chord = chordOf(liftChords, bar);
    fourOnTheFloor(song, bar, 0.9f);
    hats(song, bar, 0.7f, true, bar % 2 == 1);
    shaker(song, barStep(bar) + 6, 0.6f);
    shaker(song, barStep(bar) + 14, 0.6f);
    pumpBass(song, bar, chord, 0.9f, 800.0f);
    arpeggio(song, bar, chord, 0.4f, 0.5f, 1);
  }
  chordPads(song, 32, 8, liftChords, 0.7f, 1800.0f, 1800.0f, true);
  playBells(song, 32, liftBells, 0.35f, 0);
  playBells(song, 36, liftBells, 0.35f, -12);

  // Build, bars 40-47: rolling bass, the roll speeds up, the filter opens.
  for (int bar = 40; bar < 48; ++bar) {
    const Chord& chord = chordOf(liftChords, bar);
    fourOnTheFloor(song, bar, 0.9f);
    hats(song, bar, 0.6f + 0.03f * static_cast<float>(bar - 40), true, false);
    rollingBass(song, bar, chord, 0.8f, 400.0f + 150.0f * static_cast<float>(bar - 40));
    arpeggio(song, bar, chord, 0.45f, 0.3f + 0.07f * static_cast<float>(bar - 40));
  }
  chordPads(song, 40, 8, liftChords, 0.7f, 700.0f, 3500.0f, true);
  playPhrase(song, 40, shifted(themeB, -12), 0.6f, 0.5f, leadSend);
  snareRoll(song, 44, 4, 0.85f);
  riser(song, barStep(44), 64, 1.0f);

  // Breakdown, bars 48-51 (the error picture mutes most of it).
  chordPads(song, 48, 4, shadowChords, 0.9f, 900.0f, 1500.0f, false);
  playBells(song, 48, shadowBells, 0.4f, 0);
  riser(song, barStep(50), 32, 0.9f);

  // Second drop, bars 52-71, on the lifting chords with the second theme.
  dropBars(song, 52, 20, liftChords, 1.0f);
  playPhrase(song, 56, themeB, 0.75f, 0.65f, leadSend);
  playPhrase(song, 60, withEnding(themeB, themeBEnding), 0.75f, 0.65f, leadSend);
  playPhrase(song, 64, themeB, 0.75f, 0.7f, leadSend);
  playBells(song, 64, shifted(themeB, -12), 0.22f, 0);
  playPhrase(song, 68, withEnding(themeB, themeBEnding), 0.75f, 0.7f, leadSend);
  playBells(song, 68, shifted(withEnding(themeB, themeBEnding), -12), 0.22f, 0);

  // Mechanical groove, bars 72-87: kick, shaker, rolling bass, bright
  // arpeggio over the darker chords; the claps and pads come back half way.
  for (int bar = 72; bar < 88; ++bar) {
    const Chord& chord = chordOf(shadowChords, bar);
    fourOnTheFloor(song, bar, 0.9f);
    for (int s = 2; s < barSteps; s += 4) shaker(song, barStep(bar) + s, humanise(song, 0.7f));
    hats(song, bar, 0.55f, true, false);
    rollingBass(song, bar, chord, 0.85f, 600.0f + (bar % 4 == 3 ? 500.0f : 0.0f));
    arpeggio(song, bar, chord, 0.5f, 0.75f, bar % 2);
    if (bar >= 80) backbeat(song, bar, 0.7f);
  }
  chordPads(song, 80, 8, shadowChords, 0.6f, 1200.0f, 2400.0f, true);
  playBells(song, 76, shadowBells, 0.3f, 12);
  playBells(song, 84, shadowBells, 0.3f, 12);

  // Build, bars 88-91.
  for (int bar = 88; bar < 92; ++bar) {
    const Chord& chord = chordOf(heroChords, bar);
    fourOnTheFloor(song, bar, 0.9f);
    hats(song, bar, 0.7f, true, false);
    rollingBass(song, bar, chord, 0.85f, 700.0f + 200.0f * static_cast<float>(bar - 88));
  }
  chordPads(song, 88, 4, heroChords, 0.8f, 800.0f, 4000.0f, false);
  snareRoll(song, 88, 4, 0.9f);
  riser(song, barStep(88), 64, 1.0f);

  // Last drop, bars 92-107: the main theme with bells an octave up, then
  // the second theme over the main chords' relatives.
  dropBars(song, 92, 16, heroChords, 1.0f);
  playPhrase(song, 92, themeA, 0.9f, 0.9f, leadSend);
  playBells(song, 92, themeA, 0.22f, 12);
  playPhrase(song, 96, withEnding(themeA, themeAEnding), 0.9f, 0.9f, leadSend);
  playBells(song, 96, withEnding(themeA, themeAEnding), 0.22f, 12);
  playPhrase(song, 100, themeA, 0.9f, 1.0f, leadSend);
  playPhrase(song, 100, shifted(themeA, -12), 0.45f, 0.6f, leadSend);
  playPhrase(song, 104, withEnding(themeA, themeAEnding), 0.9f, 1.0f, leadSend);
  playPhrase(song, 104, shifted(withEnding(themeA, themeAEnding), -12), 0.45f, 0.6f, leadSend);

  // Outro, bars 108-115: the drums thin out, the theme once more, low.
  for (int bar = 108; bar < 116; ++bar) {
    const Chord& chord = chordOf(heroChords, bar);
    if (bar < 114) fourOnTheFloor(song, bar, 0.85f);
    hats(song, bar, 0.5f, bar < 112, false);
    pumpBass(song, bar, chord, 0.8f, 600.0f);
    arpeggio(song, bar, chord, 0.4f - 0.03f * static_cast<float>(bar - 108), 0.4f);
  }
  chordPads(song, 108, 8, heroChords, 0.8f, 2400.0f, 900.0f, true);
  playPhrase(song, 108, shifted(themeA, -12), 0.7f, 0.5f, leadSend);
  playPhrase(song, 112, shifted(withEnding(themeA, themeAEnding), -12), 0.6f, 0.4f, leadSend);

  // Ending, bars 116-123: the last chord rings out with the bells.
  pad(song, barStep(116), 4 * barSteps, {57, 60, 64, 69}, 0.8f, 1500.0f, 400.0f, padSend);
  bass(song, barStep(116), 2 * barSteps, 45, 0.6f, BassTone{300.0f, 0.8f, 0.6f}, bassSend);
  playBells(song, 116, {{0, 8, 76}, {8, 8, 72}, {16, 16, 69}}, 0.35f, 0);
}

// ---- Track two: F major, 96 beats a minute, swung ------------------------------

const Progression dreamChords = {
    {46, {58, 62, 65, 69}},  // Bbmaj7
    {45, {57, 60, 64, 67}},  // Am7
    {50, {60, 64, 65, 69}},  // Dm9
    {48, {55, 60, 62, 64}},  // C6/9
};
const Progression homeChords = {
    {43, {58, 62, 65, 67}},  // Gm7
    {48, {58, 60, 64, 67}},  // C7
    {41, {57, 60, 64, 65}},  // Fmaj7
    {50, {57, 60, 62, 65}},  // Dm7
};

const Phrase themeC = {
    {0, 3, 74},  {3, 3, 72},  {6, 2, 69},  {8, 6, 77},  {14, 2, 76},
    {16, 4, 76}, {20, 2, 74}, {22, 2, 72}, {24, 6, 69}, {30, 2, 72},
    {32, 3, 74}, {35, 3, 76}, {38, 2, 77}, {40, 6, 81}, {46, 2, 79},
    {48, 4, 79}, {52, 2, 77}, {54, 2, 76}, {56, 8, 74},
};
const Phrase themeCEnding = {{48, 4, 76}, {52, 4, 74}, {56, 8, 72}};

const Phrase themeD = {
    {0, 2, 70},  {2, 2, 72},  {4, 4, 74},  {8, 3, 77},  {11, 3, 74}, {14, 2, 72},
    {16, 6, 76}, {22, 2, 72}, {24, 4, 70}, {28, 4, 67},
    {32, 3, 69}, {35, 3, 72}, {38, 2, 76}, {40, 6, 77}, {46, 2, 76},
    {48, 4, 74}, {52, 2, 72}, {54, 2, 69}, {56, 8, 74},
};

// The intro is six bars long, so the progression is shifted by two bars:
// every phrase from bar 14 on starts on its first chord.
constexpr int twoShift = 2;

const Send keysSend{0.42f, 0.0f, 0.3f, 0.12f, true};
const Send softBassSend{0.7f, 0.0f, 0.0f, 0.0f, true};
const Send flutePhrase{0.26f, 0.1f, 0.35f, 0.25f, false};

// Half-time boom-bap: kick on one and the "and" of three, snare on two and
// four, swung sixteenth hats with a ghost note or two.
void halfTimeDrums(Song& song, int bar, float energy) {
  const double at = barStep(bar);
  kick(song, at, 0.95f, 0.45f);
  kick(song, at + 10, 0.8f, 0.45f);
  if (bar % 2 == 1) kick(song, at + 7, 0.55f, 0.3f);
  snare(song, at + 4, humanise(song, 0.85f * energy));
  snare(song, at + 12, humanise(song, 0.9f * energy));
  if (bar % 4 == 3) snare(song, at + 15, 0.25f);
  for (int s = 0; s < barSteps; ++s) {
    const float accent = s % 2 == 0 ? 0.75f : 0.45f;
    hat(song, at + s, humanise(song, 0.6f * energy * accent, 0.3f), s == 14 && bar % 2 == 0, -0.2f);
  }
}

// Keys comp: the chord on the one, pushed stabs on the "and"s.
void compKeys(Song& song, int bar, const Chord& chord, float velocity) {
  const double at = barStep(bar);
  keys(song, at, 6, chord.notes, humanise(song, velocity, 0.08f), keysSend);
  keys(song, at + 7, 2, chord.notes, humanise(song, velocity * 0.7f, 0.08f), keysSend);
  keys(song, at + 10, 5, chord.notes, humanise(song, velocity * 0.8f, 0.08f), keysSend);
}

void walkingBass(Song& song, int bar, const Chord& chord, const Chord& next, float velocity) {
  const BassTone tone{450.0f, 0.9f, 0.7f};
  const double at = barStep(bar);
  bass(song, at, 5, chord.bass, velocity, tone, softBassSend);
  bass(song, at + 6, 1.5, chord.bass + 12, velocity * 0.6f, tone, softBassSend);
  bass(song, at + 10, 3, chord.bass + 7, velocity * 0.85f, tone, softBassSend);
  // A passing note that leans into the next chord.
  const int lean = next.bass > chord.bass ? next.bass - 1 : next.bass + 1;
  bass(song, at + 14, 1.6, lean, velocity * 0.7f, tone, softBassSend);
}

void playFlute(Song& song, int bar, const Phrase& phrase, float velocity) {
  for (const Note& note : phrase) {
    lead(song, barStep(bar) + note.step, note.length - 0.4, note.note, humanise(song, velocity, 0.1f),
         0.35f, flutePhrase);
  }
}

void grooveBars(Song& song, int firstBar, int bars, const Progression& chords, float energy,
                bool drums) {
  for (int bar = firstBar; bar < firstBar + bars; ++bar) {
    const Chord& chord = chordOf(chords, bar + twoShift);
    if (drums) halfTimeDrums(song, bar, energy);
    compKeys(song, bar, chord, 0.55f);
    walkingBass(song, bar, chord, chordOf(chords, bar + twoShift + 1), 0.85f);
  }
  chordPads(song, firstBar, bars, chords, 0.45f, 1200.0f, 1200.0f, true, twoShift);
}

void composeTwo(Song& song) {
  // Intro, bars 0-5: keys and pad, bells twinkle.
  for (int bar = 0; bar < 6; ++bar) {
    keys(song, barStep(bar), 14, chordOf(dreamChords, bar + twoShift).notes, 0.5f, keysSend);
  }
  chordPads(song, 0, 6, dreamChords, 0.55f, 400.0f, 1600.0f, false, twoShift);
  for (int bar = 2; bar < 6; ++bar) {
    const auto& notes = chordOf(dreamChords, bar + twoShift).notes;
    for (int s = 0; s < barSteps; s += 3) {
      bell(song, barStep(bar) + s, 2, notes[static_cast<size_t>(s / 3) % notes.size()] + 12,
           humanise(song, 0.12f), bellSend);
    }
  }
  riser(song, barStep(4), 32, 0.5f);

  // The groove, bars 6-25; the melody from bar 14, bells answer from bar 22.
  grooveBars(song, 6, 20, dreamChords, 0.9f, true);
  crash(song, barStep(6), 0.6f);
  playFlute(song, 14, themeC, 0.8f);
  playFlute(song, 18, withEnding(themeC, themeCEnding), 0.8f);
  playBells(song, 22, themeC, 0.25f, 0);
  playFlute(song, 22, shifted(withEnding(themeC, themeCEnding), -12), 0.5f);

  // Breakdown, bars 26-29: no drums, a slow arpeggio on the bells.
  for (int bar = 26; bar < 30; ++bar) {
    const Chord& chord = chordOf(homeChords, bar + twoShift);
    keys(song, barStep(bar), 14, chord.notes, 0.45f, keysSend);
    for (int s = 0; s < barSteps; s += 2) {
      bell(song, barStep(bar) + s, 2, chord.notes[static_cast<size_t>(s / 2) % chord.notes.size()] + 12,
           humanise(song, 0.15f), bellSend);
    }
  }
  chordPads(song, 26, 4, homeChords, 0.6f, 700.0f, 2200.0f, false, twoShift);
  riser(song, barStep(28), 32, 0.6f);

  // The wave packets, bars 30-37: the second theme over ii-V-I-vi.
  grooveBars(song, 30, 8, homeChords, 1.0f, true);
  crash(song, barStep(30), 0.6f);
  for (int bar = 30; bar < 38; ++bar) {
    shaker(song, barStep(bar) + 2, 0.5f);
    shaker(song, barStep(bar) + 10, 0.5f);
  }
  playFlute(song, 30, themeD, 0.85f);
  playFlute(song, 34, themeD, 0.85f);
  playBells(song, 34, shifted(themeD, 12), 0.18f, 0);

  // The closing scroll, bars 38-49: the first theme returns with bells.
  grooveBars(song, 38, 12, dreamChords, 0.85f, true);
  playFlute(song, 38, themeC, 0.8f);
  playBells(song, 38, themeC, 0.2f, 12);
  playFlute(song, 42, withEnding(themeC, themeCEnding), 0.8f);
  playBells(song, 42, withEnding(themeC, themeCEnding), 0.2f, 12);
  playBells(song, 46, themeC, 0.28f, 0);

  // Outro, bars 50-57: drums gone, keys, bass and pad.
  grooveBars(song, 50, 8, homeChords, 0.0f, false);
  playFlute(song, 54, shifted(themeD, -12), 0.5f);

  // The last chord, Fmaj9, rings out.
  keys(song, barStep(58), 24, {53, 57, 60, 64, 67}, 0.5f, keysSend);
  pad(song, barStep(58), 3 * barSteps, {57, 60, 64, 67}, 0.5f, 1400.0f, 300.0f, padSend);
  bass(song, barStep(58), barSteps, 41, 0.6f, BassTone{300.0f, 0.8f, 0.7f}, softBassSend);
  bell(song, barStep(58) + 4, 8, 81, 0.2f, bellSend);
}

}  // namespace

StereoTrack composeTrackOne() {
  Song song = makeSong(120.0, 0.08, trackOneSeconds);
  composeOne(song);
  return mixdown(song, 0.224f, 5.0);
}

StereoTrack composeTrackTwo() {
  Song song = makeSong(96.0, 0.22, trackTwoSeconds);
  composeTwo(song);
  return mixdown(song, 0.2f, 6.0);
}

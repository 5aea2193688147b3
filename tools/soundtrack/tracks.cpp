#include "tools/soundtrack/tracks.h"

#include <utility>
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

Chord transposed(const Chord& chord, int semitones) {
  Chord out = chord;
  out.bass += semitones;
  for (int& note : out.notes) note += semitones;
  return out;
}

Progression transposed(const Progression& chords, int semitones) {
  Progression out;
  for (const Chord& chord : chords) out.push_back(transposed(chord, semitones));
  return out;
}

// ---- Track one: A minor, 120 beats a minute ----------------------------------
//
// The form follows the show, two seconds a bar:
//   bars   0-7    0-16 s  intro: pads open, bells, a soft arpeggio (the logos)
//   bars   8-25  16-52 s  verse: drums and bass, the hook hinted on the bells (pictures)
//   bar   26     52-54 s  a bar of space
//   bars  27-46  54-94 s  first drop: the hook on the lead, its answer (pendulums)
//   bars  47-48  94-98 s  build
//   bars  49-52  98-106 s breakdown: pads over a pedal (the error picture mutes it)
//   bar   53    106-108 s a bar of space while the volume comes back
//   bars  54-69 108-140 s second drop: new chords, the second theme, bells answering
//   bars  70-79 140-160 s pedal section: no kick, chords over a held bass (the automata)
//   bars  80-90 160-182 s the half-time groove comes in, then a build
//   bar   91    182-184 s a bar of space
//   bars  92-107 184-216 s last section in B minor: a broken beat, the hook up a tone (surfaces)
//   bars 108-111 216-224 s the cadence: Em, F#, Bm
//   bars 112-   224-     the last chord rings out

const Progression heroChords = {
    {45, {57, 60, 64, 67}},  // Am7
    {41, {57, 60, 64, 65}},  // Fmaj7
    {48, {55, 60, 64, 67}},  // C
    {43, {55, 59, 62, 67}},  // G
};
const Progression answerChords = {
    {38, {57, 60, 62, 65}},  // Dm7
    {43, {55, 59, 62, 65}},  // G7
    {36, {55, 60, 64, 67}},  // C
    {40, {56, 59, 62, 64}},  // E7
};
const Progression liftChords = {
    {41, {57, 60, 65, 69}},  // F
    {43, {55, 59, 62, 67}},  // G
    {40, {55, 59, 62, 64}},  // Em7
    {45, {57, 60, 64, 69}},  // Am
    {38, {57, 60, 62, 65}},  // Dm7
    {40, {56, 59, 62, 64}},  // E7
    {41, {57, 60, 64, 65}},  // Fmaj7
    {40, {56, 59, 64, 68}},  // E
};
// Over a held A: the chords move, the bass stays.
const Progression pedalChords = {
    {45, {57, 60, 64, 69}},  // Am
    {45, {57, 62, 65, 69}},  // Dm/A
    {45, {57, 60, 65, 69}},  // F/A
    {45, {56, 59, 64, 68}},  // E/A
};

const Phrase themeA = {
    {0, 4, 76},  {4, 2, 72},  {6, 2, 74},  {8, 3, 76},  {11, 3, 79}, {14, 2, 76},
    {16, 4, 77}, {20, 2, 76}, {22, 2, 72}, {24, 6, 69}, {30, 2, 72},
    {32, 4, 76}, {36, 2, 79}, {38, 2, 76}, {40, 3, 72}, {43, 3, 74}, {46, 2, 76},
    {48, 6, 74}, {54, 2, 71}, {56, 4, 67}, {60, 2, 69}, {62, 2, 71},
};
const Phrase themeAEnding = {{48, 4, 74}, {52, 2, 72}, {54, 2, 71}, {56, 8, 69}};
// The answer to the hook, over Dm7-G7-C-E7: it climbs and hangs on the E.
const Phrase answerA = {
    {0, 2, 77},  {2, 2, 76},  {4, 4, 74},  {8, 2, 72},  {10, 2, 74}, {12, 4, 77},
    {16, 3, 79}, {19, 3, 77}, {22, 2, 74}, {24, 8, 71},
    {32, 2, 72}, {34, 2, 74}, {36, 4, 76}, {40, 2, 79}, {42, 2, 76}, {44, 4, 72},
    {48, 4, 71}, {52, 4, 74}, {56, 8, 76},
};

const Phrase themeB = {
    {0, 2, 81},  {2, 2, 81},  {4, 2, 79},  {6, 3, 81},  {9, 3, 84},  {12, 4, 81},
    {16, 2, 79}, {18, 2, 79}, {20, 2, 77}, {22, 3, 79}, {25, 3, 83}, {28, 4, 86},
    {32, 3, 83}, {35, 3, 79}, {38, 2, 76}, {40, 3, 79}, {43, 3, 83}, {46, 2, 81},
    {48, 6, 81}, {54, 2, 76}, {56, 8, 81},
};
// Eight bars of the second theme over the eight lifting chords: the second
// half turns towards the E.
const Phrase themeBTurn = {
    {0, 3, 86},  {3, 3, 84},  {6, 2, 81},  {8, 4, 77},  {12, 4, 81},
    {16, 3, 83}, {19, 3, 80}, {22, 2, 76}, {24, 8, 80},
    {32, 2, 81}, {34, 2, 84}, {36, 4, 88}, {40, 3, 84}, {43, 3, 81}, {46, 2, 77},
    {48, 4, 76}, {52, 4, 80}, {56, 8, 76},
};
// The second theme's second time: the same chords, a new line that falls
// where the first one rose.
const Phrase themeBAgain = {
    {0, 3, 84},  {3, 3, 81},  {6, 2, 79},  {8, 2, 77},  {10, 2, 79}, {12, 4, 81},
    {16, 2, 83}, {18, 2, 84}, {20, 4, 83}, {24, 3, 79}, {27, 3, 76}, {30, 2, 79},
    {32, 4, 81}, {36, 2, 77}, {38, 2, 76}, {40, 4, 74}, {44, 4, 77},
    {48, 3, 76}, {51, 3, 74}, {54, 2, 71}, {56, 8, 76},
};
const Phrase themeBAgainTurn = {
    {0, 2, 77},  {2, 2, 81},  {4, 4, 84},  {8, 3, 88}, {11, 3, 86}, {14, 2, 84},
    {16, 4, 83}, {20, 4, 80}, {24, 8, 83},
    {32, 3, 84}, {35, 3, 81}, {38, 2, 77}, {40, 4, 81}, {44, 4, 84},
    {48, 3, 83}, {51, 3, 80}, {54, 2, 83}, {56, 8, 81},
};
// Over the pedal, a quiet lead that wanders: each bar somewhere new.
const Phrase pedalLead = {
    {0, 6, 72},  {6, 2, 71},  {8, 8, 69},  {16, 4, 74}, {20, 4, 72}, {24, 8, 77},
    {32, 3, 76}, {35, 3, 74}, {38, 2, 72}, {40, 8, 71}, {48, 2, 72}, {50, 2, 74}, {52, 4, 76}, {56, 8, 80},
    {64, 6, 81}, {70, 2, 79}, {72, 4, 77}, {76, 4, 76}, {80, 8, 74}, {88, 4, 76}, {92, 4, 77},
    {96, 3, 79}, {99, 3, 81}, {102, 2, 83}, {104, 8, 84}, {112, 4, 83}, {116, 4, 80},
    {120, 4, 81}, {124, 4, 83}, {128, 8, 84}, {136, 4, 83}, {140, 4, 81}, {144, 8, 80}, {152, 8, 76},
};
// The bells answer in the gaps the second theme leaves.
const Phrase answerBells = {
    {12, 2, 88}, {14, 2, 86}, {28, 2, 84}, {30, 2, 83},
    {44, 2, 86}, {46, 2, 84}, {58, 2, 83}, {60, 4, 81},
};

const Phrase shadowBells = {
    {0, 8, 74},  {8, 8, 72},  {16, 8, 72}, {24, 8, 69},
    {32, 12, 69}, {44, 4, 72}, {48, 8, 71}, {56, 8, 68},
};
// Over the pedal: a slow line that moves against the chords.
const Phrase pedalLine = {
    {0, 6, 76},  {6, 2, 74},  {8, 8, 72},  {16, 4, 74}, {20, 4, 77}, {24, 8, 81},
    {32, 6, 81}, {38, 2, 79}, {40, 8, 77}, {48, 4, 76}, {52, 4, 74}, {56, 8, 71},
};

const Send bassSend{0.58f, 0.0f, 0.0f, 0.0f, true};
const Send padSend{0.3f, 0.0f, 0.35f, 0.0f, true};
const Send arpSend{0.4f, 0.3f, 0.15f, 0.3f, true};
const Send leadSend{0.56f, -0.05f, 0.2f, 0.22f, false};
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

// Kick on one and on the "and" of three: the floor halved.
void halfTimeKick(Song& song, int bar, float velocity) {
  kick(song, barStep(bar), velocity);
  kick(song, barStep(bar) + 10, velocity * 0.85f);
}

// A broken beat: kick on one, the "and" of two and three, snare on two and
// four with a ghost before the four.
void brokenBeat(Song& song, int bar, float velocity) {
  const double at = barStep(bar);
  kick(song, at, velocity);
  kick(song, at + 6, velocity * 0.8f);
  kick(song, at + 10, velocity * 0.9f);
  if (bar % 2 == 1) kick(song, at + 14, velocity * 0.6f);
  snare(song, at + 4, humanise(song, 0.9f * velocity));
  snare(song, at + 11, humanise(song, 0.25f * velocity));
  snare(song, at + 12, humanise(song, 0.95f * velocity));
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

// Rolling sixteenths between the kicks, for builds and the pedal section.
void rollingBass(Song& song, int bar, const Chord& chord, float velocity, float cutoff) {
  const BassTone tone{cutoff, 1.6f, 0.45f};
  for (int s = 0; s < barSteps; ++s) {
    if (s % 4 == 0) continue;
    const int offset = (s == 7 || s == 15) ? 12 : 0;
    bass(song, barStep(bar) + s, 0.7, chord.bass + offset,
         humanise(song, s % 2 == 0 ? velocity : velocity * 0.8f, 0.08f), tone, bassSend);
  }
}

// A held note under the whole bar, breathing with a slow filter.
void pedalBass(Song& song, int bar, int note, float velocity) {
  bass(song, barStep(bar), barSteps - 0.5, note, velocity, BassTone{260.0f, 0.9f, 0.75f}, bassSend);
}

// Bass for the broken beat: on the kicks, with a slide up the octave.
void brokenBass(Song& song, int bar, const Chord& chord, float velocity) {
  const BassTone tone{900.0f, 1.4f, 0.6f};
  const struct { int step; double length; int offset; } pattern[] = {
      {0, 3.0, 0}, {6, 2.0, 0}, {10, 1.5, 12}, {12, 2.0, 0}, {15, 0.8, 7},
  };
  for (const auto& n : pattern) {
    bass(song, barStep(bar) + n.step, n.length, chord.bass + n.offset, humanise(song, velocity, 0.08f), tone,
         bassSend);
  }
}

// Sixteenth arpeggio over the chord and its octave.
void arpeggio(Song& song, int bar, const Chord& chord, float velocity, float brightness,
              int pattern = 0) {
  std::vector<int> tones = chord.notes;
  for (int n : chord.notes) tones.push_back(n + 12);
  const int orders[3][16] = {{0, 2, 4, 6, 5, 3, 1, 4, 0, 2, 4, 7, 6, 4, 2, 3},
                             {7, 4, 2, 0, 1, 3, 5, 2, 6, 4, 3, 1, 0, 2, 4, 5},
                             {0, 4, 7, 4, 1, 5, 6, 5, 2, 4, 7, 4, 3, 5, 6, 7}};
  for (int s = 0; s < barSteps; ++s) {
    const int tone = tones[static_cast<size_t>(orders[pattern % 3][s]) % tones.size()];
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
// bars where (bar + shift) % size == n.
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

// The chords of a progression starting on its first chord at `firstBar`.
const Chord& chordFrom(const Progression& chords, int firstBar, int bar) {
  return chords[static_cast<size_t>(bar - firstBar) % chords.size()];
}

// A drop: drums, pumping bass, dark pads and the arpeggio; the lead is added
// by the caller and stands above them. The arrangement moves every four
// bars, so no stretch sounds like another: the hats open and close, the
// arpeggio changes its figure and its brightness, the claps come and go,
// and the pads' filter opens over the whole drop.
void dropBars(Song& song, int firstBar, int bars, const Progression& chords, float energy, int arpPattern) {
  for (int bar = firstBar; bar < firstBar + bars; ++bar) {
    const Chord& chord = chordFrom(chords, firstBar, bar);
    const int block = (bar - firstBar) / 4;
    const float x = static_cast<float>(bar - firstBar) / static_cast<float>(bars);
    fourOnTheFloor(song, bar, 1.0f);
    if (block % 3 != 2) backbeat(song, bar, energy);
    hats(song, bar, (0.6f + 0.3f * x) * energy, block % 2 == 0, block % 2 == 1);
    if (block % 3 == 2) {
      for (int s = 2; s < barSteps; s += 4) shaker(song, barStep(bar) + s, humanise(song, 0.7f));
    }
    pumpBass(song, bar, chord, 0.95f, 600.0f + 900.0f * x);
    arpeggio(song, bar, chord, (0.35f + 0.25f * static_cast<float>(block % 2)) * energy, 0.45f + 0.5f * x,
             arpPattern + block);
    // A fill in the last bar of every eight.
    if ((bar - firstBar) % 8 == 7) {
      for (int s : {10, 13, 14, 15}) snare(song, barStep(bar) + s, 0.45f + 0.04f * static_cast<float>(s - 10));
    }
  }
  chordPads(song, firstBar, bars, chords, 0.6f, 700.0f, 2600.0f, true, -firstBar);
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
  riser(song, barStep(6), 32, 0.6f);

  // Verse, bars 8-25: drums and bass arrive; the hook on the bells from bar
  // 12, the open hats from bar 16; a build into the space.
  for (int bar = 8; bar < 26; ++bar) {
    const Chord& chord = chordOf(heroChords, bar);
    fourOnTheFloor(song, bar, 0.8f);
    hats(song, bar, 0.6f, bar >= 12, bar >= 16);
    pumpBass(song, bar, chord, 0.8f, 450.0f + 30.0f * static_cast<float>(bar - 8));
    arpeggio(song, bar, chord, 0.4f, 0.35f + 0.02f * static_cast<float>(bar - 8), bar >= 16 ? 1 : 0);
    if (bar >= 20) backbeat(song, bar, 0.6f);
  }
  chordPads(song, 8, 18, heroChords, 0.6f, 1200.0f, 2400.0f, true);
  playBells(song, 12, themeA, 0.3f, 0);
  playBells(song, 16, withEnding(themeA, themeAEnding), 0.3f, 0);
  snareRoll(song, 22, 4, 0.8f);
  riser(song, barStep(22), 64, 0.9f);

  // Bar 26 is space. First drop, bars 27-46: the hook, its answer, the hook
  // again with bells above, and an answer that turns back.
  dropBars(song, 27, 20, heroChords, 1.0f, 0);
  playPhrase(song, 27, themeA, 0.9f, 1.0f, leadSend);
  playPhrase(song, 31, withEnding(themeA, themeAEnding), 0.9f, 1.0f, leadSend);
  // The answer over its own chords, bars 35-38.
  for (int bar = 35; bar < 39; ++bar) {
    pad(song, barStep(bar), barSteps, chordFrom(answerChords, 35, bar).notes, 0.45f, 1300.0f, 1300.0f, padSend);
  }
  playPhrase(song, 35, answerA, 0.9f, 1.0f, leadSend);
  playPhrase(song, 39, shifted(themeA, 12), 0.8f, 0.8f, leadSend);
  playBells(song, 39, themeA, 0.25f, 0);
  playPhrase(song, 43, withEnding(answerA, themeAEnding), 0.9f, 1.0f, leadSend);

  // Build, bars 47-48; breakdown 49-52 (muted in the show), space at 53.
  for (int bar = 47; bar < 49; ++bar) {
    const Chord& chord = chordOf(liftChords, bar);
    fourOnTheFloor(song, bar, 0.9f);
    hats(song, bar, 0.7f, true, false);
    rollingBass(song, bar, chord, 0.8f, 800.0f);
  }
  snareRoll(song, 47, 2, 0.85f);
  for (int bar = 49; bar < 53; ++bar) {
    pad(song, barStep(bar), barSteps, chordFrom(pedalChords, 49, bar).notes, 0.8f, 700.0f, 1300.0f, padSend);
    pedalBass(song, bar, 33, 0.45f);
  }
  playBells(song, 49, shadowBells, 0.35f, 0);
  riser(song, barStep(51), 32, 0.9f);

  // Second drop, bars 54-69: the eight lifting chords, the second theme and
  // its turn, bells answering in the gaps.
  dropBars(song, 54, 16, liftChords, 1.0f, 1);
  playPhrase(song, 54, themeB, 0.85f, 1.0f, leadSend);
  playPhrase(song, 58, themeBTurn, 0.85f, 1.0f, leadSend);
  playBells(song, 54, answerBells, 0.3f, 0);
  playPhrase(song, 62, themeBAgain, 0.85f, 1.0f, leadSend);
  playPhrase(song, 66, themeBAgainTurn, 0.85f, 1.0f, leadSend);

  // Pedal section, bars 70-79: no kick; the chords move over a held A, a
  // shaker and the slow line on the bells.
  for (int bar = 70; bar < 80; ++bar) {
    pad(song, barStep(bar), barSteps, chordFrom(pedalChords, 70, bar).notes, 0.6f, 900.0f, 1600.0f, padSend);
    pedalBass(song, bar, 33, 0.5f);
    for (int s = 2; s < barSteps; s += 4) shaker(song, barStep(bar) + s, humanise(song, 0.5f));
    if (bar >= 74) arpeggio(song, bar, chordFrom(pedalChords, 70, bar), 0.3f, 0.6f, 2);
  }
  playPhrase(song, 70, pedalLead, 0.6f, 0.55f, leadSend);
  playBells(song, 74, shadowBells, 0.25f, 12);

  // Bars 80-90: the half-time groove comes in over the darker chords with a
  // rolling bass; claps from 84; a build; bar 91 is space.
  for (int bar = 80; bar < 91; ++bar) {
    const Chord& chord = chordFrom(answerChords, 80, bar);
    halfTimeKick(song, bar, 0.9f);
    hats(song, bar, 0.55f, true, false);
    rollingBass(song, bar, chord, 0.75f, 500.0f + (bar % 4 == 3 ? 400.0f : 0.0f));
    arpeggio(song, bar, chord, 0.45f, 0.8f, 2);
    if (bar >= 84) backbeat(song, bar, 0.8f);
  }
  chordPads(song, 80, 11, answerChords, 0.5f, 1100.0f, 2600.0f, true, -80);
  playBells(song, 80, pedalLine, 0.3f, 12);
  snareRoll(song, 87, 4, 0.9f);
  riser(song, barStep(87), 64, 1.0f);

  // Last section, bars 92-107, up a tone in B minor with a broken beat: the
  // hook twice, the answer, the hook with bells.
  const Progression heroUp = transposed(heroChords, 2);
  const Progression answerUp = transposed(answerChords, 2);
  for (int bar = 92; bar < 108; ++bar) {
    const bool answering = bar >= 100 && bar < 104;
    const Chord& chord = answering ? chordFrom(answerUp, 100, bar) : chordFrom(heroUp, 92, bar);
    brokenBeat(song, bar, 1.0f);
    hats(song, bar, 0.75f, true, bar % 2 == 0);
    clap(song, barStep(bar) + 12, humanise(song, 0.8f));
    brokenBass(song, bar, chord, 0.95f);
    arpeggio(song, bar, chord, 0.45f, 0.85f, (bar / 4) % 3);
    pad(song, barStep(bar), barSteps, chord.notes, 0.55f, 1400.0f, 1400.0f, padSend);
  }
  crash(song, barStep(92), 1.0f);
  playPhrase(song, 92, shifted(themeA, 2), 0.95f, 1.0f, leadSend);
  playPhrase(song, 96, shifted(withEnding(themeA, themeAEnding), 2), 0.95f, 1.0f, leadSend);
  playPhrase(song, 100, shifted(answerA, 2), 0.95f, 1.0f, leadSend);
  playPhrase(song, 104, shifted(withEnding(themeA, themeAEnding), 2), 0.95f, 1.0f, leadSend);
  playBells(song, 104, shifted(withEnding(themeA, themeAEnding), 2), 0.2f, 12);

  // The cadence, bars 108-111: Em, F#, then B minor rings out with the bells.
  const Chord em{40, {55, 59, 64, 67}};
  const Chord fSharp{42, {54, 58, 61, 66}};
  const Chord bMinor{47, {54, 59, 62, 66}};
  for (int bar = 108; bar < 110; ++bar) {
    const Chord& chord = bar == 108 ? em : fSharp;
    kick(song, barStep(bar), 0.9f);
    brokenBass(song, bar, chord, 0.8f);
    pad(song, barStep(bar), barSteps, chord.notes, 0.7f, 1500.0f, 1500.0f, padSend);
  }
  playPhrase(song, 108, {{0, 8, 79}, {8, 8, 78}, {16, 16, 78}}, 0.9f, 0.9f, leadSend);
  crash(song, barStep(110), 0.8f);
  kick(song, barStep(110), 0.9f);
  pad(song, barStep(110), 3 * barSteps, bMinor.notes, 0.8f, 1500.0f, 400.0f, padSend);
  bass(song, barStep(110), 2 * barSteps, 35, 0.7f, BassTone{300.0f, 0.8f, 0.6f}, bassSend);
  playPhrase(song, 110, {{0, 24, 78}}, 0.8f, 0.8f, leadSend);
  playBells(song, 110, {{0, 8, 83}, {8, 8, 78}, {16, 16, 74}}, 0.35f, 0);
}

// ---- Track two: F major, 96 beats a minute, swung ------------------------------
//
// Two and a half seconds a bar:
//   bars  0-5    0-15 s   intro: keys and bells settle on F (the countdown)
//   bars  6-25  15-65 s   groove: the melody over IV-V-I-vi (the title cards)
//   bars 26-29  65-75 s   breakdown: no drums (the bonus title)
//   bars 30-37  75-95 s   second groove: straight sixteenths, claps, the second theme (the wave packets)
//   bars 38-53  95-135 s  the first theme again, with a counter-melody (the closing scroll)
//   bars 54-61 135-155 s  outro: drums gone, the last phrases
//   bars 62-    155-      the last chord rings out

const Progression homeChords = {
    {46, {58, 62, 65, 69}},  // Bbmaj7
    {48, {58, 60, 64, 67}},  // C7
    {41, {57, 60, 64, 65}},  // Fmaj7
    {50, {57, 60, 62, 65}},  // Dm7
};
const Progression turnChords = {
    {43, {58, 62, 65, 67}},  // Gm7
    {48, {58, 60, 64, 67}},  // C7
    {45, {57, 60, 64, 67}},  // Am7
    {50, {57, 60, 62, 66}},  // D7
    {43, {58, 62, 65, 67}},  // Gm7
    {48, {58, 60, 64, 67}},  // C7
    {41, {57, 60, 64, 65}},  // Fmaj7
    {41, {57, 60, 64, 65}},  // Fmaj7
};

const Phrase themeC = {
    {0, 3, 74},  {3, 3, 77},  {6, 2, 81},  {8, 6, 79},  {14, 2, 76},
    {16, 4, 77}, {20, 2, 79}, {22, 2, 81}, {24, 6, 77}, {30, 2, 76},
    {32, 3, 74}, {35, 3, 77}, {38, 2, 81}, {40, 6, 84}, {46, 2, 82},
    {48, 4, 81}, {52, 2, 79}, {54, 2, 76}, {56, 8, 77},
};
const Phrase themeCEnding = {{48, 4, 79}, {52, 4, 76}, {56, 8, 77}};

const Phrase themeD = {
    {0, 2, 82},  {2, 2, 81},  {4, 4, 79},  {8, 3, 77},  {11, 3, 79}, {14, 2, 81},
    {16, 6, 84}, {22, 2, 81}, {24, 4, 79}, {28, 4, 76},
    {32, 3, 79}, {35, 3, 81}, {38, 2, 84}, {40, 6, 86}, {46, 2, 84},
    {48, 4, 82}, {52, 2, 81}, {54, 2, 79}, {56, 8, 77},
};
// Under the returning theme, the bells' counter-line.
const Phrase counterC = {
    {8, 4, 69},  {12, 4, 72}, {24, 4, 72}, {28, 4, 69},
    {40, 4, 76}, {44, 4, 74}, {56, 4, 72}, {60, 4, 69},
};

const Send keysSend{0.3f, 0.0f, 0.3f, 0.12f, true};
const Send softBassSend{0.42f, 0.0f, 0.0f, 0.0f, true};
const Send flutePhrase{0.6f, 0.1f, 0.3f, 0.2f, false};

// Half-time boom-bap: kick on one and the "and" of three, snare on two and
// four, swung sixteenth hats with a ghost note or two.
void halfTimeDrums(Song& song, int bar, float energy) {
  const double at = barStep(bar);
  kick(song, at, 1.0f, 0.45f);
  kick(song, at + 10, 0.85f, 0.45f);
  if (bar % 2 == 1) kick(song, at + 7, 0.6f, 0.3f);
  snare(song, at + 4, humanise(song, 0.85f * energy));
  snare(song, at + 12, humanise(song, 0.9f * energy));
  if (bar % 4 == 3) snare(song, at + 15, 0.25f);
  for (int s = 0; s < barSteps; ++s) {
    const float accent = s % 2 == 0 ? 0.75f : 0.45f;
    hat(song, at + s, humanise(song, 0.6f * energy * accent, 0.3f), s == 14 && bar % 2 == 0, -0.2f);
  }
}

// The second groove: kick on the quarters' one and three, claps on two and
// four, straight sixteenths with open hats on the off-beats.
void waveDrums(Song& song, int bar, float energy) {
  const double at = barStep(bar);
  kick(song, at, 1.0f, 0.5f);
  kick(song, at + 8, 0.9f, 0.5f);
  kick(song, at + 11, 0.6f, 0.3f);
  clap(song, at + 4, humanise(song, 0.9f * energy));
  clap(song, at + 12, humanise(song, 0.9f * energy));
  hats(song, bar, 0.55f * energy, true, true);
}

// Light drums for the closing scroll: kick on one, a soft snare on the
// back beats, the shaker instead of the hats.
void scrollDrums(Song& song, int bar, float energy) {
  const double at = barStep(bar);
  kick(song, at, 0.9f, 0.35f);
  if (bar % 2 == 0) kick(song, at + 10, 0.7f, 0.3f);
  snare(song, at + 4, humanise(song, 0.5f * energy));
  snare(song, at + 12, humanise(song, 0.55f * energy));
  for (int s = 0; s < barSteps; s += 2) shaker(song, at + s, humanise(song, (s % 4 == 2 ? 0.7f : 0.45f) * energy));
}

// Keys comp: the chord on the one, pushed stabs on the "and"s.
void compKeys(Song& song, int bar, const Chord& chord, float velocity) {
  const double at = barStep(bar);
  std::vector<int> voicing = chord.notes;
  for (int& note : voicing) note += 12;
  keys(song, at, 6, voicing, humanise(song, velocity, 0.08f), keysSend);
  keys(song, at + 7, 2, voicing, humanise(song, velocity * 0.7f, 0.08f), keysSend);
  keys(song, at + 10, 5, voicing, humanise(song, velocity * 0.8f, 0.08f), keysSend);
}

// The bass in three ways: walking with a lean into the next chord, root and
// fifth in half notes, or syncopated octaves.
void walkingBass(Song& song, int bar, const Chord& chord, const Chord& next, float velocity, int style = 0) {
  const BassTone tone{300.0f, 0.9f, 0.7f};
  const double at = barStep(bar);
  if (style == 1) {
    bass(song, at, 7, chord.bass, velocity, tone, softBassSend);
    bass(song, at + 8, 7, chord.bass + 7, velocity * 0.85f, tone, softBassSend);
    return;
  }
  if (style == 2) {
    for (const auto& [step, offset] : {std::pair{0, 0}, {3, 12}, {6, 0}, {10, 12}, {13, 7}}) {
      bass(song, at + step, 2, chord.bass + offset, velocity * (offset == 0 ? 1.0f : 0.7f), tone, softBassSend);
    }
    return;
  }
  bass(song, at, 5, chord.bass, velocity, tone, softBassSend);
  bass(song, at + 6, 1.5, chord.bass + 12, velocity * 0.6f, tone, softBassSend);
  bass(song, at + 10, 3, chord.bass + 7, velocity * 0.85f, tone, softBassSend);
  // A passing note that leans into the next chord.
  const int lean = next.bass > chord.bass ? next.bass - 1 : next.bass + 1;
  bass(song, at + 14, 1.6, lean, velocity * 0.7f, tone, softBassSend);
}

void playFlute(Song& song, int bar, const Phrase& phrase, float velocity, float brightness = 0.8f) {
  for (const Note& note : phrase) {
    lead(song, barStep(bar) + note.step, note.length - 0.4, note.note, humanise(song, velocity, 0.1f),
         brightness, flutePhrase);
  }
}

// The groove; its arrangement moves every four bars: the keys, a plucked
// arpeggio or the bells carry the chords in turn, the shaker comes and goes,
// and the pads' filter opens over the whole stretch.
enum class Groove { None, HalfTime, HalfTimeOpen, Waves, Scroll };

void grooveBars(Song& song, int firstBar, int bars, const Progression& chords, float energy, Groove groove) {
  const bool drums = groove != Groove::None;
  const bool waves = groove == Groove::Waves;
  for (int bar = firstBar; bar < firstBar + bars; ++bar) {
    const Chord& chord = chordFrom(chords, firstBar, bar);
    const int block = (bar - firstBar) / 4 + (waves ? 1 : 0);
    if (groove == Groove::Waves) waveDrums(song, bar, energy);
    if (groove == Groove::HalfTime) halfTimeDrums(song, bar, energy);
    if (groove == Groove::HalfTimeOpen) {
      // The same beat opened up: claps on the snares, open hats on the
      // off-beats, the ghost kick moved.
      const double at = barStep(bar);
      kick(song, at, 1.0f, 0.45f);
      kick(song, at + 9, 0.8f, 0.4f);
      snare(song, at + 4, humanise(song, 0.8f * energy));
      snare(song, at + 12, humanise(song, 0.85f * energy));
      clap(song, at + 4, humanise(song, 0.6f * energy));
      clap(song, at + 12, humanise(song, 0.6f * energy));
      hats(song, bar, 0.5f * energy, false, true);
    }
    if (groove == Groove::Scroll) scrollDrums(song, bar, energy);
    if (block % 3 != 1 && bar != 6) compKeys(song, bar, chord, 0.5f);
    if (block % 3 == 1) arpeggio(song, bar, chord, 0.4f, 0.6f, block % 2);
    if (block % 3 == 2 && drums) {
      for (int s = 2; s < barSteps; s += 4) shaker(song, barStep(bar) + s, humanise(song, 0.6f));
    }
    walkingBass(song, bar, chord, chordFrom(chords, firstBar, bar + 1), 0.8f, (block + bar / 2) % 3);
  }
  // The pads come in two bars after the groove starts.
  chordPads(song, firstBar + 2, bars - 2, chords, 0.35f, 900.0f, 2800.0f, true, -firstBar);
}

// A third theme for the wave packets: quicker, climbing, in the high register.
const Phrase themeE = {
    {0, 1, 77},  {1, 1, 79},  {2, 2, 81},  {4, 2, 84},  {6, 2, 81},  {8, 4, 86},  {12, 2, 84}, {14, 2, 81},
    {16, 1, 79}, {17, 1, 81}, {18, 2, 82}, {20, 2, 86}, {22, 2, 82}, {24, 6, 84}, {30, 2, 81},
    {32, 1, 77}, {33, 1, 79}, {34, 2, 81}, {36, 2, 84}, {38, 2, 86}, {40, 4, 89}, {44, 2, 88}, {46, 2, 86},
    {48, 3, 84}, {51, 3, 82}, {54, 2, 81}, {56, 2, 79}, {58, 2, 76}, {60, 4, 77},
};
// The song's last words: a slow descent home to F.
const Phrase themeF = {
    {0, 4, 81},  {4, 2, 79},  {6, 2, 77},  {8, 6, 79},  {14, 2, 76},
    {16, 4, 77}, {20, 2, 76}, {22, 2, 74}, {24, 8, 72},
    {32, 4, 74}, {36, 2, 76}, {38, 2, 77}, {40, 6, 79}, {46, 2, 81},
    {48, 4, 79}, {52, 4, 76}, {56, 8, 77},
};
// The bells' answers in the theme's rests, for its second time.
const Phrase answerC = {
    {14, 2, 84}, {15, 1, 86}, {30, 2, 81}, {31, 1, 84}, {46, 2, 86}, {47, 1, 88}, {60, 4, 89},
};

void composeTwo(Song& song) {
  // Intro, bars 0-5: the keys alone, then the pad, the bells ticking, the
  // bass's first notes and a riser, one more each bar: Bb, C7, F, Dm, Bb, C7.
  for (int bar = 0; bar < 6; ++bar) {
    keys(song, barStep(bar), 14, chordFrom(homeChords, 0, bar).notes, 0.45f, keysSend);
    if (bar >= 1) {
      pad(song, barStep(bar), barSteps, chordFrom(homeChords, 0, bar).notes, 0.35f + 0.04f * static_cast<float>(bar),
          400.0f + 250.0f * static_cast<float>(bar), 500.0f + 250.0f * static_cast<float>(bar), padSend);
    }
  }
  for (int bar = 2; bar < 6; ++bar) {
    const auto& notes = chordFrom(homeChords, 0, bar).notes;
    for (int s = 0; s < barSteps; s += bar < 4 ? 4 : 2) {
      bell(song, barStep(bar) + s, 2, notes[static_cast<size_t>(s / 2) % notes.size()] + 12, humanise(song, 0.14f),
           bellSend);
    }
  }
  for (int bar = 3; bar < 6; ++bar) {
    bass(song, barStep(bar), 6, chordFrom(homeChords, 0, bar).bass, 0.5f, BassTone{300.0f, 0.9f, 0.7f}, softBassSend);
  }
  riser(song, barStep(4), 32, 0.5f);

  // The groove, bars 6-25: the drums and bass first, the keys a bar later,
  // the melody from bar 9; the turn chords from bar 18 with the second theme.
  grooveBars(song, 6, 12, homeChords, 0.9f, Groove::HalfTime);
  grooveBars(song, 18, 8, turnChords, 0.9f, Groove::HalfTimeOpen);
  crash(song, barStep(6), 0.6f);
  playFlute(song, 9, {{8, 2, 72}, {10, 2, 74}, {12, 4, 76}}, 0.75f);
  playFlute(song, 10, themeC, 0.85f);
  playFlute(song, 14, withEnding(themeC, themeCEnding), 0.85f);
  playBells(song, 14, answerC, 0.22f, 0);
  playFlute(song, 18, themeD, 0.8f);
  playFlute(song, 22, withEnding(shifted(themeD, -12), themeCEnding), 0.8f, 0.9f);

  // Breakdown, bars 26-29: no drums; the bells climb through each chord, a
  // little higher each bar, and the flute calls once.
  for (int bar = 26; bar < 30; ++bar) {
    const Chord& chord = chordFrom(homeChords, 26, bar);
    keys(song, barStep(bar), 14, chord.notes, 0.35f, keysSend);
    for (int s = 0; s < barSteps; s += 2) {
      const int octave = 12 * (1 + (s + 2 * (bar - 26)) / 12);
      bell(song, barStep(bar) + s, 2, chord.notes[static_cast<size_t>(s / 2) % chord.notes.size()] + octave,
           humanise(song, 0.15f), bellSend);
    }
  }
  chordPads(song, 26, 4, homeChords, 0.5f, 700.0f, 2200.0f, false, -26);
  playFlute(song, 27, {{0, 6, 81}, {8, 4, 79}, {12, 4, 77}, {16, 12, 76}}, 0.6f, 0.6f);
  riser(song, barStep(28), 32, 0.6f);

  // The wave packets, bars 30-37: the second groove and the third theme.
  grooveBars(song, 30, 8, turnChords, 1.0f, Groove::Waves);
  crash(song, barStep(30), 0.7f);
  playFlute(song, 30, themeE, 0.9f, 1.0f);
  playFlute(song, 34, shifted(themeE, -5), 0.9f, 1.0f);

  // The closing scroll, bars 38-53: the first theme with the bells'
  // counter-line, the second theme answered, then the first again high.
  grooveBars(song, 38, 16, homeChords, 0.85f, Groove::Scroll);
  playFlute(song, 38, themeC, 0.85f);
  playBells(song, 38, counterC, 0.25f, 0);
  playFlute(song, 42, shifted(themeD, -12), 0.85f, 0.9f);
  playBells(song, 42, answerC, 0.25f, 0);
  playFlute(song, 46, shifted(themeC, 12), 0.7f, 0.9f);
  playFlute(song, 50, withEnding(shifted(themeE, -12), themeCEnding), 0.75f, 0.9f);

  // Outro, bars 54-61: drums gone, keys, bass and pad, the last melody.
  grooveBars(song, 54, 8, homeChords, 0.0f, Groove::None);
  playFlute(song, 54, themeF, 0.6f, 0.7f);
  playBells(song, 58, {{0, 8, 84}, {8, 8, 81}, {16, 16, 77}}, 0.2f, 0);

  // The last chord, Fmaj9, rings out while the bells walk down through it
  // and the pad closes.
  keys(song, barStep(62), 24, {53, 57, 60, 64, 67}, 0.5f, keysSend);
  pad(song, barStep(62), 2 * barSteps, {57, 60, 64, 67}, 0.45f, 1800.0f, 250.0f, padSend);
  bass(song, barStep(62), barSteps, 41, 0.6f, BassTone{300.0f, 0.8f, 0.7f}, softBassSend);
  const int fall[] = {88, 84, 81, 79, 77, 76, 72, 69};
  for (int k = 0; k < 8; ++k) bell(song, barStep(62) + 2 + 3 * k, 3, fall[k], 0.22f - 0.015f * static_cast<float>(k), bellSend);
}

}  // namespace

const std::vector<Section> trackOneSections = {
    {"intro", 0, 16},          {"verse", 16, 52},          {"space", 52, 54},     {"first drop", 54, 94},
    {"build", 94, 98},         {"breakdown", 98, 106},     {"space", 106, 108},   {"second drop", 108, 140},
    {"pedal", 140, 160},       {"half-time", 160, 182},    {"space", 182, 184},   {"B minor", 184, 216},
    {"cadence", 216, 224},     {"ring", 224, 230},
};
const std::vector<Section> trackTwoSections = {
    {"intro", 0, 15},         {"groove", 15, 65},      {"breakdown", 65, 75},   {"second groove", 75, 95},
    {"theme again", 95, 135}, {"outro", 135, 155},     {"ring", 155, 164},
};

StereoTrack composeTrackOne(uint32_t parts, float levelGain) {
  Song song = makeSong(120.0, 0.08, trackOneSeconds);
  song.parts = parts;
  composeOne(song);
  return mixdown(song, 0.25f, 5.0, levelGain);
}

StereoTrack composeTrackTwo(uint32_t parts, float levelGain) {
  Song song = makeSong(96.0, 0.22, trackTwoSeconds);
  song.parts = parts;
  composeTwo(song);
  return mixdown(song, 0.24f, 4.0, levelGain);
}

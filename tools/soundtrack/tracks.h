#pragma once
// The presentation's two tracks, composed in code against the show's clock
// (the section plans are in tracks.cpp and the README).
//
// Track one (r.mp3), A minor at 120 beats a minute, plays from the first
// logo to the end of the colliding surfaces, about 230 s: a quiet intro, a
// verse under the pictures, the first drop with the hook under the pendulums,
// a breakdown under the error picture, a second drop on new chords, a pedal
// section under the automata, and a last section up a tone in B minor under
// the surfaces that ends on a ringing B minor chord.
//
// Track two (t.mp3), F major at 96 beats a minute with a swung half-time
// groove, plays under the title cards, the wave packets and the closing
// scroll, and ends on a ringing F chord.
#include <vector>

#include "tools/soundtrack/mixdown.h"

inline constexpr double trackOneSeconds = 240.0;
inline constexpr double trackTwoSeconds = 164.0;

// The form of a track: its sections with their times in seconds.
struct Section {
  const char* name;
  double from;
  double to;
};
extern const std::vector<Section> trackOneSections;
extern const std::vector<Section> trackTwoSections;

// With `parts` the instruments that sound (all of them by default) and, for a
// render of some instruments only, the full mix's levelGain.
StereoTrack composeTrackOne(uint32_t parts = allParts, float levelGain = 0.0f);
StereoTrack composeTrackTwo(uint32_t parts = allParts, float levelGain = 0.0f);

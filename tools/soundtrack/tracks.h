#pragma once
// The presentation's two tracks, composed in code.
//
// Track one (r.mp3), A minor at 120 beats a minute, plays under the first
// half: an intro for the logos, drums and bass for the pictures, a first drop
// under the pendulums, a build to the error picture (which mutes the music),
// a second drop as the sound comes back, a sparse mechanical groove under the
// automata and a last drop under the colliding surfaces.
//
// Track two (t.mp3), F major at 96 beats a minute with a swung half-time
// groove, plays under the title cards, the wave packets and the closing
// scroll, and winds down with the credits.
#include "tools/soundtrack/mixdown.h"

inline constexpr double trackOneSeconds = 248.0;
inline constexpr double trackTwoSeconds = 160.0;

StereoTrack composeTrackOne();
StereoTrack composeTrackTwo();

#pragma once
// The title cards of the second half, on a slate-blue background: the
// countdown that announces everything is computed in real time (Timeline
// entries 92 to 96), ten cards that each show one effect live in small inset
// views beside its title and an explanation flying in line by line (97 to
// 106; the bibliography of 99 has no inset), a countdown to the bonus (107)
// and the bonus solver's zooming title (108). Every card shares one frame:
// the background, a jittered title over its black shadow, the music's
// spectrum and a fade from black carrying the decoration rectangles.
#include <string>

#include "runtime/screen.h"

// Every card starts with these at 0: fade from black, slide from the start.
// The pulsing countdown keeps its pulse, phase and fade counter in the first
// three instead.
struct TitleCardState {
  float cardFade = 0.0f;
  float slideAngle = 0.0f;
  float slideSine = 0.0f;
  float spare[7] = {};
};

struct TitleCards {
  TitleCardState card{};
  // The countdown of entries 92 to 96, in seconds; only entry 90 resets it.
  float countdownSeconds = 0.0f;
  // The bonus countdown of entry 107; never reset.
  float bonusCountdown = 0.0f;
};

extern TitleCards titleCards;

// The virtual drawing area of a card at scale 1; a card's projection is
// (0, cardUnitsX s, 0, cardUnitsY s) for its scale s.
inline constexpr int cardUnitsX = 2700;
inline constexpr int cardUnitsY = 2700;

// Entry 90: a fresh card state and a countdown that starts from the top.
void titleResetInit();
// Entries 92 to 96, 107 and 108: a fresh card state.
void titleCardInit();

// The number the countdown shows: 14 at the start of the second track, one
// less every second.
int countdownNumber();

// Entry 92: the title and the countdown under it.
void countdownDisplay();
// Entries 93 to 95: the countdown swells once as its shadow draws apart.
void pulsingCountdownDisplay();
// Entry 96: the countdown in a grid over the whole screen, no title.
void countdownGridDisplay();
// Entry 107: from 5 down to 0.
void bonusCountdownDisplay();
// Entry 108: the bonus solver's title, growing and stretching.
void bonusTitleDisplay();

// The effect cards and the bibliography.
void humanCardDisplay();
void ropeCardDisplay();
void bibliographyDisplay();
void cradleCardDisplay();
void gravityCardDisplay();
void gasCardDisplay();
void fluidCardDisplay();
void sandCardDisplay();
void waveCardDisplay();
void surfaceCardDisplay();

// Inset i of the card of `entry` on the layout screen, each side truncated
// to whole pixels; an empty rectangle for a card with no such inset.
PixelRect cardInset(int entry, int i);

// titleCards.json: the ten card values, the countdown and the bonus
// countdown.
void dumpTitleCards(const std::string& frameDirectory);

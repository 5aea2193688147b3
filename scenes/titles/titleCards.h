#pragma once
// State of the title cards of the second half.

// Every card starts with these at 0: fade from black, slide from the start.
struct TitleCardState {
  float cardFade = 0.0f;
  float slideAngle = 0.0f;
  float slideSine = 0.0f;
  float spare[7] = {};
};

struct TitleCards {
  TitleCardState card{};
  // The countdown of entries 92 to 96; only entry 90 resets it.
  float countdownSeconds = 0.0f;
  // The bonus countdown of entry 107; never reset.
  float bonusCountdown = 0.0f;
};

extern TitleCards titleCards;

// Entry 90: a fresh card state and a countdown that starts from the top.
void titleResetInit();

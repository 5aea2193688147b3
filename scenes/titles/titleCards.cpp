#include "scenes/titles/titleCards.h"

TitleCards titleCards;

void titleResetInit() {
  titleCards.card = {};
  titleCards.countdownSeconds = 0.0f;
}

#pragma once
// The explanation screens of the second half: each effect card (Timeline
// entries 97 to 106) shows a few sentences about its effect and the works it
// draws on, and entry 99 the general bibliography. Each entry's init starts
// the card afresh, installs its lines and, for most effects, restarts the
// effect so that the card's inset shows it from the beginning.
#include <list>
#include <string>

struct ExplanationScreens {
  // The lines of the current card in display order: description lines, a
  // blank line, the label "Bibliography:", the references. The strings are
  // constants; the list holds pointers to them.
  std::list<const char*> lines;
};

extern ExplanationScreens explanationScreens;

// Entry 97: the human body, rebuilt as entry 77 builds it.
void humanExplanationInit();
// Entry 98: the planar engine's rope with two balls.
void ropeExplanationInit();
// Entry 99: the general bibliography; no effect.
void bibliographyInit();
// Entry 100: a fresh pendulum row.
void cradleExplanationInit();
// Entry 101: the gravity field, which runs on as it is.
void gravityExplanationInit();
// Entry 102: a fresh lattice gas with the holes in its box already open.
void gasExplanationInit();
// Entry 103: the water in its start shape.
void fluidExplanationInit();
// Entry 104: a freshly turned hourglass.
void sandExplanationInit();
// Entry 105: the ripple tank fading in again; the field runs on.
void waveExplanationInit();
// Entry 106: a fresh surface with one falling ball.
void surfaceExplanationInit();

// explanation.json: how many lines the card shows, and each of them.
void dumpExplanationScreens(const std::string& frameDirectory);

#include "scenes/fields/voteScene.h"

#include <GL/gl.h>

#include "platform/glutSeam.h"
#include "runtime/flatDrawing.h"
#include "runtime/frameFinish.h"
#include "runtime/sceneTimers.h"
#include "runtime/screen.h"
#include "runtime/sequencer.h"
#include "runtime/sharedCallbacks.h"
#include "runtime/stateDump.h"
#include "scenes/credits.h"
#include "scenes/fields/creditCaption.h"
#include "sim/fields/vote.h"

VoteTimers voteTimers;

namespace {

// Inner cells only, one smoothed pixel each. Recently set cells are olive,
// recently cleared ones black; settled cells white or black.
void drawVotePoints(float alpha) {
  glBegin(GL_POINTS);
  for (int i = 1; i < voteSize - 1; ++i) {
    for (int j = 1; j < voteSize - 1; ++j) {
      const float s = static_cast<float>(vote.state[i][j]);
      if (vote.changeAge[i][j] != 0) {
        glColor4f(0.5f * s, 0.5f * s, 0.25f * s, alpha);
      } else {
        glColor4f(s, s, s, alpha);
      }
      glVertex2f(2.0f * (static_cast<float>(i) / voteSize - 0.5f), 2.0f * (static_cast<float>(j) / voteSize - 0.5f));
    }
  }
  glEnd();
}

}  // namespace

// The domains settle within about 1.5 s of noise; so that the panel keeps
// moving, the grid starts again from noise when the fade-in passes these.
constexpr float voteRefillAt[2] = {0.4f, 0.8f};

void voteInit() {
  glClearColor(1.0f, 1.0f, 1.0f, 0.0f);
  glBlendFunc(GL_SRC_ALPHA, GL_ZERO);
  voteFill();
  voteTimers = {};
}

void voteIdle() {
  voteSweep();
  requestRedisplay();
}

void voteReshape(int width, int height) {
  // The window's unit square: the panel's points are placed in it.
  reshapeUnitOrtho(width, height);
}

void voteDisplay() {
  const int32_t frameMs = sequencer.frameMs;
  const float fadeInBefore = voteTimers.fadeIn;
  advanceFadePair(voteTimers.fadeIn, voteTimers.fadeOut, 0.0025f, frameMs);
  for (int round = 1; round <= 2; ++round) {
    const float at = voteRefillAt[round - 1];
    if (fadeInBefore < at && voteTimers.fadeIn >= at) voteRefill(round);
  }
  const float alpha = voteTimers.fadeIn - voteTimers.fadeOut;

  glClearColor(0.7f, 0.72f, 0.73f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glEnable(GL_POINT_SMOOTH);
  layoutPointSize(1.0f);

  // One cell per pixel at the left, centred vertically, under the unit
  // projection the last frame left.
  layoutViewport(75, static_cast<GLint>(screenHeight * 0.5f - 75.0f), voteSize, voteSize);
  blendOverScene();
  drawVotePoints(alpha);

  // A light frame around the panel.
  loadUnitView();
  layoutLineWidth(2.0f);
  glColor4f(0.9f, 0.9f, 0.9f, alpha);
  drawOutline(-1.0f, -1.0f, 1.0f, 1.0f);
  windowViewport();

  advanceCaptionPair(voteTimers.captionIn, voteTimers.captionOut, 800.0f, frameMs);
  drawCreditCaption({.fade = 1.0f - (voteTimers.captionIn - voteTimers.captionOut) * 0.00125f,
                     .view = {0.0f, 1200.0f, 0.0f, 1200.0f},
                     .x = 350.0f,
                     .y = 555.0f},
                    texturesCaption);

  windowViewport();
  glFlush();
  drawSpectrum();
  swapBuffers();
}

void dumpVoteScene(const std::string& frameDirectory) {
  writeNpy(frameDirectory + "/voteState.npy", &vote.state[0][0], {voteSize, voteSize});
  writeNpy(frameDirectory + "/voteChangeAge.npy", &vote.changeAge[0][0], {voteSize, voteSize});
  JsonScalars json;
  json.add("fadeIn", voteTimers.fadeIn);
  json.add("fadeOut", voteTimers.fadeOut);
  json.add("captionIn", voteTimers.captionIn);
  json.add("captionOut", voteTimers.captionOut);
  json.write(frameDirectory + "/vote.json");
}

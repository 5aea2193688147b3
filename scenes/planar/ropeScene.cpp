#include "scenes/planar/ropeScene.h"

#include <GL/freeglut.h>

#include "platform/glutSeam.h"
#include "runtime/flatDrawing.h"
#include "runtime/frameFinish.h"
#include "runtime/sceneTimers.h"
#include "runtime/screen.h"
#include "runtime/sequencer.h"
#include "runtime/stateDump.h"
#include "runtime/text.h"
#include "scenes/credits.h"
#include "scenes/fields/creditCaption.h"
#include "scenes/spatial/bodyDrawing.h"
#include "sim/planar/planarWorld.h"

RopeTimers ropeTimers;

namespace {

constexpr int beadCount = 40;
// Beads 0-4 and 33-39 hold the rope; the others move and collide.
constexpr int firstFreeBead = 5;
constexpr int lastFreeBead = 32;
// Bit 16: the particle gets a velocity arrow.
constexpr uint32_t arrowMark = 16;
constexpr uint32_t freeBead = PlanarParticleCollides | arrowMark;
// Every spring of the rope is drawn.
constexpr uint32_t drawnSpring = 1;

// The panel's background grey.
constexpr float panelGrey[3] = {0.7f, 0.72f, 0.73f};

void addBall(Vector3 position) {
  PlanarWorld& w = planarWorld;
  PlanarParticle* ball = appendPlanarParticle(w.particles, 50.0f, freeBead, position, {});
  appendPlanarCircle(w.circles, 0, ball, {}, 0.2f, 1.0f);
}

// The rope between its held ends, strung far shorter than it is long: each
// bead pulls on the seven beads after it.
void buildRope() {
  PlanarWorld& w = planarWorld;
  releasePlanarLists();
  w.particles = newPlanarParticle(0.0f, PlanarParticleHidden, {}, {});
  w.springs = newPlanarSpring(w.particles, w.particles, {}, 0);
  w.circles = newPlanarCircle(PlanarCircleIgnored, nullptr, {}, 0.0f, 0.0f);

  PlanarParticle* beads[beadCount];
  for (int i = 0; i < beadCount; ++i) {
    const uint32_t flags = i >= firstFreeBead && i <= lastFreeBead ? freeBead : PlanarParticleFixed;
    // 0.04761905 is 1/21.
    beads[i] = appendPlanarParticle(w.particles, 1.0f, flags, {i * 0.04761905 - 0.9, 0.1, 0.0}, {});
    appendPlanarCircle(w.circles, 0, beads[i], {}, 0.01f, 1.0f);
  }
  for (int i = 0; i < beadCount; ++i) {
    for (int k = 1; k <= 7 && i + k < beadCount; ++k) {
      const SpringLaw law{.stiffness = 30.1f, .damping = 12.0f, .restLength = static_cast<float>(0.0005 * (k + 1))};
      appendPlanarSpring(w.springs, beads[i], beads[i + k], law, drawnSpring);
    }
  }
}

void zeroTimers() {
  ropeTimers.fadeIn = ropeTimers.fadeOut = 0.0f;
  ropeTimers.captionIn = ropeTimers.captionOut = 0.0f;
}

// The white panel, springs, wall box, circles, beads, velocity arrows and the
// gravity arrow with its "g", in the projection in force.
void drawRopeScene(float springGrey) {
  const PlanarWorld& w = planarWorld;
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  drawRectangle(-1.0f, -1.0f, 1.0f, 1.0f);
  glPushMatrix();

  layoutLineWidth(1.0f);
  glColor3f(springGrey, springGrey, springGrey);
  for (const PlanarSpring* s = w.springs; s != nullptr; s = s->next) {
    if ((s->kind & drawnSpring) == 0) continue;
    glBegin(GL_LINE_STRIP);
    glVertex3d(s->a->position.x, s->a->position.y, s->a->position.z);
    glVertex3d(s->b->position.x, s->b->position.y, s->b->position.z);
    glEnd();
  }

  // The walls, 0.01 outside the box.
  glColor3f(1.0f, 1.0f, 1.0f);
  layoutLineWidth(2.0f);
  drawOutline(w.minX - 0.01f, w.minY - 0.01f, w.maxX + 0.01f, w.maxY + 0.01f);

  for (const PlanarCircle* c = w.circles; c != nullptr; c = c->next) {
    if (c->flags != 0) continue;
    if (c->carrier != nullptr) {
      glColor3f(0.5f, 0.5f, 0.5f);
    } else {
      glColor3f(0.55f, 0.45f, 0.45f);
    }
    glPushMatrix();
    glTranslated(c->position.x, c->position.y, c->position.z);
    glutWireSphere(c->radius, 8, 8);
    glPopMatrix();
  }

  glColor3f(1.0f, 0.9f, 0.7f);
  layoutPointSize(2.0f);
  glEnable(GL_POINT_SMOOTH);
  glBegin(GL_POINTS);
  for (const PlanarParticle* p = w.particles; p != nullptr; p = p->next) {
    if ((p->flags & (PlanarParticleCollides | PlanarParticleHidden)) == PlanarParticleCollides) {
      glVertex3d(p->position.x, p->position.y, p->position.z);
    }
  }
  glEnd();

  // Each moving particle's velocity over 0.006 time units, 70 times longer.
  layoutLineWidth(1.0f);
  constexpr uint32_t arrowFlags = PlanarParticleCollides | arrowMark | PlanarParticleHidden;
  for (const PlanarParticle* p = w.particles; p != nullptr; p = p->next) {
    if ((p->flags & arrowFlags) != (PlanarParticleCollides | arrowMark)) continue;
    glColor3f(0.5f, 0.4f, 0.3f);
    const Vector3 end = p->position + p->velocity * 0.006;
    drawArrow(p->position.x, p->position.y, p->position.z, end.x, end.y, end.z, 70.0);
  }

  // Gravity from the upper left corner, 0.15 of its length.
  glColor3f(0.1f, 0.4f, 0.2f);
  const Vector3 g = w.gravity;
  drawArrow(-0.85, 0.88, 0.0, -0.85 + g.x, 0.88 + g.y, g.z, 0.15);
  bitmapText(-0.8f, 0.6f, "g");

  glPopMatrix();
}

// The frame line around the panel, at the panel's fade.
void drawPanelFrame() {
  blendOverScene();
  loadUnitView();
  layoutLineWidth(2.0f);
  glColor4f(0.1f, 0.1f, 0.1f, ropeTimers.fadeIn - ropeTimers.fadeOut);
  drawOutline(-1.0f, -1.0f, 1.0f, 1.0f);
}

}  // namespace

void ropeInit() {
  zeroTimers();
  glBlendFunc(GL_SRC_ALPHA, GL_ZERO);
  ropeReshape(static_cast<int>(screenWidth), static_cast<int>(screenHeight));
  buildRope();
  addBall({0.0, 0.8, 0.0});
}

void ropeInitCard() {
  zeroTimers();
  buildRope();
  addBall({-0.36, 0.8, 0.0});
  addBall({0.2, 0.5, 0.0});
}

void ropeIdle() {
  planarStep(sequencer.frameMs);
  requestRedisplay();
  ++ropeTimers.frameCounter;
}

void ropeReshape(int width, int height) {
  const PlanarWorld& w = planarWorld;
  layoutViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluOrtho2D(w.minX, w.maxX, w.minY, w.maxY);
  glMatrixMode(GL_MODELVIEW);
}

void ropeDisplay() {
  advanceFadePair(ropeTimers.fadeIn, ropeTimers.fadeOut, 0.0025f, sequencer.frameMs);

  glClearColor(panelGrey[0], panelGrey[1], panelGrey[2], 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  layoutViewport(605, 225, 150, 150);
  glDisable(GL_CULL_FACE);
  loadUnitView();
  drawRopeScene(0.1f);

  // The panel fades in over 4 s and out over the next 4 s under a quad of
  // the background grey.
  drawPanelFrame();
  glColor4f(panelGrey[0], panelGrey[1], panelGrey[2], 1.0f - (ropeTimers.fadeIn - ropeTimers.fadeOut));
  drawRectangle(-1.0f, -1.0f, 1.0f, 1.0f);

  windowViewport();
  advanceCaptionPair(ropeTimers.captionIn, ropeTimers.captionOut, 800.0f, sequencer.frameMs);
  drawCreditCaption({.fade = 1.0f - (ropeTimers.captionIn - ropeTimers.captionOut) * 0.00125f,
                     .view = {0.0f, 1200.0f, 0.0f, 1200.0f},
                     .x = 50.0f,
                     .y = 555.0f},
                    designCaption);

  glFlush();
  drawSpectrum();
  swapBuffers();
}

void drawRopeCard() {
  glBlendFunc(GL_SRC_ALPHA, GL_ZERO);
  advanceFadePair(ropeTimers.fadeIn, ropeTimers.fadeOut, 0.0025f, sequencer.frameMs);
  drawRopeScene(0.0f);
  drawPanelFrame();
}

void dumpRopeScene(const std::string& frameDirectory) {
  JsonScalars json;
  json.add("fadeIn", ropeTimers.fadeIn);
  json.add("fadeOut", ropeTimers.fadeOut);
  json.add("captionIn", ropeTimers.captionIn);
  json.add("captionOut", ropeTimers.captionOut);
  json.add("frameCounter", ropeTimers.frameCounter);
  json.write(frameDirectory + "/rope.json");
}

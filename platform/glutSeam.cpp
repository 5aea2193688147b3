#include "platform/glutSeam.h"

#include <GL/freeglut.h>

#include <cstdlib>

#include "platform/clock.h"

namespace {

// Live playback asks the driver for vsync; where it gives none, each idle cycle
// waits until at least 1/60 s has passed since the previous one started, so the
// simulations that step once per cycle run at the rate they were made for.
constexpr uint64_t framePeriodMicros = 1000000u / 60u;

struct LiveState {
  IdleFn idle = nullptr;
  uint64_t nextCycleMicros = 0;
};

LiveState live;

void pacedIdle() {
  uint64_t now = monotonicMicros();
  if (live.nextCycleMicros > now) {
    sleepMicros(live.nextCycleMicros - now);
    now = live.nextCycleMicros;
  }
  // Stay on the 60 Hz grid, but never try to catch up after a slow frame.
  live.nextCycleMicros += framePeriodMicros;
  if (live.nextCycleMicros < now) live.nextCycleMicros = now + framePeriodMicros;
  if (live.idle != nullptr) live.idle();
}

void liveRegisterIdle(IdleFn idle) {
  live.idle = idle;
  glutIdleFunc(pacedIdle);
}

void liveRegisterCallbacks(ReshapeFn reshape, DisplayFn display, IdleFn idle) {
  glutReshapeFunc(reshape);
  glutDisplayFunc(display);
  liveRegisterIdle(idle);
}

void liveRequestRedisplay() { glutPostRedisplay(); }
void liveHideCursor() { glutSetCursor(GLUT_CURSOR_NONE); }
void liveShowCursor() { glutSetCursor(GLUT_CURSOR_INHERIT); }
void liveSwapBuffers() { glutSwapBuffers(); }
void liveExit(int status) { std::exit(status); }

const GlutSeam liveSeam{liveRegisterCallbacks, liveRegisterIdle, liveRequestRedisplay, liveHideCursor,
                        liveShowCursor,        liveSwapBuffers,  liveExit};

GlutSeam seamInForce = liveSeam;

}  // namespace

void installGlutSeam(const GlutSeam& seam) { seamInForce = seam; }
const GlutSeam& liveGlutSeam() { return liveSeam; }

void registerCallbacks(ReshapeFn reshape, DisplayFn display, IdleFn idle) {
  seamInForce.registerCallbacks(reshape, display, idle);
}
void registerIdle(IdleFn idle) { seamInForce.registerIdle(idle); }
void requestRedisplay() { seamInForce.requestRedisplay(); }
void hideCursor() { seamInForce.hideCursor(); }
void showCursor() { seamInForce.showCursor(); }
void swapBuffers() { seamInForce.swapBuffers(); }
void exitProgram(int status) { seamInForce.exitProgram(status); }

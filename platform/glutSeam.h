#pragma once
// The thin seam between the presentation and the windowing library.
//
// The Sequencer and the scenes never call the GLUT functions below directly:
// live playback routes them to GLUT, while the capture tool and the tests put
// in their own stand-ins, so that the Timeline runs without a main loop (and,
// for the Sequencer's tests, without any display at all).

using IdleFn = void (*)();
using DisplayFn = void (*)();
using ReshapeFn = void (*)(int width, int height);

struct GlutSeam {
  void (*registerCallbacks)(ReshapeFn reshape, DisplayFn display, IdleFn idle);
  void (*registerIdle)(IdleFn idle);
  void (*requestRedisplay)();
  void (*hideCursor)();
  void (*showCursor)();
  void (*swapBuffers)();
  // Ends the process in live playback; stand-ins record the status and return.
  void (*exitProgram)(int status);
};

// The seam in force; starts as the live GLUT seam.
void installGlutSeam(const GlutSeam& seam);
const GlutSeam& liveGlutSeam();

// Entry points used by the system's code.
void registerCallbacks(ReshapeFn reshape, DisplayFn display, IdleFn idle);
void registerIdle(IdleFn idle);
void requestRedisplay();
void hideCursor();
// The pointer as the desktop draws it (only the fake error picture shows it).
void showCursor();
void swapBuffers();
void exitProgram(int status);

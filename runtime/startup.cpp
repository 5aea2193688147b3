#include "runtime/startup.h"

#include "platform/clock.h"
#include "platform/glutSeam.h"
#include "runtime/pictures.h"
#include "runtime/sequencer.h"

float screenWidth = 800.0f;
float screenHeight = 600.0f;

void startPresentation(DisplayKind kind) {
  buildTimeline();
  sequencer.nextEntry = 0;

  if (kind == DisplayKind::SmallWindow) {
    openDisplay(kind, nullptr);
    screenWidth = 300.0f;
    screenHeight = 300.0f;
  } else {
    screenWidth = 800.0f;
    screenHeight = 600.0f;
    openDisplay(kind, keyboardHandler);
  }
  hideCursor();

  // Entry 1's init runs before any callback is registered and before the
  // clock starts; it needs the GL context opened above.
  activateNextEntry();

  registerCallbacks(reshapeTrampoline, displayTrampoline, idleTrampoline);
  reserveTextures();
  sequencer.startTick = getTickCount();
}

#include "show/startup.h"

#include "platform/glutSeam.h"
#include "runtime/pictures.h"
#include "runtime/screen.h"
#include "runtime/sequencer.h"
#include "runtime/sharedCallbacks.h"
#include "runtime/stateDump.h"
#include "scenes/fields/fluidScene.h"
#include "scenes/fields/gasScene.h"
#include "scenes/fields/gravityScene.h"
#include "scenes/fields/sandScene.h"
#include "scenes/fields/voteScene.h"
#include "scenes/human/humanScene.h"
#include "scenes/loading/loadingScene.h"
#include "scenes/pictures/pictureScenes.h"
#include "scenes/planar/planarDump.h"
#include "scenes/planar/ropeScene.h"
#include "scenes/spatial/cradleScene.h"
#include "scenes/spatial/worldDump.h"
#include "scenes/surfaces/surfaceScene.h"
#include "scenes/titles/closingScroll.h"
#include "scenes/titles/explanationScreens.h"
#include "scenes/titles/logoScenes.h"
#include "scenes/titles/titleCards.h"
#include "scenes/wave/waveFunctionScenes.h"
#include "scenes/wave/waveScenes.h"
#include "show/timeline.h"

void registerStateDumps() {
  registerStateDump("pendulum", dumpPendulum);
  registerStateDump("loading", dumpLoadingScreen);
  registerStateDump("fluid", dumpFluidScene);
  registerStateDump("gravity", dumpGravityScene);
  registerStateDump("gas", dumpGasScene);
  registerStateDump("sand", dumpSandScene);
  registerStateDump("vote", dumpVoteScene);
  registerStateDump("world", dumpWorld);
  registerStateDump("planarWorld", dumpPlanarWorld);
  registerStateDump("cradle", dumpCradleScene);
  registerStateDump("human", dumpHumanScene);
  registerStateDump("rope", dumpRopeScene);
  registerStateDump("wave", dumpWaveScene);
  registerStateDump("waveFunction", dumpWaveFunctionScene);
  registerStateDump("surface", dumpSurfaceScene);
  registerStateDump("titleCards", dumpTitleCards);
  registerStateDump("explanation", dumpExplanationScreens);
  registerStateDump("pictureScenes", dumpPictureScenes);
  registerStateDump("logo", dumpLogoScenes);
  registerStateDump("scroll", dumpClosingScroll);
}

void startPresentation(DisplayKind kind, int width, int height) {
  registerStateDumps();
  buildTimeline();
  resetSequencer();

  if (kind == DisplayKind::SmallWindow) {
    screenWidth = 300.0f;
    screenHeight = 300.0f;
    openDisplay(kind, nullptr, width, height);
  } else {
    screenWidth = 800.0f;
    screenHeight = 600.0f;
    openDisplay(kind, keyboardHandler, width, height);
  }
  setWindowSize(width, height);
  hideCursor();

  // Entry 1's init runs before any callback is registered and before the
  // clock starts; it needs the GL context opened above.
  activateNextEntry();

  registerCallbacks(reshapeTrampoline, displayTrampoline, idleTrampoline);
  reserveTextures();
  startClock();
}

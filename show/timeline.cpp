#include "show/timeline.h"

#include "runtime/music.h"
#include "runtime/sequencer.h"
#include "runtime/sharedCallbacks.h"
#include "scenes/fields/fluidScene.h"
#include "scenes/fields/gasScene.h"
#include "scenes/fields/gravityScene.h"
#include "scenes/fields/sandScene.h"
#include "scenes/fields/voteScene.h"
#include "scenes/human/humanScene.h"
#include "scenes/loading/loadingScene.h"
#include "scenes/pictures/pictureScenes.h"
#include "scenes/planar/ropeScene.h"
#include "scenes/spatial/cradleScene.h"
#include "scenes/surfaces/surfaceScene.h"
#include "scenes/titles/closingScroll.h"
#include "scenes/titles/explanationScreens.h"
#include "scenes/titles/logoScenes.h"
#include "scenes/titles/titleCards.h"
#include "scenes/titles/wordSequence.h"
#include "scenes/wave/waveFunctionScenes.h"
#include "scenes/wave/waveScenes.h"

namespace {

constexpr InitFn none = emptyCallback;
constexpr ReshapeFn noReshape = emptyReshape;

void add(InitFn init, IdleFn idle, ReshapeFn reshape, DisplayFn display, int32_t endMs) {
  timeline.push_back(SceneEntry{init, idle, reshape, display, endMs});
}

}  // namespace

void buildTimeline() {
  timeline.clear();
  timeline.reserve(timelineLength);

  // Loading phase: entry 1 loads the pictures, entries 2 to 4 are timed from
  // the end of loading.
  add(loadingInit, idlePendulum, reshapeUnitOrtho, loadingDisplay, 33900);     // 1 loading screen
  add(fluidIntroInit, fluidIdle, reshapeFluidView, fluidIntroDisplay, 4500);   // 2 water glass
  add(none, idleRedraw, reshapeFluidView, fluidLogoDisplay, 9000);             // 3 water glass
  add(fluidResetTimers, idleRedraw, reshapeFluidView, fluidOutroDisplay, 13000);  // 4 water glass

  // Track 1: entries 6 to 89 are timed from its first note.
  add(startMusicOne, none, noReshape, none, 0);                                 // 5
  add(logoInitA, idlePendulum, reshapeUnitOrtho, logoGridDisplay, 1200);       // 6 logo
  add(logoInitA, idlePendulum, reshapeUnitOrtho, logoEventDisplay, 5000);      // 7 logo
  add(gravityInit, gravityIdle, reshapeUnitOrtho, gravityDisplay, 8000);        // 8 gravity field
  add(logoInitB, idlePendulum, reshapeUnitOrtho, logoSloganDisplay, 9000);     // 9 logo
  add(logoInitA, idlePendulum, reshapeUnitOrtho, logoTitleDisplay, 13000);     // 10 logo
  add(logoInitB, idlePendulum, reshapeUnitOrtho, logoSloganDisplay, 16222);    // 11 logo
  add(pictureInit, idleRedraw, pictureReshape, partyIn, 20300);                 // 12 picture
  add(pictureInit, idleRedraw, pictureReshape, partyOut, 21000);                // 13 picture
  add(photoInit, idlePendulum, reshapeUnitOrtho, photoWords, 31500);            // 14 picture
  add(zoomInit, idlePendulum, reshapeUnitOrtho, zoomIn, 33900);                 // 15 picture
  add(none, idlePendulum, reshapeUnitOrtho, zoomOut, 36000);                    // 16 picture
  add(photoInit, idlePendulum, reshapeUnitOrtho, photoTremble, 40000);          // 17 picture
  add(none, idlePendulum, reshapeUnitOrtho, effectTremble, 53500);              // 18 picture
  add(initCradleGlimpse, idleCradle, reshapeUnitOrtho, displayCradleGlimpse, 54600);  // 19 pendulums
  add(zoomInit, idlePendulum, reshapeUnitOrtho, backdropA, 55500);              // 20 picture
  add(initCradleCloseUp, idleCradle, reshapeUnitOrtho, displayCradleCloseUp, 56800);  // 21 pendulums
  add(zoomInit, idlePendulum, reshapeUnitOrtho, backdropB, 63300);              // 22 picture
  add(initHumanBody, animateHumanBody, reshapeUnitOrtho, displayHumanFadeOut, 64300);  // 23 human body
  add(pictureInit, idleRedraw, pictureReshape, greetingsSpin, 70700);           // 24 picture
  add(initHumanBody, animateHumanBody, reshapeUnitOrtho, displayHumanPanels, 73500);  // 25 human body
  add(galleryInit, idlePendulum, reshapeUnitOrtho, gallery, 78300);             // 26 picture
  add(initCradleShow, idleCradle, reshapeUnitOrtho, displayCradleMain, 79800);  // 27 pendulums
  add(initShotZoom, idleCradle, reshapeUnitOrtho, displayCradleMainPlain, 82431);  // 28
  add(initShotFreeze, idleCradle, reshapeUnitOrtho, displayCradleMain, 83700);  // 29
  add(initShotLayouts, idleCradle, reshapeUnitOrtho, displayCradleGrid, 85100);  // 30
  add(initShotLayouts, idleCradle, reshapeUnitOrtho, displayCradleFramed, 85500);  // 31
  add(initShotLayouts, idleCradle, reshapeUnitOrtho, displayCradleColumn1, 86100);  // 32
  add(initShotLayouts, idleCradle, reshapeUnitOrtho, displayCradleColumn2, 86500);  // 33
  add(initShotLayouts, idleCradle, reshapeUnitOrtho, displayCradleColumn3, 87300);  // 34
  add(initShotHeavyBall, idleCradle, reshapeUnitOrtho, displayCradleMainPlain, 87800);  // 35
  add(initShotTwoBalls, idleCradle, reshapeUnitOrtho, displayCradleMain, 89100);  // 36
  add(initShotWide, idleCradle, reshapeUnitOrtho, displayCradleMain, 90200);    // 37
  add(initShotWide, idleCradle, reshapeUnitOrtho, displayCradleMain, 91900);    // 38
  add(initShotAtScale05, idleCradle, reshapeUnitOrtho, displayCradleMain, 92050);  // 39
  add(initShotAtScale03, idleCradle, reshapeUnitOrtho, displayCradleMain, 92200);  // 40
  add(initShotAtScale01, idleCradle, reshapeUnitOrtho, displayCradleMain, 92350);  // 41
  add(initShotRoll, idleCradle, reshapeUnitOrtho, displayCradleMain, 93450);    // 42
  add(textureInit, idlePendulum, reshapeUnitOrtho, textureSpin, 97500);         // 43 picture
  add(errorInit, idlePendulum, reshapeUnitOrtho, errorAppears, 103000);         // 44 picture
  add(errorInit, idlePendulum, reshapeUnitOrtho, errorZoom, 107000);            // 45 picture
  add(wordsInit, idlePendulum, reshapeUnitOrtho, wordsDisplay<0>, 107420);     // 46 words
  add(wordsInit, idlePendulum, reshapeUnitOrtho, wordsDisplay<1>, 107940);     // 47
  add(wordsInit, idlePendulum, reshapeUnitOrtho, wordsDisplay<2>, 108250);     // 48
  add(wordsInit, idlePendulum, reshapeUnitOrtho, wordsDisplay<3>, 108630);     // 49
  add(wordsInit, idlePendulum, reshapeUnitOrtho, wordsDisplay<4>, 109440);     // 50
  add(wordsInit, idlePendulum, reshapeUnitOrtho, wordsDisplay<5>, 109850);     // 51
  add(wordsInit, idlePendulum, reshapeUnitOrtho, wordsDisplay<6>, 110270);     // 52
  add(wordsInit, idlePendulum, reshapeUnitOrtho, wordsDisplay<7>, 110680);     // 53
  add(wordsInit, idlePendulum, reshapeUnitOrtho, wordsDisplay<8>, 111040);     // 54
  add(wordsInit, idlePendulum, reshapeUnitOrtho, wordsDisplay<9>, 111430);     // 55
  add(wordsInit, idlePendulum, reshapeUnitOrtho, wordsDisplay<10>, 112840);    // 56
  add(waveSceneInit, idleRedraw, reshapeUnitOrtho, waveViewA, 117830);          // 57 wave equation
  add(waveSceneInit, idleRedraw, reshapeUnitOrtho, waveViewB, 118890);          // 58
  add(none, idleRedraw, reshapeUnitOrtho, waveViewA, 119870);                   // 59
  add(none, idleRedraw, reshapeUnitOrtho, waveViewC, 121130);                   // 60
  add(none, idleRedraw, reshapeUnitOrtho, waveViewD, 124420);                   // 61
  add(waveSceneInit, idleRedraw, reshapeUnitOrtho, waveViewC, 126790);          // 62
  add(none, idleRedraw, reshapeUnitOrtho, waveViewE, 127630);                   // 63
  add(none, idleRedraw, reshapeUnitOrtho, waveViewF, 128960);                   // 64
  add(waveSceneInit, idleRedraw, reshapeUnitOrtho, waveViewA, 129247);          // 65
  add(none, idleRedraw, reshapeUnitOrtho, waveViewB, 131520);                   // 66
  add(none, idleRedraw, reshapeUnitOrtho, waveViewD, 133420);                   // 67
  add(waveSceneInit, idleRedraw, reshapeUnitOrtho, waveViewC, 136000);          // 68
  add(waveSceneInit, idleRedraw, reshapeUnitOrtho, waveViewG, 139960);          // 69
  add(gasInit, gasIdle, gasReshape, gasDisplay, 148000);                        // 70 gas
  add(sandInit, sandIdle, sandReshape, sandDisplay, 157000);                    // 71 sand
  add(voteInit, voteIdle, voteReshape, voteDisplay, 166000);                    // 72 vote
  add(ropeInit, ropeIdle, ropeReshape, ropeDisplay, 175000);                    // 73 rope
  add(fluidInit2, fluidIdle, reshapeFluidView, fluidDisplay, 184000);           // 74 water panel
  add(initSurfaceOneBall, animateSurface, reshapeSurface, displaySurfaceDrop, 188200);  // 75 surfaces
  add(initSurfaceKeep, animateSurface, reshapeSurface, displaySurfaceStripOut, 189500);  // 76
  add(initHumanBodyReset, animateHumanBody, reshapeUnitOrtho, displayHumanFlash, 191200);  // 77 human body
  add(initSurfaceTwoBalls, animateSurface, reshapeSurface, displaySurfaceStripIn, 196500);  // 78 surfaces
  add(initSurfaceKeep, animateSurface, reshapeSurface, displaySurfaceBallPanels, 196500);  // 79
  add(releaseSurfaceEdges, animateSurface, reshapeSurface, displaySurfaceBallPanelsWide, 197500);  // 80
  add(initSurfaceKeep, animateSurface, reshapeSurface, displaySurfaceTracking, 199000);  // 81
  add(initSurfaceKeep, animateSurface, reshapeSurface, displaySurfaceStrip, 202000);  // 82
  add(initSurfaceKeep, animateSurface, reshapeSurface, displaySurfaceFixed, 204000);  // 83
  add(initSurfaceSmallBalls, animateSurface, reshapeSurface, displaySurfaceFull, 210000);  // 84
  add(initSurfacePanelsOne, animateSurface, reshapeSurface, displaySurfaceBallPanels, 212000);  // 85
  add(initSurfacePanelsTwo, animateSurface, reshapeSurface, displaySurfaceBallPanels, 213000);  // 86
  add(initSurfacePanelsThree, animateSurface, reshapeSurface, displaySurfaceBallPanels, 214000);  // 87
  add(initSurfacePanelsFour, animateSurface, reshapeSurface, displaySurfaceBallPanels, 215000);  // 88
  add(initSurfaceFinale, animateSurface, reshapeSurface, displaySurfaceFinale, 230000);  // 89

  // Track 2: entries 92 to 116 are timed from its start.
  add(titleResetInit, none, noReshape, none, 0);                                // 90
  add(startMusicTwo, none, noReshape, none, 0);                                 // 91
  add(titleCardInit, idlePendulum, reshapeUnitOrtho, countdownDisplay, 3781);  // 92 countdown
  add(titleCardInit, idlePendulum, reshapeUnitOrtho, pulsingCountdownDisplay, 7487);  // 93
  add(titleCardInit, idlePendulum, reshapeUnitOrtho, pulsingCountdownDisplay, 11208);  // 94
  add(titleCardInit, idlePendulum, reshapeUnitOrtho, pulsingCountdownDisplay, 12000);  // 95
  add(titleCardInit, idlePendulum, reshapeUnitOrtho, countdownGridDisplay, 14700);  // 96
  add(humanExplanationInit, animateHumanBody, reshapeUnitOrtho, humanCardDisplay, 20000);  // 97 human body card
  add(ropeExplanationInit, ropeIdle, ropeReshape, ropeCardDisplay, 25000);     // 98 rope card
  add(bibliographyInit, idlePendulum, reshapeUnitOrtho, bibliographyDisplay, 30000);  // 99 bibliography
  add(cradleExplanationInit, idleCradleCard, reshapeUnitOrtho, cradleCardDisplay, 35000);  // 100 pendulum card
  add(gravityExplanationInit, gravityCardIdle, reshapeUnitOrtho, gravityCardDisplay, 40000);  // 101 gravity card
  add(gasExplanationInit, gasIdle, reshapeUnitOrtho, gasCardDisplay, 45000);   // 102 gas card
  add(fluidExplanationInit, fluidCardIdle, reshapeFluidView, fluidCardDisplay, 50000);  // 103 fluid card
  add(sandExplanationInit, sandIdle, reshapeUnitOrtho, sandCardDisplay, 55000);  // 104 sand card
  add(waveExplanationInit, idleRedraw, reshapeUnitOrtho, waveCardDisplay, 60000);  // 105 wave card
  add(surfaceExplanationInit, animateSurface, reshapeSurface, surfaceCardDisplay, 65000);  // 106 surfaces card
  add(titleCardInit, idlePendulum, reshapeUnitOrtho, bonusCountdownDisplay, 70000);  // 107 bonus
  add(titleCardInit, idlePendulum, reshapeUnitOrtho, bonusTitleDisplay, 74000);  // 108 bonus title
  add(waveSceneInit, idleRedraw, reshapeUnitOrtho, wfViewA, 77493);             // 109 wave function
  add(waveSceneInit, idleRedraw, reshapeUnitOrtho, wfViewB, 79393);             // 110
  add(waveSceneInit, idleRedraw, reshapeUnitOrtho, wfViewD, 80900);             // 111
  add(wfSceneInit, idleRedraw, reshapeUnitOrtho, wfViewA, 82800);               // 112
  add(waveSceneInit, idleRedraw, reshapeUnitOrtho, wfViewC, 83500);             // 113
  add(waveSceneInit, idleRedraw, reshapeUnitOrtho, wfViewD, 84500);             // 114
  add(waveSceneInit, idleRedraw, reshapeUnitOrtho, wfViewE, 93000);             // 115
  add(scrollInit, idlePendulum, reshapeUnitOrtho, scrollDisplay, 11107940);    // 116 closing scroll
}

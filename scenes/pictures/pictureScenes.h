#pragma once
// The picture scenes between the simulations: the flickering party picture,
// turning translucent layers, the zoom, the fake error picture that silences
// the music, the drifting photographs (plain, trembling, with turning words,
// with effect pop-ups), the turning backdrops and the masked gallery. All are
// flat quads in the unit orthographic view.
#include <string>

// The timers and positions of all picture scenes, one set for the whole run:
// several entries have no init and carry on where the one before stopped.
struct PictureScenes {
  // Picture timers.
  float spin = 0.0f;       // S: the turning layers and backdrops
  float zoom = 0.0f;       // Z
  float fade = 0.0f;       // F: the fades from black
  float fadeOut = 0.0f;    // G: the zoom's fade to black, never reset
  float errorRise = 1.0f;  // Y: the error picture's height, then its scale
  float volume = 0.0f;     // V: the music coming back after the error

  // The drifting photographs: the clock T counts frames (0.01 each) and is
  // never reset, nor are the seven positions; no init touches them.
  float photoClock = 0.0f;
  float photoPosition[7] = {1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
  float wordAngle = 0.0f;  // W
  float photoFade = 0.0f;  // Q, also the gallery's fade

  // The pop-up effects and the gallery share one picture index I, its age E
  // (0 to 1) and its centre.
  int popupIndex = 8;
  float popupAge = 0.0f;
  float popupX = 0.0f;
  float popupY = 0.0f;
  float gallerySpin = 0.0f;  // R
};

extern PictureScenes pictureScenes;

// Inits.
void pictureInit();  // spin and fade to 0
void zoomInit();     // zoom and fade to 0; the spin carries on
void photoInit();    // word angle and photo fade to 0; black clear colour
void galleryInit();  // the gallery starts again at its first picture
void textureInit();  // spin, zoom and fade to 0
void errorInit();    // the error picture back at the bottom, fade and zoom to 0

// A 60 degree perspective over the window, for the scenes that may meet a
// window change (their displays set their own projection every frame).
void pictureReshape(int width, int height);

// Displays, one per scene.
void partyIn();        // the party picture trembling, out of black in 200 ms
void partyOut();       // the same, to black in 600 ms
void photoWords();     // drifting photographs under turning words
void zoomIn();         // a background zooming under closing frames
void zoomOut();        // the same standing still, fading to black
void photoTremble();   // drifting photographs as trembling tiles
void effectTremble();  // the trembling photographs with effect pictures popping up
void backdropA();      // a backdrop under ten turning translucent copies
void backdropB();      // five copies, and a drifting overlay
void greetingsSpin();  // turning layers of the greetings and a photograph
void gallery();        // the gallery of masked pictures over the backdrop
void textureSpin();    // turning layers of a texture
void errorAppears();   // the music stops and an error picture rises into view
void errorZoom();      // the music returns as the error picture grows away

// pictureScenes.json: every timer, position and the pop-up state.
void dumpPictureScenes(const std::string& frameDirectory);

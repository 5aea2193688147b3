#pragma once
// The ripple tank on screen (Timeline entries 57 to 69): seven views of the
// field from changing cameras, some beside panels of slowly spinning pictures
// of the wave equation; and the two drawings of its title card. Every view
// steps the field by its frame's time, so it evolves at the same speed
// whatever the frame rate.
#include <string>

#include "runtime/sequencer.h"

// The clocks and fades of the wave scenes, shared with the wave-function
// scenes.
struct WaveScenes {
  // Source phase in radians: 0.1 degree per millisecond of shown wave
  // scenes, never reset. It drives the source and the cameras.
  float wavePhase = 0.0f;
  // The cameras' copy of the phase: 0 after an init, the phase after a frame.
  float waveTime = 0.0f;
  // Camera yaw in degrees; only the last view turns it.
  float waveYaw = 90.0f;
  float waveFade = 0.0f;
  // Spin of the equation panel's layers.
  float waveSpin = 0.0f;
  // The equation pictures of the wave-function scenes shrink as it rises
  // from 0 to 1.
  float pictureSlide = 0.0f;
};

extern WaveScenes waveScenes;

// Fades in from black again with a still panel; plain shaded mesh, depth
// test on, clear colour black, blend function (source alpha, zero). The
// field and the phase go on.
void waveSceneInit();

// Moves the phase on by the frame's time (waveTime follows it).
void advanceWavePhase();
// Moves the phase on and steps the field through the frame's time.
void waveAdvance();

// The frame's share of an animation rate: frameMs * 0.1 * rate.
inline float frameStep(float rate) { return static_cast<float>(sequencer.frameMs) * frameScale * rate; }

// From black over 1 s after each init; views without one stay clear.
void waveFadeIn();

// No lighting, fog or blending; the unit projection, model-view reset.
void flatUnitView();
// The same over a viewport of the whole window.
void wholeWindow();

// The views; see the table in waveScenes.cpp.
void waveViewA();
void waveViewB();
void waveViewC();
void waveViewD();
void waveViewE();
void waveViewF();
void waveViewG();

// The title card's two insets, in the viewport the card sets: the shaded
// mesh, and the white net with the depth test off. Each steps the field.
void drawWaveCard();
void drawWaveCardWire();

// The field's arrays (waveU, waveV, waveFlags) and the scenes' clocks.
void dumpWaveScene(const std::string& frameDirectory);

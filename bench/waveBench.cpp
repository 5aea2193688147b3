// The wave solvers' steps, and one frame of each wave renderer in an
// 800 x 600 window (these need a display: run the suite under xvfb-run).
#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/display.h"
#include "runtime/pictures.h"
#include "runtime/screen.h"
#include "scenes/wave/waveFunctionScenes.h"
#include "scenes/wave/waveMesh.h"
#include "sim/wave/waveField.h"
#include "sim/wave/waveFunction.h"

namespace {

// The ripple tank after 20 s of the scenes (800 steps): waves through both
// slits.
WaveField developedField() {
  WaveField field;
  float phase = 0.0f;
  for (int n = 0; n < 800; ++n) waveStep(field, phase += 0.0174533f, 0.5);
  return field;
}

void BM_WaveStep(benchmark::State& state) {
  WaveField field = developedField();
  float phase = 0.0f;
  for (auto _ : state) {
    waveStep(field, phase += 0.0174533f, 0.5);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_WaveStep);

// 36 sweeps over 73 x 73 cells, the packet against the wedge.
void BM_WfStep(benchmark::State& state) {
  static WaveFunction wf;
  wf = {};
  for (int n = 0; n < 60; ++n) wfStep(wf);
  for (auto _ : state) {
    wfStep(wf);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_WfStep);

// One window for the drawing benchmarks, with the equation pictures loaded
// from the build's images folder; false without a display.
bool openWindow() {
  static const bool open = [] {
    if (std::getenv("DISPLAY") == nullptr) return false;
    openDisplay(DisplayKind::CaptureWindow, nullptr, 800, 600);
    reserveTextures();
    if (chdir(VORRAN_BUILD_DIR) == 0) {
      for (int slot = 1; slot <= 6; ++slot) loadPicture(slot);
    }
    glViewport(0, 0, 800, 600);
    return true;
  }();
  return open;
}

// Runs `draw` once per iteration and waits for the drawing to finish.
template <typename Draw>
void drawFrames(benchmark::State& state, Draw draw) {
  if (!openWindow()) {
    state.SkipWithError("needs a display");
    return;
  }
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT);
    draw();
    glFinish();
  }
}

const MeshCamera camera{.aspect = 800.0 / 600.0, .pitch = 150.0f, .yawB = 135.0f, .zoom = 1.0f};

void BM_DrawWaveField(benchmark::State& state) {
  waveField = developedField();
  drawFrames(state, [] { drawWaveField(0.5, camera, 0.0f); });
}
BENCHMARK(BM_DrawWaveField)->Unit(benchmark::kMillisecond);

void BM_DrawWaveFunction(benchmark::State& state) {
  waveFunction = {};
  for (int n = 0; n < 120; ++n) wfStep(waveFunction);
  wfDensity(waveFunction);
  drawFrames(state, [] { drawWaveFunction({.aspect = 800.0 / 600.0, .pitch = 184.0f, .yawB = 20.0f, .zoom = 2.0f}); });
}
BENCHMARK(BM_DrawWaveFunction)->Unit(benchmark::kMillisecond);

// Four passes of two full-screen quads.
void BM_DrawEquationPicture(benchmark::State& state) {
  drawFrames(state, [] {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1, 1, -1, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    drawEquationPicture(Picture::Shr1, Picture::Shr1Mask, -1.3f, 1.5f, -1.3f, 1.5f);
  });
}
BENCHMARK(BM_DrawEquationPicture)->Unit(benchmark::kMillisecond);

}  // namespace

#pragma once
// The steps that finish almost every frame: the music spectrum in the lower
// right corner and the fade to black that carries the decoration rectangles.
// None of them swaps buffers.

// Sets the 2D unit projection (model-view untouched), leaves blending on, line
// width 2 and the colour (0.5, 0.9, 1.0).
void drawSpectrum();
// The three decoration rectangles of the current entry at fade f.
void drawSceneDecor(float f);
// Decoration, then a black quad over [-1, 1]^2 with alpha f (0 shows the
// scene unchanged, 1 is black). Leaves blending, depth test and culling off.
void fadeWithDecor(float f);
// The black quad alone, with alpha a.
void fadeScreen(float a);

#pragma once
// The flickering one-line credit caption that the grid scenes and the rope
// scene show: five faint copies of the text, each shaken by a small random
// offset, darkening from the background grey to black as f goes from 1 to 0.

// Draws the text at (x, y) under the projection (left, right, bottom, top).
// Consumes ten draws of the shared generator. Leaves line width 2, blending
// and line smoothing on, and the matrix mode at GL_PROJECTION with the
// caller's projection restored.
void drawCreditCaption(float f, float left, float right, float bottom, float top, float x, float y,
                       const char* text);

#pragma once
// Small steps of 2D drawing that many scenes share.

// Resets the projection to the orthographic (-1, 1, -1, 1, -1, 1) and the
// model-view to the identity; leaves the model-view matrix selected.
void loadUnitView();

// A closed line strip around the rectangle, starting and ending at its lower
// left corner and running up its left side first, in the current colour and
// line width.
void drawOutline(float left, float bottom, float right, float top);

#pragma once
// Steps the picture scenes share: their timers' rule, binding a picture and
// the square frames of the pop-ups and the gallery.
#include "runtime/pictures.h"

// value + frameMs * 0.1 * rate: the frame step in single precision, the rate
// and the sum in double, the result stored as float.
float advancedByFrame(float value, double rate);

// The picture `n` places after `first` in the picture list (the photographs,
// the effects and the gallery pictures are numbered runs of it).
Picture nthPicture(Picture first, int n);

// Texturing on with the picture bound.
void bindPicture(Picture picture);

// The picture on the square of half-size h around (x, y), texture (0, 0) at
// its lower left corner and (1, 1) at its upper right, in the current colour.
void drawPictureSquare(float x, float y, float h);

// A closed square outline of half-size k around (x, y), line width 3, in the
// current colour.
void drawSquareFrame(float x, float y, float k);

// A random centre coordinate: a draw scaled to [0, 1], less a half, times
// the spread.
float randomCentre(double spread);

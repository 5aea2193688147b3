#pragma once
// Small steps of 2D drawing that many scenes share.

// A 2D orthographic projection, as gluOrtho2D takes it.
struct OrthoView {
  float left = -1.0f;
  float right = 1.0f;
  float bottom = -1.0f;
  float top = 1.0f;
};

// The viewport over the whole layout, screenWidth x screenHeight (truncated).
void windowViewport();

// A viewport from layout quantities, each truncated to whole pixels.
void setViewport(float left, float bottom, float width, float height);

// Blending by source alpha over what is drawn already, with face culling off.
void blendOverScene();

// Resets the projection to the orthographic (-1, 1, -1, 1, -1, 1) and the
// model-view to the identity; leaves the model-view matrix selected.
void loadUnitView();

// Where a 3D view hands over to flat drawing (the spectrum, the fade, a title
// card): lighting, fog and blending off, the unit view, the colour white.
void leave3DView();

// A quad filling the rectangle, corners in the order lower left, upper left,
// upper right, lower right, in the current colour.
void drawRectangle(float left, float bottom, float right, float top);

// A textured quad over the rectangle, the texture's square [low, high]^2
// stretched over it upright: (low, low) at the lower left corner, (high,
// high) at the upper right; corners in the order of drawRectangle.
void drawTexturedRectangle(float left, float bottom, float right, float top, float low = 0.0f, float high = 1.0f);

// A textured quad from four corners: texture coordinates, then position.
struct TexturedCorner {
  float s, t, x, y;
};
void drawTexturedQuad(const TexturedCorner (&quad)[4]);

// A closed line strip around the rectangle, starting and ending at its lower
// left corner and running up its left side first, in the current colour and
// line width.
void drawOutline(float left, float bottom, float right, float top);

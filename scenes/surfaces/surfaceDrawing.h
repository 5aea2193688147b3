#pragma once
// The colliding surface as a picture, inside whatever projection and
// model-view the calling view has set up: the grid as a lit triangle mesh,
// its neighbour links as white lines, the velocity arrows of everything that
// moves, and the balls. Each walks a World list from its head, reads the
// World and never changes it, and leaves the model-view matrix as it found
// it.

// 162 lit triangles over the 81 cells of the grid, in a violet material,
// without normals of their own (the vertices take the current normal).
// Leaves lighting on.
void drawSurfaceMesh();
// For every particle that is neither fixed nor hidden (free grid particles
// and the balls) its velocity over one time unit, lengthened 70 times, in
// red, with line width 2. Leaves lighting on.
void drawSurfaceArrows();
// Every spring whose tag lacks SpringHidden as a white line, line width 2.
// Leaves lighting off.
void drawSurfaceLinks();
// Every sphere marked SphereMarked: riding ones as wire (SphereWire) or solid
// balls, fixed ones as wire balls in their own colour; lit, smooth shading.
void drawMarkedSpheres();

enum class BallLook { Solid, Wire };
// Every active sphere that is not marked: riding balls with SphereWire,
// slightly smaller than their sphere and turned about an axis that follows
// their position, solid or wire as asked; fixed spheres as solid balls; the
// grid's own spheres not at all. Flat shading, left on.
void drawRollingBalls(BallLook look);

#pragma once
// The spatial engine's World as a picture, inside whatever projection and
// model-view the calling display has set up. Every engine display calls the
// five body drawings in this order: drawBox, drawSprings, drawVelocityArrows,
// drawParticlePoints, drawSpheres (drawWorldBodies does exactly that). They
// read the World and never change it.
//
// GL state left behind: lighting off after drawBox and drawSprings, on after
// drawVelocityArrows and drawSpheres; depth test and blending on after
// drawParticlePoints; line width and point size as last set.

// Ceiling, floor, left and right wall of the World's box (no front or back
// wall), unlit, one quad batch.
void drawBox();
// Every spring of the list as a white line from its first end to its second.
void drawSprings();
// For every drawn particle (collides, not hidden) its velocity over one time
// unit, lengthened 30 times.
void drawVelocityArrows();
// A 2-pixel point at every drawn particle.
void drawParticlePoints();
// Every active sphere: riding ones as wire (SphereWire) or solid balls, fixed
// ones as wire balls in their own colour; lit, in a dark material.
void drawSpheres();

// The five, in order.
void drawWorldBodies();

struct Sphere;
// One sphere at the origin of the model-view in force: a riding one in
// orange, as a 10 x 10 wire ball (SphereWire) or a 14 x 14 solid one, a fixed
// one as a 16 x 16 wire ball in its own colour.
void drawSphereBody(const Sphere& s);

// An arrow from p0 towards p1, its shaft lengthened by scale: a shaft from p0
// to q = p0 + (p1 - p0) scale and two head strokes of a quarter of the
// shaft's length from q, at 35 degrees either side of the way back, in the
// xy plane at q's depth. Nothing when p0 and p1 share x and y.
void drawArrow(double x0, double y0, double z0, double x1, double y1, double z1, double scale);

#pragma once
// The stick figure of the human scenes as a picture, inside whatever
// projection and model-view the calling view has set up: the World's box,
// each shown spring as a row of small lit cubes, each joint as a white
// velocity arrow and a lit point, the head as a solid ball. They read the
// World and never change it.
//
// Colours given under the light do not show: colour tracking of the material
// stays off, so the lit parts take the materials set here (ambient and
// specular) and whatever diffuse material is in force.

// Every spring tagged SpringShown and not SpringHidden: six cubes of edge
// 0.05 from its second end towards its first, at 0, 0.18, ... 0.9 of the way.
void drawLimbCubes();
// Every joint (ParticleShowVelocity, not hidden): a white arrow of its
// velocity over one time unit, lengthened 80 times.
void drawJointArrows();
// Every colliding, visible particle as a 2-pixel lit point.
void drawJointPoints();
// Every active sphere: a riding wire sphere as a solid 16 x 16 ball (a riding
// solid one not at all), a fixed one as a solid 24 x 24 ball.
void drawBodySpheres();

// The box, then the four above, in this order.
void drawHumanBodyParts();

#pragma once
// The light of the spatial engine's 3D scenes: light 0 at a position of the
// scene's choosing with a white diffuse of 1.8, clockwise front faces,
// automatic and rescaled normals, and grey exponential fog. The light's
// position goes through the model-view matrix in force, so where a display
// calls it matters. Leaves lighting and fog on.
struct EngineLight {
  float position[4];
  float ambient[4];
  float fogDensity;
};

void engineLightAndFog(const EngineLight& light);

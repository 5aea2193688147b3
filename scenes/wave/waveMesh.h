#pragma once
// The two wave solvers drawn as 3D height meshes: the ripple tank with its
// wall blocks, axes and fog, and the wave function's probability density
// with its fence and barrier.
#include <cstdint>

// Switches read by both meshes; the scenes set them.
struct WaveMeshSwitches {
  // A white net of line strips instead of the shaded surface.
  int32_t wireframe = 0;
  // Black (or, for the ripple tank, black and white) cells.
  int32_t checker = 0;
};

extern WaveMeshSwitches waveMesh;

// Mesh coordinate of grid line n: the ripple tank spans about [-0.986, 0.986]
// over lines 1..70, the wave function [-1, 1] over lines 0.5..74.5.
float waveCoord(int n);
float wfCoord(int n);

// The camera of a mesh: projection aspect, then turns in whole or fractional
// degrees in the order yawA about y, pitch about x, yawB about y, roll about z.
struct MeshCamera {
  double aspect = 1.0;
  int yawA = 0;
  float pitch = 0.0f;
  float yawB = 0.0f;
  float roll = 0.0f;
  float zoom = 0.0f;
};

// The ripple tank seen from (5, 10, 15) through a 30-degree lens, in fog,
// scaled by 1.45 and by zoom + 6, lifted by `lift` along the mesh's x and y
// and shifted by `shift` along its z. Leaves fog and the depth test on.
void drawWaveField(double lift, const MeshCamera& camera, float shift);

// The wave function's density seen from (5, 10, 15) through a 50-degree
// lens, scaled by zoom + 6; the variant sits 0.4 further along -x.
void drawWaveFunction(const MeshCamera& camera);
void drawWaveFunctionAlt(const MeshCamera& camera);

#include "scenes/wave/waveMesh.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "runtime/screen.h"

#include "sim/wave/waveField.h"
#include "sim/wave/waveFunction.h"

WaveMeshSwitches waveMesh;

namespace {

constexpr float wallHeight = 0.085f;

// The mesh is sent in immediate mode: quads go into one open GL_QUADS batch,
// which a line strip closes and the next quad opens again.
class QuadBatch {
 public:
  ~QuadBatch() { close(); }
  void open() {
    if (!open_) glBegin(GL_QUADS);
    open_ = true;
  }
  void close() {
    if (open_) glEnd();
    open_ = false;
  }

 private:
  bool open_ = false;
};

// The corners of a cell in drawing order: (i, j), (i+1, j), (i+1, j+1),
// (i, j+1).
constexpr int cornerStep[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};

void vertex(float x, float y, float z) { glVertex3f(x, y, z); }

// The four corners of cell (i, j) at their heights, into the open batch or a
// line strip of their own.
template <typename Height>
void cellCorners(const float* coord, int i, int j, Height height) {
  for (const auto& s : cornerStep) vertex(coord[i + s[0]], coord[j + s[1]], height(i + s[0], j + s[1]));
}
template <typename Height>
void cellQuad(QuadBatch& batch, const float* coord, int i, int j, Height height) {
  batch.open();
  cellCorners(coord, i, j, height);
}
template <typename Height>
void cellStrip(QuadBatch& batch, const float* coord, int i, int j, Height height) {
  batch.close();
  layoutLineWidth(1.0f);
  glColor3f(1.0f, 1.0f, 1.0f);
  glBegin(GL_LINE_STRIP);
  cellCorners(coord, i, j, height);
  glEnd();
}

// A wall block over [x0, x1] x [y0, y1]: the side faces that are asked for,
// the faces at y first, then those at x, then the top.
struct BlockFaces {
  bool y0 = true, y1 = true, x0 = true, x1 = true;
};
void drawWallBlock(QuadBatch& batch, float x0, float x1, float y0, float y1, BlockFaces faces) {
  batch.open();
  glColor3f(0.3f, 0.3f, 0.1f);
  for (auto [show, y] : {std::pair{faces.y0, y0}, std::pair{faces.y1, y1}}) {
    if (!show) continue;
    vertex(x0, y, 0.0f), vertex(x1, y, 0.0f), vertex(x1, y, wallHeight), vertex(x0, y, wallHeight);
  }
  for (auto [show, x] : {std::pair{faces.x0, x0}, std::pair{faces.x1, x1}}) {
    if (!show) continue;
    vertex(x, y0, 0.0f), vertex(x, y1, 0.0f), vertex(x, y1, wallHeight), vertex(x, y0, wallHeight);
  }
  glColor3f(0.6f, 0.5f, 0.4f);
  vertex(x0, y0, wallHeight), vertex(x1, y0, wallHeight), vertex(x1, y1, wallHeight), vertex(x0, y1, wallHeight);
}

// A source cell is a yellow quad at its corners' heights, a wall cell a
// block; false for the open cells, which the caller draws.
template <typename Height>
bool drawFixedCell(QuadBatch& batch, const float* coord, int i, int j, int32_t flags, Height height, BlockFaces faces) {
  if (flags & CellSource) {
    glColor3f(1.0f, 1.0f, 0.1f);
    cellQuad(batch, coord, i, j, height);
    return true;
  }
  if (flags & CellWall) {
    drawWallBlock(batch, coord[i], coord[i + 1], coord[j], coord[j + 1], faces);
    return true;
  }
  return false;
}

// gluPerspective and the look from (5, 10, 15) at the origin; then the four
// turns inside a pushed matrix, which the caller pops.
void placeCamera(double fieldOfView, const MeshCamera& camera) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(fieldOfView, camera.aspect, 1.0, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(5.0, 10.0, 15.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
  glPushMatrix();
  glRotatef(static_cast<float>(camera.yawA), 0.0f, 1.0f, 0.0f);
  glRotatef(camera.pitch, 1.0f, 0.0f, 0.0f);
  glRotatef(camera.yawB, 0.0f, 1.0f, 0.0f);
  glRotatef(camera.roll, 0.0f, 0.0f, 1.0f);
}

// Red x, green y and blue z arrows standing 0.7 above the mesh's origin.
void drawAxes() {
  layoutLineWidth(4.0f);
  glBegin(GL_LINES);
  glColor3f(1.0f, 0.0f, 0.0f);
  vertex(0.0f, 0.0f, 0.7f), vertex(0.4f, 0.0f, 0.7f);
  vertex(0.4f, 0.0f, 0.7f), vertex(0.32f, 0.08f, 0.7f);
  vertex(0.4f, 0.0f, 0.7f), vertex(0.32f, -0.08f, 0.7f);
  glColor3f(0.0f, 1.0f, 0.0f);
  vertex(0.0f, 0.0f, 0.7f), vertex(0.0f, 0.4f, 0.7f);
  vertex(0.0f, 0.4f, 0.7f), vertex(-0.08f, 0.32f, 0.7f);
  vertex(0.0f, 0.4f, 0.7f), vertex(0.08f, 0.32f, 0.7f);
  glColor3f(0.0f, 0.0f, 1.0f);
  vertex(0.0f, 0.0f, 0.7f), vertex(0.0f, 0.0f, 1.1f);
  vertex(0.0f, 0.0f, 1.1f), vertex(-0.08f, 0.08f, 1.02f);
  vertex(0.0f, 0.0f, 1.1f), vertex(0.08f, -0.08f, 1.02f);
  glEnd();
}

// Pale blue-violet, brightening on crests; yellow at a source.
void waveCornerColour(const WaveField& f, int a, int b, float z) {
  if (f.flags[a][b] & CellSource) {
    glColor3f(1.0f, 1.0f, 0.1f);
  } else {
    glColor3f(20 * z + 0.6f, 18 * z + 0.6f, 19 * z + 0.8f);
  }
}

void drawRippleCells() {
  const WaveField& f = waveField;
  float height[waveGridSize][waveGridSize];
  for (int a = 1; a < waveGridSize; ++a) {
    for (int b = 1; b < waveGridSize; ++b) height[a][b] = waveCornerHeight(f, a, b);
  }
  const auto at = [&](int a, int b) { return height[a][b]; };
  float coord[waveGridSize + 1];
  for (int n = 1; n <= waveGridSize; ++n) coord[n] = waveCoord(n);

  QuadBatch batch;
  bool white = false;  // the checker's colour, alternating from cell to cell
  for (int j = 1; j < waveGridSize - 1; ++j) {
    for (int i = 1; i < waveGridSize - 1; ++i, white = !white) {
      // Walls show their ends only at a slit.
      const BlockFaces faces{.x0 = !(f.flags[i - 1][j] & CellWall), .x1 = !(f.flags[i + 1][j] & CellWall)};
      if (drawFixedCell(batch, coord, i, j, f.flags[i][j], at, faces)) continue;
      if (waveMesh.wireframe) {
        // The depth test changes outside the quad batch that a source or wall
        // cell before may have left open.
        batch.close();
        glDisable(GL_DEPTH_TEST);
        cellStrip(batch, coord, i, j, at);
        glEnable(GL_DEPTH_TEST);
      }
      if (waveMesh.checker) {
        const float shade = white ? 1.0f : 0.0f;
        glColor3f(shade, shade, shade);
        cellQuad(batch, coord, i, j, at);
      }
      if (waveMesh.wireframe || waveMesh.checker) continue;
      batch.open();
      for (const auto& s : cornerStep) {
        const int a = i + s[0], b = j + s[1];
        waveCornerColour(f, a, b, height[a][b]);
        vertex(coord[a], coord[b], height[a][b]);
      }
    }
  }
}

void drawDensityCells() {
  const WaveFunction& wf = waveFunction;
  const auto wall = [&](int r, int c) { return (wf.cellFlags[r][c] & CellWall) != 0; };
  // The density at a corner's cell; corners beyond the grid lie at 0.
  const auto at = [&](int r, int c) { return r < wfGridSize && c < wfGridSize ? wf.density[r][c] : 0.0f; };
  float coord[wfGridSize + 1];
  for (int n = 0; n <= wfGridSize; ++n) coord[n] = wfCoord(n);

  // A fence of height 0.08 around the grid.
  const float low = coord[1], high = coord[wfGridSize - 1];
  glBegin(GL_QUADS);
  glColor3f(0.4f, 0.4f, 0.3f);
  for (float y : {high, low}) {
    vertex(low, y, 0.0f), vertex(high, y, 0.0f), vertex(high, y, 0.08f), vertex(low, y, 0.08f);
  }
  for (float x : {low, high}) {
    vertex(x, low, 0.0f), vertex(x, high, 0.0f), vertex(x, high, 0.08f), vertex(x, low, 0.08f);
  }
  glEnd();

  QuadBatch batch;
  for (int i = 1; i < wfGridSize - 1; ++i) {
    for (int j = 1; j < wfGridSize - 1; ++j) {
      // The wedge shows only its outer faces.
      const BlockFaces faces{
          .y0 = !wall(i, j - 1), .y1 = !wall(i, j + 1), .x0 = !wall(i - 1, j), .x1 = !wall(i + 1, j)};
      if (drawFixedCell(batch, coord, i, j, wf.cellFlags[i][j], at, faces)) continue;
      if (waveMesh.checker) {
        glColor3f(0.0f, 0.0f, 0.0f);
        cellQuad(batch, coord, i, j, at);
      }
      if (waveMesh.wireframe) cellStrip(batch, coord, i, j, at);
      if (waveMesh.wireframe || waveMesh.checker) continue;
      // Dark red-orange, rising to white where the density is high.
      batch.open();
      for (const auto& s : cornerStep) {
        const float d = at(i + s[0], j + s[1]);
        const float glow = d + 0.01f;
        glColor3f(20 * glow, 15 * glow, 10 * glow);
        vertex(coord[i + s[0]], coord[j + s[1]], d);
      }
    }
  }
  batch.close();

  if (!waveMesh.checker) return;
  // A white net over two-cell squares, floating just above the black cells.
  layoutLineWidth(1.0f);
  glColor3f(1.0f, 1.0f, 1.0f);
  const auto lifted = [&](int r, int c) { return at(r, c) + 0.04f; };
  constexpr int square[4][2] = {{0, 0}, {2, 0}, {2, 2}, {0, 2}};
  for (int i = 1; i < wfGridSize - 1; ++i) {
    for (int j = 1; j < wfGridSize - 1; ++j) {
      if (wall(i, j)) continue;
      glBegin(GL_LINE_STRIP);
      for (const auto& s : square) vertex(coord[i + s[0]], coord[j + s[1]], lifted(i + s[0], j + s[1]));
      glEnd();
    }
  }
}

void drawDensityMesh(const MeshCamera& camera, float shiftX) {
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_DITHER);
  glDisable(GL_FOG);
  placeCamera(50.0, camera);
  glPushMatrix();
  glRotatef(80.0f, 1.0f, 0.0f, 0.0f);
  const float scale = camera.zoom + 6.0f;
  glScalef(scale, scale, scale);
  glTranslatef(shiftX, 0.0f, 0.0f);
  drawDensityCells();
  glPopMatrix();
  glPopMatrix();
}

}  // namespace

float waveCoord(int n) { return static_cast<float>(2.0 * ((n - 0.5) * (1.0 / 70.0) - 0.5)); }

float wfCoord(int n) { return static_cast<float>((n - 0.5) * 0.02702702702702703 - 1.0); }

void drawWaveField(double lift, const MeshCamera& camera, float shift) {
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_DITHER);
  glEnable(GL_FOG);
  glFogi(GL_FOG_MODE, GL_EXP2);
  const GLfloat fogColour[4] = {0.2f, 0.5f, 0.5f, 0.3f};
  glFogfv(GL_FOG_COLOR, fogColour);
  glFogf(GL_FOG_DENSITY, 0.039f);

  placeCamera(30.0, camera);
  glScalef(1.45f, 1.45f, 1.45f);
  glPushMatrix();
  glRotatef(80.0f, 1.0f, 0.0f, 0.0f);
  const float scale = camera.zoom + 6.0f;
  glScalef(scale, scale, scale);
  glTranslated(lift * 0.2857142857142857, lift * 1.6, shift);
  drawAxes();
  drawRippleCells();
  glPopMatrix();
  glPopMatrix();
}

void drawWaveFunction(const MeshCamera& camera) { drawDensityMesh(camera, 0.0f); }

void drawWaveFunctionAlt(const MeshCamera& camera) { drawDensityMesh(camera, -0.4f); }

#include "scenes/titles/explanationScreens.h"

#include <string>

#include "runtime/stateDump.h"
#include "scenes/fields/fluidScene.h"
#include "scenes/fields/gasScene.h"
#include "scenes/fields/sandScene.h"
#include "scenes/human/humanScene.h"
#include "scenes/planar/ropeScene.h"
#include "scenes/spatial/cradleScene.h"
#include "scenes/surfaces/surfaceScene.h"
#include "scenes/titles/titleCards.h"
#include "scenes/wave/waveScenes.h"
#include "sim/fields/gas.h"

ExplanationScreens explanationScreens;

namespace {

// What separates the description from the references.
constexpr const char* blankLine = "      ";
constexpr const char* referencesLabel = "Bibliography:   ";

constexpr const char* humanLines[] = {
    "A stick figure of thirteen point masses joined by",
    "thirty-four damped springs stands in a box. Seven",
    "springs are muscles whose rest lengths follow sines",
    "of one phase; the midpoint method integrates it.",
    blankLine,
    referencesLabel,
    "[1] W. H. Press et al., Numerical Recipes in C, 1992",
    "[2] D. Baraff, A. Witkin, Physically Based Modeling, 1997",
};

constexpr const char* ropeLines[] = {
    "Beads in a plane joined by damped springs form an",
    "elastic rope held at both ends; two heavy balls",
    "fall on it. The midpoint method integrates them;",
    "circles on beads and balls detect their collisions.",
    blankLine,
    referencesLabel,
    "[1] W. H. Press et al., Numerical Recipes in C, 1992",
    "[2] E. Hairer, S. P. Norsett, G. Wanner, Solving Ordinary",
    "    Differential Equations I, Springer, 1987",
    "[3] D. Baraff, A. Witkin, Physically Based Modeling, 1997",
};

constexpr const char* bibliographyLines[] = {
    "[1] W. H. Press, S. A. Teukolsky, W. T. Vetterling,",
    "    B. P. Flannery, Numerical Recipes in C, 1992",
    "[2] H. Goldstein, Classical Mechanics, Addison-Wesley, 1950",
    "[3] D. J. Griffiths, Introduction to Quantum Mechanics,",
    "    Prentice Hall, 1995",
    "[4] R. Courant, K. Friedrichs, H. Lewy, Ueber die partiellen",
    "    Differenzengleichungen der mathematischen Physik, 1928",
    "[5] J. Crank, P. Nicolson, A practical method for numerical",
    "    evaluation of solutions of partial diff. equations, 1947",
    "[6] L. Verlet, Computer \"Experiments\" on Classical Fluids, 1967",
    "[7] U. Frisch, B. Hasslacher, Y. Pomeau, Lattice-Gas",
    "    Automata for the Navier-Stokes Equation, 1986",
    "[8] T. Toffoli, N. Margolus, Cellular Automata Machines, 1987",
    "[9] D. Baraff, A. Witkin, Physically Based Modeling, 1997",
};

constexpr const char* cradleLines[] = {
    "A row of eight pendulum balls: point masses hung",
    "on damped springs in a lit box. A raised ball falls",
    "and its impact runs through the row. Midpoint steps",
    "integrate it; spheres collide with one another.",
    blankLine,
    referencesLabel,
    "[1] H. Goldstein, Classical Mechanics, Addison-Wesley, 1950",
    "[2] D. Baraff, A. Witkin, Physically Based Modeling, 1997",
};

constexpr const char* gravityLines[] = {
    "The potential of two wandering point sources is",
    "recomputed on a 300 x 300 grid in every frame:",
    "each cell adds up the sources' strengths over their",
    "squared distances, and its brightness is the sum.",
    blankLine,
    referencesLabel,
    "[1] H. Goldstein, Classical Mechanics, Addison-Wesley, 1950",
};

constexpr const char* gasLines[] = {
    "A lattice gas on a 150 x 150 grid: each cell holds",
    "up to four particles, one per direction. They move",
    "to their neighbours, bounce off walls and scatter in",
    "head-on collisions; red gas flows out into blue.",
    blankLine,
    referencesLabel,
    "[1] U. Frisch, B. Hasslacher, Y. Pomeau,",
    "    Lattice-Gas Automata for the Navier-Stokes Equation,",
    "    Physical Review Letters 56, 1986",
};

constexpr const char* fluidLines[] = {
    "The water is a height field over 201 columns. The",
    "surface accelerates with its curvature weighted by",
    "the depth, a shallow-water form of the equations of",
    "fluid motion, and semi-implicit Euler steps advance",
    "it, two in every frame.",
    blankLine,
    referencesLabel,
    "[1] A. J. Chorin, Numerical Solution of the",
    "    Navier-Stokes Equations,",
    "    Mathematics of Computation 22, 1968",
    "[2] M. Kass, G. Miller, Rapid, Stable Fluid",
    "    Dynamics for Computer Graphics,",
    "    SIGGRAPH, 1990",
    "[3] J. Stam, Stable Fluids,",
    "    SIGGRAPH, 1999",
};

constexpr const char* sandLines[] = {
    "Grains of sand fall through an hourglass on a 140 x",
    "140 grid. A block cellular automaton moves them in",
    "2 x 2 blocks: grains fall, slide off each other",
    "diagonally and now and then hesitate at random.",
    blankLine,
    referencesLabel,
    "[1] T. Toffoli, N. Margolus,",
    "    Cellular Automata Machines: A New Environment",
    "    for Modeling, MIT Press, 1987",
};

constexpr const char* waveLines[] = {
    "A ripple tank: the wave equation on a 71 x 71 grid",
    "with a nine-point Laplacian. A source sends waves",
    "through a single and a double slit; each explicit",
    "step updates the velocities first, then the heights.",
    blankLine,
    referencesLabel,
    "[1] W. H. Press et al., Numerical Recipes in C, 1992",
    "[2] R. Courant, K. Friedrichs, H. Lewy, Ueber die partiellen",
    "    Differenzengleichungen der mathematischen Physik, 1928",
};

constexpr const char* surfaceLines[] = {
    "A springy 10 x 10 grid of particles, each carrying",
    "a collision sphere, is struck by heavy balls. After",
    "every short substep a swept test finds the sphere",
    "pairs that meet: accurate, and slow to compute.",
    blankLine,
    referencesLabel,
    "[1] D. Baraff, A. Witkin, Physically Based Modeling, 1997",
    "[2] L. Verlet, Computer \"Experiments\" on Classical Fluids, 1967",
};

// A card from its start: the fade and fly-in at 0 and only these lines.
template <size_t N>
void showLines(const char* const (&lines)[N]) {
  titleCards.card = {};
  explanationScreens.lines.clear();
  for (const char* line : lines) explanationScreens.lines.push_back(line);
}

}  // namespace

void humanExplanationInit() {
  showLines(humanLines);
  initHumanBodyReset();
}

void ropeExplanationInit() {
  showLines(ropeLines);
  ropeInitCard();
}

void bibliographyInit() { showLines(bibliographyLines); }

void cradleExplanationInit() {
  showLines(cradleLines);
  buildCradle();
}

void gravityExplanationInit() { showLines(gravityLines); }

void gasExplanationInit() {
  showLines(gasLines);
  gasInit();
  gasOpenHoles();
}

void fluidExplanationInit() {
  showLines(fluidLines);
  fluidInit2();
}

void sandExplanationInit() {
  showLines(sandLines);
  sandInit();
}

void waveExplanationInit() {
  showLines(waveLines);
  waveSceneInit();
}

void surfaceExplanationInit() {
  showLines(surfaceLines);
  initSurfaceCard();
}

void dumpExplanationScreens(const std::string& frameDirectory) {
  JsonScalars json;
  json.add("lineCount", static_cast<int64_t>(explanationScreens.lines.size()));
  int n = 0;
  for (const char* line : explanationScreens.lines) {
    const std::string name = "line" + std::to_string(n++);
    json.add(name.c_str(), line);
  }
  json.write(frameDirectory + "/explanation.json");
}

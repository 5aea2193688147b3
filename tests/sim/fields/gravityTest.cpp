// The gravity field of two point sources and the random walk of the sources.
#include <gtest/gtest.h>

#include "platform/random.h"
#include "scenes/fields/gravityScene.h"
#include "sim/fields/gravity.h"
#include "tests/runtime/recordingSeam.h"
#include "tests/support/stateHash.h"

namespace {

class GravityTest : public testing::Test {
 protected:
  void SetUp() override { gravity = {}, resetDemoRand(); }
};

TEST_F(GravityTest, ValuesOnTheSourcesAndInverseSquaresElsewhere) {
  // {sources A and B; cell; |V| there}. Start sources at cell (150, 150) =
  // (0.5, 0.5): rA^2 = 0.23^2 + 0.07^2 = 0.0578, rB^2 = 0.05^2, so |V| =
  // 0.03 / 0.0578 + 0.02 / 0.0025. 128 h, 64 h, 32 h, 16 h are exact floats:
  // on B 1, whatever A adds; on A alone at (0.1066667, 0.0533333) with B at
  // (0.5, 0.45), rB^2 = 0.3933333^2 + 0.3966667^2 = 0.3120556 and |V| =
  // |1 - B.strength / rB^2|. Sources outside the square, one of negative
  // strength: |-1 + 0.5 / 13| at (0, 0), |-1 / 2.25 + 0.5 / 10.25| at (150, 0).
  const float h = gravityCellSize;
  struct Case { GravitySource a, b; int i, j; float value, tolerance; };
  const Case cases[] = {{GravityField{}.sourceA, GravityField{}.sourceB, 150, 150, 8.5190311f, 1e-5f},
                        {{32 * h, 16 * h, 0.03f}, {128 * h, 64 * h, 0.02f}, 128, 64, 1.0f, 0.0f},
                        {{32 * h, 16 * h, 0.03f}, {0.5f, 0.45f, 0.02f}, 32, 16, 0.9359088f, 2e-6f},
                        {{32 * h, 16 * h, 0.03f}, {0.5f, 0.45f, 1.0f}, 32, 16, 2.2045576f, 5e-6f},
                        {{-1.0f, 0.0f, 1.0f}, {3.0f, 2.0f, -0.5f}, 0, 0, 0.9615385f, 1e-6f},
                        {{-1.0f, 0.0f, 1.0f}, {3.0f, 2.0f, -0.5f}, 150, 0, 0.3956640f, 1e-6f}};
  for (const Case& c : cases) {
    gravity.sourceA = c.a;
    gravity.sourceB = c.b;
    computeGravityField();
    EXPECT_NEAR(gravity.field[c.i][c.j], c.value, c.tolerance) << &c - cases;
  }
}

TEST_F(GravityTest, EachIdleComputesTheFieldThenWalksSixPairsFirstDrawAdding) {
  installRecordingSeam();
  gravityIdle();
  // The field is that of the start sources (see above), the walk comes after.
  EXPECT_NEAR(gravity.field[150][150], 8.5190311f, 1e-5f);
  EXPECT_EQ(seamRecord.redisplays, 1);
  // From its start the generator gives 41, 18467, 6334, 26500, 19169, 15724,
  // 11478, 29358, 26962, 24464, 5705, 28145.
  EXPECT_EQ(demoRandDraws(), 12u);
  // A.x = 0.73 + (41 - 18467) / 32767 * 0.01 = 0.73 - 0.0056233 = 0.7243767.
  EXPECT_NEAR(gravity.sourceA.x, 0.7243767f, 2e-7f);
  EXPECT_NEAR(gravity.sourceA.y, 0.5638456f, 2e-7f);
  EXPECT_NEAR(gravity.sourceA.strength, 0.03010514f, 2e-8f);
  EXPECT_NEAR(gravity.sourceB.x, 0.4945433f, 2e-7f);
  EXPECT_NEAR(gravity.sourceB.y, 0.4507624f, 2e-7f);
  EXPECT_NEAR(gravity.sourceB.strength, 0.01931516f, 2e-8f);
  // The title card's idle walks two and a half times as far:
  // 0.73 - 0.0140583 and 0.03 + 3445 / 32767 * 0.0025 = 0.03 + 0.0002628.
  gravity = {};
  resetDemoRand();
  gravityCardIdle();
  EXPECT_NEAR(gravity.sourceA.x, 0.7159416f, 2e-7f);
  EXPECT_NEAR(gravity.sourceA.strength, 0.03026284f, 2e-8f);
}

TEST_F(GravityTest, StateAfterHundredIdlesMatchesTheRecordedFingerprint) {
  for (int idle = 0; idle < 100; ++idle) computeGravityField(), walkGravitySources(sceneWalk);
  StateHash hash;
  hash.add(gravity.field);
  hash.add(gravity.sourceA);
  hash.add(gravity.sourceB);
  EXPECT_EQ(hash.value, 7656126184716549076u);
}

}  // namespace

// The human scenes' inits: what they set, what they leave to the scenes
// before them, and the shared values they rebuild from.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "runtime/sceneTimers.h"
#include "runtime/viewControls.h"
#include "scenes/human/humanScene.h"
#include "sim/human/humanBody.h"
#include "sim/spatial/worldStep.h"

namespace {

// What the colliding surfaces leave behind, and a camera turned elsewhere.
void afterSurfaces() {
  world = {};
  world.stepSize = world.timeScale = 0.002f;
  world.boxMinY = 30.0f;
  world.boxMaxY = 10.0f;
  viewControls = {.viewScaleX = 2.0, .viewAngleY = 44.0, .viewAngleZ = 12.0, .viewShiftZ = -0.3};
  engineFade.fadeCounter = 150.0f;
  humanBody.musclePhase = 3.0;
}

TEST(HumanSceneInits, TheGlimpsesKeepTheWorldsStepAndBoxTheResetRestoresThem) {
  afterSurfaces();
  initHumanBody();
  const World& w = world;
  EXPECT_TRUE(w.gravity.y == -4.0 && w.stepSize == 0.002f && w.timeScale == 0.002f);
  EXPECT_TRUE(w.boxMinY == 30.0f && w.boxMaxY == 10.0f);
  const ViewControls& v = viewControls;
  EXPECT_TRUE(v.viewScaleX == 1.5 && v.viewScaleY == 1.5 && v.viewScaleZ == 1.5);
  EXPECT_TRUE(v.viewAngleX == -36.0 && v.viewAngleY == 44.0 && v.viewAngleZ == 12.0);
  EXPECT_TRUE(v.viewShiftX == 0.0 && v.viewShiftY == 0.1 && v.viewShiftZ == -0.3);
  EXPECT_TRUE(engineFade.fadeCounter == 0.0f && humanBody.musclePhase == 0.0);

  afterSurfaces();
  initHumanBodyReset();
  EXPECT_TRUE(w.gravity.y == -3.0 && w.stepSize == 0.005f && w.timeScale == 0.005f);
  EXPECT_TRUE(w.boxMinY == -0.9f && w.boxMaxY == 1.0f);
  EXPECT_TRUE(v.viewAngleX == -16.0 && v.viewAngleY == 8.7 && v.viewAngleZ == 30.0);
  EXPECT_TRUE(v.viewShiftX == 0.0 && v.viewShiftY == 0.1 && v.viewShiftZ == 0.0 && v.viewScaleZ == 1.5);
  EXPECT_TRUE(engineFade.fadeCounter == 0.0f && humanBody.musclePhase == 0.0);
  EXPECT_EQ(jointParticle(Joint::handLeft)->position.x, -0.481);

  world = {};
  viewControls = {};
  engineFade = {};
  humanBody = {};
}

// Besides the World, the next frame needs the phase, the base lengths, where
// the muscles start and the flash's second fade.
TEST(HumanSceneDump, PhaseBaseMusclesAndFadeBack) {
  world = {};
  initHumanBody();
  stepHumanBody(50);
  humanScene.fadeBackCounter = 12.5f;
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "vorran-human-dump";
  std::filesystem::create_directories(folder);
  dumpHumanScene(folder.string());
  std::stringstream text;
  text << std::ifstream(folder / "human.json").rdbuf();
  const std::string json = text.str();
  // 50 x 0.1f rounds to 5 in single precision; times 0.01, 0.05.
  for (const char* entry : {"\"musclePhase\": 0.050000000000000003,", "\"baseThigh\": 0.32499998807907", "\"firstMuscle\": 1,",
                            "\"fadeBackCounter\": 12.5"}) {
    EXPECT_NE(json.find(entry), std::string::npos) << entry << " in " << json;
  }
  std::filesystem::remove_all(folder);
  world = {};
  humanBody = {};
  humanScene = {};
  viewControls = {};
  engineFade = {};
}

}  // namespace

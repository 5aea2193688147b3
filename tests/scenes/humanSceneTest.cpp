// The human scenes' inits, what they leave to the scenes before them, and
// the scene's state dump.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "runtime/sceneTimers.h"
#include "runtime/viewControls.h"
#include "scenes/human/humanScene.h"
#include "sim/human/humanBody.h"

namespace {

TEST(HumanScene, GlimpsesKeepTheWorldsStepAndBoxTheResetRestoresThem) {
  const World& w = world;
  const ViewControls& v = viewControls;
  for (const bool reset : {false, true}) {
    // What the colliding surfaces leave behind, and a camera turned elsewhere.
    world = {};
    world.stepSize = world.timeScale = 0.002f;
    world.boxMinY = 30.0f;
    world.boxMaxY = 10.0f;
    viewControls = {.viewScaleX = 2.0, .viewAngleY = 44.0, .viewAngleZ = 12.0, .viewShiftZ = -0.3};
    engineFade.fadeCounter = 150.0f;
    humanBody.musclePhase = 3.0;
    reset ? initHumanBodyReset() : initHumanBody();
    EXPECT_EQ(w.gravity.y, reset ? -3.0 : -4.0);
    EXPECT_TRUE(w.stepSize == (reset ? 0.005f : 0.002f) && w.timeScale == w.stepSize);
    EXPECT_TRUE(w.boxMinY == (reset ? -0.9f : 30.0f) && w.boxMaxY == (reset ? 1.0f : 10.0f));
    EXPECT_TRUE(v.viewScaleX == 1.5 && v.viewScaleZ == 1.5 && v.viewAngleX == (reset ? -16.0 : -36.0));
    EXPECT_TRUE(v.viewAngleY == (reset ? 8.7 : 44.0) && v.viewAngleZ == (reset ? 30.0 : 12.0));
    EXPECT_TRUE(v.viewShiftX == 0.0 && v.viewShiftY == 0.1 && v.viewShiftZ == (reset ? 0.0 : -0.3));
    EXPECT_TRUE(engineFade.fadeCounter == 0.0f && humanBody.musclePhase == 0.0);
  }

  // Besides the World, the next frame needs the phase, the base lengths,
  // where the muscles start and the flash's second fade.
  stepHumanBody(50);  // 50 x 0.1f rounds to 5; times 0.01
  humanScene.fadeBackCounter = 12.5f;
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "vorran-human-dump";
  std::filesystem::create_directories(folder);
  dumpHumanScene(folder.string());
  std::stringstream json;
  json << std::ifstream(folder / "human.json").rdbuf();
  for (const char* entry : {"\"musclePhase\": 0.050000000000000003,", "\"baseThigh\": 0.32499998807907104,",
                            "\"firstMuscle\": 1,", "\"fadeBackCounter\": 12.5"}) {
    EXPECT_NE(json.str().find(entry), std::string::npos) << entry << " in " << json.str();
  }
  std::filesystem::remove_all(folder);
  world = {}, humanBody = {}, humanScene = {}, viewControls = {}, engineFade = {};
}

}  // namespace

// GLUT opens one window per process: every drawing test of the binary shares it.
#include <gtest/gtest.h>

#include "tools/capture/captureDriver.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  captureStart();
  return RUN_ALL_TESTS();
}

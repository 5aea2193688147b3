#pragma once
// Timeline entry 1: the loading screen. One picture a frame goes into its
// texture behind a growing bar; the frame after the last one hands over to
// entry 2.
#include <string>

struct LoadingScreen {
  // Pictures loaded so far (0 to 51); only grows.
  int loadedCount = 0;
  // 0 to 1: the screen fades in over its first 500 ms.
  float loadingFade = 0.0f;
  unsigned loadingTexture = 0;
};

extern LoadingScreen loadingScreen;

void loadingInit();
void loadingDisplay();

// loading.json: the pictures loaded so far and the fade.
void dumpLoadingScreen(const std::string& frameDirectory);

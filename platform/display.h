#pragma once
// Opening the presentation's display.

enum class DisplayKind {
  // Game mode "800x600:32@60"; where it cannot be entered, an 800 x 600 window
  // titled "Vorran" with the same keyboard handler.
  FullScreen,
  // The 300 x 300 window at (150, 150), without keyboard.
  SmallWindow,
  // An 800 x 600 window for the capture tool and the drawing tests: the
  // full-screen layout, no keyboard, no vsync.
  CaptureWindow,
};

using KeyboardFn = void (*)(unsigned char key, int x, int y);

// Initialises GLUT and opens the display; closing the window ends the process.
// With no display at all, prints one line on standard error and exits with
// status 1. The keyboard handler is registered only for FullScreen.
void openDisplay(DisplayKind kind, KeyboardFn keyboard);

// Asks the driver to tie buffer swaps to the vertical refresh. Returns false
// where the driver offers no way to ask.
bool requestVsync();

#pragma once
// Opening the presentation's display.

enum class DisplayKind {
  // The full-screen game mode of the asked size (800 x 600 unless the viewer
  // asks for another); where it cannot be entered, a borderless window over
  // the whole desktop. With the keyboard handler.
  FullScreen,
  // A window of the asked size, with the keyboard handler.
  Window,
  // The build-time small window at (150, 150), 300 x 300 unless another size
  // is asked for, without keyboard.
  SmallWindow,
  // A window of the asked size for the capture tool and the drawing tests:
  // no keyboard, no vsync.
  CaptureWindow,
};

using KeyboardFn = void (*)(unsigned char key, int x, int y);

// Initialises GLUT and opens the display; closing the window ends the process.
// With no display at all, prints one line on standard error and exits with
// status 1. The keyboard handler is registered for FullScreen and Window.
void openDisplay(DisplayKind kind, KeyboardFn keyboard, int width, int height);

// Asks the driver to tie buffer swaps to the vertical refresh. Returns false
// where the driver offers no way to ask.
bool requestVsync();

#include "platform/display.h"

#include <GL/freeglut.h>
#include <GL/glx.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char* const windowTitle = "Vorran";

// freeglut reports a display it cannot open through its error hook; without a
// display nothing can be shown, so the program ends here with one clear line.
void glutFatal(const char* format, va_list args) {
  char reason[256];
  std::vsnprintf(reason, sizeof reason, format, args);
  std::fprintf(stderr, "vorran: cannot open the display (%s)\n", reason);
  std::exit(1);
}

// freeglut's warnings (a refused video mode, say) are not for the viewer; the
// fallbacks below say what happened instead.
void glutWarning(const char*, va_list) {}

void initGlut() {
  static char programName[] = "vorran";
  static char* argv[] = {programName, nullptr};
  int argc = 1;
  glutInitErrorFunc(glutFatal);
  glutInitWarningFunc(glutWarning);
  glutInit(&argc, argv);
  glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_EXIT);
}

void createWindow(int x, int y, int width, int height) {
  glutInitWindowPosition(x, y);
  glutInitWindowSize(width, height);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE);
  if (glutCreateWindow(windowTitle) == 0) {
    std::fprintf(stderr, "vorran: cannot create the window\n");
    std::exit(1);
  }
}

}  // namespace

void openDisplay(DisplayKind kind, KeyboardFn keyboard) {
  initGlut();
  switch (kind) {
    case DisplayKind::SmallWindow:
      createWindow(150, 150, 300, 300);
      return;
    case DisplayKind::CaptureWindow:
      createWindow(0, 0, 800, 600);
      return;
    case DisplayKind::FullScreen:
      break;
  }
  glutGameModeString("800x600:32@60");
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE);
  bool entered = glutGameModeGet(GLUT_GAME_MODE_POSSIBLE) != 0 && glutEnterGameMode() != 0;
  if (entered) {
    glutFullScreen();
  } else {
    std::fprintf(stderr, "vorran: full-screen 800x600 mode unavailable, playing in a window\n");
    createWindow(0, 0, 800, 600);
  }
  glutKeyboardFunc(keyboard);
  requestVsync();
}

bool requestVsync() {
  using SwapIntervalMesa = int (*)(unsigned);
  using SwapIntervalSgi = int (*)(int);
  if (auto mesa = reinterpret_cast<SwapIntervalMesa>(
          glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXSwapIntervalMESA")))) {
    return mesa(1) == 0;
  }
  if (auto sgi = reinterpret_cast<SwapIntervalSgi>(
          glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXSwapIntervalSGI")))) {
    return sgi(1) == 0;
  }
  return false;
}

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

void openDisplay(DisplayKind kind, KeyboardFn keyboard, int width, int height) {
  initGlut();
  switch (kind) {
    case DisplayKind::SmallWindow:
      createWindow(150, 150, width, height);
      return;
    case DisplayKind::CaptureWindow:
      createWindow(0, 0, width, height);
      return;
    case DisplayKind::Window:
      createWindow(0, 0, width, height);
      glutKeyboardFunc(keyboard);
      requestVsync();
      return;
    case DisplayKind::FullScreen:
      break;
  }
  char mode[64];
  std::snprintf(mode, sizeof mode, "%dx%d:32@60", width, height);
  glutGameModeString(mode);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE);
  bool entered = glutGameModeGet(GLUT_GAME_MODE_POSSIBLE) != 0 && glutEnterGameMode() != 0;
  if (entered) {
    glutFullScreen();
  } else {
    // No such mode (a virtual X server, most Wayland desktops): a borderless
    // window over the whole desktop; the picture keeps its shape inside it.
    std::fprintf(stderr, "vorran: no %dx%d full-screen mode, playing full screen at the desktop's size\n", width,
                 height);
    createWindow(0, 0, glutGet(GLUT_SCREEN_WIDTH), glutGet(GLUT_SCREEN_HEIGHT));
    glutFullScreen();
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

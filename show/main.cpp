// The presentation: plays the Timeline from the loading screen to the closing
// scroll. Escape fades out and quits, p pauses, and a few keys move the view
// of the 3D scenes.
#include <GL/freeglut.h>

#include <cstdio>

#include "platform/programDirectory.h"
#include "show/startup.h"

int main() {
  if (!enterProgramDirectory()) {
    std::fprintf(stderr, "vorran: cannot find the program's directory; looking for pictures and "
                         "music in the current one\n");
  }
  startPresentation(VORRAN_FULLSCREEN ? DisplayKind::FullScreen : DisplayKind::SmallWindow);
  glutMainLoop();
  return 0;
}

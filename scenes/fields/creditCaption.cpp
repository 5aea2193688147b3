#include "scenes/fields/creditCaption.h"

#include <GL/glu.h>

#include "platform/random.h"
#include "runtime/screen.h"
#include "runtime/text.h"

namespace {

// A draw divided by 32767 and by 95: each copy moves by at most about 0.0105
// of the half-screen.
constexpr float shakeScale = 3.2124746e-07f;

}  // namespace

void drawCreditCaption(const CaptionLayout& layout, const char* text) {
  const float f = layout.fade;
  const OrthoView& view = layout.view;
  layoutLineWidth(2.0f);
  glEnable(GL_BLEND);
  glEnable(GL_LINE_SMOOTH);
  for (int copy = 0; copy < 5; ++copy) {
    glColor4f(0.7f * f, 0.72f * f, 0.73f * f, 0.1f * static_cast<float>(copy));
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    // The vertical offset is drawn first.
    const float vertical = static_cast<float>(demoRand()) * shakeScale;
    const float horizontal = static_cast<float>(demoRand()) * shakeScale;
    glTranslatef(horizontal, vertical, 0.0f);
    gluOrtho2D(view.left, view.right, view.bottom, view.top);
    strokeText(layout.x, layout.y, text);
    glPopMatrix();
  }
}

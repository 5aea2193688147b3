#pragma once
// The law of one damped spring, shared by both particle engines' builders:
// f = stiffness (L - restLength) + damping (va - vb).d / L along the line of
// its two ends. Written with designated initialisers at the call, e.g.
// {.stiffness = 50.5f, .damping = 8.2f, .restLength = 0.4f}.
struct SpringLaw {
  float stiffness = 0.0f;
  float damping = 0.0f;
  float restLength = 0.0f;
};

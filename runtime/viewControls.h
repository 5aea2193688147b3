#pragma once
// The view of the 3D scenes: the keyboard moves it, and the 3D scenes' own
// camera animation moves it too, so it outlives every scene.

struct ViewControls {
  double viewScaleX = 0.9;
  double viewScaleY = 0.9;
  double viewScaleZ = 0.9;
  double viewAngleX = -36.0;
  double viewAngleY = 8.7;
  double viewAngleZ = 0.0;
  double viewShiftX = 0.0;
  double viewShiftY = -0.4;
  double viewShiftZ = 0.0;
};

inline ViewControls viewControls;

#pragma once
// The layout size of the text and inset layouts: 800 x 600 in the full-screen
// layout, 300 x 300 in the small window. Start-up sets them once; later
// reshapes leave them alone.
inline float screenWidth = 800.0f;
inline float screenHeight = 600.0f;

#pragma once
// The stand-in scene for Timeline entries whose own scene is not built yet:
// a dark grey screen with the entry's number.
void placeholderDisplay();

#pragma once
// The majority vote on screen: a 150 x 150 pixel panel at the left with a
// light frame, fading in and out, and a credit caption.

void voteInit();
void voteIdle();
void voteReshape(int width, int height);
void voteDisplay();

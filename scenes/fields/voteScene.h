#pragma once
// The majority vote on screen: a 150 x 150 pixel panel at the left with a
// light frame, fading in and out, and a credit caption.
#include <string>

// The scene's timers: fade in and out, caption in and out.
struct VoteTimers {
  float fadeIn = 0.0f;
  float fadeOut = 0.0f;
  float captionIn = 0.0f;
  float captionOut = 0.0f;
};

extern VoteTimers voteTimers;

void voteInit();
void voteIdle();
void voteReshape(int width, int height);
void voteDisplay();

// voteState.npy and voteChangeAge.npy (150 x 150), and the scene's timers in
// vote.json.
void dumpVoteScene(const std::string& frameDirectory);

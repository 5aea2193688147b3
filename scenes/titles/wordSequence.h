#pragma once
// A question built on a black screen one word at a time (entries 46 to 56),
// each word shimmering: five copies at growing opacity, shaken a little every
// frame. The last three entries complete the last line.

struct ShimmerWord {
  const char* text;
  float x;
  float y;
};

inline constexpr int wordCount = 9;
// Top to bottom, in the 1700 x 1100 projection of drawShimmerWord. The last
// line grows over the last three entries.
inline constexpr ShimmerWord shimmerWords[wordCount] = {
    {"Do", 710, 1000},        {"you", 700, 900}, {"enjoy", 670, 800},
    {"numerical", 580, 700},  {"solution", 600, 600}, {"of", 700, 500},
    {"partial", 600, 400},    {"differential", 550, 300}, {"wave", 300, 200},
};
inline constexpr const char* lastLineSteps[3] = {"wave", "wave equation", "wave equation ???"};

// Black, opaque blending for the first frame, line width 4.
void wordsInit();
// Five copies of the word in beige, alphas 0 to 0.4, under the projection
// (0, 1700) x (100, 1200), each moved by up to 1/55 of the half-screen;
// consumes ten draws of the shared generator.
void drawShimmerWord(float x, float y, const char* text);
// Step m (0 to 10) of the sequence: words 1 to min(m + 1, 9), the last line
// as far as the step has come.
void drawWordStep(int step);

// The display of entry 46 + Step.
template <int Step>
void wordsDisplay() {
  drawWordStep(Step);
}

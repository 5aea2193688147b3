#pragma once
// The screen the show is laid out on, and the window it is shown in.
//
// Every layout of the presentation is written for a screen of screenWidth x
// screenHeight pixels: 800 x 600 in the full-screen layout, 300 x 300 in the
// small window. Start-up sets them once; later reshapes leave them alone. The
// window may be larger or of another shape: the layout then fills the largest
// centred area of its own aspect, scaled. Scenes set viewports, line widths
// and point sizes through the three functions below, in layout pixels, so
// that a larger window shows the same picture, only sharper. In a window of
// the layout's own size they are exactly glViewport, glLineWidth and
// glPointSize.
inline float screenWidth = 800.0f;
inline float screenHeight = 600.0f;

// The window's size in pixels; the reshape trampoline and start-up tell it.
void setWindowSize(int width, int height);
int windowWidth();
int windowHeight();
// Window pixels per layout pixel.
float layoutScale();

// A rectangle in layout pixels, from the layout's lower left corner.
struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  bool operator==(const PixelRect&) const = default;
};

// A viewport given in layout pixels (from the layout's lower left corner).
void layoutViewport(int x, int y, int width, int height);
void layoutViewport(const PixelRect& r);
// A line width or point size given in layout pixels.
void layoutLineWidth(float width);
void layoutPointSize(float size);

// Before each display: where the layout does not fill the window, the bars
// beside it are painted black and drawing is kept inside the layout's area.
void prepareWindowFrame();

// While set, every frame is drawn as usual but no pixel is touched: the
// scissor box is empty. Running the show ahead to a later moment steps and
// draws every frame (drawings advance timers), and this keeps the fill of
// frames nobody sees from costing their full time.
void setFramesUnseen(bool unseen);

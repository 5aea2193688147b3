#pragma once
// Who made the production, by role. The credit captions of the grid scenes
// and the rope scene, and the closing scroll, all name people from here.

// Programming, physics and maths; also the design of the scenes.
inline constexpr const char* codeHandle = "Rdzen";
inline constexpr const char* graphicsName = "Kreska";
inline constexpr const char* texturesHandle = "Ruta";
inline constexpr const char* musicName = "Szmer";

// The captions: the role word, a space, the name. Each must fit on the
// screen from where its scene puts it: the textures caption starts at 350 of
// 1200 units, so its handle has at most about 290 units of stroke font left.
inline constexpr const char* codeCaption = "code Rdzen";
inline constexpr const char* graphicsCaption = "gfx Kreska";
inline constexpr const char* texturesCaption = "textures Ruta";
inline constexpr const char* musicCaption = "music Szmer";
inline constexpr const char* designCaption = "design Rdzen";

// The production's title: two words, shown in quotes as one line in the
// closing scroll and one word at a time by the title logo.
inline constexpr const char* productionTitle = "\"Second Order\"";
inline constexpr const char* titleWords[2] = {"\"Second", "Order\""};

#pragma once
// Who made the production, by role. The credit captions of the grid scenes
// and the rope scene, and the closing scroll, all name people from here.

// Programming, physics and maths; also the design of the scenes.
inline constexpr const char* codeHandle = "Rdzen";
inline constexpr const char* graphicsName = "Kreska";
inline constexpr const char* texturesHandle = "Piksza";
inline constexpr const char* musicName = "Szmer";

// The captions: the role word, a space, the name.
inline constexpr const char* codeCaption = "code Rdzen";
inline constexpr const char* graphicsCaption = "gfx Kreska";
inline constexpr const char* texturesCaption = "textures Piksza";
inline constexpr const char* musicCaption = "music Szmer";
inline constexpr const char* designCaption = "design Rdzen";

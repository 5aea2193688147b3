#pragma once
// The pictures by name: an identifier per picture file, and the file each one
// is read from, both made from the one list in pictureList.h. No drawing
// here, so the picture generator uses it too.

enum class Picture : int {
#define VORRAN_PICTURE(identifier, stem) identifier,
#include "runtime/pictureList.h"
#undef VORRAN_PICTURE
};

// The file of each picture, relative to the program's directory, in the
// order of the identifiers.
inline constexpr const char* pictureFiles[] = {
#define VORRAN_PICTURE(identifier, stem) "images/" #stem ".bmp",
#include "runtime/pictureList.h"
#undef VORRAN_PICTURE
};

inline constexpr int pictureCount = static_cast<int>(sizeof pictureFiles / sizeof pictureFiles[0]);
// The loading screen's picture comes last and has no slot of its own.
inline constexpr int pictureSlotCount = static_cast<int>(Picture::Loading);
static_assert(pictureCount == 52 && pictureSlotCount == 51);

inline constexpr const char* pictureFile(Picture picture) { return pictureFiles[static_cast<int>(picture)]; }

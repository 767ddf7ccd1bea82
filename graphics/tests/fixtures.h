// Pictures made by tools/make-fixtures.py, embedded in the test programs.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "runtime/embed.h"

extern "C" const EmbeddedBytes kQuadrantsPng;  // 36 x 32 RGBA
extern "C" const EmbeddedBytes kPhotoJpg;      // 40 x 30
extern "C" const EmbeddedBytes kFramesGif;     // 16 x 16, three frames: 100, 200, 300 ms
extern "C" const EmbeddedBytes kIconIco;       // 16 x 16 and 32 x 32; GDI+ decodes the first
extern "C" const EmbeddedBytes kPlainBmp;      // 20 x 10, 24-bit

namespace fixtures {

struct Fixture {
  const char* name;
  const EmbeddedBytes* bytes;
  int width, height;
};

inline const Fixture kAll[] = {
    {"quadrants.png", &kQuadrantsPng, 36, 32}, {"photo.jpg", &kPhotoJpg, 40, 30},
    {"frames.gif", &kFramesGif, 16, 16},       {"icon.ico", &kIconIco, 16, 16},
    {"plain.bmp", &kPlainBmp, 20, 10},
};

inline std::vector<uint8_t> Copy(const EmbeddedBytes& b) { return {b.bytes, b.bytes + b.length}; }

}  // namespace fixtures

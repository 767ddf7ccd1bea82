// Pictures for the skin tests, drawn pixel by pixel and PNG-encoded through the graphics
// wrapper, and a surface to draw them on.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "graphics/bitmap.h"
#include "graphics/graphics.h"

namespace framework::testing {

inline constexpr char kPngFormat[] = "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}";
inline constexpr int32_t kArgb32 = 0x26200A;

using PixelFn = std::function<uint32_t(int x, int y)>;

inline std::vector<uint8_t> MakePng(int width, int height, const PixelFn& pixel) {
  graphics::Bitmap bitmap;
  if (!bitmap.Create(width, height, kArgb32)) return {};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bitmap.SetPixel(x, y, pixel(x, y));
  return bitmap.SaveToBytes(std::string(kPngFormat));
}

// A transparent 32-bit ARGB bitmap with a graphics object drawing on it.
struct Surface {
  graphics::Bitmap bitmap;
  graphics::Graphics graphics;
  Surface(int width, int height) {
    bitmap.Create(width, height, kArgb32);
    graphics.FromImage(bitmap);
  }
  uint32_t pixel(int x, int y) {
    graphics.Flush();
    return bitmap.GetPixel(x, y);
  }
};

}  // namespace framework::testing

#include "framework/controls/picture_strip.h"

#include "graphics/bitmap.h"

namespace framework {

namespace {

constexpr char kPngFormat[] = "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}";
constexpr int32_t kPixelFormat32bppARGB = 0x26200A;
constexpr int kSeparatorRow = 2;

// The key colour is stored as 0x00BBGGRR; pixels come as 0xAARRGGBB.
uint32_t OpaqueArgb(uint32_t bgr) {
  uint32_t r = bgr & 0xFF, g = (bgr >> 8) & 0xFF, b = (bgr >> 16) & 0xFF;
  return 0xFF000000u | (r << 16) | (g << 8) | b;
}

// A tile of the picture, cut as 32-bit ARGB and PNG-encoded. A tile of no width keeps its
// place with empty bytes.
std::vector<uint8_t> EncodeArea(const graphics::Bitmap& picture, graphics::Rect area) {
  if (area.Width <= 0 || area.Height <= 0) return {};
  graphics::Bitmap tile;
  if (!picture.CloneAreaI(area, kPixelFormat32bppARGB, tile)) return {};
  return tile.SaveToBytes(std::string(kPngFormat));
}

bool Decode(std::span<const uint8_t> bytes, graphics::Bitmap& picture) {
  return !bytes.empty() && picture.FromBytes(bytes);
}

}  // namespace

void PictureStrip::clear() {
  tiles_.clear();
  totalWidth_ = 0;
  totalHeight_ = 0;
}

int PictureStrip::load(std::span<const uint8_t> picture, std::optional<uint32_t> keyColor) {
  clear();
  keyColor_ = keyColor.value_or(kDefaultStripKey);
  return cutBySeparators(picture);
}

int PictureStrip::cutBySeparators(std::span<const uint8_t> bytes) {
  clear();
  graphics::Bitmap picture;
  if (!Decode(bytes, picture)) return 0;
  const int width = int(picture.GetWidth()), height = int(picture.GetHeight());
  totalWidth_ = width;
  totalHeight_ = height;
  const uint32_t key = OpaqueArgb(keyColor_);
  // Column 0 is never a separator; a picture may start with one inside its first tile.
  int start = 0;
  for (int x = 1; x < width; ++x) {
    if (picture.GetPixel(x, kSeparatorRow) != key) continue;
    tiles_.push_back({EncodeArea(picture, {start, 0, x - start, height}), x - start, height});
    start = x + 1;
  }
  tiles_.push_back({EncodeArea(picture, {start, 0, width - start, height}), width - start, height});
  return getCount();
}

int PictureStrip::cutColumns(std::span<const uint8_t> bytes, int tileWidth) {
  return cutEvenly(bytes, tileWidth, true);
}

int PictureStrip::cutRows(std::span<const uint8_t> bytes, int tileHeight) {
  return cutEvenly(bytes, tileHeight, false);
}

int PictureStrip::cutEvenly(std::span<const uint8_t> bytes, int step, bool columns) {
  clear();
  graphics::Bitmap picture;
  if (!Decode(bytes, picture)) return 0;
  const int width = int(picture.GetWidth()), height = int(picture.GetHeight());
  totalWidth_ = width;
  totalHeight_ = height;
  const int length = columns ? width : height;
  for (int at = 0; step > 0 && at + step <= length; at += step) {
    graphics::Rect area = columns ? graphics::Rect{at, 0, step, height} : graphics::Rect{0, at, width, step};
    tiles_.push_back({EncodeArea(picture, area), area.Width, area.Height});
  }
  return getCount();
}

int PictureStrip::add(const graphics::Image& image) {
  const int width = int(image.GetWidth()), height = int(image.GetHeight());
  tiles_.push_back({image.SaveToBytes(std::string(kPngFormat)), width, height});
  totalWidth_ += width;
  return getCount();
}

// Like add, removing leaves the strip's height alone: tiles share the strip's height.
int PictureStrip::remove(int index) {
  const Tile* t = tile(index);
  if (!t) return 0;
  totalWidth_ -= t->width;
  tiles_.erase(tiles_.begin() + (index - 1));
  return 1;
}

const PictureStrip::Tile* PictureStrip::tile(int index) const {
  if (index < 1 || index > getCount()) return nullptr;
  return &tiles_[size_t(index - 1)];
}

std::vector<uint8_t> PictureStrip::get(int index) const {
  const Tile* t = tile(index);
  return t ? t->png : std::vector<uint8_t>{};
}

int PictureStrip::getWidth(int index) const {
  const Tile* t = tile(index);
  return t ? t->width : 0;
}

int PictureStrip::getHeight(int index) const {
  const Tile* t = tile(index);
  return t ? t->height : 0;
}

}  // namespace framework

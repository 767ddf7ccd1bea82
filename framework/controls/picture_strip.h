// A wide skin picture holding many small pictures side by side, cut into its tiles. Each
// tile is kept PNG-encoded; tiles are numbered from 1. A value type: copies copy the tiles.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace graphics {
class Image;
}

namespace framework {

inline constexpr uint32_t kDefaultStripKey = 0xFF00FF;  // 0x00BBGGRR

class PictureStrip {
 public:
  // Cuts the picture at its separator columns (row 2 in the key colour); returns the count.
  int load(std::span<const uint8_t> picture, std::optional<uint32_t> keyColor = std::nullopt);
  // Tiles of a fixed width from the left (or height from the top); a remainder narrower
  // than a tile is dropped.
  int cutColumns(std::span<const uint8_t> picture, int tileWidth);
  int cutRows(std::span<const uint8_t> picture, int tileHeight);
  int add(const graphics::Image& image);
  int remove(int index);
  int cutBySeparators(std::span<const uint8_t> picture);

  std::vector<uint8_t> get(int index) const;
  int getCount() const { return int(tiles_.size()); }
  int getTotalWidth() const { return totalWidth_; }
  int getTotalHeight() const { return totalHeight_; }
  int getWidth(int index) const;
  int getHeight(int index) const;

 private:
  int cutEvenly(std::span<const uint8_t> picture, int step, bool columns);

  struct Tile {
    std::vector<uint8_t> png;
    int width = 0;
    int height = 0;
  };
  void clear();
  const Tile* tile(int index) const;

  std::vector<Tile> tiles_;
  int totalWidth_ = 0;
  int totalHeight_ = 0;
  uint32_t keyColor_ = kDefaultStripKey;
};

}  // namespace framework

// A skin picture in up to four looks (normal, hover, pressed, disabled) whose author marked
// its slice lines with opaque magenta pixels in row 1 and column 1. Drawn into a target of
// any size: corners at natural size, edges and centre tiled. A picture without markers is
// drawn whole at its natural size.
//
// A direction with a single marker is cut into two bands at that marker (the marker
// column or row and the one before it belong to neither), with no middle band.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "graphics/object.h"

namespace graphics {
class Graphics;
}

namespace framework {

enum SliceIndex : int {
  kTopLeft, kBottomLeft, kTopRight, kBottomRight,
  kLeftEdge, kTopEdge, kRightEdge, kBottomEdge, kCentre,
  kSliceCount
};

struct SliceSet {
  std::array<graphics::RectF, kSliceCount> rects{};
  std::vector<uint8_t> bytes;
  int plain = 0;
};

class SlicedPicture {
 public:
  using Size = std::pair<int, int>;

  int load(std::span<const uint8_t> normal, std::span<const uint8_t> hover = {},
           std::span<const uint8_t> pressed = {}, std::span<const uint8_t> disabled = {},
           std::optional<int> cornerRadius = std::nullopt, std::optional<int> width = std::nullopt);
  Size getNormalSize() const { return normalSize_; }
  Size getHoverSize() const { return hoverSize_; }
  Size getPressedSize() const { return pressedSize_; }
  Size getDisabledSize() const { return disabledSize_; }
  int isLoaded() const { return loaded_; }
  int getWidth() const { return width_; }
  int getCornerRadius() const { return cornerRadius_; }
  void setTarget(float x, float y, float width, float height);
  void draw(graphics::Graphics& graphics, const SliceSet& set) const;
  // Fills the set from the picture; returns width + 65536 * height (0 when it does not decode).
  static uint32_t analyse(std::span<const uint8_t> bytes, SliceSet& set);
  void drawNormal(graphics::Graphics& g) const { draw(g, normal_); }
  void drawHover(graphics::Graphics& g) const { draw(g, hover_); }
  void drawPressed(graphics::Graphics& g) const { draw(g, pressed_); }
  void drawDisabled(graphics::Graphics& g) const { draw(g, disabled_); }

  const SliceSet& normalSet() const { return normal_; }
  const SliceSet& hoverSet() const { return hover_; }
  const SliceSet& pressedSet() const { return pressed_; }
  const SliceSet& disabledSet() const { return disabled_; }

 private:
  int loaded_ = 0;
  int cornerRadius_ = 10;
  int width_ = 3;
  SliceSet normal_, hover_, pressed_, disabled_;
  graphics::RectF target_{};
  Size normalSize_{}, hoverSize_{}, pressedSize_{}, disabledSize_{};
};

}  // namespace framework

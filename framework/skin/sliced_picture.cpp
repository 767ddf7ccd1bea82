#include "framework/skin/sliced_picture.h"

#include <algorithm>

#include "graphics/bitmap.h"
#include "graphics/brush.h"
#include "graphics/graphics.h"

namespace framework {

namespace {

constexpr uint32_t kMarker = 0xFFFF00FF;  // opaque magenta as GetPixel reports it
constexpr int32_t kPixelFormat32bppARGB = 0x26200A;
constexpr int kSmoothingModeNone = 3;
constexpr int kWrapModeTile = 0;
constexpr float kEmpty = 1e-7f;

// The two markers nearest the middle of a line of `length` pixels, looking left first at
// each step; the line is read through `isMarker(position)`.
template <class IsMarker>
std::pair<int, int> FindBoundaries(int length, IsMarker isMarker) {
  const int middle = length / 2;
  const int steps = std::max(middle, length - middle);
  int left = middle, right = middle, k1 = 0, k2 = 0;
  for (int i = 0; i < steps && !(k1 >= 1 && k2 >= 1); ++i) {
    ++right;
    if (left >= 1 && isMarker(left)) (k1 == 0 ? k1 : k2) = left;
    if (right <= length && isMarker(right)) (k2 == 0 ? k2 : k1) = right;
    --left;
  }
  if (k1 == 0 && k2 == 0) return {length, length};
  if (k1 == 0 || k2 == 0) {
    const int single = std::max(k1, k2);
    return {single, single};
  }
  return {std::min(k1, k2), std::max(k1, k2)};
}

struct Band {
  float start = 0, size = 0;
  bool exists = false;
};

// First, middle and last band of a direction cut at k1 and k2 (both = length: no cut).
std::array<Band, 3> Bands(int length, int k1, int k2) {
  const bool cut = !(k1 == length && k2 == length);
  std::array<Band, 3> bands{};
  bands[0] = cut ? Band{0, float(k1 - 1), true} : Band{0, float(length), true};
  if (k1 < k2) bands[1] = Band{float(k1 + 1), float(k2 - k1 - 1), true};
  if (cut) bands[2] = Band{float(k2 + 1), float(length - k2 - 1), true};
  return bands;
}

graphics::RectF Crossing(const Band& columns, const Band& rows) {
  if (!columns.exists || !rows.exists) return {};
  return {columns.start, rows.start, columns.size, rows.size};
}

bool HasArea(const graphics::RectF& r) { return r.Width > kEmpty && r.Height > kEmpty; }

}  // namespace

uint32_t SlicedPicture::analyse(std::span<const uint8_t> bytes, SliceSet& set) {
  set.rects = {};
  set.bytes.assign(bytes.begin(), bytes.end());
  set.plain = 0;
  graphics::Bitmap picture;
  if (bytes.empty() || !picture.FromBytes(bytes)) return 0;
  const int w = int(picture.GetWidth()), h = int(picture.GetHeight());
  auto [k1, k2] = FindBoundaries(w, [&](int x) { return picture.GetPixel(x, 1) == kMarker; });
  auto [v1, v2] = FindBoundaries(h, [&](int y) { return picture.GetPixel(1, y) == kMarker; });
  if (k1 == w && k2 == w && v1 == h && v2 == h) {
    set.plain = 1;
  } else {
    const auto cols = Bands(w, k1, k2), rows = Bands(h, v1, v2);
    set.rects[kTopLeft] = Crossing(cols[0], rows[0]);
    set.rects[kBottomLeft] = Crossing(cols[0], rows[2]);
    set.rects[kTopRight] = Crossing(cols[2], rows[0]);
    set.rects[kBottomRight] = Crossing(cols[2], rows[2]);
    set.rects[kLeftEdge] = Crossing(cols[0], rows[1]);
    set.rects[kTopEdge] = Crossing(cols[1], rows[0]);
    set.rects[kRightEdge] = Crossing(cols[2], rows[1]);
    set.rects[kBottomEdge] = Crossing(cols[1], rows[2]);
    set.rects[kCentre] = Crossing(cols[1], rows[1]);
  }
  return uint32_t(w) + 65536u * uint32_t(h);
}

int SlicedPicture::load(std::span<const uint8_t> normal, std::span<const uint8_t> hover,
                        std::span<const uint8_t> pressed, std::span<const uint8_t> disabled,
                        std::optional<int> cornerRadius, std::optional<int> width) {
  *this = SlicedPicture{};
  loaded_ = 0;
  cornerRadius_ = 0;
  width_ = 0;
  if (normal.empty()) return 0;
  cornerRadius_ = cornerRadius.value_or(10);
  width_ = width.value_or(3);
  auto unpack = [](uint32_t size) { return Size{int(size & 0xFFFF), int(size >> 16)}; };
  normalSize_ = unpack(analyse(normal, normal_));
  if (normalSize_.first == 0 || normalSize_.second == 0) return 0;
  auto state = [&](std::span<const uint8_t> bytes, SliceSet& set, Size& size) {
    if (bytes.empty()) {
      set = normal_;
      size = normalSize_;
    } else {
      size = unpack(analyse(bytes, set));
    }
  };
  state(hover, hover_, hoverSize_);
  state(pressed, pressed_, pressedSize_);
  state(disabled, disabled_, disabledSize_);
  loaded_ = 1;
  return 1;
}

void SlicedPicture::setTarget(float x, float y, float width, float height) {
  target_ = {x, y, width, height};
}

void SlicedPicture::draw(graphics::Graphics& g, const SliceSet& set) const {
  graphics::Bitmap picture;
  if (set.bytes.empty() || !picture.FromBytes(set.bytes)) return;
  const auto [x, y, tw, th] = target_;
  if (set.plain) {
    g.DrawImageRect(picture, x, y, float(picture.GetWidth()), float(picture.GetHeight()));
    return;
  }
  g.SetSmoothingMode(kSmoothingModeNone);
  const auto& r = set.rects;
  const float wTL = r[kTopLeft].Width, hTL = r[kTopLeft].Height;
  const float wBL = r[kBottomLeft].Width, hBL = r[kBottomLeft].Height;
  const float wTR = r[kTopRight].Width, hTR = r[kTopRight].Height;
  const float wBR = r[kBottomRight].Width, hBR = r[kBottomRight].Height;
  // Where each piece goes: corners at natural size, the rest tiled over an area.
  struct Placement {
    graphics::RectF area;
    bool tiled;
  };
  auto placement = [&](int i, float w, float h) -> Placement {
    switch (i) {
      case kTopLeft: return {{x, y, w, h}, false};
      case kBottomLeft: return {{x, y + th - h, w, h}, false};
      case kTopRight: return {{x + tw - w, y, w, h}, false};
      case kBottomRight: return {{x + tw - w, y + th - h, w, h}, false};
      case kLeftEdge: return {{x, y + hTL, w, th - hTL - hBL}, true};
      case kTopEdge: return {{x + wTL, y, tw - wTL - wTR, h}, true};
      case kRightEdge: return {{x + tw - w, y + hTR, w, th - hTR - hBR}, true};
      case kBottomEdge: return {{x + wTL, y + th - h, tw - wBL - wBR, h}, true};
      default: return {{x + wTL, y + hTL, tw - wTL - wTR, th - hTL - hBL}, true};
    }
  };
  for (int i = 0; i < kSliceCount; ++i) {
    if (!HasArea(r[i])) continue;
    graphics::Bitmap piece;
    if (!picture.CloneArea(r[i], kPixelFormat32bppARGB, piece)) continue;
    const Placement p = placement(i, float(piece.GetWidth()), float(piece.GetHeight()));
    if (!p.tiled) {
      g.DrawImageRect(piece, p.area.X, p.area.Y, p.area.Width, p.area.Height);
      continue;
    }
    graphics::TextureBrush brush;
    if (!brush.Create(piece, kWrapModeTile)) continue;
    // Tiling starts with a whole tile at the area's top-left corner.
    brush.TranslateTransform(p.area.X, p.area.Y);
    g.FillRectangle(brush, p.area.X, p.area.Y, p.area.Width, p.area.Height);
  }
}

}  // namespace framework

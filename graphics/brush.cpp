#include "graphics/brush.h"

namespace graphics {

namespace {

// Reads a count, then that many pairs of values into the two arrays.
template <class First, class ReadCount, class ReadValues>
int ReadBlend(std::vector<First>& first, std::vector<float>& positions, ReadCount readCount, ReadValues readValues) {
  INT count = 0;
  if (!Record(readCount(&count)) || count < 0) return 0;
  first.assign(size_t(count), First{});
  positions.assign(size_t(count), 0.0f);
  if (count > 0 && !Record(readValues(first.data(), positions.data(), count))) return 0;
  return count;
}

}  // namespace

bool LinearGradientBrush::SetBlend(const std::vector<float>& factors, const std::vector<float>& positions) {
  // GDI+ reads count positions: fewer would be read past their end.
  if (positions.size() < factors.size()) return Record(Gdiplus::InvalidParameter);
  return SA<dll::GdipSetLineBlend>(factors.data(), positions.data(), INT(factors.size()));
}

int LinearGradientBrush::GetBlend(std::vector<float>& factors, std::vector<float>& positions) const {
  return ReadBlend(
      factors, positions, [&](INT* n) { return dll::GdipGetLineBlendCount(sub(), n); },
      [&](float* f, float* p, INT n) { return dll::GdipGetLineBlend(sub(), f, p, n); });
}

bool LinearGradientBrush::SetPresetBlend(const std::vector<uint32_t>& colors, const std::vector<float>& positions) {
  if (positions.size() < colors.size()) return Record(Gdiplus::InvalidParameter);
  return SA<dll::GdipSetLinePresetBlend>(reinterpret_cast<const Gdiplus::ARGB*>(colors.data()), positions.data(),
                                         INT(colors.size()));
}

int LinearGradientBrush::GetPresetBlend(std::vector<uint32_t>& colors, std::vector<float>& positions) const {
  return ReadBlend(
      colors, positions, [&](INT* n) { return dll::GdipGetLinePresetBlendCount(sub(), n); },
      [&](uint32_t* c, float* p, INT n) {
        return dll::GdipGetLinePresetBlend(sub(), reinterpret_cast<Gdiplus::ARGB*>(c), p, n);
      });
}

}  // namespace graphics

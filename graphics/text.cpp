// ToWideText and the text members of Graphics.
#include "graphics/text.h"

#include <cstring>

#include "graphics/graphics.h"

namespace graphics {

ByteArray ToWideText(const char* text) {
  if (!text) text = "";
  int units = dll::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  // A text the code page cannot convert still gives a terminated empty text.
  ByteArray wide(size_t(units > 0 ? units : 1) * 2, 0);
  if (units > 1)
    dll::MultiByteToWideChar(CP_ACP, 0, text, int(std::strlen(text)),
                             reinterpret_cast<WCHAR*>(wide.data()), units);
  return wide;
}

namespace detail {

WideText Wide(const ByteArray& text) {
  static const WCHAR kEmpty[1] = {0};
  size_t units = text.size() / 2;
  if (units == 0) return {kEmpty, 0};
  auto data = reinterpret_cast<const WCHAR*>(text.data());
  for (size_t i = 0; i < units; ++i)
    if (data[i] == 0) return {data, dll::lstrlenW(data)};
  return {data, int32_t(units)};
}

}  // namespace detail

bool Graphics::DrawString(const char* text, const GdipObject& font, const GdipObject& brush,
                          const RectF* layoutRect, const GdipObject* format) {
  return DrawStringW(ToWideText(text), font, brush, layoutRect, format);
}

bool Graphics::DrawStringW(const ByteArray& text, const GdipObject& font, const GdipObject& brush,
                           const RectF* layoutRect, const GdipObject* format) {
  detail::WideText w = detail::Wide(text);
  return A<dll::GdipDrawString>(w.units, w.length, font, layoutRect, format, brush);
}

bool Graphics::MeasureString(const char* text, const GdipObject& font, const RectF* layoutRect,
                             const GdipObject* format, RectF& boundingBox) const {
  return MeasureStringW(ToWideText(text), font, layoutRect, format, boundingBox);
}

bool Graphics::MeasureStringW(const ByteArray& text, const GdipObject& font,
                              const RectF* layoutRect, const GdipObject* format,
                              RectF& boundingBox) const {
  detail::WideText w = detail::Wide(text);
  return A<dll::GdipMeasureString>(w.units, w.length, font, layoutRect, format, &boundingBox,
                                   nullptr, nullptr);
}

bool Graphics::MeasureRanges(const ByteArray& text, const GdipObject& font,
                             const RectF* layoutRect, const GdipObject* format, int regionCount,
                             std::vector<Gdiplus::GpRegion*>& natives) const {
  if (regionCount < 1) return Record(Gdiplus::InvalidParameter);
  // The regions belong to nobody until the measuring succeeds.
  auto releaseAll = [&natives] {
    for (Gdiplus::GpRegion* region : natives) dll::GdipDeleteRegion(region);
    natives.clear();
  };
  natives.reserve(size_t(regionCount));
  for (int i = 0; i < regionCount; ++i) {
    Gdiplus::GpRegion* region = nullptr;
    if (!Record(dll::GdipCreateRegion(&region))) {
      releaseAll();
      return false;
    }
    natives.push_back(region);
  }
  detail::WideText w = detail::Wide(text);
  if (!A<dll::GdipMeasureCharacterRanges>(w.units, w.length, font, layoutRect, format,
                                          regionCount, natives.data())) {
    releaseAll();
    return false;
  }
  return true;
}

bool Graphics::DrawDriverString(const char* text, const GdipObject& font, const GdipObject& brush,
                                std::span<const PointF> positions, int flags,
                                const GdipObject* matrix) {
  return DrawDriverStringW(ToWideText(text), font, brush, positions, flags, matrix);
}

bool Graphics::DrawDriverStringW(const ByteArray& text, const GdipObject& font,
                                 const GdipObject& brush, std::span<const PointF> positions,
                                 int flags, const GdipObject* matrix) {
  detail::WideText w = detail::Wide(text);
  return A<dll::GdipDrawDriverString>(w.units, w.length, font, brush,
                                      positions.empty() ? nullptr : positions.data(), flags,
                                      matrix);
}

}  // namespace graphics

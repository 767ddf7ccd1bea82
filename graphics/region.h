// Region: areas made of rectangles, paths and GDI regions, combined, moved, compared and
// read back as data, bounds and scans.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "graphics/object.h"

namespace graphics {

class Region : public GdipClass<Gdiplus::GpRegion, dll::GdipDeleteRegion> {
 public:
  // An infinite region.
  bool Create() { return C<dll::GdipCreateRegion>(); }
  bool CreateFromRect(const RectF& rect) { return C<dll::GdipCreateRegionRect>(&rect); }
  bool CreateFromRectI(const Rect& rect) { return C<dll::GdipCreateRegionRectI>(&rect); }
  bool CreateFromPath(const GdipObject& path) { return C<dll::GdipCreateRegionPath>(path); }
  bool CreateFromHrgn(HRGN hrgn) { return C<dll::GdipCreateRegionHrgn>(hrgn); }
  // size defaults to, and is at most, the length of bytes.
  bool CreateFromData(const ByteArray& bytes, std::optional<int32_t> size = std::nullopt);
  bool Clone(Region& target) const { return K<dll::GdipCloneRegion>(target); }

  bool MakeInfinite() { return A<dll::GdipSetInfinite>(); }
  bool MakeEmpty() { return A<dll::GdipSetEmpty>(); }

  // The default combine mode is intersect (1).
  bool CombineRect(const RectF& rect, int mode = Gdiplus::CombineModeIntersect) {
    return A<dll::GdipCombineRegionRect>(&rect, mode);
  }
  bool CombineRectI(const Rect& rect, int mode = Gdiplus::CombineModeIntersect) {
    return A<dll::GdipCombineRegionRectI>(&rect, mode);
  }
  bool CombineRegion(const GdipObject& region, int mode = Gdiplus::CombineModeIntersect) {
    return A<dll::GdipCombineRegionRegion>(region, mode);
  }
  bool CombinePath(const GdipObject& path, int mode = Gdiplus::CombineModeIntersect) {
    return A<dll::GdipCombineRegionPath>(path, mode);
  }

  bool Translate(float dx, float dy) { return A<dll::GdipTranslateRegion>(dx, dy); }
  bool TranslateI(int dx, int dy) { return A<dll::GdipTranslateRegionI>(dx, dy); }
  bool Transform(const GdipObject& matrix) { return A<dll::GdipTransformRegion>(matrix); }

  RectF GetBounds(const GdipObject& graphics) const { return V<RectF, dll::GdipGetRegionBounds>(graphics); }
  Rect GetBoundsI(const GdipObject& graphics) const { return V<Rect, dll::GdipGetRegionBoundsI>(graphics); }
  uint32_t GetDataSize() const { return G<dll::GdipGetRegionDataSize>(); }
  // bufferSize bytes, as many as GDI+ filled (sizeFilled receives the count).
  ByteArray GetData(uint32_t bufferSize, uint32_t* sizeFilled = nullptr) const;
  // A new GDI region the caller owns.
  HRGN GetHRGN(const GdipObject& graphics) const { return G<dll::GdipGetRegionHRgn>(graphics); }

  bool IsEmpty(const GdipObject& graphics) const { return Q<dll::GdipIsEmptyRegion>(graphics); }
  bool IsInfinite(const GdipObject& graphics) const { return Q<dll::GdipIsInfiniteRegion>(graphics); }
  bool Equals(const GdipObject& region, const GdipObject& graphics) const {
    return Q<dll::GdipIsEqualRegion>(region, graphics);
  }
  bool IsVisiblePoint(const PointF& p, const GdipObject* graphics = nullptr) const {
    return Q<dll::GdipIsVisibleRegionPoint>(p.X, p.Y, graphics);
  }
  bool IsVisiblePointI(const Point& p, const GdipObject* graphics = nullptr) const {
    return Q<dll::GdipIsVisibleRegionPointI>(p.X, p.Y, graphics);
  }
  bool IsVisibleRect(const RectF& r, const GdipObject* graphics = nullptr) const {
    return Q<dll::GdipIsVisibleRegionRect>(r.X, r.Y, r.Width, r.Height, graphics);
  }
  bool IsVisibleRectI(const Rect& r, const GdipObject* graphics = nullptr) const {
    return Q<dll::GdipIsVisibleRegionRectI>(r.X, r.Y, r.Width, r.Height, graphics);
  }

  uint32_t GetScansCount(const GdipObject* matrix) const;
  // The array is resized to the count, which is returned.
  int GetScans(const GdipObject* matrix, std::vector<RectF>& scans) const;
  int GetScansI(const GdipObject* matrix, std::vector<Rect>& scans) const;
};

}  // namespace graphics

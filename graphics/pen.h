// Pen: width, unit, caps, joins, dashes, compound lines, transforms, colour or brush fill.
#pragma once

#include <vector>

#include "graphics/brush.h"

namespace graphics {

class Pen : public GdipClass<Gdiplus::GpPen, dll::GdipDeletePen> {
 public:
  bool Create(uint32_t color, float width, int unit = 0) { return C<dll::GdipCreatePen1>(color, width, unit); }
  bool CreateFromBrush(const GdipObject& brush, float width, int unit = 0) {
    return C<dll::GdipCreatePen2>(brush, width, unit);
  }
  bool Clone(Pen& target) const { return K<dll::GdipClonePen>(target); }

  float GetWidth() const { return G<dll::GdipGetPenWidth>(); }
  bool SetWidth(float width) { return A<dll::GdipSetPenWidth>(width); }
  int GetUnit() const { return G<dll::GdipGetPenUnit>(); }
  bool SetUnit(int unit) { return A<dll::GdipSetPenUnit>(unit); }

  // The two entries that set all three caps are one method here.
  bool SetLineCap(int startCap, int endCap, int dashCap) {
    return A<dll::GdipSetPenLineCap197819>(startCap, endCap, dashCap);
  }
  bool SetStartCap(int cap) { return A<dll::GdipSetPenStartCap>(cap); }
  bool SetEndCap(int cap) { return A<dll::GdipSetPenEndCap>(cap); }
  bool SetDashCap(int cap) { return A<dll::GdipSetPenDashCap197819>(cap); }
  int GetStartCap() const { return G<dll::GdipGetPenStartCap>(); }
  int GetEndCap() const { return G<dll::GdipGetPenEndCap>(); }
  int GetDashCap() const { return G<dll::GdipGetPenDashCap197819>(); }

  bool SetLineJoin(int join) { return A<dll::GdipSetPenLineJoin>(join); }
  int GetLineJoin() const { return G<dll::GdipGetPenLineJoin>(); }
  bool SetMiterLimit(float limit) { return A<dll::GdipSetPenMiterLimit>(limit); }
  float GetMiterLimit() const { return G<dll::GdipGetPenMiterLimit>(); }
  bool SetMode(int alignment) { return A<dll::GdipSetPenMode>(alignment); }
  int GetMode() const { return G<dll::GdipGetPenMode>(); }

  bool SetTransform(const GdipObject& matrix) { return A<dll::GdipSetPenTransform>(matrix); }
  // Fills the native matrix that matrix holds.
  bool GetTransform(const GdipObject& matrix) const { return A<dll::GdipGetPenTransform>(matrix); }
  bool ResetTransform() { return A<dll::GdipResetPenTransform>(); }
  bool MultiplyTransform(const GdipObject& matrix, int order = 0) {
    return A<dll::GdipMultiplyPenTransform>(matrix, order);
  }
  bool RotateTransform(float angle, int order = 0) { return A<dll::GdipRotatePenTransform>(angle, order); }
  bool RotateTransformAt(float angle, PointF centre, int order = 0) {
    return detail::AboutCentre(*this, centre, order, [&] { RotateTransform(angle, order); });
  }
  bool ScaleTransform(float sx, float sy, int order = 0) { return A<dll::GdipScalePenTransform>(sx, sy, order); }
  bool ScaleTransformAt(float sx, float sy, PointF centre, int order = 0) {
    return detail::AboutCentre(*this, centre, order, [&] { ScaleTransform(sx, sy, order); });
  }
  bool TranslateTransform(float dx, float dy, int order = 0) {
    return A<dll::GdipTranslatePenTransform>(dx, dy, order);
  }

  uint32_t GetColor() const { return G<dll::GdipGetPenColor>(); }
  bool SetColor(uint32_t color) { return A<dll::GdipSetPenColor>(color); }
  bool SetBrush(const GdipObject& brush) { return A<dll::GdipSetPenBrushFill>(brush); }
  // target receives a new native brush, a copy of the pen's fill.
  bool GetBrush(Brush& target) const { return K<dll::GdipGetPenBrushFill>(target); }
  int GetFillType() const { return G<dll::GdipGetPenFillType>(); }

  bool SetDashStyle(int style) { return A<dll::GdipSetPenDashStyle>(style); }
  int GetDashStyle() const { return G<dll::GdipGetPenDashStyle>(); }
  float GetDashOffset() const { return G<dll::GdipGetPenDashOffset>(); }
  bool SetDashOffset(float offset) { return A<dll::GdipSetPenDashOffset>(offset); }

  // Return the count read; the array is resized to it.
  int GetDashPattern(std::vector<float>& dashes) const;
  bool SetDashPattern(const std::vector<float>& dashes) {
    return A<dll::GdipSetPenDashArray>(dashes.empty() ? nullptr : dashes.data(), INT(dashes.size()));
  }
  bool SetCompoundArray(const std::vector<float>& compounds) {
    return A<dll::GdipSetPenCompoundArray>(compounds.empty() ? nullptr : compounds.data(), INT(compounds.size()));
  }
  int GetCompoundArray(std::vector<float>& compounds) const;
};

}  // namespace graphics

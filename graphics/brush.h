// Brushes: solid, texture (a picture tiled) and linear gradient, each with its own handle
// beside the generic brush handle, and the transforms of texture and gradient.
#pragma once

#include <cstdint>
#include <vector>

#include "graphics/object.h"

namespace graphics {

namespace detail {

// Families on a handle other than the class handle (a subclass's own handle).
template <const auto& Command, class H, class... Args>
bool ActOn(H* h, Args&&... a) {
  return Record(Call<Command>(h, std::forward<Args>(a)...));
}
template <const auto& Command, class H, class... Args>
auto GetOn(H* h, Args&&... a) {
  OutType<Command> value{};
  Record(Call<Command>(h, std::forward<Args>(a)..., &value));
  return value;
}

}  // namespace detail

// The brush-level members every brush shares; they work on the brush handle.
class Brush : public GdipClass<Gdiplus::GpBrush, dll::GdipDeleteBrush, true> {
 public:
  bool Clone(Brush& target) const { return K<dll::GdipCloneBrush>(target); }
  int GetType() const { return G<dll::GdipGetBrushType>(); }
};

// A brush class whose own members work on its subclass handle (GpSolidFill*, GpTexture*,
// GpLineGradient*), kept equal to the brush handle by AttachDerived.
template <class Sub>
class BrushOf : public Brush {
 public:
  void AttachDerived(void* p) override { sub_ = static_cast<Sub*>(static_cast<Gdiplus::GpBrush*>(p)); }
  Sub* sub() const { return sub_; }

 protected:
  template <const auto& Command, class... Args>
  bool SA(Args&&... a) const {
    return detail::ActOn<Command>(sub_.get(), std::forward<Args>(a)...);
  }
  template <const auto& Command, class... Args>
  auto SG(Args&&... a) const {
    return detail::GetOn<Command>(sub_.get(), std::forward<Args>(a)...);
  }
  template <class Value, const auto& Command>
  Value SV() const {
    Value value{};
    Record(detail::Call<Command>(sub_.get(), &value));
    return value;
  }

 private:
  MovedPtr<Sub> sub_;
};

class SolidBrush : public BrushOf<Gdiplus::GpSolidFill> {
 public:
  bool Create(uint32_t color) { return C<dll::GdipCreateSolidFill>(color); }
  bool SetColor(uint32_t color) { return SA<dll::GdipSetSolidFillColor>(color); }
  uint32_t GetColor() const { return SG<dll::GdipGetSolidFillColor>(); }
};

class TextureBrush : public BrushOf<Gdiplus::GpTexture> {
 public:
  bool Create(const GdipObject& image, int wrapMode = 0) { return C<dll::GdipCreateTexture>(image, wrapMode); }
  bool CreateRect(const GdipObject& image, float x, float y, float width, float height, int wrapMode = 0) {
    return C<dll::GdipCreateTexture2>(image, wrapMode, x, y, width, height);
  }
  bool CreateRectI(const GdipObject& image, int x, int y, int width, int height, int wrapMode = 0) {
    return C<dll::GdipCreateTexture2I>(image, wrapMode, x, y, width, height);
  }
  bool CreateWithAttributes(const GdipObject& image, float x, float y, float width, float height,
                            const GdipObject* attributes = nullptr) {
    return C<dll::GdipCreateTextureIA>(image, attributes, x, y, width, height);
  }
  bool CreateWithAttributesI(const GdipObject& image, int x, int y, int width, int height,
                             const GdipObject* attributes = nullptr) {
    return C<dll::GdipCreateTextureIAI>(image, attributes, x, y, width, height);
  }

  // Fills the native matrix that matrix holds.
  bool GetTransform(const GdipObject& matrix) const { return SA<dll::GdipGetTextureTransform>(matrix); }
  bool SetTransform(const GdipObject& matrix) { return SA<dll::GdipSetTextureTransform>(matrix); }
  bool ResetTransform() { return SA<dll::GdipResetTextureTransform>(); }
  bool MultiplyTransform(const GdipObject& matrix, int order = 0) {
    return SA<dll::GdipMultiplyTextureTransform>(matrix, order);
  }
  bool TranslateTransform(float dx, float dy, int order = 0) {
    return SA<dll::GdipTranslateTextureTransform>(dx, dy, order);
  }
  bool ScaleTransform(float sx, float sy, int order = 0) { return SA<dll::GdipScaleTextureTransform>(sx, sy, order); }
  bool ScaleTransformAt(float sx, float sy, PointF centre, int order = 0) {
    return detail::AboutCentre(*this, centre, order, [&] { ScaleTransform(sx, sy, order); });
  }
  bool RotateTransform(float angle, int order = 0) { return SA<dll::GdipRotateTextureTransform>(angle, order); }
  bool RotateTransformAt(float angle, PointF centre, int order = 0) {
    return detail::AboutCentre(*this, centre, order, [&] { RotateTransform(angle, order); });
  }

  int GetWrapMode() const { return SG<dll::GdipGetTextureWrapMode>(); }
  bool SetWrapMode(int wrapMode) { return SA<dll::GdipSetTextureWrapMode>(wrapMode); }
  // target receives a new native image, the texture's own picture.
  template <class ImageClass>
  bool GetImage(ImageClass& target) const {
    typename ImageClass::HandleType* created = nullptr;
    GpStatus status = dll::GdipGetTextureImage(sub(), &created);
    if (status == Gdiplus::Ok) Adopt(target, created);
    return Record(status);
  }
};

class LinearGradientBrush : public BrushOf<Gdiplus::GpLineGradient> {
 public:
  bool Create(const PointF& point1, const PointF& point2, uint32_t color1, uint32_t color2) {
    return C<dll::GdipCreateLineBrush>(&point1, &point2, color1, color2, 0);
  }
  bool CreateI(const Point& point1, const Point& point2, uint32_t color1, uint32_t color2) {
    return C<dll::GdipCreateLineBrushI>(&point1, &point2, color1, color2, 0);
  }
  bool CreateFromRect(const RectF& rect, uint32_t color1, uint32_t color2, int mode = 0) {
    return C<dll::GdipCreateLineBrushFromRect>(&rect, color1, color2, mode, 0);
  }
  bool CreateFromRectI(const Rect& rect, uint32_t color1, uint32_t color2, int mode = 0) {
    return C<dll::GdipCreateLineBrushFromRectI>(&rect, color1, color2, mode, 0);
  }
  bool CreateFromRectWithAngle(const RectF& rect, uint32_t color1, uint32_t color2, float angle,
                               bool isAngleScalable = false) {
    return C<dll::GdipCreateLineBrushFromRectWithAngle>(&rect, color1, color2, angle, BOOL(isAngleScalable), 0);
  }
  bool CreateFromRectWithAngleI(const Rect& rect, uint32_t color1, uint32_t color2, float angle,
                                bool isAngleScalable = false) {
    return C<dll::GdipCreateLineBrushFromRectWithAngleI>(&rect, color1, color2, angle, BOOL(isAngleScalable), 0);
  }

  // colors receives the two colours (it is resized to 2).
  bool GetColors(std::vector<uint32_t>& colors) const {
    colors.assign(2, 0);
    return SA<dll::GdipGetLineColors>(reinterpret_cast<Gdiplus::ARGB*>(colors.data()));
  }
  bool SetColors(uint32_t color1, uint32_t color2) { return SA<dll::GdipSetLineColors>(color1, color2); }
  RectF GetRect() const { return SV<RectF, dll::GdipGetLineRect>(); }
  Rect GetRectI() const { return SV<Rect, dll::GdipGetLineRectI>(); }
  bool SetGammaCorrection(bool use) { return SA<dll::GdipSetLineGammaCorrection>(BOOL(use)); }
  bool GetGammaCorrection() const { return SG<dll::GdipGetLineGammaCorrection>() != FALSE; }

  // The count passed is the number of factors; positions must have as many.
  bool SetBlend(const std::vector<float>& factors, const std::vector<float>& positions);
  int GetBlend(std::vector<float>& factors, std::vector<float>& positions) const;
  int GetBlendCount() const { return SG<dll::GdipGetLineBlendCount>(); }
  bool SetPresetBlend(const std::vector<uint32_t>& colors, const std::vector<float>& positions);
  int GetPresetBlend(std::vector<uint32_t>& colors, std::vector<float>& positions) const;
  bool SetSigmaBlend(float focus, float scale = 1) { return SA<dll::GdipSetLineSigmaBlend>(focus, scale); }
  bool SetLinearBlend(float focus, float scale = 1) { return SA<dll::GdipSetLineLinearBlend>(focus, scale); }

  int GetWrapMode() const { return SG<dll::GdipGetLineWrapMode>(); }
  bool SetWrapMode(int wrapMode) { return SA<dll::GdipSetLineWrapMode>(wrapMode); }

  bool GetTransform(const GdipObject& matrix) const { return SA<dll::GdipGetLineTransform>(matrix); }
  bool SetTransform(const GdipObject& matrix) { return SA<dll::GdipSetLineTransform>(matrix); }
  bool ResetTransform() { return SA<dll::GdipResetLineTransform>(); }
  bool MultiplyTransform(const GdipObject& matrix, int order = 0) {
    return SA<dll::GdipMultiplyLineTransform>(matrix, order);
  }
  bool TranslateTransform(float dx, float dy, int order = 0) {
    return SA<dll::GdipTranslateLineTransform>(dx, dy, order);
  }
  bool ScaleTransform(float sx, float sy, int order = 0) { return SA<dll::GdipScaleLineTransform>(sx, sy, order); }
  bool ScaleTransformAt(float sx, float sy, PointF centre, int order = 0) {
    return detail::AboutCentre(*this, centre, order, [&] { ScaleTransform(sx, sy, order); });
  }
  bool RotateTransform(float angle, int order = 0) { return SA<dll::GdipRotateLineTransform>(angle, order); }
  bool RotateTransformAt(float angle, PointF centre, int order = 0) {
    return detail::AboutCentre(*this, centre, order, [&] { RotateTransform(angle, order); });
  }
};

}  // namespace graphics

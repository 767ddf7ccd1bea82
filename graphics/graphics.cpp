// The Graphics members that combine several flat calls.
#include "graphics/graphics.h"

#include <cstring>

namespace graphics {

bool Graphics::ScaleTransformAt(float sx, float sy, PointF centre, int order) {
  return detail::AboutCentre(*this, centre, order, [&] { ScaleTransform(sx, sy, order); });
}

bool Graphics::RotateTransformAt(float angle, PointF centre, int order) {
  return detail::AboutCentre(*this, centre, order, [&] { RotateTransform(angle, order); });
}

bool Graphics::DrawImageRect(const GdipObject& image, float x, float y, float w, float h,
                             int unit) {
  auto native = static_cast<Gdiplus::GpImage*>(image.GetNative());
  UINT width = 0, height = 0;
  Record(dll::GdipGetImageWidth(native, &width));
  Record(dll::GdipGetImageHeight(native, &height));
  return A<dll::GdipDrawImageRectRect>(image, x, y, w, h, 0.0f, 0.0f, float(width),
                                       float(height), unit, nullptr, nullptr, nullptr);
}

bool Graphics::DrawImageRectI(const GdipObject& image, int x, int y, int w, int h, int unit) {
  auto native = static_cast<Gdiplus::GpImage*>(image.GetNative());
  UINT width = 0, height = 0;
  Record(dll::GdipGetImageWidth(native, &width));
  Record(dll::GdipGetImageHeight(native, &height));
  return A<dll::GdipDrawImageRectRectI>(image, x, y, w, h, 0, 0, int(width), int(height), unit,
                                        nullptr, nullptr, nullptr);
}

GpStatus Graphics::DrawImageAlpha(const GdipObject& image, float dstX, float dstY, float dstW,
                                  float dstH, float srcX, float srcY, float srcW, float srcH,
                                  float alpha) {
  for (int i : {0, 1, 2, 4}) AlphaMatrix[i][i] = 1.0f;
  AlphaMatrix[3][3] = alpha;
  // The attributes are this object's own, made at first use so that the alpha applies.
  if (!attributes_.handle()) {
    GpStatus kept = LastStatus;
    attributes_.Create();
    LastStatus = kept;
  }
  Gdiplus::ColorMatrix matrix;
  static_assert(sizeof matrix == sizeof AlphaMatrix);
  std::memcpy(&matrix, AlphaMatrix, sizeof matrix);
  dll::GdipSetImageAttributesColorMatrix(attributes_.handle(), Gdiplus::ColorAdjustTypeBitmap,
                                         TRUE, &matrix, nullptr,
                                         Gdiplus::ColorMatrixFlagsDefault);
  return detail::Call<dll::GdipDrawImageRectRect>(handle(), image, dstX, dstY, dstW, dstH, srcX,
                                                  srcY, srcW, srcH, Gdiplus::UnitPixel,
                                                  attributes_.handle(), nullptr, nullptr);
}

}  // namespace graphics

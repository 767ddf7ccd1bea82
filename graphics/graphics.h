// Graphics: a GDI+ drawing surface (a DC, a window or an image) and everything drawn on it.
//
// Wrapper arguments (pen, brush, image, path, region, font, format, matrix, attributes) may be
// any object holding a native object of that kind; an omitted optional one is null.
// Enumeration arguments take GDI+'s own values. Angles are in degrees.
#pragma once

#include <span>
#include <vector>

#include "graphics/object.h"
#include "graphics/text.h"

namespace graphics {

// The image attributes DrawImageAlpha applies its colour matrix through.
class ImageAttributes
    : public GdipClass<Gdiplus::GpImageAttributes, dll::GdipDisposeImageAttributes> {
 public:
  bool Create() { return C<dll::GdipCreateImageAttributes>(); }
};

class Graphics : public GdipClass<Gdiplus::GpGraphics, dll::GdipDeleteGraphics, true> {
 public:
  // Returns the flat status; LastStatus is left alone.
  GpStatus Flush(int intention = 0) {
    return detail::Call<dll::GdipFlush>(handle(), intention);
  }
  bool CreateFromHWND(HWND hwnd, bool useIcm = false) {
    return useIcm ? C<dll::GdipCreateFromHWNDICM>(hwnd) : C<dll::GdipCreateFromHWND>(hwnd);
  }
  bool CreateFromHDC(HDC hdc, HANDLE hDevice = nullptr) {
    return hDevice ? C<dll::GdipCreateFromHDC2>(hdc, hDevice) : C<dll::GdipCreateFromHDC>(hdc);
  }
  bool FromImage(const GdipObject& image) { return C<dll::GdipGetImageGraphicsContext>(image); }
  HDC GetDC() { return G<dll::GdipGetDC>(); }
  bool ReleaseDC(HDC hdc) { return A<dll::GdipReleaseDC>(hdc); }

  int GetCompositingMode() const { return G<dll::GdipGetCompositingMode>(); }
  bool SetCompositingMode(int mode) { return A<dll::GdipSetCompositingMode>(mode); }
  bool GetRenderingOrigin(int& x, int& y) const { return R<dll::GdipGetRenderingOrigin>(x, y); }
  bool SetRenderingOrigin(int x, int y) { return A<dll::GdipSetRenderingOrigin>(x, y); }
  int GetCompositingQuality() const { return G<dll::GdipGetCompositingQuality>(); }
  bool SetCompositingQuality(int quality) { return A<dll::GdipSetCompositingQuality>(quality); }
  bool SetSmoothingMode(int mode) { return A<dll::GdipSetSmoothingMode>(mode); }
  int GetSmoothingMode() const { return G<dll::GdipGetSmoothingMode>(); }
  bool SetTextRenderingHint(int hint) { return A<dll::GdipSetTextRenderingHint>(hint); }
  int GetTextRenderingHint() const { return G<dll::GdipGetTextRenderingHint>(); }
  bool SetInterpolationMode(int mode) { return A<dll::GdipSetInterpolationMode>(mode); }
  int GetInterpolationMode() const { return G<dll::GdipGetInterpolationMode>(); }
  bool SetPixelOffsetMode(int mode) { return A<dll::GdipSetPixelOffsetMode>(mode); }
  int GetPixelOffsetMode() const { return G<dll::GdipGetPixelOffsetMode>(); }

  bool SetTransform(const GdipObject& matrix) { return A<dll::GdipSetWorldTransform>(matrix); }
  // Fills the native matrix that matrix holds.
  bool GetTransform(const GdipObject& matrix) const {
    return A<dll::GdipGetWorldTransform>(matrix);
  }
  bool ResetTransform() { return A<dll::GdipResetWorldTransform>(); }
  bool MultiplyTransform(const GdipObject& matrix, int order = 0) {
    return A<dll::GdipMultiplyWorldTransform>(matrix, order);
  }
  bool TranslateTransform(float dx, float dy, int order = 0) {
    return A<dll::GdipTranslateWorldTransform>(dx, dy, order);
  }
  bool ScaleTransform(float sx, float sy, int order = 0) {
    return A<dll::GdipScaleWorldTransform>(sx, sy, order);
  }
  // Scales or rotates about centre rather than the origin; true when the last of its three
  // flat calls succeeds.
  bool ScaleTransformAt(float sx, float sy, PointF centre, int order = 0);
  bool RotateTransform(float angle, int order = 0) {
    return A<dll::GdipRotateWorldTransform>(angle, order);
  }
  bool RotateTransformAt(float angle, PointF centre, int order = 0);

  bool SetPageUnit(int unit) { return A<dll::GdipSetPageUnit>(unit); }
  int GetPageUnit() const { return G<dll::GdipGetPageUnit>(); }
  bool SetPageScale(float scale) { return A<dll::GdipSetPageScale>(scale); }
  float GetPageScale() const { return G<dll::GdipGetPageScale>(); }
  float GetDpiX() const { return G<dll::GdipGetDpiX>(); }
  float GetDpiY() const { return G<dll::GdipGetDpiY>(); }

  // The points are converted in place.
  bool TransformPoints(int destSpace, int srcSpace, std::span<PointF> points) const {
    return A<dll::GdipTransformPoints>(destSpace, srcSpace, Array(points));
  }
  bool TransformPointsI(int destSpace, int srcSpace, std::span<Point> points) const {
    return A<dll::GdipTransformPointsI>(destSpace, srcSpace, Array(points));
  }
  uint32_t GetNearestColor(uint32_t color) const {
    R<dll::GdipGetNearestColor>(color);
    return color;
  }

  // Outlines.
  bool DrawLine(const GdipObject& pen, float x1, float y1, float x2, float y2) {
    return A<dll::GdipDrawLine>(pen, x1, y1, x2, y2);
  }
  bool DrawLineI(const GdipObject& pen, int x1, int y1, int x2, int y2) {
    return A<dll::GdipDrawLineI>(pen, x1, y1, x2, y2);
  }
  bool DrawLines(const GdipObject& pen, std::span<const PointF> points) {
    return A<dll::GdipDrawLines>(pen, Array(points));
  }
  bool DrawLinesI(const GdipObject& pen, std::span<const Point> points) {
    return A<dll::GdipDrawLinesI>(pen, Array(points));
  }
  bool DrawArc(const GdipObject& pen, float x, float y, float w, float h, float startAngle,
               float sweepAngle) {
    return A<dll::GdipDrawArc>(pen, x, y, w, h, startAngle, sweepAngle);
  }
  bool DrawArcI(const GdipObject& pen, int x, int y, int w, int h, float startAngle,
                float sweepAngle) {
    return A<dll::GdipDrawArcI>(pen, x, y, w, h, startAngle, sweepAngle);
  }
  bool DrawBezier(const GdipObject& pen, float x1, float y1, float x2, float y2, float x3,
                  float y3, float x4, float y4) {
    return A<dll::GdipDrawBezier>(pen, x1, y1, x2, y2, x3, y3, x4, y4);
  }
  bool DrawBezierI(const GdipObject& pen, int x1, int y1, int x2, int y2, int x3, int y3, int x4,
                   int y4) {
    return A<dll::GdipDrawBezierI>(pen, x1, y1, x2, y2, x3, y3, x4, y4);
  }
  bool DrawBeziers(const GdipObject& pen, std::span<const PointF> points) {
    return A<dll::GdipDrawBeziers>(pen, Array(points));
  }
  bool DrawBeziersI(const GdipObject& pen, std::span<const Point> points) {
    return A<dll::GdipDrawBeziersI>(pen, Array(points));
  }
  bool DrawRectangle(const GdipObject& pen, float x, float y, float w, float h) {
    return A<dll::GdipDrawRectangle>(pen, x, y, w, h);
  }
  bool DrawRectangleI(const GdipObject& pen, int x, int y, int w, int h) {
    return A<dll::GdipDrawRectangleI>(pen, x, y, w, h);
  }
  bool DrawRectangles(const GdipObject& pen, std::span<const RectF> rects) {
    return A<dll::GdipDrawRectangles>(pen, Array(rects));
  }
  bool DrawRectanglesI(const GdipObject& pen, std::span<const Rect> rects) {
    return A<dll::GdipDrawRectanglesI>(pen, Array(rects));
  }
  bool DrawEllipse(const GdipObject& pen, float x, float y, float w, float h) {
    return A<dll::GdipDrawEllipse>(pen, x, y, w, h);
  }
  bool DrawEllipseI(const GdipObject& pen, int x, int y, int w, int h) {
    return A<dll::GdipDrawEllipseI>(pen, x, y, w, h);
  }
  bool DrawPie(const GdipObject& pen, float x, float y, float w, float h, float startAngle,
               float sweepAngle) {
    return A<dll::GdipDrawPie>(pen, x, y, w, h, startAngle, sweepAngle);
  }
  bool DrawPieI(const GdipObject& pen, int x, int y, int w, int h, float startAngle,
                float sweepAngle) {
    return A<dll::GdipDrawPieI>(pen, x, y, w, h, startAngle, sweepAngle);
  }
  bool DrawPolygon(const GdipObject& pen, std::span<const PointF> points) {
    return A<dll::GdipDrawPolygon>(pen, Array(points));
  }
  bool DrawPolygonI(const GdipObject& pen, std::span<const Point> points) {
    return A<dll::GdipDrawPolygonI>(pen, Array(points));
  }
  bool DrawPath(const GdipObject& pen, const GdipObject& path) {
    return A<dll::GdipDrawPath>(pen, path);
  }
  bool DrawCurve(const GdipObject& pen, std::span<const PointF> points) {
    return A<dll::GdipDrawCurve>(pen, Array(points));
  }
  bool DrawCurveI(const GdipObject& pen, std::span<const Point> points) {
    return A<dll::GdipDrawCurveI>(pen, Array(points));
  }
  bool DrawCurve2(const GdipObject& pen, std::span<const PointF> points, float tension) {
    return A<dll::GdipDrawCurve2>(pen, Array(points), tension);
  }
  bool DrawCurve2I(const GdipObject& pen, std::span<const Point> points, float tension) {
    return A<dll::GdipDrawCurve2I>(pen, Array(points), tension);
  }
  bool DrawCurve3(const GdipObject& pen, std::span<const PointF> points, int offset,
                  int numberOfSegments, float tension) {
    return A<dll::GdipDrawCurve3>(pen, Array(points), offset, numberOfSegments, tension);
  }
  bool DrawCurve3I(const GdipObject& pen, std::span<const Point> points, int offset,
                   int numberOfSegments, float tension) {
    return A<dll::GdipDrawCurve3I>(pen, Array(points), offset, numberOfSegments, tension);
  }
  bool DrawClosedCurve(const GdipObject& pen, std::span<const PointF> points) {
    return A<dll::GdipDrawClosedCurve>(pen, Array(points));
  }
  bool DrawClosedCurveI(const GdipObject& pen, std::span<const Point> points) {
    return A<dll::GdipDrawClosedCurveI>(pen, Array(points));
  }
  bool DrawClosedCurve2(const GdipObject& pen, std::span<const PointF> points, float tension) {
    return A<dll::GdipDrawClosedCurve2>(pen, Array(points), tension);
  }
  bool DrawClosedCurve2I(const GdipObject& pen, std::span<const Point> points, float tension) {
    return A<dll::GdipDrawClosedCurve2I>(pen, Array(points), tension);
  }

  bool Clear(uint32_t color = 0) { return A<dll::GdipGraphicsClear>(color); }

  // Fills.
  bool FillRectangle(const GdipObject& brush, float x, float y, float w, float h) {
    return A<dll::GdipFillRectangle>(brush, x, y, w, h);
  }
  bool FillRectangleRect(const GdipObject& brush, const RectF& r) {
    return A<dll::GdipFillRectangle>(brush, r.X, r.Y, r.Width, r.Height);
  }
  bool FillRectangleI(const GdipObject& brush, int x, int y, int w, int h) {
    return A<dll::GdipFillRectangleI>(brush, x, y, w, h);
  }
  bool FillRectangles(const GdipObject& brush, std::span<const RectF> rects) {
    return A<dll::GdipFillRectangles>(brush, Array(rects));
  }
  bool FillRectanglesI(const GdipObject& brush, std::span<const Rect> rects) {
    return A<dll::GdipFillRectanglesI>(brush, Array(rects));
  }
  bool FillPolygon(const GdipObject& brush, std::span<const PointF> points, int fillMode = 0) {
    return A<dll::GdipFillPolygon>(brush, Array(points), fillMode);
  }
  bool FillPolygonI(const GdipObject& brush, std::span<const Point> points, int fillMode = 0) {
    return A<dll::GdipFillPolygonI>(brush, Array(points), fillMode);
  }
  bool FillEllipse(const GdipObject& brush, float x, float y, float w, float h) {
    return A<dll::GdipFillEllipse>(brush, x, y, w, h);
  }
  bool FillEllipseI(const GdipObject& brush, int x, int y, int w, int h) {
    return A<dll::GdipFillEllipseI>(brush, x, y, w, h);
  }
  bool FillPie(const GdipObject& brush, float x, float y, float w, float h, float startAngle,
               float sweepAngle) {
    return A<dll::GdipFillPie>(brush, x, y, w, h, startAngle, sweepAngle);
  }
  bool FillPieI(const GdipObject& brush, int x, int y, int w, int h, float startAngle,
                float sweepAngle) {
    return A<dll::GdipFillPieI>(brush, x, y, w, h, startAngle, sweepAngle);
  }
  bool FillPath(const GdipObject& brush, const GdipObject& path) {
    return A<dll::GdipFillPath>(brush, path);
  }
  bool FillClosedCurve(const GdipObject& brush, std::span<const PointF> points) {
    return A<dll::GdipFillClosedCurve>(brush, Array(points));
  }
  bool FillClosedCurve2(const GdipObject& brush, std::span<const PointF> points, float tension,
                        int fillMode = 0) {
    return A<dll::GdipFillClosedCurve2>(brush, Array(points), tension, fillMode);
  }
  bool FillClosedCurveI(const GdipObject& brush, std::span<const Point> points) {
    return A<dll::GdipFillClosedCurveI>(brush, Array(points));
  }
  bool FillClosedCurve2I(const GdipObject& brush, std::span<const Point> points, float tension,
                         int fillMode = 0) {
    return A<dll::GdipFillClosedCurve2I>(brush, Array(points), tension, fillMode);
  }
  bool FillRegion(const GdipObject& brush, const GdipObject& region) {
    return A<dll::GdipFillRegion>(brush, region);
  }

  // Text (text.cpp). text is the program's ANSI text; the W forms take UTF-16LE bytes with a
  // terminating zero unit, as ToWideText makes them.
  bool DrawString(const char* text, const GdipObject& font, const GdipObject& brush,
                  const RectF* layoutRect = nullptr, const GdipObject* format = nullptr);
  bool DrawStringW(const ByteArray& text, const GdipObject& font, const GdipObject& brush,
                   const RectF* layoutRect = nullptr, const GdipObject* format = nullptr);
  bool MeasureString(const char* text, const GdipObject& font, const RectF* layoutRect,
                     const GdipObject* format, RectF& boundingBox) const;
  bool MeasureStringW(const ByteArray& text, const GdipObject& font, const RectF* layoutRect,
                      const GdipObject* format, RectF& boundingBox) const;
  // Measures the character ranges set on format; on success regions holds regionCount new
  // regions, one per range. Region is any wrapper class of native regions.
  template <class Region>
  bool MeasureCharacterRanges(const char* text, const GdipObject& font, const RectF* layoutRect,
                              const GdipObject* format, int regionCount,
                              std::vector<Region>& regions) const;
  template <class Region>
  bool MeasureCharacterRangesW(const ByteArray& text, const GdipObject& font,
                               const RectF* layoutRect, const GdipObject* format,
                               int regionCount, std::vector<Region>& regions) const;
  // positions: one point per UTF-16 unit of the text.
  bool DrawDriverString(const char* text, const GdipObject& font, const GdipObject& brush,
                        std::span<const PointF> positions, int flags = 1,
                        const GdipObject* matrix = nullptr);
  bool DrawDriverStringW(const ByteArray& text, const GdipObject& font, const GdipObject& brush,
                         std::span<const PointF> positions, int flags = 1,
                         const GdipObject* matrix = nullptr);
  bool SetTextContrast(unsigned contrast) { return A<dll::GdipSetTextContrast>(contrast); }
  unsigned GetTextContrast() const { return G<dll::GdipGetTextContrast>(); }

  // Images; unit 2 is pixels.
  bool DrawImage(const GdipObject& image, float x, float y) {
    return A<dll::GdipDrawImage>(image, x, y);
  }
  bool DrawImageI(const GdipObject& image, int x, int y) {
    return A<dll::GdipDrawImageI>(image, x, y);
  }
  bool DrawCachedBitmap(const GdipObject& cachedBitmap, float x, float y) {
    return A<dll::GdipDrawCachedBitmap>(cachedBitmap, int(x), int(y));
  }
  // The whole image scaled into the rectangle.
  bool DrawImageRect(const GdipObject& image, float x, float y, float w, float h, int unit = 2);
  bool DrawImageRectI(const GdipObject& image, int x, int y, int w, int h, int unit = 2);
  bool DrawImagePoints(const GdipObject& image, float x1, float y1, float x2, float y2, float x3,
                       float y3) {
    const PointF points[3] = {{x1, y1}, {x2, y2}, {x3, y3}};
    return A<dll::GdipDrawImagePoints>(image, Array(points));
  }
  bool DrawImagePointsI(const GdipObject& image, int x1, int y1, int x2, int y2, int x3, int y3) {
    const Point points[3] = {{x1, y1}, {x2, y2}, {x3, y3}};
    return A<dll::GdipDrawImagePointsI>(image, Array(points));
  }
  bool DrawImagePointRect(const GdipObject& image, float x, float y, float srcX, float srcY,
                          float srcW, float srcH, int unit = 2) {
    return A<dll::GdipDrawImagePointRect>(image, x, y, srcX, srcY, srcW, srcH, unit);
  }
  bool DrawImagePointRectI(const GdipObject& image, int x, int y, int srcX, int srcY, int srcW,
                           int srcH, int unit = 2) {
    return A<dll::GdipDrawImagePointRectI>(image, x, y, srcX, srcY, srcW, srcH, unit);
  }
  // Draws the source rectangle into the destination with its alpha scaled by alpha (0..1);
  // returns the drawing's flat status, LastStatus is left alone.
  GpStatus DrawImageAlpha(const GdipObject& image, float dstX, float dstY, float dstW, float dstH,
                          float srcX, float srcY, float srcW, float srcH, float alpha = 0);
  bool DrawImageRectRect(const GdipObject& image, float dstX, float dstY, float dstW, float dstH,
                         float srcX, float srcY, float srcW, float srcH, int unit = 2,
                         const GdipObject* attributes = nullptr) {
    return A<dll::GdipDrawImageRectRect>(image, dstX, dstY, dstW, dstH, srcX, srcY, srcW, srcH,
                                         unit, attributes, nullptr, nullptr);
  }
  bool DrawImageRectRectI(const GdipObject& image, int dstX, int dstY, int dstW, int dstH,
                          int srcX, int srcY, int srcW, int srcH, int unit = 2,
                          const GdipObject* attributes = nullptr) {
    return A<dll::GdipDrawImageRectRectI>(image, dstX, dstY, dstW, dstH, srcX, srcY, srcW, srcH,
                                          unit, attributes, nullptr, nullptr);
  }
  bool DrawImagePointsRect(const GdipObject& image, float x1, float y1, float x2, float y2,
                           float x3, float y3, float srcX, float srcY, float srcW, float srcH,
                           int unit = 2, const GdipObject* attributes = nullptr) {
    const PointF points[3] = {{x1, y1}, {x2, y2}, {x3, y3}};
    return A<dll::GdipDrawImagePointsRect>(image, Array(points), srcX, srcY, srcW,
                                           srcH, unit, attributes, nullptr, nullptr);
  }
  bool DrawImagePointsRectI(const GdipObject& image, int x1, int y1, int x2, int y2, int x3,
                            int y3, int srcX, int srcY, int srcW, int srcH, int unit = 2,
                            const GdipObject* attributes = nullptr) {
    const Point points[3] = {{x1, y1}, {x2, y2}, {x3, y3}};
    return A<dll::GdipDrawImagePointsRectI>(image, Array(points), srcX, srcY, srcW,
                                            srcH, unit, attributes, nullptr, nullptr);
  }

  // Clipping; mode 0 replaces the clip.
  bool SetClipGraphics(const GdipObject& graphics, int mode = 0) {
    return A<dll::GdipSetClipGraphics>(graphics, mode);
  }
  bool SetClipPath(const GdipObject& path, int mode = 0) {
    return A<dll::GdipSetClipPath>(path, mode);
  }
  bool SetClipRect(float x, float y, float w, float h, int mode = 0) {
    return A<dll::GdipSetClipRect>(x, y, w, h, mode);
  }
  bool SetClipRectI(int x, int y, int w, int h, int mode = 0) {
    return A<dll::GdipSetClipRectI>(x, y, w, h, mode);
  }
  bool SetClipRegion(const GdipObject& region, int mode = 0) {
    return A<dll::GdipSetClipRegion>(region, mode);
  }
  bool SetClipHrgn(HRGN hrgn, int mode = 0) { return A<dll::GdipSetClipHrgn>(hrgn, mode); }
  bool ResetClip() { return A<dll::GdipResetClip>(); }
  bool TranslateClip(float dx, float dy) { return A<dll::GdipTranslateClip>(dx, dy); }
  bool TranslateClipI(int dx, int dy) { return A<dll::GdipTranslateClipI>(dx, dy); }
  // Fills the native region that region holds.
  bool GetClip(const GdipObject& region) const { return A<dll::GdipGetClip>(region); }
  RectF GetClipBounds() const { return V<RectF, dll::GdipGetClipBounds>(); }
  Rect GetClipBoundsI() const { return V<Rect, dll::GdipGetClipBoundsI>(); }
  RectF GetVisibleClipBounds() const { return V<RectF, dll::GdipGetVisibleClipBounds>(); }
  Rect GetVisibleClipBoundsI() const { return V<Rect, dll::GdipGetVisibleClipBoundsI>(); }
  bool IsClipEmpty() const { return Q<dll::GdipIsClipEmpty>(); }
  bool IsVisibleClipEmpty() const { return Q<dll::GdipIsVisibleClipEmpty>(); }
  bool IsVisiblePoint(float x, float y) const { return Q<dll::GdipIsVisiblePoint>(x, y); }
  bool IsVisiblePointI(int x, int y) const { return Q<dll::GdipIsVisiblePointI>(x, y); }
  bool IsVisibleRect(float x, float y, float w, float h) const {
    return Q<dll::GdipIsVisibleRect>(x, y, w, h);
  }
  bool IsVisibleRectI(int x, int y, int w, int h) const {
    return Q<dll::GdipIsVisibleRectI>(x, y, w, h);
  }

  // State and containers.
  unsigned Save() const { return G<dll::GdipSaveGraphics>(); }
  bool Restore(unsigned state) { return A<dll::GdipRestoreGraphics>(state); }
  unsigned BeginContainer(const RectF& dstRect, const RectF& srcRect, int unit = 0) {
    return G<dll::GdipBeginContainer>(&dstRect, &srcRect, unit);
  }
  unsigned BeginContainerI(const Rect& dstRect, const Rect& srcRect, int unit = 0) {
    return G<dll::GdipBeginContainerI>(&dstRect, &srcRect, unit);
  }
  unsigned BeginContainer2() { return G<dll::GdipBeginContainer2>(); }
  bool EndContainer(unsigned state) { return A<dll::GdipEndContainer>(state); }
  bool Comment(const ByteArray& data) {
    return A<dll::GdipComment>(unsigned(data.size()), data.data());
  }

 private:
  bool MeasureRanges(const ByteArray& wide, const GdipObject& font, const RectF* layoutRect,
                     const GdipObject* format, int regionCount,
                     std::vector<Gdiplus::GpRegion*>& natives) const;

  ImageAttributes attributes_;
};

template <class Region>
bool Graphics::MeasureCharacterRanges(const char* text, const GdipObject& font,
                                      const RectF* layoutRect, const GdipObject* format,
                                      int regionCount, std::vector<Region>& regions) const {
  return MeasureCharacterRangesW(ToWideText(text), font, layoutRect, format, regionCount,
                                 regions);
}

template <class Region>
bool Graphics::MeasureCharacterRangesW(const ByteArray& text, const GdipObject& font,
                                       const RectF* layoutRect, const GdipObject* format,
                                       int regionCount, std::vector<Region>& regions) const {
  std::vector<Gdiplus::GpRegion*> natives;
  if (!MeasureRanges(text, font, layoutRect, format, regionCount, natives)) return false;
  regions.clear();
  regions.resize(natives.size());
  for (size_t i = 0; i < natives.size(); ++i) regions[i].SetNative(natives[i]);
  return true;
}

}  // namespace graphics

// GraphicsPath: outlines built from lines, curves, shapes and text, for shapes and clipping.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "graphics/object.h"
#include "graphics/text.h"

namespace graphics {

// A path's points and their GDI+ point types, one type per point.
struct PathData {
  int32_t Count = 0;
  std::vector<PointF> Points;
  ByteArray Types;
};

class GraphicsPath : public GdipClass<Gdiplus::GpPath, dll::GdipDeletePath> {
 public:
  bool Create(int fillMode = 0) { return C<dll::GdipCreatePath>(fillMode); }
  // One type per point: arrays of different lengths are refused.
  bool CreateFromPoints(std::span<const PointF> points, std::span<const uint8_t> types,
                        int fillMode = 0);
  bool CreateFromPointsI(std::span<const Point> points, std::span<const uint8_t> types,
                         int fillMode = 0);
  bool Clone(GraphicsPath& target) const { return K<dll::GdipClonePath>(target); }
  bool Reset() { return A<dll::GdipResetPath>(); }
  int GetFillMode() const { return G<dll::GdipGetPathFillMode>(); }
  bool SetFillMode(int fillMode) { return A<dll::GdipSetPathFillMode>(fillMode); }

  // Readers: false when the path has no points or a call fails. Without a count the path's
  // point count is used.
  bool GetPathData(PathData& data) const;
  bool GetPathTypes(ByteArray& types, std::optional<int> count = std::nullopt) const;
  bool GetPathPoints(std::vector<PointF>& points, std::optional<int> count = std::nullopt) const;
  bool GetPathPointsI(std::vector<Point>& points, std::optional<int> count = std::nullopt) const;

  bool StartFigure() { return A<dll::GdipStartPathFigure>(); }
  bool CloseFigure() { return A<dll::GdipClosePathFigure>(); }
  bool CloseAllFigures() { return A<dll::GdipClosePathFigures>(); }
  bool SetMarker() { return A<dll::GdipSetPathMarker>(); }
  bool ClearMarkers() { return A<dll::GdipClearPathMarkers>(); }
  bool Reverse() { return A<dll::GdipReversePath>(); }
  PointF GetLastPoint() const { return V<PointF, dll::GdipGetPathLastPoint>(); }

  bool AddLine(float x1, float y1, float x2, float y2) {
    return A<dll::GdipAddPathLine>(x1, y1, x2, y2);
  }
  bool AddLineI(int x1, int y1, int x2, int y2) { return A<dll::GdipAddPathLineI>(x1, y1, x2, y2); }
  bool AddLines(std::span<const PointF> points) { return A<dll::GdipAddPathLine2>(Array(points)); }
  bool AddLinesI(std::span<const Point> points) { return A<dll::GdipAddPathLine2I>(Array(points)); }
  bool AddArc(float x, float y, float w, float h, float startAngle, float sweepAngle) {
    return A<dll::GdipAddPathArc>(x, y, w, h, startAngle, sweepAngle);
  }
  bool AddArcI(int x, int y, int w, int h, float startAngle, float sweepAngle) {
    return A<dll::GdipAddPathArcI>(x, y, w, h, startAngle, sweepAngle);
  }
  bool AddBezier(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4) {
    return A<dll::GdipAddPathBezier>(x1, y1, x2, y2, x3, y3, x4, y4);
  }
  bool AddBezierI(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    return A<dll::GdipAddPathBezierI>(x1, y1, x2, y2, x3, y3, x4, y4);
  }
  bool AddBeziers(std::span<const PointF> points) {
    return A<dll::GdipAddPathBeziers>(Array(points));
  }
  bool AddBeziersI(std::span<const Point> points) {
    return A<dll::GdipAddPathBeziersI>(Array(points));
  }
  bool AddCurve(std::span<const PointF> points) { return A<dll::GdipAddPathCurve>(Array(points)); }
  bool AddCurve2(std::span<const PointF> points, float tension) {
    return A<dll::GdipAddPathCurve2>(Array(points), tension);
  }
  bool AddCurve3(std::span<const PointF> points, int offset, int numberOfSegments,
                 float tension) {
    return A<dll::GdipAddPathCurve3>(Array(points), offset, numberOfSegments, tension);
  }
  bool AddCurveI(std::span<const Point> points) { return A<dll::GdipAddPathCurveI>(Array(points)); }
  bool AddCurve2I(std::span<const Point> points, float tension) {
    return A<dll::GdipAddPathCurve2I>(Array(points), tension);
  }
  bool AddCurve3I(std::span<const Point> points, int offset, int numberOfSegments,
                  float tension) {
    return A<dll::GdipAddPathCurve3I>(Array(points), offset, numberOfSegments, tension);
  }
  bool AddClosedCurve(std::span<const PointF> points) {
    return A<dll::GdipAddPathClosedCurve>(Array(points));
  }
  bool AddClosedCurve2(std::span<const PointF> points, float tension) {
    return A<dll::GdipAddPathClosedCurve2>(Array(points), tension);
  }
  bool AddClosedCurveI(std::span<const Point> points) {
    return A<dll::GdipAddPathClosedCurveI>(Array(points));
  }
  bool AddClosedCurve2I(std::span<const Point> points, float tension) {
    return A<dll::GdipAddPathClosedCurve2I>(Array(points), tension);
  }
  bool AddRectangle(float x, float y, float w, float h) {
    return A<dll::GdipAddPathRectangle>(x, y, w, h);
  }
  // A closed rectangle whose corners are quarter ellipses of percent (1..100) of its size.
  bool AddRoundedRectangle(float x, float y, float w, float h, int percent);
  bool AddRectangles(std::span<const RectF> rects) {
    return A<dll::GdipAddPathRectangles>(Array(rects));
  }
  bool AddRectangleI(int x, int y, int w, int h) { return A<dll::GdipAddPathRectangleI>(x, y, w, h); }
  bool AddRectanglesI(std::span<const Rect> rects) {
    return A<dll::GdipAddPathRectanglesI>(Array(rects));
  }
  bool AddEllipse(float x, float y, float w, float h) {
    return A<dll::GdipAddPathEllipse>(x, y, w, h);
  }
  bool AddEllipseI(int x, int y, int w, int h) { return A<dll::GdipAddPathEllipseI>(x, y, w, h); }
  bool AddPie(float x, float y, float w, float h, float startAngle, float sweepAngle) {
    return A<dll::GdipAddPathPie>(x, y, w, h, startAngle, sweepAngle);
  }
  bool AddPieI(int x, int y, int w, int h, float startAngle, float sweepAngle) {
    return A<dll::GdipAddPathPieI>(x, y, w, h, startAngle, sweepAngle);
  }
  bool AddPolygon(std::span<const PointF> points) {
    return A<dll::GdipAddPathPolygon>(Array(points));
  }
  bool AddPolygonI(std::span<const Point> points) {
    return A<dll::GdipAddPathPolygonI>(Array(points));
  }
  bool AddPath(const GdipObject& path, bool connect = false) {
    return A<dll::GdipAddPathPath>(path, connect);
  }

  // Text outlines of family at emSize; the W forms take UTF-16 bytes as ToWideText makes them.
  bool AddString(const char* text, const GdipObject& family, int emSize,
                 const RectF* layoutRect = nullptr, int style = 0,
                 const GdipObject* format = nullptr) {
    return AddStringW(ToWideText(text), family, emSize, layoutRect, style, format);
  }
  bool AddStringW(const ByteArray& text, const GdipObject& family, int emSize,
                  const RectF* layoutRect = nullptr, int style = 0,
                  const GdipObject* format = nullptr) {
    detail::WideText w = detail::Wide(text);
    return A<dll::GdipAddPathString>(w.units, w.length, family, style, float(emSize), layoutRect,
                                     format);
  }
  bool AddStringI(const char* text, const GdipObject& family, int emSize,
                  const Rect* layoutRect = nullptr, int style = 0,
                  const GdipObject* format = nullptr) {
    return AddStringIW(ToWideText(text), family, emSize, layoutRect, style, format);
  }
  bool AddStringIW(const ByteArray& text, const GdipObject& family, int emSize,
                   const Rect* layoutRect = nullptr, int style = 0,
                   const GdipObject* format = nullptr) {
    detail::WideText w = detail::Wide(text);
    return A<dll::GdipAddPathStringI>(w.units, w.length, family, style, float(emSize),
                                      layoutRect, format);
  }

  bool Transform(const GdipObject* matrix) { return A<dll::GdipTransformPath>(matrix); }
  bool Flatten(const GdipObject* matrix = nullptr, float flatness = 0.25f) {
    return A<dll::GdipFlattenPath>(matrix, flatness);
  }
  bool Widen(const GdipObject& pen, const GdipObject* matrix = nullptr, float flatness = 0.25f) {
    return A<dll::GdipWidenPath>(pen, matrix, flatness);
  }
  bool Outline(const GdipObject* matrix = nullptr, float flatness = 0.25f) {
    return A<dll::GdipWindingModeOutline>(matrix, flatness);
  }
  bool Warp(std::span<const PointF> destination, const RectF& source,
            const GdipObject* matrix = nullptr, int warpMode = 0, float flatness = 0.25f) {
    return A<dll::GdipWarpPath>(matrix, Array(destination), source.X, source.Y, source.Width,
                                source.Height, warpMode, flatness);
  }

  int GetPointCount() const { return G<dll::GdipGetPointCount>(); }
  RectF GetWorldBounds(const GdipObject* matrix = nullptr, const GdipObject* pen = nullptr) const {
    RectF bounds{};
    A<dll::GdipGetPathWorldBounds>(&bounds, matrix, pen);
    return bounds;
  }
  Rect GetWorldBoundsI(const GdipObject* matrix = nullptr, const GdipObject* pen = nullptr) const {
    Rect bounds{};
    A<dll::GdipGetPathWorldBoundsI>(&bounds, matrix, pen);
    return bounds;
  }

  bool IsVisiblePoint(float x, float y, const GdipObject* graphics = nullptr) const {
    return Q<dll::GdipIsVisiblePathPoint>(x, y, graphics);
  }
  bool IsVisiblePointI(int x, int y, const GdipObject* graphics = nullptr) const {
    return Q<dll::GdipIsVisiblePathPointI>(x, y, graphics);
  }
  bool IsOutlineVisiblePoint(float x, float y, const GdipObject& pen,
                             const GdipObject* graphics = nullptr) const {
    return Q<dll::GdipIsOutlineVisiblePathPoint>(x, y, pen, graphics);
  }
  bool IsOutlineVisiblePointI(int x, int y, const GdipObject& pen,
                              const GdipObject* graphics = nullptr) const {
    return Q<dll::GdipIsOutlineVisiblePathPointI>(x, y, pen, graphics);
  }

 private:
  // The count a reader uses: the given one, or the path's own; 0 when there is none.
  int ReaderCount(std::optional<int> count) const;
};

}  // namespace graphics
